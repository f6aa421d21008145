// A character's pixels lifted out of its font, and put back into a character of
// a font of any type: what the window's clipboard carries, and what an image from
// another program becomes. Also the two mirror images of a character.
//
// Placement: a glyph's top row lies BoxTop above the baseline, as in a character
// of an extended font, so row y of the glyph lands on row Baseline - BoxTop + y of
// the target font; rows that fall outside the font's rows are dropped. A standard
// target (STD, AA2, AA4) takes the glyph's width as its width and advance and the
// font height as its rows (the rows the glyph does not cover stay empty); an
// extended target takes the glyph's box cut to the font's rows, its left offset
// and its advance. Values are scaled to the target's bit depth, each to the
// nearest of its indexes.
#pragma once

#include <cstdint>
#include <vector>

struct Font;

struct EditGlyph {
  int32_t Width = 0;
  int32_t Height = 0;
  // The value of full ink: 1, 3 or 15 for glyphs from fonts, 255 for images.
  int32_t MaxValue = 1;
  int32_t BoxLeft = 0;
  int32_t BoxTop = 0;  // baseline up to the top row
  int32_t CursorDist = 0;
  std::vector<uint8_t> aValue;  // Width x Height values, row by row, 0 background
};

// v on the scale 0..fromMax brought to the scale 0..toMax, to the nearest value
// (halves round up: on one bit, ink of half strength or more is ink).
int EDIT_ScaleValue(int v, int fromMax, int toMax);

// The character's pixels, box and advance (rendered first when pending). A
// standard character's box is the font's rows with its top at the font's top and
// its width as advance. Frame pixels are not part of the glyph: a framed target
// draws its frame around the ink again.
void EDIT_CopyGlyph(Font* pFont, uint16_t code, EditGlyph* pGlyph);

// An image's grey levels (0 black .. 255 white, row by row) as a glyph: black is
// full ink, white background; the image's top row at the top of a font with that
// baseline, its width as advance.
void EDIT_GlyphFromGrey(const uint8_t* pGrey, int width, int height, int baseline, EditGlyph* pGlyph);

// Puts the glyph into the character, which then holds its pixels (it counts as
// rendered and existing) and raises the font's MaxWidth when wider. 1, with
// nothing changed, when no row of the glyph lies inside the font's rows, the
// glyph is wider than the files hold or its values do not match its size.
int EDIT_PasteGlyph(Font* pFont, uint16_t code, const EditGlyph& glyph);

// Mirrors the pixels inside the box: left to right, or top to bottom when
// vertical is set. 1 for an empty box.
int EDIT_FlipChar(Font* pFont, uint16_t code, int vertical);

// The window's commands on the current character; with logging, the journal line
// first (Paste writes it only when it pasted).
int EDIT_PasteChar(Font* pFont, const EditGlyph& glyph, int logging);
void EDIT_FlipHorizontal(Font* pFont, int logging);
void EDIT_FlipVertical(Font* pFont, int logging);
