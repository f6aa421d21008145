// The conversion commands run end to end: -create from an installed face or a
// font file, -saveas in the three formats, and their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "model/current.h"
#include "output/cfontwalk.h"
#include "support/errorlog.h"
#include "support/tempdir.h"
#include "support/testfonts.h"

namespace {


TEST(CreateSaveAs, CreateReportsFacesStylesTypesAndEncodingsItCannotUse) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"-createNo Such Face,REGULAR,16,STD,UC16", "Font does not exist"},
      {"-createdejavu sans,REGULAR,16,STD,UC16", "Font does not exist"},  // names are compared exactly
      {"-create/no/such/file.ttf,REGULAR,16,STD,UC16", "Font does not exist"},
      {"-createDejaVu Sans,BOLD,16,EXT,ISO8859", "Extended fonts can only be created using Unicode encoding."},
      {"-createDejaVu Sans,BOLD,16,STD,UC16X", "Illegal option: UC16X"},
      {"-createDejaVu Sans,BOLD,16,STD,UC16;INTERNAL", "Illegal option: UC16;INTERNAL"},
      {"-createDejaVu Sans,FAT,16,STD,UC16", "Illegal option: FAT"},
      {"-createDejaVu Sans,W650,16,STD,UC16", "Illegal option: W650"},
      {"-createDejaVu Sans,WI1,16,STD,UC16", "Illegal option: WI1"},
      {"-createDejaVu Sans,W400I2,16,STD,UC16", "Illegal option: W400I2"},
      {"-createDejaVu Sans,W1234567890I0,16,STD,UC16", "Illegal option: W1234567890I0"},
      {"-createDejaVu Sans,BOLD,16,STD2,UC16", "Illegal option: STD2"},
      {"-createDejaVu Sans,BOLD,16,AA2,UC16,GDI", "Illegal option: GDI"},
      {"-createDejaVu Sans;BOLD,16,STD,UC16", "Font does not exist"},
      {"-saveasx.c,C", "No font data"},
  };
  for (const auto& [arg, message] : cases) {
    std::filesystem::remove(dir.file("Morvane.err"));
    RunMorvane(dir, {"-hide", arg, "-saveasout.c,C", "-exit"});
    EXPECT_EQ(ErrorFileEntries(dir), "|" + message + "|No font data") << arg;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.c")));
}

TEST(CreateSaveAs, HeightsBeyondWhatFilesHoldAreRefused) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  TakeErrors();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"4294967312", "CMDLINE_GetDecValue: Not a decimal value"},  // would wrap to 16
      {"2147483648", "CMDLINE_GetDecValue: Not a decimal value"},
      {"2147483647", "Illegal option: 2147483647"},
      {"-2147483648", "Illegal option: -2147483648"},
      {"65536", "Illegal option: 65536"},
      {"-65536", "Illegal option: -65536"},
      {"-60000", "Illegal option: -60000"},  // an em size whose lines need more rows
  };
  for (const auto& [height, message] : cases) {
    SCOPED_TRACE(height);
    const std::string text = "DejaVu Sans,REGULAR," + height + ",STD,UC16";
    CMDLINE_SetArgText(text.c_str());
    CMD_Create();
    EXPECT_EQ(TakeErrors(), "|" + message);
    EXPECT_EQ(FONT_GetCurrent(), nullptr);
  }
}

TEST(CreateSaveAs, EditsBeyondTheLimitsChangeNothingInTheSavedFiles) {
  TempDir dir;
  const std::string create = "-createDejaVu Sans,REGULAR,16,EXT,UC16";
  ASSERT_EQ(RunMorvane(dir, {"-hide", create, "-enable0-FFFF,0,20-7E,1", "-saveasplain.xbf,XBF", "-exit"}).exitCode, 0);
  RunResult r = RunMorvane(dir, {"-hide", create, "-enable0-FFFF,0,20-7E,1", "-editMOVEV,41,-2147483648",
                                 "-editINS,BOTTOM,2147483647", "-editINST,41,2147483647", "-editMOVEH,20-7E,40000",
                                 "-saveasedited.xbf,XBF", "-exit"});
  EXPECT_EQ(r.exitCode, 1);
  const std::string count = "|Illegal edit commandline parameter <CNT>. Needs to be >0";
  EXPECT_EQ(ErrorFileEntries(dir), count + count + count + count);
  const std::string plain = ReadFile(dir.file("plain.xbf"));
  ASSERT_GT(plain.size(), 1000u);
  EXPECT_TRUE(ReadFile(dir.file("edited.xbf")) == plain);
}

