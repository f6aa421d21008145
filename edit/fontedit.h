// Edits acting on more than one character: the font height commands and the range
// versions of the character edits used by the command line.
#pragma once

struct Font;

enum EditSide { EDIT_SIDE_TOP = 0, EDIT_SIDE_BOTTOM = 1, EDIT_SIDE_LEFT = 2, EDIT_SIDE_RIGHT = 3 };

// Font height: a row more or less at the top (baseline moves with it) or bottom.
void EDIT_IncFontTop(Font* pFont);
void EDIT_IncFontBottom(Font* pFont, int logging);
void EDIT_DecFontTop(Font* pFont);
void EDIT_DecFontBottom(Font* pFont, int logging);

// Range operations: for each code first..last the character edit |value| or count
// times, logging off. Shift and move: value > 0 right (down when vertical), < 0
// left (up). Insert and delete write one range line first.
void EDIT_ShiftRange(Font* pFont, int first, int last, int value, int vertical);
void EDIT_MoveRange(Font* pFont, int first, int last, int value, int vertical);
void EDIT_InsertRange(Font* pFont, int first, int last, int count, int side);
void EDIT_DeleteRange(Font* pFont, int first, int last, int count, int side);
