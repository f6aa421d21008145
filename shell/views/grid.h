// Geometry and navigation of the views, without any widget: the font grid (rows
// of 16 codes, one per block, all blocks or only the used ones), the moves of its
// key handler, its scroll rules, and the pixel editor's cell size and cursor wrap.
// The widgets translate events into these calls and paint what they return.
#pragma once

struct Font;

// Sizes of the font grid, in logical pixels.
struct GridGeometry {
  int RowHeight = 16;    // max(font height, 16)
  int RowPitch = 17;     // a 1-pixel grid line above each row
  int ColumnPitch = 21;  // widest character + 21
};

constexpr int GRID_LABEL_WIDTH = 50;   // the label column left of the grid
constexpr int GRID_COLUMNS = 16;
constexpr int GRID_GLYPH_INDENT = 10;  // character bitmap offset inside a cell

GridGeometry GRID_GetGeometry(int fontHeight, int maxWidth);
// Rows on screen for a client height, the last one possibly cut.
int GRID_VisibleRows(const GridGeometry& g, int clientHeight);
// Left edge of grid column c (0..16; 16 is the right edge of the grid).
int GRID_ColumnLeft(const GridGeometry& g, int column, int hpos);
// Left edge of the area names.
int GRID_AreaNameX(const GridGeometry& g, int hpos);
// Width the grid needs; fonts with 16-bit codes add room for the longest area
// name (its width in the label font is given).
int GRID_NeededWidth(const GridGeometry& g, bool has16BitCodes, int longestAreaNameWidth);

// Rows and blocks. With showAll the screen row n shows block n; otherwise the
// n-th used block. Rows count from the top of the whole grid.
int GRID_NumRows(const Font* pFont, int showAll);
// Row of a block; for an unused block in the used-blocks mode, the number of used
// blocks below it.
int GRID_RowOfBlock(const Font* pFont, int showAll, int block);
// Block shown on a row; -1 when the row shows none.
int GRID_BlockOfRow(const Font* pFont, int showAll, int row);
// The block shown on the row after the one showing `block`; -1 when none.
int GRID_NextShownBlock(const Font* pFont, int showAll, int block);
// The first and the last displayed character (0 when no block is shown).
int GRID_FirstDisplayed(const Font* pFont, int showAll);
int GRID_LastDisplayed(const Font* pFont, int showAll);

// Target of a move by d codes from current (Left/Right 1, Up/Down 16, pages 16
// times the visible rows). Returns the code to go to, which may lie at or above
// the font's character count (going there selects code 0), or -1 when nothing
// moves (used-blocks mode without a used block).
int GRID_MoveTarget(const Font* pFont, int showAll, int current, int d);

// The code under a click at client (x, y) with the top row and horizontal
// position of the view; -1 when the click hits no cell.
int GRID_CodeAt(const Font* pFont, int showAll, const GridGeometry& g, int topRow, int hpos, int x, int y);

// Vertical position that brings a row into view as a whole row (visibleRows as
// from GRID_VisibleRows, the last one counted though cut).
int GRID_ScrollToRow(int pos, int visibleRows, int row);
// Horizontal position that brings grid column `column` into a client width.
int GRID_ScrollToColumn(const GridGeometry& g, int hpos, int column, int clientWidth);
// After the view scrolled to pos: the code the current character moves to so that
// it stays on a visible row, keeping its column (current itself when visible).
int GRID_KeepInView(const Font* pFont, int showAll, int current, int pos, int visibleRows);

// Scroll bar actions and their rules. max is the bar's range maximum (rows or
// pixels), page its page; the result lies within 0 and max - page + 1.
enum GridScrollAction {
  GRID_LINE_UP,
  GRID_LINE_DOWN,
  GRID_PAGE_UP,
  GRID_PAGE_DOWN,
  GRID_TRACK,
  GRID_TOP,
  GRID_BOTTOM,
};
int GRID_Scroll(int action, int pos, int page, int max, int track, bool horizontal);
// Largest position of a bar with that range maximum and page.
int GRID_ScrollLimit(int max, int page);

// Pixel editor. Square cells from the client height (0 for a font height of 0).
int GRID_CellSize(int clientHeight, int fontHeight);
// Screen row of a character's top box row (extended types place the box by its
// top; the others fill the font height from row 0).
int GRID_BoxTopRow(const Font* pFont, int code);
// Rows of a character's box (the font height when its own height is 0).
int GRID_BoxRows(const Font* pFont, int code);
// Brings the cursor back into a box of w x h pixels: running off one edge enters
// at the opposite one.
void GRID_WrapCursor(int* pX, int* pY, int w, int h);
