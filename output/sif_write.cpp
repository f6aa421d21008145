// The SIF writer: header, range table, one fixed-size entry per saved character
// with the absolute position of its pixel data, then the pixel data.
#include <vector>

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
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

  OUT_WritePieces(OUT_ListCodes(ranges), true,
                  [&](const std::vector<uint16_t>& codes, size_t begin, size_t end, std::string* pText) {
                    std::vector<uint8_t> row;
                    for (size_t i = begin; i < end; ++i) {
                      WrittenChar wc;
                      OUT_GetWrittenChar(pFont, codes[i], settings, &wc);
                      OUT_AppendPixelRows(pFont, codes[i], settings, wc, extended ? wc.Rows : fontHeight, &row, pText);
                    }
                  });
  return 0;
}
