// The XBF and SIF writers and the save dispatcher, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <initializer_list>

#include "output/save.h"
#include "output/savetest.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

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

TEST(XbfWriter, TwoCharactersWithAGapMakeTheSixtyEightByteFile) {
  SaveTest t;
  t.UseSettings("MeasurementChars=97,67,65\n");  // 'C' is measured as the lowercase character
  FontPtr f = AandC();
  const std::string expected =
      "GUIX" + Bytes({10, 0, 10, 0, 8, 0, 5, 0, 8, 0, 0x41, 0, 0x43, 0}) +  // header
      Bytes({36, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 50, 0, 0, 0, 14, 0}) +   // index
      Bytes({6, 0, 1, 0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}) +
      Bytes({7, 0, 1, 0, 0, 0, 0, 0xFE, 2, 2, 2, 2, 2, 2}) + "XBF" + Bytes({0});
  EXPECT_EQ(t.Save(f.get(), "ac.xbf", OUT_FORMAT_XBF), expected);
  EXPECT_EQ(expected.size(), 68u);
  EXPECT_TRUE(t.services.boxes.empty());
  EXPECT_EQ(t.services.status.back(), "Ready");
}

TEST(XbfWriter, MagnificationScalesBlocksButNotTheBaselineAndIsAnnounced) {
  SaveTest t;
  t.UseSettings("MagX=2\nMagY=3\n");
  FontPtr f = AandC();
  const std::string xbf = t.Save(f.get(), "ac.xbf", OUT_FORMAT_XBF);
  ASSERT_EQ(xbf.size(), 36u + 64 + 64 + 4);
  EXPECT_EQ(xbf.substr(4, 6), Bytes({30, 0, 30, 0, 8, 0}));  // height 30, baseline unchanged
  EXPECT_EQ(xbf.substr(18, 18), Bytes({36, 0, 0, 0, 64, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 64, 0}));
  EXPECT_EQ(xbf.substr(36, 6), Bytes({12, 0, 2, 0, 0xC0, 0}));  // width 12, 2 bytes per row
  EXPECT_EQ(xbf.substr(100, 4), Bytes({14, 0, 2, 0}));
  // 'C' row 3 (full, 7 pixels) becomes written rows 9..11 of 14 pixels.
  EXPECT_EQ(xbf.substr(104 + 9 * 2, 6), Bytes({0xFF, 0xFC, 0xFF, 0xFC, 0xFF, 0xFC}));
  EXPECT_EQ(xbf.substr(104 + 8 * 2, 2), Bytes({0, 0}));
  ASSERT_EQ(t.services.boxes.size(), 1u);
  EXPECT_EQ(t.services.boxes[0],
            "The font file has been saved with\nthe following magnification factors:\n\nX: 2\nY: 3");
}

TEST(XbfWriter, ExtendedBlocksCarryPositionsAndFramesFollowTheirPixels) {
  SaveTest t;
  FontPtr f = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 12);
  f->Baseline = 9;
  // A 9 x 5 box: ink at (1..7, 2), framed above and below.
  AddChar(f.get(), 0x2D, 9, 5, [](int x, int y) { return y == 2 && x >= 1 && x <= 7; }, -2, 7, 8);
  FONT_CalcFrame(f.get(), 0x2D);
  const std::string xbf = t.Save(f.get(), "frm.xbf", OUT_FORMAT_XBF);
  ASSERT_EQ(xbf.size(), 18u + 6 + 32 + 4);
  EXPECT_EQ(xbf.substr(18, 6), Bytes({24, 0, 0, 0, 32, 0}));
  EXPECT_EQ(xbf.substr(24, 12), Bytes({8, 0, 9, 0, 5, 0, 0xFE, 0xFF, 2, 0, 2, 0}));  // XPos -2, YPos 9-7
  EXPECT_EQ(xbf.substr(36, 10), Bytes({0, 0, 0, 0, 0x7F, 0, 0, 0, 0, 0}));            // ink plane
  EXPECT_EQ(xbf.substr(46, 10), Bytes({0, 0, 0x7F, 0, 0x80, 0x80, 0x7F, 0, 0, 0}));   // frame plane
  EXPECT_EQ(xbf.substr(56), "XBF" + Bytes({4}));
}

TEST(XbfWriter, AttachedTextIsWrittenBackAfterTheTypeTrailer) {
  SaveTest t;
  FontPtr f = AandC(FONTTYPE_EXT);
  const char text[] = "kept text";
  f->pXbfText = std::make_unique<char[]>(sizeof(text));
  std::memcpy(f->pXbfText.get(), text, sizeof(text));
  const std::string xbf = t.Save(f.get(), "t.xbf", OUT_FORMAT_XBF);
  EXPECT_EQ(xbf.substr(xbf.size() - 23), "XBF" + Bytes({3}) + "kept textQRVB" + Bytes({9, 0}) + "XBF" + Bytes({3}));
}

TEST(XbfWriter, ABlockBeyondSixteenBitsRefusesTheSaveAndKeepsTheOldFile) {
  SaveTest t;
  t.UseSettings("MagX=4\nMagY=4\n");
  FontPtr f = NewFont(FONTTYPE_EXT_AA4, ENCODING_UC16, 100);
  AddChar(f.get(), 0x41, 100, 100, [](int, int) { return 15; });  // 400 x 400 pixels, 80000 bytes
  WriteFile(t.dir.file("big.xbf"), "old");
  EXPECT_EQ(t.Save(f.get(), "big.xbf", OUT_FORMAT_XBF), "old");
  ASSERT_EQ(t.services.boxes.size(), 2u);
  EXPECT_EQ(t.services.boxes[0],
            "Character 0041 is too large for an XBF file: it needs 80012 bytes, an XBF file holds at most "
            "65535 per character. Nothing was saved.");
  EXPECT_EQ(t.services.boxes[1].rfind("The font file has been saved with", 0), 0u);  // still shown
  EXPECT_EQ(Listing(t.dir), "big.xbf ");  // no temporary file left
}

