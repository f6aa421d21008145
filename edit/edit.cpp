#include "edit/edit.h"

#include <algorithm>

#include "edit/fontedit.h"
#include "edit/internal/relayout.h"
#include "model/font.h"
#include "settings/journal.h"
#include "settings/services.h"

namespace {

enum { CURSOR_DIST_MAX = 255 };

void NotifyChar(uint16_t code, int what) { EDIT_Notify(code, code, what); }

}  // namespace

int EDIT_InsertColumns(Font* pFont, uint16_t code, int count, int side) {
  if (count <= 0) return 1;
  EDIT_EnsureRendered(pFont, code);
  CharInfo& ci = pFont->aCharInfo[code];
  const int width = std::max(ci.BoxWidth, 0);
  if (width + int64_t{count} > EDIT_MAX_EXTENT) return 1;
  const int rows = EDIT_RowsOf(pFont, code);
  const bool left = side == EDIT_SIDE_LEFT;
  if (!EDIT_Reshape(pFont, code, rows, width + count, rows, left ? -count : 0, 0, false)) return 1;
  ci.CursorDist = EDIT_AddClamped(ci.CursorDist, count);
  int what = CHANGE_PIXELS | CHANGE_BOX;
  if (pFont->MaxWidth < ci.BoxWidth) {
    pFont->MaxWidth = ci.BoxWidth;
    what |= CHANGE_METRICS;
  }
  NotifyChar(code, what);
  return 0;
}

int EDIT_DeleteColumns(Font* pFont, uint16_t code, int count, int side) {
  if (count <= 0) return 1;
  EDIT_EnsureRendered(pFont, code);
  CharInfo& ci = pFont->aCharInfo[code];
  if (ci.BoxWidth <= 0) return 1;
  const int n = std::min(count, ci.BoxWidth);
  const int rows = EDIT_RowsOf(pFont, code);
  const bool left = side == EDIT_SIDE_LEFT;
  if (!EDIT_Reshape(pFont, code, rows, ci.BoxWidth - n, rows, left ? n : 0, 0, false)) return 1;
  ci.CursorDist = EDIT_AddClamped(ci.CursorDist, -int64_t{n});
  NotifyChar(code, CHANGE_PIXELS | CHANGE_BOX);
  return 0;
}

int EDIT_InsertCharRows(Font* pFont, uint16_t code, int count, int side) {
  if (count <= 0) return 1;
  EDIT_EnsureRendered(pFont, code);
  CharInfo& ci = pFont->aCharInfo[code];
  const bool top = side == EDIT_SIDE_TOP;
  const int rows = ci.BoxHeight;
  // The box grows only until it reaches the font's top (bottom) row.
  const int64_t room = top ? int64_t{pFont->Baseline} - ci.BoxTop
                           : int64_t{pFont->Height} - (int64_t{pFont->Baseline} - ci.BoxTop + rows);
  const int n = static_cast<int>(std::min<int64_t>(count, room));
  if (n <= 0 || rows + int64_t{n} > EDIT_MAX_EXTENT) return 1;
  if (!EDIT_Reshape(pFont, code, rows, std::max(ci.BoxWidth, 0), rows + n, 0, top ? -n : 0, false)) return 1;
  ci.BoxHeight = rows + n;
  if (top) ci.BoxTop += n;
  NotifyChar(code, CHANGE_PIXELS | CHANGE_BOX);
  return 0;
}

int EDIT_DeleteCharRows(Font* pFont, uint16_t code, int count, int side) {
  if (count <= 0) return 1;
  const bool top = side == EDIT_SIDE_TOP;
  if (top) EDIT_EnsureRendered(pFont, code);
  CharInfo& ci = pFont->aCharInfo[code];
  const int rows = ci.BoxHeight;
  if (rows <= 1) return 1;
  const int n = std::min(count, rows - 1);
  if (top) {
    if (!EDIT_Reshape(pFont, code, rows, std::max(ci.BoxWidth, 0), rows - n, 0, n, false)) return 1;
    ci.BoxTop = EDIT_AddClamped(ci.BoxTop, -int64_t{n});
  }
  // Deleting at the bottom only shortens the box; the data stay.
  ci.BoxHeight = rows - n;
  NotifyChar(code, top ? CHANGE_PIXELS | CHANGE_BOX : CHANGE_BOX);
  return 0;
}

