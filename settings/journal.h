// The journal: the running record of edits of the current font, copied into the
// banner of the next C file. Lines are "* text", padded to a 72-character box line.
#pragma once

#include <cstddef>

enum { JOURNAL_LINE_SIZE = 73 };  // 72 characters and the terminator

// Brings the line in 'line' to the journal form in place: blanks up to 69
// characters, then "*\r\n" (directly behind a longer text). A text that leaves no
// room for the closing is cut to fit 'capacity'.
void JOURNAL_FormatLine(char* line, size_t capacity = JOURNAL_LINE_SIZE);
void JOURNAL_Add(const char* text);
void JOURNAL_Clear();
size_t JOURNAL_GetLength();
// The journal text; an empty text when the journal is empty.
const char* JOURNAL_GetText();
