#include "edit/edit.h"

#include "edit/relayout.h"
#include "model/font.h"
#include "settings/services.h"

namespace {

enum { CURSOR_DIST_MAX = 255 };

void Redraw() { SERVICES_Get()->RedrawViews(VIEW_CHAR | VIEW_FONT); }

// The current character, rendered, after the operation's journal line.
uint16_t Begin(Font* pFont, int logging, const char* line) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (logging) EDIT_Journal(line, code, code);
  EDIT_EnsureRendered(pFont, code);
  return code;
}

void RaiseMaxWidth(Font* pFont, const CharInfo& ci) {
  if (pFont->MaxWidth < ci.BoxWidth) pFont->MaxWidth = ci.BoxWidth;
}

// A column more (insertLeft: the new column is column 0) or less (deleteLeft:
// column 0 is dropped).
void InsertColumn(Font* pFont, int logging, const char* line, bool left) {
  const uint16_t code = Begin(pFont, logging, line);
  CharInfo& ci = pFont->aCharInfo[code];
  const int rows = EDIT_RowsOf(pFont, code);
  const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
  if (!EDIT_Relayout(pFont, code, copy, copy.Width + 1, rows, left ? -1 : 0, 0, false)) return;
  ci.CursorDist += 1;
  RaiseMaxWidth(pFont, ci);
  Redraw();
}

void DeleteColumn(Font* pFont, int logging, const char* line, bool left) {
  const uint16_t code = Begin(pFont, logging, line);
  CharInfo& ci = pFont->aCharInfo[code];
  if (ci.BoxWidth <= 0) return;
  const int rows = EDIT_RowsOf(pFont, code);
  const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
  if (!EDIT_Relayout(pFont, code, copy, copy.Width - 1, rows, left ? 1 : 0, 0, false)) return;
  ci.CursorDist -= 1;
  Redraw();
}

// Rotation of the box contents by one pixel: the pixel at (x, y) takes the
// copy's pixel (x + dx, y + dy), wrapping around.
void Rotate(Font* pFont, int logging, const char* line, int dx, int dy) {
  const uint16_t code = Begin(pFont, logging, line);
  const CharInfo& ci = pFont->aCharInfo[code];
  if (ci.BoxWidth <= 0) return;
  const int rows = EDIT_RowsOf(pFont, code);
  const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
  EDIT_Relayout(pFont, code, copy, copy.Width, rows, dx, dy, true);
  Redraw();
}

void Move(Font* pFont, int logging, const char* line, int dLeft, int dTop) {
  const uint16_t code = Begin(pFont, logging, line);
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxLeft += dLeft;
  ci.BoxTop += dTop;
  Redraw();
}

// Rows: per character for the extended types with boxes of their own, for the
// whole font with its height otherwise.
bool RowsAreFontWide(const Font* pFont) {
  return !FONT_IsExtendedType(pFont->Type) || pFont->Type == FONTTYPE_EXT_FRM;
}

void InsertRow(Font* pFont, int logging, const char* line, bool top) {
  if (RowsAreFontWide(pFont)) {
    if (logging) {
      const uint16_t code = FONT_GetCurrentChar(pFont);
      EDIT_Journal(line, code, code);
    }
    top ? EDIT_FontRowsInsertTop(pFont) : EDIT_FontRowsInsertBottom(pFont);
    Redraw();
    return;
  }
  const uint16_t code = Begin(pFont, logging, line);
  CharInfo& ci = pFont->aCharInfo[code];
  const int rows = ci.BoxHeight;
  // The box grows only while it does not reach the font's top (bottom) row.
  if (top ? ci.BoxTop >= pFont->Baseline : pFont->Baseline - ci.BoxTop + rows >= pFont->Height) return;
  const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
  if (!EDIT_Relayout(pFont, code, copy, copy.Width, rows + 1, 0, top ? -1 : 0, false)) return;
  ci.BoxHeight = rows + 1;
  if (top) ci.BoxTop += 1;
  Redraw();
}

