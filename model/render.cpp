// Rendering characters on demand through the rasterizer's hook, and the
// measurements that need rendered characters.
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/font.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

FontRenderHook renderHook = nullptr;
FontRenderManyHook renderManyHook = nullptr;
FontRenderPrepareHook renderPrepareHook = nullptr;

// Renders those of the codes (existing, ascending) that are not rendered yet and
// marks them rendered; gives the first and the last of them as a notice.
ChangeNotice RenderMany(Font* pFont, std::vector<uint16_t> codes) {
  std::erase_if(codes, [pFont](uint16_t code) { return pFont->aCharInfo[code].Rendered != 0; });
  if (codes.empty() || !renderHook) return ChangeNotice{FONT_NUM_CODES, -1, CHANGE_RENDERED};
  if (renderManyHook && codes.size() > 1)
    renderManyHook(pFont, codes.data(), codes.size());
  else
    for (uint16_t code : codes) renderHook(pFont, code);
  for (uint16_t code : codes) pFont->aCharInfo[code].Rendered = 1;
  return ChangeNotice{codes.front(), codes.back(), CHANGE_RENDERED};
}

}  // namespace

void FONT_SetRenderHook(FontRenderHook hook, FontRenderManyHook manyHook, FontRenderPrepareHook prepareHook) {
  renderHook = hook;
  renderManyHook = manyHook;
  renderPrepareHook = prepareHook;
}

void FONT_RenderCodes(Font* pFont, const uint16_t* pCodes, size_t count) {
  std::vector<uint16_t> codes;
  for (size_t i = 0; i < count; ++i) {
    const CharInfo& ci = pFont->aCharInfo[pCodes[i]];
    if (ci.Exists && !ci.Rendered) codes.push_back(pCodes[i]);
  }
  const ChangeNotice rendered = RenderMany(pFont, std::move(codes));
  if (rendered.Last >= 0) SERVICES_Get()->FontChanged(rendered);
}

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

namespace {

bool IsPending(const CharInfo& ci) { return !ci.Rendered && ci.Enabled && ci.Exists; }

// What follows the rendering of the pending characters: every character of width 0
// is disabled, "Ready" is shown and the changes are announced, once for the run.
void EndPending(Font* pFont, const ChangeNotice& rendered) {
  PlatformServices* pServices = SERVICES_Get();
  ChangeNotice disabled{FONT_NUM_CODES, -1, CHANGE_ENABLED};
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
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
  if (rendered.Last >= 0) pServices->FontChanged(rendered);
  if (disabled.Last >= 0) pServices->FontChanged(disabled);
}

}  // namespace

void FONT_RenderPending(Font* pFont) {
  PlatformServices* pServices = SERVICES_Get();
  ChangeNotice rendered{FONT_NUM_CODES, -1, CHANGE_RENDERED};
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  // The pending characters, rendered together in groups of a few thousand (each
  // rendering waits for its slowest thread). A group starts at a code that
  // starts a group of 256; the phase text of such a code is shown before the code
  // is rendered, and never while a group renders (a text may let the window paint,
  // which renders the characters it shows).
  constexpr size_t kMinGroup = 2048;
  std::vector<uint16_t> group;
  const auto renderGroup = [&] {
    const ChangeNotice done = RenderMany(pFont, std::exchange(group, {}));
    if (done.Last < 0) return;
    rendered.First = std::min(rendered.First, done.First);
    rendered.Last = done.Last;
  };
  for (uint32_t code = 0; code < end; ++code) {
    if (!IsPending(pFont->aCharInfo[code])) continue;
    if ((code & 0xFF) == 0) {
      if (group.size() >= kMinGroup) renderGroup();
      char text[40];
      std::snprintf(text, sizeof(text), "Reading character %04X   ", code);
      pServices->SetStatusText(text);
    }
    group.push_back(static_cast<uint16_t>(code));
  }
  renderGroup();
  EndPending(pFont, rendered);
}

bool FONT_PrepareWorkerRendering(Font* pFont, ChangeNotice* pPending) {
  *pPending = ChangeNotice{FONT_NUM_CODES, -1, CHANGE_RENDERED};
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  for (uint32_t code = 0; code < end; ++code) {
    if (!IsPending(pFont->aCharInfo[code])) continue;
    pPending->First = std::min(pPending->First, static_cast<int>(code));
    pPending->Last = static_cast<int>(code);
  }
  if (!renderHook) *pPending = ChangeNotice{FONT_NUM_CODES, -1, CHANGE_RENDERED};  // nothing renders
  if (pPending->Last < 0) return true;
  return renderManyHook && renderPrepareHook && renderPrepareHook(pFont);
}

void FONT_RenderOnWorker(Font* pFont, const uint16_t* pCodes, size_t count) {
  std::vector<uint16_t> codes;
  for (size_t i = 0; i < count; ++i) {
    const CharInfo& ci = pFont->aCharInfo[pCodes[i]];
    if (ci.Exists && !ci.Rendered) codes.push_back(pCodes[i]);
  }
  if (codes.empty() || !renderHook || !renderManyHook) return;
  renderManyHook(pFont, codes.data(), codes.size());
  for (uint16_t code : codes) pFont->aCharInfo[code].Rendered = 1;
}

void FONT_EndWorkerRendering(Font* pFont, const ChangeNotice& pending) { EndPending(pFont, pending); }

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
