// Whole-file reading and crash-safe replacement of files.
#pragma once

#include <string>

// Reads the whole file into *pText; false when it cannot be read.
bool FILES_ReadAll(const std::string& path, std::string* pText);
// The name of the temporary file that a replacement of 'path' is written to.
std::string FILES_TempNameFor(const std::string& path);
// Writes 'data' to a temporary file beside 'path' and renames it over 'path' once
// complete, so that 'path' is never left half written; false on failure.
bool FILES_WriteAtomic(const std::string& path, const std::string& data);
