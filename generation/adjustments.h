// Cursor-distance adjustments for fonts generated later: the pending list that
// the edit layer registers entries into, and that each successful create takes
// over whole. A font thus applies exactly the adjustments registered before its
// creation; later ones wait for the next create, and a create that fails leaves
// the list as it was.
#pragma once

#include <cstdint>
#include <vector>

struct CursorDistAdjust {
  int32_t First;  // first code, at least 0
  int32_t Last;   // last code, at most 65535
  int32_t Delta;  // pixels added to the advance
};

// Appends an entry to the pending list.
void GENERATE_AddCursorDistAdjust(const CursorDistAdjust& adjust);
void GENERATE_ClearCursorDistAdjust();
const std::vector<CursorDistAdjust>& GENERATE_GetPendingCursorDistAdjust();
// Hands the pending list over and leaves it empty (a create that succeeds).
std::vector<CursorDistAdjust> GENERATE_TakeCursorDistAdjust();
// The sum of the deltas of the entries whose range holds the code, kept within
// +-GENERATE_ADJUST_LIMIT so that adding it to an advance cannot overflow.
int GENERATE_SumCursorDistAdjust(const std::vector<CursorDistAdjust>& list, uint16_t code);
constexpr int GENERATE_ADJUST_LIMIT = 1 << 20;
