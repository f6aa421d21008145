// Font grid geometry, navigation and scroll rules, and the pixel cursor, as tables.
#include "shell/views/grid.h"

#include <gtest/gtest.h>

#include "model/font.h"

namespace {

// A font of 4096 blocks (16-bit codes) or 16 blocks with the given blocks used.
FontPtr BlockFont(bool sixteenBit, std::initializer_list<int> usedBlocks) {
  FontPtr pFont = FONT_Alloc();
  pFont->NumBlocks = sixteenBit ? FONT_NUM_BLOCKS_MAX : 16;
  pFont->Has16BitCodes = sixteenBit;
  pFont->Height = 8;
  for (int block : usedBlocks) FONT_EnableChar(pFont.get(), uint16_t(block * 16 + 3), 1);
  return pFont;
}

TEST(GridGeometry, RowsAreAtLeastSixteenHighAndColumnsTwentyOneWider) {
  struct Row {
    int Height, MaxWidth, RowHeight, RowPitch, Pitch;
  };
  for (const Row& row : {Row{8, 5, 16, 17, 26}, Row{16, 10, 16, 17, 31}, Row{24, 24, 24, 25, 45}, Row{0, 0, 16, 17, 21}}) {
    const GridGeometry g = GRID_GetGeometry(row.Height, row.MaxWidth);
    EXPECT_EQ(g.RowHeight, row.RowHeight) << row.Height;
    EXPECT_EQ(g.RowPitch, row.RowPitch) << row.Height;
    EXPECT_EQ(g.ColumnPitch, row.Pitch) << row.MaxWidth;
  }
  // Where the columns lie: the font view's picture (fontview_cells.png).
  const GridGeometry g = GRID_GetGeometry(8, 5);
  EXPECT_EQ(GRID_VisibleRows(g, 170), 11);  // ten whole rows and a cut one
  EXPECT_EQ(GRID_VisibleRows(g, 169), 10);
  EXPECT_EQ(GRID_AreaNameX(g, 10), 16 * 26 + 70 - 10);
  EXPECT_EQ(GRID_NeededWidth(g, false, 300), 16 * 26 + 52);
  EXPECT_EQ(GRID_NeededWidth(g, true, 300), 16 * 26 + 52 + 20 + 300);
}

TEST(GridRows, UsedBlocksModeCountsOnlyUsedBlocks) {
  FontPtr pFont = BlockFont(true, {2, 4, 0x300});
  const Font* f = pFont.get();
  EXPECT_EQ(GRID_NumRows(f, 1), 4096);
  EXPECT_EQ(GRID_NumRows(f, 0), 3);
  EXPECT_EQ(GRID_RowOfBlock(f, 1, 4), 4);
  EXPECT_EQ(GRID_RowOfBlock(f, 0, 4), 1);
  EXPECT_EQ(GRID_RowOfBlock(f, 0, 3), 1);  // an unused block sits where it would go
  EXPECT_EQ(GRID_RowOfBlock(f, 0, 0x300), 2);
  EXPECT_EQ(GRID_BlockOfRow(f, 0, 0), 2);
  EXPECT_EQ(GRID_BlockOfRow(f, 0, 2), 0x300);
  EXPECT_EQ(GRID_BlockOfRow(f, 0, 3), -1);
  EXPECT_EQ(GRID_BlockOfRow(f, 1, 4095), 4095);
  EXPECT_EQ(GRID_BlockOfRow(f, 1, 4096), -1);
  EXPECT_EQ(GRID_NextShownBlock(f, 0, 4), 0x300);
  EXPECT_EQ(GRID_NextShownBlock(f, 0, 0x300), -1);
  EXPECT_EQ(GRID_NextShownBlock(f, 1, 4095), -1);
  EXPECT_EQ(GRID_FirstDisplayed(f, 0), 0x20);
  EXPECT_EQ(GRID_LastDisplayed(f, 0), 0x300F);
  EXPECT_EQ(GRID_FirstDisplayed(f, 1), 0);
  EXPECT_EQ(GRID_LastDisplayed(f, 1), 0xFFFF);
  FontPtr pSmall = BlockFont(false, {});
  EXPECT_EQ(GRID_LastDisplayed(pSmall.get(), 1), 0xFF);
  EXPECT_EQ(GRID_FirstDisplayed(pSmall.get(), 0), 0);
  EXPECT_EQ(GRID_LastDisplayed(pSmall.get(), 0), 0);
}

TEST(GridMoves, KeyMovesInBothModes) {
  FontPtr pWide = BlockFont(true, {2, 4});
  FontPtr pNarrow = BlockFont(false, {2, 4});
  struct Row {
    const Font* pFont;
    int ShowAll, From, D, To;
  };
  const Row rows[] = {
      // All characters: plain arithmetic modulo 65536.
      {pWide.get(), 1, 0x25, 16, 0x35},
      {pNarrow.get(), 1, 0, -1, 0xFFFF},  // beyond the 256 codes: selecting it gives 0
      {pWide.get(), 1, 0x10, 16 * 30, 0x10 + 16 * 30},
      // Used blocks 2 and 4 (the font view's key test has the plain moves): down and
      // up keep the column and run round.
      {pWide.get(), 0, 0x45, -16, 0x25},
      {pWide.get(), 0, 0x25, 16 * 3, 0x45},  // a page of three rows
      {pWide.get(), 0, 0x37, 16, 0x47},      // from an unused block to the next used one
      {pWide.get(), 0, 0x37, -16, 0x27},
      // Right and left step over unused blocks.
      {pWide.get(), 0, 0x2F, 1, 0x40},
      {pWide.get(), 0, 0x40, -1, 0x2F},
      {pWide.get(), 0, 0x4F, 1, 0x20},   // past the end to 0, then up to block 2
      {pWide.get(), 0, 0x20, -1, 0x4F},  // below 0 from the same column of the last block
      {pNarrow.get(), 0, 0x4F, 1, 0x20},
      {pNarrow.get(), 0, 0x21, -1, 0x20},
      {pWide.get(), 0, 0, -1, 0xFFFF},  // from code 0 as with all characters
  };
  for (const Row& row : rows)
    EXPECT_EQ(GRID_MoveTarget(row.pFont, row.ShowAll, row.From, row.D), row.To)
        << std::hex << "from 0x" << row.From << " by " << std::dec << row.D << " showAll " << row.ShowAll;
}

TEST(GridClicks, CodeAtPointCountsShownRowsAndColumns) {
  FontPtr pFont = BlockFont(true, {2, 4});
  const Font* f = pFont.get();
  const GridGeometry g = GRID_GetGeometry(8, 5);  // rows 17, columns 26
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 0, 50, 0), 0);
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 0, 49, 0), -1);                    // label column
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 0, 50 + 16 * 26, 0), -1);          // right edge: column 16
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 0, 50 + 16 * 26 + 1, 0), -1);      // beyond the grid
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 0, 50 + 3 * 26 + 25, 17 * 2 + 16), 0x23);
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 10, 0, 50 + 26, 17), 0xB1);           // scrolled ten rows
  EXPECT_EQ(GRID_CodeAt(f, 1, g, 0, 26 * 2, 50, 0), 2);                 // scrolled two columns
  EXPECT_EQ(GRID_CodeAt(f, 0, g, 0, 0, 50 + 26, 17), 0x41);             // second used block
  EXPECT_EQ(GRID_CodeAt(f, 0, g, 0, 0, 50 + 26, 34), -1);               // no third
  EXPECT_EQ(GRID_CodeAt(f, 0, g, 1, 0, 50 + 26, 0), 0x41);
}

