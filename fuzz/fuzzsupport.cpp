#include "fuzz/fuzzsupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "input/merge.h"
#include "model/font.h"

#include "model/codetables.h"
#include "settings/journal.h"
#include "settings/services.h"

namespace {

class SilentServices : public PlatformServices {
 public:
  void MessageBox(const char*) override {}
  bool AskYesNo(const char*) override { return false; }
  int AskXbfType(int) override { return -1; }
  void SetStatusText(const char*) override {}
  void SetWaitCursor(bool) override {}
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}
};

SilentServices silent;

}  // namespace

void FUZZ_Init() {
  static bool done = false;
  if (!done) {
    // Settings from a folder without a settings file: the defaults.
    setenv("XDG_CONFIG_HOME", "/nonexistent/morvane-fuzz", 1);
    SJIS_Init();
    UNICODE_Init();
    SERVICES_Install(&silent);
    done = true;
  }
  JOURNAL_Clear();
}

std::string FUZZ_Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

namespace {

void Fail(const char* what, long code) {
  std::fprintf(stderr, "fuzz: %s (character %lX)\n", what, code);
  std::abort();
}

// Bytes of the planes the font's enabled characters hold or stand for.
uint64_t PlaneBytes(const Font* pFont) {
  uint64_t total = 0;
  const uint64_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Enabled) continue;
    if (ci.BoxWidth < 0 || ci.BoxHeight < 0) Fail("negative box", code);
    const uint64_t need = uint64_t(ci.BoxHeight) * uint64_t(FONT_GetRowBytes(pFont, ci.BoxWidth));
    if (need > ci.DataSize) Fail("planes smaller than the box", code);
    if ((ci.DataSize != 0) != (ci.pPixels != nullptr)) Fail("plane size without a plane", code);
    const uint64_t rows = ci.BoxHeight > 0 ? uint64_t(ci.BoxHeight) : uint64_t(std::max(pFont->Height, 1));
    total += planes * std::max<uint64_t>(rows * uint64_t(FONT_GetRowBytes(pFont, ci.BoxWidth)), ci.DataSize);
  }
  return total;
}

}  // namespace

void FUZZ_CheckFont(const Font* pFont, size_t size) {
  if (!pFont) return;
  const uint64_t bound = 4 * uint64_t(size) + (uint64_t(1) << 20);
  if (PlaneBytes(pFont) > bound) Fail("planes out of proportion to the input", -1);
  // One target font for every input (a Font is large): the codes the merge
  // touched are emptied again afterwards.
  static FontPtr pTarget = FONT_Alloc();
  if (!pTarget) return;
  pTarget->Type = pFont->Type;
  pTarget->Height = pFont->Height;
  pTarget->NumBlocks = FONT_NUM_BLOCKS_MAX;
  pTarget->Has16BitCodes = 1;
  if (INPUT_MergeFonts(pTarget.get(), pFont, nullptr, 0) != 0) Fail("merge into a font of the same type and height refused", -1);
  if (PlaneBytes(pTarget.get()) > bound) Fail("merged planes out of proportion to the input", -1);
  for (CharInfo& ci : pTarget->aCharInfo) {
    if (ci.BoxWidth || ci.BoxHeight || ci.Enabled || ci.DataSize) ci = CharInfo();
  }
  for (CharBlock& block : pTarget->aBlock) block.Used = 0;
  pTarget->NumUsedBlocks = 0;
}
