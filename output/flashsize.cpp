#include "output/flashsize.h"
#include "output/internal/pack.h"

#include <cstring>

#include "model/font.h"
#include "settings/settings.h"

uint32_t OUT_CArrayBytes(const Font* pFont, const WrittenChar& wc) {
  const uint32_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  return static_cast<uint32_t>(wc.Rows) * static_cast<uint32_t>(wc.RowBytes) * planes;
}

uint32_t OUT_XbfBlockBytes(const Font* pFont, const WrittenChar& wc, int32_t fontHeight) {
  const uint32_t rowBytes = static_cast<uint32_t>(wc.RowBytes);
  // Standard types: width and bytes per row, then rows of the font height.
  if (!FONT_IsExtendedType(pFont->Type)) return 4 + rowBytes * static_cast<uint32_t>(fontHeight);
  // Extended: advance, box size, box position and bytes per row, then each plane.
  const uint32_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  return 12 + planes * rowBytes * static_cast<uint32_t>(wc.Rows);
}

namespace {

constexpr uint32_t kXbfHeaderBytes = 18;   // magic, heights, baseline, measures, code span
constexpr uint32_t kXbfIndexBytes = 6;     // offset and size per code of the span
constexpr uint32_t kXbfTypeTrailer = 4;    // "XBF" and the type byte
constexpr uint32_t kXbfTextTrailer = 10;   // "QRVB", text length, "XBF" and the type byte
constexpr uint32_t kXbfMaxBlock = 0xFFFF;  // a block's size field is 16 bits

// The records of a C font on a 32-bit target, as the compiler lays them out: 2-byte
// numbers, 4-byte pointers, each member at a multiple of its size, the record's size
// a multiple of its largest member.
constexpr uint32_t kCharInfoBytes = 12;     // width, advance, bytes per row, 2 padding, data pointer
constexpr uint32_t kCharInfoExtBytes = 16;  // width, height, x, y, advance, 2 padding, data pointer
constexpr uint32_t kRangeBytes = 12;        // first and last code, record pointer, next pointer
constexpr uint32_t kFontBytes = 24;         // type, heights, magnifications, range pointer, baseline and
                                            // two heights, 2 padding
constexpr uint32_t kFontBytesCompat = 16;   // the older record: no baseline or heights

bool Counted(const FlashSizeTally& t, uint32_t code) {
  return code < t.aState.size() && t.aState[code] != OUT_FLASHSIZE_NONE;
}

bool SameFontWide(const FlashSizeTally& t, const Font* pFont, const Settings& settings) {
  return t.Type == pFont->Type && t.Height == pFont->Height && t.Baseline == pFont->Baseline &&
         t.NumBlocks == pFont->NumBlocks && t.MagX == OUT_MagX(settings) && t.MagY == OUT_MagY(settings) &&
         t.Compat == (settings.V350_Compatibility != 0) && t.aState.size() == static_cast<size_t>(FONT_NUM_CODES);
}

// Takes a code's share out of the totals, computes it again and adds it back.
void Count(FlashSizeTally* t, const Font* pFont, const Settings& settings, uint32_t code) {
  uint8_t& state = t->aState[code];
  if (state == OUT_FLASHSIZE_KNOWN) {
    t->PixelBytes -= t->aPixelBytes[code];
    t->XbfBlockBytes -= t->aXbfBytes[code];
    t->NumKnown--;
    if (t->aXbfBytes[code] > kXbfMaxBlock) t->NumTooLarge--;
  } else if (state == OUT_FLASHSIZE_UNKNOWN) {
    t->NumUnknown--;
  }
  state = OUT_FLASHSIZE_NONE;
  t->aPixelBytes[code] = t->aXbfBytes[code] = 0;

  const CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Enabled || code >= static_cast<uint32_t>(pFont->NumBlocks) * 16) return;
  // A save renders what exists and is not rendered yet, then drops every character
  // with an empty box; until then such a character's box is not known.
  if (!ci.Rendered && ci.Exists) {
    state = OUT_FLASHSIZE_UNKNOWN;
    t->NumUnknown++;
    return;
  }
  if (ci.BoxWidth == 0) return;
  WrittenChar wc;
  OUT_GetWrittenChar(pFont, static_cast<uint16_t>(code), settings, &wc);
  const uint32_t pixels = OUT_CArrayBytes(pFont, wc);
  const uint32_t block = OUT_XbfBlockBytes(pFont, wc, pFont->Height * OUT_MagY(settings));
  state = OUT_FLASHSIZE_KNOWN;
  t->aPixelBytes[code] = pixels;
  t->aXbfBytes[code] = block;
  t->PixelBytes += pixels;
  t->XbfBlockBytes += block;
  t->NumKnown++;
  if (block > kXbfMaxBlock) t->NumTooLarge++;
}

// Counts a code again, keeping the number of runs: a code joins its neighbours' runs
// or splits them.
void Recount(FlashSizeTally* t, const Font* pFont, const Settings& settings, uint32_t code) {
  const bool before = Counted(*t, code);
  Count(t, pFont, settings, code);
  const bool after = Counted(*t, code);
  if (before == after) return;
  const uint32_t neighbours = uint32_t{code > 0 && Counted(*t, code - 1)} + uint32_t{Counted(*t, code + 1)};
  if (after) t->NumRuns = t->NumRuns + 1 - neighbours;
  else t->NumRuns = t->NumRuns + neighbours - 1;
}

}  // namespace

