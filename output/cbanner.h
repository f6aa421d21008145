// The texts of a C font file that do not depend on its characters: the banner
// comment with its history block, and the C identifier derived from the file name.
#pragma once

#include <string>

struct Settings;

enum { CWRITE_FONT_NAME_SIZE = 100 };  // room for the C identifier and its terminator

// The part of a path after its last directory separator ('\' or '/').
std::string CWRITE_SourceFileName(const char* path);
// The C identifier of the font: fontName when it is not empty, otherwise
// "GUI_Font" and the file name up to its first '.', with every character that is
// not an ASCII letter, digit or underscore removed. At most 99 characters.
std::string CWRITE_DeriveFontName(const char* path, const char* fontName);
// "Dec  6 2026, 12:30:05" from "2026-12-06 12:30:05"; the text itself when it has
// another form.
std::string CWRITE_FormatBuildTime(const char* isoTime);
// A box line: text padded with blanks to 69 characters, then "*\r\n".
std::string CWRITE_BoxLine(const std::string& text);

// The banner of a new file, history block included, without the closing "*/".
void CWRITE_NewBanner(const std::string& sourceFile, const std::string& faceName, int height,
                      const Settings& settings);
// The banner of a re-saved file: the kept text, the history block and the
// modification line with the current local time.
void CWRITE_KeptBanner(const char* keptText, const Settings& settings);
