#include "model/codetables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/font.h"

namespace {

class CodeTables : public ::testing::Test {
 protected:
  void SetUp() override {
    SJIS_Init();
    UNICODE_Init();
  }
};

std::string NameOr(const char* pName) { return pName ? pName : "(null)"; }

}  // namespace

TEST_F(CodeTables, ShiftJisTableHasItsRomanKanaAndDoubleByteRows) {
  ASSERT_EQ(SJIS_NumRows, 7037);
  EXPECT_EQ(SJIS_aTable[SJIS_NumRows].Sjis, 0);
  EXPECT_EQ(SJIS_aTable[SJIS_NumRows].Unicode, 0);
  EXPECT_EQ(SJIS_aTable[SJIS_NumRows].pName, nullptr);
  int roman = 0, kana = 0, doubleByte = 0;
  std::set<uint16_t> unicodes;
  for (int i = 0; i < SJIS_NumRows; ++i) {
    const SjisRow& row = SJIS_aTable[i];
    if (row.Sjis >= 0x20 && row.Sjis <= 0x7E) ++roman;
    if (row.Sjis >= 0xA1 && row.Sjis <= 0xDF) {
      ++kana;
      EXPECT_EQ(row.Unicode, 0xFF61 + (row.Sjis - 0xA1));
    }
    if (row.Sjis > 0xFF) {
      ++doubleByte;
      const int lead = row.Sjis >> 8;
      EXPECT_TRUE((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA)) << std::hex << row.Sjis;
    }
    unicodes.insert(row.Unicode);
    // One-to-one: every row survives the round trip through both lookups.
    EXPECT_EQ(SJIS_FromUnicode(SJIS_ToUnicode(row.Sjis)), row.Sjis);
  }
  EXPECT_EQ(roman, 95);
  EXPECT_EQ(kana, 63);
  EXPECT_EQ(doubleByte, 6879);
  EXPECT_EQ(unicodes.size(), 7037u);
}

TEST_F(CodeTables, ShiftJisLookups) {
  const struct {
    uint16_t sjis, unicode;
    const char* name;
  } rows[] = {
      {0x5C, 0x00A5, "YEN SIGN"},        {0x7E, 0x203E, "OVERLINE"},        {0x815F, 0x005C, "REVERSE SOLIDUS"},
      {0x8160, 0x301C, "WAVE DASH"},     {0x817C, 0x2212, "MINUS SIGN"},    {0x20, 0x0020, "SPACE"},
      {0x8141, 0x3001, "IDEOGRAPHIC COMMA"}, {0x889F, 0x4E9C, "<CJK>"},
      {0xA1, 0xFF61, "HALFWIDTH IDEOGRAPHIC FULL STOP"}, {0xDF, 0xFF9F, "HALFWIDTH KATAKANA SEMI-VOICED SOUND MARK"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(SJIS_ToUnicode(row.sjis), row.unicode) << std::hex << row.sjis;
    EXPECT_EQ(SJIS_FromUnicode(row.unicode), row.sjis) << std::hex << row.sjis;
    EXPECT_EQ(NameOr(SJIS_GetCharName(row.sjis)), row.name) << std::hex << row.sjis;
  }

  // Unmapped codes in both directions.
  for (uint16_t code : {0x00, 0x0A, 0x1F, 0x7F, 0x80, 0xA0, 0xE0, 0xFF, 0x8140 + 0x3F, 0xEAA5}) {
    EXPECT_EQ(SJIS_ToUnicode(code), 0) << std::hex << code;
    EXPECT_EQ(SJIS_GetCharName(code), nullptr) << std::hex << code;
  }
  EXPECT_EQ(SJIS_FromUnicode(0x00E9), 0);
  EXPECT_EQ(SJIS_FromUnicode(0xFF3C), 0);  // the full-width solidus is not in the map
  EXPECT_EQ(SJIS_FromUnicode(0x0000), 0);
}

TEST_F(CodeTables, UnicodeDatabaseAsOfVersion41) {
  ASSERT_EQ(UNICODE_NumRows, 13076);
  for (int i = 1; i < UNICODE_NumRows; ++i) ASSERT_LT(UNICODE_aTable[i - 1].Code, UNICODE_aTable[i].Code);
  EXPECT_LE(UNICODE_aTable[UNICODE_NumRows - 1].Code, 0xFFFD);

  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x0041)), "LATIN CAPITAL LETTER A");
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x0000)), "<control>");
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x0237)), "LATIN SMALL LETTER DOTLESS J");  // new in 4.1
  EXPECT_EQ(UNICODE_GetCharName(0x0242), nullptr);  // 5.0
  EXPECT_EQ(UNICODE_GetCharName(0x20B9), nullptr);  // 6.0
  EXPECT_EQ(UNICODE_GetCharName(0x0378), nullptr);  // never assigned
  EXPECT_EQ(UNICODE_GetBidiClass(0x0378), 0);

  // First/last ranges: their two rows only, with the ends of 4.1.
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x4E00)), "<CJK Ideograph, First>");
  EXPECT_EQ(UNICODE_GetCharName(0x4E01), nullptr);
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x9FBB)), "<CJK Ideograph, Last>");
  EXPECT_EQ(UNICODE_GetCharName(0x9FFF), nullptr);
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0x4DB5)), "<CJK Ideograph Extension A, Last>");
  EXPECT_EQ(UNICODE_GetCharName(0x4DBF), nullptr);
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0xD7A3)), "<Hangul Syllable, Last>");
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0xE000)), "<Private Use, First>");
  EXPECT_EQ(UNICODE_GetCharName(0xE001), nullptr);
  EXPECT_EQ(NameOr(UNICODE_GetCharName(0xF8FF)), "<Private Use, Last>");
}

