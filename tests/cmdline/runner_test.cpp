// The job queue's timer dispatching the queued exit. The error file emptied by a
// run's first error and kept without one are golden cases.
#include <gtest/gtest.h>

#include <string>

#include "cmdline/cmdline.h"

namespace {


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
