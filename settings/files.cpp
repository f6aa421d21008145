#include "settings/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

using FilePtr = std::unique_ptr<std::FILE, FilesCloser>;

// A file descriptor closed with its owner.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// A converted CJK face is tens of megabytes of C text: written through the stream's
// default block-sized buffer, that is one system call per 4 KiB.
constexpr size_t kWriteBuffer = 256 * 1024;
constexpr int kMaxLinks = 40;  // symbolic links followed before giving up, as the kernel does
// Temporary names are "<target>.morvane-tmp<pid>.<6 characters>": a mark no name a
// user picks is likely to carry, since the clean-up removes what bears it.
constexpr char kTempMark[] = ".morvane-tmp";
constexpr size_t kRandomChars = 6;  // the XXXXXX of the temporary name

std::string DirOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the file they end at, which need not exist (a dangling
// link names the file to create). False for a loop or an unreadable link.
bool ResolveTarget(const std::string& path, std::string* pTarget) {
  std::string p = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st;
    if (lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *pTarget = p;
      return true;
    }
    std::vector<char> buf(PATH_MAX);
    const ssize_t n = readlink(p.c_str(), buf.data(), buf.size());
    if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return false;
    const std::string link(buf.data(), static_cast<size_t>(n));
    p = link[0] == '/' ? link : DirOf(p) + link;
  }
  return false;
}

// Whether the name is one of ours for the target's base name: base, ".tmp", the
// digits of a process id, '.', six letters or digits.
bool IsTempNameFor(const std::string& name, const std::string& base) {
  const std::string prefix = base + kTempMark;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  size_t i = prefix.size(), digits = 0;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i, ++digits;
  if (digits == 0 || i >= name.size() || name[i] != '.') return false;
  ++i;
  if (name.size() - i != kRandomChars) return false;
  for (; i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Removes the temporary files of earlier replacements of the target whose writer is
// gone: a writer holds the lock of its file until it has renamed it, and the lock
// ends with the writer's process however it ends.
void RemoveStaleTemps(const std::string& target) {
  const std::string dir = DirOf(target), base = BaseOf(target);
  std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.empty() ? "." : dir.c_str()), closedir);
  if (!d) return;
  while (const dirent* e = readdir(d.get())) {
    const std::string name = e->d_name;
    if (!IsTempNameFor(name, base)) continue;
    const std::string path = dir + name;
    Fd fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat held, now;
    if (fd.get() < 0 || fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode)) continue;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // its save is still running
    // Only the file that was locked: the name may have been renamed away meanwhile.
    if (lstat(path.c_str(), &now) == 0 && SameFile(held, now)) unlink(path.c_str());
  }
}

// Creates the temporary file beside the target exclusively and locks it; -1 when
// the folder takes no new file.
int CreateTemp(const std::string& target, std::string* pTemp) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::string name = target + kTempMark + std::to_string(getpid()) + "." + std::string(kRandomChars, 'X');
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back(0);
    Fd fd(mkostemp(buf.data(), O_CLOEXEC));
    if (fd.get() < 0) return -1;  // errno tells why
    name = buf.data();
    // Another save's clean-up may take a file in the moment before it is locked:
    // then the name no longer leads to this file, and another name is tried. On a
    // file system without locks the file stays unlocked, and no clean-up takes it.
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
    struct stat mine, now;
    if (fstat(fd.get(), &mine) == 0 && lstat(name.c_str(), &now) == 0 && SameFile(mine, now)) {
      *pTemp = name;
      return fd.release();
    }
  }
  errno = EBUSY;
  return -1;
}

