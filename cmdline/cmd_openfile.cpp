// The file argument of the command line: a .c or .xbf font file read and made the
// current font.
#include "cmdline/commands.h"
#include "input/c_read.h"
#include "input/xbf_read.h"
#include "model/current.h"
#include "settings/services.h"

FontPtr CMD_ReadFontFile(const char* fileName, bool isXbf) {
  return isXbf ? XBF_Read(fileName) : CFILE_Read(fileName);
}

int CMD_OpenFile(const char* fileName, bool isXbf) {
  FontPtr pFont = CMD_ReadFontFile(fileName, isXbf);
  if (!pFont) return 1;
  FONT_SetFileName(pFont.get(), fileName);
  FONT_SetCurrent(std::move(pFont));
  SERVICES_Get()->RedrawViews(VIEW_ALL);
  return 0;
}
