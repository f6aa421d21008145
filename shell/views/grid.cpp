// Font grid geometry, navigation and scroll rules; pixel editor cells and cursor.
// Row lookups walk the 4096 block records at most, never the characters.
#include "shell/views/grid.h"

#include <algorithm>

#include "model/font.h"

namespace {

int CharCount(const Font* pFont) { return FONT_GetNumBlocks(pFont) * 16; }

bool Used(const Font* pFont, int block) { return FONT_IsBlockUsed(pFont, uint32_t(block)) != 0; }

int FirstUsedBlock(const Font* pFont) {
  const int n = FONT_GetNumBlocks(pFont);
  for (int b = 0; b < n; b++)
    if (Used(pFont, b)) return b;
  return -1;
}

int LastUsedBlock(const Font* pFont) {
  for (int b = FONT_GetNumBlocks(pFont) - 1; b >= 0; b--)
    if (Used(pFont, b)) return b;
  return -1;
}

int NextUsedBlock(const Font* pFont, int block) {
  const int n = FONT_GetNumBlocks(pFont);
  for (int b = block + 1; b < n; b++)
    if (Used(pFont, b)) return b;
  return -1;
}

int PreviousUsedBlock(const Font* pFont, int block) {
  for (int b = std::min(block, FONT_GetNumBlocks(pFont)) - 1; b >= 0; b--)
    if (Used(pFont, b)) return b;
  return -1;
}

}  // namespace

GridGeometry GRID_GetGeometry(int fontHeight, int maxWidth) {
  GridGeometry g;
  g.RowHeight = std::max(fontHeight, 16);
  g.RowPitch = g.RowHeight + 1;
  g.ColumnPitch = std::max(maxWidth, 0) + 21;
  return g;
}

int GRID_VisibleRows(const GridGeometry& g, int clientHeight) {
  return std::max(clientHeight, 0) / g.RowPitch + 1;
}

int GRID_ColumnLeft(const GridGeometry& g, int column, int hpos) {
  return GRID_LABEL_WIDTH + column * g.ColumnPitch - hpos;
}

int GRID_AreaNameX(const GridGeometry& g, int hpos) { return GRID_COLUMNS * g.ColumnPitch + 70 - hpos; }

int GRID_NeededWidth(const GridGeometry& g, bool has16BitCodes, int longestAreaNameWidth) {
  int width = GRID_COLUMNS * g.ColumnPitch + 52;
  if (has16BitCodes) width += 20 + longestAreaNameWidth;
  return width;
}

int GRID_NumRows(const Font* pFont, int showAll) {
  if (!pFont) return 0;
  return showAll ? FONT_GetNumBlocks(pFont) : int(FONT_GetNumUsedBlocks(pFont));
}

int GRID_RowOfBlock(const Font* pFont, int showAll, int block) {
  if (showAll) return block;
  int row = 0;
  for (int b = 0; b < block && b < FONT_GetNumBlocks(pFont); b++) row += Used(pFont, b);
  return row;
}

int GRID_BlockOfRow(const Font* pFont, int showAll, int row) {
  if (!pFont || row < 0) return -1;
  const int n = FONT_GetNumBlocks(pFont);
  if (showAll) return row < n ? row : -1;
  for (int b = 0; b < n; b++)
    if (Used(pFont, b) && row-- == 0) return b;
  return -1;
}

int GRID_NextShownBlock(const Font* pFont, int showAll, int block) {
  if (!pFont || block < 0) return -1;
  if (showAll) return block + 1 < FONT_GetNumBlocks(pFont) ? block + 1 : -1;
  return NextUsedBlock(pFont, block);
}

int GRID_FirstDisplayed(const Font* pFont, int showAll) {
  if (showAll) return 0;
  const int block = FirstUsedBlock(pFont);
  return block < 0 ? 0 : block * 16;
}

int GRID_LastDisplayed(const Font* pFont, int showAll) {
  if (showAll) return std::max(CharCount(pFont) - 1, 0);
  const int block = LastUsedBlock(pFont);
  return block < 0 ? 0 : block * 16 + 15;
}

