// Enabling and disabling characters of the current font, with their journal lines.
#pragma once

// Toggles the current character of the current font.
void EDIT_ToggleChar();
// Sets first..last to state (1 enabled, 0 disabled); the journal line is written
// also when first > last.
void EDIT_EnableRange(int first, int last, int state);
// Sets the 16 codes of the current character's block.
void EDIT_EnableBlock(int state);
