// Costs of the font model: an empty font with its 65536 records (target: a few
// MB at most), building the lookup tables at start-up (target: well under 20 ms),
// and pixel access on a CJK-sized font.
#include <benchmark/benchmark.h>

#include "model/codetables.h"
#include "model/font.h"

namespace {

// Start-up builds the tables once, into untouched memory: the first run counts.
void BM_InitCodeTablesCold(benchmark::State& state) {
  for (auto _ : state) {
    SJIS_Init();
    UNICODE_Init();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_InitCodeTablesCold)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AllocEmptyFont(benchmark::State& state) {
  for (auto _ : state) {
    FontPtr font = FONT_Alloc();
    benchmark::DoNotOptimize(font.get());
  }
  state.counters["FontBytes"] = sizeof(Font);
  state.counters["CharInfoBytes"] = sizeof(CharInfo);
}
BENCHMARK(BM_AllocEmptyFont)->Unit(benchmark::kMillisecond);

void BM_InitCodeTables(benchmark::State& state) {
  for (auto _ : state) {
    SJIS_Init();
    UNICODE_Init();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_InitCodeTables)->Unit(benchmark::kMillisecond);

void BM_AssignAreas(benchmark::State& state) {
  FontPtr font = FONT_Alloc();
  font->Has16BitCodes = 1;
  font->NumBlocks = FONT_NUM_BLOCKS_MAX;
  for (auto _ : state) {
    FONT_AssignAreas(font.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AssignAreas)->Unit(benchmark::kMicrosecond);

// 20,000 characters of 24 x 24 pixels, AA4: sizing, writing and reading every pixel.
void BM_FillCjkFont(benchmark::State& state) {
  constexpr int kChars = 20000, kSize = 24;
  for (auto _ : state) {
    FontPtr font = FONT_Alloc();
    font->Type = FONTTYPE_AA4;
    long sum = 0;
    for (int code = 0x4E00; code < 0x4E00 + kChars; ++code) {
      const uint16_t c = static_cast<uint16_t>(code);
      FONT_SetCharSize(font.get(), c, kSize, kSize);
      font->aCharInfo[c].BoxHeight = kSize;
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) FONT_SetPixel(font.get(), c, x, y, (x + y) & 15);
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) sum += FONT_GetPixel(font.get(), c, x, y);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kChars);
}
BENCHMARK(BM_FillCjkFont)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
