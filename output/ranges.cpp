#include "output/internal/ranges.h"

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "settings/messages.h"

void OUT_BuildRangeList(const Font* pFont, RangeList* pList) {
  pList->aRange.clear();
  pList->NumCodes = 0;
  const int32_t end = FONT_GetNumBlocks(pFont) * 16;
  for (int32_t code = 0; code < end; ++code) {
    if (!FONT_IsCharEnabled(pFont, static_cast<uint16_t>(code))) continue;
    int32_t last = code;
    while (last + 1 < end && FONT_IsCharEnabled(pFont, static_cast<uint16_t>(last + 1))) ++last;
    pList->aRange.push_back({static_cast<uint16_t>(code), static_cast<uint16_t>(last)});
    pList->NumCodes += static_cast<uint32_t>(last - code + 1);
    code = last;
  }
}

bool OUT_PrepareSave(Font* pFont, RangeList* pList) {
  FONT_RenderPending(pFont);
  OUT_BuildRangeList(pFont, pList);
  if (!pList->aRange.empty()) return true;
  ReportMessage("Nothing to save!");
  return false;
}

bool OUT_PrepareRenderingWhileWriting(Font* pFont, bool outOfOrder, RangeList* pList, ChangeNotice* pPending) {
  OUT_BuildRangeList(pFont, pList);
  return !pList->aRange.empty() && (!outOfOrder || OUT_CanSeek()) && FONT_PrepareWorkerRendering(pFont, pPending);
}
