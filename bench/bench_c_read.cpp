// Reading a CJK-sized C font back: 20,902 characters (U+4E00..U+9FA5) of a
// 24 x 24 EXT_AA4 font, about 13 MB of C source, parsed from memory, next to
// writing the same file. Target: reading takes at most as long as writing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "input/c_read.h"
#include "model/codetables.h"
#include "model/font.h"
#include "output/save.h"
#include "settings/files.h"

namespace {

const std::string& Folder() {
  static const std::string dir = [] {
    char name[] = "/tmp/bench_c_read_XXXXXX";
    const char* made = mkdtemp(name);
    std::string path = made ? made : "/tmp";
    setenv("XDG_CONFIG_HOME", (path + "/config").c_str(), 1);
    return path;
  }();
  return dir;
}

FontPtr CjkFont() {
  UNICODE_Init();
  SJIS_Init();
  FontPtr f = FONT_Alloc();
  f->Type = FONTTYPE_EXT_AA4;
  f->Height = 24;
  f->Baseline = 21;
  f->Has16BitCodes = 1;
  f->NumBlocks = FONT_NUM_BLOCKS_MAX;
  FONT_AssignAreas(f.get());
  for (unsigned c = 0x4E00; c <= 0x9FA5; ++c) {
    const uint16_t code = uint16_t(c);
    FONT_SetCharSize(f.get(), code, 24, 24);
    CharInfo& ci = f->aCharInfo[code];
    ci.BoxHeight = 24;
    ci.BoxTop = 21;
    ci.CursorDist = 24;
    ci.Exists = ci.Rendered = 1;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) FONT_SetPixel(f.get(), code, x, y, int(c + x * 3 + y * 5) % 16);
    FONT_EnableChar(f.get(), code, 1);
  }
  return f;
}

Font* SavedFont() {
  static FontPtr font = CjkFont();
  return font.get();
}

std::string SaveToFolder(Font* pFont) {
  const std::string path = Folder() + "/cjk.c";
  FONT_SetFileName(pFont, path.c_str());
  OUT_Save(pFont, OUT_FORMAT_C, 0);
  std::string text;
  FILES_ReadAll(path, &text);
  return text;
}

void BM_WriteCjkC(benchmark::State& state) {
  Font* pFont = SavedFont();
  size_t bytes = 0;
  for (auto _ : state) bytes = SaveToFolder(pFont).size();
  state.counters["FileMB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_WriteCjkC)->Unit(benchmark::kMillisecond);

void BM_ReadCjkC(benchmark::State& state) {
  const std::string text = SaveToFolder(SavedFont());
  for (auto _ : state) {
    FontPtr read = INPUT_ParseC(text);
    if (!read) state.SkipWithError("the file did not read back");
    benchmark::DoNotOptimize(read.get());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ReadCjkC)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
