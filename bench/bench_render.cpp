// Renders every character of a font through the generator and, in the same run,
// the same glyphs with FreeType alone (no surface, no records): the lower bound.
//   bench_render [face] [height]      (default: IPAGothic 24)
// Prints the time per pass of each, their ratio and the peak memory.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "generation/antialias.h"
#include "generation/fontengine.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/font.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPasses = 3;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

LogFontRecord Record(const char* pFace, int height) {
  LogFontRecord record{};
  record.Height = height;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);
  return record;
}

// One pass of the generator over every existing character; gives the codes.
double RenderAll(const LogFontRecord& record, int type, std::vector<uint16_t>* pCodes) {
  FontPtr font = FONT_CreateFromLogFont(&record, type, 0, 0);
  if (!font) {
    std::fprintf(stderr, "cannot create the font\n");
    std::exit(1);
  }
  pCodes->clear();
  for (int c = 0; c < 65536; c++)
    if (FONT_CharExists(font.get(), uint16_t(c))) pCodes->push_back(uint16_t(c));
  const Clock::time_point start = Clock::now();
  for (uint16_t c : *pCodes) FONT_RenderChar(font.get(), c);
  return Seconds(start);
}

// One pass of FreeType alone over the same codes, at the same scale.
double RawPass(FT_Face face, const std::vector<uint16_t>& codes, FT_Int32 flags) {
  const Clock::time_point start = Clock::now();
  for (uint16_t c : codes) FT_Load_Char(face, c, flags);
  return Seconds(start);
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  const char* pFace = argc > 1 ? argv[1] : "IPAGothic";
  const int height = argc > 2 ? std::atoi(argv[2]) : 24;
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  const LogFontRecord record = Record(pFace, height);

  EngineFontRequest request;
  request.pFaceName = pFace;
  request.Height = height;
  EngineFontPtr engineFont = ENGINE_OpenFont(request);
  EngineFaceInfo info{};
  if (engineFont) ENGINE_GetFaceInfo(engineFont.get(), &info);
  FT_Library library;
  FT_Face face;
  if (!engineFont || FT_Init_FreeType(&library) || FT_New_Face(library, info.File.c_str(), info.Index, &face)) {
    std::fprintf(stderr, "cannot open %s\n", pFace);
    return 1;
  }
  FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(info.Ppem * 64)), 72, 72);
  std::printf("%s (%s) at %d pixels\n", pFace, info.File.c_str(), height);

  struct Case {
    const char* pName;
    int type;
    FT_Int32 rawFlags;
    const char* pRawName;
  };
  const Case cases[] = {
      {"STD", 0, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO | FT_LOAD_RENDER, "FreeType mono"},
      {"EXT_AA4", 6, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL | FT_LOAD_RENDER, "FreeType grey"},
  };
  for (const Case& c : cases) {
    std::vector<uint16_t> codes;
    double ours = 1e9, raw = 1e9;
    for (int pass = 0; pass < kPasses; pass++) {
      ours = std::min(ours, RenderAll(record, c.type, &codes));
      raw = std::min(raw, RawPass(face, codes, c.rawFlags));
    }
    const double ratio = ours / raw;
    std::printf("%-8s %6zu characters: %8.1f ms   %-14s %8.1f ms   ratio %.2f%s\n", c.pName, codes.size(),
                ours * 1e3, c.pRawName, raw * 1e3, ratio, ratio > 1.5 ? "   (above the 1.5 target)" : "");
  }
  const long peak = PeakMegabytes();
  std::printf("peak memory %ld MB%s\n", peak, peak >= 100 ? "   (above the 100 MB target)" : "");
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 0;
}
