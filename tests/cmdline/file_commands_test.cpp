// The file argument and the merge command end to end: fonts saved by the program,
// read back as the file argument or merged, and saved again.
#include <gtest/gtest.h>

#include <filesystem>

#include "input/readtest.h"
#include "input/xbf_read.h"
#include "model/codetables.h"
#include "support/tempdir.h"
#include "support/testfonts.h"

namespace {


const std::string kFace = TestFontPath("MorvaneAscii.ttf");

TEST(FileArgument, XbfFileReadBackMergedIntoItselfAndSavedAgainIsTheSameFile) {
  TempDir dir;
  for (const char* type : {"STD", "EXT", "EXT_FRM", "EXT_AA2", "EXT_AA4"}) {
    SCOPED_TRACE(type);
    // A face with characters wide enough for the type of an old file to be detected;
    // the Latin range alone keeps the files small (the XBF reader takes characters
    // reaching beyond the cell as well).
    ASSERT_EQ(RunMorvane(dir, {"-hide", std::string("-createDejaVu Sans,REGULAR,14,") + type + ",UC16",
                               "-enable0-FFFF,0,20-17F,1", "-saveasa.xbf,XBF",
                               "-exit"}).exitCode, 0);
    const std::string first = ReadFile(dir.file("a.xbf"));
    ASSERT_GT(first.size(), 100u);
    RunResult r = RunMorvane(dir, {"-hide", "a.xbf", "-saveasb.xbf,XBF", "-exit"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(ErrorFileEntries(dir), "");
    EXPECT_TRUE(ReadFile(dir.file("b.xbf")) == first);
    // Merged into itself it is saved unchanged.
    EXPECT_EQ(RunMorvane(dir, {"-hide", "a.xbf", "-mergea.xbf", "-saveasm.xbf,XBF", "-exit"}).exitCode, 0);
    EXPECT_EQ(ErrorFileEntries(dir), "");
    EXPECT_TRUE(ReadFile(dir.file("m.xbf")) == first);
    // Without its type trailer the file is an old one: its type is detected.
    WriteFile(dir.file("old.xbf"), first.substr(0, first.size() - 4));
    RunMorvane(dir, {"-hide", "old.xbf", "-saveasc.xbf,XBF", "-exit"});
    EXPECT_EQ(ErrorFileEntries(dir), "");
    EXPECT_TRUE(ReadFile(dir.file("c.xbf")) == first);
  }
}

TEST(FileArgument, AnAbsolutePathIsTheFileArgumentAndSlashCommandsStayCommands) {
  TempDir dir;
  ASSERT_EQ(RunMorvane(dir, {"-hide", "-create" + kFace + ",REGULAR,16,EXT,UC16", "-saveasa.xbf,XBF", "-exit"})
                .exitCode,
            0);
  const std::string first = ReadFile(dir.file("a.xbf"));
  ASSERT_GT(first.size(), 100u);
  // Commands written with '/' around a file argument that is an absolute path.
  RunResult r = RunMorvane(dir, {"/hide", dir.file("a.xbf"), "/saveasb.xbf,XBF", "/exit"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ErrorFileEntries(dir), "");
  EXPECT_TRUE(ReadFile(dir.file("b.xbf")) == first);
  // A path that names no file is a command, unknown here: the scan stops, and the
  // run would go on in its window, which cannot open without a display.
  r = RunMorvane(dir, {dir.file("none.xbf"), "/saveasc.xbf,XBF", "/exit"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("c.xbf")));
}

TEST(FileArgument, OldXbfFileThatNeedsTheQuestionFailsWithoutAWindow) {
  // Characters at most 4 pixels wide decide nothing; with detection suppressed
  // even a decidable file needs the question.
  for (const std::string& face : {kFace, std::string("DejaVu Sans")}) {
    SCOPED_TRACE(face);
    TempDir dir;
    if (face != kFace) WriteSettingsFile(dir, "SuppressDetectXBF=1\n");
    ASSERT_EQ(RunMorvane(dir, {"-hide", "-create" + face + ",REGULAR,14,EXT,UC16", "-saveasa.xbf,XBF", "-exit"}).exitCode,
              0);
    const std::string first = ReadFile(dir.file("a.xbf"));
    WriteFile(dir.file("old.xbf"), first.substr(0, first.size() - 4));
    RunResult r = RunMorvane(dir, {"-hide", "old.xbf", "-saveasc.xbf,XBF", "-exit"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no window can ask"), std::string::npos);
    EXPECT_EQ(ErrorFileEntries(dir), "|Could not create font!|No font data");
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.xbf")));
  }
}

}  // namespace
