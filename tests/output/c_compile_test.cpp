// Generated C files of every type compile with a strict C compiler, and the fonts
// they define hold exactly the characters of the XBF and SIF files saved from the
// same font.
#include <gtest/gtest.h>

#include <algorithm>

#include "output/cfontwalk.h"
#include "output/save.h"
#include "output/savetest.h"

namespace {

const char* const kTypeWords[] = {"std", "aa2", "aa4", "ext", "frm", "extaa2", "extaa4"};

// Characters with pseudo-random ink of every value, in three ranges, with
// negative and positive box offsets for the extended types.
FontPtr SampleFont(int32_t type) {
  FontPtr f = NewFont(type, ENCODING_UC16, 13);
  f->Baseline = 10;
  const bool ext = FONT_IsExtendedType(type);
  const int maxValue = (1 << FONT_GetBitsPerPixel(type)) - 1;
  auto add = [&](uint16_t code) {
    const int width = 1 + code % 11, height = ext ? 2 + code % 9 : 13;
    uint32_t seed = code * 2654435761u;
    AddChar(
        f.get(), code, width, height,
        [&](int x, int y) {
          if (type == FONTTYPE_EXT_FRM && (x == 0 || y == 0 || x == width - 1 || y == height - 1)) return 0;
          seed = seed * 1103515245u + 12345u + uint32_t(x * 7 + y);
          const int v = int(seed >> 16) % (maxValue + 3) - 2;  // some background
          return v < 0 ? 0 : v;
        },
        ext ? int(code % 5) - 2 : 0, ext ? 1 + code % 10 : 0, width + int(code % 3));
    FONT_CalcFrame(f.get(), code);
  };
  for (uint16_t c = 0x20; c <= 0x7E; ++c) add(c);
  for (uint16_t c = 0xA0; c <= 0xA5; ++c) add(c);
  for (uint16_t c = 0x4E00; c <= 0x4E03; ++c) add(c);
  return f;
}

// Splits a walk of several fonts at its "font" lines.
std::vector<std::string> SplitFonts(const std::string& walk) {
  std::vector<std::string> fonts;
  size_t at = 0;
  while ((at = walk.find("font ", at)) != std::string::npos) {
    size_t next = walk.find("\nfont ", at);
    fonts.push_back(walk.substr(at, next == std::string::npos ? std::string::npos : next + 1 - at));
    if (next == std::string::npos) break;
    at = next + 1;
  }
  return fonts;
}

std::string WithoutFirstLine(const std::string& text) { return text.substr(text.find('\n') + 1); }

void CheckAllTypes(const std::string& settings, bool compat) {
  SaveTest t;
  t.UseSettings(settings);
  std::vector<CFontFile> files;
  std::vector<std::string> expected;
  for (int32_t type = 0; type < FONT_NUM_TYPES; ++type) {
    FontPtr f = SampleFont(type);
    const std::string name = std::string("sample_") + kTypeWords[type];
    t.Save(f.get(), name + ".c", OUT_FORMAT_C);
    const std::string xbf = t.Save(f.get(), name + ".xbf", OUT_FORMAT_XBF);
    const std::string sif = t.Save(f.get(), name + ".sif", OUT_FORMAT_SIF);
    const std::string fromXbf = CFONT_Describe(CFONT_ParseXbf(xbf));
    const std::string fromSif = CFONT_Describe(CFONT_ParseSif(sif, FONT_IsExtendedType(type),
                                                              FONT_GetBitsPerPixel(type), type == FONTTYPE_EXT_FRM));
    EXPECT_EQ(fromXbf, fromSif) << kTypeWords[type];
    EXPECT_EQ(std::count(fromXbf.begin(), fromXbf.end(), '\n'), 1 + 95 + 6 + 4);
    expected.push_back(fromXbf);
    files.push_back({t.dir.file(name + ".c"), "GUI_Font" + name, FONT_IsExtendedType(type)});
  }
  // Long saves show their progress every 256 codes, and end with "Ready".
  EXPECT_NE(std::find(t.services.status.begin(), t.services.status.end(), "Saving character 4E00   "),
            t.services.status.end());
  EXPECT_EQ(t.services.status.back(), "Ready");
  std::string walk;
  ASSERT_TRUE(CFONT_CompileAndWalk(t.dir.path(), files, compat, &walk)) << walk;
  const std::vector<std::string> fonts = SplitFonts(walk);
  ASSERT_EQ(fonts.size(), size_t(FONT_NUM_TYPES)) << walk.substr(0, 2000);
  for (int32_t type = 0; type < FONT_NUM_TYPES; ++type) {
    if (compat) {  // the older record has no baseline and heights
      EXPECT_EQ(WithoutFirstLine(fonts[size_t(type)]), WithoutFirstLine(expected[size_t(type)])) << kTypeWords[type];
    } else {
      EXPECT_EQ(fonts[size_t(type)], expected[size_t(type)]) << kTypeWords[type];
    }
  }
}

TEST(CCompile, EveryTypeCompilesAndMatchesItsXbfAndSifFiles) { CheckAllTypes("", false); }

TEST(CCompile, CompatibilityLayoutCompilesAndMatchesToo) { CheckAllTypes("V350_Compatibility=1\n", true); }

TEST(CCompile, MagnifiedFontsMatchAcrossTheFormatsToo) { CheckAllTypes("MagX=2\nMagY=3\n", false); }

}  // namespace