TEST(CreateSaveAs, SaveAsRefusesUnknownFormatsAndStandardGreyFontsAsXbf) {
  TempDir dir;
  WriteFile(dir.file("old.xbf"), "keep");
  RunMorvane(dir, {"-hide", "-createDejaVu Sans,REGULAR,12,AA2,ISO8859", "-saveasold.xbf,XBF", "-saveasf.png,PNG",
                   "-saveasf.c,C", "-exit"});
  EXPECT_EQ(ErrorFileEntries(dir), "|Fonts of the type Standard 2bpp or 4bpp can not be saved in XBF-format.|Illegal option: PNG");
  EXPECT_EQ(ReadFile(dir.file("old.xbf")), "keep");
  EXPECT_FALSE(std::filesystem::exists(dir.file("f.png")));
  EXPECT_NE(ReadFile(dir.file("f.c")).find("GUI_FONTTYPE_PROP_AA2 /* type of font"), std::string::npos);
  RunMorvane(dir, {"-hide", "-createDejaVu Sans,REGULAR,12,EXT,UC16", "-saveasnoext,XBF", "-exit"});
  EXPECT_EQ(ReadFile(dir.file("noext")).substr(0, 4), "GUIX");
}

// A font file's path is matched by its suffix in any case; a file that is not a
// font is no face. (Golden.font_file_and_advance converts a font file.)
TEST(CreateSaveAs, AFontFileIsUsedWhenNoInstalledFaceHasThatName) {
  TempDir dir;
  const std::string path = TestFontPath("MorvaneRect.ttf");
  std::filesystem::copy_file(path, dir.file("Copy.TTF"));
  RunMorvane(dir, {"-hide", "-createCopy.TTF,REGULAR,20,STD,UC16", "-saveasrect2.c,C", "-exit"});
  EXPECT_TRUE(std::filesystem::exists(dir.file("rect2.c"))) << ErrorFileEntries(dir);
  // A file that is not a font is no face.
  WriteFile(dir.file("bad.ttf"), "not a font");
  std::filesystem::remove(dir.file("Morvane.err"));
  RunMorvane(dir, {"-hide", "-createbad.ttf,REGULAR,20,STD,UC16", "-exit"});
  EXPECT_EQ(ErrorFileEntries(dir), "|Font does not exist");
}

TEST(CreateSaveAs, StyleNamesReachTheNewFontAndAFailedCreateKeepsTheCurrentOne) {
  TakeErrors();
  CMDLINE_SetArgText("DejaVu Sans,HEAVY_ITALIC,16,AA2,JIS");  // replaces the current font
  CMD_Create();
  EXPECT_EQ(TakeErrors(), "");
  ASSERT_NE(FONT_GetCurrent(), nullptr);
  EXPECT_EQ(FONT_GetCurrent()->LogFont.Weight, 900);
  EXPECT_EQ(FONT_GetCurrent()->LogFont.Italic, 1);
  EXPECT_EQ(FONT_GetCurrent()->Encoding, ENCODING_JIS);
  EXPECT_EQ(FONT_GetCurrent()->AAMethod, AAMETHOD_OS);  // no METHOD given

  CMDLINE_SetArgText("DejaVu Sans,THIN,16,EXT,ISO8859");  // a failed create keeps the current font
  Font* before = FONT_GetCurrent();
  CMD_Create();
  EXPECT_EQ(TakeErrors(), "|Extended fonts can only be created using Unicode encoding.");
  EXPECT_EQ(FONT_GetCurrent(), before);
  FONT_SetCurrent(nullptr);
}

}  // namespace
