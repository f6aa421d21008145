#include "edit/fontedit.h"

#include <cstdio>
#include <cstdlib>

#include "edit/edit.h"
#include "edit/relayout.h"
#include "model/font.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

void Redraw() { SERVICES_Get()->RedrawViews(VIEW_CHAR | VIEW_FONT); }

enum RowEdit { INSERT_TOP, INSERT_BOTTOM, DELETE_TOP, DELETE_BOTTOM };

// One row more or less for every character of the font and the font height.
void FontRows(Font* pFont, RowEdit edit) {
  const bool deleting = edit == DELETE_TOP || edit == DELETE_BOTTOM;
  if (deleting && pFont->Height <= 1) {
    ReportMessage("Could not delete pixel!");
    return;
  }
  PlatformServices* pServices = SERVICES_Get();
  pServices->SetWaitCursor(true);
  FONT_RenderPending(pFont);
  const int rows = pFont->Height;
  const uint32_t end = static_cast<uint32_t>(pFont->NumBlocks) * 16;
  for (uint32_t i = 0; i < end && i < FONT_NUM_CODES; ++i) {
    const uint16_t code = static_cast<uint16_t>(i);
    if ((code & 0xFF) == 0) {
      char status[40];
      std::snprintf(status, sizeof(status), "Modifying character %04X   ", code);
      pServices->SetStatusText(status);
    }
    CharInfo& ci = pFont->aCharInfo[code];
    if (ci.BoxWidth == 0) continue;
    const int boxRows = ci.BoxHeight ? ci.BoxHeight : rows;
    if (edit == DELETE_BOTTOM) {
      ci.BoxHeight = boxRows - 1;
      continue;
    }
    const CharCopy copy = EDIT_CopyChar(pFont, code, rows);
    const bool done = edit == INSERT_TOP      ? EDIT_Relayout(pFont, code, copy, copy.Width, rows + 1, 0, -1, false)
                      : edit == INSERT_BOTTOM ? EDIT_Relayout(pFont, code, copy, copy.Width, rows + 1, 0, 0, false)
                                              : EDIT_Relayout(pFont, code, copy, copy.Width, rows, 0, 1, false);
    if (done) ci.BoxHeight = boxRows + (edit == DELETE_TOP ? -1 : 1);
  }
  pFont->Height = deleting ? rows - 1 : rows + 1;
  if (edit != DELETE_BOTTOM) pServices->SetStatusText("Ready");
  pServices->SetWaitCursor(false);
}

void RangeLine(const char* format, int first, int last, int count) {
  EDIT_Journal(format, first, first, last, last, count);
}

// The codes of a range, at most the 65536 a font can have.
template <typename Step>
void ForEachCode(Font* pFont, int first, int last, Step step) {
  if (first < 0) first = 0;
  if (last >= FONT_NUM_CODES) last = FONT_NUM_CODES - 1;
  for (int code = first; code <= last; ++code) {
    FONT_SetCurrentChar(pFont, static_cast<uint32_t>(code));
    step();
  }
}

}  // namespace

void EDIT_FontRowsInsertTop(Font* pFont) { FontRows(pFont, INSERT_TOP); }
void EDIT_FontRowsInsertBottom(Font* pFont) { FontRows(pFont, INSERT_BOTTOM); }
void EDIT_FontRowsDeleteTop(Font* pFont) { FontRows(pFont, DELETE_TOP); }
void EDIT_FontRowsDeleteBottom(Font* pFont) { FontRows(pFont, DELETE_BOTTOM); }

void EDIT_IncFontBottom(Font* pFont, int logging) {
  if (logging) EDIT_Journal("* Edit/Increase/Bottom  of font.");
  pFont->Height += 1;
  Redraw();
}

void EDIT_IncFontTop(Font* pFont) {
  EDIT_IncFontBottom(pFont, 0);
  pFont->Baseline += 1;
  EDIT_Journal("* Edit/Increase/Top     of font.");
  SERVICES_Get()->SetStatusText("Ready");
}

