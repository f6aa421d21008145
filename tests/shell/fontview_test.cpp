// The font view driven with real key, mouse and wheel events on the offscreen
// platform; assertions on the selection, the scroll position and the grabbed cells.
#include "shell/views/fontview.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "edit/enable.h"
#include "generation/antialias.h"
#include "model/current.h"
#include "shell/document.h"
#include "viewtest.h"

namespace {

constexpr unsigned kWhite = 0xFFFFFF, kBlack = 0x000000, kGray = 0xAAAAAA;

class FontViewTest : public testing::Test {
 protected:
  FontViewTest() : services(&doc), view(&doc) {
    // The main window's dispatch of the popup and Space commands.
    QObject::connect(&view, &FontView::commandRequested, [this](int id) {
      commands.push_back(id);
      if (id == 660) EDIT_ToggleChar();
      if (id == 661 || id == 662) EDIT_EnableBlock(id == 662);
    });
    view.resize(700, 200);
    view.show();
  }
  ~FontViewTest() override { FONT_SetCurrent(nullptr); }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&view, key, modifiers); }
  int Current() const { return doc.currentChar(); }
  QImage Image() { return Grab(view.viewport()); }

  Document doc;
  ViewServices services;
  FontView view;
  std::vector<int> commands;
};

// A Unicode font whose blocks 2 and 4 are in use.
FontPtr TwoBlockFont() {
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 0x25, 5, 0, 0, {"#####"});
  SetGlyph(pFont.get(), 0x45, 5, 0, 0, {"#####"});
  return pFont;
}

TEST_F(FontViewTest, NewFontSelectsAAndScrollsItsRowIntoView) {
  view.resize(700, 60);  // three rows and a cut one
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 0x300, 5, 0, 0);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#....", "#....", "#...."});
  FONT_EnableBlock(pFont.get(), 'A' >> 4, 0);  // A's block disabled
  doc.install(std::move(pFont), "");
  EXPECT_EQ(Current(), 'A');
  EXPECT_EQ(view.topRow(), 4 - view.visibleRows() + 2);
  const QRect cell = view.cellRect('A');
  ASSERT_FALSE(cell.isEmpty());
  // The current character is inverted: a black cell with its pixel column gray
  // (disabled characters show gray on black while selected).
  const QImage image = Image();
  EXPECT_EQ(Rgb(image, cell.left() + 2, cell.top() + 1), kBlack);
  EXPECT_EQ(Rgb(image, cell.left() + 9, cell.top() + 1), kGray);
  EXPECT_EQ(Rgb(image, cell.left() + 10, cell.top() + 1), kBlack);
  // In the used-blocks mode as well.
  doc.setShowAllCharacters(0);
  EXPECT_EQ(Current(), 'A');
  EXPECT_EQ(view.topRow(), 0);
}

TEST_F(FontViewTest, BoxesSitAtTheirRowAndTheCurrentCharacterShowsInverted) {
  // An extended 4-bit font of height 8, baseline 6: a 3 x 2 box whose top lies 4
  // above the baseline starts at row 2 of the cell.
  FontPtr pFont = MemoryFont(FONTTYPE_EXT_AA4, true);
  SetGlyph(pFont.get(), 'B', 3, 2, 4, {"f5.", "..1"});
  SetGlyph(pFont.get(), 'C', 3, 2, 4, {"f5.", "..1"});
  doc.install(std::move(pFont), "");
  view.goToCode('B');
  const auto color = [](int value) { return AaRgb(FONTTYPE_EXT_AA4, value); };
  const QImage image = Image();
  const QRect current = view.cellRect('B');
  const QRect other = view.cellRect('C');
  const int x0 = 9, y0 = 2;  // glyph origin inside the interior
  for (int dx = 0; dx < 3; dx++)
    for (int dy = -1; dy <= 2; dy++) {
      const int value = dy < 0 || dy > 1 ? 0 : dy == 0 ? (dx == 0 ? 15 : dx == 1 ? 5 : 0) : (dx == 2 ? 1 : 0);
      EXPECT_EQ(Rgb(image, other.left() + x0 + dx, other.top() + y0 + dy), value ? color(value) : kWhite)
          << dx << "," << dy;
      // Selected: black ground, ink in the colour of (15 - value).
      EXPECT_EQ(Rgb(image, current.left() + x0 + dx, current.top() + y0 + dy), value ? color(15 - value) : kBlack)
          << dx << "," << dy;
    }
}

