// -enableFIRST-LAST,STATE[,FIRST-LAST,STATE ...]: enables (1) or disables (0)
// ranges of characters of the current font.
#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "edit/enable.h"
#include "model/current.h"
#include "settings/messages.h"

void CMD_Enable() {
  if (!FONT_GetCurrent()) {
    ReportMessage("No font data");
    return;
  }
  do {
    int first = CMDLINE_GetHexValue();
    if (CMDLINE_ExpectSeparator('-')) return;
    int last = CMDLINE_GetHexValue();
    if (CMDLINE_ExpectSeparator(',')) return;
    const int state = CMDLINE_GetDecValue();
    if (CMDLINE_GetError()) return;
    if (first > last) {
      ReportMessage("Wrong parameters in '-enable' command: First > Last!");
      first = last = 0;
    }
    if (last > 0xFFFF) {
      ReportMessage("Wrong parameters in '-enable' command: Last exceeds 0xFFFF!");
      first = last = 0;
    }
    if (state == 0 || state == 1)
      EDIT_EnableRange(first, last, state);
    else
      ReportMessage("Illegal state");
  } while (CMDLINE_GetChar() == ',');
}
