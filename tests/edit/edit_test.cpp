// The character geometry edits on exact pixels: columns, rotation, rows of the
// extended types, moves, the cursor advance and their journal lines.
#include <gtest/gtest.h>

#include "edit/edit.h"
#include "edit/editfont.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Lines = std::vector<std::string>;

class Edit : public ::testing::Test {
 protected:
  void SetUp() override { JOURNAL_Clear(); }
  SaveTest t;  // records the boxes, settings of the test's own
};

TEST_F(Edit, InsertRightWidensTheStrideOnlyWhenTheRowNeedsAnotherByte) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 2);
  SetRows(pFont.get(), 0x41, {"1010101", "0101010"}, 0, 0, 7);
  SetRows(pFont.get(), 0x42, {"11111111", "10000001"}, 0, 0, 8);
  pFont->MaxWidth = 8;
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_InsertRight(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].DataSize, 2u);  // 8 pixels still fit the row's byte
  EXPECT_EQ(Rows(pFont.get(), 0x41, 2), (Lines{"10101010", "01010100"}));
  EXPECT_EQ(pFont->aCharInfo[0x41].CursorDist, 8);
  EXPECT_EQ(pFont->MaxWidth, 8);
  FONT_SetCurrentChar(pFont.get(), 0x42);
  EDIT_InsertRight(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x42].DataSize, 4u);
  EXPECT_EQ(Rows(pFont.get(), 0x42, 2), (Lines{"111111110", "100000010"}));
  EXPECT_EQ(pFont->MaxWidth, 9);
  EDIT_InsertLeft(pFont.get(), 1);
  EXPECT_EQ(Rows(pFont.get(), 0x42, 2), (Lines{"0111111110", "0100000010"}));
  EXPECT_EQ(pFont->aCharInfo[0x42].CursorDist, 10);
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Insert/Right     at character 0x41 (65)",
                                   "* Edit/Insert/Right     at character 0x42 (66)",
                                   "* Edit/Insert/Left      at character 0x42 (66)"}));
}

TEST_F(Edit, DeletingColumnsDropsTheRightOrLeftColumnDownToAnEmptyBox) {
  FontPtr pFont = NewFont(FONTTYPE_EXT_AA4, ENCODING_UC16, 4);
  SetRows(pFont.get(), 0x30, {"123456789", "ABCDEF012"}, 0, 2, 10);
  FONT_SetCurrentChar(pFont.get(), 0x30);
  EDIT_DeleteLeft(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x30, 2), (Lines{"23456789", "BCDEF012"}));
  EDIT_DeleteRight(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x30, 2), (Lines{"2345678", "BCDEF01"}));
  EXPECT_EQ(pFont->aCharInfo[0x30].CursorDist, 8);
  SetRows(pFont.get(), 0x31, {"1", "1"}, 0, 2, 3);
  FONT_SetCurrentChar(pFont.get(), 0x31);
  EDIT_DeleteRight(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x31].BoxWidth, 0);
  EXPECT_EQ(pFont->aCharInfo[0x31].CursorDist, 2);
  EDIT_DeleteLeft(pFont.get(), 1);  // nothing left: only the journal line
  EXPECT_EQ(pFont->aCharInfo[0x31].CursorDist, 2);
  EXPECT_EQ(JournalLines().size(), 2u);
  EXPECT_EQ(JournalLines()[1], "* Edit/Delete/Left      at character 0x31 (49)");
}

TEST_F(Edit, ShiftsRotateThePixelsInsideTheBox) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 3);
  SetRows(pFont.get(), 0x41, {"1000000", "0000011", "0110000"});
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_ShiftRight(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"0100000", "1000001", "0011000"}));
  EDIT_ShiftLeft(pFont.get(), 0);
  EDIT_ShiftLeft(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"0000001", "0000110", "1100000"}));
  EDIT_ShiftUp(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"0000110", "1100000", "0000001"}));
  EDIT_ShiftDown(pFont.get(), 1);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"0000001", "0000110", "1100000"}));
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Shift/Down       at character 0x41 (65)"}));
}

