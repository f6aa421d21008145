// The program started as a build server starts it (RunMorvane clears DISPLAY,
// WAYLAND_DISPLAY and QT_QPA_PLATFORM): a run that must show its window says in one
// line that it cannot. (The window started from a file argument on the offscreen
// platform: WindowStart.AtScaleTwoTheWindowFitsTheScreen.)
#include <gtest/gtest.h>

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
