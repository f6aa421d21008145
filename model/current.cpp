#include "model/current.h"

#include <utility>

namespace {
FontPtr currentFont;
}  // namespace

Font* FONT_GetCurrent() { return currentFont.get(); }

void FONT_SetCurrent(FontPtr pFont) {
  FontPtr previous = std::exchange(currentFont, std::move(pFont));
  FONT_Delete(std::move(previous));
}
