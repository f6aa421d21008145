// Edits acting on more than one character: the font-wide row edits, the font
// height commands and the range versions of the character edits used by the
// command line.
#pragma once

#include <cstdint>

#include "edit/edit.h"

struct Font;

// Font-wide row edits (standard types and EXT_FRM): count rows at the top or
// bottom of every character of non-zero width and of the font height, after
// rendering every pending character. Deleting keeps one row: with a height of 1,
// or when more rows are asked for than the font can lose, it reports "Could not
// delete pixel!" (after deleting what it can). Results as in edit/edit.h.
int EDIT_InsertFontRows(Font* pFont, int64_t count, int side);
int EDIT_DeleteFontRows(Font* pFont, int64_t count, int side);

// Font height: count rows more or less at the top (the baseline moves with them)
// or bottom, with the journal lines of count single commands. In a standard font
// (STD, AA2, AA4) every character gains or loses the rows with the font, as the
// font-wide row edits do; an extended font changes only its height and baseline.
// Counts beyond the 16-bit sizes of the files are refused (result 1, no change).
int EDIT_GrowFont(Font* pFont, int count, int side, int logging);
int EDIT_ShrinkFont(Font* pFont, int count, int side, int logging);
// The single commands: count 1.
void EDIT_IncFontTop(Font* pFont);
void EDIT_IncFontBottom(Font* pFont, int logging);
void EDIT_DecFontTop(Font* pFont);
void EDIT_DecFontBottom(Font* pFont, int logging);

// Range operations: for each code first..last the character edit |value| or count
// steps, without journal lines; a code outside the font acts on code 0, and the
// last code (so mapped) becomes the current character. Shift and move: value > 0
// right (down when vertical), < 0 left (up). Insert and delete write one range
// line first. Row edits of fonts whose rows are font-wide add or remove the rows
// of every code and step from the whole font at once.
void EDIT_ShiftRange(Font* pFont, int first, int last, int value, int vertical);
void EDIT_MoveRange(Font* pFont, int first, int last, int value, int vertical);
void EDIT_InsertRange(Font* pFont, int first, int last, int count, int side);
void EDIT_DeleteRange(Font* pFont, int first, int last, int count, int side);
