// Undo and redo in the window: every kind of change the document makes is taken
// back and done again exactly (characters, blocks, font-wide values and journal),
// pixel keystrokes merge by character, a mouse stroke is one step, a new font clears
// the history, the title marks a font that differs from its file (or its save), and
// the history keeps within its memory budget by dropping its oldest steps.

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QToolBar>
#include <QUndoStack>
#include <cstdio>
#include <string>
#include <vector>

#include "input/pattern.h"
#include "output/internal/outbuf.h"
#include "output/save.h"
#include "settings/journal.h"
#include "settings/settings.h"
#include "shell/views/charview.h"
#include "shell/views/grid.h"
#include "support/fontfixture.h"
#include "windowtest.h"

namespace {

// A font with a few characters in two blocks, some pixels set.
FontPtr TestFont(int32_t type) {
  FontPtr pFont = NewFont(type, ENCODING_UC16, 8);
  const int max = FONT_GetMaxPixelValue(pFont.get());
  for (uint16_t code : {uint16_t('A'), uint16_t('B'), uint16_t('C'), uint16_t(0x3042)})
    AddChar(pFont.get(), code, 6, 8, [&](int x, int y) { return (x * 3 + y + code) % 4 == 0 ? max : 0; });
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

// The C file the output module writes for the current font, journal included
// ("" when nothing is enabled). The banner's one time line is the program's build
// time, the same in every file of a run.
std::string CText(Font* pFont = FONT_GetCurrent()) {
  static TempDir dir;
  const std::string path = dir.file("undo.c");
  std::FILE* pFile = std::fopen(path.c_str(), "wb");
  if (!pFile) return "cannot write " + path;
  OUT_Begin(pFile);
  const int result = FONT_WriteC(pFont, Settings{});
  OUT_End();
  std::fclose(pFile);
  return result == 0 ? ReadFile(path) : "";
}

// The font, its C file and the journal at one moment.
struct Snapshot {
  FontPtr pFont;
  std::string C;
  std::string Journal;
};

// The C file first: writing it renders what is pending and disables what has no
// box, in the copy too.
Snapshot Take() {
  std::string c = CText();
  return Snapshot{CopyFont(FONT_GetCurrent()), std::move(c), std::string(JOURNAL_GetText(), JOURNAL_GetLength())};
}

// "" when the current font, its C file and the journal equal the snapshot.
std::string DifferenceTo(const Snapshot& s) {
  const std::string c = CText();
  std::string d = FontDifference(FONT_GetCurrent(), s.pFont.get());
  if (!d.empty()) return d;
  const std::string journal(JOURNAL_GetText(), JOURNAL_GetLength());
  if (journal != s.Journal) return "journal: \"" + journal + "\" instead of \"" + s.Journal + "\"";
  return c == s.C ? "" : "C file:\n" + c + "\ninstead of:\n" + s.C;
}

// Runs change; if it changed the font it must be one step that undo takes back
// and redo brings again, exactly. Returns whether it changed anything.
bool CheckStep(Document& doc, const std::function<void()>& change, const std::string& what) {
  QUndoStack* pStack = doc.undoStack();
  const Snapshot before = Take();
  const int count = pStack->count();
  change();
  const Snapshot after = Take();
  const bool changed = !DifferenceTo(before).empty();
  EXPECT_EQ(pStack->count(), count + (changed ? 1 : 0)) << what;
  if (!changed) return false;
  pStack->undo();
  EXPECT_EQ(DifferenceTo(before), "") << what << " after undo";
  pStack->redo();
  EXPECT_EQ(DifferenceTo(after), "") << what << " after redo";
  return true;
}

class UndoTest : public testing::Test {
 protected:
  void TearDown() override { FONT_SetCurrent(nullptr); }
  void Install(int32_t type) {
    doc.install(TestFont(type), "");
    JOURNAL_Clear();
    JOURNAL_Add("* Loaded\n");
  }
  bool CheckStep(const std::function<void()>& change, const std::string& what) {
    return ::CheckStep(doc, change, what);
  }
  Document doc;
};

TEST_F(UndoTest, EveryEditCommandIsOneExactStep) {
  const int aId[] = {540, 541, 542, 543, 560, 561, 562, 563, 580, 581, 582, 583, 600, 601, 602, 603,
                     620, 621, 640, 641, 642, 643, 660, 661, 662, 722};
  for (int32_t type : {FONTTYPE_STD, FONTTYPE_AA4, FONTTYPE_EXT, FONTTYPE_EXT_AA2, FONTTYPE_EXT_FRM}) {
    Install(type);
    const Snapshot start = Take();
    int changed = 0;
    for (int id : aId) {
      const bool one = CheckStep([&] { doc.runEditCommand(id); }, "type " + std::to_string(type) + " id " +
                                                                     std::to_string(id));
      if (one) {
        EXPECT_EQ(doc.undoStack()->undoText(), Document::commandStepName(id)) << id;
      }
      changed += one;
    }
    EXPECT_GT(changed, 15) << type;
    // The whole history goes back to the installed font and forward again.
    const Snapshot end = Take();
    while (doc.undoStack()->canUndo()) doc.undoStack()->undo();
    EXPECT_EQ(DifferenceTo(start), "") << type;
    while (doc.undoStack()->canRedo()) doc.undoStack()->redo();
    EXPECT_EQ(DifferenceTo(end), "") << type;
  }
}

TEST_F(UndoTest, EnablingPixelsAndMergesAreExactSteps) {
  for (int32_t type : {FONTTYPE_STD, FONTTYPE_EXT_AA4, FONTTYPE_EXT_FRM}) {
    Install(type);
    const std::string t = std::to_string(type);
    EXPECT_TRUE(CheckStep([&] { doc.enableRange('A', 'B', 0); }, "disable " + t));
    EXPECT_TRUE(CheckStep([&] { doc.enableRange(0x40, 0x3050, 1); }, "enable " + t));
    EXPECT_TRUE(CheckStep([&] { doc.setPixel('C', 1, 2, 1, true); }, "pixel " + t));
    EXPECT_TRUE(CheckStep([&] { doc.setPixel(0x3042, 4, 7, 1, false); }, "pixel " + t));
    // A merge that brings new characters and replaces others.
    FontPtr pSource = NewFont(type, ENCODING_UC16, 8);
    AddChar(pSource.get(), 'B', 4, 8, [](int x, int y) { return x == y ? 1 : 0; });
    AddChar(pSource.get(), 0x4E00, 7, 8, [](int x, int) { return x & 1; });
    EXPECT_TRUE(CheckStep([&] { doc.mergeFont(pSource.get()); }, "merge " + t));
    // A refused merge (another height) changes nothing and leaves no step.
    FontPtr pOther = NewFont(type, ENCODING_UC16, 9);
    AddChar(pOther.get(), 'D', 4, 9, [](int, int) { return 1; });
    EXPECT_FALSE(CheckStep([&] { doc.mergeFont(pOther.get()); }, "refused merge " + t));
  }
}

TEST_F(UndoTest, KeystrokesOnOneCharacterMergeUntilTheCharacterOrTheKeyboardChanges) {
  Install(FONTTYPE_STD);
  QUndoStack* pStack = doc.undoStack();
  doc.setKeyboardTarget(1);
  const Snapshot start = Take();
  doc.setPixel('A', 0, 0, 1, true);
  doc.setPixel('A', 1, 0, 1, true);
  doc.setPixel('A', 2, 0, 1, true);
  EXPECT_EQ(pStack->count(), 1);
  doc.setCurrentChar('B');
  const Snapshot afterA = Take();
  doc.setPixel('B', 0, 0, 1, true);
  doc.setPixel('B', 0, 1, 1, true);
  EXPECT_EQ(pStack->count(), 2);
  doc.setCurrentChar('A');
  const Snapshot afterB = Take();
  doc.setPixel('A', 3, 3, 1, true);
  EXPECT_EQ(pStack->count(), 3);
  doc.setKeyboardTarget(0);
  doc.setKeyboardTarget(1);
  doc.setPixel('A', 4, 3, 1, true);
  EXPECT_EQ(pStack->count(), 4);
  pStack->undo();
  pStack->undo();
  EXPECT_EQ(DifferenceTo(afterB), "");
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 3, 3), 0);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'B', 0, 1), 1);
  // Undo brings back the character that was current when the step began, and says so.
  QSignalSpy moved(&doc, &Document::currentCharChanged);
  pStack->undo();
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.at(0).at(0).toInt(), 'B');
  EXPECT_EQ(FontDifference(doc.font(), afterA.pFont.get()), "");
  // A keystroke after an undo starts a new step instead of joining the undone one.
  doc.setPixel('A', 5, 5, 1, true);
  EXPECT_EQ(pStack->count(), 2);
  pStack->undo();
  EXPECT_EQ(FontDifference(doc.font(), afterA.pFont.get()), "");
  pStack->undo();
  EXPECT_EQ(DifferenceTo(start), "");
}

class UndoWindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    doc.install(TestFont(FONTTYPE_STD), "/tmp/undo/Sample8.c");
  }
};

TEST_F(UndoWindowTest, MenuItemsAndToolbarButtonsNameTheStepAndGrayWhenEmpty) {
  QAction* pUndo = pWindow->menuAction(ID_UNDO);
  QAction* pRedo = pWindow->menuAction(ID_REDO);
  QAction* pUndoButton = pWindow->toolbarAction(ID_UNDO);
  QAction* pRedoButton = pWindow->toolbarAction(ID_REDO);
  // A new font has an empty history: everything grayed, though the font's rules
  // enable the other buttons.
  pWindow->applyMenuState(qobject_cast<QMenu*>(pUndo->parent()));  // as when the menu opens
  pWindow->applyToolbarState();
  for (QAction* pAction : {pUndo, pRedo, pUndoButton, pRedoButton}) EXPECT_FALSE(pAction->isEnabled());
  const Snapshot before = Take();
  pWindow->dispatchCommand(542);
  const Snapshot after = Take();
  EXPECT_EQ(pUndo->text(), "&Undo Insert row at top\tCtrl+Z");
  EXPECT_EQ(pUndoButton->toolTip(), "Undo Insert row at top");
  EXPECT_TRUE(pUndoButton->isEnabled());
  EXPECT_FALSE(pRedoButton->isEnabled());
  // Buttons, keys and items all reach the history.
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pUndoButton), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(before), "");
  EXPECT_FALSE(pUndo->isEnabled());
  EXPECT_EQ(pRedo->text(), "Red&o Insert row at top\tCtrl+Y");
  EXPECT_EQ(pRedoButton->toolTip(), "Redo Insert row at top");
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pRedoButton), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(after), "");
  pUndo->trigger();
  QTest::keyClick(pWindow.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(DifferenceTo(after), "");
  EXPECT_FALSE(pRedo->isEnabled());
}

