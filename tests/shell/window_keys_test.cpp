// The main window with real key events: every menu's mnemonics are unique, keys go
// to the focused widget, edits are not lost without a question, and a font the
// command line opened is installed as File / Load installs one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>

#include "model/current.h"
#include "shell/commandtable.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "shell/views/previewpane.h"
#include "shell/services_qt.h"
#include "support/tempdir.h"
#include "viewtest.h"
#include "widgettest.h"

namespace {

// An STD font of height 8 with 'A' (its top row inked) and 'B' enabled, 'A' current.
FontPtr SmallFont() {
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#####", "#...#"});
  SetGlyph(pFont.get(), 'B', 4, 0, 0, {"####"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

// Answers the next modal message box with a button; records its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* pText) {
  auto* pTimer = new QTimer;
  pTimer->setInterval(5);
  QObject::connect(pTimer, &QTimer::timeout, [pTimer, button, pText] {
    auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!pBox || !pBox->isVisible()) return;
    pTimer->stop();
    pTimer->deleteLater();
    *pText = pBox->text();
    QTest::mouseClick(pBox->button(button), Qt::LeftButton);
  });
  pTimer->start();
}

class WindowKeysTest : public testing::Test {
 protected:
  void SetUp() override {
    pWindow = std::make_unique<MainWindow>(&doc);
    pServices = std::make_unique<QtServices>(pWindow.get(), &doc);
    pWindow->show();
    pWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pWindow.get()));
  }
  void TearDown() override {
    pServices.reset();
    pWindow.reset();
    FONT_SetCurrent(nullptr);
  }
  int TopPixel() const { return FONT_GetPixel(doc.font(), 'A', 0, 0); }

  Document doc;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<QtServices> pServices;
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

TEST_F(WindowKeysTest, KeysGoToTheFocusedWidget) {
  doc.install(SmallFont(), "");
  pWindow->runCommand(ID_PREVIEW);
  PreviewPane* pPreview = pWindow->previewPane();
  ASSERT_TRUE(pPreview->isVisible());
  QLineEdit* pText = pPreview->textEdit();
  pText->setFocus();
  pText->clear();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == pText; }));
  // Shift+T deletes the top row and Space toggles a character, but not here.
  TypeText(pText, "Temp B");
  EXPECT_EQ(pText->text(), "Temp B");
  EXPECT_EQ(FONT_GetHeight(doc.font()), 8);
  EXPECT_EQ(TopPixel(), 1);
  EXPECT_TRUE(FONT_IsCharEnabled(doc.font(), 'A'));
  EXPECT_FALSE(doc.isModified());
  // Tab leaves the field as anywhere else: the keyboard target stays.
  QTest::keyClick(pText, Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
  QSpinBox* pZoom = pPreview->zoomBox();
  pZoom->setFocus();
  const int zoom = pZoom->value();
  QTest::keyClick(pZoom, Qt::Key_Up);
  EXPECT_EQ(pZoom->value(), zoom == 8 ? 8 : zoom + 1);
  EXPECT_EQ(doc.currentChar(), 'A');  // the font view did not move
  // Accelerators with Ctrl work everywhere.
  pText->setFocus();
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  QTest::keyClick(pText, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  // The views keep their keys.
  pWindow->fontView()->setFocus();
  QTest::keyClick(pWindow->fontView(), Qt::Key_Space);
  EXPECT_FALSE(FONT_IsCharEnabled(doc.font(), 'A'));
}

TEST_F(WindowKeysTest, ChangesAreNotDiscardedWithoutAQuestion) {
  TempDir dir;
  const std::string path = dir.file("tiny.c");
  doc.install(SmallFont(), QString::fromStdString(path));
  pWindow->runCommand(ID_TOGGLE_CHAR);
  ASSERT_TRUE(doc.isModified());
  // Cancel keeps everything, for closing and for a drop.
  QString asked;
  AnswerNextBox(QMessageBox::Cancel, &asked);
  pWindow->runCommand(ID_EXIT);
  EXPECT_EQ(asked, "Save changes to tiny?");
  EXPECT_TRUE(pWindow->isVisible());
  const Font* pFont = doc.font();
  asked.clear();
  AnswerNextBox(QMessageBox::Cancel, &asked);
  pWindow->openDroppedFile(QString::fromStdString(dir.file("other.c")));
  EXPECT_EQ(asked, "Save changes to tiny?");
  EXPECT_EQ(doc.font(), pFont);
  // Save writes the file, then the window goes on closing.
  asked.clear();
  AnswerNextBox(QMessageBox::Save, &asked);
  pWindow->close();
  EXPECT_EQ(asked, "Save changes to tiny?");
  bool exists = false;
  ReadFile(path, &exists);
  EXPECT_TRUE(exists);
  EXPECT_FALSE(pWindow->isVisible());

  // The command line's exit never asks.
  pWindow->show();
  pWindow->runCommand(ID_TOGGLE_CHAR);
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

}  // namespace
