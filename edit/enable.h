// Enabling and disabling characters, with their journal lines.
#pragma once

#include <cstdint>

struct Font;

// The primitive: codes first..last (kept to 0..65535; nothing when first >
// last) of the font get the state, with a change notice and no journal line.
void EDIT_EnableChars(Font* pFont, int64_t first, int64_t last, int state);

// The named operations work on the current font (model/current.h).
// Toggles the current character.
void EDIT_ToggleChar();
// Sets first..last to state (1 enabled, 0 disabled); the journal line is written
// also when first > last.
void EDIT_EnableRange(int first, int last, int state);
// Sets the 16 codes of the current character's block.
void EDIT_EnableBlock(int state);
