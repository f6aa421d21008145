// Whole-file reading and crash-safe replacement of files.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <thread>

// Reads the whole file into *pText; false when it cannot be read.
bool FILES_ReadAll(const std::string& path, std::string* pText);
// Reads a regular file of at most maxBytes bytes into *pText; false (nothing read,
// nothing waited for) when the file is missing, is not a regular file (a FIFO, a
// device, a folder) or is larger.
bool FILES_ReadText(const std::string& path, size_t maxBytes, std::string* pText);

struct FilesCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The replacement of one file, never seen half written. The content goes to
// pFile; FILES_Commit puts it in place, FILES_Discard (or the destructor) drops it.
//
// Ordinarily the content is a new file beside the target, created exclusively
// under a name of its own ("<target>.morvane-tmp<pid>.<6 characters>", locked while it is
// written), given the target's permissions and, where allowed, its owner, and
// renamed over the target when complete. A target that cannot be replaced that way
// (a hard link, a FIFO, a device, or a file in a folder that takes no new files)
// is written in place, but only once the whole content is ready: until then the
// content waits in an unnamed temporary file. The target is then not emptied
// first: the room for the content is reserved before anything is overwritten, so
// a full disk leaves the old content whole; a FIFO without a reader is a failure,
// not a wait. A symbolic link is followed to its
// final target, which a dangling link gets created. Temporary files that a killed
// save left beside the target are removed by the next replacement of that target.
struct AtomicFile {
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();
  std::unique_ptr<char[]> pBuffer;  // pFile's buffer: declared first, so it outlives the stream
  std::unique_ptr<std::FILE, FilesCloser> pFile;  // null when the target can't be written
  std::string Target;  // the file replaced (a symbolic link's final target)
  std::string Temp;    // the named temporary file; empty when written in place
  bool InPlace = false;
  // A large replaced file, held open while the content is written: its pages are
  // dropped from the system's cache beside the writing (Release), and after the
  // rename the last close, which frees its blocks, runs on a thread of its own that
  // the process waits for at its end. Replacing a large file then waits for neither.
  int ReplacedFd = -1;
  std::thread Release;
};

// Hands what has been written to f so far to the disk without waiting for it, so
// that the sync at the commit of a large file waits only for its last part. Does
// nothing where the system cannot.
void FILES_StartWriteback(std::FILE* f);

// Prepares the replacement of 'path'; false (pFile null) when the target cannot be
// written: a folder, a file the user may not write, a path that cannot be resolved
// or a new file in a folder that takes none.
bool FILES_Open(AtomicFile* pFile, const std::string& path);
// Puts the complete content in place; false when that fails (the target is then
// as it was, unless an in-place write failed half way).
bool FILES_Commit(AtomicFile* pFile);
// Drops the content; the target is untouched.
void FILES_Discard(AtomicFile* pFile);

// Replaces 'path' by 'data' in the same way; false on failure.
bool FILES_WriteAtomic(const std::string& path, const std::string& data);
