// Merging a framed source font into a target. Refusals and merges of real fonts
// are run in MergeCommand.RefusalsAndReadErrorsAreReported and Conversions/Golden.merge.
#include <gtest/gtest.h>

#include "input/merge.h"
#include "output/savetest.h"

namespace {

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
