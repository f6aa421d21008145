// Inputs the fuzzers found or started from (tests/data/fuzz/<target>/), replayed
// through the readers: every one ends in a usable font or in the reader's
// failure message, never in a crash; a font read stays in proportion to the file,
// also once merged into another font.
#include <gtest/gtest.h>

#include <filesystem>

#include "input/bdf_read.h"
#include "input/c_read.h"
#include "input/merge.h"
#include "input/pattern.h"
#include "input/readtest.h"
#include "input/xbf_read.h"
#include "output/savetest.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const char* target) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(MORVANE_TEST_DATA) / "fuzz" / target))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// A font a reader returns must be consistent (planes as large as the boxes need)
// and in proportion to the file, also once merged into an empty font.
void ExpectConsistent(const Font* pFont, const std::string& name, size_t fileSize) {
  SCOPED_TRACE(name);
  ExpectBounded(pFont, fileSize);
  FontPtr pTarget = NewFont(pFont->Type, ENCODING_UC16, pFont->Height);
  ASSERT_EQ(INPUT_MergeFonts(pTarget.get(), pFont, nullptr, 0), 0) << name;
  ExpectBounded(pTarget.get(), fileSize);
  ASSERT_EQ(pFont->NumBlocks, FONT_NUM_BLOCKS_MAX) << name;
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Enabled) continue;
    ASSERT_GE(ci.BoxWidth, 0) << name << " " << code;
    ASSERT_GE(ci.BoxHeight, 0) << name << " " << code;
    const uint64_t need = static_cast<uint64_t>(ci.BoxHeight) * FONT_GetRowBytes(pFont, ci.BoxWidth);
    ASSERT_LE(need, ci.DataSize) << name << " " << code;
    ASSERT_EQ(ci.DataSize != 0, ci.pPixels != nullptr) << name << " " << code;
  }
}

void Replay(const char* target, FontPtr (*parse)(const std::string&)) {
  const std::vector<fs::path> files = Inputs(target);
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SaveTest t;
    const std::string name = file.filename().string();
    const std::string image = ReadFile(file.string());
    FontPtr pFont = parse(image);
    if (pFont) {
      ExpectConsistent(pFont.get(), name, image.size());
    } else {
      ASSERT_FALSE(t.services.boxes.empty()) << name;
      EXPECT_EQ(t.services.boxes.back(), "Could not create font!") << name;
    }
  }
}

FontPtr ParseC(const std::string& text) { return INPUT_ParseC(text); }

TEST(FuzzRegression, CReader) { Replay("c_read", ParseC); }
TEST(FuzzRegression, XbfReader) { Replay("xbf_read", INPUT_ParseXbf); }
TEST(FuzzRegression, BdfReader) { Replay("bdf_read", INPUT_ParseBdf); }

TEST(FuzzRegression, PatternFiles) {
  for (const fs::path& file : Inputs("pattern")) {
    FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
    AddChar(pFont.get(), 0x41, 2, 8, [](int, int) { return 1; });
    const std::string report = INPUT_ApplyPattern(pFont.get(), ReadFile(file.string()));
    EXPECT_LE(report.size(), 1000u) << file;
  }
}

}  // namespace