TEST_F(FontViewTest, KeysMoveTheSelectionInBothModesAndKeepItOnScreen) {
  FontPtr pWide = TwoBlockFont();
  SetGlyph(pWide.get(), 0x4B, 5, 0, 0);
  doc.install(std::move(pWide), "");
  const int rows = view.visibleRows();
  struct Row {
    int ShowAll, From;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int To;
  };
  const Row table[] = {
      // The key reaches the grid's rules (GridMoves holds them all): a few of each mode.
      {1, 0, Qt::Key_Left, {}, 0xFFFF},
      {1, 0x13 + 16 * rows, Qt::Key_PageUp, {}, 0x13},
      {0, 0x45, Qt::Key_Down, {}, 0x25},
      {0, 0x46, Qt::Key_PageDown, {}, rows % 2 ? 0x26 : 0x46},
      {1, 0x4B, Qt::Key_End, Qt::ControlModifier, 0xFFFF},
      {0, 0x4F, Qt::Key_Home, Qt::ControlModifier, 0x20},
  };
  for (const Row& row : table) {
    doc.setShowAllCharacters(row.ShowAll);
    view.goToCode(row.From);
    Key(row.Key, row.Modifiers);
    EXPECT_EQ(Current(), row.To) << std::hex << "from 0x" << row.From << " key 0x" << row.Key << " all " << row.ShowAll;
    EXPECT_FALSE(view.cellRect(Current()).isEmpty()) << std::hex << "0x" << row.To << " scrolled into view";
  }
  EXPECT_EQ(view.topRow(), 0);
  // The used-blocks grid shows two rows, then the closing line and white below.
  const QImage image = Image();
  const int x = view.cellRect(0x23).center().x();
  EXPECT_EQ(Rgb(image, x, 2 * 17), kBlack);
  EXPECT_EQ(Rgb(image, 50, 2 * 17 + 5), kWhite);
  EXPECT_TRUE(AllOf(image, QRect(0, 2 * 17 + 1, image.width(), image.height() - 2 * 17 - 1), kWhite));
  FontPtr pNarrow = MemoryFont(FONTTYPE_STD, false);
  SetGlyph(pNarrow.get(), 'A', 5, 0, 0);
  doc.install(std::move(pNarrow), "");
  doc.setShowAllCharacters(1);
  view.goToCode(0);
  Key(Qt::Key_Left);
  EXPECT_EQ(Current(), 0);
  // A font without used blocks does not move.
  doc.setShowAllCharacters(0);
  doc.install(MemoryFont(FONTTYPE_STD, true), "");
  EXPECT_EQ(Current(), 'A');
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown}) {
    Key(key);
    EXPECT_EQ(Current(), 'A') << key;
  }
}

TEST_F(FontViewTest, PopupDisablesTheBlockWhichStaysOnScreenGray) {
  doc.install(TwoBlockFont(), "");
  doc.setShowAllCharacters(0);
  const QRect cell = view.cellRect(0x42);
  ASSERT_FALSE(cell.isEmpty());
  QTest::mouseClick(view.viewport(), Qt::RightButton, {}, cell.center());
  EXPECT_EQ(Current(), 0x42);
  auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(pMenu, nullptr);
  QStringList labels;
  QAction* pDisable = nullptr;
  for (QAction* pAction : pMenu->actions()) {
    labels << (pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
    if (pAction->text() == "&Disable block") pDisable = pAction;
  }
  EXPECT_EQ(labels, QStringList({"&Toggle character", "-", "&Disable block", "&Enable block"}));
  ASSERT_NE(pDisable, nullptr);
  pDisable->trigger();
  pMenu->close();
  EXPECT_EQ(commands, std::vector<int>{661});
  for (int code = 0x40; code < 0x50; code++) EXPECT_FALSE(FONT_IsCharEnabled(doc.font(), uint16_t(code)));
  // The row is still shown; a neighbour of the current cell is gray.
  doc.setKeyboardTarget(1);
  const QImage image = Image();
  const QRect next = view.cellRect(0x43);
  ASSERT_FALSE(next.isEmpty());
  EXPECT_TRUE(AllOf(image, next, kGray));
  EXPECT_TRUE(AllOf(image, view.cellRect(0x42), kGray)) << "not inverted while the character view has the keys";
}

TEST_F(FontViewTest, ClicksSelectAndTakeTheKeyboardSpaceAsksForToggle) {
  doc.install(TwoBlockFont(), "");
  doc.setKeyboardTarget(1);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, 5));  // label column
  EXPECT_EQ(doc.keyboardTarget(), 1);
  EXPECT_EQ(Current(), 'A');
  const QRect cell = view.cellRect(0x27);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.bottomRight());
  EXPECT_EQ(doc.keyboardTarget(), 0);
  EXPECT_EQ(Current(), 0x27);
  EXPECT_EQ(Rgb(Image(), cell.left() + 1, cell.top() + 1), kBlack);
  Key(Qt::Key_Space);
  EXPECT_EQ(commands, std::vector<int>{660});
  EXPECT_TRUE(FONT_IsCharEnabled(doc.font(), 0x27));
  // Tab hands the keyboard over; the cell loses its inversion.
  Key(Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  EXPECT_EQ(Rgb(Image(), cell.left() + 1, cell.top() + 1), kWhite);
}

