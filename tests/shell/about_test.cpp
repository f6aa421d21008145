// The About box, the "CMD Help" window, the pattern-file dialogs and the dialog
// screenshots.
#include "shell/dialogs/about.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "model/current.h"
#include "output/savetest.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/patternfiles.h"
#include "golden.h"
#include "shell/dialogtest.h"

namespace {

TEST(AboutBox, ShowsTitleBuildLineNoticeAndLogoAndClosesByKey) {
  AboutBox box(nullptr, "Font Converter for Tavro V6.32c");
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(box.findChild<QLabel*>("101")->text(), "Font Converter for Tavro V6.32c");
  const QString build = box.findChild<QLabel*>("104")->text();
  // "Compiled 14:21:43 on May  4 2023": the day padded with a blank.
  static const QRegularExpression form(
      "^Compiled [0-2][0-9]:[0-5][0-9]:[0-6][0-9] on "
      "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 123][0-9] [0-9]{4}$");
  EXPECT_TRUE(form.match(build).hasMatch()) << build.toStdString();
  auto* notice = box.findChild<QTextEdit*>("102");
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isReadOnly());
  const QString text = notice->toPlainText();
  EXPECT_TRUE(text.startsWith("\n\n")) << text.toStdString();
  EXPECT_GT(text.trimmed().size(), 40);
  ExpectGoldenImage("about_logo.png", box.findChild<QLabel*>("100")->pixmap().toImage());
  // The focus starts on OK, and it closes the box.
  EXPECT_TRUE(box.okButton()->hasFocus());
  QTest::keyClick(box.okButton(), Qt::Key_Space);
  EXPECT_FALSE(box.isVisible());
  // It has no Cancel button, but Escape closes it all the same.
  box.show();
  EXPECT_FALSE(box.cancelButton()->isVisible());
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_FALSE(box.isVisible());
}

// The names behind the "-" that starts a line of the help text, in order.
QStringList CommandNames(const QString& text) {
  QStringList names;
  for (const QString& line : text.split('\n')) {
    if (!line.startsWith('-')) continue;
    names << line.mid(1).section(QRegularExpression("[\\t ]"), 0, 0);
  }
  return names;
}

// A click delivered the way the desktop delivers it, through the window, where
// modal windows can block it.
void ClickThroughWindow(QWidget* widget) {
  QWidget* top = widget->window();
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                    widget->mapTo(top, widget->rect().center()));
}

TEST(CmdHelp, ListsTheCommandsReadOnlyAndBlocksTheMainWindowUntilClosed) {
  QWidget main;
  main.setGeometry(0, 0, 300, 200);
  auto* button = new QPushButton("Press", &main);
  button->setGeometry(10, 10, 100, 30);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  ClickThroughWindow(button);
  ASSERT_EQ(clicks, 1);

  SHELL_RunCmdHelp(&main);
  QPointer<CmdHelpWindow> help = main.findChild<CmdHelpWindow*>("CMD Help");
  ASSERT_TRUE(help);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_EQ(help->windowTitle(), "CMD Help");
  EXPECT_EQ(help->width(), 550);
  // The commands in table order, in a text that typing cannot change.
  QPlainTextEdit* edit = help->textEdit();
  const QString text = edit->toPlainText();
  EXPECT_TRUE(text.startsWith("Valid command line options:\n\n"));
  EXPECT_FALSE(text.contains('\r'));
  EXPECT_EQ(CommandNames(text), QStringList({"exit", "create", "edit", "enable", "hide", "merge",
                                             "readpattern", "saveas", "nomessages", "?"}));
  QTest::keyClicks(edit, "xyz");
  EXPECT_EQ(edit->toPlainText(), text);
  // A dialog to screen readers, in a fixed-pitch face in which the columns the text
  // aligns with tabs line up: where the "- " after the tabs of a line begins.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(help.data())->role(), QAccessible::Dialog);
  EXPECT_TRUE(QFontInfo(edit->font()).fixedPitch()) << QFontInfo(edit->font()).family().toStdString();
  const auto dashX = [edit](const QString& start) {
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
      if (block.text().startsWith("\t\t\t" + start + "\t")) {
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(block.text().indexOf("- ")));
        return edit->cursorRect(cursor).x();
      }
    ADD_FAILURE() << "no line " << start.toStdString();
    return -1;
  };
  for (const char* pStart : {"REGULAR_ITALIC", "EXTRABOLD_ITALIC"}) EXPECT_EQ(dashX(pStart), dashX("THIN")) << pStart;
  for (const char* pStart : {"ISO8859", "JIS"}) EXPECT_EQ(dashX(pStart), dashX("UC16")) << pStart;
  EXPECT_EQ(dashX("EXT_AA2"), dashX("STD"));
  // The main window takes no click while it is open.
  ClickThroughWindow(button);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(QApplication::activeModalWidget() == help.data());

  // Escape in the text closes the window (it deletes itself) and frees the main window.
  QTest::keyClick(help->textEdit(), Qt::Key_Escape);
  QTRY_VERIFY(help.isNull());
  ClickThroughWindow(button);
  EXPECT_EQ(clicks, 2);

  // Escape on the window itself and the close box close it too.
  SHELL_RunCmdHelp(&main);
  help = main.findChild<CmdHelpWindow*>("CMD Help");
  ASSERT_TRUE(help);
  QTest::keyClick(help.data(), Qt::Key_Escape);
  QTRY_VERIFY(help.isNull());
  SHELL_RunCmdHelp(&main);
  help = main.findChild<CmdHelpWindow*>("CMD Help");
  ASSERT_TRUE(help);
  help->close();  // what the close box does
  QTRY_VERIFY(help.isNull());
  ClickThroughWindow(button);
  EXPECT_EQ(clicks, 3);
}

