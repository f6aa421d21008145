#include "edit/internal/relayout.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "model/font.h"
#include "settings/services.h"

bool EDIT_CopyChar(const Font* pFont, uint16_t code, int height, CharCopy* pCopy) {
  const CharInfo& ci = pFont->aCharInfo[code];
  pCopy->Width = ci.BoxWidth > 0 ? ci.BoxWidth : 0;
  pCopy->Height = height > 0 ? height : 0;
  const size_t size = static_cast<size_t>(pCopy->Width) * pCopy->Height;
  pCopy->aValue.reset(new (std::nothrow) int8_t[size ? size : 1]);
  if (!pCopy->aValue) return false;
  size_t i = 0;
  for (int y = 0; y < pCopy->Height; ++y)
    for (int x = 0; x < pCopy->Width; ++x) pCopy->aValue[i++] = static_cast<int8_t>(FONT_GetPixel(pFont, code, x, y));
  return true;
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
  // Only the rows and columns the copy can fill are visited: inserting many
  // empty rows or columns costs no more than writing the kept pixels.
  int yFirst = 0, yEnd = height, xFirst = 0, xEnd = width;
  if (!wrap) {
    yFirst = std::clamp(-dy, 0, height);
    yEnd = std::clamp(copy.Height - dy, yFirst, height);
    xFirst = std::clamp(-dx, 0, width);
    xEnd = std::clamp(copy.Width - dx, xFirst, width);
  }
  for (int y = yFirst; y < yEnd; ++y) {
    const int sy = wrap ? Wrap(y + dy, copy.Height) : y + dy;
    for (int x = xFirst; x < xEnd; ++x) {
      const int sx = wrap ? Wrap(x + dx, copy.Width) : x + dx;
      const int value = copy.Get(sx, sy);
      if (value) FONT_SetPixel(pFont, code, x, y, value);
    }
  }
  return true;
}

namespace {

// A reshape that keeps the width and only moves rows up or down, done a row of
// bytes at a time: the result is exactly what the pixel copy gives (the rows the
// copy could read, bits beyond the box cleared, everything else 0), in a fraction
// of the time on fonts of thousands of characters. Not for framed fonts, whose
// two planes the pixel copy merges.
bool ShiftRows(Font* pFont, uint16_t code, int rows, int height, int dy) {
  CharInfo& ci = pFont->aCharInfo[code];
  const size_t rowBytes = static_cast<size_t>(FONT_GetRowBytes(pFont, ci.BoxWidth));
  if (height < 0) height = 0;
  // The rows the pixel accessors can read: inside the box and the plane.
  const int64_t readable = std::min<int64_t>({rows, ci.BoxHeight, static_cast<int64_t>(ci.DataSize / rowBytes)});
  const int yFirst = std::clamp(-dy, 0, height);
  const int yEnd = static_cast<int>(std::clamp<int64_t>(readable - dy, yFirst, height));
  const size_t moved = static_cast<size_t>(yEnd - yFirst) * rowBytes;
  const size_t need = rowBytes * static_cast<size_t>(height);
  if (need > ci.DataSize) {
    std::unique_ptr<uint8_t[]> pOld = std::move(ci.pPixels);
    FONT_SetCharSize(pFont, code, ci.BoxWidth, height);
    if (ci.DataSize < need) return false;
    if (moved) std::memcpy(ci.pPixels.get() + yFirst * rowBytes, pOld.get() + (yFirst + dy) * rowBytes, moved);
  } else {
    uint8_t* pPlane = ci.pPixels.get();
    if (moved) std::memmove(pPlane + yFirst * rowBytes, pPlane + (yFirst + dy) * rowBytes, moved);
    std::memset(pPlane, 0, yFirst * rowBytes);
    std::memset(pPlane + yEnd * rowBytes, 0, ci.DataSize - yEnd * rowBytes);
  }
  // In memory the leftmost pixel lies in the lowest bits: what lies beyond the box
  // is the top of each row's last byte.
  const int usedBits = static_cast<int>(ci.BoxWidth * FONT_GetBitsPerPixel(pFont->Type) % 8);
  if (usedBits)
    for (int y = yFirst; y < yEnd; ++y) ci.pPixels[(y + 1) * rowBytes - 1] &= static_cast<uint8_t>((1 << usedBits) - 1);
  return true;
}

}  // namespace

bool EDIT_Reshape(Font* pFont, uint16_t code, int rows, int width, int height, int dx, int dy, bool wrap) {
  const CharInfo& ci = pFont->aCharInfo[code];
  if (!wrap && dx == 0 && width == ci.BoxWidth && width > 0 && ci.pPixels && pFont->Type != FONTTYPE_EXT_FRM)
    return ShiftRows(pFont, code, rows, height, dy);
  CharCopy copy;
  if (!EDIT_CopyChar(pFont, code, rows, &copy)) return false;
  return EDIT_Relayout(pFont, code, copy, width, height, dx, dy, wrap);
}

int EDIT_RowsOf(const Font* pFont, uint16_t code) {
  return FONT_IsExtendedType(pFont->Type) ? pFont->aCharInfo[code].BoxHeight : pFont->Height;
}

bool EDIT_RowsAreFontWide(const Font* pFont) {
  return !FONT_IsExtendedType(pFont->Type) || pFont->Type == FONTTYPE_EXT_FRM;
}

void EDIT_EnsureRendered(Font* pFont, uint16_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Rendered && ci.Exists) FONT_RenderChar(pFont, code);
}

int32_t EDIT_AddClamped(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

namespace {

int batchDepth = 0;
ChangeNotice gathered{0, -1, 0};

}  // namespace

void EDIT_Notify(int first, int last, int what) {
  if (first > last || !what) return;
  if (batchDepth == 0) {
    SERVICES_Get()->FontChanged(ChangeNotice{first, last, what});
    return;
  }
  if (gathered.First > gathered.Last) {
    gathered = ChangeNotice{first, last, what};
    return;
  }
  gathered.First = std::min(gathered.First, first);
  gathered.Last = std::max(gathered.Last, last);
  gathered.What |= what;
}

NoticeBatch::NoticeBatch() { ++batchDepth; }

NoticeBatch::~NoticeBatch() {
  if (--batchDepth > 0) return;
  const ChangeNotice notice = gathered;
  gathered = ChangeNotice{0, -1, 0};
  if (notice.First <= notice.Last) SERVICES_Get()->FontChanged(notice);
}
