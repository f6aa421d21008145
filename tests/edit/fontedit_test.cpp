// Font-wide edits: the rows of standard and framed fonts, the font height commands
// and the range operations with their journal lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "edit/edit.h"
#include "edit/editfont.h"
#include "edit/fontedit.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Lines = std::vector<std::string>;

class FontEdit : public ::testing::Test {
 protected:
  void SetUp() override { JOURNAL_Clear(); }
  SaveTest t;
};

// Row y of the character has ink in column y % width.
int Diagonal(int x, int y) { return x == y % 5 ? 1 : 0; }

TEST_F(FontEdit, RowsOfAFramedFontKeepTheFrameInStep) {
  FontPtr pFont = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 3);
  pFont->Baseline = 2;
  SetRows(pFont.get(), 0x41, {"0f0", "f1f", "0f0"}, 0, 2, 4);
  SetRows(pFont.get(), 0x42, {"f", "1", "f"}, 0, 2, 2);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_InsertTop(pFont.get(), 0);
  EXPECT_EQ(pFont->Height, 4);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 4), (Lines{"000", "0f0", "f1f", "0f0"}));
  EXPECT_EQ(Rows(pFont.get(), 0x42, 4), (Lines{"0", "f", "1", "f"}));
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxHeight, 4);
  EDIT_DeleteTop(pFont.get(), 0);
  EDIT_DeleteTop(pFont.get(), 0);
  EXPECT_EQ(pFont->Height, 2);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 2), (Lines{"f1f", "0f0"}));
}

TEST_F(FontEdit, RangesWorkOnEveryCodeAndWriteOneLine) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_UC16, 8);
  pFont->Baseline = 6;
  for (int c = 0x41; c <= 0x43; ++c) SetRows(pFont.get(), c, {"1000", "0100"}, 0, 4, 5);
  EDIT_InsertRange(pFont.get(), 0x41, 0x43, 2, EDIT_SIDE_RIGHT);
  for (int c = 0x41; c <= 0x43; ++c) EXPECT_EQ(Rows(pFont.get(), c, 2), (Lines{"100000", "010000"}));
  EXPECT_EQ(pFont->aCharInfo[0x43].CursorDist, 7);
  EXPECT_EQ(FONT_GetCurrentChar(pFont.get()), 0x43);
  EDIT_DeleteRange(pFont.get(), 0x41, 0x41, 3, EDIT_SIDE_RIGHT);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 2), (Lines{"100", "010"}));
  EDIT_ShiftRange(pFont.get(), 0x42, 0x43, -7, 0);  // 7 steps of a 6 wide box are one
  EXPECT_EQ(Rows(pFont.get(), 0x42, 2), (Lines{"000001", "100000"}));
  EDIT_ShiftRange(pFont.get(), 0x42, 0x42, 1, 1);
  EXPECT_EQ(Rows(pFont.get(), 0x42, 2), (Lines{"100000", "000001"}));
  EDIT_MoveRange(pFont.get(), 0x41, 0x42, -3, 0);
  EDIT_MoveRange(pFont.get(), 0x41, 0x41, 2, 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxLeft, -3);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxTop, 2);
  EXPECT_EQ(pFont->aCharInfo[0x43].BoxLeft, 0);
  EDIT_DeleteRange(pFont.get(), 0x50, 0x4F, 1, EDIT_SIDE_TOP);
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Insert/Right    range 0x41 (65) to 0x43 (67) for 2 pixel",
                                   "* Edit/Delete/Right    range 0x41 (65) to 0x41 (65) for 3 pixel",
                                   "* Edit/Delete/Top    range 0x50 (80) to 0x4F (79) for 1 pixel"}));
}

TEST_F(FontEdit, CodesOutsideAnEightBitFontSelectCodeZero) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_ISO8859, 8);
  SetRows(pFont.get(), 0, {"1"}, 0, 1, 1);
  EDIT_InsertRange(pFont.get(), 0x100, 0x1FF, 1, EDIT_SIDE_LEFT);
  EXPECT_EQ(pFont->aCharInfo[0].BoxWidth, 257);
  EXPECT_EQ(pFont->aCharInfo[0].CursorDist, 257);
}

TEST_F(FontEdit, RangeRowEditsOfAStandardFontChangeTheWholeFontPerCode) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 4);
  for (int c = 0x41; c <= 0x43; ++c) AddChar(pFont.get(), c, 3, 4, Diagonal);
  EDIT_InsertRange(pFont.get(), 0x41, 0x42, 2, EDIT_SIDE_BOTTOM);
  EXPECT_EQ(pFont->Height, 8);
  EXPECT_EQ(pFont->aCharInfo[0x43].BoxHeight, 8);
  EDIT_DeleteRange(pFont.get(), 0x41, 0x43, 5, EDIT_SIDE_TOP);
  EXPECT_EQ(pFont->Height, 1);
  EXPECT_EQ(t.services.boxes, (Lines{"Could not delete pixel!"}));
}

}  // namespace
