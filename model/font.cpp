// The font container: creation, accessors, pixel planes, frames and enabling.
#include "model/font.h"

#include <sys/mman.h>

#include <cstring>
#include <new>

namespace {

// A font's records take about 3 MB, every byte written when the font is made. On a
// 2 MB boundary and marked for huge pages where the system offers them on request,
// their first 2 MB cost one page fault instead of five hundred.
constexpr std::align_val_t kFontAlignment{2 << 20};

}  // namespace

void FontDeleter::operator()(Font* pFont) const {
  pFont->~Font();
  ::operator delete(pFont, kFontAlignment);
}

FontPtr FONT_Alloc() {
  void* pMemory = ::operator new(sizeof(Font), kFontAlignment, std::nothrow);
  if (!pMemory) return nullptr;
  (void)madvise(pMemory, sizeof(Font), MADV_HUGEPAGE);
  return FontPtr(new (pMemory) Font());
}

void FONT_Delete(FontPtr pFont) {
  pFont.reset();
}

int32_t FONT_GetHeight(const Font* pFont) { return pFont ? pFont->Height : 0; }
int32_t FONT_GetMaxWidth(const Font* pFont) { return pFont->MaxWidth; }
int32_t FONT_GetType(const Font* pFont) { return pFont->Type; }
int32_t FONT_GetEncoding(const Font* pFont) { return pFont->Encoding; }
int32_t FONT_GetAAMethod(const Font* pFont) { return pFont->AAMethod; }
RenderContext* FONT_GetHFont(const Font* pFont) { return pFont->pRenderContext.get(); }
RenderContext* FONT_GetDC(const Font* pFont) { return pFont->pRenderContext.get(); }
int32_t FONT_GetBaseline(const Font* pFont) { return pFont->Baseline; }
int32_t FONT_GetNumBlocks(const Font* pFont) { return pFont->NumBlocks; }
uint32_t FONT_GetNumUsedBlocks(const Font* pFont) { return pFont->NumUsedBlocks; }
int FONT_Has16BitCodes(const Font* pFont) { return pFont->Has16BitCodes; }
uint16_t FONT_GetCurrentChar(const Font* pFont) { return pFont->CurrentChar; }

void FONT_SetCurrentChar(Font* pFont, uint32_t code) {
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  pFont->CurrentChar = code < end ? static_cast<uint16_t>(code) : 0;
}

namespace {

int CopyName(const char* pName, size_t room, char* pBuffer, int size) {
  const size_t length = strnlen(pName, room);
  if (size <= 0 || length + 1 > static_cast<size_t>(size)) return 0;
  std::memcpy(pBuffer, pName, length);
  pBuffer[length] = 0;
  return static_cast<int>(length);
}

}  // namespace

int FONT_GetFaceName(const Font* pFont, char* pBuffer, int size) {
  return CopyName(pFont->LogFont.acFaceName, sizeof(pFont->LogFont.acFaceName) - 1, pBuffer, size);
}

int FONT_GetFileName(const Font* pFont, char* pBuffer, int size) {
  return CopyName(pFont->acFileName, sizeof(pFont->acFileName) - 1, pBuffer, size);
}

size_t FONT_GetXbfTextLength(const Font* pFont) {
  if (!pFont->pXbfText) return 0;
  return pFont->XbfTextLength ? pFont->XbfTextLength : std::strlen(pFont->pXbfText.get());
}

void FONT_SetFileName(Font* pFont, const char* pName) {
  const size_t length = strnlen(pName, sizeof(pFont->acFileName) - 1);
  std::memcpy(pFont->acFileName, pName, length);
  pFont->acFileName[length] = 0;
}

void FONT_GetLogFont(const Font* pFont, LogFontRecord* pRecord) { *pRecord = pFont->LogFont; }

