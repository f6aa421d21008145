#include "edit/fontedit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "edit/internal/relayout.h"
#include "model/font.h"
#include "settings/journal.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

enum RowEdit { INSERT_TOP, INSERT_BOTTOM, DELETE_TOP, DELETE_BOTTOM };

uint32_t CodeEnd(const Font* pFont) { return static_cast<uint32_t>(pFont->NumBlocks) * 16; }

void NotifyAll(const Font* pFont, int what) {
  const int end = static_cast<int>(std::min<uint32_t>(CodeEnd(pFont), FONT_NUM_CODES));
  EDIT_Notify(0, end - 1, what);
}

// count rows more or less for every character of the font and the font height.
int FontRows(Font* pFont, int64_t count, RowEdit edit) {
  if (count <= 0) return 1;
  const bool deleting = edit == DELETE_TOP || edit == DELETE_BOTTOM;
  if (deleting && pFont->Height <= 1) {
    ReportMessage("Could not delete pixel!");
    return 1;
  }
  if (!deleting && pFont->Height + count > EDIT_MAX_EXTENT) return 1;
  const int n = static_cast<int>(deleting ? std::min<int64_t>(count, pFont->Height - 1) : count);
  PlatformServices* pServices = SERVICES_Get();
  pServices->SetWaitCursor(true);
  FONT_RenderPending(pFont);
  const int rows = pFont->Height;
  const uint32_t end = CodeEnd(pFont);
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
      ci.BoxHeight = std::max(boxRows - n, 1);
      continue;
    }
    const int width = std::max(ci.BoxWidth, 0);
    const bool done = edit == INSERT_TOP      ? EDIT_Reshape(pFont, code, rows, width, rows + n, 0, -n, false)
                      : edit == INSERT_BOTTOM ? EDIT_Reshape(pFont, code, rows, width, rows + n, 0, 0, false)
                                              : EDIT_Reshape(pFont, code, rows, width, rows, 0, n, false);
    if (done) ci.BoxHeight = edit == DELETE_TOP ? std::max(boxRows - n, 1) : boxRows + n;
  }
  pFont->Height = deleting ? rows - n : rows + n;
  if (edit != DELETE_BOTTOM) pServices->SetStatusText("Ready");
  pServices->SetWaitCursor(false);
  NotifyAll(pFont, CHANGE_PIXELS | CHANGE_BOX | CHANGE_METRICS);
  if (n < count) ReportMessage("Could not delete pixel!");
  return 0;
}

}  // namespace

int EDIT_InsertFontRows(Font* pFont, int64_t count, int side) {
  return FontRows(pFont, count, side == EDIT_SIDE_TOP ? INSERT_TOP : INSERT_BOTTOM);
}

int EDIT_DeleteFontRows(Font* pFont, int64_t count, int side) {
  return FontRows(pFont, count, side == EDIT_SIDE_TOP ? DELETE_TOP : DELETE_BOTTOM);
}

namespace {

void Lines(const char* line, int count) {
  for (int i = 0; i < count; ++i) JOURNAL_AddLine("%s", line);
}

}  // namespace

int EDIT_GrowFont(Font* pFont, int count, int side, int logging) {
  if (count <= 0 || pFont->Height + int64_t{count} > EDIT_MAX_EXTENT) return 1;
  const bool top = side == EDIT_SIDE_TOP;
  if (!top && logging) Lines("* Edit/Increase/Bottom  of font.", count);
  if (FONT_IsExtendedType(pFont->Type)) {
    pFont->Height += count;
    NotifyAll(pFont, CHANGE_METRICS);
    if (top) pFont->Baseline = EDIT_AddClamped(pFont->Baseline, count);
  } else {
    // A standard character is as high as the font: its rows go with the height.
    // A baseline of 0 (not known) stays 0.
    EDIT_InsertFontRows(pFont, count, side);
    if (top && pFont->Baseline > 0) pFont->Baseline = EDIT_AddClamped(pFont->Baseline, count);
  }
  if (top) {
    Lines("* Edit/Increase/Top     of font.", count);
    SERVICES_Get()->SetStatusText("Ready");
  }
  return 0;
}

int EDIT_ShrinkFont(Font* pFont, int count, int side, int logging) {
  if (count <= 0 || count > EDIT_MAX_EXTENT) return 1;
  const bool top = side == EDIT_SIDE_TOP;
  if (!top && logging) Lines("* Edit/Decrease/Bottom  of font.", count);
  if (FONT_IsExtendedType(pFont->Type)) {
    if (pFont->Height > 1) {
      pFont->Height = std::max(pFont->Height - count, 1);
      NotifyAll(pFont, CHANGE_METRICS);
    }
    // The baseline moves also when the height stays at 1.
    if (top) pFont->Baseline = EDIT_AddClamped(pFont->Baseline, -int64_t{count});
  } else {
    const int before = pFont->Height;
    EDIT_DeleteFontRows(pFont, count, side);
    if (top) pFont->Baseline = std::max(pFont->Baseline - (before - pFont->Height), 0);
  }
  if (top) {
    Lines("* Edit/Decrease/Top     of font.", count);
    SERVICES_Get()->SetStatusText("Ready");
  }
  return 0;
}

