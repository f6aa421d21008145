#include "edit/cursoradjust.h"

#include <algorithm>

#include "generation/adjustments.h"
#include "settings/journal.h"

namespace {

void Register(const char* pVerb, int first, int last, int count, int64_t delta) {
  JOURNAL_AddLine("* Edit/Cursor Distance/%s by %d for range 0x%.4X-0x%.4X", pVerb, count, unsigned(first),
               unsigned(last));
  // -count of the most negative count does not fit: keep the delta in 32 bits.
  const int32_t kept = static_cast<int32_t>(std::clamp<int64_t>(delta, INT32_MIN + 1, INT32_MAX));
  GENERATE_AddCursorDistAdjust({std::max(first, 0), std::min(last, 65535), kept});
}

}  // namespace

void EDIT_IncCursorDistRange(Font*, int first, int last, int count) {
  Register("Increase", first, last, count, count);
}

void EDIT_DecCursorDistRange(Font*, int first, int last, int count) {
  Register("Decrease", first, last, count, -static_cast<int64_t>(count));
}

int EDIT_GetCursorDistAdjust(uint16_t code) {
  return GENERATE_SumCursorDistAdjust(GENERATE_GetPendingCursorDistAdjust(), code);
}

void EDIT_ClearCursorDistAdjust() { GENERATE_ClearCursorDistAdjust(); }