TEST_F(UndoWindowTest, AMergedFileIsOneStepThatBringsBackTheJournalItsReadCleared) {
  TempDir dir;
  const std::string path = dir.file("Merged8.c");
  {
    FontPtr pSource = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
    AddChar(pSource.get(), 'B', 6, 8, [](int x, int y) { return x == y ? 1 : 0; });
    AddChar(pSource.get(), 0x4E00, 6, 8, [](int x, int) { return x & 1; });
    WriteFile(path, CText(pSource.get()));
  }
  JOURNAL_Clear();
  JOURNAL_Add("* Loaded\n");
  pWindow->dispatchCommand(540);
  EXPECT_TRUE(CheckStep(doc, [&] { doc.mergeFile(QString::fromStdString(path), false); }, "merge"));
  EXPECT_TRUE(FONT_IsCharEnabled(doc.font(), 0x4E00));
  EXPECT_EQ(doc.undoStack()->undoText(), "Merge font");
  doc.undoStack()->undo();
  doc.undoStack()->undo();
  EXPECT_EQ(std::string(JOURNAL_GetText(), JOURNAL_GetLength()), "* Loaded\n");
}

// The title marks a font that differs from its file: after an edit, after undoing
// past a save or after a save that wrote nothing, not after a save or a redo back
// to it; a new font starts unmarked, with an empty history.
TEST_F(UndoWindowTest, TitleMarksAFontThatDiffersFromItsFile) {
  TempDir dir;
  doc.install(TestFont(FONTTYPE_STD), QString::fromStdString(dir.file("Saved8.c")));
  auto marked = [&] { return pWindow->windowTitle().endsWith("Saved8*"); };
  EXPECT_TRUE(pWindow->windowTitle().endsWith("Saved8")) << pWindow->windowTitle().toStdString();
  pWindow->dispatchCommand(660);
  EXPECT_TRUE(marked());
  doc.undoStack()->undo();
  EXPECT_FALSE(marked());
  doc.undoStack()->redo();
  EXPECT_TRUE(marked());
  pWindow->dispatchCommand(541);
  pWindow->dispatchCommand(521);  // Save, to the font's own file
  ASSERT_FALSE(ReadFile(dir.file("Saved8.c")).empty());
  EXPECT_FALSE(marked());
  doc.undoStack()->undo();
  EXPECT_TRUE(marked());
  doc.undoStack()->redo();
  EXPECT_FALSE(marked());
  // A save that writes nothing leaves the file as it was and the font marked.
  const std::string saved = ReadFile(dir.file("Saved8.c"));
  pWindow->dispatchCommand(ID_DISABLE_ALL);
  QString said;
  OnNextModal([&](QWidget* pBox) {
    said = static_cast<QMessageBox*>(pBox)->text();
    static_cast<QDialog*>(pBox)->accept();
  });
  pWindow->dispatchCommand(521);
  EXPECT_EQ(said, "Nothing to save!");
  EXPECT_EQ(ReadFile(dir.file("Saved8.c")), saved);
  EXPECT_TRUE(marked());
  doc.install(TestFont(FONTTYPE_AA2), "/tmp/undo/Other8.c");
  EXPECT_TRUE(pWindow->windowTitle().endsWith("Other8"));
  EXPECT_FALSE(doc.undoStack()->canUndo());
  EXPECT_FALSE(doc.undoStack()->canRedo());
}