int GRID_MoveTarget(const Font* pFont, int showAll, int current, int d) {
  const auto wrapAll = [](int code) { return ((code % 65536) + 65536) % 65536; };
  if (showAll) return wrapAll(current + d);
  const int count = CharCount(pFont);
  if (count == 0 || FirstUsedBlock(pFont) < 0) return -1;
  if (d == 1) {
    int code = current + 1;
    if (code >= count) code = 0;
    while (!Used(pFont, code >> 4)) {
      code += 16;
      if (code >= count) code = 0;
    }
    return code;
  }
  if (d == -1) {
    if (current == 0) return wrapAll(-1);
    int code = current - 1;
    while (!Used(pFont, code >> 4)) {
      code -= 16;
      if (code < 0) code += count;  // the same column of the last block
    }
    return code;
  }
  if (d != 0 && d % 16 == 0) {
    const int column = current & 15;
    int block = current >> 4;
    for (int steps = std::abs(d) / 16; steps > 0; steps--) {
      if (d > 0) {
        block = NextUsedBlock(pFont, block);
        if (block < 0) block = FirstUsedBlock(pFont);
      } else {
        block = PreviousUsedBlock(pFont, block);
        if (block < 0) block = LastUsedBlock(pFont);
      }
    }
    return block * 16 + column;
  }
  return wrapAll(current + d);
}

int GRID_CodeAt(const Font* pFont, int showAll, const GridGeometry& g, int topRow, int hpos, int x, int y) {
  if (!pFont || y < 0) return -1;
  if (x < GRID_LABEL_WIDTH || x > GRID_COLUMNS * g.ColumnPitch + GRID_LABEL_WIDTH) return -1;
  const int block = GRID_BlockOfRow(pFont, showAll, topRow + y / g.RowPitch);
  if (block < 0) return -1;
  const int column = (x + hpos - GRID_LABEL_WIDTH) / g.ColumnPitch;
  if (column < 0 || column >= GRID_COLUMNS) return -1;
  return block * 16 + column;
}

int GRID_ScrollToRow(int pos, int visibleRows, int row) {
  // The last of the visible rows is usually cut, so the one before it is the
  // last whole row; a row below that becomes the last whole row.
  if (pos + visibleRows - 2 < row) pos = row - visibleRows + 2;
  if (pos > row) pos = row;
  return std::max(pos, 0);
}

int GRID_ScrollToColumn(const GridGeometry& g, int hpos, int column, int clientWidth) {
  const int p = g.ColumnPitch;
  while ((column + 1) * p - hpos + 52 > clientWidth) hpos += p;
  while (column * p - hpos + 52 < 0) hpos -= p;
  return std::max(hpos, 0);
}

int GRID_KeepInView(const Font* pFont, int showAll, int current, int pos, int visibleRows) {
  const int rows = GRID_NumRows(pFont, showAll);
  if (rows == 0) return current;
  const int row = GRID_RowOfBlock(pFont, showAll, current >> 4);
  const int last = pos + visibleRows - 1;
  int target;
  if (row > last)
    target = last;
  else if (row < pos)
    target = pos;
  else
    return current;
  target = std::clamp(target, 0, rows - 1);
  const int block = GRID_BlockOfRow(pFont, showAll, target);
  return block < 0 ? current : block * 16 + (current & 15);
}

int GRID_ScrollLimit(int max, int page) { return std::max(max - std::max(page, 1) + 1, 0); }

int GRID_Scroll(int action, int pos, int page, int max, int track, bool horizontal) {
  switch (action) {
    case GRID_LINE_UP:
      if (pos > 0) pos--;
      break;
    case GRID_LINE_DOWN:
      if (pos < max) pos++;
      break;
    case GRID_PAGE_UP:
      if (pos >= page)
        pos -= page;
      else if (horizontal)
        pos = 0;
      break;
    case GRID_PAGE_DOWN:
      if (pos + page <= max) pos += page;
      break;
    case GRID_TRACK:
      if (track >= 0 && track <= max) pos = track;
      break;
    case GRID_TOP:
      pos = 0;
      break;
    case GRID_BOTTOM:
      pos = max - page + 1;
      break;
    default:
      break;
  }
  return std::clamp(pos, 0, GRID_ScrollLimit(max, page));
}

int GRID_CellSize(int clientHeight, int fontHeight) {
  return fontHeight > 0 && clientHeight > 0 ? clientHeight / fontHeight : 0;
}

int GRID_BoxTopRow(const Font* pFont, int code) {
  if (!FONT_IsExtendedType(FONT_GetType(pFont))) return 0;
  return FONT_GetBaseline(pFont) - pFont->aCharInfo[uint16_t(code)].BoxTop;
}

int GRID_BoxRows(const Font* pFont, int code) {
  const int rows = FONT_GetCharHeight(pFont, uint16_t(code));
  return rows ? rows : FONT_GetHeight(pFont);
}

void GRID_WrapCursor(int* pX, int* pY, int w, int h) {
  if (*pX >= w) *pX = 0;
  if (*pX < 0) *pX = w - 1;
  if (*pY >= h) *pY = 0;
  if (*pY < 0) *pY = h - 1;
}
