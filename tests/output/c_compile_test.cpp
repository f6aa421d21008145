// Generated C files of every type compile with a strict C compiler, and the fonts
// they define hold exactly the characters of the XBF and SIF files saved from the
// same font. Compiled for a 32-bit target, each takes exactly the flash the figures
// count, record kind by record kind, after the running tally followed edits that
// split, grow and drop ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "input/readtest.h"
#include "output/cfontwalk.h"
#include "output/flashsize.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/settings.h"

namespace {

const char* const kTypeWords[] = {"std", "aa2", "aa4", "ext", "frm", "extaa2", "extaa4"};

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

// The object file's symbol sizes (nm -S), summed by kind.
std::map<std::string, uint64_t> SymbolBytes(const std::string& nmOutput, const std::string& fontName) {
  std::map<std::string, uint64_t> bytes;
  std::istringstream in(nmOutput);
  std::string address, size, kind, name;
  while (in >> address >> size >> kind >> name) {
    const std::string what = name == fontName                              ? "font"
                             : name == fontName + "_CharInfo"              ? "charinfo"
                             : name.rfind(fontName + "_Prop", 0) == 0      ? "ranges"
                             : name.rfind("ac" + fontName + "_", 0) == 0   ? "pixels"
                                                                           : "other " + name;
    bytes[what] += std::stoull(size, nullptr, 16);
  }
  return bytes;
}

std::string WithoutFirstLine(const std::string& text) { return text.substr(text.find('\n') + 1); }

void CheckAllTypes(const std::string& settingsLines, bool compat) {
  SaveTest t;
  t.UseSettings(settingsLines);
  std::vector<CFontFile> files;
  std::vector<std::string> expected;
  std::vector<FlashSize> sizes;
  Settings settings;
  SETTINGS_Load(&settings);
  for (int32_t type = 0; type < FONT_NUM_TYPES; ++type) {
    // Characters of varied boxes, positions and ink of every value in four ranges;
    // the test drops the last.
    FontPtr f = TestFont(type, ENCODING_UC16, {{0x20, 0x7E}, {0xA0, 0xA5}, {0x4E00, 0x4E03}, {0x3000, 0x3000}});
    FlashSizeTally tally;
    OUT_RebuildFlashSize(&tally, f.get(), settings);
    // A range split in two (a character disabled, one left with an empty box, which a
    // save disables), one grown, one dropped, as the window passes them on.
    FONT_EnableChar(f.get(), 0x41, 0);
    FONT_SetCharSize(f.get(), 0x42, 0, 0);
    AddChar(f.get(), 0xA6, 3, FONT_IsExtendedType(type) ? 4 : f->Height, [](int x, int) { return x & 1; });
    FONT_CalcFrame(f.get(), 0xA6);
    FONT_EnableChar(f.get(), 0x3000, 0);
    for (uint16_t code : {0x41, 0xA6, 0x3000}) OUT_UpdateFlashSize(&tally, f.get(), settings, code, code | 3);
    sizes.emplace_back();
    OUT_GetFlashSize(tally, f.get(), &sizes.back());
    EXPECT_EQ(sizes.back().NumRanges, 4u);
    const std::string name = std::string("sample_") + kTypeWords[type];
    t.Save(f.get(), name + ".c", OUT_FORMAT_C);
    const std::string xbf = t.Save(f.get(), name + ".xbf", OUT_FORMAT_XBF);
    const std::string sif = t.Save(f.get(), name + ".sif", OUT_FORMAT_SIF);
    const std::string fromXbf = CFONT_Describe(CFONT_ParseXbf(xbf));
    const std::string fromSif = CFONT_Describe(CFONT_ParseSif(sif, FONT_IsExtendedType(type),
                                                              FONT_GetBitsPerPixel(type), type == FONTTYPE_EXT_FRM));
    EXPECT_EQ(fromXbf, fromSif) << kTypeWords[type];
    EXPECT_EQ(std::count(fromXbf.begin(), fromXbf.end(), '\n'), 1 + 93 + 7 + 4);
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
    const std::string name = std::string("sample_") + kTypeWords[type], path = t.dir.file(name);
    std::string out;
    ASSERT_EQ(CFONT_Run("gcc -m32 -std=c99 -c " + std::string(compat ? "-DGUI_OLD_LAYOUT " : "") + "-I'" +
                            t.dir.path() + "' -o '" + path + ".o' '" + path + ".c'",
                        &out), 0) << out;
    ASSERT_EQ(CFONT_Run("nm -S --defined-only '" + path + ".o'", &out), 0) << out;
    const FlashSize& size = sizes[size_t(type)];
    const std::map<std::string, uint64_t> want = {{"pixels", size.PixelBytes}, {"charinfo", size.CharInfoBytes},
                                                  {"ranges", size.RangeBytes}, {"font", size.FontRecordBytes}};
    EXPECT_EQ(SymbolBytes(out, "GUI_Font" + name), want) << kTypeWords[type] << "\n" << out;
    EXPECT_EQ(size.CBytes, size.PixelBytes + size.CharInfoBytes + size.RangeBytes + size.FontRecordBytes);
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