TEST_F(FontViewTest, WheelAndScrollBarKeepTheSelectionOnScreen) {
  doc.install(TwoBlockFont(), "");
  view.goToCode(0x05);
  const int rows = view.visibleRows();
  QWheelEvent down(QPointF(100, 50), view.viewport()->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, -360),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &down);
  EXPECT_EQ(view.topRow(), 3);
  EXPECT_EQ(Current(), 0x35) << "moved to the top visible row, same column";
  QWheelEvent up(QPointF(100, 50), view.viewport()->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, 120),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &up);
  EXPECT_EQ(view.topRow(), 2);
  EXPECT_EQ(Current(), 0x35);
  view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(view.topRow(), 2 + rows);
  EXPECT_EQ(Current(), (2 + rows) * 16 + 5);
  view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(view.topRow(), 4096 - rows + 1);
  EXPECT_FALSE(view.cellRect(Current()).isEmpty());
  view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(view.topRow(), 4096 - rows + 1);
}

TEST_F(FontViewTest, AreaNamesRepeatPerBlockAndJisFontsShowNone) {
  view.resize(1100, 200);
  doc.install(TwoBlockFont(), "");
  doc.setCurrentChar(0);
  view.goToCode(0);
  const GridGeometry g = view.gridGeometry();
  const int x = 16 * g.ColumnPitch + 70;
  const auto strip = [&](const QImage& image, int row) {
    return image.copy(QRect(x, row * g.RowPitch + 1, 400, g.RowHeight));
  };
  QImage image = Image();
  // Rows 0x0000..0x0070 lie in one block: the same name on each.
  for (int row = 0; row < 8; row++) {
    EXPECT_GT(CountNot(image, QRect(x, row * g.RowPitch + 1, 400, g.RowHeight), kWhite), 20) << row;
    EXPECT_EQ(strip(image, row), strip(image, 0)) << row;
  }
  EXPECT_NE(strip(image, 8), strip(image, 7)) << "0x0080 starts another block";

  FontPtr pJis = MemoryFont(FONTTYPE_STD, true);
  pJis->Encoding = ENCODING_JIS;
  doc.install(std::move(pJis), "");
  view.goToCode(0);
  image = Image();
  EXPECT_TRUE(AllOf(image, QRect(x - 10, 0, image.width() - x + 10, image.height()), kWhite));
}

TEST_F(FontViewTest, CharactersAreRenderedWhenTheyFirstBecomeVisible) {
  FontPtr pFont = GeneratedFont("DejaVu Sans", 16, FONTTYPE_AA4, ENCODING_UC16);
  if (!pFont) GTEST_SKIP() << "DejaVu Sans is not installed";
  doc.install(std::move(pFont), "");
  Image();
  const Font* f = doc.font();
  const auto rendered = [f] {
    int n = 0;
    for (int code = 0; code < 65536; code++) n += FONT_IsCharRendered(f, uint16_t(code));
    return n;
  };
  const int visibleCells = view.visibleRows() * 16;
  const int afterFirst = rendered();
  EXPECT_GT(afterFirst, 16);
  EXPECT_LE(afterFirst, visibleCells);
  EXPECT_TRUE(FONT_IsCharRendered(f, 'A'));
  EXPECT_FALSE(FONT_IsCharRendered(f, 0x0410)) << "Cyrillic is off screen";
  Key(Qt::Key_End, Qt::ControlModifier);
  Image();
  EXPECT_LE(rendered(), afterFirst + visibleCells);
  // A rendered glyph shows its ink: the A cell holds dark pixels in its glyph area.
  view.goToCode('A');
  doc.setKeyboardTarget(1);
  const QRect cell = view.cellRect('A');
  const QImage image = Image();
  EXPECT_GT(CountNot(image, cell.adjusted(9, 0, 0, 0), kWhite), 10);
  EXPECT_TRUE(AllOf(image, QRect(cell.left(), cell.top(), 9, cell.height()), kWhite));
}

}  // namespace