TEST_F(UndoWindowTest, APatternFileReadIsOneStep) {
  TempDir dir;
  const std::string path = dir.file("only_b.txt");
  {
    FontPtr pPattern = TestFont(FONTTYPE_STD);
    for (uint16_t code : {uint16_t('A'), uint16_t('C'), uint16_t(0x3042)}) FONT_EnableChar(pPattern.get(), code, 0);
    ASSERT_EQ(INPUT_SavePattern(pPattern.get(), path.c_str()), 0);
  }
  FONT_EnableChar(doc.font(), 'B', 0);
  OnNextModal([path](QWidget* pDialog) {
    static_cast<QFileDialog*>(pDialog)->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(pDialog)->accept();
  });
  EXPECT_TRUE(CheckStep(doc, [&] { pWindow->dispatchCommand(ID_READ_PATTERN); }, "pattern"));
  EXPECT_TRUE(FONT_IsCharEnabled(doc.font(), 'B'));
}

// A run of pixel keys and a mouse stroke in the character view are one step each,
// taken back by the toolbar's button and Ctrl+Z and brought again by Ctrl+Y.
TEST_F(UndoWindowTest, KeyRunsAndMouseStrokesInTheCharacterViewAreOneStepEach) {
  auto* pView = static_cast<CharView*>(pWindow->charView());
  QTest::keyClick(pWindow->fontView(), Qt::Key_Tab);
  ASSERT_EQ(doc.keyboardTarget(), 1);
  const Snapshot start = Take();
  for (Qt::Key key : {Qt::Key_1, Qt::Key_Right, Qt::Key_1, Qt::Key_Down, Qt::Key_Space})
    QTest::keyClick(pView, key);
  doc.setCurrentChar('C');
  QTest::qWait(10);
  const Snapshot keyed = Take();
  ASSERT_NE(keyed.C, start.C);
  const int top = GRID_BoxTopRow(doc.font(), 'C');
  auto at = [&](int x, int y) { return pView->cellRect(x, y + top).center(); };
  // A fast diagonal: one move event over five cells.
  QTest::mousePress(pView, Qt::LeftButton, Qt::ControlModifier, at(0, 0));
  QTest::mouseMove(pView, at(5, 5));
  QTest::mouseRelease(pView, Qt::LeftButton, Qt::ControlModifier, at(5, 5));
  const Snapshot stroked = Take();
  ASSERT_NE(stroked.C, keyed.C);
  EXPECT_EQ(doc.undoStack()->count(), 2);
  QTest::keyClick(pWindow.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DifferenceTo(keyed), "");
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pWindow->toolbarAction(ID_UNDO)), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(start), "");
  QTest::keyClick(pWindow.get(), Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(pWindow.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(DifferenceTo(stroked), "");
  // A stroke that changes nothing is no step; a keystroke after a stroke is its own.
  QTest::mouseClick(pView, Qt::LeftButton, Qt::ControlModifier, at(0, 0));
  EXPECT_EQ(doc.undoStack()->count(), 2);
  doc.setPixel('C', 0, 1, 1, true);
  EXPECT_EQ(doc.undoStack()->count(), 3);
}

// The history keeps within its budget by dropping its oldest steps: what stays
// undoes and redoes exactly, keystroke runs and strokes stay one step each, the
// clean state moves with the kept steps or is forgotten with the dropped ones, and
// the newest step is kept whatever its size.
TEST_F(UndoTest, OldestStepsGoWithinTheBudgetAndTheRestUndoExactly) {
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 10);
  for (int i = 0; i < 300; ++i)
    AddChar(pFont.get(), static_cast<uint16_t>(0x100 + i), i % 2 ? 8 : 16, 10,
            [&](int x, int y) { return (x + y * 3 + i) % 4 == 0 ? 1 : 0; });
  FONT_SetCurrentChar(pFont.get(), 0x100);
  doc.install(std::move(pFont), "");
  JOURNAL_Clear();
  QUndoStack* pStack = doc.undoStack();
  // One font-wide row edit, to learn what a step holds.
  doc.runEditCommand(542);
  const size_t budget = 6 * doc.historyMemory();
  pStack->undo();
  doc.setHistoryBudget(budget);
  std::vector<Snapshot> aBefore;  // the state before each step
  const int kSteps = 30;
  for (int i = 0; i < kSteps; ++i) {
    aBefore.push_back(Take());
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
  EXPECT_EQ(pStack->cleanIndex(), kept - 2);
  const Snapshot end = Take();
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
  const Snapshot beforeLast = Take();
  doc.runEditCommand(542);
  EXPECT_EQ(pStack->count(), 1);
  EXPECT_EQ(pStack->cleanIndex(), -1);
  pStack->undo();
  EXPECT_EQ(DifferenceTo(beforeLast), "");
}

}  // namespace
