// The value dialog's typing filter, its range messages with the limit in the
// field's radix and the focus back on the failing edit, and "Select range of
// characters" with its remembered range and its second round after first > last.
#include "shell/dialogs/valuedialog.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <limits>

#include "output/savetest.h"
#include "settings/services.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogtest.h"

namespace {

std::vector<ValueField> RangeFields(int64_t* first, int64_t* last) {
  std::vector<ValueField> fields(2);
  fields[0] = {16, 0, 0xFFFF, "&First character", first};
  fields[1] = {16, 0, 0xFFFF, "&Last character", last};
  return fields;
}

TEST(ValueDialog, ShowsValuesInTheirRadixAndRefusesWhatIsNoDigit) {
  int64_t first = 0xAB, last = 0x7E;
  ValueDialog dialog(nullptr, "Select range of characters", RangeFields(&first, &last));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  ValueEdit* edit = dialog.edit(0);
  EXPECT_EQ(edit->objectName(), "140");
  EXPECT_EQ(dialog.edit(1)->objectName(), "141");
  EXPECT_EQ(edit->text(), "AB");
  EXPECT_EQ(dialog.edit(1)->text(), "7E");
  // The first edit has the focus with its text selected.
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(edit->selectedText(), "AB");

  QSignalSpy refused(edit, &ValueEdit::refused);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, "G");
  EXPECT_EQ(edit->text(), "AB");
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClicks(edit, "-");  // the minimum is 0: no sign
  EXPECT_EQ(edit->text(), "AB");
  ASSERT_EQ(refused.count(), 2);
  EXPECT_EQ(refused.at(0).at(0).value<QChar>(), QChar('G'));
  EXPECT_EQ(refused.at(1).at(0).value<QChar>(), QChar('-'));
  // Digits of the radix pass, lower-case letters come out upper case, and control
  // keys (Backspace) work as usual.
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, "c9");
  EXPECT_EQ(edit->text(), "ABC9");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "ABC");
  QGuiApplication::clipboard()->setText("d0");
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "ABCD0");
  EXPECT_EQ(refused.count(), 2);
}

TEST(ValueDialog, OutOfRangeValuesNameTheLimitInTheFieldsRadixAndKeepTheDialogOpen) {
  int64_t first = 0, last = 0;
  ValueDialog dialog(nullptr, "Select range of characters", RangeFields(&first, &last));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClicks(dialog.edit(0), "10000");
  QTest::keyClick(dialog.edit(1), Qt::Key_End);
  QTest::keyClicks(dialog.edit(1), "5");
  // Move the focus away, so the check has to bring it back.
  dialog.edit(1)->setFocus();
  MessageCatcher catcher;
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  ASSERT_EQ(catcher.messages.size(), 1u);
  EXPECT_EQ(catcher.messages[0].caption, "Value out of range");
  EXPECT_EQ(catcher.messages[0].text,
            "\"&First character\" exceeds maximum value.\nMaximum value is: FFFF");
  EXPECT_EQ(catcher.messages[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.edit(0)->selectedText(), "10000");
  EXPECT_EQ(dialog.focusWidget(), dialog.edit(0));
  EXPECT_EQ(first, 0);  // nothing stored yet
  EXPECT_EQ(last, 0);
  QTest::keyClicks(dialog.edit(0), "41");
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  EXPECT_EQ(catcher.messages.size(), 1u);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(first, 0x41);
  EXPECT_EQ(last, 0x5);
}

TEST(ValueDialog, MinusOnlyFirstWhereNegativeValuesAreAllowedAndTheMinimumInItsRadix) {
  int64_t rows = 5, offset = 0;
  std::vector<ValueField> fields(2);
  fields[0] = {10, -8, 8, "Rows", &rows};
  fields[1] = {16, -0x2A, 0x10, "Offset", &offset};
  ValueDialog dialog(nullptr, "Values", fields);
  dialog.show();
  ValueEdit* edit = dialog.edit(0);
  QSignalSpy refused(edit, &ValueEdit::refused);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, "-");  // not at the start
  QTest::keyClicks(edit, "A");  // no decimal digit
  EXPECT_EQ(refused.count(), 2);
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClicks(edit, "-");
  EXPECT_EQ(edit->text(), "-5");
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClicks(edit, "-");  // already there
  EXPECT_EQ(edit->text(), "-5");
  EXPECT_EQ(refused.count(), 3);
  // Below the minimum: the message writes the limit in hex, the edit gets the focus.
  Retype(dialog.edit(1), "-2B");
  edit->setFocus();
  MessageCatcher catcher;
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  ASSERT_EQ(catcher.messages.size(), 1u);
  EXPECT_EQ(catcher.messages[0].text, "\"Offset\" exceeds minimum value.\nMinimum value is: -2A");
  EXPECT_EQ(dialog.focusWidget(), dialog.edit(1));
  EXPECT_EQ(offset, 0);
  Retype(dialog.edit(1), "-2a");
  QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(rows, -5);
  EXPECT_EQ(offset, -0x2A);
  // Cancelled, a dialog stores nothing.
  ValueDialog cancelled(nullptr, "Values", fields);
  cancelled.show();
  Retype(cancelled.edit(0), "3");
  QTest::mouseClick(cancelled.cancelButton(), Qt::LeftButton);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(rows, -5);
}

