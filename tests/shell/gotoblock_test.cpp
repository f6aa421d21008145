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

TEST_F(GoToBlockTest, ListsTheFontsBlocksAndBringsTheChosenOneToTheTop) {
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  for (int c = 0x20; c <= 0x7E; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  for (int c = 0x410; c <= 0x44F; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  SetGlyph(pFont.get(), 0x0870, 3, 0, 0, {"#"});  // in no Unicode block
  for (int c = 0x4E00; c <= 0x4E02; ++c) SetGlyph(pFont.get(), uint16_t(c), 3, 0, 0, {"#"});
  SetGlyph(pFont.get(), 0xFFFD, 3, 0, 0, {"#"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");

  QStringList rows;
  QString selected;
  OnDialog([&](GoToBlockDialog* p) {
    rows = Rows(p->list());
    selected = p->list()->currentItem()->text(0);
    QTest::keyClick(p->list(), Qt::Key_Escape);
  });
  PressCtrlShiftG();
  EXPECT_EQ(rows, QStringList({"Basic Latin 0000-007F 95", "Cyrillic 0400-04FF 64",
                               "CJK Unified Ideographs 4E00-9FFF 3", "Specials FFF0-FFFF 1"}));
  EXPECT_EQ(selected, "Basic Latin");  // the block of the current character

  auto keys = [](std::initializer_list<Qt::Key> keyList) {
    return [list = std::vector<Qt::Key>(keyList)](GoToBlockDialog* p) {
      for (Qt::Key k : list) QTest::keyClick(p->list(), k);
    };
  };
  const struct {
    const char* pWhat;
    int ShowAll;
    std::function<void(GoToBlockDialog*)> Act;
    int Code;        // the current character afterwards
    int FirstBlock;  // the block whose row comes to the top; -1: the view stays
  } cases[] = {
      {"Down and Return", 1, keys({Qt::Key_Down, Qt::Key_Return}), 0x410, 0x040},
      {"typed name", 1,
       [](GoToBlockDialog* p) {
         QTest::keyClicks(p->list(), "CJK");
         QTest::keyClick(p->list(), Qt::Key_Return);
       },
       0x4E00, 0x4E0},
      {"Escape", 1, keys({Qt::Key_Up, Qt::Key_Escape}), 0x4E00, -1},
      {"End in used blocks", 0, keys({Qt::Key_End, Qt::Key_Enter}), 0xFFFD, 0xFFF},
      {"Home in used blocks", 0, keys({Qt::Key_Home, Qt::Key_Return}), 0x20, 0x000},
      {"double click", 1,
       [](GoToBlockDialog* p) {
         QTreeWidget* pList = p->list();
         const QRect rect = pList->visualItemRect(pList->topLevelItem(1));
         QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, rect.center());
         QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, rect.center());
       },
       0x410, 0x040},
  };
  for (const auto& c : cases) {
    doc.setShowAllCharacters(c.ShowAll);
    const int topBefore = view()->topRow();
    bool shown = false;
    OnDialog([&](GoToBlockDialog* p) {
      shown = true;
      c.Act(p);
    });
    PressCtrlShiftG();
    ASSERT_TRUE(shown) << c.pWhat;
    EXPECT_EQ(doc.currentChar(), c.Code) << c.pWhat;
    if (c.FirstBlock < 0) {
      EXPECT_EQ(view()->topRow(), topBefore) << c.pWhat;
    } else {
      const int row = GRID_RowOfBlock(doc.font(), c.ShowAll, c.FirstBlock);
      EXPECT_EQ(view()->topRow(), std::min(row, view()->verticalScrollBar()->maximum())) << c.pWhat;
      EXPECT_FALSE(view()->cellRect(c.Code).isEmpty()) << c.pWhat;
    }
  }

  // Shift_JIS codes are not Unicode: no list, a word in the status bar.
  FontPtr pJis = MemoryFont(FONTTYPE_STD, true);
  pJis->Encoding = ENCODING_JIS;
  SetGlyph(pJis.get(), 0x82A0, 3, 0, 0, {"#"});
  doc.install(std::move(pJis), "");
  bool opened = false;
  QPointer<QTimer> pWaiting = OnDialog([&opened](GoToBlockDialog*) { opened = true; });
  PressCtrlShiftG();
  QTest::qWait(20);
  delete pWaiting.data();
  EXPECT_FALSE(opened);
  EXPECT_EQ(pWindow->statusText(), "A Shift_JIS font has no Unicode blocks");
}

}  // namespace
