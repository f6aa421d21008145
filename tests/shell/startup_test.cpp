// The program started as a build server starts it (RunMorvane clears DISPLAY,
// WAYLAND_DISPLAY and QT_QPA_PLATFORM): a run that must show its window says in one
// line that it cannot. And once, the window itself on the offscreen platform.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "shell/startup.h"
#include "support/tempdir.h"

namespace {

// Without a queued exit the run goes on interactively and needs the window: one
// line and exit code 1 (its text and runs that end through a queued exit:
// Conversions/Golden.help_and_exit and Golden.main_job). A too long argument is a
// reported message that ends the run all the same.
TEST(Startup, AWindowWithoutADisplayIsOneLineAndExitCodeOne) {
  TempDir dir;
  const std::pair<std::vector<std::string>, bool> runs[] = {{{}, true},
                                                            {{"-createDejaVu Sans,REGULAR,16,EXT,UC16"}, true},
                                                            {{std::string(300, 'a')}, false},
                                                            {{"-hide", std::string(300, 'a')}, false}};
  for (const auto& [args, needsWindow] : runs) {
    SCOPED_TRACE(args.empty() ? "" : args.back().substr(0, 20));
    const RunResult run = RunMorvane(dir, args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.find("no window can be opened") != std::string::npos, needsWindow) << run.err;
    if (needsWindow) {
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
  }
}

// Runs the program with the window on Qt's offscreen platform; the window closes
// itself after its first paint.
RunResult RunWindowOnce(const TempDir& dir, const std::vector<std::string>& args) {
  const std::string errFile = dir.file(".window-stderr");
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(127);
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("MORVANE_EXIT_AFTER_FIRST_PAINT", "1", 1);
    if (!freopen(errFile.c_str(), "wb", stderr)) _exit(127);
    std::vector<char*> argv = {const_cast<char*>(MORVANE_EXE)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(MORVANE_EXE, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", ReadFile(errFile)};
}

// The window module is loaded beside the program and takes the core from it: a font
// file named on the command line ends in a painted window, and closing it ends the
// program with code 0.
TEST(Startup, FileArgumentOpensTheWindowModule) {
  TempDir dir;
  ASSERT_EQ(RunMorvane(dir, {"-hide", "-createDejaVu Sans,REGULAR,16,EXT,UC16", "-saveasdv16.c,C", "-exit"}).exitCode, 0);
  const RunResult run = RunWindowOnce(dir, {"dv16.c"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err.find("cannot"), std::string::npos) << run.err;
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
