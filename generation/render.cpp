// Rendering one character of a generated font into its record: drawing it on the
// font's surface, reading the surface back or supersampling it.
#include <algorithm>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "generation/internal/rendercontext.h"
#include "generation/internal/supersample.h"
#include "model/codetables.h"

namespace {

// The Arabic non-spacing marks take no advance.
void ApplyArabicRule(uint32_t code, CharInfo* pInfo) {
  if (code >= 0x0600 && code <= 0x06FF && UNICODE_GetBidiClass(uint16_t(code)) == 7) pInfo->CursorDist = 0;
}

void FillRecord(const GlyphMetrics& g, CharInfo* pInfo) {
  pInfo->BoxLeft = g.OriginX;
  pInfo->BoxTop = g.OriginY;
  pInfo->BoxWidth = g.BlackBoxX;
  pInfo->BoxHeight = g.BlackBoxY;
  pInfo->CursorDist = g.CellIncX;
}

// Writes the value of every non-background pixel of the cell into the record.
void ReadBack(Font* pFont, uint16_t code, const Surface& canvas, int w, int h) {
  const int8_t* pValue = AA_GetGreyValueTable(pFont->Type);
  w = std::min(w, Surface::kSize);
  h = std::min(h, Surface::kSize);
  for (int y = 0; y < h; y++) {
    const uint8_t* pRow = canvas.Grey.data() + size_t(y) * Surface::kSize;
    for (int x = 0; x < w; x++)
      if (pRow[x] != 255) FONT_SetPixel(pFont, code, x, y, pValue[pRow[x]]);
  }
}

void Supersample(Font* pFont, uint16_t code, RenderContext* pContext, const GlyphSizes& s) {
  AA_FillCoverage(&pContext->Canvas, s.CellWidth, s.CellHeight, s.DrawnWidth, s.DrawnHeight);
  int px = 0, py = AA_GetGlobalPhase();
  if (!pContext->SuppressOptAA) {
    const int best = AA_EvaluatePhases(s.CellWidth, s.CellHeight);
    px = best & 3;
    py = best >> 2;
  }
  const int shift = pFont->Type == FONTTYPE_AA2 ? 2 : 0;
  const int w = std::min(s.CellWidth, int(AA_GRID_CELLS)), h = std::min(s.CellHeight, int(AA_GRID_CELLS));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const int level = AA_GetCellLevel(px, py, x, y) >> shift;
      if (level) FONT_SetPixel(pFont, code, x, y, level);
    }
}

}  // namespace

void FONT_RenderGlyph(Font* pFont, uint16_t code, CharInfo* pInfo, GlyphSizes* pSizes) {
  *pSizes = GlyphSizes{};
  RenderContext* pContext = pFont->pRenderContext.get();
  if (!pContext) return;
  EngineFont* pEngine = pContext->pEngineFont.get();
  Surface* pCanvas = &pContext->Canvas;
  const int type = pFont->Type;
  int drawnW = 0, drawnH = 0;
  if (pFont->Encoding == ENCODING_ISO8859) {
    GENERATE_DrawOnSurface(pCanvas, pEngine, ENGINE_ByteToUnicode(pEngine, uint8_t(code)), pContext->Metrics.Ascent,
                     pContext->Metrics.Height, &drawnW, &drawnH);
  } else {
    uint32_t unicode = code;
    if (pFont->Encoding == ENCODING_JIS)
      unicode = SJIS_ToUnicode(code);
    else if (pFont->Encoding != ENCODING_UC16)
      return;
    GlyphMetrics g;
    GlyphBitmap bitmap;
    if (type == FONTTYPE_EXT || type == FONTTYPE_EXT_FRM) {
      GENERATE_ClearSurface(pCanvas);
      ENGINE_GetGlyph(pEngine, unicode, GLYPH_MONO, &g, &bitmap);
      drawnW = g.BlackBoxX;
      drawnH = g.BlackBoxY;
      if (pInfo) {
        FillRecord(g, pInfo);
        ApplyArabicRule(unicode, pInfo);
      }
      const int frame = type == FONTTYPE_EXT_FRM;
      if (frame) {
        drawnW += 2;
        drawnH += 2;
        if (pInfo) {
          pInfo->BoxWidth += 2;
          pInfo->BoxHeight += 2;
          pInfo->CursorDist += 2;
        }
      }
      if (bitmap.pBits) GENERATE_PlaceMonoOnSurface(pCanvas, bitmap, frame, frame);
    } else if (type == FONTTYPE_EXT_AA2 || type == FONTTYPE_EXT_AA4) {
      GENERATE_ClearSurface(pCanvas);
      ENGINE_GetGlyph(pEngine, unicode, GLYPH_GREY, &g, &bitmap);
      drawnW = g.BlackBoxX;
      drawnH = g.BlackBoxY;
      if (pInfo) {
        FillRecord(g, pInfo);
        const int advance = g.CellIncX + GENERATE_SumCursorDistAdjust(pContext->Adjustments, uint16_t(unicode));
        pInfo->CursorDist = std::clamp(advance, 0, 255);
        ApplyArabicRule(unicode, pInfo);
      }
      if (bitmap.pBits) GENERATE_PaintSurfaceGrey(pCanvas, bitmap, 0, 0);
    } else {
      GENERATE_DrawOnSurface(pCanvas, pEngine, unicode, pContext->Metrics.Ascent, pContext->Metrics.Height, &drawnW,
                       &drawnH);
    }
  }
  pSizes->DrawnWidth = drawnW;
  pSizes->DrawnHeight = drawnH;
  pSizes->CellWidth = drawnW;
  pSizes->CellHeight = drawnH;
  if (pContext->InternalAA) {
    pSizes->CellWidth = (drawnW + 3) / 4;
    pSizes->CellHeight = (drawnH + 3) / 4;
  }
}

void AA_FindGlobalPhase(Font* pFont) {
  AA_SetPhaseMasks(1, 15);
  long totals[4] = {};
  for (uint16_t code = 32; code < 128; code++) {
    if (!pFont->aCharInfo[code].Exists) continue;
    GlyphSizes s;
    FONT_RenderGlyph(pFont, code, nullptr, &s);
    AA_FillCoverage(&pFont->pRenderContext.get()->Canvas, s.CellWidth, s.CellHeight, s.DrawnWidth, s.DrawnHeight);
    AA_EvaluatePhases(s.CellWidth, s.CellHeight);
    for (int p = 0; p < 4; p++) totals[p] += AA_GetPhaseSum(0, p);
  }
  int best = 0;
  for (int p = 1; p < 4; p++)
    if (totals[p] < totals[best]) best = p;
  AA_SetPhaseMasks(15, 1u << best);
  AA_SetGlobalPhase(best);
}

void FONT_GenerateChar(Font* pFont, uint16_t code) {
  RenderContext* pContext = pFont->pRenderContext.get();
  if (!pContext) return;
  if (pContext->InternalAA && !AA_GlobalPhaseFound()) AA_FindGlobalPhase(pFont);
  GlyphSizes s;
  FONT_RenderGlyph(pFont, code, &pFont->aCharInfo[code], &s);
  FONT_SetCharSize(pFont, code, s.CellWidth, s.CellHeight);
  if (!pFont->aCharInfo[code].pPixels) return;
  if (pContext->InternalAA) {
    Supersample(pFont, code, pContext, s);
    return;
  }
  ReadBack(pFont, code, pContext->Canvas, s.CellWidth, s.CellHeight);
  if (pFont->Type == FONTTYPE_EXT_FRM) FONT_CalcFrame(pFont, code);
}
