// The journal: the running record of edits of the current font, copied into the
// banner of the next C file. Lines are "* text", padded to a 72-character box line.
#pragma once

#include <cstddef>

enum { JOURNAL_LINE_SIZE = 73 };  // 72 characters and the terminator
// Room for one formatted journal text before it is brought to the line form:
// enough for a pattern file's line with a 260-character path.
enum { JOURNAL_TEXT_SIZE = 300 };

// Brings the line in 'line' to the journal form in place: blanks up to 69
// characters, then "*\r\n" (directly behind a longer text). A text that leaves no
// room for the closing is cut to fit 'capacity'.
void JOURNAL_FormatLine(char* line, size_t capacity = JOURNAL_LINE_SIZE);
void JOURNAL_Add(const char* text);
// Formats a text (printf rules, at most JOURNAL_TEXT_SIZE - 4 characters kept),
// brings it to the line form and adds it: the one way to write a journal line.
void JOURNAL_AddLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Taking edits back: removes length characters at offset, or puts a text back
// at offset. False, and no change, when the place lies beyond the journal.
bool JOURNAL_Erase(size_t offset, size_t length);
bool JOURNAL_Insert(size_t offset, const char* text, size_t length);
void JOURNAL_Clear();
size_t JOURNAL_GetLength();
// The journal text; an empty text when the journal is empty.
const char* JOURNAL_GetText();
