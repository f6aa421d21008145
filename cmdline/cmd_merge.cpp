// -mergeFILENAME: merges a C or XBF font file into the current font.
#include "cmdline/cmdline.h"
#include "cmdline/internal/commands.h"
#include "cmdline/internal/readers.h"
#include "input/merge.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/services.h"

void CMD_Merge() {
  Font* pFont = FONT_GetCurrent();
  if (!pFont) {
    ReportMessage("No font data");
    return;
  }
  char fileName[260];
  CMDLINE_GetString(fileName, sizeof(fileName));
  if (CMDLINE_GetError()) return;
  const std::string ext = CMDLINE_LowerExtension(fileName);
  if (ext != ".c" && ext != ".xbf") {
    ReportMessage("File extension must be 'XBF' or 'C'");
    return;
  }
  FontPtr pSource = CMD_ReadFontFile(fileName, ext == ".xbf");
  if (!pSource) {
    ReportMessage("Error reading 'C' file");
    return;
  }
  pFont->pXbfText.reset();
  char message[100];
  if (INPUT_MergeFonts(pFont, pSource.get(), message, sizeof(message))) ReportMessage(message);
  FONT_Delete(std::move(pSource));
  SERVICES_Get()->FontChanged(ChangeNotice{0, FONT_NUM_CODES - 1, CHANGE_PIXELS | CHANGE_BOX | CHANGE_ENABLED});
}
