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
#include "edit/glyph.h"
#include <QFileInfo>

#include "input/bdf_read.h"
#include "input/c_read.h"
#include "input/merge.h"
#include "input/xbf_read.h"
#include "model/current.h"
#include "output/save.h"
#include "settings/journal.h"
#include "settings/messages.h"
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
  connect(pUndo_, &QUndoStack::cleanChanged, this, [this] { emit modifiedChanged(isModified()); });
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
    // Memory was short: the older steps no longer fit the font, which still
    // differs from its file.
    if (changed) {
      historyLost_ = true;
      pUndo_->clear();
    }
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
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  return pCommand && pCommand->pStep ? QString::fromUtf8(pCommand->pStep) : QString();
}

Font* Document::font() const { return FONT_GetCurrent(); }

void Document::install(FontPtr pFont, const QString& path) {
  if (!pFont) return;
  const QByteArray name = path.toLocal8Bit();
  FONT_SetFileName(pFont.get(), name.constData());
  if (inStroke_) endStroke();
  historyLost_ = false;
  pUndo_->clear();
  pixelRun_ = -1;
  FONT_SetCurrent(std::move(pFont));
  captionName_ = path.isEmpty() ? QString("Untitled") : QString::fromStdString(SHELL_GetBaseName(name.constData()));
  emit fontInstalled();
  emit modifiedChanged(false);
}

void Document::adoptCurrent() {
  Font* pFont = font();
  if (!pFont) return;
  char path[FONT_FILENAME_SIZE] = {};
  FONT_GetFileName(pFont, path, sizeof path);
  historyLost_ = false;
  pUndo_->clear();
  pixelRun_ = -1;
  captionName_ = *path ? QString::fromStdString(SHELL_GetBaseName(path)) : QString("Untitled");
  emit fontInstalled();
  emit modifiedChanged(false);
}

bool Document::load(const QString& path, int reader) {
  const QByteArray name = path.toLocal8Bit();
  FontPtr pFont = reader == READER_C     ? INPUT_ReadC(name.constData())
                  : reader == READER_XBF ? INPUT_ReadXbf(name.constData())
                                         : INPUT_ReadBdf(name.constData());
  if (!pFont) return false;
  install(std::move(pFont), path);
  return true;
}

bool Document::loadDropped(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext != "c" && ext != "xbf") {
    ReportMessage("File extension must be 'XBF' or 'C'");
    return false;
  }
  return load(path.left(260), ext == "c" ? READER_C : READER_XBF);
}

int Document::save(int format, bool ask) {
  Font* pFont = font();
  if (!pFont) return OUT_SAVE_NOTHING;
  const int result = OUT_Save(pFont, format, ask ? 1 : 0);
  if (result == OUT_SAVE_OK) {
    historyLost_ = false;
    pUndo_->setClean();
    emit modifiedChanged(false);
  }
  return result;
}

int Document::saveAs(const QString& path, int format) {
  Font* pFont = font();
  if (!pFont) return OUT_SAVE_NOTHING;
  char previous[FONT_FILENAME_SIZE] = {};
  FONT_GetFileName(pFont, previous, sizeof previous);
  const QByteArray name = path.toLocal8Bit();
  FONT_SetFileName(pFont, name.constData());
  const int result = save(format, true);
  // No to the overwrite question keeps the font's file, format and caption, so that
  // the next Save does not write over the file the user chose to keep.
  if (result == OUT_SAVE_DECLINED) {
    FONT_SetFileName(pFont, previous);
    return result;
  }
  saveFormat_ = format;
  setCaptionName(QString::fromStdString(SHELL_GetBaseName(name.constData())));
  return result;
}

void Document::setCaptionName(const QString& name) {
  captionName_ = name;
  emit modifiedChanged(isModified());
}

bool Document::isModified() const { return historyLost_ || !pUndo_->isClean(); }

ShellState Document::commandState() const {
  ShellState s;
  const Font* pFont = font();
  s.HasFont = pFont != nullptr;
  s.Type = pFont ? FONT_GetType(pFont) : 0;
  s.KeyboardTarget = keyboardTarget_;
  s.ShowAllCharacters = showAllCharacters_;
  s.CanUndo = pUndo_->canUndo();
  s.CanRedo = pUndo_->canRedo();
  return s;
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
}

bool Document::setPixelNow(uint16_t c, int x, int y, int value, bool journal) {
  if (EDIT_SetPixel(font(), c, x, y, value) != 0) return false;
  const int code = c;
  if (journal) JOURNAL_AddLine("* Pixel index of character 0x%X (%d) at %d/%d set to %d", code, code, x, y, value);
  return true;
}

void Document::notifyFontChanged(const ChangeNotice& notice) {
  // A first rendering changes nothing the views show: they rendered it themselves.
  if (notice.What == CHANGE_RENDERED) {
    emit charsRendered(notice.First, notice.Last);
    return;
  }
  emit fontChanged(notice);
}

void Document::notifyRedraw(int viewMask) { emit redrawRequested(viewMask); }

bool Document::runEditCommand(int id) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  if (!pCommand || !pCommand->Edit) return false;
  Font* pFont = font();
  if (!pFont) return true;
  const uint16_t code = static_cast<uint16_t>(FONT_GetCurrentChar(pFont));
  EditScope scope = EDIT_ScopeChar(code);
  switch (pCommand->Scope) {
    case SCOPE_ROW_EDIT: scope = EDIT_ScopeRowEdit(pFont, code); break;
    case SCOPE_FONT_HEIGHT: scope = EDIT_ScopeFontHeight(pFont); break;
    // Enabling and disabling change flags only: their steps keep no pixels.
    case SCOPE_ENABLED_CHAR: scope = EDIT_ScopeEnabled(code, code); break;
    case SCOPE_ENABLED_BLOCK: scope = EDIT_ScopeEnabled(code & ~15, code | 15); break;
    case SCOPE_ENABLED_ALL: scope = EDIT_ScopeEnabled(0, int64_t{FONT_GetNumBlocks(pFont)} * 16 - 1); break;
  }
  const EditPrimitive edit = pCommand->Edit;
  recordEdit(scope, commandStepName(id), [&] {
    edit(pFont);
    return true;
  });
  return true;
}

bool Document::copyGlyph(EditGlyph* pGlyph) {
  Font* pFont = font();
  if (!pFont) return false;
  EDIT_CopyGlyph(pFont, FONT_GetCurrentChar(pFont), pGlyph);
  return true;
}

bool Document::pasteGlyph(const EditGlyph& glyph) {
  Font* pFont = font();
  if (!pFont) return false;
  bool pasted = false;
  recordEdit(EDIT_ScopeChar(FONT_GetCurrentChar(pFont)), "Paste character", [&] {
    pasted = EDIT_PasteChar(pFont, glyph, 1) == 0;
    return pasted;
  });
  return pasted;
}

void Document::enableRange(int first, int last, int state) {
  if (!font()) return;
  recordEdit(EDIT_ScopeEnabled(first, last), state ? "Enable range" : "Disable range", [&] {
    enableRangeNow(first, last, state);
    return true;
  });
}

void Document::enableRangeNow(int first, int last, int state) { EDIT_EnableRange(first, last, state); }

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
