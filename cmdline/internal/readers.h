// Value readers for the argument text of a command. They share one cursor into the
// text and one error flag, so that a handler reads value after value and stops at
// the first failure. Reader failures go to the command-line error path; separator
// and keyword checks report through the central message function.
#pragma once

#include <cstddef>
#include <cstdint>

// Sets the cursor to the argument text of the command about to run (may be null).
void CMDLINE_SetArgText(const char* text);
// Next character, advancing; 0 without moving at the end of the text.
char CMDLINE_GetChar();
int32_t CMDLINE_GetHexValue();
int32_t CMDLINE_GetDecValue();
// Copies the next value (up to a comma) into dest of the given capacity.
void CMDLINE_GetString(char* dest, size_t capacity);
bool CMDLINE_GetError();
// Forgets an error of earlier reading: a new run of arguments starts without one.
void CMDLINE_ClearError();
// 0 when no reader failed and the next character is sep (consumed), else 1.
int CMDLINE_ExpectSeparator(char sep);
// Consumes one character; 1 when it differs from c (the end counts as 0).
int CMDLINE_ReadCharIsNot(char c);
// 1-based position of word in the null-terminated list; 0 (reported) when absent.
int CMDLINE_FindOption(const char* word, const char* const* list);
// Hexadecimal conversion: [-][0x]digits taken as 32 bits (FFFFFFFF is -1); false
// when a non-digit is met or the digits need more than 32 bits.
bool CMDLINE_HexToInt(const char* text, int32_t* pValue);
