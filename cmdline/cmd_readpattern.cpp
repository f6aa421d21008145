// -readpatternFILENAME: enables the characters a pattern file lists.
#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "input/pattern.h"
#include "model/current.h"
#include "settings/messages.h"

void CMD_ReadPattern() {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) {
    ReportMessage("No font data");
    return;
  }
  char fileName[260];
  CMDLINE_GetString(fileName, sizeof(fileName));
  if (CMDLINE_GetError()) return;
  INPUT_ReadPattern(pFont, fileName);
}
