#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "model/font.h"
#include "settings/services.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"
#include "settings/settings.h"
#include "support/tempdir.h"

namespace {

// Stands in for the rasterizer: gives every character a 3 x 4 box with ink in
// its middle column, except the codes listed as blank, which get width 0.
std::vector<uint16_t> rendered;
std::vector<uint16_t> blankCodes;

void FakeRender(Font* pFont, uint16_t code) {
  rendered.push_back(code);
  for (uint16_t blank : blankCodes) {
    if (blank == code) {
      pFont->aCharInfo[code].BoxWidth = 0;
      return;
    }
  }
  FONT_SetCharSize(pFont, code, 3, 4);
  pFont->aCharInfo[code].BoxHeight = 4;
  for (int y = 0; y < 4; ++y) FONT_SetPixel(pFont, code, 1, y, 1);
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rendered.clear();
    blankCodes.clear();
    SERVICES_Install(&services);
    FONT_SetRenderHook(FakeRender);
  }
  void TearDown() override {
    SERVICES_Install(nullptr);
    FONT_SetRenderHook(nullptr);
  }
  // A one-pixel character, rendered as if read from a file.
  static void Draw(Font* pFont, uint16_t code) {
    AddChar(pFont, code, 1, 1, [](int, int) { return 1; });
    FONT_EnableChar(pFont, code, 0);
  }
  RecordingServices services;
};

}  // namespace

TEST_F(RenderTest, RenderPendingRendersEnabledCharactersAndDropsEmptyOnes) {
  FontPtr font = NewFont(FONTTYPE_STD, ENCODING_UC16, 0);
  for (uint16_t code : {0x41, 0x100, 0x4E00, 0x4E01, 0x20}) {
    font->aCharInfo[code].Exists = 1;
    FONT_EnableChar(font.get(), code, 1);
  }
  blankCodes = {0x20};                               // the system font draws it without width
  FONT_EnableChar(font.get(), 0x42, 1);              // enabled but not in the font
  font->aCharInfo[0x43].Exists = 1;                  // exists but not enabled
  Draw(font.get(), 0x44);                         // read from a file: already rendered
  FONT_EnableChar(font.get(), 0x44, 1);

  FONT_RenderPending(font.get());
  EXPECT_EQ(rendered, (std::vector<uint16_t>{0x20, 0x41, 0x100, 0x4E00, 0x4E01}));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x20));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x42));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x41));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x44));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x4E01));
  EXPECT_FALSE(FONT_IsCharRendered(font.get(), 0x43));
  EXPECT_TRUE(FONT_IsBlockUsed(font.get(), 0x4));  // disabling keeps the block used
  // A phase text only where a rendered code starts a group of 256.
  EXPECT_EQ(services.status,
            (std::vector<std::string>{"Reading character 0100   ", "Reading character 4E00   ", "Ready"}));
  // One notice for the codes rendered, from the first to the last; then the codes
  // from the first to the last one disabled changed their enabled state.
  EXPECT_EQ(services.noticeTexts(), (std::vector<std::string>{"20-4E01:16", "20-42:4"}));
  EXPECT_TRUE(services.redraws.empty());

  rendered.clear();
  FONT_RenderPending(font.get());  // everything is rendered now
  EXPECT_TRUE(rendered.empty());
}

TEST_F(RenderTest, RenderPendingStaysInsideAnEightBitFont) {
  FontPtr font = NewFont(FONTTYPE_STD, ENCODING_ISO8859, 0);
  for (int code = 0; code < 256; ++code) Draw(font.get(), static_cast<uint16_t>(code));
  FONT_EnableChar(font.get(), 0x300, 1);  // beyond the 16 blocks: not looked at
  FONT_RenderPending(font.get());
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x300));
  EXPECT_EQ(services.status, std::vector<std::string>{"Ready"});
  EXPECT_TRUE(services.notices.empty());  // no character of width 0
}

