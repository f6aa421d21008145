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

