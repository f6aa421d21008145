// The XBF writer: header, an index entry per code from the first to the last saved
// one, the character blocks, and the type and attached-text trailers.
//
// Characters still pending are rendered while the blocks are written, piece by
// piece on the worker threads: the first and last saved characters are found
// first, which fixes the size of the index and so where the blocks start; the
// header and the index, which hold every block's size, are written last, at the
// start of the file. A file that cannot be written out of order (a pipe), or a
// renderer that cannot render on the workers, has everything rendered first.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/font.h"
#include "output/flashsize.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
#include "output/internal/ranges.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

constexpr uint32_t kHeaderBytes = 18;
constexpr uint32_t kIndexEntryBytes = 6;

struct Context {
  Font* pFont;
  const Settings* pSettings;
  int32_t FontHeight;  // magnified
  bool Extended;
};

uint32_t BlockBytes(const Context& cx, uint16_t code) {
  WrittenChar wc;
  OUT_GetWrittenChar(cx.pFont, code, *cx.pSettings, &wc);
  return OUT_XbfBlockBytes(cx.pFont, wc, cx.FontHeight);
}

// A block longer than its size field can describe refuses the whole save.
bool FitsOrRefuse(uint16_t code, uint32_t size) {
  if (size <= 0xFFFF) return true;  // a block's size field is 16 bits
  char text[200];
  std::snprintf(text, sizeof(text),
                "Character %04X is too large for an XBF file: it needs %u bytes, "
                "an XBF file holds at most 65535 per character. Nothing was saved.",
                code, size);
  ReportMessage(text);
  return false;
}

void AppendBlock(const Context& cx, uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) {
  WrittenChar wc;
  OUT_GetWrittenChar(cx.pFont, code, *cx.pSettings, &wc);
  int32_t rows = cx.FontHeight;
  if (cx.Extended) {
    rows = wc.Rows;
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.XDist));
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.Width));
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.Rows));
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.XPos));
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.YPos));
  } else {
    OUT_AppendU16(pText, static_cast<uint16_t>(wc.Width));
  }
  OUT_AppendU16(pText, static_cast<uint16_t>(wc.RowBytes));
  OUT_AppendPixelRows(cx.pFont, code, *cx.pSettings, wc, rows, pRow, pText);
}

// The header and the index of the codes firstCode.. (sizes[i] is the block size of
// firstCode + i, 0 where nothing is saved).
void WriteHeaderAndIndex(const Context& cx, uint16_t firstCode, const std::vector<uint32_t>& sizes) {
  Font* pFont = cx.pFont;
  const Settings& settings = *cx.pSettings;
  // Measured when the font has both measurement characters; otherwise the heights
  // a reader found in the file the font came from, as the C writer does.
  uint16_t lowercase = 0, capital = 0;
  if (FONT_CharExists(pFont, settings.LowercaseChar) && FONT_CharExists(pFont, settings.CapitalChar)) {
    lowercase = static_cast<uint16_t>(FONT_GetLowercaseHeight(pFont, settings));
    capital = static_cast<uint16_t>(FONT_GetCapitalHeight(pFont, settings));
  } else if (pFont->HeightsKnown) {
    lowercase = static_cast<uint16_t>(pFont->LowercaseHeightRead);
    capital = static_cast<uint16_t>(pFont->CapitalHeightRead);
  }
  OUT_WriteString("GUIX");
  OUT_WriteU16(static_cast<uint16_t>(cx.FontHeight));
  OUT_WriteU16(static_cast<uint16_t>(cx.FontHeight));
  OUT_WriteU16(static_cast<uint16_t>(pFont->Baseline));
  OUT_WriteU16(lowercase);
  OUT_WriteU16(capital);
  OUT_WriteU16(firstCode);
  OUT_WriteU16(static_cast<uint16_t>(firstCode + sizes.size() - 1));
  uint32_t offset = kHeaderBytes + kIndexEntryBytes * static_cast<uint32_t>(sizes.size());
  for (uint32_t size : sizes) {
    OUT_WriteU32(size ? offset : 0);
    OUT_WriteU16(static_cast<uint16_t>(size));
    offset += size;
  }
}

