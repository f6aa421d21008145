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
#include "golden.h"
#include "shell/dialogtest.h"

namespace {

std::vector<ValueField> RangeFields(int64_t* first, int64_t* last) {
  std::vector<ValueField> fields(2);
  fields[0] = {16, 0, 0xFFFF, "&First character", first};
  fields[1] = {16, 0, 0xFFFF, "&Last character", last};
  return fields;
}

// Three value dialogs driven with keys, compared after each step with
// tests/data/shell/value_dialog.txt: each edit's text ("*" the focus, "[...]" the
// selection), the characters refused, the message shown, whether the dialog is
// open, and the values stored. Typed digits outside the field's radix, a minus
// anywhere but first or where no value is negative are refused, letters come out
// upper case; out-of-range values name the limit in the field's radix and bring the
// focus back to the edit, which stays selected; Cancel stores nothing.
TEST(ValueDialog, TypingAndRangeChecksStepByStep) {
  int64_t values[4] = {0xAB, 0x7E, 5, 0};
  std::vector<ValueField> rows(2);
  rows[0] = {10, -8, 8, "Rows", &values[2]};
  rows[1] = {16, -0x2A, 0x10, "Offset", &values[3]};
  std::unique_ptr<ValueDialog> dialog;
  std::string out, refused;
  MessageCatcher catcher;
  size_t shown = 0;
  const auto open = [&](std::vector<ValueField> fields) {
    return [&, fields] {
      dialog = std::make_unique<ValueDialog>(nullptr, "Values", fields);
      for (int i = 0; i < 2; ++i)
        QObject::connect(dialog->edit(i), &ValueEdit::refused, [&](QChar c) { refused += QString(c).toStdString(); });
      ShowActive(dialog.get());
    };
  };
  const auto type = [&](int i, Qt::Key key, const char* pText) {
    return [&, i, key, pText] {
      if (key != Qt::Key_unknown) QTest::keyClick(dialog->edit(i), key);
      QTest::keyClicks(dialog->edit(i), pText);
    };
  };
  const auto retype = [&](int i, const char* pText) { return [&, i, pText] { Retype(dialog->edit(i), pText); }; };
  const auto focus = [&](int i) { return [&, i] { dialog->edit(i)->setFocus(); }; };
  const auto click = [&](bool ok) {
    return [&, ok] { QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton); };
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"opened", open(RangeFields(&values[0], &values[1]))},
      {"G at the end", type(0, Qt::Key_End, "G")},
      {"- at the start", type(0, Qt::Key_Home, "-")},
      {"c9 at the end", type(0, Qt::Key_End, "c9")},
      {"Backspace", type(0, Qt::Key_Backspace, "")},
      {"d0 pasted", [&] {
         QGuiApplication::clipboard()->setText("d0");
         QTest::keyClick(dialog->edit(0), Qt::Key_V, Qt::ControlModifier);
       }},
      {"Cancel", click(false)},
      {"opened", open(RangeFields(&values[0], &values[1]))},
      {"10000 typed", type(0, Qt::Key_unknown, "10000")},
      {"5 at the end", type(1, Qt::Key_End, "5")},
      {"OK", click(true)},
      {"41 typed", type(0, Qt::Key_unknown, "41")},
      {"OK", click(true)},
      {"opened", open(rows)},
      {"- at the end", type(0, Qt::Key_End, "-")},
      {"A", type(0, Qt::Key_unknown, "A")},
      {"- at the start", type(0, Qt::Key_Home, "-")},
      {"- at the start", type(0, Qt::Key_Home, "-")},
      {"-2B", retype(1, "-2B")},
      {"focus away", focus(0)},
      {"OK", click(true)},
      {"-2a", retype(1, "-2a")},
      {"OK", click(true)},
  };
  for (const auto& [pWhat, act] : steps) {
    refused.clear();
    act();
    out += std::string(pWhat) + ":";
    for (int i = 0; i < 2; ++i) {
      const ValueEdit* pEdit = dialog->edit(i);
      out += " " + std::string(dialog->focusWidget() == pEdit ? "*" : "") + pEdit->text().toStdString() +
             (pEdit->hasSelectedText() ? "[" + pEdit->selectedText().toStdString() + "]" : "");
    }
    if (!refused.empty()) out += " | refused " + refused;
    for (; shown < catcher.messages.size(); ++shown)
      out += " | " + catcher.messages[shown].caption.toStdString() + (catcher.messages[shown].icon == QMessageBox::Warning ? " (warning): " : ": ") +
             QString(catcher.messages[shown].text).replace("\n", "\\n").toStdString();
    out += dialog->isVisible() ? " | open" : dialog->result() == QDialog::Accepted ? " | accepted" : " | rejected";
    out += " | stored";
    for (int64_t value : values) out += " " + SHELL_FormatValue(value, 16).toStdString();
    out += "\n";
  }
  ExpectGolden("value_dialog.txt", out);
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
