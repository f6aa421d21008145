// Rendering characters on demand through the rasterizer's hook, and the
// measurements that need rendered characters.
#include <cstdio>

#include "model/font.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

FontRenderHook renderHook = nullptr;

}  // namespace

void FONT_SetRenderHook(FontRenderHook hook) { renderHook = hook; }

namespace {

bool Render(Font* pFont, uint16_t code) {
  CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Exists || !renderHook) return false;
  const bool first = !ci.Rendered;
  renderHook(pFont, code);
  ci.Rendered = 1;
  return first;
}

}  // namespace

void FONT_RenderChar(Font* pFont, uint16_t code) {
  if (Render(pFont, code)) SERVICES_Get()->FontChanged(ChangeNotice{code, code, CHANGE_RENDERED});
}

void FONT_RenderPending(Font* pFont) {
  PlatformServices* pServices = SERVICES_Get();
  ChangeNotice disabled{FONT_NUM_CODES, -1, CHANGE_ENABLED};
  ChangeNotice rendered{FONT_NUM_CODES, -1, CHANGE_RENDERED};
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  for (uint32_t code = 0; code < end; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Rendered && ci.Enabled && ci.Exists) {
      if ((code & 0xFF) == 0) {
        char text[40];
        std::snprintf(text, sizeof(text), "Reading character %04X   ", code);
        pServices->SetStatusText(text);
      }
      if (Render(pFont, static_cast<uint16_t>(code))) {
        if (rendered.First > static_cast<int>(code)) rendered.First = static_cast<int>(code);
        rendered.Last = static_cast<int>(code);
      }
    }
    if (ci.BoxWidth == 0) {
      if (ci.Enabled) {
        if (disabled.First > static_cast<int>(code)) disabled.First = static_cast<int>(code);
        disabled.Last = static_cast<int>(code);
      }
      FONT_EnableChar(pFont, static_cast<uint16_t>(code), 0);
    }
  }
  pServices->SetStatusText("Ready");
  // One notice for the whole run, not one per character.
  if (rendered.Last >= 0) pServices->FontChanged(rendered);
  if (disabled.Last >= 0) pServices->FontChanged(disabled);
}

int FONT_MeasureCharHeight(Font* pFont, uint16_t code) {
  if (!pFont->aCharInfo[code].Rendered) FONT_RenderChar(pFont, code);
  const CharInfo& ci = pFont->aCharInfo[code];
  if (FONT_IsExtendedType(pFont->Type)) return ci.BoxHeight;
  const int baseline = pFont->Baseline;
  if (baseline == 0) return 0;
  int y = baseline - 2;
  for (; y >= 0; --y) {
    bool empty = true;
    for (int x = 0; x < ci.BoxWidth && empty; ++x) empty = FONT_GetPixel(pFont, code, x, y) == 0;
    if (empty) break;
  }
  return baseline - y - 1;
}

int FONT_GetLowercaseHeight(Font* pFont, const Settings& settings) {
  return FONT_MeasureCharHeight(pFont, settings.LowercaseChar);
}

int FONT_GetCapitalHeight(Font* pFont, const Settings& settings) {
  return FONT_MeasureCharHeight(pFont, settings.CapitalChar);
}
