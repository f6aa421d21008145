// Rendering one character of a generated font into its record: drawing it on the
// font's surface, reading the surface back or supersampling it.
#include <algorithm>
#include <memory>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "generation/internal/rendercontext.h"
#include "generation/internal/supersample.h"
#include "generation/workers.h"
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

// Where a character's pixels go: straight into its pixel plane, leftmost pixel in
// the low bits (the plane is zero when the character is sized, so only ink is
// written).
struct PlaneWriter {
  uint8_t* pPlane;
  size_t RowBytes;
  int Bits;
  int ByteShift;  // x >> ByteShift: the byte of pixel x in its row
  PlaneWriter(Font* pFont, uint16_t code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    pPlane = ci.pPixels.get();
    RowBytes = size_t(FONT_GetRowBytes(pFont, ci.BoxWidth));
    Bits = FONT_GetBitsPerPixel(pFont->Type);
    ByteShift = Bits == 1 ? 3 : Bits == 2 ? 2 : 1;
  }
  void Set(int x, int y, int value) {
    const int inByte = x & ((1 << ByteShift) - 1);
    pPlane[size_t(y) * RowBytes + size_t(x >> ByteShift)] |= uint8_t(value << (Bits * inByte));
  }
};

// Writes the value of every non-background pixel of the cell into the record.
void ReadBack(Font* pFont, uint16_t code, const Surface& canvas, int w, int h) {
  if (canvas.Grey.empty()) return;  // never drawn on: all white
  const int8_t* pValue = AA_GetGreyValueTable(pFont->Type);
  PlaneWriter plane(pFont, code);
  w = std::min(w, Surface::kSize);
  h = std::min(h, Surface::kSize);
  for (int y = 0; y < h; y++) {
    const uint8_t* pRow = canvas.Grey.data() + size_t(y) * Surface::kSize;
    for (int x = 0; x < w; x++)
      if (pRow[x] != 255 && pValue[pRow[x]]) plane.Set(x, y, pValue[pRow[x]]);
  }
}

void Supersample(Font* pFont, uint16_t code, const Surface& canvas, bool suppressOptAA, const GlyphSizes& s) {
  AA_FillCoverage(&canvas, s.CellWidth, s.CellHeight, s.DrawnWidth, s.DrawnHeight);
  int px = 0, py = AA_GetGlobalPhase();
  if (!suppressOptAA) {
    const int best = AA_EvaluatePhases(s.CellWidth, s.CellHeight);
    px = best & 3;
    py = best >> 2;
  }
  const int shift = pFont->Type == FONTTYPE_AA2 ? 2 : 0;
  PlaneWriter plane(pFont, code);
  const int w = std::min(s.CellWidth, int(AA_GRID_CELLS)), h = std::min(s.CellHeight, int(AA_GRID_CELLS));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const int level = AA_GetCellLevel(px, py, x, y) >> shift;
      if (level) plane.Set(x, y, level);
    }
}

// What one thread renders with.
struct Lane {
  EngineFont* pEngine;
  Surface* pCanvas;
};

Lane MainLane(RenderContext* pContext) { return Lane{pContext->pEngineFont.get(), &pContext->Canvas}; }

// An extended character's glyph bitmap, kept instead of being put on the surface:
// its pixels go into the plane as reading them back from the surface would give
// them, without the surface.
struct KeptGlyph {
  bool Kept = false;
  GlyphBitmap Bitmap;
  int Offset = 0;  // where the glyph's top left lies in the box (1 for a frame)
};

void RenderGlyphOn(Font* pFont, const Lane& lane, uint16_t code, CharInfo* pInfo, GlyphSizes* pSizes,
                   KeptGlyph* pKept);

// The pixel value of each level of a grey glyph: level l paints grey
// 255 - l x 255 / 64, and white is background. The extended types convert greys
// the same way whatever the options, so one table per type serves the run.
const int8_t* LevelValues(int type) {
  struct Tables {
    int8_t aValue[FONT_NUM_TYPES][256];
    Tables() {
      for (int t = 0; t < FONT_NUM_TYPES; t++) {
        const int8_t* pValue = AA_GetGreyValueTable(t);
        for (int level = 0; level < 256; level++) {
          const uint8_t grey = uint8_t(255 - level * 255 / 64);
          aValue[t][level] = grey == 255 ? 0 : pValue[grey];
        }
      }
    }
  };
  static const Tables tables;
  return tables.aValue[std::clamp(type, 0, FONT_NUM_TYPES - 1)];
}

