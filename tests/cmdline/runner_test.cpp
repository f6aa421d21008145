// The program's argument scan, job queue, help and error file, run end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cmdline/cmdline.h"
#include "support/tempdir.h"

namespace {


TEST(Runner, ErrorFileIsTruncatedByTheFirstErrorAndKeptWithoutOne) {
  TempDir dir;
  WriteFile(dir.file("Morvane.err"), "old contents");
  RunMorvane(dir, {"-hide", "-exit"});
  EXPECT_EQ(ReadFile(dir.file("Morvane.err")), "old contents");
  // A wrong file extension: the failed scan queues no exit, so the program would go
  // on in its window, which it cannot open here.
  RunResult r = RunMorvane(dir, {"-exit", "x.bdf"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");  // the error ended command-line mode: no help
  EXPECT_EQ(ErrorFileEntries(dir), "|File extension must be 'XBF' or 'C'");
}

int exitDispatches = 0;
void CountingDispatcher(int id, int word) {
  EXPECT_EQ(id, ID_FILE_EXIT);
  EXPECT_EQ(word, 0);
  ++exitDispatches;
  CMDLINE_NextJob();
}

TEST(Runner, TimerDispatchesTheQueuedExitOnceModeIsOff) {
  CMDLINE_Init("unused.err", ID_FILE_EXIT, CountingDispatcher);
  char prog[] = "Morvane", a1[] = "-exitnow", a2[] = "-hide";
  char* argv[] = {prog, a1, a2};
  ASSERT_EQ(CMDLINE_ProcessArgs(3, argv), 0);
  ASSERT_TRUE(CMDLINE_TimerRunning());
  CMDLINE_SetActive(false);  // the end of start-up
  CMDLINE_TimerTick();
  EXPECT_EQ(exitDispatches, 1);
  EXPECT_FALSE(CMDLINE_TimerRunning());
  CMDLINE_TimerTick();
  EXPECT_EQ(exitDispatches, 1);
}

}  // namespace
