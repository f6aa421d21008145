#include "output/internal/pack.h"

#include <cstring>

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "settings/settings.h"

int32_t OUT_MagX(const Settings& settings) { return settings.MagX > 1 ? settings.MagX : 1; }
int32_t OUT_MagY(const Settings& settings) { return settings.MagY > 1 ? settings.MagY : 1; }

void OUT_GetWrittenChar(const Font* pFont, uint16_t code, const Settings& settings, WrittenChar* pChar) {
  const int32_t magX = OUT_MagX(settings), magY = OUT_MagY(settings);
  const CharInfo& ci = pFont->aCharInfo[code];
  const int32_t height = ci.BoxHeight ? ci.BoxHeight : pFont->Height;
  pChar->Width = ci.BoxWidth * magX;
  pChar->Rows = height * magY;
  pChar->RowBytes = FONT_GetRowBytes(pFont, pChar->Width);
  pChar->XPos = ci.BoxLeft * magX;
  pChar->YPos = (pFont->Baseline - ci.BoxTop) * magY;
  pChar->XDist = ci.CursorDist * magX;
}

namespace {

// In-memory bytes hold the leftmost pixel in the low bits, written bytes in the
// high bits: the table turns one into the other for each pixel size.
struct ReverseTables {
  uint8_t aByBits[5][256];
  ReverseTables() {
    for (int bits : {1, 2, 4}) {
      const int perByte = 8 / bits, mask = (1 << bits) - 1;
      for (int b = 0; b < 256; ++b) {
        int r = 0;
        for (int i = 0; i < perByte; ++i) r |= ((b >> (i * bits)) & mask) << (8 - bits * (i + 1));
        aByBits[bits][b] = static_cast<uint8_t>(r);
      }
    }
  }
};
const ReverseTables kReverse;

// Unmagnified rows straight from the planes.
void PackPlaneRow(const CharInfo& ci, int bits, const WrittenChar& wc, int32_t y, int plane, uint8_t* pOut) {
  const uint8_t* table = kReverse.aByBits[bits];
  const size_t rowBytes = static_cast<size_t>(wc.RowBytes);
  const uint8_t* pixels = ci.pPixels.get() + static_cast<size_t>(y) * rowBytes;
  const uint8_t* frame = ci.pFrame ? ci.pFrame.get() + static_cast<size_t>(y) * rowBytes : nullptr;
  for (size_t i = 0; i < rowBytes; ++i) {
    uint8_t b;
    if (!frame) b = plane ? 0 : pixels[i];
    else b = plane ? frame[i] : static_cast<uint8_t>(pixels[i] & ~frame[i]);  // one bit per pixel
    pOut[i] = table[b];
  }
  const int usedBits = static_cast<int>(wc.Width * bits % 8);  // clear what lies beyond the box
  if (usedBits && rowBytes) pOut[rowBytes - 1] &= static_cast<uint8_t>(0xFF00 >> usedBits);
}

}  // namespace

void OUT_PackRow(const Font* pFont, uint16_t code, const Settings& settings, const WrittenChar& wc,
                 int32_t y, int plane, uint8_t* pOut) {
  const int32_t magX = OUT_MagX(settings), magY = OUT_MagY(settings);
  const int bits = FONT_GetBitsPerPixel(pFont->Type);
  const CharInfo& ci = pFont->aCharInfo[code];
  std::memset(pOut, 0, static_cast<size_t>(wc.RowBytes));
  const int32_t sy = y / magY;
  if (sy >= ci.BoxHeight || !ci.pPixels) return;  // below the box: background
  if (magX == 1 && static_cast<uint64_t>(sy + 1) * static_cast<uint64_t>(wc.RowBytes) <= ci.DataSize) {
    PackPlaneRow(ci, bits, wc, sy, plane, pOut);
    return;
  }
  const int perByte = 8 / bits;
  for (int32_t x = 0; x < wc.Width; ++x) {
    int value = FONT_GetPixel(pFont, code, x / magX, sy);
    value = plane ? (value < 0) : (value < 0 ? 0 : value);
    if (!value) continue;
    const int shift = 8 - bits * (x % perByte + 1);
    pOut[x / perByte] |= static_cast<uint8_t>(value << shift);
  }
}

void OUT_AppendPixelRows(const Font* pFont, uint16_t code, const Settings& settings, const WrittenChar& wc,
                         int32_t rows, std::vector<uint8_t>* pRow, std::string* pText) {
  pRow->resize(static_cast<size_t>(wc.RowBytes));
  const int planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  for (int plane = 0; plane < planes; ++plane) {
    for (int32_t y = 0; y < rows; ++y) {
      OUT_PackRow(pFont, code, settings, wc, y, plane, pRow->data());
      pText->append(reinterpret_cast<const char*>(pRow->data()), pRow->size());
    }
  }
}

void OUT_AppendU16(std::string* pText, uint16_t value) {
  const char b[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  pText->append(b, 2);
}
