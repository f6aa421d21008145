// The program started as a build server starts it: no display, no Wayland, no Qt
// platform chosen. Runs that end through a queued exit need no window and print
// nothing; a run that must show its window says in one line that it cannot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "shell/startup.h"
#include "support/tempdir.h"

namespace {

// Clears the display variables for the programs started inside one test.
class NoDisplay {
 public:
  NoDisplay() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_[index_++] = value ? std::string(value) : std::string("\x01");
      unsetenv(name);
    }
  }
  ~NoDisplay() {
    for (int i = 0; i < 3; ++i)
      if (saved_[i] != "\x01") setenv(kNames[i], saved_[i].c_str(), 1);
  }

 private:
  static constexpr const char* kNames[3] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::string saved_[3];
  int index_ = 0;
};

TEST(Startup, MainJobNeedsNoDisplayWithOrWithoutHide) {
  NoDisplay noDisplay;
  TempDir dir;
  for (bool hide : {true, false}) {
    std::vector<std::string> args = {"-createDejaVu Sans,REGULAR,16,EXT,UC16", "-saveasx.c,C", "-exit"};
    if (hide) args.insert(args.begin(), "-hide");
    std::remove(dir.file("x.c").c_str());
    const RunResult run = RunMorvane(dir, args);
    EXPECT_EQ(run.exitCode, 0) << "hide " << hide;
    EXPECT_EQ(run.err, "") << "hide " << hide;
    bool exists = false;
    const std::string text = ReadFile(dir.file("x.c"), &exists);
    ASSERT_TRUE(exists) << "hide " << hide;
    EXPECT_NE(text.find("GUI_FONT GUI_Fontx ="), std::string::npos);
  }
}

TEST(Startup, ExitBeforeTheOtherCommandsStillRunsThemFirst) {
  NoDisplay noDisplay;
  TempDir dir;
  const RunResult run = RunMorvane(dir, {"-exit", "-createDejaVu Sans,BOLD,20,STD,UC16", "-saveasx.c,C"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  bool exists = false;
  ReadFile(dir.file("x.c"), &exists);
  EXPECT_TRUE(exists);
}

TEST(Startup, AWindowWithoutADisplayIsOneLineAndExitCodeOne) {
  NoDisplay noDisplay;
  TempDir dir;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{"-createDejaVu Sans,REGULAR,16,EXT,UC16"}}) {
    const RunResult run = RunMorvane(dir, args);
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find("no window can be opened"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("-hide ... -exit"), std::string::npos) << run.err;
  }
}

TEST(Startup, UnknownCommandGoesOnInteractivelyAndSoNeedsTheWindow) {
  // -EXIT is not a command (names are case-sensitive): the queued exit never comes.
  NoDisplay noDisplay;
  TempDir dir;
  const RunResult run = RunMorvane(dir, {"-EXIT"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("no window can be opened"), std::string::npos);
}

TEST(Startup, SenderIgnoresASendWhileOneIsInProgress) {
  static int calls = 0;
  calls = 0;
  SHELL_SetCommandTarget([](int id) {
    ++calls;
    SHELL_SendCommand(id + 1, 0);  // re-entered: ignored
  });
  SHELL_SendCommand(540, 0);
  SHELL_SendCommand(541, 0);
  SHELL_SetCommandTarget(nullptr);
  EXPECT_EQ(calls, 2);
}

}  // namespace
