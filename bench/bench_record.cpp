// Memory of one edit record on a large font: IPAGothic at 24 pixels, EXT_AA4,
// every character rendered. Three edits, each recorded, taken back and done again:
//  - the font height command INS,TOP (font-wide values only in an extended font);
//  - a row inserted at the top of every character (-editINST,0-FFFF,1);
//  - one pixel set.
// Prints, for each, the bytes the record holds after the edit against the bytes
// of the font's planes, the characters it keeps, and the time of the edit with
// its record and of one swap.
//   bench_record [face] [height]      (default: IPAGothic 24)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "edit/edit.h"
#include "edit/fontedit.h"
#include "edit/record.h"
#include "benchfont.h"
#include "model/font.h"
#include "settings/journal.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

size_t PlaneBytes(const Font* pFont) {
  size_t bytes = 0;
  for (const CharInfo& ci : pFont->aCharInfo) bytes += (ci.pPixels ? ci.DataSize : 0) + (ci.pFrame ? ci.DataSize : 0);
  return bytes;
}

void Measure(const char* pName, Font* pFont, const EditScope& scope, const std::function<void()>& edit) {
  EditRecord record;
  const Clock::time_point start = Clock::now();
  if (EDIT_RecordBegin(&record, pFont, scope)) {
    std::printf("%-34s  memory short\n", pName);
    return;
  }
  edit();
  EDIT_RecordEnd(&record, pFont);
  const double editMs = Milliseconds(start);
  const Clock::time_point swapStart = Clock::now();
  EDIT_RecordSwap(&record, pFont);  // undo
  const double swapMs = Milliseconds(swapStart);
  EDIT_RecordSwap(&record, pFont);  // redo
  std::printf("%-34s %12zu bytes %7zu characters %9.1f ms %7.2f ms\n", pName, EDIT_RecordMemory(record),
              record.aChar.size(), editMs, swapMs);
}

}  // namespace

int main(int argc, char** argv) {
  const char* pFace = argc > 1 ? argv[1] : "IPAGothic";
  const int height = argc > 2 ? std::atoi(argv[2]) : 24;
  FontPtr font = BENCH_CreateFont(argc, argv, "bench_record");
  if (!font) return 1;
  Font* pFont = font.get();
  FONT_RenderPending(pFont);
  int enabled = 0;
  for (const CharInfo& ci : pFont->aCharInfo) enabled += ci.Enabled;
  std::printf("%s %d px EXT_AA4: %d characters, %zu bytes of planes\n", pFace, height, enabled, PlaneBytes(pFont));
  std::printf("%-34s %18s %18s %12s %10s\n", "edit", "record", "kept", "edit+record", "swap");

  Measure("font height INS,TOP", pFont, EDIT_ScopeFontHeight(pFont), [&] { EDIT_IncFontTop(pFont); });
  Measure("top row of every character", pFont, EDIT_ScopeRangeEdit(pFont, 0, 0xFFFF, true),
          [&] { EDIT_InsertRange(pFont, 0, 0xFFFF, 1, EDIT_SIDE_TOP); });
  FONT_SetCurrentChar(pFont, 0x3042);
  Measure("one pixel of U+3042", pFont, EDIT_ScopeChar(0x3042), [&] {
    JOURNAL_AddLine("* Pixel index of character 0x%X (%d) at %d/%d set to %d", 0x3042, 0x3042, 1, 1, 15);
    EDIT_SetPixel(pFont, 0x3042, 1, 1, 15);
  });
  return 0;
}