// The permissions of a new file: what the process's file mode mask allows.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies the finished content over the target itself. The target is never emptied
// first: the room for the new content is reserved before a byte of the old one is
// overwritten, so a full disk (or a file size limit) leaves the old content whole,
// and a longer old file is cut to the new length only at the end. A FIFO without a
// reader is not waited for: the open fails at once.
bool WriteInPlace(std::FILE* content, const std::string& target) {
  if (std::fflush(content) != 0 || std::ferror(content)) return false;
  struct stat contentStat;
  if (fstat(fileno(content), &contentStat) != 0) return false;
  const off_t size = contentStat.st_size;
  std::rewind(content);
  Fd fd(open(target.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  // Written as any file is once open: a reader that is there takes the data at its pace.
  const int flags = fcntl(fd.get(), F_GETFL);
  if (flags < 0 || fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return false;
  struct stat st;
  if (fstat(fd.get(), &st) != 0) return false;
  const bool regular = S_ISREG(st.st_mode);
  if (regular && size > 0) {
    // A file size limit of the process stops the write half way on any file system.
    rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(size) > limit.rlim_cur) {
      errno = EFBIG;
      return false;
    }
    const int reserved = posix_fallocate(fd.get(), 0, size);
    // File systems that cannot reserve at all are written without it.
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
      struct stat now;
      if (fstat(fd.get(), &now) == 0 && now.st_size > st.st_size) {
        if (ftruncate(fd.get(), st.st_size) != 0) return false;
      }
      errno = reserved;
      return false;
    }
  }
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), content)) > 0)
    if (!WriteAll(fd.get(), buf, n)) return false;
  if (std::ferror(content)) return false;
  if (regular && st.st_size > size && ftruncate(fd.get(), size) != 0) return false;
  // FIFOs and devices cannot be synced; their data are handed over already.
  if (fdatasync(fd.get()) != 0 && errno != EINVAL && errno != EROFS) return false;
  return close(fd.release()) == 0;
}

// Gives the replacement's stream its large buffer.
void UseLargeBuffer(AtomicFile* pFile) {
  pFile->pBuffer = std::make_unique_for_overwrite<char[]>(kWriteBuffer);
  std::setvbuf(pFile->pFile.get(), pFile->pBuffer.get(), _IOFBF, kWriteBuffer);
}

// A file this large costs milliseconds to replace: dropping its cached pages and
// freeing its blocks. Both are done beside the work (see AtomicFile::ReplacedFd).
constexpr off_t kReleaseEarly = 1 << 20;

void StartRelease(AtomicFile* pFile, const struct stat& st) {
  if (st.st_size < kReleaseEarly) return;
  pFile->ReplacedFd = open(pFile->Target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (pFile->ReplacedFd < 0) return;
  pFile->Release = std::thread([fd = pFile->ReplacedFd] { (void)posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED); });
}

void JoinRelease(AtomicFile* pFile) {
  if (pFile->Release.joinable()) pFile->Release.join();
}

// The threads that close replaced files. Each is joined when the next one starts
// (long done by then) or when the process ends.
class Closers {
 public:
  ~Closers() {
    std::lock_guard<std::mutex> lock(mutex_);
    JoinAll();
  }
  void Close(int fd) {
    std::lock_guard<std::mutex> lock(mutex_);
    JoinAll();
    threads_.emplace_back([fd] { close(fd); });
  }

 private:
  void JoinAll() {
    for (std::thread& t : threads_) t.join();
    threads_.clear();
  }
  std::mutex mutex_;
  std::vector<std::thread> threads_;
};

Closers& TheClosers() {
  static Closers closers;
  return closers;
}

// Makes a rename in 'folder' survive a crash. Best effort: the content itself is
// synced already, and a folder that cannot be opened or synced (some network and
// FUSE file systems) must not turn a completed save into a failure.
void SyncFolder(const std::string& folder) {
  Fd fd(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) (void)fsync(fd.get());
}

}  // namespace

bool FILES_ReadAll(const std::string& path, std::string* pText) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  pText->clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), f.get())) > 0) pText->append(buf, n);
  return !std::ferror(f.get());
}

bool FILES_ReadText(const std::string& path, size_t maxBytes, std::string* pText) {
  // Opening without waiting: a FIFO would otherwise block until a writer came.
  Fd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st;
  if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxBytes) return false;
  std::string text(maxBytes + 1, '\0');
  size_t got = 0;
  while (got < text.size()) {  // a file that grew meanwhile is caught by the extra byte
    const ssize_t n = read(fd.get(), text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got > maxBytes) return false;
  text.resize(got);
  *pText = std::move(text);
  return true;
}

AtomicFile::~AtomicFile() { FILES_Discard(this); }

