// Pattern files in UTF-8 (with or without the mark) beside the UTF-16 ones: which
// form a file is read in, the codes it enables and the codes it reports missing.
// UTF-16 files of either byte order, without a mark, and Shift_JIS bytes are the
// golden case pattern_files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/pattern.h"
#include "model/codetables.h"
#include "support/fontfixture.h"

namespace {

int Dot(int, int) { return 1; }

struct Case {
  const char* pName;
  int Encoding;
  std::string File;
  std::vector<int> Enabled;
  std::string Missing;  // the listed codes that end the report; empty: no report
};

TEST(PatternUtf8, EachFormIsReadAsItsTextSays) {
  SJIS_Init();
  const std::string mark = "\xEF\xBB\xBF";
  const Case aCase[] = {
      {"UTF-8 after its mark", ENCODING_UC16, mark + "AB\r\n\xC3\xA9", {0x41, 0x42, 0xE9}, ""},
      {"UTF-8 without a mark, beyond 16 bits too", ENCODING_UC16,
       "AB\n\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", {0x41, 0x42, 0xE9}, "\r\n20AC, 1F600"},
      {"plain ASCII is UTF-8", ENCODING_UC16, "BA", {0x41, 0x42}, ""},
      {"a malformed byte after the mark is skipped", ENCODING_UC16, mark + "A\xFF" "B", {0x41, 0x42}, ""},
      {"neither mark, nor zero byte, nor valid UTF-8: little-endian", ENCODING_UC16, "A\xE9" "B", {0x42}, ""},
      {"JIS font, UTF-8: Shift_JIS codes, Unicode in the report", ENCODING_JIS,
       "A\xE3\x81\x82\xE6\xBC\xA2", {0x41, 0x82A0}, "\r\n6F22"},
  };
  for (const Case& c : aCase) {
    SCOPED_TRACE(c.pName);
    FontPtr pFont = NewFont(FONTTYPE_STD, c.Encoding, 8);
    for (int code = 0x20; code <= 0x17F; ++code) AddChar(pFont.get(), uint16_t(code), 2, 8, Dot);
    AddChar(pFont.get(), 0x82A0, 2, 8, Dot);
    FONT_EnableRange(pFont.get(), 0, 0xFFFF, 0);
    const std::string report = INPUT_ApplyPattern(pFont.get(), c.File);
    std::vector<int> enabled;
    for (int code = 0; code < FONT_NUM_CODES; ++code)
      if (FONT_IsCharEnabled(pFont.get(), uint16_t(code))) enabled.push_back(code);
    EXPECT_EQ(enabled, c.Enabled);
    if (c.Missing.empty()) {
      EXPECT_EQ(report, "");
    } else {
      const std::string head = "not part of the that font file:\r\n";
      ASSERT_NE(report.find(head), std::string::npos) << report;
      EXPECT_EQ(report.substr(report.find(head) + head.size()), c.Missing);
    }
  }
}

}  // namespace
