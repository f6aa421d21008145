// Pattern files of JIS fonts and the saved layout. Reading them (byte orders, the
// mark, the report of missing codes) runs in Conversions/Golden.pattern_files.
#include <gtest/gtest.h>

#include "input/pattern.h"
#include "output/savetest.h"
#include "settings/journal.h"

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

// Asking before replacing is WindowDialogsTest.OverwriteQuestionsAndWhatNoKeeps; the
// journal line of a read is in the golden C files of Conversions/Golden.*/pattern_files.
TEST(Pattern, SaveWritesItsJournalLineAndReadsBack) {
  SaveTest t;
  FontPtr pFont = LatinFont();
  for (int c = 0x20; c <= 0x17F; c += 7) FONT_EnableChar(pFont.get(), c, 1);
  const std::string path = t.dir.file("set.txt");
  JOURNAL_Clear();
  ASSERT_EQ(INPUT_SavePattern(pFont.get(), path.c_str()), 0);
  EXPECT_NE(std::string(JOURNAL_GetText()).find("* Save pattern file: " + path), std::string::npos);
  FontPtr copy = LatinFont();
  EXPECT_EQ(INPUT_ReadPattern(copy.get(), path.c_str()), 0);
  EXPECT_EQ(EnabledCodes(copy.get()), EnabledCodes(pFont.get()));
}

}  // namespace