bool FILES_Open(AtomicFile* pFile, const std::string& path) {
  FILES_Discard(pFile);
  pFile->InPlace = false;
  if (path.empty() || !ResolveTarget(path, &pFile->Target)) return false;
  const std::string& target = pFile->Target;
  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists) {
    // Refused as an ordinary open for writing would refuse it.
    if (S_ISDIR(st.st_mode) || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
    // Renaming over a hard link would part it from its other names; FIFOs and
    // devices are not files to replace.
    pFile->InPlace = !S_ISREG(st.st_mode) || st.st_nlink > 1;
  }
  if (!pFile->InPlace) {
    RemoveStaleTemps(target);
    Fd fd(CreateTemp(target, &pFile->Temp));
    if (fd.get() >= 0) {
      if (exists) {
        // Owner first: a change of owner may clear the set-id bits chmod restores.
        // Where the owner cannot be kept, the group may still be; neither is required.
        const bool owned = fchown(fd.get(), st.st_uid, st.st_gid) == 0 ||
                           fchown(fd.get(), static_cast<uid_t>(-1), st.st_gid) == 0;
        (void)owned;
        fchmod(fd.get(), st.st_mode & 07777);
      } else {
        fchmod(fd.get(), NewFileMode());
      }
      pFile->pFile.reset(fdopen(fd.get(), "wb"));
      if (!pFile->pFile) {
        unlink(pFile->Temp.c_str());
        pFile->Temp.clear();
        return false;
      }
      fd.release();
      UseLargeBuffer(pFile);
      if (exists) StartRelease(pFile, st);
      return true;
    }
    // A new file in a folder that takes none cannot be made in place either; a
    // name too long for the temporary name's suffix still can.
    if (!exists && errno != ENAMETOOLONG) return false;
    pFile->InPlace = true;
  }
  // Written in place at the commit; until then the content lies in a file without
  // a name, which disappears with it whatever happens.
  pFile->pFile.reset(std::tmpfile());
  if (!pFile->pFile) return false;
  UseLargeBuffer(pFile);
  return true;
}

void FILES_StartWriteback(std::FILE* f) {
#ifdef SYNC_FILE_RANGE_WRITE
  if (f && std::fflush(f) == 0) (void)sync_file_range(fileno(f), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
  (void)f;
#endif
}

bool FILES_Commit(AtomicFile* pFile) {
  if (!pFile->pFile) return false;
  bool ok;
  if (pFile->InPlace) {
    ok = WriteInPlace(pFile->pFile.get(), pFile->Target);
  } else {
    std::FILE* f = pFile->pFile.get();
    ok = std::fflush(f) == 0 && !std::ferror(f);
    // The data first, then the folder's entry: once each.
    ok = ok && fdatasync(fileno(f)) == 0;
    JoinRelease(pFile);
    // Renamed while still locked, so that no clean-up takes it first.
    ok = ok && std::rename(pFile->Temp.c_str(), pFile->Target.c_str()) == 0;
    if (ok) {
      pFile->Temp.clear();
      SyncFolder(DirOf(pFile->Target));
      // The replaced file has no name now: its last close frees it.
      if (pFile->ReplacedFd >= 0) TheClosers().Close(std::exchange(pFile->ReplacedFd, -1));
    }
  }
  if (ok && std::fclose(pFile->pFile.release()) != 0) ok = false;
  FILES_Discard(pFile);
  return ok;
}

void FILES_Discard(AtomicFile* pFile) {
  JoinRelease(pFile);
  if (pFile->ReplacedFd >= 0) close(std::exchange(pFile->ReplacedFd, -1));
  if (!pFile->Temp.empty()) unlink(pFile->Temp.c_str());  // before the lock ends
  pFile->Temp.clear();
  pFile->pFile.reset();
  pFile->pBuffer.reset();
}

bool FILES_WriteAtomic(const std::string& path, const std::string& data) {
  AtomicFile file;
  if (!FILES_Open(&file, path)) return false;
  if (std::fwrite(data.data(), 1, data.size(), file.pFile.get()) != data.size()) return false;
  return FILES_Commit(&file);
}
