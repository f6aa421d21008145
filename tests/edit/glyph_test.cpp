// Glyphs between fonts: each row pastes a glyph into character 'A' of a font six
// rows high with its baseline at row 4 and compares the character's rows, box and
// advance, or that a refused paste changed nothing. (Copy, images and the flips are
// driven through the window in tests/shell/clipboard_test.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/editfont.h"
#include "edit/glyph.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int kHeight = 6;
constexpr int kBaseline = 4;

FontPtr Target(int32_t type) {
  FontPtr pFont = NewFont(type, ENCODING_UC16, kHeight);
  pFont->Baseline = kBaseline;
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

// A glyph from rows of hexadecimal values.
EditGlyph Glyph(const Lines& rows, int maxValue, int boxTop, int boxLeft = 0, int advance = 0) {
  EditGlyph g;
  g.Height = static_cast<int>(rows.size());
  g.Width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  g.MaxValue = maxValue;
  g.BoxTop = boxTop;
  g.BoxLeft = boxLeft;
  g.CursorDist = advance;
  for (const std::string& row : rows)
    for (char c : row) g.aValue.push_back(static_cast<uint8_t>(std::stoi(std::string(1, c), nullptr, 16)));
  return g;
}

struct PasteCase {
  const char* Name;
  int32_t Type;
  EditGlyph Source;
  int Result;
  Lines Rows;  // the character's rows after the paste (its own box rows)
  int BoxTop;  // extended targets
};

void PrintTo(const PasteCase& c, std::ostream* pOut) { *pOut << c.Name; }

class PasteGlyph : public testing::TestWithParam<PasteCase> {
 protected:
  ScopedServices services;
};

TEST_P(PasteGlyph, PlacesAndScalesTheGlyph) {
  const PasteCase& c = GetParam();
  FontPtr pFont = Target(c.Type);
  SetRows(pFont.get(), 'A', {"11", "11"}, 0, 1, 2);
  const FontPtr before = CopyFont(pFont.get());
  ASSERT_EQ(EDIT_PasteGlyph(pFont.get(), 'A', c.Source), c.Result);
  if (c.Result != 0) {
    EXPECT_EQ(FontDifference(pFont.get(), before.get()), "");
    return;
  }
  const CharInfo& ci = pFont->aCharInfo['A'];
  EXPECT_EQ(Rows(pFont.get(), 'A', ci.BoxHeight), c.Rows);
  EXPECT_EQ(ci.BoxWidth, c.Source.Width);
  EXPECT_EQ(pFont->MaxWidth, c.Source.Width);
  EXPECT_TRUE(ci.Rendered && ci.Exists);
  if (FONT_IsExtendedType(c.Type)) {
    EXPECT_EQ(ci.BoxTop, c.BoxTop);
    EXPECT_EQ(ci.BoxLeft, c.Source.BoxLeft);
    EXPECT_EQ(ci.CursorDist, c.Source.CursorDist);
  } else {
    EXPECT_EQ(ci.BoxHeight, kHeight);
    EXPECT_EQ(ci.CursorDist, c.Source.Width);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PasteGlyph,
    testing::Values(
        // Bit depths: each value to the nearest index, halves up.
        PasteCase{"Aa4ToAa2", FONTTYPE_AA2, Glyph({"0F87"}, 15, 4), 0, {"0321", "0000", "0000", "0000", "0000", "0000"}, 0},
        PasteCase{"Aa2ToStd", FONTTYPE_STD, Glyph({"0123"}, 3, 4), 0, {"0011", "0000", "0000", "0000", "0000", "0000"}, 0},
        PasteCase{"StdToAa4", FONTTYPE_EXT_AA4, Glyph({"10", "01"}, 1, 3, -1, 3), 0, {"F0", "0F"}, 3},
        // A standard target keeps the font's rows: the glyph is cut at the top and
        // padded below, or lands lower by its box top.
        PasteCase{"StdCutAtTop", FONTTYPE_STD, Glyph({"1", "0", "1"}, 1, 6), 0, {"1", "0", "0", "0", "0", "0"}, 0},
        PasteCase{"StdBelowTop", FONTTYPE_AA4, Glyph({"F", "F"}, 15, 2), 0, {"0", "0", "F", "F", "0", "0"}, 0},
        // An extended target's box is cut to the font's rows, its top moves down.
        PasteCase{"ExtCut", FONTTYPE_EXT_AA2, Glyph({"1", "2", "3", "3", "3", "3", "2", "1"}, 3, 5, 2, 4), 0,
                  {"2", "3", "3", "3", "3", "2"}, 4},
        PasteCase{"ExtBelowFont", FONTTYPE_EXT, Glyph({"1"}, 1, -2), 1, {}, 0},
        PasteCase{"WrongSize", FONTTYPE_STD, EditGlyph{2, 2, 1, 0, 4, 2, {1, 1, 1}}, 1, {}, 0},
        // A framed target draws its frame around the pasted ink.
        PasteCase{"Framed", FONTTYPE_EXT_FRM, Glyph({"000", "010", "000"}, 1, 3, 0, 3), 0, {"0f0", "f1f", "0f0"}, 3}));

}  // namespace
