// -editACTION,DETAIL[,CNT] and -editACTION,FIRST[-LAST],VALUE: font height, cursor
// distance and pixel edits of the current font.
#include <cstdlib>

#include "cmdline/commands.h"
#include "cmdline/readers.h"
#include "edit/cursoradjust.h"
#include "edit/fontedit.h"
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
  if (count <= 0) {
    ReportCount();
    return;
  }
  SERVICES_Get()->SetStatusText("Executing command...");
  const bool top = side == 1;
  // CNT single commands at once (the bottom ones without journal lines).
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
  switch (action) {
    case ACTION_CINC:
    case ACTION_CDEC:
      if (value <= 0) return ReportCount();
      if (action == ACTION_CINC)
        EDIT_IncCursorDistRange(pFont, first, last, value);
      else
        EDIT_DecCursorDistRange(pFont, first, last, value);
      return;
    case ACTION_SHIFTH:
    case ACTION_SHIFTV:
      if (value == 0) return ReportCount();
      EDIT_ShiftRange(pFont, first, last, value, action == ACTION_SHIFTV);
      return;
    case ACTION_MOVEH:
    case ACTION_MOVEV:
      if (value == 0) return ReportCount();
      EDIT_MoveRange(pFont, first, last, value, action == ACTION_MOVEV);
      return;
    default:
      if (value <= 0) return ReportCount();
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
