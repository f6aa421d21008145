// -saveasFILENAME,TYPE: saves the current font as C source, SIF or XBF, replacing
// an existing file without asking.
#include "cmdline/internal/commands.h"
#include "model/current.h"
#include "cmdline/internal/readers.h"
#include "output/save.h"
#include "settings/messages.h"

void CMD_SaveAs() {
  static const char* const kFormats[] = {"C", "SIF", "XBF", nullptr};
  Font* pFont = FONT_GetCurrent();
  if (!pFont) {
    ReportMessage("No font data");
    return;
  }
  char fileName[260], type[200];
  CMDLINE_GetString(fileName, sizeof(fileName));
  if (CMDLINE_ExpectSeparator(',')) return;
  CMDLINE_GetString(type, sizeof(type));
  if (CMDLINE_GetError()) return;
  const int format = CMDLINE_FindOption(type, kFormats);
  if (!format) return;
  if (format - 1 == OUT_FORMAT_XBF && (pFont->Type == FONTTYPE_AA2 || pFont->Type == FONTTYPE_AA4)) {
    ReportMessage("Fonts of the type Standard 2bpp or 4bpp can not be saved in XBF-format.");
    return;
  }
  FONT_SetFileName(pFont, fileName);
  // A failed save has said so ("Writing error"); the run goes on with the next
  // command as after any handler's failure.
  if (OUT_Save(pFont, format - 1, 0) != OUT_SAVE_OK) return;
}
