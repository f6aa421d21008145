// Enabling single characters, ranges and blocks of the current font, with the
// journal lines they leave. What the enable command does to a font's characters is
// the golden case enable_forms; FONT_EnableRange's blocks are Font.*.
#include <gtest/gtest.h>

#include "edit/editfont.h"
#include "edit/enable.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Enable, ToggleRangeAndBlock) {
  SaveTest t;
  JOURNAL_Clear();
  FontPtr pOwned = NewFont(FONTTYPE_STD, ENCODING_UC16, 4);
  Font* pFont = pOwned.get();
  for (int c = 0x20; c <= 0x7E; ++c) AddChar(pFont, c, 2, 4, [](int, int) { return 1; });
  FONT_EnableRange(pFont, 0, 0xFFFF, 0);
  FONT_SetCurrent(std::move(pOwned));
  const uint32_t usedBefore = pFont->NumUsedBlocks;

  FONT_SetCurrentChar(pFont, 0x41);
  EDIT_ToggleChar();
  EXPECT_TRUE(FONT_IsCharEnabled(pFont, 0x41));
  EDIT_ToggleChar();
  EXPECT_FALSE(FONT_IsCharEnabled(pFont, 0x41));

  EDIT_EnableRange(0x20, 0x7E, 1);
  EXPECT_EQ(pFont->NumUsedBlocks, usedBefore);  // the characters had been enabled once already

  FONT_SetCurrentChar(pFont, 0x35);
  EDIT_EnableBlock(0);
  for (int c = 0x30; c <= 0x3F; ++c) EXPECT_FALSE(FONT_IsCharEnabled(pFont, c)) << c;
  EXPECT_TRUE(FONT_IsCharEnabled(pFont, 0x40));
  EXPECT_TRUE(FONT_IsBlockUsed(pFont, 3));
  EDIT_EnableBlock(1);
  EXPECT_TRUE(FONT_IsCharEnabled(pFont, 0x3F));

  EDIT_EnableRange(0x10, 0x0F, 1);
  EDIT_EnableRange(0, 0xFFFF, 0);
  EXPECT_EQ(JournalLines(), (Lines{"* Character enabled:   0x41 (65)", "* Character disabled:  0x41 (65)",
                                   "* Range enabled:        0020 - 007E", "* Range enabled:        0010 - 000F",
                                   "* Range disabled:       0000 - FFFF"}));
  FONT_SetCurrent(nullptr);
}

}  // namespace
