// The character view driven with real keys and clicks on the offscreen platform:
// the pixels and journal lines they write, the cursor and its wrap, the status text
// and the painted cells.
#include "shell/views/charview.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "generation/antialias.h"
#include "model/current.h"
#include "settings/journal.h"
#include "shell/document.h"
#include "shell/views/grid.h"
#include "shell/commandmenus.h"
#include "golden.h"
#include "widgettest.h"

namespace {


class CharViewTest : public CharViewFixture {
 protected:
  // Installs the font as the fixture does and gives the view the keyboard.
  Font* Install(FontPtr pFont) override {
    CharViewFixture::Install(std::move(pFont));
    doc.setKeyboardTarget(1);
    return doc.font();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&view, key, modifiers); }
};

// Digits and A..F set an index, Space inverts, the keypad's + and - step; values the
// type cannot hold are ignored. Each change, and only a change, writes its line.
TEST_F(CharViewTest, PixelKeysStayWithinTheTypesValuesAndJournalEachChange) {
  struct Step {
    int X, Y;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Value;
  };
  const Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
  const struct {
    int32_t Type;
    std::vector<Step> Steps;
  } cases[] = {
      {FONTTYPE_STD, {{3, 4, Qt::Key_2, {}, 0}, {3, 4, Qt::Key_1, {}, 1}, {3, 4, Qt::Key_F, {}, 1},
                      {3, 4, Qt::Key_0, {}, 0}}},
      {FONTTYPE_AA2, {{0, 0, Qt::Key_Space, {}, 2}, {2, 0, Qt::Key_Space, {}, 0}, {2, 0, Qt::Key_Plus, kPad, 1},
                      {2, 0, Qt::Key_Plus, kPad, 2}, {2, 0, Qt::Key_Plus, kPad, 3}, {2, 0, Qt::Key_Plus, kPad, 3},
                      {2, 0, Qt::Key_Minus, kPad, 2}, {2, 0, Qt::Key_Minus, {}, 2},  // the main keyboard's minus
                      {2, 0, Qt::Key_4, {}, 2}}},
  };
  for (const auto& c : cases) {
    InstallGlyph(c.Type, 5, 0, 0, {"1.3.."});
    for (const Step& step : c.Steps) {
      SCOPED_TRACE(testing::Message() << "type " << c.Type << " key 0x" << std::hex << step.Key);
      view.setPixelCursor(step.X, step.Y);
      const int before = Pixel(step.X, step.Y);
      const size_t lines = std::string(JOURNAL_GetText()).size() / 72;
      Key(step.Key, step.Modifiers);
      EXPECT_EQ(Pixel(step.X, step.Y), step.Value);
      EXPECT_EQ(std::string(JOURNAL_GetText()).size() / 72, lines + (step.Value != before));
    }
  }
  InstallGlyph(FONTTYPE_STD, 5, 0, 0);
  view.setPixelCursor(3, 4);
  Key(Qt::Key_1);
  char expected[128] = "* Pixel index of character 0x41 (65) at 3/4 set to 1";
  JOURNAL_FormatLine(expected, sizeof expected);
  EXPECT_EQ(std::string(JOURNAL_GetText()), expected);
  // Keys reach the pixels only while the view holds the keyboard.
  doc.setKeyboardTarget(0);
  Key(Qt::Key_0);
  EXPECT_EQ(Pixel(3, 4), 1);
}

