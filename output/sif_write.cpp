// The SIF writer: header, range table, one fixed-size entry per saved character
// with the absolute position of its pixel data, then the pixel data.
#include <vector>

#include "model/font.h"
#include "output/outbuf.h"
#include "output/pack.h"
#include "output/progress.h"
#include "output/ranges.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/settings.h"

int FONT_WriteSIF(Font* pFont, const Settings& settings) {
  FONT_RenderPending(pFont);
  RangeList ranges;
  OUT_BuildRangeList(pFont, &ranges);
  if (ranges.aRange.empty()) {
    ReportMessage("Nothing to save!");
    return 1;
  }
  const int32_t fontHeight = pFont->Height * OUT_MagY(settings);
  const bool extended = FONT_IsExtendedType(pFont->Type);
  const uint32_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  OUT_WriteString("GUIP");
  OUT_WriteU16(static_cast<uint16_t>(fontHeight));
  OUT_WriteU16(static_cast<uint16_t>(fontHeight));
  OUT_WriteU16(static_cast<uint16_t>(pFont->Baseline));
  OUT_WriteU16(static_cast<uint16_t>(FONT_GetLowercaseHeight(pFont, settings)));
  OUT_WriteU16(static_cast<uint16_t>(FONT_GetCapitalHeight(pFont, settings)));
  OUT_WriteU16(static_cast<uint16_t>(ranges.aRange.size()));
  for (const CodeRange& r : ranges.aRange) {
    OUT_WriteU16(r.First);
    OUT_WriteU16(r.Last);
  }

  const uint32_t entrySize = extended ? 16 : 12;
  uint32_t offset = 16 + 4 * static_cast<uint32_t>(ranges.aRange.size()) + entrySize * ranges.NumCodes;
  for (const CodeRange& r : ranges.aRange) {
    for (uint32_t c = r.First; c <= r.Last; ++c) {
      WrittenChar wc;
      OUT_GetWrittenChar(pFont, static_cast<uint16_t>(c), settings, &wc);
      OUT_WriteU16(static_cast<uint16_t>(wc.Width));
      if (extended) {
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
      const uint32_t rows = static_cast<uint32_t>(extended ? wc.Rows : fontHeight);
      offset += static_cast<uint32_t>(wc.RowBytes) * rows * planes;
    }
  }

  std::vector<uint8_t> row;
  for (const CodeRange& r : ranges.aRange) {
    for (uint32_t c = r.First; c <= r.Last; ++c) {
      const uint16_t code = static_cast<uint16_t>(c);
      OUT_ShowProgress(code);
      WrittenChar wc;
      OUT_GetWrittenChar(pFont, code, settings, &wc);
      const int32_t rows = extended ? wc.Rows : fontHeight;
      row.resize(static_cast<size_t>(wc.RowBytes));
      for (uint32_t plane = 0; plane < planes; ++plane) {
        for (int32_t y = 0; y < rows; ++y) {
          OUT_PackRow(pFont, code, settings, wc, y, static_cast<int>(plane), row.data());
          OUT_WriteBytes(reinterpret_cast<const char*>(row.data()), row.size());
        }
      }
    }
  }
  return 0;
}
