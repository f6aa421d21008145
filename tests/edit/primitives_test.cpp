// The edit primitives: a count of steps done at once equals the steps done one by
// one, values at the 32-bit limits are refused without overflow, change notices
// name the codes, the font height commands keep standard fonts whole, and the
// cursor-distance adjustments reach only the font created after them.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <regex>
#include <string>

#include "edit/cursoradjust.h"
#include "edit/edit.h"
#include "edit/editfont.h"
#include "edit/fontedit.h"
#include "generation/generation_fixture.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/journal.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"

namespace {

using Lines = std::vector<std::string>;

// Characters 0x41..0x43 with a pattern in every row, 'A' current.
FontPtr Sample(int32_t type, int height = 6) {
  FontPtr pFont = NewFont(type, ENCODING_UC16, height);
  pFont->Baseline = height - 1;
  const bool extended = FONT_IsExtendedType(type);
  const int ink = FONT_GetMaxPixelValue(pFont.get());
  for (int c = 0x41; c <= 0x43; ++c)
    AddChar(pFont.get(), static_cast<uint16_t>(c), 3 + c % 4, extended ? 3 : height,
            [&](int x, int y) { return (2 * x + y + c) % 5 < 2 ? ink : 0; }, 0, extended ? 3 : 0, 5);
  FONT_SetCurrentChar(pFont.get(), 0x41);
  return pFont;
}

struct CountedEdit {
  const char* Name;
  int32_t Type;
  int Count;
  std::function<void(Font*, int)> Edit;  // the edit with a count
};

void PrintTo(const CountedEdit& e, std::ostream* pOut) { *pOut << e.Name; }

class CountedEdits : public ::testing::TestWithParam<CountedEdit> {
 protected:
  void SetUp() override { JOURNAL_Clear(); }
  ScopedServices services;
};

TEST_P(CountedEdits, EqualTheSameNumberOfSingleSteps) {
  const CountedEdit& e = GetParam();
  FontPtr once = Sample(e.Type);
  FontPtr stepwise = Sample(e.Type);
  const FontPtr before = CopyFont(once.get());
  e.Edit(once.get(), e.Count);
  for (int i = 0; i < e.Count; ++i) e.Edit(stepwise.get(), 1);
  EXPECT_NE(FontDifference(once.get(), before.get()), "");
  EXPECT_EQ(FontDifference(once.get(), stepwise.get()), "");
}

// The counts at the edges: beyond the width, up to the font's lines, framed fonts,
// growing and shrinking. Small counts of every range command on every type are
// EditRangeTypes.* (the command equals the character operation repeated).
const CountedEdit kCountedEdits[] = {
    {"DeleteLeftBeyondTheWidth", FONTTYPE_EXT_FRM, 9,
     [](Font* f, int n) { EDIT_DeleteColumns(f, 0x43, n, EDIT_SIDE_LEFT); }},
    {"InsertBoxRowsUpToTheTopLine", FONTTYPE_EXT, 5,
     [](Font* f, int n) { EDIT_InsertCharRows(f, 0x41, n, EDIT_SIDE_TOP); }},
    {"InsertBoxRowsUpToTheBottomLine", FONTTYPE_EXT_AA4, 5,
     [](Font* f, int n) { EDIT_InsertCharRows(f, 0x41, n, EDIT_SIDE_BOTTOM); }},
    {"DeleteBoxRowsAtTheTop", FONTTYPE_EXT, 4, [](Font* f, int n) { EDIT_DeleteCharRows(f, 0x41, n, EDIT_SIDE_TOP); }},
    {"DeleteBoxRowsAtTheBottom", FONTTYPE_EXT_AA4, 2,
     [](Font* f, int n) { EDIT_DeleteCharRows(f, 0x42, n, EDIT_SIDE_BOTTOM); }},
    {"FontRowsAtTheBottomOfAFramedFont", FONTTYPE_EXT_FRM, 3,
     [](Font* f, int n) { EDIT_InsertFontRows(f, n, EDIT_SIDE_BOTTOM); }},
    {"GrowStandardFontAtTheTop", FONTTYPE_STD, 3, [](Font* f, int n) { EDIT_GrowFont(f, n, EDIT_SIDE_TOP, 1); }},
    {"ShrinkExtendedFontAtTheBottom", FONTTYPE_EXT, 3,
     [](Font* f, int n) { EDIT_ShrinkFont(f, n, EDIT_SIDE_BOTTOM, 1); }},
};

INSTANTIATE_TEST_SUITE_P(Steps, CountedEdits, ::testing::ValuesIn(kCountedEdits),
                         [](const ::testing::TestParamInfo<CountedEdit>& info) { return info.param.Name; });

class Primitives : public ::testing::Test {
 protected:
  void SetUp() override { JOURNAL_Clear(); }
  ScopedServices services;
};

TEST_F(Primitives, CountsAtThe32BitLimitsAreRefusedWithoutOverflow) {
  FontPtr pFont = Sample(FONTTYPE_EXT_AA4, 10);
  const FontPtr before = CopyFont(pFont.get());
  EXPECT_EQ(EDIT_InsertColumns(pFont.get(), 0x41, INT_MAX, EDIT_SIDE_RIGHT), 1);
  EXPECT_EQ(EDIT_MoveChar(pFont.get(), 0x41, 0, INT_MIN), 1);  // 3 + 2147483648 does not fit
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxTop, 3);
  EXPECT_EQ(EDIT_MoveChar(pFont.get(), 0x43, INT_MAX, 0), 0);
  EXPECT_EQ(EDIT_MoveChar(pFont.get(), 0x43, INT_MAX, 0), 1);
  EXPECT_EQ(pFont->aCharInfo[0x43].BoxLeft, INT_MAX);
  EXPECT_EQ(EDIT_GrowFont(pFont.get(), INT_MAX, EDIT_SIDE_TOP, 1), 1);
  EXPECT_EQ(EDIT_ShrinkFont(pFont.get(), INT_MAX, EDIT_SIDE_TOP, 1), 1);
  EXPECT_EQ(pFont->Height, 10);
  EXPECT_EQ(pFont->Baseline, 9);
  EXPECT_STREQ(JOURNAL_GetText(), "");  // a refused count writes no lines either
  EDIT_ShiftRange(pFont.get(), 0x42, 0x42, INT_MIN, 0);  // 2147483648 mod 5 = 3 to the left
  EXPECT_EQ(Rows(pFont.get(), 0x42, 1)[0], Rows(before.get(), 0x42, 1)[0].substr(3) +
                                               Rows(before.get(), 0x42, 1)[0].substr(0, 3));
  EDIT_MoveRange(pFont.get(), 0x41, 0x41, INT_MIN, 1);
  EDIT_InsertRange(pFont.get(), 0x41, 0x43, INT_MAX, EDIT_SIDE_LEFT);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxWidth, before->aCharInfo[0x41].BoxWidth);

  FontPtr pStd = Sample(FONTTYPE_STD, 4);
  EDIT_InsertRange(pStd.get(), 0, 0xFFFF, INT_MAX, EDIT_SIDE_TOP);  // 2^47 rows: refused
  EXPECT_EQ(pStd->Height, 4);
  EDIT_DeleteRange(pStd.get(), 0, 0xFFFF, INT_MAX, EDIT_SIDE_BOTTOM);  // as many as there are
  EXPECT_EQ(pStd->Height, 1);
  EXPECT_EQ(pStd->aCharInfo[0x41].BoxHeight, 1);
  EXPECT_EQ(services.services.boxes, Lines{"Could not delete pixel!"});
}