class PatternDialogs : public SettingsTest {
 protected:
  void SetUp() override {
    SERVICES_Install(&services);
    FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
    for (int c = 0x20; c <= 0x7E; ++c) AddChar(pFont.get(), c, 2, 8, [](int, int) { return 1; });
    FONT_EnableRange(pFont.get(), 0, 0xFFFF, 0);
    FONT_SetCurrent(std::move(pFont));
  }
  void TearDown() override {
    FONT_SetCurrent(nullptr);
    SERVICES_Install(nullptr);
  }
  RecordingServices services;
};

TEST_F(PatternDialogs, ReadAndSaveThroughTheirFileDialogs) {
  // A UTF-16 file listing A, B and the missing U+3042.
  const std::string listed("\xFF\xFE" "A\0B\0" "\x42\x30", 8);
  WriteFile(dir.file("set.txt"), listed);
  {
    QFileDialog dialog;
    SHELL_SetupPatternDialog(&dialog, false);
    EXPECT_EQ(dialog.windowTitle(), "Select pattern file");
    EXPECT_EQ(dialog.nameFilters(), QStringList({"txt-files (*.txt)", "All files (*.*)"}));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    dialog.setDirectory(QString::fromStdString(dir.path()));
    dialog.selectFile(QString::fromStdString(dir.file("set.txt")));
    dialog.show();
    static_cast<QDialog&>(dialog).accept();
    EXPECT_TRUE(SHELL_FinishPatternDialog(&dialog, false));
  }
  EXPECT_TRUE(FONT_IsCharEnabled(FONT_GetCurrent(), 'A'));
  EXPECT_TRUE(FONT_IsCharEnabled(FONT_GetCurrent(), 'B'));
  EXPECT_FALSE(FONT_IsCharEnabled(FONT_GetCurrent(), 'C'));
  ASSERT_EQ(services.boxes.size(), 1u);  // the missing-code report
  EXPECT_NE(services.boxes[0].find("3042"), std::string::npos);

  {
    QFileDialog dialog;
    SHELL_SetupPatternDialog(&dialog, true);
    EXPECT_EQ(dialog.windowTitle(), "Save pattern file");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    dialog.setDirectory(QString::fromStdString(dir.path()));
    dialog.selectFile("saved");  // ".txt" is added under the text-file filter
    dialog.show();
    static_cast<QDialog&>(dialog).accept();
    EXPECT_TRUE(SHELL_FinishPatternDialog(&dialog, true));
  }
  EXPECT_EQ(ReadFile(dir.file("saved.txt")), std::string("\xFF\xFE" "A\0B\0", 6));

  // Cancelled: nothing read; the next dialog opens in the folder of the last save.
  QFileDialog cancelled;
  SHELL_SetupPatternDialog(&cancelled, false);
  EXPECT_EQ(cancelled.directory().absolutePath(), QString::fromStdString(dir.path()));
  cancelled.show();
  cancelled.reject();
  EXPECT_FALSE(SHELL_FinishPatternDialog(&cancelled, false));
}

}  // namespace
