#include "edit/cursoradjust.h"

#include <algorithm>
#include <cstdio>

#include "settings/journal.h"

namespace {

struct Entry {
  CursorDistAdjust Adjust;
  uint64_t Number;  // registration number within the run
};

std::vector<Entry> entries;
uint64_t registrations = 0;

void Register(const char* pVerb, int first, int last, int count, int delta) {
  char line[JOURNAL_LINE_SIZE + 64];
  std::snprintf(line, sizeof line, "* Edit/Cursor Distance/%s by %d for range 0x%.4X-0x%.4X", pVerb,
                count, unsigned(first), unsigned(last));
  JOURNAL_FormatLine(line, sizeof line);
  JOURNAL_Add(line);
  entries.push_back({{std::max(first, 0), std::min(last, 65535), delta}, registrations++});
}

int Sum(const CursorDistAdjust& a, int code) { return a.First <= code && code <= a.Last ? a.Delta : 0; }

}  // namespace

void EDIT_IncCursorDistRange(Font*, int first, int last, int count) {
  Register("Increase", first, last, count, count);
}

void EDIT_DecCursorDistRange(Font*, int first, int last, int count) {
  Register("Decrease", first, last, count, -count);
}

int EDIT_GetCursorDistAdjust(uint16_t code) {
  int sum = 0;
  for (const Entry& e : entries) sum += Sum(e.Adjust, code);
  return sum;
}

void EDIT_ClearCursorDistAdjust() { entries.clear(); }

CursorDistAdjustments EDIT_TakeCursorDistAdjust() {
  CursorDistAdjustments taken;
  for (const Entry& e : entries) taken.Before.push_back(e.Adjust);
  taken.FirstLater = registrations;
  return taken;
}

int EDIT_GetCursorDistAdjustFor(const CursorDistAdjustments& adjustments, uint16_t code) {
  int sum = 0;
  for (const CursorDistAdjust& a : adjustments.Before) sum += Sum(a, code);
  for (const Entry& e : entries)
    if (e.Number >= adjustments.FirstLater) sum += Sum(e.Adjust, code);
  return sum;
}
