// How a save replaces its target: exclusive temporary files, permissions and
// owners, targets written in place, links, unwritable targets, and the clean-up of
// what a killed save left behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "output/save.h"
#include "output/savetest.h"
#include "settings/files.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// A small standard font: 'A' and 'B', 6 pixels wide, 10 high.
FontPtr SmallFont() {
  FontPtr f = NewFont(FONTTYPE_STD, ENCODING_UC16, 10);
  f->Baseline = 8;
  AddChar(f.get(), 0x41, 6, 10, [](int x, int) { return x == 0; }, 0, 8, 6);
  AddChar(f.get(), 0x42, 6, 10, [](int x, int y) { return x == y % 6; }, 0, 8, 6);
  return f;
}

// The names in the folder that start with 'prefix'.
std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A save test with the small font and what a save of it as XBF writes into a plain
// new file.
class SaveReplace : public ::testing::Test {
 protected:
  SaveTest t;
  FontPtr f = SmallFont();
  const std::string expected = t.Save(f.get(), "reference.xbf", OUT_FORMAT_XBF);
};

TEST_F(SaveReplace, PlantedTemporaryNamesAreNeitherWrittenThroughNorMovedIntoPlace) {
  // Whatever lies under the name the temporary file had before: a file and a
  // symbolic link to someone else's file.
  const std::string pid = std::to_string(getpid());
  WriteFile(t.dir.file("victim"), "precious");
  fs::create_symlink(t.dir.file("victim"), t.dir.file("a.xbf.morvane-tmp" + pid));
  WriteFile(t.dir.file("b.xbf.morvane-tmp" + pid), "a user's file");
  int result = -1;
  EXPECT_EQ(t.Save(f.get(), "a.xbf", OUT_FORMAT_XBF, 0, &result), expected);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_EQ(t.Save(f.get(), "b.xbf", OUT_FORMAT_XBF), expected);
  EXPECT_FALSE(fs::is_symlink(t.dir.file("a.xbf")));
  EXPECT_EQ(ReadFile(t.dir.file("victim")), "precious");
  EXPECT_TRUE(fs::is_symlink(t.dir.file("a.xbf.morvane-tmp" + pid)));
  EXPECT_EQ(ReadFile(t.dir.file("b.xbf.morvane-tmp" + pid)), "a user's file");
  EXPECT_TRUE(t.services.boxes.empty());
}

TEST_F(SaveReplace, TwoReplacementsOfOneTargetFromOneProcessNeverMix) {
  TempDir dir;
  const std::string target = dir.file("font.c");
  AtomicFile first, second;
  ASSERT_TRUE(FILES_Open(&first, target));
  ASSERT_TRUE(FILES_Open(&second, target));
  EXPECT_NE(first.Temp, second.Temp);
  const std::string a(100000, 'a'), b(70000, 'b');
  // Interleaved, as two containers sharing a folder (and a process id) would.
  for (size_t i = 0; i < a.size(); i += 1000) {
    std::fwrite(a.data() + i, 1, 1000, first.pFile.get());
    if (i < b.size()) std::fwrite(b.data() + i, 1, 1000, second.pFile.get());
  }
  ASSERT_TRUE(FILES_Commit(&second));
  EXPECT_EQ(ReadFile(target), b);
  ASSERT_TRUE(FILES_Commit(&first));
  EXPECT_EQ(ReadFile(target), a);
  EXPECT_EQ(NamesStartingWith(dir.path(), "font.c"), std::vector<std::string>{"font.c"});
}

// A large target's pages are released and its blocks freed beside the work: the old
// content stays whole while the replacement is written and after a discard, and a
// commit leaves only the new file.
TEST_F(SaveReplace, ALargeReplacedFileStaysWholeUntilItIsReplaced) {
  TempDir dir;
  const std::string target = dir.file("large.c");
  const std::string old(3 << 20, 'o'), fresh(2 << 20, 'n');
  WriteFile(target, old);
  {
    AtomicFile dropped;
    ASSERT_TRUE(FILES_Open(&dropped, target));
    std::fwrite(fresh.data(), 1, fresh.size(), dropped.pFile.get());
    EXPECT_TRUE(ReadFile(target) == old);
    FILES_Discard(&dropped);
  }
  EXPECT_TRUE(ReadFile(target) == old);
  AtomicFile file;
  ASSERT_TRUE(FILES_Open(&file, target));
  std::fwrite(fresh.data(), 1, fresh.size(), file.pFile.get());
  EXPECT_TRUE(ReadFile(target) == old);
  ASSERT_TRUE(FILES_Commit(&file));
  EXPECT_TRUE(ReadFile(target) == fresh);
  EXPECT_EQ(file.ReplacedFd, -1);
  EXPECT_EQ(NamesStartingWith(dir.path(), "large.c"), std::vector<std::string>{"large.c"});
}

