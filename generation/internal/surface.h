// The drawing surface a generated font renders its characters on: 1024 x 1024
// grey pixels (255 white, 0 black), monochrome or grey. Only the part that earlier
// drawing touched is ever cleared again.
#pragma once

#include <cstdint>
#include <vector>

#include "generation/fontengine.h"

struct Surface {
  static constexpr int kSize = 1024;
  bool Mono = true;           // monochrome: text is drawn without antialiasing
  // kSize x kSize, row after row; empty (all white) until something is drawn, so that
  // a surface never drawn on (an extended font's glyphs go straight into their
  // records) costs no memory.
  std::vector<uint8_t> Grey;
  int UsedWidth = 0;          // every pixel outside UsedWidth x UsedHeight is white
  int UsedHeight = 0;
};

void GENERATE_InitSurface(Surface* pSurface, bool mono);
// White everywhere.
void GENERATE_ClearSurface(Surface* pSurface);
// Draws a character the way an opaque text output of the character followed by
// blanks does: its cell (advance x cell height) white, the glyph at the top left
// with its baseline at 'ascent', clipped to the cell. Gives the cell size.
void GENERATE_DrawOnSurface(Surface* pSurface, EngineFont* pFont, uint32_t unicode, int ascent,
                      int cellHeight, int* pWidth, int* pHeight);
// Combines a 1-bit glyph with exclusive-or at (x, y): ink turns white to black.
void GENERATE_PlaceMonoOnSurface(Surface* pSurface, const GlyphBitmap& bitmap, int x, int y);
// Paints every pixel of a 65-level glyph at (x, y) as grey 255 - level x 255 / 64.
void GENERATE_PaintSurfaceGrey(Surface* pSurface, const GlyphBitmap& bitmap, int x, int y);

void GENERATE_SetSurfaceGrey(Surface* pSurface, int x, int y, uint8_t grey);
