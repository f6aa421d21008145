// Reading XBF files back: every type with its trailer, old files without one
// (the type question; detection on generated fonts is run end to end in the
// golden cases), and damaged files. The attached text written back whole and
// characters taller than their font read back and merged are the golden cases
// xbf_kept_text and xbf_characters_taller_than_the_font.
#include <gtest/gtest.h>

#include "input/readtest.h"
#include "input/xbf_read.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/journal.h"
#include "settings/settings.h"

namespace {

// The XBF reader records the packed row of the font's type.
const FileRowBytesRule XbfFileRowBytes = FONT_GetRowBytes;

const char kCreateFailed[] = "Could not create font!";

std::string WithoutTrailer(const std::string& file) { return file.substr(0, file.size() - 4); }

class XbfReadTypes : public ::testing::TestWithParam<int32_t> {};

TEST_P(XbfReadTypes, TrailerGivesTheTypeWithoutAQuestion) {
  const int32_t type = GetParam();
  SaveTest t;
  t.UseSettings("SuppressDetectXBF=1\n");
  FontPtr saved = TestFont(type, ENCODING_UC16, {{0x20, 0x7E}, {0xA0, 0xFF}, {0x4E00, 0x4E20}});
  const std::string file = t.Save(saved.get(), "round.xbf", OUT_FORMAT_XBF);
  ASSERT_EQ(file.substr(0, 4), "GUIX");
  JOURNAL_Add("* a line of the previous font");
  FontPtr read = INPUT_ReadXbf(t.dir.file("round.xbf").c_str());
  ASSERT_TRUE(read) << (t.services.boxes.empty() ? "" : t.services.boxes.back());
  EXPECT_TRUE(t.services.boxes.empty());
  EXPECT_TRUE(t.services.xbfQuestions.empty());
  EXPECT_EQ(JOURNAL_GetLength(), 0u);
  ASSERT_FALSE(t.services.status.empty());
  EXPECT_EQ(t.services.status.back(), "Ready");

  EXPECT_GE(FONT_GetBlockArea(read.get(), 0x4E), 0);
  ExpectSameCharacters(saved.get(), read.get(), XbfFileRowBytes);
  // Saving what was read gives the same file again: type, baseline and heights
  // came back (how each header field is read: the reader cases of tests/data).
  EXPECT_EQ(t.Save(read.get(), "again.xbf", OUT_FORMAT_XBF), file);
}

INSTANTIATE_TEST_SUITE_P(EveryType, XbfReadTypes,
                         ::testing::Values(FONTTYPE_STD, FONTTYPE_AA2, FONTTYPE_AA4, FONTTYPE_EXT, FONTTYPE_EXT_FRM,
                                           FONTTYPE_EXT_AA2, FONTTYPE_EXT_AA4));

TEST(XbfRead, UndecidableOldFilesAskForTheTypeAndKeepTheAnswer) {
  SaveTest t;
  t.UseSettings("GetTypeXBF=4\n");
  // Narrow characters only; and wide ones none of which has a saved neighbour.
  FontPtr narrow = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  for (uint16_t code : {0x41, 0x42, 0x43}) AddChar(narrow.get(), code, 4, 6, [](int x, int y) { return x == y; }, 0, 7, 5);
  FontPtr apart = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  for (uint16_t code : {0x41, 0x43, 0x45}) AddChar(apart.get(), code, 9, 6, [](int x, int y) { return x > y; }, 0, 7, 10);
  WriteFile(t.dir.file("narrow.xbf"), WithoutTrailer(t.Save(narrow.get(), "n.xbf", OUT_FORMAT_XBF)));
  WriteFile(t.dir.file("apart.xbf"), WithoutTrailer(t.Save(apart.get(), "a.xbf", OUT_FORMAT_XBF)));

  t.services.xbfAnswer = FONTTYPE_EXT;
  FontPtr read = INPUT_ReadXbf(t.dir.file("narrow.xbf").c_str());
  ASSERT_TRUE(read);
  EXPECT_EQ(t.services.xbfQuestions, std::vector<int>{FONTTYPE_EXT_FRM});
  EXPECT_EQ(read->Type, FONTTYPE_EXT);
  ExpectSameCharacters(narrow.get(), read.get(), XbfFileRowBytes);
  Settings settings;
  SETTINGS_Load(&settings);
  EXPECT_EQ(settings.GetTypeXBF, FONTTYPE_EXT);

  read = INPUT_ReadXbf(t.dir.file("apart.xbf").c_str());
  ASSERT_TRUE(read);
  EXPECT_EQ(t.services.xbfQuestions, (std::vector<int>{FONTTYPE_EXT_FRM, FONTTYPE_EXT}));
  ExpectSameCharacters(apart.get(), read.get(), XbfFileRowBytes);

  t.services.xbfAnswer = -1;
  EXPECT_FALSE(INPUT_ReadXbf(t.dir.file("apart.xbf").c_str()));
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{kCreateFailed});
  SETTINGS_Load(&settings);
  EXPECT_EQ(settings.GetTypeXBF, FONTTYPE_EXT);  // a cancelled question stores nothing
}

// With detection suppressed even a decidable old file needs the question (the golden
// case old_xbf_with_detection_suppressed); it comes before the magic is looked at.
TEST(XbfRead, WithDetectionSuppressedTheQuestionComesFirst) {
  SaveTest t;
  t.UseSettings("SuppressDetectXBF=1\n");
  t.services.xbfAnswer = FONTTYPE_EXT;
  EXPECT_FALSE(INPUT_ParseXbf("not a font file at all"));
  EXPECT_EQ(t.services.xbfQuestions.size(), 1u);
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{kCreateFailed});
}

TEST(XbfRead, DamagedFilesFailWithTheMessage) {
  SaveTest t;
  FontPtr saved = TestFont(FONTTYPE_EXT_FRM, ENCODING_UC16, {{0x41, 0x48}});
  const std::string file = t.Save(saved.get(), "frm.xbf", OUT_FORMAT_XBF);
  const std::string trailer = file.substr(file.size() - 4);
  ASSERT_EQ(trailer, std::string("XBF\x04", 4));

  // Cut anywhere in front of the last block, the trailer put back: the index or a
  // block reaches past the end.
  const size_t lastEntry = 18 + 6 * 7;
  const size_t lastBlock = uint8_t(file[lastEntry]) | uint8_t(file[lastEntry + 1]) << 8;
  ASSERT_GT(lastBlock, lastEntry);
  for (size_t size = 0; size < lastBlock; ++size) {
    if (size >= 14 && size < 18) continue;  // the trailer's bytes become a code range that is empty
    t.services.boxes.clear();
    EXPECT_FALSE(INPUT_ParseXbf(file.substr(0, size) + trailer)) << size;
    EXPECT_EQ(t.services.boxes, std::vector<std::string>{kCreateFailed}) << size;
  }

  EXPECT_TRUE(t.services.xbfQuestions.empty());
}

}  // namespace
