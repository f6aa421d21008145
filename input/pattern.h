// Pattern files: UTF-8 or UTF-16 texts listing characters. Reading one enables
// the listed characters the font has and reports the others; saving lists the
// enabled ones.
#pragma once

#include <string>

struct Font;

// Reads the pattern file at 'path' into pFont (journal line, "Could not open
// file!", the missing-code report). Returns 0, or 1 when the file could not be
// opened (the font is then unchanged).
int INPUT_ReadPattern(Font* pFont, const char* path);
// Applies a pattern file image already in memory; returns the missing-code
// report (empty when every listed code exists).
std::string INPUT_ApplyPattern(Font* pFont, const std::string& image);
// The pattern file image of the font's enabled characters.
std::string INPUT_FormatPattern(const Font* pFont);
// Saves the enabled characters to 'path', asking before an existing file is
// replaced. Returns 0 when written, 1 otherwise.
int INPUT_SavePattern(const Font* pFont, const char* path);
