// The C font's cost in flash: saved C files of every type, compiled for a 32-bit
// target, hold exactly the bytes the figures count, record kind by record kind, also
// after the running tally followed edits that split, grow and drop ranges.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "output/cfontwalk.h"
#include "output/flashsize.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/settings.h"

namespace {

std::string Shell(const std::string& command, int* pStatus) {
  std::string out;
  std::FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return "cannot run " + command;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  *pStatus = pclose(p);
  return out;
}

// The object file's symbol sizes, summed by kind: pixel arrays, character records,
// range records and the font record.
struct Symbols {
  std::map<std::string, uint64_t> Bytes;
  int Count = 0;
};
Symbols SymbolSizes(const std::string& nmOutput, const std::string& fontName) {
  Symbols s;
  std::istringstream in(nmOutput);
  std::string address, size, kind, name;
  while (in >> address >> size >> kind >> name) {
    const uint64_t bytes = std::stoull(size, nullptr, 16);
    const std::string what = name == fontName                              ? "font"
                             : name == fontName + "_CharInfo"              ? "charinfo"
                             : name.rfind(fontName + "_Prop", 0) == 0      ? "ranges"
                             : name.rfind("ac" + fontName + "_", 0) == 0   ? "pixels"
                                                                           : "other " + name;
    s.Bytes[what] += bytes;
    s.Count++;
  }
  return s;
}

// Characters of varied boxes and ink in three runs of codes.
FontPtr SampleFont(int32_t type) {
  FontPtr f = NewFont(type, ENCODING_UC16, 11);
  f->Baseline = 9;
  const bool ext = FONT_IsExtendedType(type);
  const int max = (1 << FONT_GetBitsPerPixel(type)) - 1;
  auto add = [&](uint16_t code) {
    const int width = 1 + code % 13, height = ext ? 1 + code % 11 : 11;
    AddChar(f.get(), code, width, height, [&](int x, int y) { return (x * 5 + y + code) % (max + 2) % (max + 1); },
            ext ? int(code % 3) - 1 : 0, ext ? int(code % 9) : 0, width + 1);
    if (type == FONTTYPE_EXT_FRM) FONT_CalcFrame(f.get(), code);
  };
  for (uint16_t c = 0x20; c <= 0x7E; ++c) add(c);
  for (uint16_t c = 0xA0; c <= 0xA5; ++c) add(c);
  for (uint16_t c = 0x4E00; c <= 0x4E03; ++c) add(c);
  return f;
}

TEST(CFlashCost, CompiledForA32BitTargetTheFontTakesWhatTheFiguresSay) {
  const struct {
    const char* pSettings;
    bool Compat;
  } cases[] = {{"", false}, {"V350_Compatibility=1\n", true}, {"MagX=2\nMagY=3\n", false}};
  for (const auto& c : cases) {
    SaveTest save;
    save.UseSettings(c.pSettings);
    CFONT_WriteHeader(save.dir.path());
    Settings settings;
    SETTINGS_Load(&settings);
    for (int32_t type = 0; type < FONT_NUM_TYPES; ++type) {
      const std::string what = std::string("settings \"") + c.pSettings + "\" type " + std::to_string(type);
      FontPtr f = SampleFont(type);
      FlashSizeTally tally;
      OUT_RebuildFlashSize(&tally, f.get(), settings);
      // A range split in two, one grown, one dropped, as the window passes them on.
      FONT_EnableChar(f.get(), 0x41, 0);
      AddChar(f.get(), 0xA6, 3, FONT_IsExtendedType(type) ? 4 : 11, [](int x, int) { return x & 1; });
      FONT_EnableRange(f.get(), 0x4E00, 0x4E03, 0);
      OUT_UpdateFlashSize(&tally, f.get(), settings, 0x41, 0x41);
      OUT_UpdateFlashSize(&tally, f.get(), settings, 0xA6, 0xA6);
      OUT_UpdateFlashSize(&tally, f.get(), settings, 0x4E00, 0x4E03);
      FlashSize size;
      OUT_GetFlashSize(tally, f.get(), &size);
      EXPECT_EQ(size.NumRanges, 3u) << what;

      const std::string name = "cost" + std::to_string(type);
      save.Save(f.get(), name + ".c", OUT_FORMAT_C);
      const std::string dir = save.dir.path();
      int status = 0;
      const std::string compiled =
          Shell("gcc -m32 -std=c99 -c " + std::string(c.Compat ? "-DGUI_OLD_LAYOUT " : "") + "-I'" + dir + "' -o '" +
                  dir + "/" + name + ".o' '" + dir + "/" + name + ".c'",
              &status);
      ASSERT_EQ(status, 0) << what << "\n" << compiled;
      const std::string nm = Shell("nm -S --defined-only '" + dir + "/" + name + ".o'", &status);
      ASSERT_EQ(status, 0) << nm;
      const Symbols symbols = SymbolSizes(nm, "GUI_Font" + name);
      const std::map<std::string, uint64_t> expected = {{"pixels", size.PixelBytes},
                                                        {"charinfo", size.CharInfoBytes},
                                                        {"ranges", size.RangeBytes},
                                                        {"font", size.FontRecordBytes}};
      EXPECT_EQ(symbols.Bytes, expected) << what << "\n" << nm;
      EXPECT_EQ(symbols.Count, int(size.NumChars + size.NumRanges + 2)) << what;
      uint64_t sum = 0;
      for (const auto& [kind, bytes] : symbols.Bytes) sum += bytes;
      EXPECT_EQ(size.CBytes, sum) << what;
    }
  }
}

}  // namespace
