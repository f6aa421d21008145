// Go to block, driven by real key and mouse events: Ctrl+Shift+G lists the Unicode
// blocks holding enabled characters with their counts, and the block chosen from the
// keyboard, by typing its name or by a double click comes to the top of the font
// view in both display modes; Escape changes nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <vector>

#include "model/codetables.h"
#include "model/current.h"
#include "shell/dialogs/gotoblock.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "shell/views/fontview.h"
#include "shell/views/grid.h"
#include "dialogscript.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

// Acts on the block dialog once Ctrl+Shift+G has opened it; the timer waiting for it
// is returned.
QTimer* OnDialog(std::function<void(GoToBlockDialog*)> act) {
  auto* pTimer = new QTimer;
  pTimer->setInterval(5);
  QObject::connect(pTimer, &QTimer::timeout, [pTimer, act] {
    auto* pDialog = qobject_cast<GoToBlockDialog*>(QApplication::activeModalWidget());
    if (!pDialog || !pDialog->isVisible()) return;
    pTimer->stop();
    pTimer->deleteLater();
    act(pDialog);
    if (pDialog->isVisible()) pDialog->reject();  // never leave the test hanging
  });
  pTimer->start();
  return pTimer;
}

QStringList Rows(QTreeWidget* pList) {
  QStringList rows;
  for (int i = 0; i < pList->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* p = pList->topLevelItem(i);
    rows << p->text(0) + " " + p->text(1) + " " + p->text(2);
  }
  return rows;
}

class GoToBlockTest : public WindowFixture {
 protected:
  void SetUp() override {
    UNICODE_Init();
    WindowFixture::SetUp();
  }
  FontView* view() const { return static_cast<FontView*>(pWindow->fontView()); }
  // The shortcut works in the active window, which a closed dialog hands back.
  void PressCtrlShiftG() {
    pWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pWindow.get()));
    QTest::keyClick(pWindow->fontView(), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
  }
};

// The steps of tests/data/shell/goto_block.txt: "showall N" sets the display mode,
// "jis" installs a Shift_JIS font, "block ..." presses Ctrl+Shift+G and then in the
// list the keys named, "type:TEXT" or "dclick:ROW". After each: the list and its
// selection as the dialog opened, the current character, the block whose row is at
// the top of the font view ("(end)" when the view is scrolled to its end), whether
// the current character's cell is in view, and the status bar.
TEST_F(GoToBlockTest, ListsTheFontsBlocksAndBringsTheChosenOneToTheTop) {
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  for (int c = 0x20; c <= 0x7E; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  for (int c = 0x410; c <= 0x44F; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  SetGlyph(pFont.get(), 0x0870, 3, 0, 0, {"#"});  // in no Unicode block
  for (int c = 0x4E00; c <= 0x4E02; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  SetGlyph(pFont.get(), 0xFFFD, 3, 0, 0, {"#"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");
  std::string list;
  DialogScript script;
  script.Window = [] { return nullptr; };
  script.Other = [&](const std::string& args) {
    std::istringstream in(args);
    std::string verb, word;
    in >> verb;
    if (verb == "showall") doc.setShowAllCharacters(args.back() - '0');
    if (verb == "jis") {  // Shift_JIS codes are not Unicode
      FontPtr pJis = MemoryFont(FONTTYPE_STD, true);
      pJis->Encoding = ENCODING_JIS;
      SetGlyph(pJis.get(), 0x82A0, 3, 0, 0, {"#"});
      doc.install(std::move(pJis), "");
    }
    if (verb != "block") return;
    std::vector<std::string> words;
    while (in >> word) words.push_back(word);
    list = "no list";
    QPointer<QTimer> pWaiting = OnDialog([&list, words](GoToBlockDialog* p) {
      list = Rows(p->list()).join(", ").toStdString() + " | at " + p->list()->currentItem()->text(0).toStdString();
      for (const std::string& w : words) {
        if (w.starts_with("type:")) QTest::keyClicks(p->list(), QString::fromStdString(w.substr(5)));
        else if (w.starts_with("dclick:")) {
          const QRect rect = p->list()->visualItemRect(p->list()->topLevelItem(std::stoi(w.substr(7))));
          QTest::mouseClick(p->list()->viewport(), Qt::LeftButton, {}, rect.center());
          QTest::mouseDClick(p->list()->viewport(), Qt::LeftButton, {}, rect.center());
        } else QTest::keyClick(p->list(), QKeySequence(QString::fromStdString(w))[0].key());
      }
    });
    PressCtrlShiftG();
    QTest::qWait(20);
    delete pWaiting.data();
  };
  script.State = [&] {
    const int top = view()->topRow();
    std::string block = top == view()->verticalScrollBar()->maximum() ? "(end) " : "";
    for (int b = 0; b < 0x1000; ++b)
      if (GRID_RowOfBlock(doc.font(), doc.showAllCharacters(), b) == top) {
        block += QString::number(b, 16).toStdString();
        break;
      }
    std::string out = (list.empty() ? "" : list + "\n") + "  char " +
                      QString::number(doc.currentChar(), 16).toStdString() + " | top " + block +
                      (view()->cellRect(doc.currentChar()).isEmpty() ? " | out of view" : "") + " | " +
                      pWindow->statusText().toStdString() + "\n";
    list.clear();
    return out;
  };
  ExpectScript("goto_block.txt", script);
}

}  // namespace
