// The file argument of the command line: a .c or .xbf font file read and made the
// current font.
#include "cmdline/internal/commands.h"
#include "input/c_read.h"
#include "input/xbf_read.h"
#include "model/current.h"
#include "settings/services.h"

FontPtr CMD_ReadFontFile(const char* fileName, bool isXbf) {
  return isXbf ? INPUT_ReadXbf(fileName) : INPUT_ReadC(fileName);
}

int CMD_OpenFile(const char* fileName, bool isXbf) {
  FontPtr pFont = CMD_ReadFontFile(fileName, isXbf);
  if (!pFont) return 1;
  FONT_SetFileName(pFont.get(), fileName);
  FONT_SetCurrent(std::move(pFont));
  SERVICES_Get()->FontChanged(ChangeNotice{0, FONT_NUM_CODES - 1, CHANGE_ALL});
  return 0;
}
