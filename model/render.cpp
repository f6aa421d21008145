// Rendering characters on demand through the rasterizer's hook, and the
// measurements that need rendered characters.
#include <cstdio>
#include <vector>

#include "model/font.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

FontRenderHook renderHook = nullptr;
FontRenderManyHook renderManyHook = nullptr;

// Renders the codes (existing, unrendered, ascending) and marks them rendered.
void RenderMany(Font* pFont, const std::vector<uint16_t>& codes) {
  if (codes.empty() || !renderHook) return;
  if (renderManyHook && codes.size() > 1)
    renderManyHook(pFont, codes.data(), codes.size());
  else
    for (uint16_t code : codes) renderHook(pFont, code);
  for (uint16_t code : codes) pFont->aCharInfo[code].Rendered = 1;
}

}  // namespace

void FONT_SetRenderHook(FontRenderHook hook, FontRenderManyHook manyHook) {
  renderHook = hook;
  renderManyHook = manyHook;
}

void FONT_RenderCodes(Font* pFont, const uint16_t* pCodes, size_t count) {
  std::vector<uint16_t> codes;
  for (size_t i = 0; i < count; ++i) {
    const CharInfo& ci = pFont->aCharInfo[pCodes[i]];
    if (ci.Exists && !ci.Rendered) codes.push_back(pCodes[i]);
  }
  RenderMany(pFont, codes);
}

void FONT_RenderChar(Font* pFont, uint16_t code) {
  CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Exists || !renderHook) return;
  renderHook(pFont, code);
  ci.Rendered = 1;
}

void FONT_RenderPending(Font* pFont) {
  PlatformServices* pServices = SERVICES_Get();
  ChangeNotice disabled{FONT_NUM_CODES, -1, CHANGE_ENABLED};
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  // The pending characters, rendered together up to each one that starts a group
  // of 256 codes, whose phase text comes first.
  std::vector<uint16_t> group;
  for (uint32_t code = 0; code < end; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (ci.Rendered || !ci.Enabled || !ci.Exists) continue;
    if ((code & 0xFF) == 0) {
      RenderMany(pFont, group);
      group.clear();
      char text[40];
      std::snprintf(text, sizeof(text), "Reading character %04X   ", code);
      pServices->SetStatusText(text);
    }
    group.push_back(static_cast<uint16_t>(code));
  }
  RenderMany(pFont, group);
  for (uint32_t code = 0; code < end; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (ci.BoxWidth == 0) {
      if (ci.Enabled) {
        if (disabled.First > static_cast<int>(code)) disabled.First = static_cast<int>(code);
        disabled.Last = static_cast<int>(code);
      }
      FONT_EnableChar(pFont, static_cast<uint16_t>(code), 0);
    }
  }
  pServices->SetStatusText("Ready");
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