TEST_F(CharViewTest, FramedFontMinusWritesAFramePixelAndRebuildsTheFrame) {
  Font* pFont = InstallGlyph(FONTTYPE_EXT_FRM, 5, 6, 6, {".....", ".....", "..#..", ".....", ".....", "....."});
  FONT_RecalcFrame(pFont, 'A');
  // Beside the ink: the frame pixel stays after the rebuild.
  view.setPixelCursor(2, 0);
  Key(Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(Pixel(2, 0), 0) << "not next to ink: the rebuilt frame drops it";
  std::string journal = JOURNAL_GetText();
  EXPECT_NE(journal.find("at 2/0 set to -1 "), std::string::npos) << journal;
  JOURNAL_Clear();
  view.setPixelCursor(4, 4);
  Key(Qt::Key_1);
  EXPECT_EQ(Pixel(4, 4), 1);
  EXPECT_EQ(Pixel(3, 4), -1) << "the frame follows the new ink";
  EXPECT_EQ(Pixel(4, 3), -1);
  view.setPixelCursor(3, 4);
  Key(Qt::Key_Space);  // a frame pixel inverts to ink
  EXPECT_EQ(Pixel(3, 4), 1);
  Key(Qt::Key_0);
  EXPECT_EQ(Pixel(3, 4), -1) << "white beside ink: the rebuilt frame takes it";
  journal = JOURNAL_GetText();
  EXPECT_NE(journal.find("at 3/4 set to 0 "), std::string::npos) << journal;
  Key(Qt::Key_Minus, Qt::KeypadModifier);  // below -1: ignored
  EXPECT_EQ(Pixel(3, 4), -1);
}

TEST_F(CharViewTest, MenuSetsWithoutJournalAndGraysValuesTheTypeCannotHold) {
  InstallGlyph(FONTTYPE_STD, 5, 0, 0);
  view.setPixelCursor(1, 1);
  std::vector<int> requested;
  QObject::connect(&view, &CharView::commandRequested, [&](int id) { requested.push_back(id); });
  QTest::mouseClick(&view, Qt::RightButton, {}, Interior(1, 1).center());
  auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(pMenu, nullptr);
  QAction* pSet15 = nullptr;
  QAction* pSet1 = nullptr;
  for (QAction* pAction : pMenu->actions()) {
    if (pAction->text() == "Set index to 15\t&F") pSet15 = pAction;
    if (pAction->text() == "Set index to &1\t1") pSet1 = pAction;
  }
  ASSERT_NE(pSet15, nullptr);
  ASSERT_NE(pSet1, nullptr);
  EXPECT_FALSE(pSet15->isEnabled());
  EXPECT_TRUE(pSet1->isEnabled());
  pSet1->trigger();
  pMenu->close();
  EXPECT_EQ(requested, std::vector<int>{701});
  view.pixelCommand(701);
  EXPECT_EQ(Pixel(1, 1), 1);
  view.pixelCommand(715);  // grayed: not written
  EXPECT_EQ(Pixel(1, 1), 1);
  EXPECT_EQ(std::string(JOURNAL_GetText()), "");

  InstallGlyph(FONTTYPE_AA4, 5, 0, 0);
  QMenu menu;
  doc.setKeyboardTarget(1);
  SHELL_FillPopup(&menu, POPUP_PIXEL, doc.commandState());
  int enabled = 0;
  for (QAction* pAction : menu.actions()) enabled += !pAction->isSeparator() && pAction->isEnabled();
  EXPECT_EQ(enabled, 19);
  doc.setKeyboardTarget(0);
  SHELL_ApplyMenuState(&menu, doc.commandState());
  for (QAction* pAction : menu.actions()) EXPECT_FALSE(!pAction->isSeparator() && pAction->isEnabled());
  view.setPixelCursor(2, 3);
  view.pixelCommand(715);
  EXPECT_EQ(Pixel(2, 3), 15);
  view.pixelCommand(681);
  EXPECT_EQ(Pixel(2, 3), 14);
  view.pixelCommand(682);
  EXPECT_EQ(Pixel(2, 3), 1);
  EXPECT_EQ(std::string(JOURNAL_GetText()).size(), 2 * 72u) << "one line each for decrease and invert";
}

TEST_F(CharViewTest, ClicksOutsideTheBoxMoveNothing) {
  InstallGlyph(FONTTYPE_EXT, 4, 6, 5, {"####", "....", "....", "....", "....", "#..#"});  // height 8, baseline 6
  ASSERT_EQ(view.cellSize(), 20);
  doc.setKeyboardTarget(0);
  view.setPixelCursor(2, 3);
  QTest::mouseClick(&view, Qt::LeftButton, {}, view.cellRect(1, 7).center());
  EXPECT_EQ(doc.keyboardTarget(), 1) << "any click takes the keyboard";
  EXPECT_EQ(view.pixelCursor(), QPoint(2, 3));
  QTest::mouseClick(&view, Qt::LeftButton, {}, view.cellRect(3, 2).center());
  EXPECT_EQ(view.pixelCursor(), QPoint(3, 1));
  EXPECT_EQ(Pixel(3, 1), 0) << "a click never changes a pixel";
  QTest::mouseClick(&view, Qt::LeftButton, {}, view.cellRect(4, 2).center());  // right of the box
  EXPECT_EQ(view.pixelCursor(), QPoint(3, 1));
}

TEST_F(CharViewTest, ArrowsMoveTheCursorRoundTheBoxAndTheStatusFollows) {
  InstallGlyph(FONTTYPE_EXT, 4, 5, 6, {".#.."});  // a 4 x 5 box from the top row
  view.setPixelCursor(0, 0);
  Grab(&view);  // the status follows the painted cursor
  EXPECT_EQ(services.status, "Index of pixel [ 0, 0 ] = 0");
  Key(Qt::Key_Right);
  Grab(&view);
  EXPECT_EQ(services.status, "Index of pixel [ 1, 0 ] = 1");
  // The arrows wrap round the box (not the font height).
  const std::pair<QPoint, std::pair<Qt::Key, QPoint>> wraps[] = {{{3, 2}, {Qt::Key_Right, {0, 2}}},
                                                                 {{0, 2}, {Qt::Key_Left, {3, 2}}},
                                                                 {{1, 0}, {Qt::Key_Up, {1, 4}}},
                                                                 {{1, 4}, {Qt::Key_Down, {1, 0}}}};
  for (const auto& [from, move] : wraps) {
    view.setPixelCursor(from.x(), from.y());
    Key(move.first);
    EXPECT_EQ(view.pixelCursor(), move.second) << move.first;
  }
  EXPECT_EQ(std::string(JOURNAL_GetText()), "");
  // Tab gives the keyboard back to the font view.
  Key(Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
  Grab(&view);
  EXPECT_EQ(services.status, "Ready");
  // A narrower character brings the cursor back in before it is used.
  doc.setKeyboardTarget(1);
  SetGlyph(doc.font(), 'B', 2, 5, 6);
  view.setPixelCursor(3, 2);
  doc.setCurrentChar('B');
  Key(Qt::Key_1);
  EXPECT_EQ(view.pixelCursor(), QPoint(0, 2));
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'B', 0, 2), 1);
}

