// Merging a source font into a target: refusals, which codes change and what of
// the target stays.
#include <gtest/gtest.h>

#include "input/merge.h"
#include "output/savetest.h"

namespace {

int Stripes(int x, int) { return x % 2; }
int Solid(int, int) { return 1; }

TEST(Merge, RefusesOtherHeightsAndTypesAndLeavesTheTarget) {
  FontPtr target = NewFont(FONTTYPE_STD, ENCODING_UC16, 16);
  AddChar(target.get(), 0x41, 6, 16, Stripes);
  char message[100] = "";
  FontPtr taller = NewFont(FONTTYPE_STD, ENCODING_UC16, 17);
  AddChar(taller.get(), 0x41, 9, 17, Solid);
  EXPECT_EQ(INPUT_MergeFonts(target.get(), taller.get(), message, sizeof(message)), 1);
  EXPECT_STREQ(message, "Merging fonts does not work with different font sizes!");
  FontPtr aa2 = NewFont(FONTTYPE_AA2, ENCODING_UC16, 16);
  AddChar(aa2.get(), 0x41, 9, 16, Solid);
  EXPECT_EQ(INPUT_MergeFonts(target.get(), aa2.get(), message, sizeof(message)), 1);
  EXPECT_STREQ(message, "Merging fonts does not work with different font types!");
  EXPECT_EQ(target->aCharInfo[0x41].BoxWidth, 6);
  EXPECT_EQ(FONT_GetPixel(target.get(), 0x41, 0, 0), 0);
  EXPECT_EQ(FONT_GetPixel(target.get(), 0x41, 1, 0), 1);
}

TEST(Merge, SourceWinsForItsCodesAndTheRestOfTheTargetStays) {
  FontPtr target = NewFont(FONTTYPE_EXT, ENCODING_UC16, 12);
  for (int c = 0x20; c <= 0x7E; ++c) AddChar(target.get(), c, 5, 8, Stripes, 1, 8, 6);
  target->MaxWidth = 5;
  target->Baseline = 10;
  FontPtr source = NewFont(FONTTYPE_EXT, ENCODING_UC16, 12);
  source->Baseline = 9;
  AddChar(source.get(), 0x41, 11, 10, [](int x, int y) { return x == y ? 1 : 0; }, 2, 9, 12);
  for (int c = 0x100; c <= 0x17F; ++c) AddChar(source.get(), c, 3, 4, Solid, 0, 4, 4);
  FONT_EnableChar(source.get(), 0x150, 0);  // has a size, but is disabled in its font
  ASSERT_EQ(INPUT_MergeFonts(target.get(), source.get(), nullptr, 0), 0);

  const CharInfo& a = target->aCharInfo[0x41];
  EXPECT_EQ(a.BoxWidth, 11);
  EXPECT_EQ(a.BoxHeight, 10);
  EXPECT_EQ(a.BoxLeft, 2);
  EXPECT_EQ(a.BoxTop, 9);
  EXPECT_EQ(a.CursorDist, 12);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 11; ++x) ASSERT_EQ(FONT_GetPixel(target.get(), 0x41, x, y), x == y ? 1 : 0) << x << "," << y;
  for (int c : {0x20, 0x40, 0x42, 0x7E}) {
    EXPECT_EQ(target->aCharInfo[c].BoxWidth, 5);
    EXPECT_EQ(FONT_GetPixel(target.get(), c, 1, 3), 1);
    EXPECT_EQ(FONT_GetPixel(target.get(), c, 2, 3), 0);
  }
  EXPECT_TRUE(FONT_IsCharEnabled(target.get(), 0x100));
  EXPECT_TRUE(FONT_IsCharEnabled(target.get(), 0x17F));
  EXPECT_FALSE(FONT_IsCharEnabled(target.get(), 0x150));
  EXPECT_EQ(target->aCharInfo[0x150].BoxWidth, 3);
  EXPECT_EQ(FONT_GetPixel(target.get(), 0x17F, 2, 3), 1);
  EXPECT_FALSE(FONT_IsCharEnabled(target.get(), 0x180));
  // Font-wide values are the target's.
  EXPECT_EQ(target->MaxWidth, 5);
  EXPECT_EQ(target->Baseline, 10);
}

TEST(Merge, FramedCharacterEndsWithExactlyTheSourcesInkAndFrame) {
  FontPtr target = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 8);
  AddChar(target.get(), 0x41, 4, 4, [](int x, int y) { return (x + y) % 2 ? -1 : 1; }, 0, 4, 5);
  FontPtr source = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 8);
  auto pattern = [](int x, int y) { return y == 1 && x > 0 && x < 3 ? 1 : (y == 0 || y == 2) && x > 0 && x < 3 ? -1 : 0; };
  AddChar(source.get(), 0x41, 4, 4, pattern, 0, 4, 5);
  ASSERT_EQ(INPUT_MergeFonts(target.get(), source.get(), nullptr, 0), 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(FONT_GetPixel(target.get(), 0x41, x, y), pattern(x, y)) << x << "," << y;
  // Beneath a frame pixel no ink of the old character is left.
  const CharInfo& ci = target->aCharInfo[0x41];
  ASSERT_TRUE(ci.pPixels);
  ASSERT_TRUE(ci.pFrame);
  EXPECT_EQ(ci.pPixels[0] & 0x0F, 0x00);  // row 0 of the source has no ink
  EXPECT_EQ(ci.pFrame[0] & 0x0F, 0x06);   // and frame pixels at columns 1 and 2
}

}  // namespace
