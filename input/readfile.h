// The file side shared by the font readers: open, read whole, parse, clear the journal.
#pragma once

#include <string>

#include "model/font.h"

using FontParser = FontPtr (*)(std::string image);

// Reports "Could not open file!" when the file cannot be opened; a file that opens
// but cannot be read reports pReadFailure (nothing when null). The journal is
// cleared after every read of an opened file.
FontPtr INPUT_ReadFontFile(const char* path, FontParser parse, const char* pReadFailure);
