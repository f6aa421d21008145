// Merging: every character the source holds (a box of non-zero size) replaces the
// target's character of that code; font-wide values of the target stay.
#include "input/merge.h"

#include <cstdio>

#include "model/font.h"

namespace {

int RefuseWith(const char* text, char* pMessage, size_t size) {
  if (pMessage && size) std::snprintf(pMessage, size, "%s", text);
  return 1;
}

}  // namespace

int INPUT_MergeFonts(Font* pTarget, const Font* pSource, char* pMessage, size_t size) {
  if (pTarget->Height != pSource->Height)
    return RefuseWith("Merging fonts does not work with different font sizes!", pMessage, size);
  if (pTarget->Type != pSource->Type)
    return RefuseWith("Merging fonts does not work with different font types!", pMessage, size);
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& src = pSource->aCharInfo[code];
    if (src.BoxWidth == 0 && src.BoxHeight == 0) continue;
    const uint16_t c = static_cast<uint16_t>(code);
    FONT_EnableChar(pTarget, c, 1);
    CharInfo& dst = pTarget->aCharInfo[code];
    const int srcHeight = src.BoxHeight ? src.BoxHeight : pSource->Height;
    const int dstHeight = dst.BoxHeight ? dst.BoxHeight : pTarget->Height;
    if (dst.BoxWidth != src.BoxWidth || dstHeight != srcHeight || !dst.pPixels)
      FONT_SetCharSize(pTarget, c, src.BoxWidth, srcHeight);
    dst.BoxWidth = src.BoxWidth;
    dst.BoxHeight = src.BoxHeight;
    dst.BoxLeft = src.BoxLeft;
    dst.BoxTop = src.BoxTop;
    dst.CursorDist = src.CursorDist;
    dst.Exists = src.Exists;
    dst.Enabled = src.Enabled;
    dst.Rendered = src.Rendered;
    // The pixel accessors read rows below BoxHeight only; a box height of 0 means
    // the font height, so the rows are copied with the height made explicit.
    const int savedHeight = dst.BoxHeight;
    dst.BoxHeight = srcHeight;
    for (int y = 0; y < srcHeight; ++y)
      for (int x = 0; x < src.BoxWidth; ++x) {
        const int value = FONT_GetPixel(pSource, c, x, y);
        // A frame pixel leaves no ink of the target's old character beneath it.
        if (value < 0) FONT_SetPixel(pTarget, c, x, y, 0);
        FONT_SetPixel(pTarget, c, x, y, value);
      }
    dst.BoxHeight = savedHeight;
  }
  return 0;
}
