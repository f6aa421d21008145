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

TEST(Runner, LongArgumentGoesToErrorFileOrLogFile) {
  TempDir dir;
  std::string longArg(300, 'a');
  RunResult r = RunMorvane(dir, {"-hide", longArg});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ErrorFileEntries(dir), "|Argument too long!");

  TempDir quiet;
  WriteSettingsFile(quiet, "LogInWorkingDir=1\n");
  r = RunMorvane(quiet, {"-nomessages", "-hide", longArg});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ReadFile(quiet.file("Morvane.log")), "Argument too long!\r\n");
  EXPECT_FALSE(std::filesystem::exists(quiet.file("Morvane.err")));

  // 259 characters are still an argument: here an unknown file name.
  std::string name(255, 'b');
  r = RunMorvane(dir, {"-exit", name + ".txt"});
  EXPECT_EQ(ErrorFileEntries(dir), "|File extension must be 'XBF' or 'C'");
}

TEST(Runner, SuppressedMessagesSkipTheExtensionError) {
  TempDir dir;
  WriteSettingsFile(dir, "SuppressMessage=1\nLogInWorkingDir=1\n");
  // The failed scan queues no exit; the window it would go on in cannot open here.
  RunResult r = RunMorvane(dir, {"-exit", "font.ttf"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("Morvane.err")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("Morvane.log")));
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