TEST_F(Primitives, ManyColumnsAndRowsAtOnceKeepThePixels) {
  FontPtr pFont = Sample(FONTTYPE_EXT_AA4, 10);
  const Lines rows = Rows(pFont.get(), 0x41, 3);
  EDIT_InsertRange(pFont.get(), 0x41, 0x41, 60000, EDIT_SIDE_LEFT);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxWidth, 60000 + static_cast<int>(rows[0].size()));
  EXPECT_EQ(pFont->aCharInfo[0x41].CursorDist, 60005);
  EXPECT_EQ(pFont->MaxWidth, pFont->aCharInfo[0x41].BoxWidth);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(Rows(pFont.get(), 0x41, 3)[y].substr(60000), rows[y]);
  // Another 10000 would make the box wider than a file can hold.
  EXPECT_EQ(EDIT_InsertColumns(pFont.get(), 0x41, 10000, EDIT_SIDE_RIGHT), 1);

  FontPtr pStd = Sample(FONTTYPE_STD, 4);
  EDIT_InsertRange(pStd.get(), 0x41, 0x41, 8000, EDIT_SIDE_TOP);
  EXPECT_EQ(pStd->Height, 8004);
  EXPECT_EQ(pStd->aCharInfo[0x43].BoxHeight, 8004);
  const Lines tall = Rows(pStd.get(), 0x43, 8004);
  EXPECT_EQ(tall[7999], std::string(tall[7999].size(), '0'));
  EXPECT_EQ(Lines(tall.begin() + 8000, tall.end()), Rows(Sample(FONTTYPE_STD, 4).get(), 0x43, 4));
}

