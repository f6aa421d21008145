#include "output/pack.h"

#include <cstring>

#include "model/font.h"
#include "settings/settings.h"

int32_t OUT_MagX(const Settings& settings) { return settings.MagX > 1 ? settings.MagX : 1; }
int32_t OUT_MagY(const Settings& settings) { return settings.MagY > 1 ? settings.MagY : 1; }

void OUT_GetWrittenChar(const Font* pFont, uint16_t code, const Settings& settings, WrittenChar* pChar) {
  const int32_t magX = OUT_MagX(settings), magY = OUT_MagY(settings);
  const CharInfo& ci = pFont->aCharInfo[code];
  const int32_t height = ci.BoxHeight ? ci.BoxHeight : pFont->Height;
  pChar->Width = ci.BoxWidth * magX;
  pChar->Rows = height * magY;
  pChar->RowBytes = FONT_GetRowBytes(pFont, pChar->Width);
  pChar->XPos = ci.BoxLeft * magX;
  pChar->YPos = (pFont->Baseline - ci.BoxTop) * magY;
  pChar->XDist = ci.CursorDist * magX;
}

void OUT_PackRow(const Font* pFont, uint16_t code, const Settings& settings, const WrittenChar& wc,
                 int32_t y, int plane, uint8_t* pOut) {
  const int32_t magX = OUT_MagX(settings), magY = OUT_MagY(settings);
  const int bits = FONT_GetBitsPerPixel(pFont->Type);
  const int perByte = 8 / bits;
  std::memset(pOut, 0, static_cast<size_t>(wc.RowBytes));
  const int32_t sy = y / magY;
  for (int32_t x = 0; x < wc.Width; ++x) {
    int value = FONT_GetPixel(pFont, code, x / magX, sy);
    value = plane ? (value < 0) : (value < 0 ? 0 : value);
    if (!value) continue;
    const int shift = 8 - bits * (x % perByte + 1);
    pOut[x / perByte] |= static_cast<uint8_t>(value << shift);
  }
}