int EDIT_ShiftChar(Font* pFont, uint16_t code, int64_t right, int64_t down) {
  EDIT_EnsureRendered(pFont, code);
  const CharInfo& ci = pFont->aCharInfo[code];
  if (ci.BoxWidth <= 0) return 1;
  const int rows = EDIT_RowsOf(pFont, code);
  // A rotation by the box size is no rotation: only the remainder is done.
  const int dx = static_cast<int>(right % ci.BoxWidth);
  const int dy = rows > 0 ? static_cast<int>(down % rows) : 0;
  if (dx == 0 && dy == 0) return 1;
  if (!EDIT_Reshape(pFont, code, rows, ci.BoxWidth, rows, -dx, -dy, true)) return 1;
  NotifyChar(code, CHANGE_PIXELS);
  return 0;
}

int EDIT_MoveChar(Font* pFont, uint16_t code, int64_t right, int64_t down) {
  EDIT_EnsureRendered(pFont, code);
  CharInfo& ci = pFont->aCharInfo[code];
  const int64_t left = ci.BoxLeft + right;
  const int64_t top = ci.BoxTop - down;
  if (left < INT32_MIN || left > INT32_MAX || top < INT32_MIN || top > INT32_MAX) return 1;
  ci.BoxLeft = static_cast<int32_t>(left);
  ci.BoxTop = static_cast<int32_t>(top);
  NotifyChar(code, CHANGE_BOX);
  return 0;
}

int EDIT_StepCursorDist(Font* pFont, uint16_t code, int delta) {
  CharInfo& ci = pFont->aCharInfo[code];
  const int32_t before = ci.CursorDist;
  if (delta > 0) {
    if (before == CURSOR_DIST_MAX) return 1;
    ci.CursorDist = before < CURSOR_DIST_MAX ? std::min(before + delta, int{CURSOR_DIST_MAX})
                                             : EDIT_AddClamped(before, delta);
  } else if (delta < 0) {
    if (before == 0) return 1;
    ci.CursorDist = before > 0 ? std::max(before + delta, 0) : EDIT_AddClamped(before, delta);
  } else {
    return 1;
  }
  NotifyChar(code, CHANGE_BOX);
  return 0;
}

int EDIT_SetPixel(Font* pFont, uint16_t code, int x, int y, int value) {
  const CharInfo& ci = pFont->aCharInfo[code];
  const int rows = ci.BoxHeight ? ci.BoxHeight : pFont->Height;
  if (x < 0 || y < 0 || x >= ci.BoxWidth || y >= rows || !ci.pPixels) return 1;
  const bool frame = pFont->Type == FONTTYPE_EXT_FRM;
  if (value > FONT_GetMaxPixelValue(pFont) || value < (frame ? -1 : 0)) return 1;
  FONT_SetPixel(pFont, code, x, y, value);
  if (frame) FONT_RecalcFrame(pFont, code);
  NotifyChar(code, CHANGE_PIXELS);
  return 0;
}

namespace {

// The current character after the operation's journal line.
uint16_t Begin(Font* pFont, int logging, const char* line) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (logging) JOURNAL_AddLine(line, code, code);
  return code;
}

void InsertRow(Font* pFont, int logging, const char* line, int side) {
  const uint16_t code = Begin(pFont, logging, line);
  if (EDIT_RowsAreFontWide(pFont))
    EDIT_InsertFontRows(pFont, 1, side);
  else
    EDIT_InsertCharRows(pFont, code, 1, side);
}

void DeleteRow(Font* pFont, int logging, const char* line, int side) {
  const uint16_t code = Begin(pFont, logging, line);
  if (EDIT_RowsAreFontWide(pFont))
    EDIT_DeleteFontRows(pFont, 1, side);
  else
    EDIT_DeleteCharRows(pFont, code, 1, side);
}

}  // namespace

