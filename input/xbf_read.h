// Reading an XBF font file, with or without its type trailer, into a Font.
#pragma once

#include <string>

#include "model/font.h"

// Reads the file; null on failure, after "Could not open file!" or "Could not
// create font!" was reported. An old file without a type trailer gets its type
// from the block sizes or from the user (the platform services' type question).
// The journal is cleared after every read of an opened file.
FontPtr INPUT_ReadXbf(const char* path);
// Parses a file image already in memory: the same rules and messages, no open.
FontPtr INPUT_ParseXbf(const std::string& image);