TEST_F(Edit, RowsOfAnExtendedCharacterStayInsideTheFontsLineBox) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  pFont->Baseline = 8;
  SetRows(pFont.get(), 0x41, {"111", "101"}, 1, 8, 4);  // top row on the font's top row
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_InsertTop(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxHeight, 2);
  SetRows(pFont.get(), 0x42, {"110", "011"}, 0, 5, 4);
  FONT_SetCurrentChar(pFont.get(), 0x42);
  EDIT_InsertTop(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x42, 3), (Lines{"000", "110", "011"}));
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxTop, 6);
  // Bottom: rows down to the font's last row (8 - 6 + 3 = 5 < 10).
  for (int i = 0; i < 10; ++i) EDIT_InsertBottom(pFont.get(), 0);
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxHeight, 8);  // 8 - 6 + 8 = 10 rows reach the bottom
  EXPECT_EQ(Rows(pFont.get(), 0x42, 8)[7], "000");
  EDIT_DeleteTop(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x42, 2), (Lines{"110", "011"}));
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxTop, 5);
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxHeight, 7);
  EDIT_DeleteBottom(pFont.get(), 0);
  EXPECT_EQ(pFont->aCharInfo[0x42].BoxHeight, 6);
  EXPECT_EQ(pFont->Height, 10);  // the font's rows are not touched
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Insert/Top       at character 0x41 (65)"}));
}

TEST_F(Edit, OneRowCharactersKeepTheirRow) {
  FontPtr pFont = NewFont(FONTTYPE_EXT_AA4, ENCODING_UC16, 10);
  SetRows(pFont.get(), 0x41, {"F73"}, 0, 3, 4);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_DeleteTop(pFont.get(), 1);
  EDIT_DeleteBottom(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxHeight, 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxTop, 3);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 1), (Lines{"F73"}));
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Delete/Top       at character 0x41 (65)",
                                   "* Edit/Delete/Bottom    at character 0x41 (65)"}));
}

TEST_F(Edit, FramePixelsTravelWithTheirPixels) {
  FontPtr pFont = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 4);
  pFont->Baseline = 3;
  SetRows(pFont.get(), 0x41, {"0f00000f", "f1f000f1", "0f00000f"}, 0, 3, 8);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_InsertLeft(pFont.get(), 0);  // 9 columns: a second byte per row in both planes
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"00f00000f", "0f1f000f1", "00f00000f"}));
  EDIT_ShiftLeft(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"0f00000f0", "f1f000f10", "0f00000f0"}));
  EDIT_DeleteRight(pFont.get(), 0);
  EDIT_ShiftUp(pFont.get(), 0);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 3), (Lines{"f1f000f1", "0f00000f", "0f00000f"}));
  // The planes agree: no pixel is ink and frame at once.
  const CharInfo& ci = pFont->aCharInfo[0x41];
  for (uint32_t i = 0; i < ci.DataSize; ++i) EXPECT_EQ(ci.pPixels[i] & ci.pFrame[i], 0) << i;
}

TEST_F(Edit, MovesChangeOnlyThePosition) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  SetRows(pFont.get(), 0x41, {"10", "01"}, 2, 5, 4);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_MoveRight(pFont.get(), 1);
  EDIT_MoveUp(pFont.get(), 0);
  EDIT_MoveUp(pFont.get(), 0);
  EDIT_MoveLeft(pFont.get(), 0);
  EDIT_MoveLeft(pFont.get(), 0);
  EDIT_MoveLeft(pFont.get(), 0);
  EDIT_MoveDown(pFont.get(), 1);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxLeft, 0);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxTop, 6);
  EXPECT_EQ(Rows(pFont.get(), 0x41, 2), (Lines{"10", "01"}));
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Move/Right       at character 0x41 (65)",
                                   "* Edit/Move/Down        at character 0x41 (65)"}));
}

TEST_F(Edit, CursorDistanceStaysWithinAByteAndIsAlwaysLogged) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_UC16, 10);
  SetRows(pFont.get(), 0x41, {"1"}, 0, 1, 255);
  SetRows(pFont.get(), 0x42, {"1"}, 0, 1, 0);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  EDIT_IncCursorDist(pFont.get());
  EXPECT_EQ(pFont->aCharInfo[0x41].CursorDist, 255);
  EDIT_DecCursorDist(pFont.get());
  EXPECT_EQ(pFont->aCharInfo[0x41].CursorDist, 254);
  FONT_SetCurrentChar(pFont.get(), 0x42);
  EDIT_DecCursorDist(pFont.get());
  EXPECT_EQ(pFont->aCharInfo[0x42].CursorDist, 0);
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Cursor Distance/Increase at character 0x41 (65)",
                                   "* Edit/Cursor Distance/Decrease at character 0x41 (65)",
                                   "* Edit/Cursor Distance/Decrease at character 0x42 (66)"}));
}

}  // namespace