TEST(SaveDispatcher, NothingEnabledSavesNothingAndKeepsAnExistingFile) {
  SaveTest t;
  FontPtr f = AandC();
  FONT_EnableRange(f.get(), 0, 0xFFFF, 0);
  for (int format : {OUT_FORMAT_C, OUT_FORMAT_SIF, OUT_FORMAT_XBF}) {
    WriteFile(t.dir.file("keep"), "previous contents");
    int result = -1;
    EXPECT_EQ(t.Save(f.get(), "keep", format, 0, &result), "previous contents");
    EXPECT_EQ(result, OUT_SAVE_NOTHING);
  }
  EXPECT_EQ(t.services.boxes, std::vector<std::string>(3, "Nothing to save!"));
  t.Save(f.get(), "new.c", OUT_FORMAT_C);
  EXPECT_FALSE(std::filesystem::exists(t.dir.file("new.c")));
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

// Standard 1 bpp, height 8: codes 0x20, 0x21 and 0x41, all 5 pixels wide.
FontPtr SpaceBangA(int32_t type) {
  FontPtr f = NewFont(type, ENCODING_UC16, 8);
  f->Baseline = 6;
  AddChar(f.get(), 0x20, 5, 8, [](int, int) { return 0; }, 0, 6, 5);
  AddChar(f.get(), 0x21, 5, 8, [](int x, int y) { return y >= 2 && x == 2; }, -1, 6, 6);
  AddChar(f.get(), 0x41, 5, 8, [](int x, int y) { return y == 0 || x == 0; }, 0, 6, 5);
  return f;
}

TEST(SifWriter, ThreeStandardCharactersInTwoRangesMakeTheEightyFourByteFile) {
  SaveTest t;
  t.UseSettings("MeasurementChars=97,33,65\n");  // '!' measured as the lowercase character
  FontPtr f = SpaceBangA(FONTTYPE_STD);
  const std::string expected =
      "GUIP" + Bytes({8, 0, 8, 0, 6, 0, 4, 0, 6, 0, 2, 0}) + Bytes({0x20, 0, 0x21, 0, 0x41, 0, 0x41, 0}) +
      Bytes({5, 0, 5, 0, 1, 0, 0, 0, 60, 0, 0, 0}) + Bytes({5, 0, 5, 0, 1, 0, 0, 0, 68, 0, 0, 0}) +
      Bytes({5, 0, 5, 0, 1, 0, 0, 0, 76, 0, 0, 0}) + std::string(8, '\0') +
      Bytes({0, 0, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}) + Bytes({0xF8, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80});
  EXPECT_EQ(t.Save(f.get(), "f.sif", OUT_FORMAT_SIF), expected);
  EXPECT_EQ(expected.size(), 84u);
}

TEST(SifWriter, ExtendedEntriesHoldBoxesAndSignedPositions) {
  SaveTest t;
  FontPtr f = SpaceBangA(FONTTYPE_EXT);
  const std::string sif = t.Save(f.get(), "f.sif", OUT_FORMAT_SIF);
  ASSERT_EQ(sif.size(), 72u + 24);
  EXPECT_EQ(sif.substr(24, 16), Bytes({5, 0, 8, 0, 0, 0, 0, 0, 5, 0, 0, 0, 72, 0, 0, 0}));
  EXPECT_EQ(sif.substr(40, 16), Bytes({5, 0, 8, 0, 0xFF, 0xFF, 0, 0, 6, 0, 0, 0, 80, 0, 0, 0}));
  EXPECT_EQ(sif.substr(72 + 16, 1), Bytes({0xF8}));
}

TEST(SifWriter, FramePlaneFollowsThePixelsAndMagnificationWidensStandardEntries) {
  SaveTest t;
  FontPtr frm = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 12);
  frm->Baseline = 9;
  AddChar(frm.get(), 0x2D, 9, 5, [](int x, int y) { return y == 2 && x >= 1 && x <= 7; }, 0, 7, 9);
  FONT_CalcFrame(frm.get(), 0x2D);
  std::string sif = t.Save(frm.get(), "frm.sif", OUT_FORMAT_SIF);
  ASSERT_EQ(sif.size(), 16u + 4 + 16 + 20);
  EXPECT_EQ(sif.substr(36), Bytes({0, 0, 0, 0, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0x7F, 0, 0x80, 0x80, 0x7F, 0, 0, 0}));

  t.UseSettings("MagX=2\n");
  FontPtr f = SpaceBangA(FONTTYPE_STD);
  sif = t.Save(f.get(), "mag.sif", OUT_FORMAT_SIF);
  EXPECT_EQ(sif.substr(24, 8), Bytes({10, 0, 10, 0, 2, 0, 0, 0}));
  EXPECT_EQ(sif.size(), 24u + 36 + 3 * 16);
  EXPECT_EQ(sif.substr(60 + 32, 4), Bytes({0xFF, 0xC0, 0xC0, 0}));  // 'A' row 0 and 1 doubled in width
  EXPECT_EQ(t.services.boxes.size(), 1u);  // MagX + MagY is 3: announced
}

}  // namespace