TEST_F(SaveReplace, ReplacedFileKeepsPermissionsAndOwnerNewFileFollowsTheMask) {
  const std::string path = t.dir.file("owned.xbf");
  WriteFile(path, "old");
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
  }
  ASSERT_EQ(chmod(path.c_str(), 02604), 0);
  t.Save(f.get(), "owned.xbf", OUT_FORMAT_XBF);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_GT(st.st_size, 3);
  EXPECT_EQ(st.st_mode & 07777, 02604u);
  if (root) {
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
  }
  // A new file: 0666 less the process's mask, not the temporary file's 0600.
  const mode_t old = umask(022);
  t.Save(f.get(), "new.xbf", OUT_FORMAT_XBF);
  umask(old);
  ASSERT_EQ(stat(t.dir.file("new.xbf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(SaveReplace, TargetTheUserMayNotWriteIsRefusedAsAWritingError) {
  const std::string path = t.dir.file("readonly.xbf");
  WriteFile(path, "keep me");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  // The folder itself may take new files: only the target's own permissions refuse.
  ASSERT_EQ(chmod(t.dir.path().c_str(), 0777), 0);
  FONT_SetFileName(f.get(), path.c_str());
  const int code = InChild([&] {
    const int result = OUT_Save(f.get(), OUT_FORMAT_XBF, 0);
    const bool said = t.services.boxes == std::vector<std::string>{"Writing error"};
    return said ? result : 50;
  }, true);
  EXPECT_EQ(code, OUT_SAVE_FAILED);
  EXPECT_EQ(ReadFile(path), "keep me");
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "readonly"), std::vector<std::string>{"readonly.xbf"});
}

