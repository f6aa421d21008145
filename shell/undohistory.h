// The window's undo history: each step a thin command around the edit records of
// its change, swapped forward on redo and backward on undo, and a memory budget
// that the history keeps by dropping its oldest steps.
#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <memory>
#include <vector>

#include "edit/record.h"

class Document;
class QUndoStack;

// The bytes a window's history may hold unless told otherwise.
constexpr size_t UNDO_DEFAULT_BUDGET = size_t{256} << 20;

// One step: the records of its edits. The edit has already run when the step is
// pushed, so its first redo does nothing. Pixel keystrokes of one run (run >= 0)
// share a run number and merge into one step.
class UndoStep : public QUndoCommand {
 public:
  UndoStep(Document* pDocument, std::unique_ptr<EditRecord> pRecord, const QString& text, int run,
           QUndoCommand* pParent = nullptr);
  void redo() override;
  void undo() override;
  int id() const override { return run_ >= 0 ? 1 : -1; }
  bool mergeWith(const QUndoCommand* pOther) override;
  // Bytes the step and its records hold.
  size_t memory() const;
  // A new step (a child of pParent when given) with this one's text, run and
  // records; this one is left empty. It too skips its first redo.
  UndoStep* takeOver(QUndoCommand* pParent);

 private:
  UndoStep(Document* pDocument, const QString& text, int run, QUndoCommand* pParent);
  void Swap(EditRecord* pRecord);

  Document* pDocument_;
  int run_;
  bool pushed_ = true;
  // Taken over by the step a later keystroke merges into.
  mutable std::vector<std::unique_ptr<EditRecord>> aRecord_;
};

// Bytes the steps of the stack hold, the steps inside macros included.
size_t UNDO_HistoryMemory(const QUndoStack* pStack);

// When the steps of the stack hold more than budget bytes, drops the oldest until
// they hold at most 15/16 of it (so that the history is not rebuilt at every
// step), but never the newest step. For the moment after a push: no macro open
// and every step done (otherwise nothing happens). Dropping rebuilds the stack
// with the kept steps; a clean state among the dropped ones is forgotten.
void UNDO_KeepWithin(QUndoStack* pStack, size_t budget);