void DeleteRow(Font* pFont, int logging, const char* line, bool top) {
  if (RowsAreFontWide(pFont)) {
    if (logging) {
      const uint16_t code = FONT_GetCurrentChar(pFont);
      EDIT_Journal(line, code, code);
    }
    top ? EDIT_FontRowsDeleteTop(pFont) : EDIT_FontRowsDeleteBottom(pFont);
    Redraw();
    return;
  }
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (logging) EDIT_Journal(line, code, code);
  CharInfo& ci = pFont->aCharInfo[code];
  const int rows = ci.BoxHeight;
  if (top) {
    EDIT_EnsureRendered(pFont, code);
    if (rows <= 1) return;
    const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
    if (!EDIT_Relayout(pFont, code, copy, copy.Width, rows - 1, 0, 1, false)) return;
    ci.BoxTop -= 1;
  } else if (rows <= 1) {
    return;
  }
  // Deleting the bottom row only shortens the box; the data stay.
  ci.BoxHeight = rows - 1;
  Redraw();
}

}  // namespace

void EDIT_InsertRight(Font* pFont, int logging) {
  InsertColumn(pFont, logging, "* Edit/Insert/Right     at character 0x%X (%d)", false);
}
void EDIT_InsertLeft(Font* pFont, int logging) {
  InsertColumn(pFont, logging, "* Edit/Insert/Left      at character 0x%X (%d)", true);
}
void EDIT_DeleteRight(Font* pFont, int logging) {
  DeleteColumn(pFont, logging, "* Edit/Delete/Right     at character 0x%X (%d)", false);
}
void EDIT_DeleteLeft(Font* pFont, int logging) {
  DeleteColumn(pFont, logging, "* Edit/Delete/Left      at character 0x%X (%d)", true);
}

void EDIT_InsertTop(Font* pFont, int logging) {
  InsertRow(pFont, logging, "* Edit/Insert/Top       at character 0x%X (%d)", true);
}
void EDIT_InsertBottom(Font* pFont, int logging) {
  InsertRow(pFont, logging, "* Edit/Insert/Bottom    at character 0x%X (%d)", false);
}
void EDIT_DeleteTop(Font* pFont, int logging) {
  DeleteRow(pFont, logging, "* Edit/Delete/Top       at character 0x%X (%d)", true);
}
void EDIT_DeleteBottom(Font* pFont, int logging) {
  DeleteRow(pFont, logging, "* Edit/Delete/Bottom    at character 0x%X (%d)", false);
}

void EDIT_ShiftRight(Font* pFont, int logging) {
  Rotate(pFont, logging, "* Edit/Shift/Right      at character 0x%X (%d)", -1, 0);
}
void EDIT_ShiftLeft(Font* pFont, int logging) {
  Rotate(pFont, logging, "* Edit/Shift/Left       at character 0x%X (%d)", 1, 0);
}
void EDIT_ShiftUp(Font* pFont, int logging) {
  Rotate(pFont, logging, "* Edit/Shift/Up         at character 0x%X (%d)", 0, 1);
}
void EDIT_ShiftDown(Font* pFont, int logging) {
  Rotate(pFont, logging, "* Edit/Shift/Down       at character 0x%X (%d)", 0, -1);
}

void EDIT_MoveRight(Font* pFont, int logging) {
  Move(pFont, logging, "* Edit/Move/Right       at character 0x%X (%d)", 1, 0);
}
void EDIT_MoveLeft(Font* pFont, int logging) {
  Move(pFont, logging, "* Edit/Move/Left        at character 0x%X (%d)", -1, 0);
}
void EDIT_MoveUp(Font* pFont, int logging) {
  Move(pFont, logging, "* Edit/Move/Up          at character 0x%X (%d)", 0, 1);
}
void EDIT_MoveDown(Font* pFont, int logging) {
  Move(pFont, logging, "* Edit/Move/Down        at character 0x%X (%d)", 0, -1);
}

void EDIT_IncCursorDist(Font* pFont) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  EDIT_Journal("* Edit/Cursor Distance/Increase at character 0x%X (%d)", code, code);
  CharInfo& ci = pFont->aCharInfo[code];
  if (ci.CursorDist == CURSOR_DIST_MAX) return;
  ci.CursorDist += 1;
  Redraw();
}

void EDIT_DecCursorDist(Font* pFont) {
  const uint16_t code = FONT_GetCurrentChar(pFont);
  EDIT_Journal("* Edit/Cursor Distance/Decrease at character 0x%X (%d)", code, code);
  CharInfo& ci = pFont->aCharInfo[code];
  if (ci.CursorDist == 0) return;
  ci.CursorDist -= 1;
  Redraw();
}