TEST_F(SaveReplace, FileInAFolderThatTakesNoNewFilesIsWrittenInPlace) {
  fs::create_directory(t.dir.file("locked"));
  const std::string path = t.dir.file("locked/open.xbf");
  WriteFile(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(chmod(t.dir.file("locked").c_str(), 0555), 0);
  ASSERT_EQ(chmod(t.dir.path().c_str(), 0755), 0);
  FONT_SetFileName(f.get(), path.c_str());
  const int code = InChild([&] { return t.services.boxes.empty() ? OUT_Save(f.get(), OUT_FORMAT_XBF, 0) : 50; }, true);
  EXPECT_EQ(code, OUT_SAVE_OK);
  EXPECT_EQ(ReadFile(path), expected);
  // A new file there cannot be made at all.
  FONT_SetFileName(f.get(), t.dir.file("locked/new.xbf").c_str());
  EXPECT_EQ(InChild([&] { return OUT_Save(f.get(), OUT_FORMAT_XBF, 0); }, true), OUT_SAVE_FAILED);
  EXPECT_FALSE(fs::exists(t.dir.file("locked/new.xbf")));
  chmod(t.dir.file("locked").c_str(), 0755);
}

TEST_F(SaveReplace, HardLinksFifosAndDevicesAreWrittenInPlace) {
  // A hard link: both names still share the one file, which holds the font.
  WriteFile(t.dir.file("one.xbf"), "old");
  fs::create_hard_link(t.dir.file("one.xbf"), t.dir.file("two.xbf"));
  EXPECT_EQ(t.Save(f.get(), "one.xbf", OUT_FORMAT_XBF), expected);
  EXPECT_EQ(ReadFile(t.dir.file("two.xbf")), expected);
  EXPECT_EQ(fs::hard_link_count(t.dir.file("one.xbf")), 2u);
  // A FIFO: a reader gets the whole font, and the FIFO stays one.
  ASSERT_EQ(mkfifo(t.dir.file("pipe.xbf").c_str(), 0600), 0);
  const int reader = open(t.dir.file("pipe.xbf").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  FONT_SetFileName(f.get(), t.dir.file("pipe.xbf").c_str());
  int result = OUT_Save(f.get(), OUT_FORMAT_XBF, 0);
  std::string piped;
  char buf[4096];
  for (ssize_t n; (n = read(reader, buf, sizeof buf)) > 0;) piped.append(buf, static_cast<size_t>(n));
  close(reader);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_EQ(piped, expected);
  EXPECT_TRUE(fs::is_fifo(t.dir.file("pipe.xbf")));
  EXPECT_TRUE(t.services.boxes.empty());
  // A device (the null device, made in our folder): written to, not replaced.
  if (mknod(t.dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    GTEST_SKIP() << "cannot make a device node here";
  t.Save(f.get(), "null", OUT_FORMAT_XBF, 0, &result);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_TRUE(fs::is_character_file(t.dir.file("null")));
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "null"), std::vector<std::string>{"null"});
}

TEST_F(SaveReplace, LinksAreWrittenThroughAndADanglingOneGetsItsTargetCreated) {
  fs::create_directory(t.dir.file("sub"));
  fs::create_symlink("sub/real.xbf", t.dir.file("link.xbf"));
  fs::create_symlink("link.xbf", t.dir.file("chain.xbf"));  // a link to the link
  int result = -1;
  t.Save(f.get(), "chain.xbf", OUT_FORMAT_XBF, 0, &result);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_TRUE(fs::is_symlink(t.dir.file("chain.xbf")));
  EXPECT_TRUE(fs::is_symlink(t.dir.file("link.xbf")));
  EXPECT_EQ(ReadFile(t.dir.file("sub/real.xbf")), expected);
  EXPECT_EQ(NamesStartingWith(t.dir.file("sub"), "real"), std::vector<std::string>{"real.xbf"});
  // Once the target exists, a save through the links replaces it and keeps them.
  WriteFile(t.dir.file("sub/real.xbf"), "old");
  EXPECT_EQ(t.Save(f.get(), "chain.xbf", OUT_FORMAT_XBF, 0, &result), expected);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_TRUE(fs::is_symlink(t.dir.file("chain.xbf")));
  EXPECT_TRUE(fs::is_symlink(t.dir.file("link.xbf")));
  EXPECT_EQ(ReadFile(t.dir.file("sub/real.xbf")), expected);
  // A loop of links resolves to no file: a writing error, nothing created.
  fs::create_symlink("loop2", t.dir.file("loop1"));
  fs::create_symlink("loop1", t.dir.file("loop2"));
  t.Save(f.get(), "loop1", OUT_FORMAT_XBF, 0, &result);
  EXPECT_EQ(result, OUT_SAVE_FAILED);
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{"Writing error"});
}

TEST_F(SaveReplace, AKilledSaveLeavesATemporaryFileThatTheNextSaveRemoves) {
  const std::string target = t.dir.file("font.xbf");
  WriteFile(target, "old");
  // A save killed half way: its temporary file stays behind.
  const pid_t pid = fork();
  if (pid == 0) {
    AtomicFile file;
    if (!FILES_Open(&file, target)) _exit(1);
    std::fputs("half a font", file.pFile.get());
    std::fflush(file.pFile.get());
    kill(getpid(), SIGKILL);
    _exit(2);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(NamesStartingWith(t.dir.path(), "font.xbf.morvane-tmp").size(), 1u);
  EXPECT_EQ(ReadFile(target), "old");
  // A save that is still running keeps its temporary file through another save.
  AtomicFile running;
  ASSERT_TRUE(FILES_Open(&running, target));
  std::fputs("the running save", running.pFile.get());
  EXPECT_EQ(t.Save(f.get(), "font.xbf", OUT_FORMAT_XBF), expected);
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "font.xbf.morvane-tmp"),
            std::vector<std::string>{fs::path(running.Temp).filename().string()});
  ASSERT_TRUE(FILES_Commit(&running));
  EXPECT_EQ(ReadFile(target), "the running save");
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "font.xbf"), std::vector<std::string>{"font.xbf"});
  // Abandoned replacements leave nothing either.
  AtomicFile dropped;
  ASSERT_TRUE(FILES_Open(&dropped, target));
  FILES_Discard(&dropped);
  { AtomicFile outOfScope; ASSERT_TRUE(FILES_Open(&outOfScope, target)); }
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "font.xbf"), std::vector<std::string>{"font.xbf"});
  EXPECT_EQ(ReadFile(target), "the running save");
}

TEST_F(SaveReplace, NameWithNoRoomForTheTemporarySuffixIsStillSaved) {
  const std::string name = std::string(250, 'n') + ".xbf";  // the longest a folder takes is 255
  int result = -1;
  EXPECT_EQ(t.Save(f.get(), name, OUT_FORMAT_XBF, 0, &result), expected);
  EXPECT_EQ(result, OUT_SAVE_OK);
  EXPECT_EQ(t.Save(f.get(), name, OUT_FORMAT_XBF, 0, &result), expected);  // and replaced
  EXPECT_EQ(NamesStartingWith(t.dir.path(), "nnn").size(), 1u);
  EXPECT_TRUE(t.services.boxes.empty());
}

}  // namespace
