// Glyphs between fonts and from images: each row of the tables pastes a glyph into
// character 'A' of a font six rows high with its baseline at row 4 and compares
// the character's rows, box and advance; greys become the nearest index of the
// type; the mirror images keep the frame of a framed font in step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/editfont.h"
#include "edit/glyph.h"
#include "settings/journal.h"
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

// Greys 0 (black) .. 255 (white) of an image, as indexes of each depth.
TEST(GlyphFromGrey, BlackIsFullInkWhiteIsBackgroundGreysTheNearestIndex) {
  const std::vector<uint8_t> grey = {0, 64, 127, 128, 191, 255};
  EditGlyph g;
  EDIT_GlyphFromGrey(grey.data(), 6, 1, kBaseline, &g);
  const struct {
    int32_t Type;
    const char* Row;
  } aCase[] = {{FONTTYPE_STD, "111000"}, {FONTTYPE_AA2, "322110"}, {FONTTYPE_EXT_AA4, "FB8740"}};
  for (const auto& c : aCase) {
    ScopedServices services;
    FontPtr pFont = Target(c.Type);
    ASSERT_EQ(EDIT_PasteGlyph(pFont.get(), 'A', g), 0);
    // The image's top row is the font's top row, its width the advance.
    EXPECT_EQ(Rows(pFont.get(), 'A', 1), Lines{c.Row}) << c.Type;
    EXPECT_EQ(pFont->aCharInfo['A'].CursorDist, 6) << c.Type;
  }
}

// Copying a character of one font and pasting it into another keeps its rows on
// the baseline and its advance; the journal names the paste and the flips.
TEST(CopyGlyph, StandardToExtendedAndFlips) {
  ScopedServices services;
  JOURNAL_Clear();
  FontPtr pStd = Target(FONTTYPE_AA2);
  SetRows(pStd.get(), 'B', {"123", "000", "000", "300", "000", "001"});
  EditGlyph g;
  EDIT_CopyGlyph(pStd.get(), 'B', &g);
  EXPECT_EQ(g.BoxTop, kBaseline);
  EXPECT_EQ(g.CursorDist, 3);
  FontPtr pExt = Target(FONTTYPE_EXT_AA2);
  pExt->Baseline = kBaseline + 1;  // the same glyph lands a row lower, cut at the bottom
  ASSERT_EQ(EDIT_PasteChar(pExt.get(), g, 1), 0);
  const CharInfo& ci = pExt->aCharInfo['A'];
  EXPECT_EQ(Rows(pExt.get(), 'A', ci.BoxHeight), (Lines{"123", "000", "000", "300", "000"}));
  EXPECT_EQ(ci.BoxTop, kBaseline);
  EXPECT_EQ(ci.CursorDist, 3);

  EDIT_FlipHorizontal(pExt.get(), 1);
  EXPECT_EQ(Rows(pExt.get(), 'A', ci.BoxHeight), (Lines{"321", "000", "000", "003", "000"}));
  EDIT_FlipVertical(pExt.get(), 1);
  EXPECT_EQ(Rows(pExt.get(), 'A', ci.BoxHeight), (Lines{"000", "003", "000", "000", "321"}));
  EXPECT_EQ(JournalLines(), (Lines{"* Edit/Paste            at character 0x41 (65)",
                                   "* Edit/Flip/Horizontal  at character 0x41 (65)",
                                   "* Edit/Flip/Vertical    at character 0x41 (65)"}));
  // A framed character's frame is mirrored with its ink.
  FontPtr pFrm = Target(FONTTYPE_EXT_FRM);
  SetRows(pFrm.get(), 'A', {"0f00", "f1f0", "0f00"}, 0, 3, 4);
  EDIT_FlipHorizontal(pFrm.get(), 0);
  EXPECT_EQ(Rows(pFrm.get(), 'A', 3), (Lines{"00f0", "0f1f", "00f0"}));
}

}  // namespace
