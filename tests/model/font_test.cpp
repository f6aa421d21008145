#include "model/font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/fontfixture.h"

namespace {

FontPtr MakeFont(int32_t type, bool sixteenBit = true) {
  return NewFont(type, sixteenBit ? ENCODING_UC16 : ENCODING_ISO8859, 0);
}

// A character of the given box with allocated, empty planes.
void MakeChar(Font* pFont, uint16_t code, int width, int height) {
  AddChar(pFont, code, width, height, [](int, int) { return 0; });
}

}  // namespace

TEST(Font, NoFontIsHandled) {
  EXPECT_EQ(FONT_GetHeight(nullptr), 0);
  FONT_Delete(nullptr);
}

TEST(Font, ReadsOutsideTheBoxAreBackground) {
  FontPtr font = MakeFont(FONTTYPE_STD);
  MakeChar(font.get(), 0x41, 3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) FONT_SetPixel(font.get(), 0x41, x, y, 1);
  // Bits of the byte beyond the box width are set too but lie outside the box.
  font->aCharInfo[0x41].pPixels[0] = 0xFF;
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x41, 2, 0), 1);
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x41, 3, 0), 0);
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x41, -1, 0), 0);
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x41, 0, -1), 0);
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x41, 0, 2), 0);
  EXPECT_EQ(FONT_GetPixel(font.get(), 0x42, 0, 0), 0);  // no planes at all
}

TEST(Font, EnablingMarksBlocksUsedAndNothingUnmarksThem) {
  FontPtr font = MakeFont(FONTTYPE_STD);
  FONT_EnableChar(font.get(), 0x41, 1);
  FONT_EnableChar(font.get(), 0x42, 1);
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x41));
  EXPECT_TRUE(FONT_IsBlockUsed(font.get(), 0x4));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 1u);

  for (uint16_t code = 0x40; code < 0x50; ++code) FONT_EnableChar(font.get(), code, 0);
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x41));
  EXPECT_TRUE(FONT_IsBlockUsed(font.get(), 0x4));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 1u);

  FONT_EnableBlock(font.get(), 0x30, 0);  // disabling never marks a block
  EXPECT_FALSE(FONT_IsBlockUsed(font.get(), 0x30));
  FONT_EnableBlock(font.get(), 0x30, 1);
  for (uint16_t code = 0x300; code < 0x310; ++code) EXPECT_TRUE(FONT_IsCharEnabled(font.get(), code));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x310));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x2FF));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 2u);
  FONT_EnableBlock(font.get(), 0x30, 0);
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x305));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 2u);

  FONT_EnableRange(font.get(), 0x4F, 0x61, 1);  // blocks 4 (already used), 5 and 6
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x4F));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x61));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x62));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 4u);
  FONT_EnableRange(font.get(), 0x90, 0x80, 1);  // last before first: nothing
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x90));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 0x80));
  FONT_EnableRange(font.get(), 0xFFFE, 0xFFFF, 1);
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0xFFFF));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 5u);
}

TEST(Font, CurrentCharMustLieInsideTheFont) {
  FontPtr narrow = MakeFont(FONTTYPE_STD, false);
  FONT_SetCurrentChar(narrow.get(), 0xFF);
  EXPECT_EQ(FONT_GetCurrentChar(narrow.get()), 0xFF);
  FONT_SetCurrentChar(narrow.get(), 256);
  EXPECT_EQ(FONT_GetCurrentChar(narrow.get()), 0);
  FontPtr wide = MakeFont(FONTTYPE_STD, true);
  FONT_SetCurrentChar(wide.get(), 0xFFFF);
  EXPECT_EQ(FONT_GetCurrentChar(wide.get()), 0xFFFF);
  FONT_SetCurrentChar(wide.get(), 0x10000);
  EXPECT_EQ(FONT_GetCurrentChar(wide.get()), 0);
}

TEST(Font, NamesAreCopiedOnlyWhenTheyFit) {
  FontPtr font = FONT_Alloc();
  std::snprintf(font->LogFont.acFaceName, sizeof(font->LogFont.acFaceName), "DejaVu Sans");
  char buffer[40] = "untouched";
  EXPECT_EQ(FONT_GetFaceName(font.get(), buffer, 11), 0);  // no room for the zero
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(FONT_GetFaceName(font.get(), buffer, 12), 11);
  EXPECT_STREQ(buffer, "DejaVu Sans");

  FONT_SetFileName(font.get(), "dv16.c");
  EXPECT_EQ(FONT_GetFileName(font.get(), buffer, sizeof(buffer)), 6);
  EXPECT_STREQ(buffer, "dv16.c");
  const std::string longName(600, 'n');
  FONT_SetFileName(font.get(), longName.c_str());
  char path[600];
  EXPECT_EQ(FONT_GetFileName(font.get(), path, sizeof(path)), 499);
  EXPECT_EQ(std::string(path), longName.substr(0, 499));

  LogFontRecord record;
  font->LogFont.Weight = 700;
  FONT_GetLogFont(font.get(), &record);
  EXPECT_EQ(record.Weight, 700);
  EXPECT_STREQ(record.acFaceName, "DejaVu Sans");
}
