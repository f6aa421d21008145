// Saves that cannot replace their target: written in place without emptying it
// first (a full disk leaves the old content whole), FIFOs that have no reader, and
// the clean-up that must leave every name but its own alone.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "output/save.h"
#include "output/savetest.h"
#include "settings/files.h"

namespace {

namespace fs = std::filesystem;

std::string Pattern(size_t size, char seed) {
  std::string s(size, ' ');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(seed + i % 23);
  return s;
}

// A target written in place whose file system fills up (simulated by a file size
// limit that only the target's write meets): the old content stays byte for byte.
// One that fits is cut to the new length.
TEST(SaveInPlace, ContentThatDoesNotFitLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string hardLink = dir.file("one.c"), longName = dir.file(std::string(250, 'n') + ".c");
  fs::create_directory(dir.file("sub"));
  const struct {
    std::string Target;
    size_t OldSize, NewSize;
    bool Fits;
  } cases[] = {
      {hardLink, 3000, 200000, false},
      {longName, 3000, 200000, false},  // no room for a temporary name beside it
      {hardLink, 100000, 1000, true},
      {longName, 100000, 1000, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Target.substr(dir.path().size()) + " " + std::to_string(c.NewSize));
    const std::string old = Pattern(c.OldSize, 'a'), fresh = Pattern(c.NewSize, 'A');
    fs::remove(hardLink);
    fs::remove(dir.file("sub/two.c"));
    WriteFile(c.Target, old);
    if (c.Target == hardLink) fs::create_hard_link(hardLink, dir.file("sub/two.c"));
    const int code = InChild([&] {
      AtomicFile file;
      if (!FILES_Open(&file, c.Target) || !file.InPlace) return 10;
      std::fwrite(fresh.data(), 1, fresh.size(), file.pFile.get());
      if (std::fflush(file.pFile.get()) != 0) return 11;
      // From here on no file may grow beyond 50000 bytes.
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{50000, 50000};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 12;
      return FILES_Commit(&file) ? 0 : 1;
    });
    EXPECT_EQ(code, c.Fits ? 0 : 1);
    EXPECT_TRUE(ReadFile(c.Target) == (c.Fits ? fresh : old)) << ReadFile(c.Target).size();
    if (c.Target == hardLink) {
      EXPECT_EQ(fs::hard_link_count(hardLink), 2u);
    }
  }
}

// Mounts a small file system at 'path' in a mount namespace of this (child)
// process; false where that is not allowed.
bool MountSmallFileSystem(const std::string& path, const char* size) {
  if (unshare(CLONE_NEWNS) != 0) {
    // Without the right to mount, a user namespace of our own may still give it.
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    WriteFile("/proc/self/setgroups", "deny");
    WriteFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1");
    WriteFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
  }
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  return mount("none", path.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
}

// The same on a real full disk, through the program: "Writing error", exit code 1,
// the hard-linked target unchanged.
TEST(SaveInPlace, FullDiskSaveOverAHardLinkKeepsTheOldFontAndEndsWithOne) {
  TempDir dir;
  fs::create_directory(dir.file("small"));
  const std::string old = Pattern(20000, 'a');
  const int code = InChild([&] {
    if (!MountSmallFileSystem(dir.file("small"), "256k")) return 77;
    WriteFile(dir.file("small/font.c"), old);
    fs::create_hard_link(dir.file("small/font.c"), dir.file("small/link.c"));
    // Fill the rest of the file system.
    const int fd = open(dir.file("small/filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'f');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    close(fd);
    const RunResult r = RunMorvane(dir, {"-hide", "-createDejaVu Sans,REGULAR,12,EXT,UC16", "-saveassmall/font.c,C",
                                         "-exit"});
    WriteFile(dir.file("stderr"), r.err);
    if (r.exitCode != 1) return 20;
    if (r.err.find("Writing error") == std::string::npos) return 21;
    if (ReadFile(dir.file("small/font.c")) != old) return 22;
    if (fs::hard_link_count(dir.file("small/font.c")) != 2) return 23;
    return 0;
  });
  if (code == 77) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(code, 0) << ReadFile(dir.file("stderr"));
}

// A FIFO that nobody reads: the command line and the dispatcher (with its overwrite
// question, as Save As asks it) say "Writing error" at once, under the wait cursor.
TEST(SaveInPlace, FifoWithoutAReaderIsAWritingErrorNotAWait) {
  SaveTest t;
  ASSERT_EQ(mkfifo(t.dir.file("pipe.c").c_str(), 0600), 0);
  const RunResult r = RunMorvane(t.dir, {"-hide", "-createDejaVu Sans,REGULAR,12,EXT,UC16", "-saveaspipe.c,C", "-exit"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Writing error"), std::string::npos) << r.err;
  FontPtr f = NewFont(FONTTYPE_STD, ENCODING_UC16, 4);
  AddChar(f.get(), 0x41, 3, 4, [](int x, int y) { return x == y; });
  FONT_SetFileName(f.get(), t.dir.file("pipe.c").c_str());
  t.services.answer = true;
  const int code = InChild([&] {
    const int result = OUT_Save(f.get(), OUT_FORMAT_C, 1);
    const bool said = t.services.questions == std::vector<std::string>{"Overwrite existing file?"} &&
                      t.services.boxes == std::vector<std::string>{"Writing error"} &&
                      t.services.waitCursor == std::vector<bool>{true, false};
    return said ? result : 50;
  });
  EXPECT_EQ(code, OUT_SAVE_FAILED);
  EXPECT_TRUE(fs::is_fifo(t.dir.file("pipe.c")));
}

// Only names of the save's own pattern whose save is gone are removed.
TEST(SaveInPlace, CleanUpLeavesNamesThatOnlyResembleItsOwn) {
  SaveTest t;
  FontPtr f = NewFont(FONTTYPE_STD, ENCODING_UC16, 4);
  AddChar(f.get(), 0x41, 3, 4, [](int x, int y) { return x == y; });
  const char* const kept[] = {"font.c.tmp1.backup", "font.c.tmp12.ABC123", "font.c.morvane-tmp1.backup1",
                              "font.c.morvane-tmp.abcdef", "font.c.morvane-tmpx1.abcdef", "font.c.morvane-tmp1.abc-ef",
                              "font.c.morvane-tmp1.abcde"};
  for (const char* name : kept) WriteFile(t.dir.file(name), name);
  WriteFile(t.dir.file("font.c.morvane-tmp4242.Ab3dE9"), "left by a killed save");
  t.Save(f.get(), "font.c", OUT_FORMAT_C);
  for (const char* name : kept) EXPECT_EQ(ReadFile(t.dir.file(name)), name);
  EXPECT_FALSE(fs::exists(t.dir.file("font.c.morvane-tmp4242.Ab3dE9")));
  EXPECT_TRUE(t.services.boxes.empty());
}

}  // namespace
