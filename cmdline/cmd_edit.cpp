// -editACTION,DETAIL[,CNT] and -editACTION,FIRST[-LAST],VALUE: font height, cursor
// distance and pixel edits of the current font.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "edit/cursoradjust.h"
#include "edit/fontedit.h"
#include "model/font.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

enum Action {
  ACTION_DEL = 1, ACTION_INS, ACTION_CINC, ACTION_CDEC, ACTION_SHIFTH, ACTION_SHIFTV, ACTION_MOVEH, ACTION_MOVEV,
  ACTION_INST, ACTION_INSB, ACTION_INSL, ACTION_INSR, ACTION_DELT, ACTION_DELB, ACTION_DELL, ACTION_DELR,
};
const char* const kActions[] = {"DEL",  "INS",  "CINC", "CDEC", "SHIFTH", "SHIFTV", "MOVEH", "MOVEV", "INST",
                                "INSB", "INSL", "INSR", "DELT", "DELB",   "DELL",   "DELR",  nullptr};
const char* const kDetails[] = {"TOP", "BOTTOM", nullptr};

void ReportCount() { ReportMessage("Illegal edit commandline parameter <CNT>. Needs to be >0"); }

// What the font files can hold: heights, widths, rows and advances are 16-bit
// sizes, box positions 16-bit signed values. A count or value that would take the
// font or a character outside them is refused before anything is changed.
constexpr int64_t kMaxSize = 0xFFFF;
constexpr int64_t kMinPos = -0x8000;
constexpr int64_t kMaxPos = 0x7FFF;

bool IsSize(int64_t v) { return v >= 0 && v <= kMaxSize; }
bool IsPos(int64_t v) { return v >= kMinPos && v <= kMaxPos; }

// The codes a range operation visits and how often each: first..last within
// 0..FFFF, where a code beyond the font's code space stands for code 0.
struct RangeVisits {
  int32_t First = 0, Last = -1;  // the codes inside the code space
  int64_t ExtraZero = 0;         // further visits of code 0
  int64_t Count() const { return (Last >= First ? Last - First + 1 : 0) + ExtraZero; }
  int64_t Times(int32_t code) const { return (code == 0 ? ExtraZero : 0) + (code >= First && code <= Last); }
};

RangeVisits Visits(const Font* pFont, int first, int last) {
  RangeVisits v;
  const int32_t lo = std::max(first, 0), hi = std::min(last, FONT_NUM_CODES - 1);
  const int32_t end = std::min(pFont->NumBlocks * 16, FONT_NUM_CODES);
  if (lo > hi) return v;
  v.First = lo;
  v.Last = std::min(hi, end - 1);
  if (hi >= end) v.ExtraZero = hi - std::max(lo, end) + 1;
  return v;
}

// The character as the edit will find it: rendered when it has a source.
const CharInfo& Prepared(Font* pFont, int32_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  if (!ci.Rendered && ci.Exists) FONT_RenderChar(pFont, static_cast<uint16_t>(code));
  return ci;
}

// Whether every visited character stays within the file limits after the range
// operation: 'fits' gets the character and the number of pixels it is moved or
// grown by in total.
template <typename Fits>
bool EveryCharFits(Font* pFont, const RangeVisits& visits, int64_t perVisit, Fits fits) {
  if (visits.ExtraZero && !fits(Prepared(pFont, 0), perVisit * visits.Times(0))) return false;
  for (int32_t code = visits.First; code <= visits.Last; ++code) {
    if (code == 0 && visits.ExtraZero) continue;  // checked with all its visits
    if (!fits(Prepared(pFont, code), perVisit)) return false;
  }
  return true;
}

// Whether the range operation keeps the font and its characters within the limits.
// Only what a file holds counts: box positions and advances are written for the
// extended types alone, so a standard font may move its boxes and lose columns
// freely; rows deleted stop at one row by themselves.
bool RangeEditFits(Font* pFont, int action, int first, int last, int value) {
  const int64_t amount = std::llabs(static_cast<int64_t>(value));
  const bool extended = FONT_IsExtendedType(pFont->Type);
  const bool fontRows = !extended || pFont->Type == FONTTYPE_EXT_FRM;
  const RangeVisits visits = Visits(pFont, first, last);
  switch (action) {
    case ACTION_SHIFTH:
    case ACTION_SHIFTV:
      return true;  // rotations inside the box
    case ACTION_MOVEH:
      return !extended || (amount <= kMaxSize && EveryCharFits(pFont, visits, value, [](const CharInfo& ci, int64_t d) {
                             return IsPos(ci.BoxLeft + d);
                           }));
    case ACTION_MOVEV:
      return !extended || (amount <= kMaxSize && EveryCharFits(pFont, visits, value, [](const CharInfo& ci, int64_t d) {
                             return IsPos(ci.BoxTop - d);
                           }));
    case ACTION_INSL:
    case ACTION_INSR:
      return amount <= kMaxSize && EveryCharFits(pFont, visits, value, [extended](const CharInfo& ci, int64_t d) {
               return IsSize(ci.BoxWidth + d) && (!extended || IsSize(ci.CursorDist + d));
             });
    case ACTION_DELL:
    case ACTION_DELR:
      // A deleted column takes one pixel of the advance with it.
      return !extended || EveryCharFits(pFont, visits, value, [](const CharInfo& ci, int64_t d) {
               return IsSize(ci.CursorDist - std::min<int64_t>(d, std::max(ci.BoxWidth, 0)));
             });
    case ACTION_INST:
    case ACTION_INSB:
      // Standard and framed fonts grow by a font row per character and row (the
      // baseline stays); extended boxes grow only within the font's lines.
      return amount <= kMaxSize && (!fontRows || IsSize(pFont->Height + amount * visits.Count()));
    case ACTION_CINC:
    case ACTION_CDEC:
      return amount <= kMaxSize;  // beyond it no advance (0..255) comes out different
    default:
      return true;  // deleted rows end at one row
  }
}

