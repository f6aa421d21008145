#include "edit/cursoradjust.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/journal.h"

TEST(CursorDistAdjust, SumsOverlappingRegistrations) {
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 0);
  EDIT_IncCursorDistRange(nullptr, 0x20, 0x7F, 2);
  EDIT_DecCursorDistRange(nullptr, 0x41, 0x41, 1);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 1);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x20), 2);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x80), 0);
  EDIT_ClearCursorDistAdjust();
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 0);
}

TEST(CursorDistAdjust, ClampsTheRangeAndWritesJournalLines) {
  JOURNAL_Clear();
  EDIT_IncCursorDistRange(nullptr, -5, 70000, 3);
  EDIT_DecCursorDistRange(nullptr, 0x41, 0x5A, 2);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0), 3);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0xFFFF), 3);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 1);
  const std::string text = JOURNAL_GetText();
  const std::string second = "* Edit/Cursor Distance/Decrease by 2 for range 0x0041-0x005A";
  EXPECT_EQ(text.substr(text.size() - 72), second + std::string(69 - second.size(), ' ') + "*\r\n");
  EXPECT_EQ(text.find("* Edit/Cursor Distance/Increase by 3 for range 0x"), 0u);
}

TEST(CursorDistAdjust, AFontKeepsWhatWasRegisteredBeforeItsCreation) {
  EDIT_IncCursorDistRange(nullptr, 0x20, 0x7F, 2);
  const CursorDistAdjustments first = EDIT_TakeCursorDistAdjust();
  EXPECT_EQ(EDIT_GetCursorDistAdjustFor(first, 0x41), 2);  // not counted twice
  EDIT_ClearCursorDistAdjust();                            // the previous font is deleted
  EXPECT_EQ(EDIT_GetCursorDistAdjustFor(first, 0x41), 2);
  EDIT_DecCursorDistRange(nullptr, 0x41, 0x41, 5);         // while the font is current
  EXPECT_EQ(EDIT_GetCursorDistAdjustFor(first, 0x41), -3);
  const CursorDistAdjustments second = EDIT_TakeCursorDistAdjust();
  EDIT_ClearCursorDistAdjust();
  EXPECT_EQ(EDIT_GetCursorDistAdjustFor(second, 0x41), -5);  // the first font's entries are not inherited
  EXPECT_EQ(EDIT_GetCursorDistAdjustFor(second, 0x20), 0);
  EXPECT_EQ(EDIT_GetCursorDistAdjust(0x41), 0);
}
