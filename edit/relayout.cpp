#include "edit/relayout.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "model/font.h"
#include "settings/journal.h"

CharCopy EDIT_CopyChar(const Font* pFont, uint16_t code, int height) {
  CharCopy copy;
  const CharInfo& ci = pFont->aCharInfo[code];
  copy.Width = ci.BoxWidth > 0 ? ci.BoxWidth : 0;
  copy.Height = height > 0 ? height : 0;
  copy.aValue.resize(static_cast<size_t>(copy.Width) * copy.Height);
  size_t i = 0;
  for (int y = 0; y < copy.Height; ++y)
    for (int x = 0; x < copy.Width; ++x) copy.aValue[i++] = static_cast<int8_t>(FONT_GetPixel(pFont, code, x, y));
  return copy;
}

namespace {

int Wrap(int v, int size) { return size > 0 ? ((v % size) + size) % size : v; }

}  // namespace

bool EDIT_Relayout(Font* pFont, uint16_t code, const CharCopy& copy, int width, int height, int dx, int dy,
                   bool wrap) {
  CharInfo& ci = pFont->aCharInfo[code];
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const uint64_t need = static_cast<uint64_t>(FONT_GetRowBytes(pFont, width)) * height;
  if (need > ci.DataSize) {
    FONT_SetCharSize(pFont, code, width, height);
    if (ci.DataSize < need) return false;
  } else {
    if (ci.pPixels) std::memset(ci.pPixels.get(), 0, ci.DataSize);
    if (ci.pFrame) std::memset(ci.pFrame.get(), 0, ci.DataSize);
    ci.BoxWidth = width;
  }
  for (int y = 0; y < height; ++y) {
    const int sy = wrap ? Wrap(y + dy, copy.Height) : y + dy;
    for (int x = 0; x < width; ++x) {
      const int sx = wrap ? Wrap(x + dx, copy.Width) : x + dx;
      const int value = copy.Get(sx, sy);
      if (value) FONT_SetPixel(pFont, code, x, y, value);
    }
  }
  return true;
}

int EDIT_RowsOf(const Font* pFont, uint16_t code) {
  return FONT_IsExtendedType(pFont->Type) ? pFont->aCharInfo[code].BoxHeight : pFont->Height;
}

void EDIT_Journal(const char* format, ...) {
  char line[200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  JOURNAL_FormatLine(line, sizeof(line));
  JOURNAL_Add(line);
}

void EDIT_EnsureRendered(Font* pFont, uint16_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Rendered && ci.Exists) FONT_RenderChar(pFont, code);
}