void EDIT_DecFontBottom(Font* pFont, int logging) {
  if (logging) EDIT_Journal("* Edit/Decrease/Bottom  of font.");
  if (pFont->Height <= 1) return;
  pFont->Height -= 1;
  Redraw();
}

void EDIT_DecFontTop(Font* pFont) {
  EDIT_DecFontBottom(pFont, 0);
  pFont->Baseline -= 1;
  EDIT_Journal("* Edit/Decrease/Top     of font.");
  SERVICES_Get()->SetStatusText("Ready");
}

void EDIT_ShiftRange(Font* pFont, int first, int last, int value, int vertical) {
  void (*op)(Font*, int) = vertical ? (value > 0 ? EDIT_ShiftDown : EDIT_ShiftUp)
                                    : (value > 0 ? EDIT_ShiftRight : EDIT_ShiftLeft);
  const long steps = std::labs(static_cast<long>(value));
  ForEachCode(pFont, first, last, [&] {
    // A rotation by the box size is no rotation: only the remainder is done.
    const uint16_t code = FONT_GetCurrentChar(pFont);
    EDIT_EnsureRendered(pFont, code);
    const long size = vertical ? EDIT_RowsOf(pFont, code) : pFont->aCharInfo[code].BoxWidth;
    const long n = size > 0 ? steps % size : 0;
    for (long i = 0; i < n; ++i) op(pFont, 0);
  });
}

void EDIT_MoveRange(Font* pFont, int first, int last, int value, int vertical) {
  // Moves have no bounds: value steps of one pixel are one step of value pixels.
  ForEachCode(pFont, first, last, [&] {
    const uint16_t code = FONT_GetCurrentChar(pFont);
    EDIT_EnsureRendered(pFont, code);
    CharInfo& ci = pFont->aCharInfo[code];
    if (vertical)
      ci.BoxTop -= value;
    else
      ci.BoxLeft += value;
  });
  Redraw();
}

void EDIT_InsertRange(Font* pFont, int first, int last, int count, int side) {
  static const char* const kLines[] = {
      "* Edit/Insert/Top    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Bottom    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Left    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Right    range 0x%X (%d) to 0x%X (%d) for %d pixel",
  };
  static void (*const kOps[])(Font*, int) = {EDIT_InsertTop, EDIT_InsertBottom, EDIT_InsertLeft, EDIT_InsertRight};
  if (side < EDIT_SIDE_TOP || side > EDIT_SIDE_RIGHT) return;
  RangeLine(kLines[side], first, last, count);
  ForEachCode(pFont, first, last, [&] {
    for (int i = 0; i < count; ++i) kOps[side](pFont, 0);
  });
}

void EDIT_DeleteRange(Font* pFont, int first, int last, int count, int side) {
  static const char* const kLines[] = {
      "* Edit/Delete/Top    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Bottom    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Left    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Right    range 0x%X (%d) to 0x%X (%d) for %d pixel",
  };
  static void (*const kOps[])(Font*, int) = {EDIT_DeleteTop, EDIT_DeleteBottom, EDIT_DeleteLeft, EDIT_DeleteRight};
  if (side < EDIT_SIDE_TOP || side > EDIT_SIDE_RIGHT) return;
  RangeLine(kLines[side], first, last, count);
  const bool fontWide = (side == EDIT_SIDE_TOP || side == EDIT_SIDE_BOTTOM) &&
                        (!FONT_IsExtendedType(pFont->Type) || pFont->Type == FONTTYPE_EXT_FRM);
  bool refused = false;
  ForEachCode(pFont, first, last, [&] {
    const uint16_t code = FONT_GetCurrentChar(pFont);
    EDIT_EnsureRendered(pFont, code);
    const CharInfo& ci = pFont->aCharInfo[code];
    for (int i = 0; i < count; ++i) {
      if (fontWide) {
        // A font one row high says once that it cannot lose a row.
        if (pFont->Height <= 1 && refused) return;
        refused = pFont->Height <= 1;
      } else if (side >= EDIT_SIDE_LEFT ? ci.BoxWidth <= 0 : ci.BoxHeight <= 1) {
        return;  // nothing left to delete
      }
      kOps[side](pFont, 0);
    }
  });
}
