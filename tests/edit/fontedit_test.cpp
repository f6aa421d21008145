// Font-wide edits: the rows of framed fonts, and ranges beyond an eight-bit font (the
// range operations of every type are checked against the character operations in
// EditRangeTypes, their journal lines in the golden conversions).
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

TEST_F(FontEdit, CodesOutsideAnEightBitFontSelectCodeZero) {
  FontPtr pFont = NewFont(FONTTYPE_EXT, ENCODING_ISO8859, 8);
  SetRows(pFont.get(), 0, {"1"}, 0, 1, 1);
  EDIT_InsertRange(pFont.get(), 0x100, 0x1FF, 1, EDIT_SIDE_LEFT);
  EXPECT_EQ(pFont->aCharInfo[0].BoxWidth, 257);
  EXPECT_EQ(pFont->aCharInfo[0].CursorDist, 257);
}

}  // namespace
