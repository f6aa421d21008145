// The document: installs fonts, forwards the core's notices, writes pixels.
#include "shell/document.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <cstdio>
#include <memory>
#include <vector>

#include "edit/edit.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "input/merge.h"
#include "input/c_read.h"
#include "input/xbf_read.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/journal.h"
#include "shell/undohistory.h"

namespace {

// Whether the operation left the font as the record found it.
bool Unchanged(const EditRecord& record, const Font* pFont) {
  return record.aChar.empty() && record.aFlag.empty() && record.aBlock.empty() && record.JournalText.empty() &&
         !record.Scope.ReplacesJournal && record.Height == pFont->Height && record.Baseline == pFont->Baseline &&
         record.MaxWidth == pFont->MaxWidth && record.NumUsedBlocks == pFont->NumUsedBlocks &&
         record.CurrentChar == pFont->CurrentChar;
}

}  // namespace

size_t Document::historyMemory() const { return UNDO_HistoryMemory(pUndo_); }

Document::Document(QObject* parent) : QObject(parent), pUndo_(new QUndoStack(this)) {
  qRegisterMetaType<ChangeNotice>();
}

void Document::recordEdit(const EditScope& scope, const QString& text, const std::function<bool()>& change) {
  pixelRun_ = -1;
  pushStep(scope, text, change, -1);
}

void Document::pushStep(const EditScope& scope, const QString& text, const std::function<bool()>& change, int run,
                        const std::string* pJournalBefore) {
  Font* pFont = font();
  if (!pFont) {
    change();
    return;
  }
  auto pRecord = std::make_unique<EditRecord>();
  const bool kept = EDIT_RecordBegin(pRecord.get(), pFont, scope) == 0;
  // The journal was replaced before the record began (reading a merged file
  // clears it): undo brings back the one from before.
  if (kept && pJournalBefore && scope.ReplacesJournal) pRecord->JournalText = *pJournalBefore;
  const bool changed = change();
  pFont = font();
  if (!kept || !pFont) {
    // Memory was short: the older steps no longer fit the font.
    if (changed) pUndo_->clear();
    return;
  }
  EDIT_RecordEnd(pRecord.get(), pFont);
  if (!changed || Unchanged(*pRecord, pFont)) return;
  pUndo_->push(new UndoStep(this, std::move(pRecord), text, run));
  if (!inStroke_) UNDO_KeepWithin(pUndo_, historyBudget_);
}

void Document::beginStroke() {
  if (inStroke_) return;
  pixelRun_ = -1;
  inStroke_ = true;
  pUndo_->beginMacro("Draw");
}

void Document::endStroke() {
  if (!inStroke_) return;
  inStroke_ = false;
  pixelRun_ = -1;
  pUndo_->endMacro();
  // A stroke that changed no pixel leaves no step: the empty macro goes.
  const int last = pUndo_->index() - 1;
  if (last >= 0 && pUndo_->command(last)->childCount() == 0) {
    const_cast<QUndoCommand*>(pUndo_->command(last))->setObsolete(true);
    pUndo_->undo();
  }
  UNDO_KeepWithin(pUndo_, historyBudget_);
}

QString Document::commandStepName(int id) {
  static const char* const aSide[] = {"right", "left", "top", "bottom"};
  static const char* const aDir[] = {"right", "left", "up", "down"};
  if (id >= 540 && id <= 563) {
    const bool col = id % 20 < 2;
    return QString("%1 %2 at %3").arg(id < 560 ? "Insert" : "Delete", col ? "column" : "row", aSide[id % 20]);
  }
  if (id >= 580 && id <= 583) return QString("Shift character %1").arg(aDir[id % 20]);
  if (id >= 600 && id <= 603) return QString("Move box %1").arg(aDir[id % 20]);
  switch (id) {
    case 620: return "Increase cursor distance";
    case 621: return "Decrease cursor distance";
    case 640: return "Insert font row at top";
    case 641: return "Insert font row at bottom";
    case 642: return "Delete font row at top";
    case 643: return "Delete font row at bottom";
    case 660: return "Toggle character";
    case 661: return "Disable block";
    case 662: return "Enable block";
    case 722: return "Disable all characters";
  }
  return QString();
}

Font* Document::font() const { return FONT_GetCurrent(); }

void Document::install(FontPtr pFont, const QString& path) {
  if (!pFont) return;
  FONT_SetFileName(pFont.get(), path.toLocal8Bit().constData());
  if (inStroke_) endStroke();
  pUndo_->clear();
  pixelRun_ = -1;
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
  if (FONT_GetCurrentChar(pFont) != before) pixelRun_ = -1;
  if (FONT_GetCurrentChar(pFont) != before) emit currentCharChanged(FONT_GetCurrentChar(pFont));
}