void WriteTrailers(const Font* pFont) {
  OUT_WriteString("XBF");
  OUT_WriteByte(static_cast<uint8_t>(pFont->Type));
  // The attached text is an opaque byte string: written whole, zero bytes and all.
  const size_t length = FONT_GetXbfTextLength(pFont);
  if (length && length <= 0xFFFF) {
    OUT_WriteBytes(pFont->pXbfText.get(), length);
    OUT_WriteString("QRVB");
    OUT_WriteU16(static_cast<uint16_t>(length));
    OUT_WriteString("XBF");
    OUT_WriteByte(static_cast<uint8_t>(pFont->Type));
  }
}

// Every character rendered: the file in the order it is read.
int WriteRendered(const Context& cx, const RangeList& ranges) {
  const uint16_t firstCode = ranges.aRange.front().First, lastCode = ranges.aRange.back().Last;
  // Every block's size first: the index precedes the blocks.
  std::vector<uint32_t> sizes(static_cast<size_t>(lastCode - firstCode + 1), 0);
  for (const CodeRange& r : ranges.aRange) {
    for (uint32_t code = r.First; code <= r.Last; ++code) {
      const uint32_t size = BlockBytes(cx, static_cast<uint16_t>(code));
      if (!FitsOrRefuse(static_cast<uint16_t>(code), size)) return 1;
      sizes[code - firstCode] = size;
    }
  }
  WriteHeaderAndIndex(cx, firstCode, sizes);
  OUT_WritePieces(OUT_ListCodes(ranges), true,
                  [&](const std::vector<uint16_t>& codes, size_t begin, size_t end, std::string* pText) {
                    std::vector<uint8_t> row;
                    for (size_t i = begin; i < end; ++i) AppendBlock(cx, codes[i], &row, pText);
                  });
  WriteTrailers(cx.pFont);
  return 0;
}

bool HasWidth(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].BoxWidth != 0; }

// 'enabled' are the enabled codes, some of them pending; the rendering was prepared
// (FONT_PrepareWorkerRendering) and 'pending' spans what was pending.
int WriteWhileRendering(const Context& cx, const std::vector<uint16_t>& enabled, const ChangeNotice& pending) {
  Font* pFont = cx.pFont;
  // The first and the last code that will be saved: rendered from both ends until
  // one has a width. A code without one is not saved.
  size_t first = 0, end = enabled.size();
  for (; first < end; ++first) {
    FONT_RenderOnWorker(pFont, &enabled[first], 1);
    if (HasWidth(pFont, enabled[first])) break;
  }
  for (; end > first + 1; --end) {
    FONT_RenderOnWorker(pFont, &enabled[end - 1], 1);
    if (HasWidth(pFont, enabled[end - 1])) break;
  }
  if (first == end) {
    FONT_EndWorkerRendering(pFont, pending);
    ReportMessage("Nothing to save!");
    return 1;
  }
  const uint16_t firstCode = enabled[first], lastCode = enabled[end - 1];
  std::vector<uint32_t> sizes(static_cast<size_t>(lastCode - firstCode + 1), 0);

  // The blocks, after the room the header and the index take.
  OUT_Seek(kHeaderBytes + kIndexEntryBytes * sizes.size());
  bool refused = false;
  OUT_WriteRenderingChars(
      pFont, enabled.data() + first, end - first,
      [&cx](uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) { AppendBlock(cx, code, pRow, pText); },
      [&](uint16_t code, size_t size) {
        refused = !FitsOrRefuse(code, static_cast<uint32_t>(size));
        sizes[code - firstCode] = static_cast<uint32_t>(size);
        return !refused;
      });
  // Characters that came out without a width are disabled now.
  FONT_EndWorkerRendering(pFont, pending);
  if (refused) return 1;
  WriteTrailers(pFont);
  OUT_Seek(0);
  WriteHeaderAndIndex(cx, firstCode, sizes);
  return 0;
}

}  // namespace

int OUT_WriteXBF(Font* pFont, const Settings& settings) {
  const Context cx{pFont, &settings, pFont->Height * OUT_MagY(settings), FONT_IsExtendedType(pFont->Type)};
  RangeList ranges;
  ChangeNotice pending;
  if (OUT_PrepareRenderingWhileWriting(pFont, true, &ranges, &pending))
    return WriteWhileRendering(cx, OUT_ListCodes(ranges), pending);
  if (!OUT_PrepareSave(pFont, &ranges)) return 1;
  return WriteRendered(cx, ranges);
}
