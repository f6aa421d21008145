// The window's history keeps within its memory budget by dropping its oldest
// steps: what stays undoes and redoes exactly, keystroke runs and strokes stay one
// step each, the clean state moves with the kept steps or is forgotten with the
// dropped ones, and the newest step is kept whatever its size.
#include <gtest/gtest.h>

#include <QUndoStack>
#include <string>
#include <vector>

#include "model/current.h"
#include "settings/journal.h"
#include "shell/document.h"
#include "support/fontfixture.h"

namespace {

// A standard font of 300 characters of two widths, ink in the top row too.
FontPtr RowFont() {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 10);
  for (int i = 0; i < 300; ++i)
    AddChar(pFont.get(), static_cast<uint16_t>(0x100 + i), i % 2 ? 8 : 16, 10,
            [&](int x, int y) { return (x + y * 3 + i) % 4 == 0 ? 1 : 0; });
  FONT_SetCurrentChar(pFont.get(), 0x100);
  return pFont;
}

struct State {
  FontPtr pFont;
  std::string Journal;
};

State Now() { return State{CopyFont(FONT_GetCurrent()), std::string(JOURNAL_GetText(), JOURNAL_GetLength())}; }

std::string DifferenceTo(const State& s) {
  const std::string d = FontDifference(FONT_GetCurrent(), s.pFont.get());
  if (!d.empty()) return d;
  return std::string(JOURNAL_GetText(), JOURNAL_GetLength()) == s.Journal ? "" : "journal differs";
}

class UndoBudget : public testing::Test {
 protected:
  void SetUp() override {
    doc.install(RowFont(), "");
    JOURNAL_Clear();
  }
  void TearDown() override { FONT_SetCurrent(nullptr); }
  Document doc;
};

TEST_F(UndoBudget, OldestStepsGoAndTheRestUndoExactly) {
  QUndoStack* pStack = doc.undoStack();
  // One font-wide row edit, to learn what a step holds.
  doc.runEditCommand(542);
  const size_t step = doc.historyMemory();
  pStack->undo();
  const size_t budget = 6 * step;
  doc.setHistoryBudget(budget);
  std::vector<State> aBefore;  // the state before each step
  const int kSteps = 30;
  for (int i = 0; i < kSteps; ++i) {
    aBefore.push_back(Now());
    switch (i % 5) {
      case 0: doc.runEditCommand(542); break;  // insert row at top
      case 1: doc.runEditCommand(562); break;  // delete row at top
      case 2:  // a run of keystrokes: one step
        doc.setPixel(0x100 + i, 0, 0, 1, true);
        doc.setPixel(0x100 + i, 1, 0, 1, true);
        break;
      case 3:  // a stroke: one step
        doc.beginStroke();
        doc.setPixel(0x101 + i, 2, 2, 1, true);
        doc.setPixel(0x101 + i, 3, 3, 1, true);
        doc.endStroke();
        break;
      case 4: doc.runEditCommand(563); break;  // delete row at bottom
    }
    if (i == kSteps - 3) pStack->setClean();
    EXPECT_LE(doc.historyMemory(), budget) << "after step " << i;
  }
  const int kept = pStack->count();
  EXPECT_GE(kept, 5);
  EXPECT_LT(kept, 20);
  EXPECT_EQ(pStack->index(), kept);
  EXPECT_EQ(pStack->cleanIndex(), kept - 2);
  const State end = Now();
  while (pStack->canUndo()) pStack->undo();
  EXPECT_EQ(DifferenceTo(aBefore[kSteps - kept]), "");
  EXPECT_FALSE(pStack->isClean());
  while (pStack->canRedo()) pStack->redo();
  EXPECT_EQ(DifferenceTo(end), "");
  pStack->undo();
  pStack->undo();
  EXPECT_TRUE(pStack->isClean());
  EXPECT_EQ(DifferenceTo(aBefore[kSteps - 2]), "");

  // A clean state among the dropped steps is forgotten; a step larger than the
  // whole budget stays, alone.
  while (pStack->canRedo()) pStack->redo();
  doc.setHistoryBudget(1);
  const State beforeLast = Now();
  doc.runEditCommand(542);
  EXPECT_EQ(pStack->count(), 1);
  EXPECT_EQ(pStack->cleanIndex(), -1);
  pStack->undo();
  EXPECT_EQ(DifferenceTo(beforeLast), "");
  EXPECT_FALSE(pStack->canUndo());
}

}  // namespace