void Document::setKeyboardTarget(int target) {
  target = target ? 1 : 0;
  if (target == keyboardTarget_) return;
  keyboardTarget_ = target;
  pixelRun_ = -1;
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
  int run = -1;
  if (!inStroke_) {
    if (pixelRun_ != code) ++runSerial_;
    pixelRun_ = code;
    run = runSerial_;
  }
  pushStep(EDIT_ScopeChar(c), "Pixel edit", [&] { return setPixelNow(c, x, y, value, journal); }, run);
  emit fontChanged(ChangeNotice{code, code, CHANGE_PIXELS});
}

bool Document::setPixelNow(uint16_t c, int x, int y, int value, bool journal) {
  if (EDIT_SetPixel(font(), c, x, y, value) != 0) return false;
  const int code = c;
  if (journal) JOURNAL_AddLine("* Pixel index of character 0x%X (%d) at %d/%d set to %d", code, code, x, y, value);
  return true;
}

void Document::notifyFontChanged(const ChangeNotice& notice) { emit fontChanged(notice); }

void Document::notifyRedraw(int viewMask) { emit redrawRequested(viewMask); }

namespace {

bool In(int id, int first, int last) { return id >= first && id <= last; }

}  // namespace

bool Document::runEditCommand(int id) {
  const bool known = In(id, 540, 543) || In(id, 560, 563) || In(id, 580, 583) || In(id, 600, 603) ||
                     In(id, 620, 621) || In(id, 640, 643) || In(id, 660, 662) || id == 722;
  if (!known) return false;
  Font* pFont = font();
  if (!pFont) return true;
  const int code = FONT_GetCurrentChar(pFont);
  EditScope scope = EDIT_ScopeChar(static_cast<uint16_t>(code));
  if (id < 620 && (id - 540) / 20 <= 1 && id % 20 >= 2) scope = EDIT_ScopeRowEdit(pFont, static_cast<uint16_t>(code));
  if (In(id, 640, 643)) scope = EDIT_ScopeFontHeight(pFont);
  // Enabling and disabling change flags only: their steps keep no pixels.
  if (id == 660) scope = EDIT_ScopeEnabled(code, code);
  if (In(id, 661, 662)) scope = EDIT_ScopeEnabled(code & ~15, code | 15);
  if (id == 722) scope = EDIT_ScopeEnabled(0, int64_t{FONT_GetNumBlocks(pFont)} * 16 - 1);
  recordEdit(scope, commandStepName(id), [&] { return runEditCommandNow(id); });
  return true;
}

bool Document::runEditCommandNow(int id) {
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
    case 722: enableRangeNow(0, lastCode, 0); return true;
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
  recordEdit(EDIT_ScopeEnabled(first, last), state ? "Enable range" : "Disable range", [&] {
    enableRangeNow(first, last, state);
    return true;
  });
}

void Document::enableRangeNow(int first, int last, int state) {
  EDIT_EnableRange(first, last, state);
  if (first <= last) emit fontChanged(ChangeNotice{first, last, CHANGE_ENABLED});
}

void Document::mergeFont(const Font* pSource, const std::string* pJournalBefore) {
  Font* pFont = font();
  if (!pFont || !pSource) return;
  char message[100];
  // Only the codes the source holds can change, besides the used blocks.
  EditScope scope = EDIT_ScopeMerge(pSource);
  scope.ReplacesJournal = true;
  bool refused = false;
  pixelRun_ = -1;
  pushStep(scope, "Merge font", [&] {
    refused = INPUT_MergeFonts(pFont, pSource, message, sizeof message) != 0;
    return !refused;
  }, -1, pJournalBefore);
  if (refused) {
    ReportMessage(message);
    return;
  }
  emit fontChanged(ChangeNotice{0, FONT_NUM_CODES - 1, CHANGE_PIXELS | CHANGE_BOX | CHANGE_ENABLED});
  emit redrawRequested(VIEW_CHAR | VIEW_FONT);
}

void Document::mergeFile(const QString& path, bool xbf) {
  if (!font()) return;
  // Reading the file clears the journal; the merge step takes it back on undo.
  const std::string journal(JOURNAL_GetText(), JOURNAL_GetLength());
  const QByteArray name = path.toLocal8Bit();
  FontPtr pSource = xbf ? INPUT_ReadXbf(name.constData()) : INPUT_ReadC(name.constData());
  if (!pSource) return;
  mergeFont(pSource.get(), &journal);
  FONT_Delete(std::move(pSource));
}

void Document::flipShowAllCharacters() {
  setShowAllCharacters(!showAllCharacters_);
  if (font()) setCurrentChar('A');
}
