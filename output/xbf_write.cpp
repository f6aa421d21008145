// The XBF writer: header, an index entry per code from the first to the last saved
// one, the character blocks, and the type and attached-text trailers.
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/font.h"
#include "output/flashsize.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
#include "output/internal/ranges.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/settings.h"

int OUT_WriteXBF(Font* pFont, const Settings& settings) {
  RangeList ranges;
  if (!OUT_PrepareSave(pFont, &ranges)) return 1;
  const int32_t fontHeight = pFont->Height * OUT_MagY(settings);
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
  const uint16_t firstCode = ranges.aRange.front().First, lastCode = ranges.aRange.back().Last;

  // Every block's size first: the index precedes the blocks, and a block longer than
  // its 16-bit size field can describe refuses the whole save.
  std::vector<uint32_t> sizes(static_cast<size_t>(lastCode - firstCode + 1), 0);
  for (const CodeRange& r : ranges.aRange) {
    for (uint32_t code = r.First; code <= r.Last; ++code) {
      WrittenChar wc;
      OUT_GetWrittenChar(pFont, static_cast<uint16_t>(code), settings, &wc);
      const uint32_t size = OUT_XbfBlockBytes(pFont, wc, fontHeight);
      if (size > 0xFFFF) {
        char text[200];
        std::snprintf(text, sizeof(text),
                      "Character %04X is too large for an XBF file: it needs %u bytes, "
                      "an XBF file holds at most 65535 per character. Nothing was saved.",
                      code, size);
        ReportMessage(text);
        return 1;
      }
      sizes[code - firstCode] = size;
    }
  }

  OUT_WriteString("GUIX");
  OUT_WriteU16(static_cast<uint16_t>(fontHeight));
  OUT_WriteU16(static_cast<uint16_t>(fontHeight));
  OUT_WriteU16(static_cast<uint16_t>(pFont->Baseline));
  OUT_WriteU16(lowercase);
  OUT_WriteU16(capital);
  OUT_WriteU16(firstCode);
  OUT_WriteU16(lastCode);
  uint32_t offset = 18 + 6 * static_cast<uint32_t>(sizes.size());
  for (uint32_t size : sizes) {
    OUT_WriteU32(size ? offset : 0);
    OUT_WriteU16(static_cast<uint16_t>(size));
    offset += size;
  }

  const bool extended = FONT_IsExtendedType(pFont->Type);
  OUT_WritePieces(OUT_ListCodes(ranges), true,
                  [&](const std::vector<uint16_t>& codes, size_t begin, size_t end, std::string* pText) {
                    std::vector<uint8_t> row;
                    for (size_t i = begin; i < end; ++i) {
                      const uint16_t code = codes[i];
                      WrittenChar wc;
                      OUT_GetWrittenChar(pFont, code, settings, &wc);
                      int32_t rows = fontHeight;
                      if (extended) {
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
                      OUT_AppendPixelRows(pFont, code, settings, wc, rows, &row, pText);
                    }
                  });

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
  return 0;
}
