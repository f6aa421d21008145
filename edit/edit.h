// Geometry edits of the current character of a font, one pixel at a time. Each
// takes a logging switch: on, it first writes its journal line.
#pragma once

struct Font;

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
