// Undo and redo in the window: every kind of change the document makes is taken
// back and done again exactly (characters, blocks, font-wide values and journal),
// pixel keystrokes merge by character, a mouse stroke is one step, a new font clears
// the history, and the title marks a font that differs from its file (or its save).
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <cstdio>
#include <string>

#include "input/c_read.h"
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
  if (c != s.C) {
    size_t at = 0;
    while (at < c.size() && at < s.C.size() && c[at] == s.C[at]) ++at;
    return "C file differs at byte " + std::to_string(at) + ": \"" + c.substr(at, 80) + "\" instead of \"" +
           s.C.substr(at, 80) + "\"";
  }
  return "";
}

class UndoTest : public testing::Test {
 protected:
  void TearDown() override { FONT_SetCurrent(nullptr); }
  void Install(int32_t type) {
    doc.install(TestFont(type), "");
    JOURNAL_Clear();
    JOURNAL_Add("* Loaded\n");
  }
  // Runs change; if it changed the font it must be one step that undo takes back
  // and redo brings again, exactly. Returns whether it changed anything.
  bool CheckStep(const std::function<void()>& change, const std::string& what) {
    QUndoStack* pStack = doc.undoStack();
    const Snapshot before = Take();
    const int count = pStack->count();
    change();
    const Snapshot after = Take();
    const bool changed = !DifferenceTo(before).empty();
    EXPECT_EQ(pStack->count(), count + (changed ? 1 : 0)) << what;
    if (!changed) return false;
    EXPECT_TRUE(pStack->canUndo()) << what;
    pStack->undo();
    EXPECT_EQ(DifferenceTo(before), "") << what << " after undo";
    pStack->redo();
    EXPECT_EQ(DifferenceTo(after), "") << what << " after redo";
    return true;
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
  QToolBar* pBar = pWindow->toolBar();
  auto* pEdit = qobject_cast<QMenu*>(pUndo->parent());
  // Redo's picture is undo's mirrored.
  const QImage undoImage = pUndoButton->icon().pixmap(QSize(16, 15), 1.0).toImage();
  EXPECT_EQ(undoImage.mirrored(true, false), pRedoButton->icon().pixmap(QSize(16, 15), 1.0).toImage());

  // A new font has an empty history: everything grayed, though the font's rules
  // enable the other buttons.
  pWindow->applyMenuState(pEdit);  // as when the menu opens
  pWindow->applyToolbarState();
  const QImage grayed = pBar->widgetForAction(pUndoButton)->grab().toImage();
  for (QAction* pAction : {pUndo, pRedo, pUndoButton, pRedoButton}) EXPECT_FALSE(pAction->isEnabled());
  const Snapshot before = Take();
  pWindow->dispatchCommand(542);
  EXPECT_TRUE(pUndo->isEnabled());
  EXPECT_TRUE(pUndoButton->isEnabled());
  EXPECT_FALSE(pRedoButton->isEnabled());
  EXPECT_EQ(pUndo->text(), "&Undo Insert row at top\tCtrl+Z");
  EXPECT_EQ(pUndoButton->toolTip(), "Undo Insert row at top");
  EXPECT_NE(pBar->widgetForAction(pUndoButton)->grab().toImage(), grayed);
  const Snapshot after = Take();
  ASSERT_NE(after.C, before.C);

  // Buttons, keys and items all reach the history.
  QTest::mouseClick(pBar->widgetForAction(pUndoButton), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(before), "");
  EXPECT_FALSE(pUndo->isEnabled());
  EXPECT_FALSE(pUndoButton->isEnabled());
  EXPECT_EQ(pRedo->text(), "Red&o Insert row at top\tCtrl+Y");
  EXPECT_EQ(pRedoButton->toolTip(), "Redo Insert row at top");
  QTest::mouseClick(pBar->widgetForAction(pRedoButton), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(after), "");
  EXPECT_FALSE(pRedoButton->isEnabled());
  // Ctrl+Z and Ctrl+Y: AMouseStrokeInTheCharacterViewIsOneStep; the items: WindowKeysTest.
  pUndo->trigger();
  QTest::keyClick(pWindow.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(DifferenceTo(after), "");
  EXPECT_FALSE(pRedo->isEnabled());
}

TEST_F(UndoWindowTest, PixelKeysInTheCharacterViewMergeIntoOneStep) {
  QTest::keyClick(pWindow->fontView(), Qt::Key_Tab);
  ASSERT_EQ(doc.keyboardTarget(), 1);
  const Snapshot before = Take();
  for (Qt::Key key : {Qt::Key_1, Qt::Key_Right, Qt::Key_1, Qt::Key_Down, Qt::Key_Space})
    QTest::keyClick(pWindow->charView(), key);
  const Snapshot after = Take();
  ASSERT_NE(after.C, before.C);
  EXPECT_EQ(doc.undoStack()->count(), 1);
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pWindow->toolbarAction(ID_UNDO)), Qt::LeftButton);
  EXPECT_EQ(DifferenceTo(before), "");
  QTest::keyClick(pWindow.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(DifferenceTo(after), "");
}

TEST_F(UndoWindowTest, AMergedFileIsOneStepThatBringsBackTheJournalItsReadCleared) {
  TempDir dir;
  const std::string path = dir.file("Merged8.c");
  {
    FontPtr pSource = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
    AddChar(pSource.get(), 'B', 6, 8, [](int x, int y) { return x == y ? 1 : 0; });
    AddChar(pSource.get(), 0x4E00, 6, 8, [](int x, int) { return x & 1; });
    WriteFile(path, CText(pSource.get()));
    FontPtr pBack = INPUT_ReadC(path.c_str());
    ASSERT_NE(pBack, nullptr);
    ASSERT_EQ(FONT_GetHeight(pBack.get()), FONT_GetHeight(doc.font()));
    ASSERT_EQ(FONT_GetType(pBack.get()), FONT_GetType(doc.font()));
  }
  JOURNAL_Clear();
  JOURNAL_Add("* Loaded\n");
  pWindow->dispatchCommand(540);
  const Snapshot before = Take();
  doc.mergeFile(QString::fromStdString(path), false);
  ASSERT_TRUE(FONT_IsCharEnabled(doc.font(), 0x4E00));
  EXPECT_EQ(doc.undoStack()->count(), 2);
  EXPECT_EQ(doc.undoStack()->undoText(), "Merge font");
  const Snapshot after = Take();
  doc.undoStack()->undo();
  EXPECT_EQ(DifferenceTo(before), "");
  doc.undoStack()->redo();
  EXPECT_EQ(DifferenceTo(after), "");
  doc.undoStack()->undo();
  doc.undoStack()->undo();
  EXPECT_EQ(std::string(JOURNAL_GetText(), JOURNAL_GetLength()), "* Loaded\n");
}

// The title marks a font that differs from its file: after an edit, after undoing
// past a save, not after a save or a redo back to it; a new font starts unmarked,
// with an empty history.
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
  const Snapshot before = Take();
  OnNextModal([path](QWidget* pDialog) {
    static_cast<QFileDialog*>(pDialog)->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(pDialog)->accept();
  });
  pWindow->dispatchCommand(ID_READ_PATTERN);
  ASSERT_TRUE(FONT_IsCharEnabled(doc.font(), 'B'));
  ASSERT_EQ(doc.undoStack()->count(), 1);
  const Snapshot after = Take();
  doc.undoStack()->undo();
  EXPECT_EQ(DifferenceTo(before), "");
  doc.undoStack()->redo();
  EXPECT_EQ(DifferenceTo(after), "");
}

TEST_F(UndoWindowTest, AMouseStrokeInTheCharacterViewIsOneStep) {
  auto* pView = pWindow->findChild<CharView*>();
  ASSERT_NE(pView, nullptr);
  doc.setCurrentChar('C');
  QTest::qWait(10);
  const Snapshot before = Take();
  const int top = GRID_BoxTopRow(doc.font(), 'C');
  auto at = [&](int x, int y) { return pView->cellRect(x, y + top).center(); };
  // A fast diagonal: one move event over five cells.
  QTest::mousePress(pView, Qt::LeftButton, Qt::ControlModifier, at(0, 0));
  QTest::mouseMove(pView, at(5, 5));
  QTest::mouseRelease(pView, Qt::LeftButton, Qt::ControlModifier, at(5, 5));
  int painted = 0;
  for (int i = 0; i < 6; ++i) painted += FONT_GetPixel(doc.font(), 'C', i, i) == 1;
  ASSERT_EQ(painted, 6);
  EXPECT_EQ(doc.undoStack()->count(), 1);
  const Snapshot after = Take();
  QTest::keyClick(pWindow.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DifferenceTo(before), "");
  QTest::keyClick(pWindow.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(DifferenceTo(after), "");
}

}  // namespace
