// The range list every writer lays its output out by: the maximal runs of
// consecutive enabled codes, ascending, and the number of codes they hold.
#pragma once

#include <cstdint>
#include <vector>

struct ChangeNotice;
struct Font;

struct CodeRange {
  uint16_t First;
  uint16_t Last;
};

struct RangeList {
  std::vector<CodeRange> aRange;
  uint32_t NumCodes = 0;
};

void OUT_BuildRangeList(const Font* pFont, RangeList* pList);
// What every writer does first: renders the characters still pending and builds the
// range list. With no character enabled it reports "Nothing to save!" and returns false.
bool OUT_PrepareSave(Font* pFont, RangeList* pList);
// What a writer that renders the pending characters while it writes does first:
// builds the range list of the enabled codes and readies the rendering on the
// worker threads (FONT_PrepareWorkerRendering, which spans the pending codes in
// *pPending). False when that cannot be done: nothing is enabled, the renderer
// cannot render on the workers, or the writer must move about its file
// ('outOfOrder') and cannot. The writer then falls back on OUT_PrepareSave.
bool OUT_PrepareRenderingWhileWriting(Font* pFont, bool outOfOrder, RangeList* pList, ChangeNotice* pPending);