// Row edits move the rows a pixel copy would move and nothing else: bits a reader
// left beyond the width, and rows a bottom deletion left beyond the box, never come
// back into the box.
TEST_F(Primitives, RowEditsBringNothingFromBeyondTheBoxIntoIt) {
  const uint16_t code = 0x42;  // 5 pixels wide: every type has unused bits in a row's last byte
  for (int32_t type : {FONTTYPE_STD, FONTTYPE_AA2, FONTTYPE_AA4, FONTTYPE_EXT, FONTTYPE_EXT_AA2, FONTTYPE_EXT_AA4}) {
    SCOPED_TRACE(type);
    FontPtr pFont = Sample(type, 6);
    Font* f = pFont.get();
    CharInfo& ci = f->aCharInfo[code];
    const size_t rowBytes = static_cast<size_t>(FONT_GetRowBytes(f, ci.BoxWidth));
    const uint8_t used = static_cast<uint8_t>((1 << (5 * FONT_GetBitsPerPixel(type) % 8)) - 1);
    for (size_t i = rowBytes - 1; i < ci.DataSize; i += rowBytes) ci.pPixels[i] |= static_cast<uint8_t>(~used);
    const int rows = ci.BoxHeight;
    const Lines before = Rows(f, code, rows);
    const std::string blank(before[0].size(), '0');
    Lines expected;
    if (FONT_IsExtendedType(type)) {
      EDIT_DeleteCharRows(f, code, 1, EDIT_SIDE_BOTTOM);  // the last row's data stay behind the box
      EDIT_InsertCharRows(f, code, 2, EDIT_SIDE_TOP);
      EDIT_DeleteCharRows(f, code, 1, EDIT_SIDE_TOP);
      expected = {blank, before[0], before[1]};
    } else {
      EDIT_GrowFont(f, 2, EDIT_SIDE_TOP, 0);
      EDIT_ShrinkFont(f, 1, EDIT_SIDE_BOTTOM, 0);
      EDIT_ShrinkFont(f, 1, EDIT_SIDE_TOP, 0);
      expected = {blank};
      expected.insert(expected.end(), before.begin(), before.end() - 1);
    }
    ASSERT_EQ(ci.BoxHeight, static_cast<int>(expected.size()));
    EXPECT_EQ(Rows(f, code, ci.BoxHeight), expected);
    ASSERT_GE(ci.DataSize, rowBytes * expected.size());
    for (size_t y = 0; y < expected.size(); ++y) EXPECT_EQ(ci.pPixels[(y + 1) * rowBytes - 1] & ~used, 0) << y;
    // The last edit moved rows: the plane below the box is cleared.
    for (size_t i = rowBytes * expected.size(); i < ci.DataSize; ++i) EXPECT_EQ(ci.pPixels[i], 0) << i;
  }
}

TEST_F(Primitives, NoticesNameTheChangedCodesOnceARange) {
  FontPtr pFont = Sample(FONTTYPE_EXT, 8);
  EDIT_ShiftChar(pFont.get(), 0x42, 1, 0);
  EDIT_InsertRange(pFont.get(), 0x41, 0x43, 30, EDIT_SIDE_RIGHT);  // widens beyond MaxWidth
  EXPECT_EQ(services.services.redraws, std::vector<int>{VIEW_ALL});  // the current character moved to 0x43
  EDIT_MoveRange(pFont.get(), 0x42, 0x42, 1, 1);
  EDIT_IncFontTop(pFont.get());
  // Pixels 1, box 2, metrics 8.
  EXPECT_EQ(services.services.noticeTexts(), (Lines{"42-42:1", "41-43:11", "42-42:2", "0-FFFF:8"}));
  // The move selected 0x42; the height command changed no view state.
  EXPECT_EQ(services.services.redraws, (std::vector<int>{VIEW_ALL, VIEW_ALL}));
}

}  // namespace