void OUT_RebuildFlashSize(FlashSizeTally* pTally, const Font* pFont, const Settings& settings) {
  FlashSizeTally& t = *pTally;
  t.aPixelBytes.assign(FONT_NUM_CODES, 0);
  t.aXbfBytes.assign(FONT_NUM_CODES, 0);
  t.aState.assign(FONT_NUM_CODES, OUT_FLASHSIZE_NONE);
  t.PixelBytes = t.XbfBlockBytes = 0;
  t.NumKnown = t.NumUnknown = t.NumTooLarge = t.NumRuns = 0;
  t.Type = pFont->Type;
  t.Height = pFont->Height;
  t.Baseline = pFont->Baseline;
  t.NumBlocks = pFont->NumBlocks;
  t.MagX = OUT_MagX(settings);
  t.MagY = OUT_MagY(settings);
  t.Compat = settings.V350_Compatibility != 0;
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  for (uint32_t code = 0; code < end && code < FONT_NUM_CODES; ++code) {
    if (pFont->aCharInfo[code].Enabled) Recount(&t, pFont, settings, code);
  }
}

void OUT_UpdateFlashSize(FlashSizeTally* pTally, const Font* pFont, const Settings& settings, int first, int last) {
  if (!SameFontWide(*pTally, pFont, settings)) {
    OUT_RebuildFlashSize(pTally, pFont, settings);
    return;
  }
  if (first < 0) first = 0;
  if (last >= FONT_NUM_CODES) last = FONT_NUM_CODES - 1;
  for (int code = first; code <= last; ++code) Recount(pTally, pFont, settings, static_cast<uint32_t>(code));
}

void OUT_UpdateFlashSizeUnknown(FlashSizeTally* pTally, const Font* pFont, const Settings& settings) {
  if (!SameFontWide(*pTally, pFont, settings)) {
    OUT_RebuildFlashSize(pTally, pFont, settings);
    return;
  }
  if (!pTally->NumUnknown) return;
  for (uint32_t code = 0; code < FONT_NUM_CODES; ++code) {
    if (pTally->aState[code] != OUT_FLASHSIZE_UNKNOWN) continue;
    const CharInfo& ci = pFont->aCharInfo[code];
    if (ci.Rendered || !ci.Enabled || !ci.Exists) Recount(pTally, pFont, settings, code);
  }
}

void OUT_GetFlashSize(const FlashSizeTally& tally, const Font* pFont, FlashSize* pSize) {
  *pSize = FlashSize();
  pSize->NumChars = tally.NumKnown + tally.NumUnknown;
  pSize->NumUnknown = tally.NumUnknown;
  pSize->XbfPossible = pFont->Type != FONTTYPE_AA2 && pFont->Type != FONTTYPE_AA4 && tally.NumTooLarge == 0;
  if (pSize->NumChars == 0 || tally.aState.empty()) return;

  uint64_t pixels = tally.PixelBytes, blocks = tally.XbfBlockBytes;
  if (tally.NumUnknown && tally.NumKnown) {
    pixels += tally.PixelBytes * tally.NumUnknown / tally.NumKnown;
    blocks += tally.XbfBlockBytes * tally.NumUnknown / tally.NumKnown;
  } else if (tally.NumUnknown) {
    // Nothing rendered to go by: a full cell of the widest character each.
    WrittenChar cell{};
    cell.Width = pFont->MaxWidth * tally.MagX;
    cell.Rows = pFont->Height * tally.MagY;
    cell.RowBytes = FONT_GetRowBytes(pFont, cell.Width);
    pixels += uint64_t{OUT_CArrayBytes(pFont, cell)} * tally.NumUnknown;
    blocks += uint64_t{OUT_XbfBlockBytes(pFont, cell, cell.Rows)} * tally.NumUnknown;
  }
  pSize->PixelBytes = pixels;
  pSize->NumRanges = tally.NumRuns;
  pSize->CharInfoBytes =
      uint64_t{pSize->NumChars} * (FONT_IsExtendedType(pFont->Type) ? kCharInfoExtBytes : kCharInfoBytes);
  pSize->RangeBytes = uint64_t{tally.NumRuns} * kRangeBytes;
  pSize->FontRecordBytes = tally.Compat == 1 ? kFontBytesCompat : kFontBytes;
  pSize->CBytes = pixels + pSize->CharInfoBytes + pSize->RangeBytes + pSize->FontRecordBytes;

  // The index spans every code from the first to the last saved one.
  const uint8_t* state = tally.aState.data();
  uint32_t firstCode = 0, lastCode = FONT_NUM_CODES - 1;
  while (firstCode < lastCode && state[firstCode] == OUT_FLASHSIZE_NONE) ++firstCode;
  while (lastCode > firstCode && state[lastCode] == OUT_FLASHSIZE_NONE) --lastCode;
  pSize->XbfSpan = lastCode - firstCode + 1;
  pSize->XbfIndexBytes = uint64_t{kXbfIndexBytes} * pSize->XbfSpan;
  uint64_t xbf = kXbfHeaderBytes + pSize->XbfIndexBytes + blocks + kXbfTypeTrailer;
  // The kept text as the writer writes it: whole, zero bytes and all, when it fits its
  // 16-bit length.
  const size_t text = FONT_GetXbfTextLength(pFont);
  if (text && text <= 0xFFFF) xbf += text + kXbfTextTrailer;
  pSize->XbfBytes = xbf;
}

void OUT_ComputeFlashSize(const Font* pFont, const Settings& settings, FlashSize* pSize) {
  FlashSizeTally tally;
  OUT_RebuildFlashSize(&tally, pFont, settings);
  OUT_GetFlashSize(tally, pFont, pSize);
}
