#include "generation/internal/surface.h"

#include <algorithm>
#include <cstring>

namespace {

// Clips a w x h image placed at (x, y) to the surface and to 'limitW' x 'limitH';
// gives the first and end columns and rows of the image that remain.
struct Clip {
  int x0, y0, x1, y1;
};
Clip ClipTo(int x, int y, int w, int h, int limitW, int limitH) {
  limitW = std::min(limitW, Surface::kSize);
  limitH = std::min(limitH, Surface::kSize);
  return Clip{std::max(0, -x), std::max(0, -y), std::min(w, limitW - x), std::min(h, limitH - y)};
}

void Touch(Surface* pSurface, int right, int bottom) {
  pSurface->UsedWidth = std::clamp(std::max(pSurface->UsedWidth, right), 0, Surface::kSize);
  pSurface->UsedHeight = std::clamp(std::max(pSurface->UsedHeight, bottom), 0, Surface::kSize);
}

// Row y to draw on; the pixels are made (white) when first drawn on.
uint8_t* Row(Surface* pSurface, int y) {
  if (pSurface->Grey.empty()) pSurface->Grey.assign(size_t(Surface::kSize) * Surface::kSize, 255);
  return pSurface->Grey.data() + size_t(y) * Surface::kSize;
}

}  // namespace

void GENERATE_InitSurface(Surface* pSurface, bool mono) {
  pSurface->Mono = mono;
  pSurface->Grey.clear();
  pSurface->UsedWidth = pSurface->UsedHeight = 0;
}

void GENERATE_ClearSurface(Surface* pSurface) {
  for (int y = 0; y < pSurface->UsedHeight; y++) std::memset(Row(pSurface, y), 255, size_t(pSurface->UsedWidth));
  pSurface->UsedWidth = pSurface->UsedHeight = 0;
}

void GENERATE_DrawOnSurface(Surface* pSurface, EngineFont* pFont, uint32_t unicode, int ascent,
                      int cellHeight, int* pWidth, int* pHeight) {
  GlyphMetrics metrics;
  GlyphBitmap bitmap;
  ENGINE_GetGlyph(pFont, unicode, pSurface->Mono ? GLYPH_MONO : GLYPH_GREY, &metrics, &bitmap);
  *pWidth = metrics.CellIncX;
  *pHeight = cellHeight;
  GENERATE_ClearSurface(pSurface);
  if (!bitmap.pBits) return;
  const int left = metrics.OriginX, top = ascent - metrics.OriginY;
  const Clip c = ClipTo(left, top, bitmap.Width, bitmap.Rows, metrics.CellIncX, cellHeight);
  for (int y = c.y0; y < c.y1; y++) {
    const uint8_t* pSrc = bitmap.pBits + ptrdiff_t(y) * bitmap.Pitch;
    uint8_t* pDst = Row(pSurface, top + y) + left;
    if (bitmap.Format == GLYPH_MONO) {
      for (int x = c.x0; x < c.x1; x++)
        if (pSrc[x >> 3] & (0x80 >> (x & 7))) pDst[x] = 0;
    } else {
      for (int x = c.x0; x < c.x1; x++) pDst[x] = uint8_t(255 - pSrc[x] * 255 / 64);
    }
  }
  if (c.x1 > c.x0 && c.y1 > c.y0) Touch(pSurface, left + c.x1, top + c.y1);
}

void GENERATE_PlaceMonoOnSurface(Surface* pSurface, const GlyphBitmap& bitmap, int x0, int y0) {
  const Clip c = ClipTo(x0, y0, bitmap.Width, bitmap.Rows, Surface::kSize, Surface::kSize);
  for (int y = c.y0; y < c.y1; y++) {
    const uint8_t* pSrc = bitmap.pBits + ptrdiff_t(y) * bitmap.Pitch;
    uint8_t* pDst = Row(pSurface, y0 + y) + x0;
    for (int x = c.x0; x < c.x1; x++)
      if (pSrc[x >> 3] & (0x80 >> (x & 7))) pDst[x] = uint8_t(~pDst[x]);
  }
  if (c.x1 > c.x0 && c.y1 > c.y0) Touch(pSurface, x0 + c.x1, y0 + c.y1);
}

void GENERATE_PaintSurfaceGrey(Surface* pSurface, const GlyphBitmap& bitmap, int x0, int y0) {
  const Clip c = ClipTo(x0, y0, bitmap.Width, bitmap.Rows, Surface::kSize, Surface::kSize);
  for (int y = c.y0; y < c.y1; y++) {
    const uint8_t* pSrc = bitmap.pBits + ptrdiff_t(y) * bitmap.Pitch;
    uint8_t* pDst = Row(pSurface, y0 + y) + x0;
    for (int x = c.x0; x < c.x1; x++) pDst[x] = uint8_t(255 - pSrc[x] * 255 / 64);
  }
  if (c.x1 > c.x0 && c.y1 > c.y0) Touch(pSurface, x0 + c.x1, y0 + c.y1);
}

void GENERATE_SetSurfaceGrey(Surface* pSurface, int x, int y, uint8_t grey) {
  if (x < 0 || y < 0 || x >= Surface::kSize || y >= Surface::kSize) return;
  Row(pSurface, y)[x] = grey;
  Touch(pSurface, x + 1, y + 1);
}
