// Hand-written and edge-case inputs of the C, BDF and XBF readers, stored under
// tests/data/reader_cases/<reader>/<case>.in, each read and described whole (the
// messages and status texts shown, the font-wide values, every enabled character's
// record and planes) and compared with <case>.expected beside it. After an intended
// change tools/update-golden.sh rewrites the descriptions (MORVANE_UPDATE_GOLDEN=1).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "input/bdf_read.h"
#include "input/xbf_read.h"
#include "input/c_read.h"
#include "output/savetest.h"

namespace {

namespace fs = std::filesystem;

std::string Describe(const Font* pFont) {
  std::string text = "font: type " + std::to_string(pFont->Type) + ", encoding " + std::to_string(pFont->Encoding) +
                     ", height " + std::to_string(pFont->Height) + ", baseline " + std::to_string(pFont->Baseline) +
                     ", max width " + std::to_string(pFont->MaxWidth) + ", name \"" + pFont->acFontName +
                     "\", heights " + (pFont->HeightsKnown ? std::to_string(pFont->LowercaseHeightRead) + "/" +
                                                                 std::to_string(pFont->CapitalHeightRead)
                                                           : "unknown") +
                     ", banner " + (pFont->pHeader ? std::to_string(std::strlen(pFont->pHeader.get())) : "none") +
                     ", blocks " + std::to_string(pFont->NumBlocks) + "\n";
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Enabled) continue;
    char head[160];
    std::snprintf(head, sizeof head, "%04X: box %dx%d at %d,%d, advance %d, file row bytes %d, %u bytes%s%s\n", code,
                  ci.BoxWidth, ci.BoxHeight, ci.BoxLeft, ci.BoxTop, ci.CursorDist, ci.FileRowBytes, ci.DataSize,
                  ci.Exists ? "" : ", not existing", ci.Rendered ? "" : ", not rendered");
    text += head;
    for (int y = 0; ci.DataSize && y < ci.BoxHeight; ++y) {  // a frame pixel is '#'
      text += "  ";
      for (int x = 0; x < ci.BoxWidth; ++x) {
        const int value = FONT_GetPixel(pFont, uint16_t(code), x, y);
        text += value < 0 ? '#' : "0123456789ABCDEF"[value];
      }
      text += "\n";
    }
  }
  return text;
}

std::string ReadCase(const std::string& reader, const std::string& input) {
  SaveTest t;
  t.services.xbfAnswer = FONTTYPE_EXT;  // what a question about an old XBF file would get
  FontPtr pFont = reader == "c" ? INPUT_ParseC(input) : reader == "bdf" ? INPUT_ParseBdf(input) : INPUT_ParseXbf(input);
  std::string text;
  for (int type : t.services.xbfQuestions) text += "question: type " + std::to_string(type) + "\n";
  for (const std::string& box : t.services.boxes) text += "message: " + box + "\n";
  for (const std::string& status : t.services.status) text += "status: " + status + "\n";
  if (pFont && pFont->pXbfText) {  // the text an XBF file keeps, zero bytes as '~'
    std::string kept(pFont->pXbfText.get(), pFont->XbfTextLength);
    std::replace(kept.begin(), kept.end(), '\0', '~');
    text += "kept text: " + kept + "\n";
  }
  return text + (pFont ? Describe(pFont.get()) : "no font\n");
}

TEST(ReaderCases, EachInputReadsAsDescribed) {
  int cases = 0;
  for (const char* reader : {"c", "bdf", "xbf"}) {
    const fs::path folder = fs::path(MORVANE_TEST_DATA) / "reader_cases" / reader;
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".in") inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
      SCOPED_TRACE(input.string());
      ++cases;
      const std::string got = ReadCase(reader, ReadFile(input.string()));
      fs::path expected = input;
      expected.replace_extension(".expected");
      if (std::getenv("MORVANE_UPDATE_GOLDEN")) {
        WriteFile(expected.string(), got);
        continue;
      }
      bool exists = false;
      EXPECT_EQ(ReadFile(expected.string(), &exists), got);
      EXPECT_TRUE(exists) << "tools/update-golden.sh writes " << expected;
    }
  }
  EXPECT_GT(cases, 60);
}

}  // namespace
