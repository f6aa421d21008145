// The font view driven with real key, mouse and wheel events on the offscreen
// platform; assertions on the selection, the scroll position and the grabbed cells.
#include "shell/views/fontview.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QKeySequence>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>
#include <string>

#include "edit/enable.h"
#include "model/current.h"
#include "shell/document.h"
#include "golden.h"
#include "viewtest.h"

namespace {

constexpr unsigned kWhite = 0xFFFFFF;

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
  // Adds to the transcript: the label, the current character, the top row, whether
  // the current cell is on screen, which view holds the keys, the commands asked for.
  void Log(const std::string& label) {
    char line[200];
    std::snprintf(line, sizeof line, "%-32s current 0x%04X, top row %d%s, keys to the %s view", label.c_str(),
                  Current(), view.topRow(), view.cellRect(Current()).isEmpty() ? ", off screen" : "",
                  doc.keyboardTarget() ? "character" : "font");
    transcript += line;
    for (int id : commands) transcript += ", command " + std::to_string(id);
    transcript += "\n";
    commands.clear();
  }

  Document doc;
  ViewServices services;
  FontView view;
  std::vector<int> commands;
  std::string transcript;
};

// A Unicode font whose blocks 2 and 4 are in use.
FontPtr TwoBlockFont() {
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 0x25, 5, 0, 0, {"#####"});
  SetGlyph(pFont.get(), 0x45, 5, 0, 0, {"#####"});
  return pFont;
}

// The painted grid, compared with tests/data/shell/fontview_cells.png (the grid
// only: the labels beside it are text, which differs between machines): grid lines
// 17 pixels and a column pitch apart, enabled cells white and disabled ones gray,
// a box drawn from its row in the cell, the current character inverted (a 4-bit
// value in the colour of 15 minus it, a disabled one gray on black), no inversion
// while the character view has the keys, and the used-blocks grid closed below.
TEST_F(FontViewTest, PaintedGridMatchesItsPicture) {
  view.resize(700, 140);
  FontPtr pFont = MemoryFont(FONTTYPE_EXT_AA4, true);
  SetGlyph(pFont.get(), 0x25, 5, 0, 0, {"fffff"});
  SetGlyph(pFont.get(), 'B', 3, 2, 4, {"f5.", "..1"});
  SetGlyph(pFont.get(), 'C', 3, 2, 4, {"f5.", "..1"});
  SetGlyph(pFont.get(), 'D', 3, 2, 4, {"f5.", "..1"});
  FONT_EnableChar(pFont.get(), 'D', 0);
  doc.install(std::move(pFont), "");
  view.goToCode('B');
  view.verticalScrollBar()->setValue(1);
  std::vector<QImage> images;
  const GridGeometry g = view.gridGeometry();
  auto grid = [&] { return Image().copy(QRect(50, 0, 16 * g.ColumnPitch + 1, view.viewport()->height())); };
  images.push_back(grid());
  doc.setCurrentChar('D');
  images.push_back(grid());
  doc.setKeyboardTarget(1);
  images.push_back(grid());
  doc.setShowAllCharacters(0);
  view.verticalScrollBar()->setValue(0);
  images.push_back(grid());
  ExpectGoldenImage("fontview_cells.png", Stacked(images));
}

