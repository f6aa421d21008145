// The main window with real key events: every menu's mnemonics are unique, keys go
// to the focused widget, edits are not lost without a question, and a font the
// command line opened is installed as File / Load installs one; the document
// signals only real changes and announces every edit once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <set>

#include "output/save.h"
#include "shell/commandtable.h"
#include "shell/startup.h"
#include "shell/views/previewpane.h"
#include "windowtest.h"
#include "widgettest.h"

namespace {

// A font of height 8 with 'A' (its top row inked) and 'B' enabled, 'A' current.
FontPtr SmallFont(int32_t type = FONTTYPE_STD) {
  FontPtr pFont = MemoryFont(type, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#####", "#...#"});
  SetGlyph(pFont.get(), 'B', 4, 0, 0, {"####"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

class WindowKeysTest : public WindowFixture {
 protected:
  int TopPixel() const { return FONT_GetPixel(doc.font(), 'A', 0, 0); }
};

// Collects each menu's mnemonics and fails on a letter used twice in one menu.
void ExpectUniqueMnemonics(QMenu* pMenu, int* pMenus) {
  ++*pMenus;
  std::set<QChar> letters;
  for (QAction* pAction : pMenu->actions()) {
    if (pAction->isSeparator()) continue;
    const QString label = pAction->text().section('\t', 0, 0);
    const int amp = label.indexOf('&');
    if (amp >= 0 && amp + 1 < label.size()) {
      EXPECT_TRUE(letters.insert(label[amp + 1].toLower()).second)
          << pMenu->title().toStdString() << ": " << label.toStdString();
    }
    if (pAction->menu()) ExpectUniqueMnemonics(pAction->menu(), pMenus);
  }
}

TEST_F(WindowKeysTest, EveryMenuHasUniqueMnemonicsAndRedoIsReachedByItsLetter) {
  int menus = 0;
  for (QAction* pAction : pWindow->menuBar()->actions()) ExpectUniqueMnemonics(pAction->menu(), &menus);
  EXPECT_EQ(menus, 14);  // five on the bar, eight under Edit, one under View

  doc.install(SmallFont(), "");
  pWindow->runCommand(ID_DELETE_TOP);
  ASSERT_EQ(TopPixel(), 1);  // the second row moved up
  pWindow->runCommand(ID_UNDO);
  ASSERT_EQ(TopPixel(), 1);
  ASSERT_EQ(FONT_GetPixel(doc.font(), 'A', 1, 0), 1);
  auto* pEdit = qobject_cast<QMenu*>(pWindow->menuAction(ID_UNDO)->parent());
  ASSERT_NE(pEdit, nullptr);
  pEdit->popup(pWindow->mapToGlobal(QPoint(10, 10)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(pEdit));
  QTest::keyClick(pEdit, Qt::Key_O);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 1, 0), 0);  // redone: the inked top row is gone again
}

// A focused text field or spin box keeps its keys, Tab included, while accelerators
// with Ctrl work everywhere; other keys, typed anywhere in the window, go to the
// view holding the keyboard, and Tab hands it over.
TEST_F(WindowKeysTest, KeysGoToTheFocusedFieldOrTheViewHoldingTheKeyboard) {
  doc.install(SmallFont(), "");
  pWindow->runCommand(ID_PREVIEW);
  PreviewPane* pPreview = pWindow->previewPane();
  ASSERT_TRUE(pPreview->isVisible());
  QPlainTextEdit* pText = pPreview->textEdit();
  pText->setFocus();
  pText->clear();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == pText; }));
  // Shift+T deletes the top row and Space toggles a character, but not here.
  TypeText(pText, "Temp B");
  EXPECT_EQ(pText->toPlainText(), "Temp B");
  EXPECT_EQ(FONT_GetHeight(doc.font()), 8);
  EXPECT_EQ(TopPixel(), 1);
  EXPECT_FALSE(doc.isModified());
  QTest::keyClick(pText, Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
  QSpinBox* pZoom = pPreview->zoomBox();
  pZoom->setFocus();
  const int zoom = pZoom->value();
  QTest::keyClick(pZoom, Qt::Key_Up);
  EXPECT_EQ(pZoom->value(), zoom == 8 ? 8 : zoom + 1);
  EXPECT_EQ(doc.currentChar(), 'A');  // the font view did not move
  // Copy and paste in a text field take its text, not the current character.
  pText->setFocus();
  pText->selectAll();
  QTest::keyClick(pText, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "Temp B");
  QTest::keyClick(pText, Qt::Key_End);
  QTest::keyClick(pText, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(pText->toPlainText(), "Temp BTemp B");
  EXPECT_FALSE(doc.isModified());
  // Accelerators with Ctrl work everywhere.
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  QTest::keyClick(pText, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  // Typed in the properties view: Space reaches the font view, Tab hands the
  // keyboard over, and a digit typed at the font view reaches the character view.
  pWindow->propView()->setFocus();
  QTest::keyClick(pWindow->propView(), Qt::Key_Space);
  EXPECT_FALSE(FONT_IsCharEnabled(doc.font(), 'A'));
  QTest::keyClick(pWindow->propView(), Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  QTest::keyClick(pWindow->fontView(), Qt::Key_0);
  EXPECT_EQ(TopPixel(), 0);
  QTest::keyClick(pWindow->charView(), Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
}

// Every way of leaving a changed font asks first, and each answer does what it says:
// Save writes the font's file and goes on, Discard goes on without writing, Cancel
// keeps the font, its changes and the window.
TEST_F(WindowKeysTest, ChangesAreNotDiscardedWithoutAQuestion) {
  enum Action { kClose, kExit, kNew, kLoad, kDrop };
  struct Row {
    Action action;
    QMessageBox::StandardButton answer;
  };
  const Row rows[] = {{kClose, QMessageBox::Cancel}, {kClose, QMessageBox::Discard}, {kClose, QMessageBox::Save},
                      {kExit, QMessageBox::Cancel},  {kNew, QMessageBox::Cancel},     {kNew, QMessageBox::Discard},
                      {kNew, QMessageBox::Save},     {kLoad, QMessageBox::Cancel},    {kLoad, QMessageBox::Discard},
                      {kLoad, QMessageBox::Save},    {kDrop, QMessageBox::Cancel},    {kDrop, QMessageBox::Discard},
                      {kDrop, QMessageBox::Save}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "action " << row.action << ", answer " << row.answer);
    TempDir dir;
    const std::string other = dir.file("other.c");
    doc.install(SmallFont(), QString::fromStdString(other));
    ASSERT_EQ(doc.save(0, false), OUT_SAVE_OK);
    const std::string path = dir.file("tiny.c");
    doc.install(SmallFont(), QString::fromStdString(path));
    pWindow->show();
    pWindow->runCommand(ID_TOGGLE_CHAR);
    ASSERT_TRUE(doc.isModified());
    const Font* pFont = doc.font();

    QString asked;
    bool dialog = false;
    OnNextModal([&](QWidget* pModal) {
      auto* pBox = qobject_cast<QMessageBox*>(pModal);
      ASSERT_NE(pBox, nullptr);
      asked = pBox->text();
      if ((row.action == kNew || row.action == kLoad) && row.answer != QMessageBox::Cancel)
        OnNextModal([&](QWidget* pDialog) {  // the generation dialog of New, the file dialog of Load
          dialog = true;
          static_cast<QDialog*>(pDialog)->reject();
        });
      QTest::mouseClick(pBox->button(row.answer), Qt::LeftButton);
    });
    switch (row.action) {
      case kClose: pWindow->close(); break;
      case kExit: pWindow->runCommand(ID_EXIT); break;
      case kNew: pWindow->runCommand(ID_NEW); break;
      case kLoad: pWindow->runCommand(ID_LOAD_C); break;
      case kDrop: pWindow->openDroppedFile(QString::fromStdString(other)); break;
    }
    QTest::qWait(20);
    EXPECT_EQ(asked, "Save changes to tiny?");
    bool written = false;
    ReadFile(path, &written);
    EXPECT_EQ(written, row.answer == QMessageBox::Save);
    const bool goesOn = row.answer != QMessageBox::Cancel;
    if (row.action == kClose || row.action == kExit) {
      EXPECT_EQ(pWindow->isVisible(), !goesOn);
    } else if (row.action == kDrop) {
      EXPECT_EQ(doc.font() != pFont, goesOn);
    } else {
      EXPECT_EQ(dialog, goesOn);
    }
    if (!goesOn) {
      EXPECT_TRUE(doc.font() == pFont && doc.isModified());
    }
  }

  // A command-line command runs once; the command line's exit never asks.
  pWindow->show();
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  SHELL_SendCommand(ID_INSERT_RIGHT, 0);
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  ASSERT_TRUE(doc.isModified());
  SHELL_SendCommand(ID_EXIT, 0);
  EXPECT_FALSE(pWindow->isVisible());
}

TEST_F(WindowKeysTest, AFontOfTheCommandLineIsInstalledAsLoadInstallsIt) {
  TempDir dir;
  const std::string path = dir.file("Arial16.c");
  FontPtr pFont = SmallFont();
  FONT_SetCurrentChar(pFont.get(), 'B');
  FONT_SetFileName(pFont.get(), path.c_str());
  FONT_SetCurrent(std::move(pFont));
  pWindow->adoptCurrentFont();
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c - Arial16");
  EXPECT_EQ(doc.currentChar(), 'A');
  pWindow->runCommand(ID_SAVE);
  bool exists = false;
  ReadFile(path, &exists);
  EXPECT_TRUE(exists);
}

// The document: installing fonts, the signals of the shared view state, and every
// command's edit announced once.
TEST_F(WindowKeysTest, InstallStoresThePathAndSignalsOnlyRealChanges) {
  QSignalSpy installed(&doc, &Document::fontInstalled);
  doc.install(nullptr, "ignored.c");
  EXPECT_EQ(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 0);
  doc.install(SmallFont(FONTTYPE_EXT), "/tmp/fonts/Arial16.c");
  ASSERT_NE(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 1);
  EXPECT_STREQ(doc.font()->acFileName, "/tmp/fonts/Arial16.c");
  QSignalSpy moved(&doc, &Document::currentCharChanged);
  doc.setCurrentChar('B');
  doc.setCurrentChar('B');
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.at(0).at(0).toInt(), 'B');
  QSignalSpy target(&doc, &Document::keyboardTargetChanged);
  doc.setKeyboardTarget(5);
  doc.setKeyboardTarget(1);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  EXPECT_EQ(target.count(), 1);
}

TEST_F(WindowKeysTest, EveryEditIsAnnouncedOnce) {
  for (int id : {ID_INSERT_RIGHT, ID_DELETE_TOP, ID_SHIFT_LEFT, ID_MOVE_UP, ID_CURSOR_INC, ID_HEIGHT_INSERT_BOTTOM,
                 ID_TOGGLE_CHAR, ID_DISABLE_BLOCK, ID_DISABLE_ALL}) {
    doc.install(SmallFont(FONTTYPE_EXT), "");
    QSignalSpy changed(&doc, &Document::fontChanged);
    pWindow->runCommand(id);
    EXPECT_EQ(changed.count(), 1) << id;
  }
  // A pixel typed into the character view.
  doc.install(SmallFont(FONTTYPE_EXT), "");
  doc.setKeyboardTarget(1);
  QSignalSpy changed(&doc, &Document::fontChanged);
  QTest::keyClick(pWindow->charView(), Qt::Key_1);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 0, 0), 1);
}

}  // namespace
