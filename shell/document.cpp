// The document: installs fonts, forwards the core's notices, writes pixels.
#include "shell/document.h"

#include <cstdio>

#include "edit/edit.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "input/merge.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/journal.h"

Document::Document(QObject* parent) : QObject(parent) { qRegisterMetaType<ChangeNotice>(); }

Font* Document::font() const { return FONT_GetCurrent(); }

void Document::install(FontPtr pFont, const QString& path) {
  if (!pFont) return;
  FONT_SetFileName(pFont.get(), path.toLocal8Bit().constData());
  FONT_SetCurrent(std::move(pFont));
  emit fontInstalled();
}

int Document::currentChar() const {
  const Font* pFont = font();
  return pFont ? FONT_GetCurrentChar(pFont) : 0;
}

void Document::setCurrentChar(int code) {
  Font* pFont = font();
  if (!pFont || code < 0) return;
  const int before = FONT_GetCurrentChar(pFont);
  FONT_SetCurrentChar(pFont, static_cast<uint32_t>(code));
  if (FONT_GetCurrentChar(pFont) != before) emit currentCharChanged(FONT_GetCurrentChar(pFont));
}

void Document::setKeyboardTarget(int target) {
  target = target ? 1 : 0;
  if (target == keyboardTarget_) return;
  keyboardTarget_ = target;
  emit keyboardTargetChanged(target);
}

void Document::setShowAllCharacters(int on) {
  on = on ? 1 : 0;
  if (on == showAllCharacters_) return;
  showAllCharacters_ = on;
  emit showAllCharactersChanged(on);
}

void Document::setPixel(int code, int x, int y, int value, bool journal) {
  Font* pFont = font();
  if (!pFont || code < 0 || code >= FONT_NUM_CODES) return;
  const uint16_t c = static_cast<uint16_t>(code);
  const int rows = FONT_GetCharHeight(pFont, c) ? FONT_GetCharHeight(pFont, c) : FONT_GetHeight(pFont);
  if (x < 0 || y < 0 || x >= FONT_GetCharWidth(pFont, c) || y >= rows) return;
  if (journal) {
    char line[128];
    std::snprintf(line, sizeof line, "* Pixel index of character 0x%X (%d) at %d/%d set to %d", code, code, x,
                  y, value);
    JOURNAL_FormatLine(line, sizeof line);
    JOURNAL_Add(line);
  }
  FONT_SetPixel(pFont, c, x, y, value);
  if (FONT_GetType(pFont) == FONTTYPE_EXT_FRM) FONT_RecalcFrame(pFont, c);
  emit fontChanged(ChangeNotice{code, code, CHANGE_PIXELS});
}

void Document::notifyFontChanged(const ChangeNotice& notice) { emit fontChanged(notice); }

void Document::notifyRedraw(int viewMask) { emit redrawRequested(viewMask); }

namespace {

bool In(int id, int first, int last) { return id >= first && id <= last; }

}  // namespace

bool Document::runEditCommand(int id) {
  using EditFn = void (*)(Font*, int);
  // Columns, rows, shifts and moves of the current character, in id order.
  static const EditFn aCharEdits[] = {
      EDIT_InsertRight, EDIT_InsertLeft, EDIT_InsertTop,   EDIT_InsertBottom,  // 540..543
      EDIT_DeleteRight, EDIT_DeleteLeft, EDIT_DeleteTop,   EDIT_DeleteBottom,  // 560..563
      EDIT_ShiftRight,  EDIT_ShiftLeft,  EDIT_ShiftUp,     EDIT_ShiftDown,     // 580..583
      EDIT_MoveRight,   EDIT_MoveLeft,   EDIT_MoveUp,      EDIT_MoveDown,      // 600..603
  };
  const bool known = In(id, 540, 543) || In(id, 560, 563) || In(id, 580, 583) || In(id, 600, 603) ||
                     In(id, 620, 621) || In(id, 640, 643) || In(id, 660, 662) || id == 722;
  if (!known) return false;
  Font* pFont = font();
  if (!pFont) return true;
  const int code = FONT_GetCurrentChar(pFont);
  const int lastCode = FONT_GetNumBlocks(pFont) * 16 - 1;
  // Row edits of the types without per-character boxes change every character and the
  // font height.
  const bool rowsOfAll = !FONT_IsExtendedType(FONT_GetType(pFont)) || FONT_GetType(pFont) == FONTTYPE_EXT_FRM;
  if (id < 620) {
    const int group = (id - 540) / 20;
    aCharEdits[group * 4 + (id - 540) % 20](pFont, 1);
    const bool rowEdit = (group == 0 || group == 1) && (id % 20) >= 2;
    if (rowEdit && rowsOfAll) {
      emit fontChanged(ChangeNotice{0, lastCode, CHANGE_PIXELS | CHANGE_BOX | CHANGE_METRICS});
    } else {
      const int what = group == 2 ? CHANGE_PIXELS : group == 3 ? CHANGE_BOX : CHANGE_PIXELS | CHANGE_BOX;
      emit fontChanged(ChangeNotice{code, code, what});
    }
    return true;
  }
  switch (id) {
    case 620: EDIT_IncCursorDist(pFont); break;
    case 621: EDIT_DecCursorDist(pFont); break;
    case 640: EDIT_IncFontTop(pFont); break;
    case 641: EDIT_IncFontBottom(pFont, 1); break;
    case 642: EDIT_DecFontTop(pFont); break;
    case 643: EDIT_DecFontBottom(pFont, 1); break;
    case 660: EDIT_ToggleChar(); break;
    case 661: EDIT_EnableBlock(0); break;
    case 662: EDIT_EnableBlock(1); break;
    case 722: enableRange(0, lastCode, 0); return true;
  }
  if (id == 620 || id == 621) {
    emit fontChanged(ChangeNotice{code, code, CHANGE_BOX});
  } else if (In(id, 640, 643)) {
    emit fontChanged(ChangeNotice{0, lastCode, CHANGE_PIXELS | CHANGE_BOX | CHANGE_METRICS});
  } else if (id == 660) {
    emit fontChanged(ChangeNotice{code, code, CHANGE_ENABLED});
  } else {
    emit fontChanged(ChangeNotice{code & ~15, code | 15, CHANGE_ENABLED});
  }
  return true;
}

void Document::enableRange(int first, int last, int state) {
  if (!font()) return;
  EDIT_EnableRange(first, last, state);
  if (first <= last) emit fontChanged(ChangeNotice{first, last, CHANGE_ENABLED});
}

void Document::mergeFont(const Font* pSource) {
  Font* pFont = font();
  if (!pFont || !pSource) return;
  char message[100];
  if (MERGE_Fonts(pFont, pSource, message, sizeof message)) {
    ReportMessage(message);
    return;
  }
  emit fontChanged(ChangeNotice{0, FONT_NUM_CODES - 1, CHANGE_PIXELS | CHANGE_BOX | CHANGE_ENABLED});
  emit redrawRequested(VIEW_CHAR | VIEW_FONT);
}

void Document::flipShowAllCharacters() {
  setShowAllCharacters(!showAllCharacters_);
  if (font()) setCurrentChar('A');
}
