// The value dialog's typing filter, its range messages with the limit in the
// field's radix and the focus back on the failing edit, and "Select range of
// characters" with its remembered range and its second round after first > last.
#include "shell/dialogs/valuedialog.h"

#include <QClipboard>
#include <QTest>
#include <functional>
#include <limits>
#include <memory>

#include "output/savetest.h"
#include "settings/services.h"
#include "shell/dialogs/dialogs.h"
#include "dialogscript.h"
#include "windowtest.h"

namespace {

std::vector<ValueField> RangeFields(int64_t* first, int64_t* last) {
  std::vector<ValueField> fields(2);
  fields[0] = {16, 0, 0xFFFF, "&First character", first};
  fields[1] = {16, 0, 0xFFFF, "&Last character", last};
  return fields;
}

// Three value dialogs driven with keys by the steps of tests/data/shell/value_dialog.txt,
// each followed by each edit's text ("*" the focus, "[...]" the selection), the
// characters refused, the message shown, whether the dialog is open, and the values
// stored. Typed digits outside the field's radix, a minus anywhere but first or where
// no value is negative are refused, letters come out upper case; out-of-range values
// name the limit in the field's radix and bring the focus back to the edit, which
// stays selected; Cancel stores nothing.
TEST(ValueDialog, TypingAndRangeChecksStepByStep) {
  int64_t values[4] = {0xAB, 0x7E, 5, 0};
  std::vector<ValueField> rows(2);
  rows[0] = {10, -8, 8, "Rows", &values[2]};
  rows[1] = {16, -0x2A, 0x10, "Offset", &values[3]};
  std::unique_ptr<ValueDialog> dialog;
  std::string refused;
  MessageCatcher catcher;
  size_t shown = 0;
  DialogScript script;
  script.Window = [&] { return dialog.get(); };
  script.Other = [&](const std::string& args) {
    if (args.starts_with("clipboard ")) QGuiApplication::clipboard()->setText(QString::fromStdString(args.substr(10)));
    if (!args.starts_with("open")) return;
    dialog = std::make_unique<ValueDialog>(nullptr, "Values",
                                           args == "open rows" ? rows : RangeFields(&values[0], &values[1]));
    for (int i = 0; i < 2; ++i)
      QObject::connect(dialog->edit(i), &ValueEdit::refused, [&](QChar c) { refused += QString(c).toStdString(); });
    ShowActive(dialog.get());
  };
  script.State = [&] {
    std::string out;
    for (int i = 0; i < 2; ++i) {
      const ValueEdit* pEdit = dialog->edit(i);
      out += std::string(i ? " " : "") + (dialog->focusWidget() == pEdit ? "*" : "") + pEdit->text().toStdString() +
             (pEdit->hasSelectedText() ? "[" + pEdit->selectedText().toStdString() + "]" : "");
    }
    if (!refused.empty()) out += " | refused " + refused;
    refused.clear();
    for (; shown < catcher.messages.size(); ++shown)
      out += " | " + catcher.messages[shown].caption.toStdString() +
             (catcher.messages[shown].icon == QMessageBox::Warning ? " (warning): " : ": ") +
             QString(catcher.messages[shown].text).replace("\n", "\\n").toStdString();
    out += dialog->isVisible() ? " | open" : dialog->result() == QDialog::Accepted ? " | accepted" : " | rejected";
    out += " | stored";
    for (int64_t value : values) out += " " + SHELL_FormatValue(value, 16).toStdString();
    return out + "\n";
  };
  ExpectScript("value_dialog.txt", script);
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

TEST_F(SelectRange, FirstAboveLastIsReportedAndTheDialogComesBackWithTheEnteredValuesAndTheLastRange) {
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

  // The command runs it modally and opens it with the last range; other commands
  // open nothing; Escape answers false. Neither touches the caller's values.
  OnNextModal([](QWidget* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("140")->text() + "-" + d->findChild<QLineEdit*>("141")->text(), "20-7E");
    Retype(d->findChild<QLineEdit*>("140"), "3040");
    Retype(d->findChild<QLineEdit*>("141"), "309f");
    QTest::keyClick(d, Qt::Key_Return);
  });
  ASSERT_TRUE(SHELL_RunSelectRange(nullptr, 721, &first, &last));
  EXPECT_EQ(first, 0x3040);
  EXPECT_EQ(last, 0x309F);
  first = -1;
  EXPECT_FALSE(SHELL_RunSelectRange(nullptr, 722, &first, &last));
  OnNextModal([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
  EXPECT_FALSE(SHELL_RunSelectRange(nullptr, 721, &first, &last));
  EXPECT_EQ(first, -1);
  EXPECT_EQ(services.boxes.size(), 1u);
}

}  // namespace