void EDIT_InsertRight(Font* pFont, int logging) {
  const uint16_t code = Begin(pFont, logging, "* Edit/Insert/Right     at character 0x%X (%d)");
  EDIT_InsertColumns(pFont, code, 1, EDIT_SIDE_RIGHT);
}
void EDIT_InsertLeft(Font* pFont, int logging) {
  const uint16_t code = Begin(pFont, logging, "* Edit/Insert/Left      at character 0x%X (%d)");
  EDIT_InsertColumns(pFont, code, 1, EDIT_SIDE_LEFT);
}
void EDIT_DeleteRight(Font* pFont, int logging) {
  const uint16_t code = Begin(pFont, logging, "* Edit/Delete/Right     at character 0x%X (%d)");
  EDIT_DeleteColumns(pFont, code, 1, EDIT_SIDE_RIGHT);
}
void EDIT_DeleteLeft(Font* pFont, int logging) {
  const uint16_t code = Begin(pFont, logging, "* Edit/Delete/Left      at character 0x%X (%d)");
  EDIT_DeleteColumns(pFont, code, 1, EDIT_SIDE_LEFT);
}

void EDIT_InsertTop(Font* pFont, int logging) {
  InsertRow(pFont, logging, "* Edit/Insert/Top       at character 0x%X (%d)", EDIT_SIDE_TOP);
}
void EDIT_InsertBottom(Font* pFont, int logging) {
  InsertRow(pFont, logging, "* Edit/Insert/Bottom    at character 0x%X (%d)", EDIT_SIDE_BOTTOM);
}
void EDIT_DeleteTop(Font* pFont, int logging) {
  DeleteRow(pFont, logging, "* Edit/Delete/Top       at character 0x%X (%d)", EDIT_SIDE_TOP);
}
void EDIT_DeleteBottom(Font* pFont, int logging) {
  DeleteRow(pFont, logging, "* Edit/Delete/Bottom    at character 0x%X (%d)", EDIT_SIDE_BOTTOM);
}

void EDIT_ShiftRight(Font* pFont, int logging) {
  EDIT_ShiftChar(pFont, Begin(pFont, logging, "* Edit/Shift/Right      at character 0x%X (%d)"), 1, 0);
}
void EDIT_ShiftLeft(Font* pFont, int logging) {
  EDIT_ShiftChar(pFont, Begin(pFont, logging, "* Edit/Shift/Left       at character 0x%X (%d)"), -1, 0);
}
void EDIT_ShiftUp(Font* pFont, int logging) {
  EDIT_ShiftChar(pFont, Begin(pFont, logging, "* Edit/Shift/Up         at character 0x%X (%d)"), 0, -1);
}
void EDIT_ShiftDown(Font* pFont, int logging) {
  EDIT_ShiftChar(pFont, Begin(pFont, logging, "* Edit/Shift/Down       at character 0x%X (%d)"), 0, 1);
}

void EDIT_MoveRight(Font* pFont, int logging) {
  EDIT_MoveChar(pFont, Begin(pFont, logging, "* Edit/Move/Right       at character 0x%X (%d)"), 1, 0);
}
void EDIT_MoveLeft(Font* pFont, int logging) {
  EDIT_MoveChar(pFont, Begin(pFont, logging, "* Edit/Move/Left        at character 0x%X (%d)"), -1, 0);
}
void EDIT_MoveUp(Font* pFont, int logging) {
  EDIT_MoveChar(pFont, Begin(pFont, logging, "* Edit/Move/Up          at character 0x%X (%d)"), 0, -1);
}
void EDIT_MoveDown(Font* pFont, int logging) {
  EDIT_MoveChar(pFont, Begin(pFont, logging, "* Edit/Move/Down        at character 0x%X (%d)"), 0, 1);
}

void EDIT_IncCursorDist(Font* pFont) {
  EDIT_StepCursorDist(pFont, Begin(pFont, 1, "* Edit/Cursor Distance/Increase at character 0x%X (%d)"), 1);
}

void EDIT_DecCursorDist(Font* pFont) {
  EDIT_StepCursorDist(pFont, Begin(pFont, 1, "* Edit/Cursor Distance/Decrease at character 0x%X (%d)"), -1);
}