// The pixel value of each coverage of a grey glyph (GLYPH_COVERAGE): that of the
// level GLYPH_GREY gives for it.
const int8_t* CoverageValues(int type) {
  struct Tables {
    int8_t aValue[FONT_NUM_TYPES][256];
    Tables() {
      for (int t = 0; t < FONT_NUM_TYPES; t++)
        for (int coverage = 0; coverage < 256; coverage++)
          aValue[t][coverage] = LevelValues(t)[(coverage * 64 + 127) / 255];
    }
  };
  static const Tables tables;
  return tables.aValue[std::clamp(type, 0, FONT_NUM_TYPES - 1)];
}

void WriteKeptGlyph(Font* pFont, uint16_t code, const KeptGlyph& kept) {
  const GlyphBitmap& b = kept.Bitmap;
  if (!b.pBits) return;
  PlaneWriter plane(pFont, code);
  const int at = kept.Offset;
  const int w = std::min(b.Width, Surface::kSize - at), h = std::min(b.Rows, Surface::kSize - at);
  if (b.Format == GLYPH_MONO) {
    for (int y = 0; y < h; y++) {
      const uint8_t* pSrc = b.pBits + ptrdiff_t(y) * b.Pitch;
      for (int x = 0; x < w; x++)
        if (pSrc[x >> 3] & (0x80 >> (x & 7))) plane.Set(x + at, y + at, 1);
    }
    return;
  }
  const int8_t* pValues = b.Format == GLYPH_COVERAGE ? CoverageValues(pFont->Type) : LevelValues(pFont->Type);
  if (plane.Bits == 1) {
    for (int y = 0; y < h; y++) {
      const uint8_t* pSrc = b.pBits + ptrdiff_t(y) * b.Pitch;
      for (int x = 0; x < w; x++)
        if (const int value = pValues[pSrc[x]]) plane.Set(x, y, value);
    }
    return;
  }
  // Whole bytes at a time: the plane is zero and each byte is written once.
  const int perByte = 1 << plane.ByteShift;
  for (int y = 0; y < h; y++) {
    const uint8_t* pSrc = b.pBits + ptrdiff_t(y) * b.Pitch;
    uint8_t* pDst = plane.pPlane + size_t(y) * plane.RowBytes;
    for (int x = 0; x < w; x += perByte) {
      unsigned byte = 0;
      for (int i = 0; i < perByte && x + i < w; i++) byte |= unsigned(uint8_t(pValues[pSrc[x + i]])) << (plane.Bits * i);
      pDst[x >> plane.ByteShift] = uint8_t(byte);
    }
  }
}

void GenerateOn(Font* pFont, const Lane& lane, uint16_t code) {
  RenderContext* pContext = pFont->pRenderContext.get();
  GlyphSizes s;
  KeptGlyph kept;
  RenderGlyphOn(pFont, lane, code, &pFont->aCharInfo[code], &s, &kept);
  FONT_SetCharSize(pFont, code, s.CellWidth, s.CellHeight);
  if (!pFont->aCharInfo[code].pPixels) return;
  if (pContext->InternalAA) {
    Supersample(pFont, code, *lane.pCanvas, pContext->SuppressOptAA, s);
    return;
  }
  if (kept.Kept)
    WriteKeptGlyph(pFont, code, kept);
  else
    ReadBack(pFont, code, *lane.pCanvas, s.CellWidth, s.CellHeight);
  if (pFont->Type == FONTTYPE_EXT_FRM) FONT_CalcFrame(pFont, code);
}

}  // namespace

