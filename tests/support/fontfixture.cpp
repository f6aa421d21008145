#include "support/fontfixture.h"

#include <cstring>
#include <memory>
#include <sstream>

#include "model/codetables.h"

FontPtr NewFont(int32_t type, int32_t encoding, int32_t height) {
  FontPtr f = FONT_Alloc();
  f->Type = type;
  f->Encoding = encoding;
  f->Height = height;
  f->Has16BitCodes = encoding != ENCODING_ISO8859;
  f->NumBlocks = f->Has16BitCodes ? 4096 : 16;
  FONT_AssignAreas(f.get());
  return f;
}

void AddChar(Font* pFont, uint16_t code, int width, int height, const std::function<int(int, int)>& pixel,
             int boxLeft, int boxTop, int cursorDist) {
  FONT_SetCharSize(pFont, code, width, height);
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxHeight = height;
  ci.BoxLeft = boxLeft;
  ci.BoxTop = boxTop;
  ci.CursorDist = cursorDist;
  ci.Exists = ci.Rendered = 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) FONT_SetPixel(pFont, code, x, y, pixel(x, y));
  FONT_EnableChar(pFont, code, 1);
}

namespace {

std::unique_ptr<uint8_t[]> CopyPlane(const std::unique_ptr<uint8_t[]>& plane, uint32_t size) {
  if (!plane) return nullptr;
  auto copy = std::make_unique<uint8_t[]>(size ? size : 1);
  std::memcpy(copy.get(), plane.get(), size);
  return copy;
}

bool SamePlane(const std::unique_ptr<uint8_t[]>& a, const std::unique_ptr<uint8_t[]>& b, uint32_t size) {
  if (!a || !b) return !a && !b;
  return std::memcmp(a.get(), b.get(), size) == 0;
}

}  // namespace

FontPtr CopyFont(const Font* pFont) {
  FontPtr copy = FONT_Alloc();
  copy->Type = pFont->Type;
  copy->Encoding = pFont->Encoding;
  copy->Height = pFont->Height;
  copy->MaxWidth = pFont->MaxWidth;
  copy->Baseline = pFont->Baseline;
  copy->CurrentChar = pFont->CurrentChar;
  copy->Has16BitCodes = pFont->Has16BitCodes;
  copy->NumBlocks = pFont->NumBlocks;
  copy->NumUsedBlocks = pFont->NumUsedBlocks;
  copy->aBlock = pFont->aBlock;
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& from = pFont->aCharInfo[code];
    CharInfo& to = copy->aCharInfo[code];
    to.BoxWidth = from.BoxWidth;
    to.FileRowBytes = from.FileRowBytes;
    to.Enabled = from.Enabled;
    to.Rendered = from.Rendered;
    to.Exists = from.Exists;
    to.DataSize = from.DataSize;
    to.BoxLeft = from.BoxLeft;
    to.BoxTop = from.BoxTop;
    to.CursorDist = from.CursorDist;
    to.BoxHeight = from.BoxHeight;
    to.pPixels = CopyPlane(from.pPixels, from.DataSize);
    to.pFrame = CopyPlane(from.pFrame, from.DataSize);
  }
  return copy;
}

std::string FontDifference(const Font* pA, const Font* pB) {
  std::ostringstream out;
  auto field = [&](const char* name, long a, long b) {
    if (a != b && out.tellp() == 0) out << name << ": " << a << " against " << b;
  };
  field("Height", pA->Height, pB->Height);
  field("MaxWidth", pA->MaxWidth, pB->MaxWidth);
  field("Baseline", pA->Baseline, pB->Baseline);
  field("CurrentChar", pA->CurrentChar, pB->CurrentChar);
  field("NumUsedBlocks", pA->NumUsedBlocks, pB->NumUsedBlocks);
  for (int block = 0; block < FONT_NUM_BLOCKS_MAX && out.tellp() == 0; ++block)
    field(("block " + std::to_string(block) + " Used").c_str(), pA->aBlock[block].Used, pB->aBlock[block].Used);
  for (int code = 0; code < FONT_NUM_CODES && out.tellp() == 0; ++code) {
    const CharInfo& a = pA->aCharInfo[code];
    const CharInfo& b = pB->aCharInfo[code];
    const std::string c = "code " + std::to_string(code) + " ";
    field((c + "BoxWidth").c_str(), a.BoxWidth, b.BoxWidth);
    field((c + "BoxHeight").c_str(), a.BoxHeight, b.BoxHeight);
    field((c + "BoxLeft").c_str(), a.BoxLeft, b.BoxLeft);
    field((c + "BoxTop").c_str(), a.BoxTop, b.BoxTop);
    field((c + "CursorDist").c_str(), a.CursorDist, b.CursorDist);
    field((c + "Enabled").c_str(), a.Enabled, b.Enabled);
    field((c + "Rendered").c_str(), a.Rendered, b.Rendered);
    field((c + "Exists").c_str(), a.Exists, b.Exists);
    field((c + "DataSize").c_str(), a.DataSize, b.DataSize);
    if (out.tellp() == 0 && !SamePlane(a.pPixels, b.pPixels, a.DataSize)) out << c << "pixel plane";
    if (out.tellp() == 0 && !SamePlane(a.pFrame, b.pFrame, a.DataSize)) out << c << "frame plane";
  }
  return out.str();
}
