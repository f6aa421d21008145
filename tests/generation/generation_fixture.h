// Creating fonts from the synthetic test fonts and reading their pixels.
#pragma once

#include <string>

#include "generation/fontengine.h"
#include "generation/generate.h"
#include "model/font.h"

struct CreateArgs {
  const char* pFace = "Morvane Rect";
  int Height = 20;
  int Type = FONTTYPE_STD;
  int Encoding = ENCODING_UC16;
  int Method = 0;
  int Weight = 400;
  int Italic = 0;
  int CharSet = 1;
};

// Registers the test fonts, builds the tables once and creates the font.
FontPtr CreateFont(const CreateArgs& args);
// The character rendered, as rows of '.' (0), '#' (largest value), 'o' (frame) and
// hex digits for other values.
std::string Pixels(Font* pFont, uint16_t code);
// A w x h picture with the rectangle x0..x1-1, y0..y1-1 drawn in 'ink'.
std::string Rect(int w, int h, int x0, int y0, int x1, int y1, char ink = '#');
// The number of pixels of the character, rendered first, that are not background.
int InkPixels(Font* pFont, uint16_t code);
// Whether the engine's glyph bitmap has ink at (x, y).
bool GlyphInk(const GlyphBitmap& b, int x, int y);
inline const CharInfo* Info(const Font* pFont, uint16_t code) { return &pFont->aCharInfo[code]; }
