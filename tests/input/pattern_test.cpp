// Pattern files: both byte orders, the mark rule, JIS fonts, the missing-code
// report and the saved layout.
#include <gtest/gtest.h>

#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "input/pattern.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/journal.h"
#include "support/errorlog.h"

namespace {

int Dot(int, int) { return 1; }

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

// A UC16 font whose characters 0x20..0x17F exist but are all disabled.
FontPtr LatinFont() {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
  for (int c = 0x20; c <= 0x17F; ++c) AddChar(pFont.get(), c, 2, 8, Dot);
  FONT_EnableRange(pFont.get(), 0, 0xFFFF, 0);
  return pFont;
}

std::vector<int> EnabledCodes(const Font* pFont) {
  std::vector<int> codes;
  for (int c = 0; c < FONT_NUM_CODES; ++c)
    if (FONT_IsCharEnabled(pFont, c)) codes.push_back(c);
  return codes;
}

TEST(Pattern, BothByteOrdersEnableTheListedCharacters) {
  const std::vector<int> expected = {0x41, 0x42, 0xE9};
  FontPtr le = LatinFont();
  EXPECT_EQ(INPUT_ApplyPattern(le.get(), Bytes({0xFF, 0xFE, 0x41, 0, 0x42, 0, 0x0D, 0, 0x0A, 0, 0xE9, 0})), "");
  EXPECT_EQ(EnabledCodes(le.get()), expected);
  FontPtr be = LatinFont();
  EXPECT_EQ(INPUT_ApplyPattern(be.get(), Bytes({0xFE, 0xFF, 0, 0x41, 0, 0x42, 0, 0x0D, 0, 0x0A, 0, 0xE9})), "");
  EXPECT_EQ(EnabledCodes(be.get()), expected);
  // Without a mark the first unit is still taken as one, and little-endian rules.
  FontPtr bare = LatinFont();
  INPUT_ApplyPattern(bare.get(), Bytes({0x41, 0, 0x42, 0, 0xE9, 0}));
  EXPECT_EQ(EnabledCodes(bare.get()), (std::vector<int>{0x42, 0xE9}));
  // A final odd byte is a last unit with a zero high byte.
  FontPtr odd = LatinFont();
  INPUT_ApplyPattern(odd.get(), Bytes({0xFF, 0xFE, 0x43}));
  EXPECT_EQ(EnabledCodes(odd.get()), (std::vector<int>{0x43}));
}

TEST(Pattern, ReadingOnlyEnables) {
  FontPtr pFont = LatinFont();
  FONT_EnableChar(pFont.get(), 0x30, 1);
  FONT_EnableChar(pFont.get(), 0x41, 1);
  INPUT_ApplyPattern(pFont.get(), Bytes({0xFF, 0xFE, 0x41, 0, 0x41, 0, 0x09, 0, 0x20, 0}));
  EXPECT_EQ(EnabledCodes(pFont.get()), (std::vector<int>{0x20, 0x30, 0x41}));
}

TEST(Pattern, TwelveMissingCodesStandTenOnALine) {
  FontPtr pFont = LatinFont();
  FONT_SetFileName(pFont.get(), "fonts/latin.c");
  std::string image = Bytes({0xFF, 0xFE, 0x41, 0});
  for (int c = 0x4E00; c < 0x4E0C; ++c) image += Bytes({c & 0xFF, c >> 8});
  EXPECT_EQ(INPUT_ApplyPattern(pFont.get(), image),
            "Problem occured when calculating the content of the following font file:\r\n\r\n"
            "fonts/latin.c\r\n\r\n"
            "The following character codes found in the pattern file are not part of the that font file:\r\n"
            "\r\n4E00, 4E01, 4E02, 4E03, 4E04, 4E05, 4E06, 4E07, 4E08, 4E09"
            "\r\n4E0A, 4E0B");
  EXPECT_EQ(EnabledCodes(pFont.get()), (std::vector<int>{0x41}));
}

TEST(Pattern, LongReportIsCutWithOneEllipsis) {
  FontPtr pFont = LatinFont();
  std::string image = Bytes({0xFF, 0xFE});
  for (int c = 0x3000; c < 0x3400; ++c) image += Bytes({c & 0xFF, c >> 8});
  const std::string report = INPUT_ApplyPattern(pFont.get(), image);
  EXPECT_NE(report.find("<?\?\?>"), std::string::npos);
  EXPECT_LE(report.size(), 1000u);
  EXPECT_EQ(report.substr(report.size() - 3), "...");
  EXPECT_EQ(report.find("..."), report.size() - 3);
  EXPECT_GE(report.size() - 3, 961u);
  EXPECT_LT(report.size() - 3 - 6, 961u);  // the last code was added below the limit
}

TEST(Pattern, JisFontsReadBytes) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_JIS, 8);
  AddChar(pFont.get(), 0x41, 2, 8, Dot);
  AddChar(pFont.get(), 0x82A0, 2, 8, Dot);
  FONT_EnableRange(pFont.get(), 0, 0xFFFF, 0);
  EXPECT_EQ(INPUT_ApplyPattern(pFont.get(), Bytes({0x41, 0x82, 0xA0, 0x83})), "");
  EXPECT_EQ(EnabledCodes(pFont.get()), (std::vector<int>{0x41, 0x82A0}));
  // A file saved from a JIS font holds 16-bit units: read back byte by byte it
  // names other codes.
  const std::string saved = INPUT_FormatPattern(pFont.get());
  EXPECT_EQ(saved, Bytes({0xFF, 0xFE, 0x41, 0, 0x0D, 0, 0x0A, 0, 0xA0, 0x82}));
  FONT_EnableRange(pFont.get(), 0, 0xFFFF, 0);
  EXPECT_NE(INPUT_ApplyPattern(pFont.get(), saved), "");  // 0xFFFE, 0xA000 ... are missing
  EXPECT_EQ(EnabledCodes(pFont.get()), (std::vector<int>{0x41}));
}

