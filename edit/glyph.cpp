#include "edit/glyph.h"

#include <algorithm>

#include "edit/internal/relayout.h"
#include "model/font.h"
#include "settings/journal.h"
#include "settings/services.h"

int EDIT_ScaleValue(int v, int fromMax, int toMax) {
  if (fromMax <= 0 || v <= 0) return 0;
  if (v >= fromMax) return toMax;
  return static_cast<int>((int64_t{v} * toMax * 2 + fromMax) / (int64_t{fromMax} * 2));
}

void EDIT_CopyGlyph(Font* pFont, uint16_t code, EditGlyph* pGlyph) {
  EDIT_EnsureRendered(pFont, code);
  const CharInfo& ci = pFont->aCharInfo[code];
  const bool extended = FONT_IsExtendedType(pFont->Type);
  EditGlyph g;
  g.Width = std::max(ci.BoxWidth, 0);
  g.Height = std::max(EDIT_RowsOf(pFont, code), 0);
  g.MaxValue = FONT_GetMaxPixelValue(pFont);
  g.BoxLeft = extended ? ci.BoxLeft : 0;
  g.BoxTop = extended ? ci.BoxTop : pFont->Baseline;
  g.CursorDist = extended ? ci.CursorDist : g.Width;
  g.aValue.resize(static_cast<size_t>(g.Width) * g.Height);
  size_t i = 0;
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x) g.aValue[i++] = static_cast<uint8_t>(std::max(FONT_GetPixel(pFont, code, x, y), 0));
  *pGlyph = std::move(g);
}

void EDIT_GlyphFromGrey(const uint8_t* pGrey, int width, int height, int baseline, EditGlyph* pGlyph) {
  EditGlyph g;
  g.Width = std::max(width, 0);
  g.Height = std::max(height, 0);
  g.MaxValue = 255;
  g.BoxTop = baseline;
  g.CursorDist = g.Width;
  g.aValue.resize(static_cast<size_t>(g.Width) * g.Height);
  for (size_t i = 0; i < g.aValue.size(); ++i) g.aValue[i] = static_cast<uint8_t>(255 - pGrey[i]);
  *pGlyph = std::move(g);
}

int EDIT_PasteGlyph(Font* pFont, uint16_t code, const EditGlyph& glyph) {
  if (glyph.Width < 0 || glyph.Height < 0 || glyph.Width > EDIT_MAX_EXTENT || glyph.MaxValue <= 0 ||
      glyph.aValue.size() != static_cast<size_t>(glyph.Width) * glyph.Height)
    return 1;
  const bool extended = FONT_IsExtendedType(pFont->Type);
  const int fontRows = std::max(pFont->Height, 0);
  // Row y of the glyph lands on font row top + y; only the rows inside the font stay.
  const int64_t top = int64_t{pFont->Baseline} - glyph.BoxTop;
  const int first = static_cast<int>(std::clamp<int64_t>(-top, 0, glyph.Height));
  const int end = static_cast<int>(std::clamp<int64_t>(fontRows - top, first, glyph.Height));
  if (extended && end <= first) return 1;
  // A standard character has the font's rows and starts at the font's top row;
  // an extended one's box is the glyph's rows inside the font.
  const int rows = extended ? end - first : fontRows;
  const int shift = extended ? -first : static_cast<int>(top);  // target row of glyph row y: y + shift
  CharInfo& ci = pFont->aCharInfo[code];
  const int maxValue = FONT_GetMaxPixelValue(pFont);
  FONT_SetCharSize(pFont, code, glyph.Width, rows);
  if (ci.DataSize < static_cast<uint64_t>(FONT_GetRowBytes(pFont, glyph.Width)) * rows) return 1;
  ci.BoxHeight = rows;
  ci.Rendered = 1;
  ci.Exists = 1;
  if (extended) {
    ci.BoxLeft = glyph.BoxLeft;
    ci.BoxTop = EDIT_AddClamped(glyph.BoxTop, -int64_t{first});
    ci.CursorDist = std::clamp(glyph.CursorDist, 0, 255);
  } else {
    ci.CursorDist = glyph.Width;
  }
  for (int y = first; y < end; ++y)
    for (int x = 0; x < glyph.Width; ++x) {
      const int value = EDIT_ScaleValue(glyph.aValue[static_cast<size_t>(y) * glyph.Width + x], glyph.MaxValue, maxValue);
      if (value) FONT_SetPixel(pFont, code, x, y + shift, value);
    }
  FONT_RecalcFrame(pFont, code);
  int what = CHANGE_PIXELS | CHANGE_BOX;
  if (pFont->MaxWidth < ci.BoxWidth) {
    pFont->MaxWidth = ci.BoxWidth;
    what |= CHANGE_METRICS;
  }
  EDIT_Notify(code, code, what);
  return 0;
}

int EDIT_FlipChar(Font* pFont, uint16_t code, int vertical) {
  EDIT_EnsureRendered(pFont, code);
  const int width = pFont->aCharInfo[code].BoxWidth;
  const int rows = EDIT_RowsOf(pFont, code);
  if (width <= 0 || rows <= 0) return 1;
  CharCopy copy, mirror;
  if (!EDIT_CopyChar(pFont, code, rows, &copy) || !EDIT_CopyChar(pFont, code, rows, &mirror)) return 1;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x)
      mirror.aValue[static_cast<size_t>(y) * width + x] =
          static_cast<int8_t>(vertical ? copy.Get(x, rows - 1 - y) : copy.Get(width - 1 - x, y));
  if (!EDIT_Relayout(pFont, code, mirror, width, rows, 0, 0, false)) return 1;
  EDIT_Notify(code, code, CHANGE_PIXELS);
  return 0;
}

int EDIT_PasteChar(Font* pFont, const EditGlyph& glyph, int logging) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (EDIT_PasteGlyph(pFont, code, glyph) != 0) return 1;
  if (logging) JOURNAL_AddLine("* Edit/Paste            at character 0x%X (%d)", code, code);
  return 0;
}

void EDIT_FlipHorizontal(Font* pFont, int logging) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (logging) JOURNAL_AddLine("* Edit/Flip/Horizontal  at character 0x%X (%d)", code, code);
  EDIT_FlipChar(pFont, code, 0);
}

void EDIT_FlipVertical(Font* pFont, int logging) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (logging) JOURNAL_AddLine("* Edit/Flip/Vertical    at character 0x%X (%d)", code, code);
  EDIT_FlipChar(pFont, code, 1);
}
