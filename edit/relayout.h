// Internal to the edit module: the working copy of a character and the rewrite of
// its planes in a new box, which every geometry edit is built from. Frame pixels
// of EXT_FRM characters travel in the copy as -1, so the frame plane is re-laid
// out together with the pixel plane.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Font;

struct CharCopy {
  int Width = 0;
  int Height = 0;
  std::vector<int8_t> aValue;  // Width x Height values, row by row
  // 0 outside the copied box.
  int Get(int x, int y) const {
    return x < 0 || y < 0 || x >= Width || y >= Height ? 0 : aValue[static_cast<size_t>(y) * Width + x];
  }
};

// The character's pixels in its box of BoxWidth x height rows.
CharCopy EDIT_CopyChar(const Font* pFont, uint16_t code, int height);

// Gives the character the box width x height (BoxWidth is set, BoxHeight is left
// to the caller) with cleared planes, new ones when the old are too small, and
// fills it from the copy: pixel (x, y) takes the copy's pixel (x + dx, y + dy),
// taken modulo the copy's size where wrap is set. False when memory is short.
bool EDIT_Relayout(Font* pFont, uint16_t code, const CharCopy& copy, int width, int height, int dx, int dy,
                   bool wrap);

// The rows of the character that the edits work on: the font height for the
// standard types, the character's own box for the extended ones.
int EDIT_RowsOf(const Font* pFont, uint16_t code);

// Writes a journal line made from format and the arguments.
void EDIT_Journal(const char* format, ...);

// Renders the character first when it exists and is not rendered yet.
void EDIT_EnsureRendered(Font* pFont, uint16_t code);

// Font-wide row edits of the standard types and EXT_FRM: every character with
// the font height.
void EDIT_FontRowsInsertTop(Font* pFont);
void EDIT_FontRowsInsertBottom(Font* pFont);
void EDIT_FontRowsDeleteTop(Font* pFont);
void EDIT_FontRowsDeleteBottom(Font* pFont);
