#include "generation/internal/supersample.h"

#include <gtest/gtest.h>

namespace {

void Ink(Surface* s, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) GENERATE_SetSurfaceGrey(s, x, y, 0);
}

}  // namespace

TEST(Supersample, FirstCellsGatherAtMostThreeColumnsAndRows) {
  Surface s;
  GENERATE_InitSurface(&s, true);
  Ink(&s, 0, 0, 16, 16);
  AA_SetPhaseMasks(15, 15);
  AA_FillCoverage(&s, 4, 4, 16, 16);
  for (int py = 0; py < 4; py++)
    for (int px = 0; px < 4; px++) {
      EXPECT_EQ(AA_GetCellLevel(px, py, 0, 0), 8) << px << "," << py;  // 3 x 3 pixels
      EXPECT_EQ(AA_GetCellLevel(px, py, 1, 1), 15) << px << "," << py;
      EXPECT_EQ(AA_GetCellLevel(px, py, 1, 0), 11) << px << "," << py;  // 4 x 3 pixels: 12
    }
  // The last cell column: x 12..15 for phase 0, 13..15 for phase 1, 15 alone for phase 3.
  EXPECT_EQ(AA_GetCellLevel(0, 0, 3, 1), 15);
  EXPECT_EQ(AA_GetCellLevel(1, 0, 3, 1), 11);
  EXPECT_EQ(AA_GetCellLevel(3, 0, 3, 1), 4);
}

TEST(Supersample, OnlyEnabledPhasesAreCountedAndTheBestHasFewestPartialCells) {
  Surface s;
  GENERATE_InitSurface(&s, true);
  Ink(&s, 6, 5, 14, 13);  // two by two full cells for phase (2, 1)
  AA_SetPhaseMasks(15, 2);
  AA_FillCoverage(&s, 4, 4, 16, 16);
  EXPECT_EQ(AA_EvaluatePhases(4, 4), 2 + 4 * 1);
  EXPECT_EQ(AA_GetPhaseSum(2, 1), 0);
  EXPECT_GT(AA_GetPhaseSum(0, 1), 0);
  EXPECT_EQ(AA_GetCellLevel(2, 1, 1, 1), 15);
  EXPECT_EQ(AA_GetCellLevel(2, 1, 2, 2), 15);
  EXPECT_EQ(AA_GetCellLevel(2, 0, 1, 1), 0);  // y-phase 0 was not enabled

  // A later fill starts from an empty grid, whatever was counted before.
  GENERATE_ClearSurface(&s);
  AA_FillCoverage(&s, 4, 4, 16, 16);
  EXPECT_EQ(AA_GetCellLevel(2, 1, 1, 1), 0);
  // With nothing partly covered every phase ties: the lowest y-phase, then x-phase, wins.
  AA_SetPhaseMasks(12, 12);
  AA_FillCoverage(&s, 4, 4, 16, 16);
  EXPECT_EQ(AA_EvaluatePhases(4, 4), 2 + 4 * 2);
}
