#include "generation/params.h"

#include <gtest/gtest.h>

namespace {
enum { STD, AA2, AA4, EXT, EXT_FRM, EXT_AA2, EXT_AA4 };
}

TEST(GenerationParams, FramedFontsAreDrawnTwoPixelsLower) {
  EXPECT_EQ(GENERATE_GetRecordHeight(EXT_FRM, 16), 14);
  EXPECT_EQ(GENERATE_GetRecordHeight(EXT_FRM, 2), 0);
  EXPECT_EQ(GENERATE_GetRecordHeight(EXT_FRM, 1), 1);
  EXPECT_EQ(GENERATE_GetRecordHeight(EXT_FRM, -21), -21);  // point-derived
  for (int type : {STD, AA2, AA4, EXT, EXT_AA2, EXT_AA4}) EXPECT_EQ(GENERATE_GetRecordHeight(type, 16), 16);
}

TEST(GenerationParams, ExtendedAntialiasedTypesUseTheEnginesAntialiasing) {
  EXPECT_EQ(GENERATE_GetEffectiveAAMethod(EXT_AA4, 1), 0);
  EXPECT_EQ(GENERATE_GetEffectiveAAMethod(EXT_AA2, 1), 0);
  EXPECT_EQ(GENERATE_GetEffectiveAAMethod(AA4, 1), 1);
  EXPECT_EQ(GENERATE_GetEffectiveAAMethod(AA2, 0), 0);
}

TEST(GenerationParams, TypedPixelHeight) {
  EXPECT_EQ(GENERATE_ParsePixelHeight("12abc"), 12);
  EXPECT_EQ(GENERATE_ParsePixelHeight("  24"), 24);
  EXPECT_EQ(GENERATE_ParsePixelHeight("px"), 0);
  EXPECT_EQ(GENERATE_ParsePixelHeight("12345678901234"), 1234567890);
  EXPECT_EQ(GENERATE_ParsePixelHeight(""), 0);
}
