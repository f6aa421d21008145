// A dialog session kept as data: tests/data/shell/<name> holds its steps, each a line
// "> verb widget text", and after each step the state the test prints then; lines
// starting with "#" are notes. The steps run in order and the file must come out the
// same with the states they give now (MORVANE_UPDATE_GOLDEN=1 rewrites the states).
// Common verbs act with real events on the widget of that object name in the window
// Window() gives: click (a button, on its indicator), row (the list entry with that
// text), type (the edit's text replaced as a user does), keys (typed at the cursor),
// key (one key: "End", "Ctrl+V"), focus. Other verbs, with their words, go to Other().
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <sstream>
#include <string>

#include "golden.h"
#include "shell/dialogtest.h"

// On the indicator at the left: a radio button takes clicks on its indicator and
// label only, and how far its label reaches depends on the installed fonts.
inline void ClickButton(QAbstractButton* pButton) {
  QTest::mouseClick(pButton, Qt::LeftButton, {}, QPoint(pButton->height() / 2, pButton->height() / 2));
}

inline void ClickRow(QListWidget* pList, int row) {
  ASSERT_TRUE(row >= 0 && row < pList->count()) << row;
  QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pList->item(row)).center());
}

struct DialogScript {
  std::function<QWidget*()> Window;
  std::function<std::string()> State;
  std::function<void(const std::string& args)> Other;
};

inline void ExpectScript(const std::string& name, const DialogScript& script) {
  std::istringstream in(ReadFile(GoldenPath(name)));
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("#")) out += line + "\n";  // a note for the reader
    if (!line.starts_with("> ")) continue;
    out += line + "\n";
    const size_t verbEnd = std::min(line.find(' ', 2), line.size());
    const size_t nameEnd = std::min(line.find(' ', verbEnd + 1), line.size());
    const std::string verb = line.substr(2, verbEnd - 2);
    const QString widget =
        QString::fromStdString(line.substr(std::min(verbEnd + 1, line.size()), nameEnd - verbEnd - 1));
    const QString text = QString::fromStdString(line.substr(std::min(nameEnd + 1, line.size())));
    QWidget* pWindow = script.Window();
    QWidget* pWidget = pWindow ? pWindow->findChild<QWidget*>(widget) : nullptr;
    if (verb == "click" || verb == "row" || verb == "type" || verb == "keys" || verb == "key" || verb == "focus") {
      ASSERT_NE(pWidget, nullptr) << line;
      if (verb == "click") ClickButton(qobject_cast<QAbstractButton*>(pWidget));
      if (verb == "row") {
        auto* pList = qobject_cast<QListWidget*>(pWidget);
        const QList<QListWidgetItem*> items = pList->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << line;
        ClickRow(pList, pList->row(items[0]));
      }
      if (verb == "type") Retype(qobject_cast<QLineEdit*>(pWidget), text);
      if (verb == "keys") QTest::keyClicks(pWidget, text);
      const QKeyCombination key = QKeySequence(text)[0];
      if (verb == "key") QTest::keyClick(pWidget, key.key(), key.keyboardModifiers());
      if (verb == "focus") pWidget->setFocus();
    } else {
      script.Other(line.substr(2));
    }
    out += script.State();
  }
  ExpectGolden(name, out);
}