void EDIT_IncFontTop(Font* pFont) { EDIT_GrowFont(pFont, 1, EDIT_SIDE_TOP, 1); }
void EDIT_IncFontBottom(Font* pFont, int logging) { EDIT_GrowFont(pFont, 1, EDIT_SIDE_BOTTOM, logging); }
void EDIT_DecFontTop(Font* pFont) { EDIT_ShrinkFont(pFont, 1, EDIT_SIDE_TOP, 1); }
void EDIT_DecFontBottom(Font* pFont, int logging) { EDIT_ShrinkFont(pFont, 1, EDIT_SIDE_BOTTOM, logging); }

namespace {

// The codes of a range, at most the 65536 a font can have; a code outside the
// font stands for code 0, as selecting it would. The last code becomes the
// current character, and the views hear of it once.
template <typename Step>
void ForEachCode(Font* pFont, int first, int last, Step step) {
  if (first < 0) first = 0;
  if (last >= FONT_NUM_CODES) last = FONT_NUM_CODES - 1;
  if (first > last) return;
  NoticeBatch batch;
  const uint32_t end = CodeEnd(pFont);
  for (int code = first; code <= last; ++code) step(static_cast<uint16_t>(static_cast<uint32_t>(code) < end ? code : 0));
  const uint16_t before = FONT_GetCurrentChar(pFont);
  FONT_SetCurrentChar(pFont, static_cast<uint32_t>(last));
  if (FONT_GetCurrentChar(pFont) != before) SERVICES_Get()->RedrawViews(VIEW_ALL);
}

int64_t CodesIn(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, FONT_NUM_CODES - 1);
  return first <= last ? int64_t{last} - first + 1 : 0;
}

bool RowSide(int side) { return side == EDIT_SIDE_TOP || side == EDIT_SIDE_BOTTOM; }

}  // namespace

void EDIT_ShiftRange(Font* pFont, int first, int last, int value, int vertical) {
  const int64_t steps = std::llabs(int64_t{value});
  const int64_t sign = value > 0 ? 1 : -1;
  ForEachCode(pFont, first, last, [&](uint16_t code) {
    EDIT_EnsureRendered(pFont, code);
    const int64_t size = vertical ? EDIT_RowsOf(pFont, code) : pFont->aCharInfo[code].BoxWidth;
    const int64_t n = size > 0 ? steps % size : 0;
    if (n == 0) return;
    if (vertical)
      EDIT_ShiftChar(pFont, code, 0, sign * n);
    else
      EDIT_ShiftChar(pFont, code, sign * n, 0);
  });
}

void EDIT_MoveRange(Font* pFont, int first, int last, int value, int vertical) {
  // Moves have no bounds: value steps of one pixel are one step of value pixels.
  ForEachCode(pFont, first, last, [&](uint16_t code) {
    if (vertical)
      EDIT_MoveChar(pFont, code, 0, value);
    else
      EDIT_MoveChar(pFont, code, value, 0);
  });
}

void EDIT_InsertRange(Font* pFont, int first, int last, int count, int side) {
  static const char* const kLines[] = {
      "* Edit/Insert/Top    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Bottom    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Left    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Insert/Right    range 0x%X (%d) to 0x%X (%d) for %d pixel",
  };
  if (side < EDIT_SIDE_TOP || side > EDIT_SIDE_RIGHT) return;
  JOURNAL_AddLine(kLines[side], first, first, last, last, count);
  if (RowSide(side) && EDIT_RowsAreFontWide(pFont)) {
    // One row per code and step, for the whole font: all of them at once.
    ForEachCode(pFont, first, last, [](uint16_t) {});
    if (count > 0) EDIT_InsertFontRows(pFont, CodesIn(first, last) * count, side);
    return;
  }
  ForEachCode(pFont, first, last, [&](uint16_t code) {
    if (RowSide(side))
      EDIT_InsertCharRows(pFont, code, count, side);
    else
      EDIT_InsertColumns(pFont, code, count, side);
  });
}

void EDIT_DeleteRange(Font* pFont, int first, int last, int count, int side) {
  static const char* const kLines[] = {
      "* Edit/Delete/Top    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Bottom    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Left    range 0x%X (%d) to 0x%X (%d) for %d pixel",
      "* Edit/Delete/Right    range 0x%X (%d) to 0x%X (%d) for %d pixel",
  };
  if (side < EDIT_SIDE_TOP || side > EDIT_SIDE_RIGHT) return;
  JOURNAL_AddLine(kLines[side], first, first, last, last, count);
  if (RowSide(side) && EDIT_RowsAreFontWide(pFont)) {
    // A font one row high says once that it cannot lose a row.
    ForEachCode(pFont, first, last, [&](uint16_t code) { EDIT_EnsureRendered(pFont, code); });
    if (count > 0) EDIT_DeleteFontRows(pFont, CodesIn(first, last) * count, side);
    return;
  }
  ForEachCode(pFont, first, last, [&](uint16_t code) {
    EDIT_EnsureRendered(pFont, code);
    if (RowSide(side))
      EDIT_DeleteCharRows(pFont, code, count, side);
    else
      EDIT_DeleteColumns(pFont, code, count, side);
  });
}
