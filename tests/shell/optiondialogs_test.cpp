// The option dialogs and the XBF type question driven with real key and mouse
// events: what each shows from the stored settings, what OK stores, that Cancel
// stores nothing, and the measurement characters' rules and messages.
#include "shell/dialogs/optiondialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <initializer_list>

#include "shell/dialogs/dialogs.h"
#include "golden.h"
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

class OptionDialogs : public SettingsTest {};

// A dialog as text: its caption, its named controls with their texts and states,
// and the entries its lists show.
std::string Dump(QDialog* pDialog) {
  std::string out = "\n" + pDialog->windowTitle().toStdString() + "\n" + DumpWidgets(pDialog);
  for (QComboBox* pList : pDialog->findChildren<QComboBox*>())
    out += pList->objectName().toStdString() + " shows \"" + pList->currentText().toStdString() + "\"\n";
  return out;
}

// Each option dialog as its command opens it with the default and with other stored
// settings, the XBF type question for three stored types, and the measurement
// characters typed, the messages they give and what they store, compared with
// tests/data/shell/option_dialogs.txt. Measurement characters are one character (a
// digit stands for its character code) or a hex number; a failing one is reported
// and the dialog closes all the same, storing none of them; stored codes show as
// the letter, or as a hex number beyond Latin-1.
TEST_F(OptionDialogs, WhatEachDialogShowsAndWhatMeasurementCharactersStore) {
  std::string out;
  const auto dumpAll = [&](const char* pWhen) {
    out += std::string("---- ") + pWhen + "\n";
    for (int id = 780; id <= 785; ++id) {
      WhenModal([&](QDialog* pDialog) {
        out += Dump(pDialog);
        pDialog->reject();
      });
      SHELL_RunOptionDialog(nullptr, id);
    }
  };
  const auto typeMeasurement = [&](std::initializer_list<const char*> texts) {
    MeasurementDialog dialog(nullptr);
    dialog.show();
    out += "typed";
    int id = 157;
    for (const char* pText : texts) {
      Retype(Control<QLineEdit>(&dialog, id++), pText);
      out += std::string(" \"") + pText + "\"";
    }
    MessageCatcher catcher;
    ClickOk(dialog);
    for (const CaughtMessage& m : catcher.messages)
      out += " | " + m.caption.toStdString() + ": " + QString(m.text).replace("\n", "\\n").toStdString();
    out += dialog.isVisible() || dialog.result() != QDialog::Accepted ? " | left open" : " | closed";
    const std::string ini = IniText();
    const size_t at = ini.find("MeasurementChars=");
    out += " | stored " + (at == std::string::npos ? "nothing" : ini.substr(at, ini.find('\n', at) - at)) + "\n";
  };
  dumpAll("defaults");
  for (int type : {3, 2, 6}) {
    XbfTypeDialog dialog(nullptr, type);
    out += "\nstored type " + std::to_string(type) + Dump(&dialog);
  }
  out += "\n";
  for (const char* pText : {"0x12345", "0x", "0xG1", "ab", ""}) typeMeasurement({"x", pText});
  typeMeasurement({"0x41", "7", "0XfF1"});
  Settings s = Stored();
  s.V350_Compatibility = 1;
  s.MagX = 3;
  s.MagY = 5;  // no entry for it
  s.SuppressLogging = s.LogInWorkingDir = s.EnableGamma = s.SuppressDetectXBF = 1;
  s.BaselineChar = 'a';
  s.LowercaseChar = 0x3042;
  s.CapitalChar = 0xE9;
  ASSERT_EQ(SETTINGS_Save(&s), 0);
  dumpAll("stored");
  typeMeasurement({});  // unchanged texts store the same codes again
  ExpectGolden("option_dialogs.txt", out);
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

// OK answers and stores the type checked, -1 where the stored type has no radio;
// Cancel answers -1 and stores nothing.
TEST_F(OptionDialogs, XbfTypeDialogReturnsTheChoice) {
  const struct {
    int Stored, Ticked;  // -1: none
    bool Ok;
    int Answer;
  } rows[] = {{3, 122, true, 4}, {2, -1, true, -1}, {6, 120, false, -1}};
  for (const auto& row : rows) {
    XbfTypeDialog dialog(nullptr, row.Stored);
    dialog.show();
    if (row.Ticked >= 0) Tick(Control<QRadioButton>(&dialog, row.Ticked));
    QTest::mouseClick(row.Ok ? dialog.okButton() : dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.chosenType(), row.Answer) << row.Stored;
    EXPECT_EQ(Stored().GetTypeXBF, row.Ok ? row.Answer : -1) << row.Stored;
  }
}

// What each command opens: OptionDialogs.WhatEachDialogShowsAndWhatMeasurementCharactersStore.
TEST_F(OptionDialogs, ReturnPressesOkAndIdsBesideTheCommandsOpenNothing) {
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
