#include "edit/enable.h"

#include "edit/relayout.h"
#include "model/current.h"
#include "settings/services.h"

void EDIT_ToggleChar() {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  const uint16_t code = FONT_GetCurrentChar(pFont);
  const int state = !FONT_IsCharEnabled(pFont, code);
  EDIT_Journal(state ? "* Character enabled:   0x%X (%d)" : "* Character disabled:  0x%X (%d)", code, code);
  SERVICES_Get()->RedrawViews(VIEW_FONT);
  FONT_EnableChar(pFont, code, state);
}

void EDIT_EnableRange(int first, int last, int state) {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  if (first <= last && last >= 0)
    FONT_EnableRange(pFont, static_cast<uint32_t>(first < 0 ? 0 : first), static_cast<uint32_t>(last), state);
  EDIT_Journal(state ? "* Range enabled:        %04X - %04X" : "* Range disabled:       %04X - %04X", first, last);
  SERVICES_Get()->RedrawViews(VIEW_FONT);
}

void EDIT_EnableBlock(int state) {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  FONT_EnableBlock(pFont, FONT_GetCurrentChar(pFont) >> 4, state);
  SERVICES_Get()->RedrawViews(VIEW_FONT);
}
