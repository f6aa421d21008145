#include "generation/adjustments.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<CursorDistAdjust> pending;

}  // namespace

void GENERATE_AddCursorDistAdjust(const CursorDistAdjust& adjust) { pending.push_back(adjust); }

void GENERATE_ClearCursorDistAdjust() { pending.clear(); }

const std::vector<CursorDistAdjust>& GENERATE_GetPendingCursorDistAdjust() { return pending; }

std::vector<CursorDistAdjust> GENERATE_TakeCursorDistAdjust() { return std::exchange(pending, {}); }

int GENERATE_SumCursorDistAdjust(const std::vector<CursorDistAdjust>& list, uint16_t code) {
  // Entries hold 32-bit deltas; a long list of large ones must not overflow.
  int64_t sum = 0;
  for (const CursorDistAdjust& a : list) {
    if (a.First <= code && code <= a.Last) sum += a.Delta;
    sum = std::clamp<int64_t>(sum, -GENERATE_ADJUST_LIMIT, GENERATE_ADJUST_LIMIT);
  }
  return static_cast<int>(sum);
}
