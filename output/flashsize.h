// How many bytes the enabled characters take once saved: the pixel arrays of the C
// source, the whole C font as a 32-bit target holds it, and the whole XBF file, worked
// out from the character boxes alone, without writing anything and without rendering
// a character that is not rendered yet.
//
// A tally keeps every code's share, so that a change of a few characters costs as
// much as those characters; OUT_ComputeFlashSize is the one-shot form.
#pragma once

#include <cstdint>
#include <vector>

struct Font;
struct Settings;
struct WrittenChar;

struct FlashSize {
  uint64_t PixelBytes = 0;  // the C writer's pixel arrays, together
  // The C font compiled for a 32-bit target (4-byte pointers, natural alignment): the
  // pixel arrays and the records that lead to them.
  uint64_t CBytes = 0;           // all of it
  uint64_t CharInfoBytes = 0;    // the character records, one per saved code
  uint64_t RangeBytes = 0;       // the range records, one per run of consecutive codes
  uint32_t FontRecordBytes = 0;  // the font record
  uint32_t NumRanges = 0;
  uint64_t XbfBytes = 0;      // the XBF file, header, index and trailers included
  uint32_t XbfSpan = 0;       // codes from the first to the last saved one: one index entry each
  uint64_t XbfIndexBytes = 0;
  uint32_t NumChars = 0;      // characters a save would write, known or not
  uint32_t NumUnknown = 0;    // of those, not rendered yet: their share is estimated
  int XbfPossible = 0;        // 0: the type has no XBF form or a character is too large for it
};

// The bytes one written character takes: its C pixel array (both planes for
// EXT_FRM) and its XBF character block (fontHeight: the magnified font height).
uint32_t OUT_CArrayBytes(const Font* pFont, const WrittenChar& wc);
uint32_t OUT_XbfBlockBytes(const Font* pFont, const WrittenChar& wc, int32_t fontHeight);

// Per-code shares and their running totals. The font-wide values the shares were
// computed with are kept as well: when any of them differs at an update, the whole
// tally is built again.
struct FlashSizeTally {
  std::vector<uint32_t> aPixelBytes;  // per code; 0 when not counted
  std::vector<uint32_t> aXbfBytes;    // per code; 0 when not counted
  std::vector<uint8_t> aState;        // per code: OUT_FLASHSIZE_*
  uint64_t PixelBytes = 0;            // sums over the known characters
  uint64_t XbfBlockBytes = 0;
  uint32_t NumKnown = 0;
  uint32_t NumUnknown = 0;
  uint32_t NumTooLarge = 0;           // known characters whose XBF block exceeds 65535
  uint32_t NumRuns = 0;               // runs of consecutive codes counted (known or not)
  // What the shares depend on beyond the character itself.
  int32_t Type = -1;
  int32_t Height = -1;
  int32_t Baseline = -1;
  int32_t NumBlocks = -1;
  int32_t MagX = -1;
  int32_t MagY = -1;
  int32_t Compat = -1;                // the older C layout: a smaller font record
};

enum {
  OUT_FLASHSIZE_NONE = 0,     // not saved: disabled, or rendered with an empty box
  OUT_FLASHSIZE_KNOWN = 1,    // saved, its size known
  OUT_FLASHSIZE_UNKNOWN = 2,  // enabled but not rendered yet
};

// Computes every code's share.
void OUT_RebuildFlashSize(FlashSizeTally* pTally, const Font* pFont, const Settings& settings);
// Computes the shares of codes first..last again (clipped to the font); rebuilds
// everything when a font-wide value, the magnification or the C layout changed.
void OUT_UpdateFlashSize(FlashSizeTally* pTally, const Font* pFont, const Settings& settings, int first, int last);
// Recounts the characters the tally holds as not rendered that have been rendered
// since (rendering on demand sends no change notice); cheap when none is pending.
void OUT_UpdateFlashSizeUnknown(FlashSizeTally* pTally, const Font* pFont, const Settings& settings);
// The figures of the tally. Characters not rendered yet count with the average
// share of the known ones; with none known, as a full cell of the widest
// character each.
void OUT_GetFlashSize(const FlashSizeTally& tally, const Font* pFont, FlashSize* pSize);
// All in one: a fresh tally's figures.
void OUT_ComputeFlashSize(const Font* pFont, const Settings& settings, FlashSize* pSize);