TEST(GridScrolling, SelectionScrollsIntoViewAndScrollingKeepsItThere) {
  // A visible page of 5 rows (the fifth cut): a row below the fourth becomes the
  // last whole row.
  EXPECT_EQ(GRID_ScrollToRow(0, 5, 3), 0);
  EXPECT_EQ(GRID_ScrollToRow(0, 5, 4), 1);
  EXPECT_EQ(GRID_ScrollToRow(0, 5, 5), 2);
  EXPECT_EQ(GRID_ScrollToRow(2, 5, 5), 2);
  EXPECT_EQ(GRID_ScrollToRow(10, 5, 4), 4);
  EXPECT_EQ(GRID_ScrollToRow(4095, 5, 0), 0);
  const GridGeometry g = GRID_GetGeometry(8, 5);  // pitch 26
  EXPECT_EQ(GRID_ScrollToColumn(g, 0, 15, 1000), 0);
  // 16 columns in 300 pixels: column 15 needs (15 + 1) * 26 + 52 - hpos <= 300.
  const int hpos = GRID_ScrollToColumn(g, 0, 15, 300);
  EXPECT_LE(16 * 26 + 52 - hpos, 300);
  EXPECT_GT(16 * 26 + 52 - (hpos - 26), 300);
  // Back to column 0: its left edge may stay up to two pixels out of view.
  const int back = GRID_ScrollToColumn(g, hpos, 0, 300);
  EXPECT_GE(0 * 26 - back + 52, 0);
  EXPECT_LT(0 * 26 - (back + 26) + 52, 0);

  FontPtr pFont = BlockFont(true, {2, 4, 6, 8});
  const Font* f = pFont.get();
  EXPECT_EQ(GRID_KeepInView(f, 1, 0x25, 0, 5), 0x25);
  EXPECT_EQ(GRID_KeepInView(f, 1, 0x25, 3, 5), 0x35);     // row 2 above position 3
  EXPECT_EQ(GRID_KeepInView(f, 1, 0x95, 0, 5), 0x45);     // row 9 below the last row 4
  EXPECT_EQ(GRID_KeepInView(f, 0, 0x25, 2, 2), 0x65);     // used: to the block at row 2
  EXPECT_EQ(GRID_KeepInView(f, 0, 0x8A, 0, 2), 0x4A);     // last visible used row 1
  EXPECT_EQ(GRID_KeepInView(f, 1, 0xFFF5, 4094, 5), 0xFFF5);
}

TEST(GridPixelCursor, CellSizeAndTheBoxRows) {
  EXPECT_EQ(GRID_CellSize(200, 16), 12);
  EXPECT_EQ(GRID_CellSize(15, 16), 0);
  EXPECT_EQ(GRID_CellSize(200, 0), 0);
  // The wrap round the box: the character view's arrow-key test.
  FontPtr pFont = FONT_Alloc();
  pFont->Type = FONTTYPE_EXT;
  pFont->Height = 12;
  pFont->Baseline = 9;
  pFont->aCharInfo['g'].BoxTop = 5;
  pFont->aCharInfo['g'].BoxHeight = 0;
  EXPECT_EQ(GRID_BoxTopRow(pFont.get(), 'g'), 4);
  EXPECT_EQ(GRID_BoxRows(pFont.get(), 'g'), 12);
  pFont->Type = FONTTYPE_AA4;  // standard types fill the font height from the top
  EXPECT_EQ(GRID_BoxTopRow(pFont.get(), 'g'), 0);
}

}  // namespace
