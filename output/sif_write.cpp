// The SIF writer: header, range table, one fixed-size entry per saved character
// with the absolute position of its pixel data, then the pixel data.
#include <vector>

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
#include "output/internal/progress.h"
#include "output/internal/ranges.h"
#include "output/save.h"
#include "settings/settings.h"

int OUT_WriteSIF(Font* pFont, const Settings& settings) {
  RangeList ranges;
  if (!OUT_PrepareSave(pFont, &ranges)) return 1;
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
      OUT_WritePixelRows(pFont, code, settings, wc, extended ? wc.Rows : fontHeight, &row);
    }
  }
  return 0;
}
