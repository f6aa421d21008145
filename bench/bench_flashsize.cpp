// The size-in-flash figures on a large font: IPAGothic at 24 pixels, EXT_AA4, every
// character of its map enabled. Times a full count, a one-character update after an
// edit and the look for characters rendered meanwhile, first with nothing rendered
// (the figure is then an estimate) and again with everything rendered; prints the
// figures and the memory the tally keeps.
//   bench_flashsize [face] [height]      (default: IPAGothic 24)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "benchfont.h"
#include "model/font.h"
#include "output/flashsize.h"
#include "settings/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best time of 'runs' calls of f, in microseconds.
template <typename F>
double BestMicros(int runs, F f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return best;
}

void Measure(const char* pWhat, Font* pFont, const Settings& settings) {
  FlashSizeTally tally;
  FlashSize size;
  const double full = BestMicros(20, [&] {
    OUT_RebuildFlashSize(&tally, pFont, settings);
    OUT_GetFlashSize(tally, pFont, &size);
  });
  const double one = BestMicros(200, [&] {
    OUT_UpdateFlashSize(&tally, pFont, settings, 0x4E00, 0x4E00);
    OUT_GetFlashSize(tally, pFont, &size);
  });
  const double unknown = BestMicros(20, [&] {
    OUT_UpdateFlashSizeUnknown(&tally, pFont, settings);
    OUT_GetFlashSize(tally, pFont, &size);
  });
  std::printf("%s: %u characters, %u not rendered; pixel data %s%llu bytes, XBF %s%llu bytes\n", pWhat,
              size.NumChars, size.NumUnknown, size.NumUnknown ? "~" : "", (unsigned long long)size.PixelBytes,
              size.NumUnknown ? "~" : "", (unsigned long long)size.XbfBytes);
  std::printf("  full count %.0f us, one character %.2f us, rendered-meanwhile check %.0f us\n", full, one,
              unknown);
}

}  // namespace

int main(int argc, char** argv) {
  FontPtr pFont = BENCH_CreateFont(argc, argv, "bench_flashsize");
  if (!pFont) return 1;
  Settings settings;  // no magnification
  Measure("none rendered", pFont.get(), settings);
  const Clock::time_point start = Clock::now();
  FONT_RenderPending(pFont.get());
  std::printf("  (rendering every character took %.2f s)\n",
              std::chrono::duration<double>(Clock::now() - start).count());
  Measure("all rendered", pFont.get(), settings);
  const size_t tallyBytes = FONT_NUM_CODES * (2 * sizeof(uint32_t) + sizeof(uint8_t));
  std::printf("tally memory: %zu KB\n", tallyBytes / 1024);
  return 0;
}
