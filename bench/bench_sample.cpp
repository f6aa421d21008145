// What the font chooser does on each change of face, style, size or script: the
// sample line (a font created and only the sample's characters rendered) and the
// lists of families, styles and scripts.
//   bench_sample [face] [height]      (default: IPAGothic 24)
// Prints the time per call of each, for a standard and an extended
// antialiased sample, and the time to render the whole font for comparison.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "generation/antialias.h"
#include "generation/facelist.h"
#include "generation/generate.h"
#include "model/font.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Runs 'work' a few times and gives the fastest call.
template <class Work>
double Fastest(Work work) {
  double best = 1e30;
  for (int i = 0; i < 5; i++) {
    const Clock::time_point start = Clock::now();
    work();
    best = std::min(best, Milliseconds(start));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const char* pFace = argc > 1 ? argv[1] : "IPAGothic";
  const int height = argc > 2 ? std::atoi(argv[2]) : 24;
  AA_InitGammaTables();
  LogFontRecord record{};
  record.Height = height;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);

  std::printf("families list:          %8.2f ms\n", Fastest([] { ENGINE_ListFamilies(); }));
  std::printf("styles list:            %8.2f ms\n", Fastest([&] { ENGINE_ListStyles(pFace); }));
  std::printf("scripts list:           %8.2f ms\n", Fastest([&] { ENGINE_ListScripts(pFace); }));
  for (int type : {FONTTYPE_STD, FONTTYPE_EXT_AA2}) {
    FontSample sample;
    const double ms = Fastest([&] {
      if (GENERATE_RenderSample(&record, type, ENCODING_UC16, AAMETHOD_OS, &sample)) {
        std::fprintf(stderr, "no sample of %s\n", pFace);
        std::exit(1);
      }
    });
    std::printf("sample, type %d:         %8.2f ms  (%zu characters, %d x %d pixels)\n", type, ms,
                sample.Glyphs.size(), sample.Width, sample.Height);
  }
  // For comparison: what rendering the whole font would cost.
  const Clock::time_point start = Clock::now();
  FontPtr font = FONT_CreateFromLogFont(&record, FONTTYPE_EXT_AA2, ENCODING_UC16, AAMETHOD_OS);
  if (!font) return 1;
  int count = 0;
  for (int c = 0; c < FONT_NUM_CODES; c++)
    if (FONT_CharExists(font.get(), uint16_t(c))) {
      FONT_RenderChar(font.get(), uint16_t(c));
      count++;
    }
  std::printf("whole font, type 5:     %8.2f ms  (%d characters)\n", Milliseconds(start), count);
  return 0;
}
