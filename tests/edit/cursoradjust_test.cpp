#include "edit/cursoradjust.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "generation/adjustments.h"
#include "model/font.h"
#include "settings/journal.h"

TEST(CursorDistAdjust, ClampsTheRangeAndSumsOverlappingRegistrations) {
  JOURNAL_Clear();
  EDIT_IncCursorDistRange(nullptr, -5, 70000, 3);
  EDIT_DecCursorDistRange(nullptr, 0x41, 0x5A, 2);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0), 3);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0xFFFF), 3);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 1);
  const std::string text = JOURNAL_GetText();
  EXPECT_EQ(text.find("* Edit/Cursor Distance/Increase by 3 for range 0x"), 0u);
  EXPECT_NE(text.find("*\r\n* Edit/Cursor Distance/Decrease by 2 for range 0x0041-0x005A    "), std::string::npos);
}

// That deleting a font (a merge's) keeps the pending list is the golden case
// adjustments_survive_a_merge.
TEST(CursorDistAdjust, SumsOfExtremeCountsDoNotOverflow) {
  EDIT_ClearCursorDistAdjust();
  for (int i = 0; i < 3; ++i) EDIT_IncCursorDistRange(nullptr, 0, 0xFFFF, INT32_MAX);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), GENERATE_ADJUST_LIMIT);
  EDIT_ClearCursorDistAdjust();
  for (int i = 0; i < 3; ++i) EDIT_DecCursorDistRange(nullptr, 0, 0xFFFF, INT32_MAX);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), -GENERATE_ADJUST_LIMIT);
  EDIT_ClearCursorDistAdjust();
}
