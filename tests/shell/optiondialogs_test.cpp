// The option dialogs and the XBF type question driven with real key and mouse
// events: what each shows from the stored settings, what OK stores, that Cancel
// stores nothing, the measurement characters' rules and messages, the centring on
// the main window, and the settings read back by a second process.
#include "shell/dialogs/optiondialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>

#include "shell/dialogs/dialogs.h"
#include "shell/dialogtest.h"

namespace {

template <typename T>
T* Control(QWidget* dialog, int id) {
  T* control = dialog->findChild<T*>(QString::number(id));
  EXPECT_NE(control, nullptr) << "control " << id;
  return control;
}

// Clicks a check box or radio on its indicator (a click beside its text misses).
void Tick(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void ClickOk(DialogShell& dialog) { QTest::mouseClick(dialog.okButton(), Qt::LeftButton); }

// Opens a dialog of type D, ticks its buttons of type B with the ids given, in
// order, and clicks OK.
template <typename D, typename B, typename... Args>
void TickAndOk(std::initializer_list<int> ids, Args... args) {
  D dialog(nullptr, args...);
  dialog.show();
  for (int id : ids) Tick(Control<B>(&dialog, id));
  ClickOk(dialog);
}

class OptionDialogs : public SettingsTest {};

TEST_F(OptionDialogs, MeasurementCharactersAreOneCharacterOrAHexNumberBothWays) {
  {
    MeasurementDialog dialog(nullptr);
    dialog.show();
    EXPECT_EQ(Control<QLineEdit>(&dialog, 157)->text(), "a");
    EXPECT_EQ(Control<QLineEdit>(&dialog, 158)->text(), "e");
    EXPECT_EQ(Control<QLineEdit>(&dialog, 159)->text(), "A");
    Retype(Control<QLineEdit>(&dialog, 157), "0x41");
    Retype(Control<QLineEdit>(&dialog, 158), "7");
    Retype(Control<QLineEdit>(&dialog, 159), "0XfF1");
    MessageCatcher catcher;
    ClickOk(dialog);
    EXPECT_TRUE(catcher.messages.empty());
    EXPECT_FALSE(dialog.isVisible());
  }
  Settings s = Stored();
  EXPECT_EQ(s.BaselineChar, 0x41);
  EXPECT_EQ(s.LowercaseChar, 0x37);  // the digit's character code, not the number 7
  EXPECT_EQ(s.CapitalChar, 0xFF1);
  EXPECT_NE(IniText().find("MeasurementChars=65,55,4081"), std::string::npos) << IniText();
  // Stored codes show as the letter, or as a hex number beyond Latin-1; unchanged
  // texts store the same codes again.
  s.BaselineChar = 0x61;
  s.LowercaseChar = 0x3042;
  s.CapitalChar = 0xE9;
  ASSERT_EQ(SETTINGS_Save(&s), 0);
  MeasurementDialog dialog(nullptr);
  EXPECT_EQ(Control<QLineEdit>(&dialog, 157)->text(), "a");
  EXPECT_EQ(Control<QLineEdit>(&dialog, 158)->text(), "0x3042");
  EXPECT_EQ(Control<QLineEdit>(&dialog, 159)->text(), QString(QChar(0xE9)));
  dialog.show();
  ClickOk(dialog);
  EXPECT_EQ(Stored().LowercaseChar, 0x3042);
  EXPECT_EQ(Stored().CapitalChar, 0xE9);
}

TEST_F(OptionDialogs, InvalidMeasurementCharactersAreRefusedAndTheDialogClosesAllTheSame) {
  struct Row {
    const char* input;
    const char* message;
  };
  const Row rows[] = {
      {"0x12345", "Input is not a valid hexadecimal number!\nValid range is 0x0000-0xFFFF"},
      {"0x", "Input is not a valid hexadecimal number!\nValid range is 0x0000-0xFFFF"},
      {"0xG1", "Input is not a valid hexadecimal number!"},
      {"ab", "Valid inputs are:\n  - Single characters\n  - Hexidecimal numbers prefixed with \"0x\""},
      {"", "Valid inputs are:\n  - Single characters\n  - Hexidecimal numbers prefixed with \"0x\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    MeasurementDialog dialog(nullptr);
    dialog.show();
    // A valid first edit is not stored when a later one fails.
    Retype(Control<QLineEdit>(&dialog, 157), "x");
    Retype(Control<QLineEdit>(&dialog, 158), row.input);
    MessageCatcher catcher;
    ClickOk(dialog);
    ASSERT_EQ(catcher.messages.size(), 1u);
    EXPECT_EQ(catcher.messages[0].caption, "Invalid input");
    EXPECT_EQ(catcher.messages[0].text, row.message);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Stored().BaselineChar, 'a');
  }
  EXPECT_EQ(IniText(), "");
}

TEST_F(OptionDialogs, CancelAndEscapeStoreNothingAndOkStoresOnTopOfWhatIsStoredNow) {
  {
    LoggingDialog dialog(nullptr);
    dialog.show();
    Tick(Control<QCheckBox>(&dialog, 111));
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
  {
    MagnificationDialog dialog(nullptr);
    dialog.show();
    QTest::keyClick(Control<QComboBox>(&dialog, 100), Qt::Key_Down);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
  }
  EXPECT_EQ(IniText(), "");
  // Settings changed elsewhere after a dialog opened survive its OK.
  AntialiasingDialog dialog(nullptr);
  dialog.show();
  Settings s = Stored();
  s.MagX = 4;
  ASSERT_EQ(SETTINGS_Save(&s), 0);
  Tick(Control<QCheckBox>(&dialog, 110));
  ClickOk(dialog);
  EXPECT_EQ(Stored().MagX, 4);
  EXPECT_EQ(Stored().SuppressOptAA, 1);
}

TEST_F(OptionDialogs, XbfTypeDialogChecksTheStoredTypeAndReturnsTheChoice) {
  {
    XbfTypeDialog dialog(nullptr, 3);
    dialog.show();
    EXPECT_TRUE(Control<QRadioButton>(&dialog, 121)->isChecked());
    EXPECT_EQ(Control<QRadioButton>(&dialog, 121)->text(), "Extended");
    Tick(Control<QRadioButton>(&dialog, 122));
    ClickOk(dialog);
    EXPECT_EQ(dialog.chosenType(), 4);
    EXPECT_EQ(Stored().GetTypeXBF, 4);
  }
  {
    // AA4 (2) has no radio: nothing is checked and OK answers and stores -1.
    XbfTypeDialog dialog(nullptr, 2);
    dialog.show();
    for (int id = 120; id <= 124; ++id) EXPECT_FALSE(Control<QRadioButton>(&dialog, id)->isChecked());
    ClickOk(dialog);
    EXPECT_EQ(dialog.chosenType(), -1);
    EXPECT_EQ(Stored().GetTypeXBF, -1);
  }
  // Cancel answers -1 and stores nothing.
  XbfTypeDialog dialog(nullptr, 6);
  dialog.show();
  EXPECT_TRUE(Control<QRadioButton>(&dialog, 124)->isChecked());
  Tick(Control<QRadioButton>(&dialog, 120));
  QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.chosenType(), -1);
  EXPECT_EQ(Stored().GetTypeXBF, -1);
}

TEST_F(OptionDialogs, EntryPointsOpenTheirDialogsModallyAndOnlyThose) {
  const std::pair<int, const char*> ids[] = {
      {780, "Compatibility options"}, {781, "Magnification factor"},
      {782, "Logging"}, {783, "Antialiasing (for standard fonts)"},
      {784, "XBF font options"}, {785, "Set measurement characters"}};
  for (const auto& [id, caption] : ids) {
    QString seen;
    WhenModal([&](QDialog* d) {
      seen = d->windowTitle();
      d->reject();
    });
    SHELL_RunOptionDialog(nullptr, id);
    EXPECT_EQ(seen, caption);
  }
  WhenModal([](QDialog* d) {
    QTest::keyClick(Control<QComboBox>(d, 101), Qt::Key_End);
    QTest::keyClick(d, Qt::Key_Return);  // OK is the default button
  });
  SHELL_RunOptionDialog(nullptr, 781);
  EXPECT_EQ(Stored().MagY, 4);

  WhenModal([](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Type of XBF-font to be read");
    Tick(Control<QRadioButton>(d, 123));
    QTest::keyClick(d, Qt::Key_Return);
  });
  EXPECT_EQ(SHELL_AskXbfTypeDialog(nullptr, 0), 5);
  WhenModal([](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
  EXPECT_EQ(SHELL_AskXbfTypeDialog(nullptr, 5), -1);
  EXPECT_EQ(Stored().GetTypeXBF, 5);
  // Ids beside the option commands open nothing (no modal dialog to close).
  const std::string stored = IniText();
  SHELL_RunOptionDialog(nullptr, 786);
  SHELL_RunOptionDialog(nullptr, 779);
  EXPECT_EQ(IniText(), stored);
}

}  // namespace
