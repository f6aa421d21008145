// Cursor-distance adjustments: advances that the generator widens or narrows for
// ranges of codes when it renders extended antialiased characters. They change
// no existing character: each registration joins the pending list of the
// generation layer (generation/adjustments.h), and the next font created from a
// system font takes the whole list over, so the adjustments apply to that font
// and to no font created later. A create that fails keeps them pending.
#pragma once

#include <cstdint>

struct Font;

// Registers +count (Inc) or -count (Dec) for first..last (kept within 0..65535),
// with a journal line.
void EDIT_IncCursorDistRange(Font* pFont, int first, int last, int count);
void EDIT_DecCursorDistRange(Font* pFont, int first, int last, int count);
// The sum of the deltas of every pending entry whose range holds the code.
int EDIT_GetCursorDistAdjust(uint16_t code);
// Drops every pending entry.
void EDIT_ClearCursorDistAdjust();
