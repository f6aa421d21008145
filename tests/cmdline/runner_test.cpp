// The program's argument scan, job queue, help and error file, run end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cmdline/cmdline.h"
#include "support/tempdir.h"

namespace {


TEST(Runner, HelpIsPrintedExactlyForBothPrefixes) {
  TempDir dir;
  std::string expected = CMDLINE_GetHelpText(CMDLINE_aCommands);
  expected += "***************** Press Enter to Continue *****************\n";
  for (const char* arg : {"-?", "/?"}) {
    RunResult r = RunMorvane(dir, {arg});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
  }
  // The text itself: heading, then "-name help\r\n" per row in table order.
  EXPECT_EQ(expected.rfind("Valid command line options:\r\n\r\n-exit\t\tFinish application after job\r\n-create\t\t<FONTNAME>", 0), 0u);
  EXPECT_NE(expected.find("\r\n-nomessages\tSuppress messages in command line mode\r\n-?\t\tShows this box\n\r\n*****"),
            std::string::npos);
  EXPECT_LT(expected.size(), 4000u);
  size_t pos = 0;
  for (const CommandEntry* row = CMDLINE_aCommands; row->name; ++row) {
    size_t at = expected.find(std::string("\r\n-") + row->name + row->help + "\r\n", pos);
    ASSERT_NE(at, std::string::npos) << row->name;
    pos = at + 1;
  }
}

TEST(Runner, ExitIsMatchedByPrefixAndCaseSensitively) {
  TempDir dir;
  RunResult r = RunMorvane(dir, {"-hide", "-exitnow"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");  // a clean exit: nothing said
  r = RunMorvane(dir, {"-EXIT"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err, "");  // not recognised: the program goes on in its window, and says it cannot
  EXPECT_EQ(r.out, "");  // an unknown command prints no help
  EXPECT_FALSE(std::filesystem::exists(dir.file("Morvane.err")));
}

TEST(Runner, ExitRunsAfterEverythingWhereverItStands) {
  TempDir dir;
  // The exit is queued; the help that follows it still runs during the scan.
  RunResult r = RunMorvane(dir, {"-exit", "-?"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.rfind("Valid command line options:", 0), 0u);
}

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

TEST(Runner, ExtensionErrorStopsTheScanAndEndsCommandLineMode) {
  // In-process: an error ends the scan; the runner then
  // has no help to print because the error switched command-line mode off.
  TempDir dir;
  std::string errName = dir.file("run.err");
  CMDLINE_Init(errName.c_str(), ID_FILE_EXIT, nullptr);
  char prog[] = "Morvane", a1[] = "-exit", a2[] = "/hide", a3[] = "extra";
  char* argv[] = {prog, a1, a2, a3};
  // "extra" has no .c or .xbf extension.
  EXPECT_EQ(CMDLINE_ProcessArgs(4, argv), 1);
  EXPECT_EQ(CMDLINE_GetNumJobs(), 1);
  EXPECT_FALSE(CMDLINE_GetShowWindow());
  EXPECT_FALSE(CMDLINE_IsActive());
  EXPECT_EQ(WithoutStamps(ReadFile(errName)), "|File extension must be 'XBF' or 'C'");
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

TEST(Runner, WithoutArgumentsNothingIsQueued) {
  CMDLINE_Init("unused.err", ID_FILE_EXIT, CountingDispatcher);
  char prog[] = "Morvane";
  char* argv[] = {prog};
  EXPECT_EQ(CMDLINE_ProcessArgs(1, argv), 0);
  EXPECT_FALSE(CMDLINE_TimerRunning());
  EXPECT_FALSE(CMDLINE_IsActive());
}

TEST(Runner, UnknownCommandEndsCommandLineModeWithoutHelp) {
  CMDLINE_Init("unused.err", ID_FILE_EXIT, CountingDispatcher);
  EXPECT_EQ(CMDLINE_Execute("frobnicate", CMDLINE_aCommands), 0);
  EXPECT_FALSE(CMDLINE_IsActive());
  // Shorter than every name but "?": skipped rows leave the mode as it was.
  EXPECT_EQ(CMDLINE_Execute("", CMDLINE_aCommands), 0);
  EXPECT_EQ(CMDLINE_Execute("hide", CMDLINE_aCommands), 1);
  EXPECT_TRUE(CMDLINE_IsActive());
  EXPECT_FALSE(CMDLINE_GetShowWindow());
}

}  // namespace