TEST_F(CodeTables, BidirectionalClassNumbers) {
  EXPECT_EQ(UNICODE_GetBidiClass(0x064B), BIDI_NSM);  // ARABIC FATHATAN
  const struct {
    uint16_t code;
    int bidi;
  } cases[] = {
      {0x0021, 1},  {0x0041, 2},  {0x05D0, 3},  {0x0660, 4},  {0x0030, 5},  {0x0627, 6},  {0x002C, 8},
      {0x002B, 9},  {0x0023, 10}, {0x0000, 11}, {0x0009, 12}, {0x0020, 13}, {0x000A, 14}, {0x202E, 15},
      {0x202B, 16}, {0x202D, 17}, {0x202A, 18}, {0x202C, 19}, {0x4E00, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(UNICODE_GetBidiClass(c.code), c.bidi) << std::hex << c.code;
}

TEST_F(CodeTables, BlockListCoversTheBmpWithTwoGaps) {
  ASSERT_EQ(UNICODE_NumBlocks, 163);
  EXPECT_STREQ(UNICODE_aBlocks[0].pName, "Basic Latin");
  EXPECT_STREQ(UNICODE_aBlocks[3].pName, "Latin Extended-B");
  EXPECT_EQ(UNICODE_aBlocks[3].Last, 0x024F);
  EXPECT_STREQ(UNICODE_aBlocks[162].pName, "Specials");
  std::string gaps;
  int32_t next = 0;
  for (int i = 0; i < UNICODE_NumBlocks; ++i) {
    const UnicodeBlockRow& row = UNICODE_aBlocks[i];
    EXPECT_EQ(row.First % 16, 0) << row.pName;
    EXPECT_EQ(row.Last % 16, 15) << row.pName;
    if (row.First != next) gaps += std::to_string(next) + "-" + std::to_string(row.First - 1) + " ";
    next = row.Last + 1;
  }
  EXPECT_EQ(next, 0x10000);
  EXPECT_EQ(gaps, std::to_string(0x0870) + "-" + std::to_string(0x089F) + " " + std::to_string(0x2FE0) + "-" +
                      std::to_string(0x2FEF) + " ");
}

TEST(Areas, SixteenBitFontGetsEveryBlockOfTheList) {
  FontPtr font = FONT_Alloc();
  font->Has16BitCodes = 1;
  font->NumBlocks = 4096;
  FONT_AssignAreas(font.get());
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x000), "Basic Latin");
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x08A), "Arabic Extended-A");
  EXPECT_EQ(FONT_GetBlockArea(font.get(), 0x087), -1);
  EXPECT_EQ(FONT_GetBlockAreaName(font.get(), 0x087), nullptr);
  EXPECT_EQ(FONT_GetBlockAreaName(font.get(), 0x089), nullptr);
  EXPECT_EQ(FONT_GetBlockAreaName(font.get(), 0x2FE), nullptr);
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x2FF), "Ideographic Description Characters");
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x4DB), "CJK Unified Ideographs Extension A");
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x9FF), "CJK Unified Ideographs");
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0xFFF), "Specials");
  EXPECT_EQ(FONT_GetBlockAreaName(font.get(), 4096), nullptr);
  int withoutArea = 0;
  for (uint32_t b = 0; b < 4096; ++b) withoutArea += FONT_GetBlockArea(font.get(), b) < 0;
  EXPECT_EQ(withoutArea, 4);  // 0x087..0x089 and 0x2FE
}

TEST(Areas, EightBitFontGetsTheLatinBlocksOnly) {
  FontPtr font = FONT_Alloc();
  font->Has16BitCodes = 0;
  font->NumBlocks = 16;
  font->aBlock[0x100].Area = 7;  // stale value from before: reset as well
  FONT_AssignAreas(font.get());
  for (uint32_t b = 0; b < 4096; ++b) EXPECT_EQ(FONT_GetBlockArea(font.get(), b) >= 0, b <= 0x24) << std::hex << b;
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x0F), "Latin-1 Supplement");
  EXPECT_STREQ(FONT_GetBlockAreaName(font.get(), 0x24), "Latin Extended-B");
  EXPECT_EQ(FONT_GetBlockAreaName(font.get(), 0x25), nullptr);
}
