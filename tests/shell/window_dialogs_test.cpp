// The window's questions and smaller windows as a user and a screen reader meet
// them: the overwrite questions and what No keeps, the accessible names and roles,
// the command-line help's columns, the encodings chosen without a click, and the
// font chooser's empty size field.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <memory>

#include "model/current.h"
#include "settings/settings.h"
#include "shell/dialogs/about.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/fontchooser.h"
#include "shell/dialogs/generationdialog.h"
#include "shell/document.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "windowtest.h"
#include "support/tempdir.h"
#include "viewtest.h"

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

class WindowDialogsTest : public WindowFixture {
 protected:
};

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
}

// The help is a dialog to screen readers, in a fixed-pitch face in which the
// columns that the text aligns with tabs line up.
TEST_F(WindowDialogsTest, CmdHelpIsADialogWithAlignedColumns) {
  pWindow->menuAction(801)->trigger();
  QPointer<CmdHelpWindow> help = pWindow->findChild<CmdHelpWindow*>("CMD Help");
  ASSERT_TRUE(help);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(help.data());
  ASSERT_NE(pAccessible, nullptr);
  EXPECT_EQ(pAccessible->role(), QAccessible::Dialog);
  QPlainTextEdit* pEdit = help->textEdit();
  EXPECT_TRUE(QFontInfo(pEdit->font()).fixedPitch()) << QFontInfo(pEdit->font()).family().toStdString();
  // Where the "- " after the tabs of a line begins.
  const auto dashX = [pEdit](const QString& start) {
    for (QTextBlock block = pEdit->document()->begin(); block.isValid(); block = block.next()) {
      if (!block.text().startsWith("\t\t\t" + start + "\t")) continue;
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + int(block.text().indexOf("- ")));
      return pEdit->cursorRect(cursor).x();
    }
    ADD_FAILURE() << "no line " << start.toStdString();
    return -1;
  };
  EXPECT_EQ(dashX("REGULAR_ITALIC"), dashX("THIN"));
  EXPECT_EQ(dashX("EXTRABOLD_ITALIC"), dashX("THIN"));
  EXPECT_EQ(dashX("EXT_AA2"), dashX("STD"));
  EXPECT_EQ(dashX("ISO8859"), dashX("UC16"));
  EXPECT_EQ(dashX("JIS"), dashX("UC16"));
  QTest::keyClick(pEdit, Qt::Key_Escape);
  QTRY_VERIFY(help.isNull());
}

// An encoding checked without a click (here by a screen reader's toggle action)
// updates the type list as a click does.
TEST(GenerationDialogA11y, EncodingToggledWithoutAClickUpdatesTheTypes) {
  GenerationDialog dialog(nullptr, FONTTYPE_EXT, ENCODING_UC16, 0);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto* pList = dialog.findChild<QListWidget*>("typeList");
  ASSERT_EQ(pList->count(), 7);
  QAccessibleInterface* pIso = QAccessible::queryAccessibleInterface(dialog.encodingButton(ENCODING_ISO8859));
  ASSERT_NE(pIso, nullptr);
  ASSERT_NE(pIso->actionInterface(), nullptr);
  pIso->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(dialog.encodingButton(ENCODING_ISO8859)->isChecked());
  EXPECT_EQ(pList->count(), 3);
  EXPECT_EQ(pList->currentRow(), FONTTYPE_STD);
  // Back to Unicode with the keyboard: the extended types return.
  QApplication::setActiveWindow(&dialog);
  dialog.encodingButton(ENCODING_ISO8859)->setFocus();
  QTest::keyClick(dialog.encodingButton(ENCODING_ISO8859), Qt::Key_Up);
  EXPECT_TRUE(dialog.encodingButton(ENCODING_UC16)->isChecked());
  EXPECT_EQ(pList->count(), 7);
}

// The empty pixel field stands for the point size; its placeholder says it in
// pixels, following the point size typed.
TEST(FontChooserPlaceholder, EmptyPixelFieldShowsThePointSizeInPixels) {
  Settings settings;
  SETTINGS_Load(&settings);
  const Settings saved = settings;
  settings.PointMode = 0;
  SETTINGS_Save(&settings);
  LogFontRecord preset{};
  FontChooser chooser(nullptr, preset, FONTTYPE_EXT, ENCODING_UC16, 0, 0);
  chooser.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
  ASSERT_TRUE(chooser.pixelsButton()->isChecked());
  EXPECT_TRUE(chooser.pixelEdit()->text().isEmpty());
  EXPECT_EQ(chooser.pixelEdit()->placeholderText(), "16 px");
  // Points, 24 typed, back to pixels.
  // Clicked on their indicators: a radio button takes clicks there and on its label.
  const QPoint indicator(chooser.pointsButton()->height() / 2, chooser.pointsButton()->height() / 2);
  QTest::mouseClick(chooser.pointsButton(), Qt::LeftButton, {}, indicator);
  ASSERT_TRUE(chooser.pointEdit()->isVisible());
  chooser.pointEdit()->selectAll();
  QTest::keyClicks(chooser.pointEdit(), "24");
  QTest::mouseClick(chooser.pixelsButton(), Qt::LeftButton, {}, indicator);
  ASSERT_TRUE(chooser.pixelEdit()->isVisible());
  EXPECT_EQ(chooser.pixelEdit()->placeholderText(), "32 px");
  EXPECT_EQ(chooser.logFont().Height, -32);
  SETTINGS_Save(&saved);
}

}  // namespace
