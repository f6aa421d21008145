// The texts of a C font file that do not depend on its characters.
#include "output/cbanner.h"

#include <gtest/gtest.h>

namespace {

TEST(CFontName, IsDerivedFromTheFileNameUnlessTheFontHasOne) {
  EXPECT_EQ(CWRITE_DeriveFontName("font 12.c", ""), "GUI_Fontfont12");
  EXPECT_EQ(CWRITE_DeriveFontName("C:\\fonts\\My Font-16.c", ""), "GUI_FontMyFont16");
  EXPECT_EQ(CWRITE_DeriveFontName("my.font.c", ""), "GUI_Fontmy");  // cut at the first dot
  EXPECT_EQ(CWRITE_DeriveFontName("test.c", ""), "GUI_Fonttest");
  EXPECT_EQ(CWRITE_DeriveFontName("../out.d/dv_16.c", ""), "GUI_Fontdv_16");  // dots of folders don't count
  EXPECT_EQ(CWRITE_DeriveFontName("x/a\xC3\xA9+b.c", ""), "GUI_Fontab");      // UTF-8 bytes are not letters
  EXPECT_EQ(CWRITE_DeriveFontName("noext", ""), "GUI_Fontnoext");
  EXPECT_EQ(CWRITE_DeriveFontName("whatever.c", "GUI_Font_Kept"), "GUI_Font_Kept");
  EXPECT_EQ(CWRITE_DeriveFontName(std::string(300, 'a').c_str(), "").size(), 99u);
  EXPECT_EQ(CWRITE_SourceFileName("C:\\fonts\\My Font-16.c"), "My Font-16.c");
  EXPECT_EQ(CWRITE_SourceFileName("/tmp/x/dv16.c"), "dv16.c");
  EXPECT_EQ(CWRITE_SourceFileName("dv16.c"), "dv16.c");
}

TEST(CBanner, BuildTimeAndBoxLinesHaveTheirFixedForms) {
  EXPECT_EQ(CWRITE_FormatBuildTime("2023-05-04 14:21:42"), "May  4 2023, 14:21:42");
  EXPECT_EQ(CWRITE_FormatBuildTime("2026-12-16 09:05:01"), "Dec 16 2026, 09:05:01");
  EXPECT_EQ(CWRITE_FormatBuildTime("not a time"), "not a time");
  EXPECT_EQ(CWRITE_BoxLine("* Font:        X"), "* Font:        X" + std::string(53, ' ') + "*\r\n");
  EXPECT_EQ(CWRITE_BoxLine("*").size(), 72u);
  const std::string longText(75, 'L');
  EXPECT_EQ(CWRITE_BoxLine(longText), longText + "*\r\n");
}

}  // namespace