TEST(ValueDialog, ValueTextsRoundTripAndSaturate) {
  const int64_t max = std::numeric_limits<int64_t>::max();
  const int64_t min = std::numeric_limits<int64_t>::min();
  struct Row {
    int64_t value;
    int radix;
    const char* text;
  } rows[] = {{0, 16, "0"}, {0xFFFF, 16, "FFFF"}, {-42, 10, "-42"}, {5, 2, "101"},
              {max, 16, "7FFFFFFFFFFFFFFF"}, {min, 16, "-8000000000000000"}};
  for (const Row& row : rows) {
    EXPECT_EQ(SHELL_FormatValue(row.value, row.radix), row.text);
    EXPECT_EQ(SHELL_ParseValue(row.text, row.radix), row.value) << row.text;
  }
  EXPECT_EQ(SHELL_ParseValue("FFFFFFFFFFFFFFFFFFFF", 16), max);
  EXPECT_EQ(SHELL_ParseValue("-FFFFFFFFFFFFFFFFFFFF", 16), min);
  EXPECT_EQ(SHELL_ParseValue("12Z4", 16), 0x12);
  EXPECT_EQ(SHELL_ParseValue("", 16), 0);
}

class SelectRange : public testing::Test {
 protected:
  void SetUp() override { SERVICES_Install(&services); }
  void TearDown() override { SERVICES_Install(nullptr); }
  RecordingServices services;
};

TEST_F(SelectRange, FirstAboveLastIsReportedAndTheDialogComesBackWithTheEnteredValues) {
  std::vector<QStringList> shown;  // the edits' texts each time the dialog opened
  std::vector<QString> captions;
  int round = 0;
  int first = -1, last = -1;
  const bool ok = SHELL_SelectRange(nullptr, &first, &last, [&](ValueDialog& dialog) {
    dialog.show();
    captions.push_back(dialog.windowTitle());
    shown.push_back({dialog.edit(0)->text(), dialog.edit(1)->text()});
    if (round++ == 0) {
      QTest::keyClicks(dialog.edit(0), "7e");
      dialog.edit(1)->selectAll();
      QTest::keyClicks(dialog.edit(1), "20");
    } else {
      dialog.edit(0)->selectAll();
      QTest::keyClicks(dialog.edit(0), "20");
      dialog.edit(1)->selectAll();
      QTest::keyClicks(dialog.edit(1), "7E");
    }
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return dialog.result();
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(first, 0x20);
  EXPECT_EQ(last, 0x7E);
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(services.boxes[0], "First character has to be <= last character!");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(captions[0], "Select range of characters");
  EXPECT_EQ(shown[0], QStringList({"0", "0"}));
  EXPECT_EQ(shown[1], QStringList({"7E", "20"}));

  // The next call opens with the last range; Cancel answers false and leaves the
  // caller's values alone.
  first = last = -1;
  QStringList reopened;
  const bool again = SHELL_SelectRange(nullptr, &first, &last, [&](ValueDialog& dialog) {
    dialog.show();
    reopened = {dialog.edit(0)->text(), dialog.edit(1)->text()};
    QTest::keyClick(&dialog, Qt::Key_Escape);
    return dialog.result();
  });
  EXPECT_FALSE(again);
  EXPECT_EQ(reopened, QStringList({"20", "7E"}));
  EXPECT_EQ(first, -1);
  EXPECT_EQ(services.boxes.size(), 1u);
}

TEST_F(SelectRange, OnlyTheRangeCommandRunsTheDialogModally) {
  WhenModal([](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Select range of characters");
    Retype(d->findChild<QLineEdit*>("140"), "3040");  // the last range is shown: SelectRange.First*
    Retype(d->findChild<QLineEdit*>("141"), "309f");
    QTest::keyClick(d, Qt::Key_Return);
  });
  int first = -1, last = -1;
  ASSERT_TRUE(SHELL_RunSelectRange(nullptr, 721, &first, &last));
  EXPECT_EQ(first, 0x3040);
  EXPECT_EQ(last, 0x309F);
  // Other commands open nothing and leave the values alone.
  first = -1;
  EXPECT_FALSE(SHELL_RunSelectRange(nullptr, 722, &first, &last));
  EXPECT_EQ(first, -1);
}

}  // namespace