// What keys, clicks, the popup, the wheel and the scroll bar do to the selection,
// the scroll position and the keyboard, compared with tests/data/shell/fontview_moves.txt.
TEST_F(FontViewTest, KeysClicksPopupAndWheelMatchTheirTranscript) {
  // A new font selects A and scrolls its row into view (three rows and a cut one),
  // in both modes; here A's block is disabled.
  view.resize(700, 60);
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 0x300, 5, 0, 0);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#....", "#....", "#...."});
  FONT_EnableBlock(pFont.get(), 'A' >> 4, 0);
  doc.install(std::move(pFont), "");
  Log("new font");
  doc.setShowAllCharacters(0);
  Log("used blocks only");
  view.resize(700, 200);

  // Keys in both modes: a few that reach the grid's rules (GridMoves holds the
  // rest), Home and End, which stay in the row, and Ctrl with them.
  FontPtr pWide = TwoBlockFont();
  SetGlyph(pWide.get(), 0x4B, 5, 0, 0);
  doc.install(std::move(pWide), "");
  const int rows = view.visibleRows();
  const struct {
    int ShowAll, From;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
  } table[] = {
      {1, 0, Qt::Key_Left, {}},      {1, 0x13 + 16 * rows, Qt::Key_PageUp, {}}, {0, 0x25, Qt::Key_Down, {}},
      {0, 0x45, Qt::Key_Down, {}},   {1, 0x4B, Qt::Key_Home, {}},               {0, 0x4B, Qt::Key_End, {}},
      {0, 0x46, Qt::Key_PageDown, {}}, {1, 0x4B, Qt::Key_End, Qt::ControlModifier},
      {0, 0x4F, Qt::Key_Home, Qt::ControlModifier},
  };
  for (const auto& row : table) {
    doc.setShowAllCharacters(row.ShowAll);
    view.goToCode(row.From);
    Key(row.Key, row.Modifiers);
    char label[64];
    std::snprintf(label, sizeof label, "%s from 0x%04X%s", QKeySequence(row.Key | row.Modifiers).toString().toUtf8().data(),
                  row.From, row.ShowAll ? "" : ", used");
    Log(label);
  }
  // Left from 0 in a font of 256 codes; no move at all in a font without used blocks.
  FontPtr pNarrow = MemoryFont(FONTTYPE_STD, false);
  SetGlyph(pNarrow.get(), 'A', 5, 0, 0);
  doc.install(std::move(pNarrow), "");
  doc.setShowAllCharacters(1);
  view.goToCode(0);
  Key(Qt::Key_Left);
  Log("Left from 0, 8-bit codes");
  doc.setShowAllCharacters(0);
  doc.install(MemoryFont(FONTTYPE_STD, true), "");
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown}) {
    Key(key);
    Log(QKeySequence(key).toString().toStdString() + ", no used block");
  }

  // Clicks select and take the keyboard (not on the label column); Space asks for
  // Toggle; Tab hands the keyboard over.
  doc.install(TwoBlockFont(), "");
  doc.setShowAllCharacters(1);
  doc.setKeyboardTarget(1);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  Log("click on the label column");
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cellRect(0x27).bottomRight());
  Log("click on 0x27");
  Key(Qt::Key_Space);
  Log("Space");
  Key(Qt::Key_Tab);
  Log("Tab");

  // The popup on a used block: Disable block, and its row stays on screen, gray.
  doc.setShowAllCharacters(0);
  QTest::mouseClick(view.viewport(), Qt::RightButton, {}, view.cellRect(0x42).center());
  auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(pMenu, nullptr);
  std::string labels = "popup:";
  for (QAction* pAction : pMenu->actions()) labels += " " + (pAction->isSeparator() ? "-" : pAction->text().toStdString());
  Log(labels);
  for (QAction* pAction : pMenu->actions())
    if (pAction->text() == "&Disable block") pAction->trigger();
  pMenu->close();
  Log("Disable block");
  for (int code = 0x40; code < 0x50; code++) EXPECT_FALSE(FONT_IsCharEnabled(doc.font(), uint16_t(code)));
  EXPECT_FALSE(view.cellRect(0x43).isEmpty()) << "the row is still shown";

  // The wheel and the scroll bar keep the selection on screen, in its column.
  doc.setShowAllCharacters(1);
  view.goToCode(0x05);
  for (int angle : {-360, 120}) {
    QWheelEvent wheel(QPointF(100, 50), view.viewport()->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    Log("wheel " + std::to_string(angle));
  }
  for (auto action : {QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderToMaximum,
                      QAbstractSlider::SliderPageStepAdd}) {
    view.verticalScrollBar()->triggerAction(action);
    Log("scroll bar action " + std::to_string(action));
  }
  ExpectGolden("fontview_moves.txt", transcript);
}

// A font installed before the view has its size (one named on the command line)
// is placed again for the size the view gets: from the first row and column, as
// far as its selection needs. Once the user has moved, a resize keeps the place.
TEST_F(FontViewTest, AFontInstalledBeforeTheViewHasItsSizeIsPlacedForThatSize) {
  view.resize(60, 40);
  doc.install(TwoBlockFont(), "");
  ASSERT_EQ(Current(), 'A');
  ASSERT_GT(view.topRow(), 0);  // A's row scrolled into the small view
  ASSERT_GT(view.horizontalPosition(), 0);
  view.resize(700, 200);
  EXPECT_EQ(view.topRow(), 0);
  EXPECT_EQ(view.horizontalPosition(), 0);
  EXPECT_FALSE(view.cellRect('A').isEmpty());
  Key(Qt::Key_End, Qt::ControlModifier);
  const int top = view.topRow();
  ASSERT_GT(top, 0);
  view.resize(700, 120);
  view.resize(700, 200);
  EXPECT_EQ(view.topRow(), top);
  EXPECT_EQ(Current(), 0xFFFF);
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
