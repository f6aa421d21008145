// The XBF writer's size limit and the save dispatcher. Whole files are
// compared with golden files (Conversions/Golden.*) and across formats (CCompile.*);
// a font with nothing enabled saving nothing is the golden case nothing_to_save and,
// in the window, WindowDocumentTest.ASaveThatWroteNothingLeavesTheFontModified.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "output/flashsize.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/settings.h"

namespace {

// The files of the folder but the settings, sorted.
std::string Listing(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    if (e.path().filename() != "config") names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string text;
  for (const auto& n : names) text += n + " ";
  return text;
}

// Standard 1 bpp, height 10: 'A' (0x41) of width 6 inked in column 0, 'C' (0x43) of
// width 7 with three empty rows, a full row and then its last column.
FontPtr AandC(int32_t type = FONTTYPE_STD) {
  FontPtr f = NewFont(type, ENCODING_UC16, 10);
  f->Baseline = 8;
  AddChar(f.get(), 0x41, 6, 10, [](int x, int) { return x == 0; }, 0, 8, 6);
  AddChar(f.get(), 0x43, 7, 10, [](int x, int y) { return y == 3 || (y > 3 && x == 6); }, 0, 8, 7);
  return f;
}

// The save such a character refuses, keeping the old file, is the golden case
// xbf_block_too_large; the flash-size figures say so beforehand.
TEST(XbfWriter, ABlockBeyondSixteenBitsIsForeseenByTheFlashFigures) {
  SaveTest t;
  t.UseSettings("MagX=4\nMagY=4\n");
  FontPtr f = NewFont(FONTTYPE_EXT_AA4, ENCODING_UC16, 100);
  AddChar(f.get(), 0x41, 100, 100, [](int, int) { return 15; });  // 400 x 400 pixels, 80000 bytes
  Settings settings;
  SETTINGS_Load(&settings);
  FlashSize size;
  OUT_ComputeFlashSize(f.get(), settings, &size);
  EXPECT_EQ(size.XbfPossible, 0);
  EXPECT_EQ(size.PixelBytes, 400u * 200u);
}

TEST(SaveDispatcher, AsksBeforeOverwritingOnlyWhenToldAndWhenTheFileExists) {
  SaveTest t;
  FontPtr f = AandC();
  WriteFile(t.dir.file("a.xbf"), "mine");
  int result = -1;
  t.services.answer = false;
  EXPECT_EQ(t.Save(f.get(), "a.xbf", OUT_FORMAT_XBF, 1, &result), "mine");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(t.services.questions, std::vector<std::string>{"Overwrite existing file?"});
  t.services.answer = true;
  EXPECT_EQ(t.Save(f.get(), "a.xbf", OUT_FORMAT_XBF, 1, &result).substr(0, 4), "GUIX");
  EXPECT_EQ(result, 0);
  t.services.questions.clear();
  t.Save(f.get(), "fresh.xbf", OUT_FORMAT_XBF, 1);  // nothing to ask about
  t.Save(f.get(), "a.xbf", OUT_FORMAT_XBF, 0);      // not asked to ask
  EXPECT_TRUE(t.services.questions.empty());
}

TEST(SaveDispatcher, AFailedWriteIsReportedAsTheResultAndLeavesTheTargetAlone) {
  SaveTest t;
  FontPtr f = AandC();
  int result = -1;
  t.Save(f.get(), "no/such/folder/a.c", OUT_FORMAT_C, 0, &result);
  EXPECT_EQ(result, OUT_SAVE_FAILED);
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{"Writing error"});
  std::filesystem::create_directory(t.dir.file("adir"));  // a folder can't be replaced by a file
  t.Save(f.get(), "adir", OUT_FORMAT_SIF, 0, &result);
  EXPECT_EQ(result, OUT_SAVE_FAILED);
  EXPECT_EQ(t.services.boxes, std::vector<std::string>(2, "Writing error"));
  EXPECT_TRUE(std::filesystem::is_directory(t.dir.file("adir")));
  EXPECT_EQ(Listing(t.dir), "adir ");
}

}  // namespace
