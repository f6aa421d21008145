// The program-wide list of cursor-distance adjustments: advances that the
// generator widens or narrows for ranges of codes when it renders extended
// antialiased characters. The list is emptied whenever a font is deleted; a font
// generated from the system font keeps the adjustments registered before its
// creation (EDIT_TakeCursorDistAdjust), so they apply to it whenever its
// characters are rendered, and to no font created later.
#pragma once

#include <cstdint>
#include <vector>

struct Font;

struct CursorDistAdjust {
  int32_t First;  // first code, at least 0
  int32_t Last;   // last code, at most 65535
  int32_t Delta;  // pixels added to the advance
};

// Registers +count (Inc) or -count (Dec) for first..last, with a journal line.
void EDIT_IncCursorDistRange(Font* pFont, int first, int last, int count);
void EDIT_DecCursorDistRange(Font* pFont, int first, int last, int count);
// The sum of the deltas of every registered entry whose range holds the code.
int EDIT_GetCursorDistAdjust(uint16_t code);
void EDIT_ClearCursorDistAdjust();

// The adjustments a generated font applies: the entries registered before its
// creation, and those registered while it is the current font.
struct CursorDistAdjustments {
  std::vector<CursorDistAdjust> Before;
  uint64_t FirstLater = 0;  // registration number of the first later entry
};
// Taken at the creation of a font.
CursorDistAdjustments EDIT_TakeCursorDistAdjust();
int EDIT_GetCursorDistAdjustFor(const CursorDistAdjustments& adjustments, uint16_t code);