// Whether CNT rows more (fewer) keep the font height and baseline within the
// limits. Deleting stops at one row by itself; only the baseline of an extended
// font, which moves with every row taken from the top, can leave the 16 bits.
bool FontHeightEditFits(const Font* pFont, bool insert, bool top, int count) {
  const int64_t height = pFont->Height, baseline = pFont->Baseline;
  if (insert) return IsSize(height + count) && (!top || IsSize(baseline + count));
  return !top || !FONT_IsExtendedType(pFont->Type) || baseline - count >= 0;
}

// DEL and INS with TOP or BOTTOM: the font height, CNT times.
void EditFontHeight(Font* pFont, int action) {
  char detail[200];
  CMDLINE_GetString(detail, sizeof(detail));
  if (CMDLINE_GetError()) return;
  const int side = CMDLINE_FindOption(detail, kDetails);
  if (!side) return;
  int count = 1;
  if (CMDLINE_GetChar() == ',') {
    count = CMDLINE_GetDecValue();
    if (CMDLINE_GetError()) return;
  }
  const bool top = side == 1;
  if (count <= 0 || !FontHeightEditFits(pFont, action == ACTION_INS, top, count)) {
    ReportCount();
    return;
  }
  SERVICES_Get()->SetStatusText("Executing command...");
  // CNT single commands at once (the bottom ones without journal lines). More rows
  // than a font can have leave one row all the same.
  if (action == ACTION_DEL) count = static_cast<int>(std::min<int64_t>(count, kMaxSize));
  (action == ACTION_INS ? EDIT_GrowFont : EDIT_ShrinkFont)(pFont, count, top ? EDIT_SIDE_TOP : EDIT_SIDE_BOTTOM, 0);
}

// The range operations, FIRST[-LAST],VALUE.
void EditRange(Font* pFont, int action) {
  const int first = CMDLINE_GetHexValue();
  int last = first;
  bool haveValue = true;
  if (CMDLINE_GetChar() == '-') {
    last = CMDLINE_GetHexValue();
    haveValue = CMDLINE_GetChar() == ',';
  }
  int value = 0;
  if (haveValue) {
    value = CMDLINE_GetDecValue();
    if (CMDLINE_GetError()) value = 0;
  }
  // CINC and CDEC need a positive value, shifts and moves one that is not 0,
  // inserts and deletes a positive count.
  const bool anySign = action >= ACTION_SHIFTH && action <= ACTION_MOVEV;
  if (anySign ? value == 0 : value <= 0) return ReportCount();
  if (!RangeEditFits(pFont, action, first, last, value)) return ReportCount();
  switch (action) {
    case ACTION_CINC:
      EDIT_IncCursorDistRange(pFont, first, last, value);
      return;
    case ACTION_CDEC:
      EDIT_DecCursorDistRange(pFont, first, last, value);
      return;
    case ACTION_SHIFTH:
    case ACTION_SHIFTV:
      EDIT_ShiftRange(pFont, first, last, value, action == ACTION_SHIFTV);
      return;
    case ACTION_MOVEH:
    case ACTION_MOVEV:
      EDIT_MoveRange(pFont, first, last, value, action == ACTION_MOVEV);
      return;
    default:
      if (action <= ACTION_INSR)
        EDIT_InsertRange(pFont, first, last, value, action - ACTION_INST);
      else
        EDIT_DeleteRange(pFont, first, last, value, action - ACTION_DELT);
  }
}

}  // namespace

void CMD_Edit() {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) {
    ReportMessage("No font data");
    return;
  }
  char name[200];
  CMDLINE_GetString(name, sizeof(name));
  if (CMDLINE_ExpectSeparator(',')) return;
  const int action = CMDLINE_FindOption(name, kActions);
  if (!action) return;
  if (action == ACTION_DEL || action == ACTION_INS)
    EditFontHeight(pFont, action);
  else
    EditRange(pFont, action);
}
