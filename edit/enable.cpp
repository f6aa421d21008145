#include "edit/enable.h"

#include <algorithm>

#include "edit/internal/relayout.h"
#include "model/current.h"
#include "settings/journal.h"
#include "settings/services.h"

void EDIT_EnableChars(Font* pFont, int64_t first, int64_t last, int state) {
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, FONT_NUM_CODES - 1);
  if (first > last) return;
  FONT_EnableRange(pFont, static_cast<uint32_t>(first), static_cast<uint32_t>(last), state);
  EDIT_Notify(static_cast<int>(first), static_cast<int>(last), CHANGE_ENABLED);
}

void EDIT_ToggleChar() {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  const uint16_t code = FONT_GetCurrentChar(pFont);
  const int state = !FONT_IsCharEnabled(pFont, code);
  JOURNAL_AddLine(state ? "* Character enabled:   0x%X (%d)" : "* Character disabled:  0x%X (%d)", code, code);
  EDIT_EnableChars(pFont, code, code, state);
}

void EDIT_EnableRange(int first, int last, int state) {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  EDIT_EnableChars(pFont, first, last, state);
  JOURNAL_AddLine(state ? "* Range enabled:        %04X - %04X" : "* Range disabled:       %04X - %04X", first, last);
}

void EDIT_EnableBlock(int state) {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) return;
  const int first = FONT_GetCurrentChar(pFont) & ~0xF;
  EDIT_EnableChars(pFont, first, first + 15, state);
}
