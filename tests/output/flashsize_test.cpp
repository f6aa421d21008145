// Size in flash: the figures against the files the writers produce at the same
// moment, for fonts built by hand and fonts generated from the synthetic faces,
// and the running tally against a fresh count after edits.
#include "output/flashsize.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <regex>
#include <string>

#include "generation/generation_fixture.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/settings.h"

namespace {

// The sum of the sizes declared by the pixel arrays of a C file.
uint64_t CArrayBytes(const std::string& source) {
  static const std::regex kArray(R"(unsigned char ac\w+_[0-9A-F]{4}\[ *(\d+)\])");
  uint64_t sum = 0;
  int count = 0;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), kArray); it != std::sregex_iterator(); ++it) {
    sum += std::strtoull((*it)[1].str().c_str(), nullptr, 10);
    ++count;
  }
  EXPECT_GT(count, 0) << "no pixel array in the C file";
  return sum;
}

// A pattern that differs per code, so boxes and pixels vary.
int Ink(int x, int y) { return (x * 3 + y) % 4 == 0; }

// Characters of several widths and heights (the extended types also get positions).
void FillFont(Font* pFont, const uint16_t* pCodes, int count) {
  const int max = FONT_GetMaxPixelValue(pFont);
  for (int i = 0; i < count; ++i) {
    const int width = 1 + (i * 5) % 19;
    const int height = FONT_IsExtendedType(pFont->Type) ? 1 + (i * 7) % pFont->Height : pFont->Height;
    AddChar(pFont, pCodes[i], width, height, [&](int x, int y) { return Ink(x + i, y) * max; }, i % 3 - 1,
            height - 2, width + 1);
  }
  if (pFont->Type == FONTTYPE_EXT_FRM)
    for (int i = 0; i < count; ++i) FONT_CalcFrame(pFont, pCodes[i]);
}

class FlashSizeTest : public testing::Test {
 protected:
  // Computes the figures, then saves C and (where the type allows) XBF and
  // compares them with the files.
  void ExpectMatchesFiles(Font* pFont, const char* pWhat) {
    Settings settings;
    SETTINGS_Load(&settings);
    FlashSize size;
    OUT_ComputeFlashSize(pFont, settings, &size);
    EXPECT_EQ(size.NumUnknown, 0u) << pWhat;
    const std::string c = save.Save(pFont, "font.c", OUT_FORMAT_C);
    EXPECT_EQ(size.PixelBytes, CArrayBytes(c)) << pWhat;
    const bool xbf = pFont->Type != FONTTYPE_AA2 && pFont->Type != FONTTYPE_AA4;
    EXPECT_EQ(size.XbfPossible, xbf ? 1 : 0) << pWhat;
    if (xbf) {
      const std::string file = save.Save(pFont, "font.xbf", OUT_FORMAT_XBF);
      ASSERT_FALSE(file.empty()) << pWhat;
      EXPECT_EQ(size.XbfBytes, file.size()) << pWhat;
    }
  }
  SaveTest save;
};

const uint16_t kUnicodeCodes[] = {0x20, 0x21, 0x41, 0x42, 0x43, 0x7E, 0xE9, 0x416, 0x20AC, 0x3042, 0x4E00, 0xFFFD};
// Single-byte and double-byte Shift_JIS codes.
const uint16_t kJisCodes[] = {0x20, 0x41, 0x7A, 0xB1, 0x8140, 0x82A0, 0x82A2, 0x889F, 0x88A0, 0x9872, 0xEAA4};

// Every type and encoding, plain and magnified, with a text kept from an XBF file.
TEST_F(FlashSizeTest, FiguresEqualTheSavedFilesForEveryTypeEncodingAndMagnification) {
  for (const char* pSettings : {"", "MagX=3\nMagY=2\n"}) {
    save.UseSettings(pSettings);
    for (int32_t encoding : {ENCODING_UC16, ENCODING_JIS}) {
      for (int32_t type = 0; type < FONT_NUM_TYPES; ++type) {
        FontPtr pFont = NewFont(type, encoding, 13);
        pFont->Baseline = 10;
        if (encoding == ENCODING_UC16) FillFont(pFont.get(), kUnicodeCodes, std::size(kUnicodeCodes));
        else FillFont(pFont.get(), kJisCodes, std::size(kJisCodes));
        const char text[] = "attached\0to the file";  // a kept text may hold zero bytes
        pFont->pXbfText = std::make_unique<char[]>(sizeof text);
        std::memcpy(pFont->pXbfText.get(), text, sizeof text);
        pFont->XbfTextLength = sizeof text - 1;
        const std::string what = std::string(pSettings) + " type " + std::to_string(type) + " encoding " +
                                 std::to_string(encoding);
        ExpectMatchesFiles(pFont.get(), what.c_str());
      }
    }
  }
}

