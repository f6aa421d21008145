// Reading a C source font in the layout the C writer produces back into a Font.
#pragma once

#include <string>

#include "model/font.h"

// Reads the file; null on failure, after the failure's messages were reported
// through ReportMessage. The journal is cleared after every read of an opened
// file. The caller stores the path in the font (FONT_SetFileName).
FontPtr INPUT_ReadC(const char* path);
// Parses a file image already in memory (no open, no journal clearing): the
// same rules and messages as INPUT_ReadC.
FontPtr INPUT_ParseC(std::string text);
