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

TEST_F(FontEdit, InsertTopOfAStandardFontMovesEveryCharacterDown) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 16);
  for (int c = 0x41; c <= 0x43; ++c) AddChar(pFont.get(), c, 5, 16, Diagonal);
  FONT_SetCurrentChar(pFont.get(), 0x42);
  EDIT_InsertTop(pFont.get(), 1);
  EXPECT_EQ(pFont->Height, 17);
  for (int c = 0x41; c <= 0x43; ++c) {
    EXPECT_EQ(pFont->aCharInfo[c].BoxHeight, 17);
    const Lines rows = Rows(pFont.get(), c, 17);
    EXPECT_EQ(rows[0], "00000");
    for (int y = 0; y < 16; ++y) EXPECT_EQ(rows[y + 1][y % 5], '1') << c << " " << y;
  }
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Insert/Top       at character 0x42 (66)"}));
  EXPECT_EQ(t.services.status.back(), "Ready");
  EXPECT_NE(std::find(t.services.status.begin(), t.services.status.end(), "Modifying character 0000   "),
            t.services.status.end());
}

TEST_F(FontEdit, RowsOfAStandardFontAtTheBottomAndDeleted) {
  FontPtr pFont = NewFont(FONTTYPE_AA2, ENCODING_ISO8859, 3);
  SetRows(pFont.get(), 0x41, {"123", "321", "111"});
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_InsertBottom(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 4), (Lines{"123", "321", "111", "000"}));
  EDIT_DeleteTop(pFont.get(), 0);
  EXPECT_EQ(pFont->Height, 3);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxHeight, 3);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"321", "111", "000"}));
  EDIT_DeleteBottom(pFont.get(), 0);
  EDIT_DeleteBottom(pFont.get(), 0);
  EXPECT_EQ(pFont->Height, 1);
  EXPECT_TRUE(t.services.boxes.empty());
  EDIT_DeleteTop(pFont.get(), 0);
  EDIT_DeleteBottom(pFont.get(), 0);
  EXPECT_EQ(t.services.boxes, (Lines{"Could not delete pixel!", "Could not delete pixel!"}));
  EXPECT_EQ(pFont->Height, 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxHeight, 1);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 1), (Lines{"321"}));
}

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

TEST_F(FontEdit, FontHeightCommandsLeaveTheCharacters) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  pFont->Baseline = 8;
  SetRows(pFont.get(), 0x41, {"11", "10"}, 1, 6, 3);
  EDIT_IncFontTop(pFont.get());
  EDIT_IncFontTop(pFont.get());
  EXPECT_EQ(pFont->Height, 12);
  EXPECT_EQ(pFont->Baseline, 10);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxTop, 6);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 2), (Lines{"11", "10"}));
  EDIT_IncFontBottom(pFont.get(), 0);
  EDIT_DecFontBottom(pFont.get(), 1);
  EDIT_DecFontTop(pFont.get());
  EXPECT_EQ(pFont->Height, 11);
  EXPECT_EQ(pFont->Baseline, 9);
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Increase/Top     of font.", "* Edit/Increase/Top     of font.",
                                   "* Edit/Decrease/Bottom  of font.", "* Edit/Decrease/Top     of font."}));
  FontPtr pSmall = NewFont(FONTTYPE_EXT, ENCODING_UC16, 1);
  EDIT_DecFontTop(pSmall.get());
  EXPECT_EQ(pSmall->Height, 1);  // a font keeps its last row; the baseline still moves
  EXPECT_EQ(pSmall->Baseline, -1);
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
