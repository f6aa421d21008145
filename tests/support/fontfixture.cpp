#include "support/fontfixture.h"

#include "model/codetables.h"

FontPtr NewFont(int32_t type, int32_t encoding, int32_t height) {
  FontPtr f = FONT_Alloc();
  f->Type = type;
  f->Encoding = encoding;
  f->Height = height;
  f->Has16BitCodes = encoding != ENCODING_ISO8859;
  f->NumBlocks = f->Has16BitCodes ? 4096 : 16;
  FONT_AssignAreas(f.get());
  return f;
}

void AddChar(Font* pFont, uint16_t code, int width, int height, const std::function<int(int, int)>& pixel,
             int boxLeft, int boxTop, int cursorDist) {
  FONT_SetCharSize(pFont, code, width, height);
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxHeight = height;
  ci.BoxLeft = boxLeft;
  ci.BoxTop = boxTop;
  ci.CursorDist = cursorDist;
  ci.Exists = ci.Rendered = 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) FONT_SetPixel(pFont, code, x, y, pixel(x, y));
  FONT_EnableChar(pFont, code, 1);
}
