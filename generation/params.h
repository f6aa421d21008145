// The rules that turn what the user chose for a new font into the generation
// parameters, shared by the options dialogs and their callers.
#pragma once

#include <cstdint>

// The logical-font height for a chosen height: an extended framed font is drawn
// two pixels lower than chosen (its frame adds a row above and below), as long
// as the chosen pixel height is 2 or more; point-derived (negative) heights and
// the other types keep the chosen height.
int32_t GENERATE_GetRecordHeight(int32_t type, int32_t chosenHeight);
// The antialiasing method that takes effect: the extended antialiased types
// always use the engine's own antialiasing (0).
int32_t GENERATE_GetEffectiveAAMethod(int32_t type, int32_t method);
// The pixel height typed into the size field: the decimal value of its first 10
// characters (leading digits after optional blanks and sign; 0 when none).
int32_t GENERATE_ParsePixelHeight(const char* pText);
