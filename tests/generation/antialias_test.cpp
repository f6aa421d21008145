#include "generation/antialias.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/settings.h"
#include "support/tempdir.h"

namespace {

enum { STD, AA2, AA4, EXT, EXT_FRM, EXT_AA2, EXT_AA4 };

AAColor Grey(int g) { return AA_RGB(g, g, g); }

// Settings live in a private folder for the test.
class AntialiasTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1); }
  void SetGamma(int on) {
    Settings s;
    SETTINGS_Load(&s);
    s.EnableGamma = on;
    ASSERT_EQ(SETTINGS_Save(&s), 0);
    AA_LoadOptions();
  }
  TempDir dir_;
};

}  // namespace

TEST_F(AntialiasTest, DisplayColours) {
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

TEST_F(AntialiasTest, GreysToValuesWithoutGamma) {
  SetGamma(0);
  AA_InitGammaTables();
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(0)), 15);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(16)), 15);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(17)), 14);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(254)), 1);
  EXPECT_EQ(AA_ColorToValue(EXT_AA4, Grey(8)), 15);
  EXPECT_EQ(AA_ColorToValue(EXT_AA4, Grey(9)), 14);
  EXPECT_EQ(AA_ColorToValue(EXT_AA4, Grey(246)), 1);
  EXPECT_EQ(AA_ColorToValue(EXT_AA4, Grey(247)), 0);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(63)), 3);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(64)), 2);
  EXPECT_EQ(AA_ColorToValue(EXT_AA2, Grey(191)), 1);
  EXPECT_EQ(AA_ColorToValue(EXT_AA2, Grey(254)), 0);
  for (int type : {STD, EXT, EXT_FRM}) {
    EXPECT_EQ(AA_ColorToValue(type, Grey(0)), 1);
    EXPECT_EQ(AA_ColorToValue(type, Grey(254)), 1);
    EXPECT_EQ(AA_ColorToValue(type, AA_WHITE), 0);
  }
  // Red, green and blue are averaged.
  EXPECT_EQ(AA_ColorToValue(AA4, AA_RGB(0, 0, 51)), 15 - 17 / 17);
}

TEST_F(AntialiasTest, GammaAppliesToTheStandardAntialiasedTypesOnly) {
  SetGamma(1);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(81)), 3);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(82)), 2);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(235)), 0);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(42)), 15);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(43)), 14);
  EXPECT_EQ(AA_ColorToValue(AA4, Grey(250)), 1);
  EXPECT_EQ(AA_ColorToValue(EXT_AA4, Grey(43)), 15 - 51 / 17);
  EXPECT_EQ(AA_ColorToValue(EXT_AA2, Grey(82)), 3 - 82 * 4 / 255);
  SetGamma(0);
  EXPECT_EQ(AA_ColorToValue(AA2, Grey(82)), 3 - 82 * 4 / 255);
}
