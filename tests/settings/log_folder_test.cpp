// Where the log file goes: beside a program that may write there, else (an
// installed program) into the user's state folder; LogInWorkingDir as before.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/messages.h"
#include "support/tempdir.h"

namespace {

constexpr uid_t kNobody = 65534;

// Sets or (null) unsets an environment variable for the life of the object.
struct ScopedEnv {
  ScopedEnv(const char* name, const char* value) : name_(name), had_(std::getenv(name)) {
    if (had_) old_ = std::getenv(name);
    Set(value);
  }
  ~ScopedEnv() { Set(had_ ? old_.c_str() : nullptr); }
  void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }
  const char* name_;
  bool had_;
  std::string old_;
};

TEST(LogFolder, InstalledProgramsLogIntoTheStateFolder) {
  TempDir dir;
  const std::string beside = dir.file("bin");
  mkdir(beside.c_str(), 0755);
  const struct {
    std::string Exe;
    int InWorkingDir;
    const char* StateHome;  // null: unset
    const char* Home;
    std::string Expected;
  } cases[] = {
      {"/usr/bin/morvane", 0, "/st", "/h", "/st/VANTOR/morvane.log"},
      {"/usr/local/bin/Morvane", 0, nullptr, "/h", "/h/.local/state/VANTOR/Morvane.log"},
      {"/opt/morvane/bin/Morvane", 0, "relative/ignored", "/h", "/h/.local/state/VANTOR/Morvane.log"},
      {"/usr/bin/morvane", 0, nullptr, nullptr, ""},
      {"/usr/bin/morvane", 1, "/st", "/h", "/work/morvane.log"},
      {"/usrlocal/Morvane", 0, "/st", "/h", "/st/VANTOR/Morvane.log"},  // no such folder: not writable
      {beside + "/Morvane", 0, "/st", "/h", beside + "/Morvane.log"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Exe);
    ScopedEnv state("XDG_STATE_HOME", c.StateHome), home("HOME", c.Home);
    EXPECT_EQ(MESSAGES_LogFileName(c.Exe, c.InWorkingDir, "/work"), c.Expected);
  }
}

// The program run by a user who may not write beside it: the message reaches the
// state folder (made for it), and nothing else is written.
TEST(LogFolder, AUserWhoMayNotWriteBesideTheProgramFindsTheLogInTheStateFolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the program as another user";
  TempDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0 || chdir(dir.path().c_str()) != 0) _exit(126);
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    alarm(120);
    execl(MORVANE_EXE, MORVANE_EXE, "-hide", "-nomessages", "-createNo Such Face,REGULAR,12,STD,UC16", "-exit",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFile(dir.file("state/VANTOR/Morvane.log")), "Font does not exist\r\n");
  struct stat st;
  ASSERT_EQ(stat(dir.file("state/VANTOR").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, kNobody);
}

}  // namespace