TEST(Pattern, SavedLayoutPutsEachGroupOnItsLine) {
  FontPtr pFont = LatinFont();
  for (int c : {0x41, 0x42, 0x61}) FONT_EnableChar(pFont.get(), c, 1);
  EXPECT_EQ(INPUT_FormatPattern(pFont.get()), Bytes({0xFF, 0xFE, 0x41, 0, 0x42, 0, 0x0D, 0, 0x0A, 0, 0x61, 0}));
  FontPtr none = LatinFont();
  EXPECT_EQ(INPUT_FormatPattern(none.get()), Bytes({0xFF, 0xFE}));
}

TEST(Pattern, SaveAsksBeforeReplacingAndReadsBack) {
  SaveTest t;
  FontPtr pFont = LatinFont();
  for (int c = 0x20; c <= 0x17F; c += 7) FONT_EnableChar(pFont.get(), c, 1);
  const std::string path = t.dir.file("set.txt");
  JOURNAL_Clear();
  ASSERT_EQ(INPUT_SavePattern(pFont.get(), path.c_str()), 0);
  EXPECT_NE(std::string(JOURNAL_GetText()).find("* Save pattern file: " + path), std::string::npos);
  t.services.answer = false;
  FONT_EnableChar(pFont.get(), 0x21, 1);
  EXPECT_EQ(INPUT_SavePattern(pFont.get(), path.c_str()), 1);
  EXPECT_EQ(t.services.questions, std::vector<std::string>{"Overwrite existing file?"});
  FontPtr copy = LatinFont();
  EXPECT_EQ(INPUT_ReadPattern(copy.get(), path.c_str()), 0);
  FONT_EnableChar(pFont.get(), 0x21, 0);
  EXPECT_EQ(EnabledCodes(copy.get()), EnabledCodes(pFont.get()));
  EXPECT_NE(std::string(JOURNAL_GetText()).find("* Read pattern file: " + path), std::string::npos);
}

}  // namespace