// The painted cells, compared with tests/data/shell/charview_cells.png: rows outside
// the box yellow, ink black, two pixels of black between cells, the cursor frame
// inverted on white and on ink and gone when the font view has the keys, a framed
// font's frame light cyan, and each value of a 4-bit font in its colour.
TEST_F(CharViewTest, PaintedCellsMatchTheirPicture) {
  std::vector<QImage> images;
  InstallGlyph(FONTTYPE_EXT, 4, 6, 5, {"####", "....", "....", "....", "....", "#..#"});
  view.setPixelCursor(1, 1);
  images.push_back(Grab(&view));
  Key(Qt::Key_Up);  // onto ink
  images.push_back(Grab(&view));
  doc.setKeyboardTarget(0);
  images.push_back(Grab(&view));
  Font* pFont = InstallGlyph(FONTTYPE_EXT_FRM, 5, 6, 6, {".....", ".....", "..#..", ".....", ".....", "....."});
  FONT_RecalcFrame(pFont, 'A');
  doc.setKeyboardTarget(0);
  images.push_back(Grab(&view));
  InstallGlyph(FONTTYPE_AA4, 8, 0, 0, {"01234567", "89abcdef"});
  doc.setKeyboardTarget(0);
  images.push_back(Grab(&view));
  ExpectGoldenImage("charview_cells.png", Stacked(images));
}

TEST_F(CharViewTest, TheCurrentCharacterIsRenderedBeforeItIsEdited) {
  FontPtr pFont = GeneratedFont("DejaVu Sans", 16, FONTTYPE_EXT_AA4, ENCODING_UC16);
  if (!pFont) GTEST_SKIP() << "DejaVu Sans is not installed";
  Font* f = Install(std::move(pFont));
  ASSERT_FALSE(FONT_IsCharRendered(f, 'A')) << "nothing painted yet";
  view.setPixelCursor(0, 0);
  Key(Qt::Key_F);
  EXPECT_TRUE(FONT_IsCharRendered(f, 'A'));
  EXPECT_GT(FONT_GetCharWidth(f, 'A'), 5);
  EXPECT_EQ(Pixel(0, 0), 15);
  EXPECT_NE(std::string(JOURNAL_GetText()).find("at 0/0 set to 15 "), std::string::npos);
  // Showing it later keeps the edit.
  Grab(&view);
  EXPECT_EQ(Pixel(0, 0), 15);
}

TEST_F(CharViewTest, NoFontAndTinyViewsDrawNothing) {
  view.resize(300, 5);
  const QImage empty = Grab(&view);
  Key(Qt::Key_1);
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(doc.keyboardTarget(), 0);
  InstallGlyph(FONTTYPE_STD, 5, 0, 0, {"#####"});
  doc.setKeyboardTarget(0);
  EXPECT_EQ(view.cellSize(), 0);
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(doc.keyboardTarget(), 1);
  EXPECT_EQ(Grab(&view), empty);
}

}  // namespace
