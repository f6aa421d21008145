#include "generation/antialias.h"

// The colours the views show for each pixel value; the values the generator takes
// from greys, with and without gamma, are in the golden files (Conversions/Golden.*).
#include <gtest/gtest.h>

#include <vector>


namespace {

enum { STD, AA2, AA4, EXT, EXT_FRM, EXT_AA2, EXT_AA4 };

AAColor Grey(int g) { return AA_RGB(g, g, g); }

}  // namespace

TEST(Antialias, DisplayColours) {
  AA_InitGammaTables();
  const std::vector<int> grey4 = {255, 242, 230, 218, 205, 191, 178, 164, 149, 134, 118, 101, 82, 62, 38, 0};
  for (int v = 0; v < 16; v++) {
    EXPECT_EQ(AA_ValueToColor(AA4, v), Grey(grey4[v])) << v;
    EXPECT_EQ(AA_ValueToColor(EXT_AA4, v), Grey(grey4[v])) << v;
  }
  const std::vector<int> grey2 = {255, 191, 118, 0};
  for (int v = 0; v < 4; v++) {
    EXPECT_EQ(AA_ValueToColor(AA2, v), Grey(grey2[v])) << v;
    EXPECT_EQ(AA_ValueToColor(EXT_AA2, v), Grey(grey2[v])) << v;
  }
  for (int type : {STD, EXT, EXT_FRM}) {
    EXPECT_EQ(AA_ValueToColor(type, 0), AA_WHITE);
    EXPECT_EQ(AA_ValueToColor(type, 1), Grey(0));
  }
  EXPECT_EQ(AA_ValueToColor(EXT_FRM, -1), AA_RGB(128, 255, 255));
}