int FONT_GetBitsPerPixel(int32_t type) {
  switch (type) {
    case FONTTYPE_STD:
    case FONTTYPE_EXT:
    case FONTTYPE_EXT_FRM:
      return 1;
    case FONTTYPE_AA2:
    case FONTTYPE_EXT_AA2:
      return 2;
    case FONTTYPE_AA4:
    case FONTTYPE_EXT_AA4:
      return 4;
    default:
      return 0;
  }
}

bool FONT_IsExtendedType(int32_t type) { return type >= FONTTYPE_EXT && type <= FONTTYPE_EXT_AA4; }

int FONT_GetMaxPixelValue(const Font* pFont) { return (1 << FONT_GetBitsPerPixel(pFont->Type)) - 1; }

int FONT_GetRowBytes(const Font* pFont, int width) {
  if (width < 0) return 0;
  switch (FONT_GetBitsPerPixel(pFont->Type)) {
    case 1:
      return (width + 7) / 8;
    case 2:
      return (width + 3) / 4;
    case 4:
      return (width + 1) / 2;
    default:
      return 0;
  }
}

int32_t FONT_GetCharWidth(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].BoxWidth; }
int32_t FONT_GetCharHeight(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].BoxHeight; }
int FONT_IsCharEnabled(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].Enabled; }
int FONT_IsCharRendered(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].Rendered; }
int FONT_CharExists(const Font* pFont, uint16_t code) { return pFont->aCharInfo[code].Exists; }

int FONT_IsBlockUsed(const Font* pFont, uint32_t block) {
  return block < FONT_NUM_BLOCKS_MAX ? pFont->aBlock[block].Used : 0;
}

int32_t FONT_GetBlockArea(const Font* pFont, uint32_t block) {
  return block < FONT_NUM_BLOCKS_MAX ? pFont->aBlock[block].Area : -1;
}

namespace {

std::unique_ptr<uint8_t[]> NewPlane(uint32_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]());
}

// Where pixel x of a row lies: byte offset in the row, bit shift and mask.
struct PixelPlace {
  int Byte;
  int Shift;
  uint8_t Mask;
};

PixelPlace Place(int bitsPerPixel, int x) {
  const int perByte = 8 / bitsPerPixel;
  return {x / perByte, bitsPerPixel * (x % perByte), static_cast<uint8_t>((1 << bitsPerPixel) - 1)};
}

// Byte index of pixel (x, y) in a plane; -1 when it lies beyond the plane.
long PlaneIndex(const Font* pFont, const CharInfo& ci, const PixelPlace& place, int y) {
  const long index = static_cast<long>(y) * FONT_GetRowBytes(pFont, ci.BoxWidth) + place.Byte;
  return index < static_cast<long>(ci.DataSize) ? index : -1;
}

int PlaneValue(const uint8_t* pPlane, long index, const PixelPlace& place) {
  return (pPlane[index] >> place.Shift) & place.Mask;
}

}  // namespace

void FONT_SetCharSize(Font* pFont, uint16_t code, int width, int height) {
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxWidth = width;
  const long size = height > 0 ? static_cast<long>(height) * FONT_GetRowBytes(pFont, width) : 0;
  ci.pPixels.reset();
  ci.pFrame.reset();
  ci.DataSize = 0;
  if (size <= 0) return;
  ci.pPixels = NewPlane(static_cast<uint32_t>(size));
  if (!ci.pPixels) return;
  if (pFont->Type == FONTTYPE_EXT_FRM) {
    ci.pFrame = NewPlane(static_cast<uint32_t>(size));
    if (!ci.pFrame) {
      ci.pPixels.reset();
      return;
    }
  }
  ci.DataSize = static_cast<uint32_t>(size);
}