namespace {

// With pKept, an extended character's glyph is kept there instead of being drawn.
void RenderGlyphOn(Font* pFont, const Lane& lane, uint16_t code, CharInfo* pInfo, GlyphSizes* pSizes,
                   KeptGlyph* pKept) {
  *pSizes = GlyphSizes{};
  RenderContext* pContext = pFont->pRenderContext.get();
  EngineFont* pEngine = lane.pEngine;
  Surface* pCanvas = lane.pCanvas;
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
      if (!pKept) GENERATE_ClearSurface(pCanvas);
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
      if (pKept)
        *pKept = KeptGlyph{true, bitmap, frame};
      else if (bitmap.pBits)
        GENERATE_PlaceMonoOnSurface(pCanvas, bitmap, frame, frame);
    } else if (type == FONTTYPE_EXT_AA2 || type == FONTTYPE_EXT_AA4) {
      if (!pKept) GENERATE_ClearSurface(pCanvas);
      // A kept glyph's coverage goes into the plane through one table, unconverted.
      ENGINE_GetGlyph(pEngine, unicode, pKept ? GLYPH_COVERAGE : GLYPH_GREY, &g, &bitmap);
      drawnW = g.BlackBoxX;
      drawnH = g.BlackBoxY;
      if (pInfo) {
        FillRecord(g, pInfo);
        const int advance = g.CellIncX + GENERATE_SumCursorDistAdjust(pContext->Adjustments, uint16_t(unicode));
        pInfo->CursorDist = std::clamp(advance, 0, 255);
        ApplyArabicRule(unicode, pInfo);
      }
      if (pKept)
        *pKept = KeptGlyph{true, bitmap, 0};
      else if (bitmap.pBits)
        GENERATE_PaintSurfaceGrey(pCanvas, bitmap, 0, 0);
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

}  // namespace

void FONT_RenderGlyph(Font* pFont, uint16_t code, CharInfo* pInfo, GlyphSizes* pSizes) {
  *pSizes = GlyphSizes{};
  RenderContext* pContext = pFont->pRenderContext.get();
  if (!pContext) return;
  RenderGlyphOn(pFont, MainLane(pContext), code, pInfo, pSizes, nullptr);
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
  GenerateOn(pFont, MainLane(pContext), code);
}

bool GENERATE_PrepareWorkers(Font* pFont) {
  RenderContext* pContext = pFont->pRenderContext.get();
  if (!pContext) return true;
  if (pContext->InternalAA && !AA_GlobalPhaseFound()) AA_FindGlobalPhase(pFont);
  CoverageValues(pFont->Type);  // the tables are built before the threads read them
  while (int(pContext->Lanes.size()) < WORKERS_GetCount() - 1) {
    auto lane = std::make_unique<RenderContext::Lane>();
    lane->pEngineFont = ENGINE_CopyFont(pContext->pEngineFont.get());
    if (!lane->pEngineFont) return false;
    GENERATE_InitSurface(&lane->Canvas, pContext->Canvas.Mono);
    pContext->Lanes.push_back(std::move(lane));
  }
  return true;
}

void GENERATE_RenderMany(Font* pFont, const uint16_t* pCodes, size_t count) {
  RenderContext* pContext = pFont->pRenderContext.get();
  if (!pContext || count == 0) return;
  // Inside a worker job the lanes are ready (GENERATE_PrepareWorkers) and this
  // thread renders on its own lane; otherwise they are made now, and where they
  // cannot be, the calling thread renders everything.
  if (!WORKERS_InJob() && !GENERATE_PrepareWorkers(pFont)) {
    for (size_t i = 0; i < count; i++) GenerateOn(pFont, MainLane(pContext), pCodes[i]);
    return;
  }
  // Pieces of consecutive codes: each thread's records lie together.
  constexpr size_t kGrain = 16;
  WORKERS_ParallelFor(count, kGrain, [&](size_t begin, size_t end, int worker) {
    const Lane lane = worker == 0 ? MainLane(pContext)
                                  : Lane{pContext->Lanes[size_t(worker - 1)]->pEngineFont.get(),
                                         &pContext->Lanes[size_t(worker - 1)]->Canvas};
    for (size_t i = begin; i < end; i++) GenerateOn(pFont, lane, pCodes[i]);
  });
}
