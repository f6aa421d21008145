#include "shell/undohistory.h"

#include <QUndoStack>

#include "shell/document.h"

UndoStep::UndoStep(Document* pDocument, const QString& text, int run, QUndoCommand* pParent)
    : QUndoCommand(text, pParent), pDocument_(pDocument), run_(run) {}

UndoStep::UndoStep(Document* pDocument, std::unique_ptr<EditRecord> pRecord, const QString& text, int run,
                   QUndoCommand* pParent)
    : UndoStep(pDocument, text, run, pParent) {
  aRecord_.push_back(std::move(pRecord));
}

void UndoStep::redo() {
  if (pushed_) {
    pushed_ = false;
    return;
  }
  pDocument_->breakPixelRun();
  for (auto& pRecord : aRecord_) Swap(pRecord.get());
}

void UndoStep::undo() {
  pDocument_->breakPixelRun();
  for (auto it = aRecord_.rbegin(); it != aRecord_.rend(); ++it) Swap(it->get());
}

bool UndoStep::mergeWith(const QUndoCommand* pOther) {
  const auto* pStep = static_cast<const UndoStep*>(pOther);
  if (pStep->run_ != run_) return false;
  for (auto& pRecord : pStep->aRecord_) aRecord_.push_back(std::move(pRecord));
  pStep->aRecord_.clear();
  return true;
}

size_t UndoStep::memory() const {
  size_t bytes = sizeof *this + size_t(text().size()) * sizeof(QChar) + aRecord_.capacity() * sizeof aRecord_[0];
  for (const auto& pRecord : aRecord_) bytes += EDIT_RecordMemory(*pRecord);
  return bytes;
}

UndoStep* UndoStep::takeOver(QUndoCommand* pParent) {
  auto* pStep = new UndoStep(pDocument_, text(), run_, pParent);
  pStep->aRecord_ = std::move(aRecord_);
  aRecord_.clear();
  return pStep;
}

void UndoStep::Swap(EditRecord* pRecord) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  const int before = FONT_GetCurrentChar(pFont);
  EDIT_RecordSwap(pRecord, pFont);
  if (FONT_GetCurrentChar(pFont) != before) pDocument_->notifyCurrentCharMoved();
}

namespace {

// The records of a step, and of the steps a macro (a mouse stroke) holds.
size_t StepMemory(const QUndoCommand* pCommand) {
  size_t bytes = 0;
  if (const auto* pStep = dynamic_cast<const UndoStep*>(pCommand))
    bytes += pStep->memory();
  else
    bytes += sizeof *pCommand;
  for (int i = 0; i < pCommand->childCount(); ++i) bytes += StepMemory(pCommand->child(i));
  return bytes;
}

// A new command with the text and records of pCommand and its children, which
// keep none. A macro is a plain command whose children are steps.
QUndoCommand* TakeOver(QUndoCommand* pCommand, QUndoCommand* pParent) {
  if (auto* pStep = dynamic_cast<UndoStep*>(pCommand)) return pStep->takeOver(pParent);
  auto* pCopy = new QUndoCommand(pCommand->text(), pParent);
  for (int i = 0; i < pCommand->childCount(); ++i)
    TakeOver(const_cast<QUndoCommand*>(pCommand->child(i)), pCopy);
  return pCopy;
}

}  // namespace

size_t UNDO_HistoryMemory(const QUndoStack* pStack) {
  size_t bytes = 0;
  for (int i = 0; i < pStack->count(); ++i) bytes += StepMemory(pStack->command(i));
  return bytes;
}

void UNDO_KeepWithin(QUndoStack* pStack, size_t budget) {
  const int count = pStack->count();
  if (count < 2 || pStack->index() != count) return;
  std::vector<size_t> aBytes(size_t(count), 0);
  size_t total = 0;
  for (int i = 0; i < count; ++i) total += aBytes[size_t(i)] = StepMemory(pStack->command(i));
  if (total <= budget) return;
  const size_t target = budget - budget / 16;
  int drop = 0;
  while (drop < count - 1 && total > target) total -= aBytes[size_t(drop++)];
  // The kept steps move into new commands; clearing the stack then deletes the
  // emptied ones, and pushing the new ones runs their first redo, which does
  // nothing. The kept steps were done, none merges with the one before (they did
  // not when they were pushed), and the clean state moves down with them.
  std::vector<QUndoCommand*> aKept;
  for (int i = drop; i < count; ++i) aKept.push_back(TakeOver(const_cast<QUndoCommand*>(pStack->command(i)), nullptr));
  const int clean = pStack->cleanIndex();
  pStack->clear();
  if (clean != drop) pStack->resetClean();
  for (QUndoCommand* pCommand : aKept) {
    pStack->push(pCommand);
    if (pStack->index() == clean - drop) pStack->setClean();
  }
}
