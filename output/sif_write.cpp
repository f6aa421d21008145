// The SIF writer: header, range table, one fixed-size entry per saved character
// with the absolute position of its pixel data, then the pixel data.
//
// Characters still pending are rendered while the pixel data is written, piece by
// piece on the worker threads. The data goes after the room the header, ranges and
// entries of the enabled characters take; when some come out without a width (and
// are not saved) the data moves up to where the smaller tables end. The header,
// ranges and entries are written last, at the start of the file. A file that cannot
// be written out of order (a pipe), or a renderer that cannot render on the
// workers, has everything rendered first.
#include <vector>

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
#include "output/internal/ranges.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

struct Context {
  Font* pFont;
  const Settings* pSettings;
  int32_t FontHeight;  // magnified
  bool Extended;
};

uint32_t EntryBytes(const Context& cx) { return cx.Extended ? 16 : 12; }

// Where the pixel data starts: after the header, the ranges and the entries.
uint32_t DataStart(const Context& cx, const RangeList& ranges) {
  return 16 + 4 * static_cast<uint32_t>(ranges.aRange.size()) + EntryBytes(cx) * ranges.NumCodes;
}

void AppendPixels(const Context& cx, uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) {
  WrittenChar wc;
  OUT_GetWrittenChar(cx.pFont, code, *cx.pSettings, &wc);
  OUT_AppendPixelRows(cx.pFont, code, *cx.pSettings, wc, cx.Extended ? wc.Rows : cx.FontHeight, pRow, pText);
}

void WriteTables(const Context& cx, const RangeList& ranges) {
  Font* pFont = cx.pFont;
  const Settings& settings = *cx.pSettings;
  const uint32_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  OUT_WriteString("GUIP");
  OUT_WriteU16(static_cast<uint16_t>(cx.FontHeight));
  OUT_WriteU16(static_cast<uint16_t>(cx.FontHeight));
  OUT_WriteU16(static_cast<uint16_t>(pFont->Baseline));
  OUT_WriteU16(static_cast<uint16_t>(FONT_GetLowercaseHeight(pFont, settings)));
  OUT_WriteU16(static_cast<uint16_t>(FONT_GetCapitalHeight(pFont, settings)));
  OUT_WriteU16(static_cast<uint16_t>(ranges.aRange.size()));
  for (const CodeRange& r : ranges.aRange) {
    OUT_WriteU16(r.First);
    OUT_WriteU16(r.Last);
  }
  uint32_t offset = DataStart(cx, ranges);
  for (const CodeRange& r : ranges.aRange) {
    for (uint32_t c = r.First; c <= r.Last; ++c) {
      WrittenChar wc;
      OUT_GetWrittenChar(pFont, static_cast<uint16_t>(c), settings, &wc);
      OUT_WriteU16(static_cast<uint16_t>(wc.Width));
      if (cx.Extended) {
        OUT_WriteU16(static_cast<uint16_t>(wc.Rows));
        OUT_WriteU16(static_cast<uint16_t>(wc.XPos));
        OUT_WriteU16(static_cast<uint16_t>(wc.YPos));
        OUT_WriteU16(static_cast<uint16_t>(wc.XDist));
      } else {
        OUT_WriteU16(static_cast<uint16_t>(wc.Width));
        OUT_WriteU16(static_cast<uint16_t>(wc.RowBytes));
      }
      OUT_WriteU16(0);
      OUT_WriteU32(offset);
      const uint32_t rows = static_cast<uint32_t>(cx.Extended ? wc.Rows : cx.FontHeight);
      offset += static_cast<uint32_t>(wc.RowBytes) * rows * planes;
    }
  }
}

}  // namespace

int OUT_WriteSIF(Font* pFont, const Settings& settings) {
  const Context cx{pFont, &settings, pFont->Height * OUT_MagY(settings), FONT_IsExtendedType(pFont->Type)};
  RangeList ranges;
  ChangeNotice pending;
  if (!OUT_PrepareRenderingWhileWriting(pFont, true, &ranges, &pending)) {
    // Everything rendered first: the file in the order it is read.
    if (!OUT_PrepareSave(pFont, &ranges)) return 1;
    WriteTables(cx, ranges);
    OUT_WritePieces(OUT_ListCodes(ranges), true,
                    [&cx](const std::vector<uint16_t>& codes, size_t begin, size_t end, std::string* pText) {
                      std::vector<uint8_t> row;
                      for (size_t i = begin; i < end; ++i) AppendPixels(cx, codes[i], &row, pText);
                    });
    return 0;
  }

  const uint32_t provisional = DataStart(cx, ranges);
  OUT_Seek(provisional);
  uint64_t dataBytes = 0;
  const std::vector<uint16_t> enabled = OUT_ListCodes(ranges);
  OUT_WriteRenderingChars(
      pFont, enabled.data(), enabled.size(),
      [&cx](uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) { AppendPixels(cx, code, pRow, pText); },
      [&dataBytes](uint16_t, size_t size) {
        dataBytes += size;
        return true;
      });
  // Characters that came out without a width are disabled now: the tables are those
  // of the saved ones.
  FONT_EndWorkerRendering(pFont, pending);
  OUT_BuildRangeList(pFont, &ranges);
  if (ranges.aRange.empty()) {
    ReportMessage("Nothing to save!");
    return 1;
  }
  if (DataStart(cx, ranges) != provisional) OUT_MoveTail(provisional, DataStart(cx, ranges), dataBytes);
  OUT_Seek(0);
  WriteTables(cx, ranges);
  return 0;
}
