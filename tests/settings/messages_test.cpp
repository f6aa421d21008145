// Message routing, the log file and the journal (suppressed messages going to the log
// file are run end to end in the golden conversions; without a command-line sink every
// message is a box, as the reader tests see them; a journal that outgrows its first
// kilobyte, and one cleared by each new font, are the banners of the golden C files).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "cmdline/cmdline.h"
#include "settings/journal.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "support/errorlog.h"
#include "support/recordingservices.h"
#include "support/tempdir.h"

namespace {

TEST(Messages, RoutingFollowsCommandLineModeAndDropsMessagesRaisedWhileReporting) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("cfg").c_str(), 1);
  RecordingServices services;
  SERVICES_Install(&services);
  TakeErrors();  // command-line mode on, error file set up

  ReportMessage("to the error file");
  EXPECT_FALSE(CMDLINE_IsActive());  // the first error ends command-line mode
  EXPECT_EQ(TakeErrors(), "|to the error file");

  CMDLINE_SetActive(false);
  ReportMessage("to a box");
  EXPECT_EQ(services.boxes, std::vector<std::string>{"to a box"});
  services.onMessageBox = [](const char*) { ReportMessage("raised while reporting"); };  // dropped by the guard
  ReportMessage("outer");
  EXPECT_EQ(services.boxes, (std::vector<std::string>{"to a box", "outer"}));

  SERVICES_Install(nullptr);
}

TEST(Messages, LogFileInWorkingDirectoryAppends) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("cfg").c_str(), 1);
  std::filesystem::create_directories(dir.file("cfg/VANTOR"));
  WriteFile(dir.file("cfg/VANTOR/Font Converter for Tavro.ini"), "[V6.32c]\nLogInWorkingDir=1\n");
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  WriteFile(dir.file("morvane_tests.log"), "earlier\r\n");
  WriteLogFile("first");
  WriteLogFile("two\nlines");
  WriteLogFile(nullptr);
  std::filesystem::current_path(old);
  EXPECT_EQ(ReadFile(dir.file("morvane_tests.log")), "earlier\r\nfirst\r\ntwo\nlines\r\n");
}

TEST(Journal, FormattedLinesAndTakingTextOutAndBack) {
  JOURNAL_Clear();
  JOURNAL_AddLine("* Edit/Insert/Right     at character 0x%X (%d)", 0x41, 65);
  const std::string first = JOURNAL_GetText();
  ASSERT_EQ(first.size(), 72u);
  EXPECT_EQ(first.substr(0, 46), "* Edit/Insert/Right     at character 0x41 (65)");
  EXPECT_EQ(first.substr(66), "   *\r\n");
  // A text longer than the box keeps its full length up to the one line size.
  const std::string path(260, 'p');
  JOURNAL_AddLine("* Read pattern file: %s", path.c_str());
  EXPECT_EQ(JOURNAL_GetLength(), 72u + 21 + 260 + 3);
  JOURNAL_AddLine("* last");
  const std::string all = JOURNAL_GetText();
  // Lines taken out and put back by undo and redo: EditRecord.* and RecordRoundTrip.*.
  // Places beyond the journal change nothing.
  EXPECT_FALSE(JOURNAL_Erase(all.size() - 10, 11));
  EXPECT_FALSE(JOURNAL_Insert(all.size() + 1, "x", 1));
  EXPECT_EQ(std::string(JOURNAL_GetText()), all);
  JOURNAL_Clear();
  EXPECT_TRUE(JOURNAL_Insert(0, "* back", 6));  // into an empty journal
  EXPECT_STREQ(JOURNAL_GetText(), "* back");
}

}  // namespace
