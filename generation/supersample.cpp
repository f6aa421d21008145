#include "generation/internal/supersample.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr uint8_t kLevelOfCount[17] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr uint8_t kWeightOfLevel[16] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 6, 5, 4, 3, 2, 1, 0};

// The phase masks and the global phase are program-wide; they change only between
// renderings, on the thread that starts them.
struct Phases {
  unsigned xMask = 1, yMask = 15;
  bool globalFound = false;
  int globalPhase = 0;
} phases;

// Each rendering thread fills and evaluates a grid of its own.
struct Scratch {
  uint8_t grid[16][AA_GRID_CELLS][AA_GRID_CELLS] = {};  // [px + 4 py][row][column]
  int sums[16] = {};
  // The cells that the last fill may have written, for clearing.
  unsigned usedPhases = 0;
  int usedW = 0, usedH = 0;
};
thread_local std::unique_ptr<Scratch> pScratch;

Scratch& TheScratch() {
  if (!pScratch) pScratch = std::make_unique<Scratch>();
  return *pScratch;
}

bool Enabled(unsigned mask, int phase) { return mask >> phase & 1; }

void ClearUsed(Scratch& state) {
  for (int p = 0; p < 16; p++) {
    if (!(state.usedPhases >> p & 1)) continue;
    for (int row = 0; row < state.usedH; row++) std::memset(state.grid[p][row], 0, size_t(state.usedW));
  }
  state.usedPhases = 0;
  state.usedW = state.usedH = 0;
}

}  // namespace

void AA_SetPhaseMasks(unsigned xMask, unsigned yMask) {
  phases.xMask = xMask & 15;
  phases.yMask = yMask & 15;
}

void AA_FillCoverage(const Surface* pSurface, int w, int h, int bw, int bh) {
  Scratch& state = TheScratch();
  ClearUsed(state);
  w = std::clamp(w, 0, int(AA_GRID_CELLS));
  h = std::clamp(h, 0, int(AA_GRID_CELLS));
  bw = std::clamp(bw, 0, Surface::kSize);
  bh = pSurface->Grey.empty() ? 0 : std::clamp(bh, 0, Surface::kSize);  // empty: never drawn on, all white
  for (int py = 0; py < 4; py++)
    for (int px = 0; px < 4; px++)
      if (Enabled(phases.yMask, py) && Enabled(phases.xMask, px)) state.usedPhases |= 1u << (px + 4 * py);
  state.usedW = w;
  state.usedH = h;
  // A pixel counts for a phase only when it lies strictly right of and below the
  // phase's origin.
  for (int y = 1; y < bh; y++) {
    const uint8_t* pRow = pSurface->Grey.data() + size_t(y) * Surface::kSize;
    const int pyEnd = std::min(y, 4);
    for (int x = 1; x < bw; x++) {
      if (pRow[x] == 255) continue;
      const int pxEnd = std::min(x, 4);
      for (int py = 0; py < pyEnd; py++) {
        if (!Enabled(phases.yMask, py)) continue;
        const int row = (y - py) >> 2;
        if (row >= h) continue;
        for (int px = 0; px < pxEnd; px++) {
          if (!Enabled(phases.xMask, px)) continue;
          const int col = (x - px) >> 2;
          if (col < w) state.grid[px + 4 * py][row][col]++;
        }
      }
    }
  }
  for (int p = 0; p < 16; p++) {
    if (!(state.usedPhases >> p & 1)) continue;
    for (int row = 0; row < h; row++)
      for (int col = 0; col < w; col++) state.grid[p][row][col] = kLevelOfCount[state.grid[p][row][col]];
  }
}

uint8_t AA_GetCellLevel(int px, int py, int x, int y) {
  const Scratch& state = TheScratch();
  if (x < 0 || y < 0 || x >= state.usedW || y >= state.usedH) return 0;
  return state.grid[(px & 3) + 4 * (py & 3)][y][x];
}

int AA_EvaluatePhases(int w, int h) {
  Scratch& state = TheScratch();
  w = std::clamp(w, 0, int(AA_GRID_CELLS));
  h = std::clamp(h, 0, int(AA_GRID_CELLS));
  int best = -1;
  for (int py = 0; py < 4; py++) {
    if (!Enabled(phases.yMask, py)) continue;
    for (int px = 0; px < 4; px++) {
      if (!Enabled(phases.xMask, px)) continue;
      const int p = px + 4 * py;
      int sum = 0;
      for (int row = 0; row < h; row++)
        for (int col = 0; col < w; col++) sum += kWeightOfLevel[state.grid[p][row][col]];
      state.sums[p] = sum;
      if (best < 0 || sum < state.sums[best]) best = p;
    }
  }
  return best < 0 ? 0 : best;
}

int AA_GetPhaseSum(int px, int py) { return TheScratch().sums[(px & 3) + 4 * (py & 3)]; }

bool AA_GlobalPhaseFound() { return phases.globalFound; }
int AA_GetGlobalPhase() { return phases.globalPhase; }

void AA_SetGlobalPhase(int phase) {
  phases.globalPhase = phase & 3;
  phases.globalFound = true;
}