int FONT_GetPixel(const Font* pFont, uint16_t code, int x, int y) {
  const CharInfo& ci = pFont->aCharInfo[code];
  if (x < 0 || y < 0 || x >= ci.BoxWidth || y >= ci.BoxHeight || !ci.pPixels) return 0;
  const PixelPlace place = Place(FONT_GetBitsPerPixel(pFont->Type), x);
  const long index = PlaneIndex(pFont, ci, place, y);
  if (index < 0) return 0;
  if (ci.pFrame && PlaneValue(ci.pFrame.get(), index, place)) return -PlaneValue(ci.pFrame.get(), index, place);
  return PlaneValue(ci.pPixels.get(), index, place);
}

void FONT_SetPixel(Font* pFont, uint16_t code, int x, int y, int value) {
  CharInfo& ci = pFont->aCharInfo[code];
  uint8_t* pTarget = value < 0 ? ci.pFrame.get() : ci.pPixels.get();
  if (!pTarget) return;
  const PixelPlace place = Place(FONT_GetBitsPerPixel(pFont->Type), x);
  const long index = PlaneIndex(pFont, ci, place, y);
  if (index < 0) return;
  const int written = value < 0 ? -value : value;
  const uint8_t cleared = static_cast<uint8_t>(~(place.Mask << place.Shift));
  pTarget[index] = static_cast<uint8_t>((pTarget[index] & cleared) | ((written << place.Shift) & 0xFF));
  if (value >= 0 && ci.pFrame) ci.pFrame[index] &= cleared;
}

void FONT_CalcFrame(Font* pFont, uint16_t code) {
  CharInfo& ci = pFont->aCharInfo[code];
  if (pFont->Type != FONTTYPE_EXT_FRM || !ci.pPixels || !ci.pFrame) return;
  auto ink = [&](int x, int y) {
    const PixelPlace place = Place(1, x);
    const long index = PlaneIndex(pFont, ci, place, y);
    return index >= 0 && PlaneValue(ci.pPixels.get(), index, place) != 0;
  };
  auto frame = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= ci.BoxWidth || y >= ci.BoxHeight || ink(x, y)) return;
    const PixelPlace place = Place(1, x);
    const long index = PlaneIndex(pFont, ci, place, y);
    if (index >= 0) ci.pFrame[index] |= static_cast<uint8_t>(1 << place.Shift);
  };
  for (int y = 0; y < ci.BoxHeight; ++y) {
    for (int x = 0; x < ci.BoxWidth; ++x) {
      if (!ink(x, y)) continue;
      frame(x - 1, y);
      frame(x + 1, y);
      frame(x, y - 1);
      frame(x, y + 1);
    }
  }
}

void FONT_RecalcFrame(Font* pFont, uint16_t code) {
  CharInfo& ci = pFont->aCharInfo[code];
  if (pFont->Type != FONTTYPE_EXT_FRM || !ci.pFrame) return;
  std::memset(ci.pFrame.get(), 0, ci.DataSize);
  FONT_CalcFrame(pFont, code);
}

namespace {

void MarkBlockUsed(Font* pFont, uint32_t block) {
  CharBlock& b = pFont->aBlock[block];
  if (b.Used) return;
  b.Used = 1;
  ++pFont->NumUsedBlocks;
}

}  // namespace

void FONT_EnableChar(Font* pFont, uint16_t code, int onoff) {
  pFont->aCharInfo[code].Enabled = onoff != 0;
  if (onoff) MarkBlockUsed(pFont, code >> 4);
}

void FONT_EnableBlock(Font* pFont, uint32_t block, int onoff) {
  if (block >= FONT_NUM_BLOCKS_MAX) return;
  if (onoff) MarkBlockUsed(pFont, block);
  for (uint32_t code = block * 16; code < block * 16 + 16; ++code) pFont->aCharInfo[code].Enabled = onoff != 0;
}

void FONT_EnableRange(Font* pFont, uint32_t first, uint32_t last, int onoff) {
  if (last >= FONT_NUM_CODES) last = FONT_NUM_CODES - 1;
  for (uint32_t code = first; code <= last; ++code) FONT_EnableChar(pFont, static_cast<uint16_t>(code), onoff);
}
