// The texts of a C font file that do not depend on its characters.
#include "output/cbanner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "support/tempdir.h"

namespace {

TEST(CFontName, IsDerivedFromTheFileNameUnlessTheFontHasOne) {
  EXPECT_EQ(OUT_DeriveFontName("font 12.c", ""), "GUI_Fontfont12");
  EXPECT_EQ(OUT_DeriveFontName("C:\\fonts\\My Font-16.c", ""), "GUI_FontMyFont16");
  EXPECT_EQ(OUT_DeriveFontName("my.font.c", ""), "GUI_Fontmy");  // cut at the first dot
  EXPECT_EQ(OUT_DeriveFontName("test.c", ""), "GUI_Fonttest");
  EXPECT_EQ(OUT_DeriveFontName("../out.d/dv_16.c", ""), "GUI_Fontdv_16");  // dots of folders don't count
  EXPECT_EQ(OUT_DeriveFontName("x/a\xC3\xA9+b.c", ""), "GUI_Fontab");      // UTF-8 bytes are not letters
  EXPECT_EQ(OUT_DeriveFontName("noext", ""), "GUI_Fontnoext");
  EXPECT_EQ(OUT_DeriveFontName("whatever.c", "GUI_Font_Kept"), "GUI_Font_Kept");
  EXPECT_EQ(OUT_DeriveFontName(std::string(300, 'a').c_str(), "").size(), 99u);
  EXPECT_EQ(OUT_SourceFileName("C:\\fonts\\My Font-16.c"), "My Font-16.c");
  EXPECT_EQ(OUT_SourceFileName("/tmp/x/dv16.c"), "dv16.c");
  EXPECT_EQ(OUT_SourceFileName("dv16.c"), "dv16.c");
}

TEST(CBanner, BuildTimeAndBoxLinesHaveTheirFixedForms) {
  EXPECT_EQ(OUT_FormatBuildTime(1683210102), "May  4 2023, 14:21:42");
  EXPECT_EQ(OUT_FormatBuildTime(1797411901), "Dec 16 2026, 09:05:01");
  EXPECT_EQ(OUT_BannerBoxLine("* Font:        X"), "* Font:        X" + std::string(53, ' ') + "*\r\n");
  EXPECT_EQ(OUT_BannerBoxLine("*").size(), 72u);
  const std::string longText(75, 'L');
  EXPECT_EQ(OUT_BannerBoxLine(longText), longText + "*\r\n");
}

// The build writes the build time with tools/buildtime.cmake; run here as the build
// runs it, with and without SOURCE_DATE_EPOCH.
std::string RunBuildTimeScript(const std::string& output, const char* epoch) {
  const std::string script = std::string(MORVANE_TEST_DATA) + "/../../tools/buildtime.cmake";
  std::string command = std::string(epoch ? "SOURCE_DATE_EPOCH=" + std::string(epoch) + " " : "env -u SOURCE_DATE_EPOCH ") +
                        "cmake -DOUTPUT='" + output + "' -P '" + script + "'";
  if (std::system(command.c_str()) != 0) return "(failed: " + command + ")";
  return ReadFile(output);
}

TEST(CBanner, BuildTimeIsWrittenWhenBuildingAndFollowsSourceDateEpoch) {
  TempDir dir;
  const std::string source = dir.file("buildtime.cpp");
  const std::string fixed = RunBuildTimeScript(source, "1683210102");
  EXPECT_NE(fixed.find("std::time_t OUT_GetBuildTime() { return 1683210102; }"), std::string::npos) << fixed;
  EXPECT_EQ(RunBuildTimeScript(source, "1683210102"), fixed);  // reproducible
  // Without it: the time of the run of the script.
  const std::time_t before = std::time(nullptr);
  const std::string now = RunBuildTimeScript(source, nullptr);
  const std::time_t after = std::time(nullptr);
  const size_t at = now.find("return ");
  ASSERT_NE(at, std::string::npos) << now;
  const long long written = std::atoll(now.c_str() + at + 7);
  EXPECT_GE(written, before);
  EXPECT_LE(written, after);
  // This program's own time is such a time, not one yet to come.
  EXPECT_LE(OUT_GetBuildTime(), before);
  EXPECT_GT(OUT_GetBuildTime(), 0);
}

}  // namespace