TEST_F(FlashSizeTest, GeneratedFontsAreEstimatedWithoutRenderingThenExact) {
  for (int32_t encoding : {ENCODING_UC16, ENCODING_JIS}) {
    for (int type : {FONTTYPE_STD, FONTTYPE_EXT_AA4}) {
      CreateArgs args;
      args.Type = type;
      args.Encoding = encoding;
      FontPtr pFont = CreateFont(args);
      ASSERT_TRUE(pFont);
      Settings settings;
      SETTINGS_Load(&settings);
      FlashSizeTally tally;
      OUT_RebuildFlashSize(&tally, pFont.get(), settings);
      FlashSize size;
      OUT_GetFlashSize(tally, pFont.get(), &size);
      ASSERT_GT(size.NumUnknown, 2u);
      EXPECT_EQ(size.NumUnknown, size.NumChars);
      // Nothing to go by yet: a full cell each, never a bare zero.
      EXPECT_GE(size.PixelBytes, uint64_t{size.NumChars} * uint64_t(pFont->Height));
      for (int code = 0; code < FONT_NUM_CODES; ++code)
        ASSERT_FALSE(FONT_IsCharRendered(pFont.get(), uint16_t(code))) << code;
      // Two rendered: the rest is estimated from them.
      FONT_RenderChar(pFont.get(), 'A');
      FONT_RenderChar(pFont.get(), 'B');
      OUT_UpdateFlashSize(&tally, pFont.get(), settings, 'A', 'B');
      FlashSize partly;
      OUT_GetFlashSize(tally, pFont.get(), &partly);
      EXPECT_EQ(partly.NumUnknown, size.NumUnknown - 2);
      EXPECT_GT(partly.PixelBytes, 0u);
      // After the save everything is rendered and the figures are exact.
      const std::string c = save.Save(pFont.get(), "gen.c", OUT_FORMAT_C);
      OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0, 0xFFFF);
      FlashSize exact;
      OUT_GetFlashSize(tally, pFont.get(), &exact);
      EXPECT_EQ(exact.NumUnknown, 0u);
      EXPECT_EQ(exact.PixelBytes, CArrayBytes(c));
      const std::string xbf = save.Save(pFont.get(), "gen.xbf", OUT_FORMAT_XBF);
      EXPECT_EQ(exact.XbfBytes, xbf.size());
    }
  }
}

TEST_F(FlashSizeTest, TallyFollowsEditsLikeAFreshCount) {
  FontPtr pFont = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 12);
  pFont->Baseline = 9;
  FillFont(pFont.get(), kUnicodeCodes, std::size(kUnicodeCodes));
  Settings settings;
  FlashSizeTally tally;
  OUT_RebuildFlashSize(&tally, pFont.get(), settings);
  auto expectFresh = [&](const char* pWhat) {
    FlashSize running, fresh;
    OUT_GetFlashSize(tally, pFont.get(), &running);
    OUT_ComputeFlashSize(pFont.get(), settings, &fresh);
    EXPECT_EQ(running.PixelBytes, fresh.PixelBytes) << pWhat;
    EXPECT_EQ(running.XbfBytes, fresh.XbfBytes) << pWhat;
    EXPECT_EQ(running.NumChars, fresh.NumChars) << pWhat;
    EXPECT_EQ(running.CBytes, fresh.CBytes) << pWhat;
  };
  FlashSize before;
  OUT_GetFlashSize(tally, pFont.get(), &before);

  FONT_SetCharSize(pFont.get(), 0x41, 30, 11);  // a wider box
  pFont->aCharInfo[0x41].BoxHeight = 11;
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0x41, 0x41);
  expectFresh("wider box");
  FlashSize wider;
  OUT_GetFlashSize(tally, pFont.get(), &wider);
  EXPECT_GT(wider.PixelBytes, before.PixelBytes);

  FONT_EnableChar(pFont.get(), 0x20, 0);  // the first code of the index
  FONT_EnableRange(pFont.get(), 0x3000, 0x4FFF, 0);
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0x20, 0x20);
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0x3000, 0x4FFF);
  expectFresh("disabled");
  AddChar(pFont.get(), 0x5000, 4, 4, Ink);
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0x5000, 0x5000);
  expectFresh("added");

  // Font-wide changes are noticed even with a narrow range.
  pFont->Height = 14;
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0, 0);
  expectFresh("height");
  settings.MagY = 2;
  OUT_UpdateFlashSize(&tally, pFont.get(), settings, 0, 0);
  expectFresh("magnification");
  ExpectMatchesFiles(pFont.get(), "after the edits");  // the file's settings: no magnification
}

}  // namespace
