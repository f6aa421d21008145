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
// The number of pixels of the character, rendered first, that are not background.
int InkPixels(Font* pFont, uint16_t code);
// Whether the engine's glyph bitmap has ink at (x, y).
bool GlyphInk(const GlyphBitmap& b, int x, int y);
inline const CharInfo* Info(const Font* pFont, uint16_t code) { return &pFont->aCharInfo[code]; }
