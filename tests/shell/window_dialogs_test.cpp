// The window's questions as a user and a screen reader meet them: the overwrite
// questions and what No keeps, the window's accessible name, and the help it opens.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include "shell/dialogs/about.h"
#include "shell/mainwindow.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

// Types a path into the next file dialog and presses Return; the question that
// follows is recorded and answered No with a click.
void ChooseFileThenAnswerNo(const std::string& path, QString* pTitle, QString* pText) {
  OnNextModal([=](QWidget* pDialog) {
    auto* pName = pDialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(pName, nullptr);
    pName->setText(QString::fromStdString(path));
    QTest::keyClick(pName, Qt::Key_Return);
    OnNextModal([=](QWidget* pQuestion) {
      auto* pBox = qobject_cast<QMessageBox*>(pQuestion);
      ASSERT_NE(pBox, nullptr);
      *pTitle = pBox->windowTitle();
      *pText = pBox->text();
      QTest::mouseClick(pBox->button(QMessageBox::No), Qt::LeftButton);
    });
  });
}

using WindowDialogsTest = WindowFixture;

// "Overwrite existing file?" is a Question; No to it in Save As keeps the font's
// file, format and caption, so the next Save writes the font's own file and not
// the one kept. Save pattern file asks the same and No leaves the file as it was.
TEST_F(WindowDialogsTest, OverwriteQuestionsAndWhatNoKeeps) {
  TempDir dir;
  const std::string own = dir.file("own.c"), kept = dir.file("kept.xbf"), list = dir.file("list.txt");
  WriteFile(kept, "keep me");
  WriteFile(list, "keep me too");
  FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
  SetGlyph(pFont.get(), 'A', 4, 4, 4, {"#..#"});
  doc.install(std::move(pFont), QString::fromStdString(own));
  const QString caption = pWindow->windowTitle();
  // The screen reader's name of the window is its title.
  QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(pWindow.get());
  ASSERT_NE(pAccessible, nullptr);
  EXPECT_EQ(pAccessible->text(QAccessible::Name), caption);
  EXPECT_EQ(caption, "Font Converter for Tavro V6.32c - own");

  QString title, text;
  ChooseFileThenAnswerNo(kept, &title, &text);
  pWindow->menuAction(522)->trigger();  // Save As...
  EXPECT_EQ(title, "Question");
  EXPECT_EQ(text, "Overwrite existing file?");
  EXPECT_EQ(ReadFile(kept), "keep me");
  char name[FONT_FILENAME_SIZE] = {};
  FONT_GetFileName(doc.font(), name, sizeof name);
  EXPECT_EQ(std::string(name), own);
  EXPECT_EQ(pWindow->windowTitle(), caption);
  EXPECT_EQ(pWindow->saveFormat(), 0);
  QApplication::setActiveWindow(pWindow.get());
  QTest::keyClick(pWindow.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadFile(kept), "keep me");
  EXPECT_NE(ReadFile(own).find("GUI_FONT"), std::string::npos);

  title.clear();
  ChooseFileThenAnswerNo(list, &title, &text);
  pWindow->menuAction(741)->trigger();  // Save pattern file...
  EXPECT_EQ(title, "Question");
  EXPECT_EQ(text, "Overwrite existing file?");
  EXPECT_EQ(ReadFile(list), "keep me too");

  pWindow->menuAction(801)->trigger();  // CMD Help; what it shows: CmdHelp.*
  QPointer<CmdHelpWindow> help = pWindow->findChild<CmdHelpWindow*>("CMD Help");
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->isModal());
  help->close();
  QTRY_VERIFY(help.isNull());
}

}  // namespace
