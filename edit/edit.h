// Geometry edits of single characters.
//
// The primitives take the font and the code explicitly and a count of one-pixel
// steps, done at once in time linear in what they add. They write no journal
// line, leave the current character alone and report what they changed through
// the platform services' change notice (settings/services.h). Each returns 0
// when it changed the font and 1 when it did nothing: the box rules left no step
// to do, the result would exceed the 16-bit sizes the files hold, or memory was
// short. A count of 0 or less does nothing.
//
// The named operations below them act on the current character of a font. Each
// takes a logging switch: on, it first writes its journal line.
#pragma once

#include <cstdint>

struct Font;

enum EditSide { EDIT_SIDE_TOP = 0, EDIT_SIDE_BOTTOM = 1, EDIT_SIDE_LEFT = 2, EDIT_SIDE_RIGHT = 3 };

// Columns at the left or right side of the box; the advance grows (shrinks)
// with them. Inserting raises the font's MaxWidth when the box becomes wider.
// Deleting stops at width 0.
int EDIT_InsertColumns(Font* pFont, uint16_t code, int count, int side);
int EDIT_DeleteColumns(Font* pFont, uint16_t code, int count, int side);
// Rows of an extended character's own box. Inserting stops where the box reaches
// the font's top (bottom) row; deleting keeps one row. Deleting at the bottom
// only shortens the box (the data stay) and renders nothing.
int EDIT_InsertCharRows(Font* pFont, uint16_t code, int count, int side);
int EDIT_DeleteCharRows(Font* pFont, uint16_t code, int count, int side);
// Rotation of the pixels inside the box: right and down positive, taken modulo
// the box size.
int EDIT_ShiftChar(Font* pFont, uint16_t code, int64_t right, int64_t down);
// Box position: right and down positive; no pixel changes.
int EDIT_MoveChar(Font* pFont, uint16_t code, int64_t right, int64_t down);
// Cursor advance by delta, kept within 0..255.
int EDIT_StepCursorDist(Font* pFont, uint16_t code, int delta);
// One pixel (value 0..largest; -1 a frame pixel of EXT_FRM); an EXT_FRM
// character gets its frame rebuilt. 1 outside the box.
int EDIT_SetPixel(Font* pFont, uint16_t code, int x, int y, int value);

// Columns.
void EDIT_InsertRight(Font* pFont, int logging);
void EDIT_InsertLeft(Font* pFont, int logging);
void EDIT_DeleteRight(Font* pFont, int logging);
void EDIT_DeleteLeft(Font* pFont, int logging);
// Rows: the current character of an extended font (EXT, EXT_AA2, EXT_AA4); every
// character together with the font height for STD, AA2, AA4 and EXT_FRM.
void EDIT_InsertTop(Font* pFont, int logging);
void EDIT_InsertBottom(Font* pFont, int logging);
void EDIT_DeleteTop(Font* pFont, int logging);
void EDIT_DeleteBottom(Font* pFont, int logging);
// Rotation of the pixels inside the box.
void EDIT_ShiftRight(Font* pFont, int logging);
void EDIT_ShiftLeft(Font* pFont, int logging);
void EDIT_ShiftUp(Font* pFont, int logging);
void EDIT_ShiftDown(Font* pFont, int logging);
// Box position; no pixel changes.
void EDIT_MoveRight(Font* pFont, int logging);
void EDIT_MoveLeft(Font* pFont, int logging);
void EDIT_MoveUp(Font* pFont, int logging);
void EDIT_MoveDown(Font* pFont, int logging);
// Cursor advance, kept within 0..255; always logged.
void EDIT_IncCursorDist(Font* pFont);
void EDIT_DecCursorDist(Font* pFont);
