// Reading a BDF 2.1 bitmap font into an extended 1-bpp Font, each character's box
// trimmed to its ink.
#pragma once

#include <string>

#include "model/font.h"

// Reads the file; null on failure, after "Could not open file!" or "Could not
// create font!" was reported. The journal is cleared after every read of an
// opened file.
FontPtr INPUT_ReadBdf(const char* path);
// Parses a file image already in memory: the same rules and messages, no open.
FontPtr INPUT_ParseBdf(const std::string& text);
