#include "input/readfile.h"

#include <cstdio>
#include <utility>

#include "settings/files.h"
#include "settings/journal.h"
#include "settings/messages.h"

FontPtr INPUT_ReadFontFile(const char* path, FontParser parse, const char* pReadFailure) {
  std::FILE* pFile = std::fopen(path, "rb");
  if (!pFile) {
    ReportMessage("Could not open file!");
    return nullptr;
  }
  std::fclose(pFile);
  std::string image;
  FontPtr pFont;
  if (FILES_ReadAll(path, &image))
    pFont = parse(std::move(image));
  else if (pReadFailure)
    ReportMessage(pReadFailure);
  JOURNAL_Clear();
  return pFont;
}
