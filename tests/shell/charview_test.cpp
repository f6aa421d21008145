// The character view driven with real keys and clicks on the offscreen platform:
// the pixels and journal lines they write, the cursor and its wrap, the status text
// and the painted cells.
#include "shell/views/charview.h"

#include <QMenu>
#include <QKeySequence>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

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

// Digits and A..F set an index, Space inverts, the keypad's + and - step (the main
// keyboard's minus does not), values the type cannot hold are ignored, each change
// and only a change writes its line; a framed font's frame is rebuilt after each
// key; the menu's commands write no line; clicks outside the box move nothing; the
// arrows wrap round the box and the status follows the painted cursor. Compared
// with tests/data/shell/charview_keys.txt.
TEST_F(CharViewTest, KeysClicksAndMenuCommandsMatchTheirTranscript) {
  const auto keys = [&](int x, int y, std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
    for (const auto& [key, modifiers] : presses) {
      view.setPixelCursor(x, y);
      Key(key, modifiers);
      Log(QKeySequence(int(key) | int(modifiers)).toString().toStdString() + " at " + std::to_string(x) + "," +
          std::to_string(y));
    }
  };
  const Qt::KeyboardModifiers kPad = Qt::KeypadModifier, kNone;
  InstallGlyph(FONTTYPE_STD, 5, 0, 0, {"1.3.."});
  keys(3, 4, {{Qt::Key_2, kNone}, {Qt::Key_1, kNone}, {Qt::Key_F, kNone}, {Qt::Key_0, kNone}});
  InstallGlyph(FONTTYPE_AA2, 5, 0, 0, {"1.3.."});
  keys(0, 0, {{Qt::Key_Space, kNone}});
  keys(2, 0, {{Qt::Key_Space, kNone}, {Qt::Key_Plus, kPad}, {Qt::Key_Plus, kPad}, {Qt::Key_Plus, kPad},
              {Qt::Key_Plus, kPad}, {Qt::Key_Minus, kPad}, {Qt::Key_Minus, kNone}, {Qt::Key_4, kNone}});
  // Keys reach the pixels only while the view holds the keyboard.
  doc.setKeyboardTarget(0);
  keys(2, 0, {{Qt::Key_0, kNone}});
  doc.setKeyboardTarget(1);

  Font* pFont = InstallGlyph(FONTTYPE_EXT_FRM, 5, 6, 6, {".....", ".....", "..#..", ".....", ".....", "....."});
  FONT_RecalcFrame(pFont, 'A');
  keys(2, 0, {{Qt::Key_Minus, kPad}});
  keys(4, 4, {{Qt::Key_1, kNone}});
  keys(3, 4, {{Qt::Key_Space, kNone}, {Qt::Key_0, kNone}, {Qt::Key_Minus, kPad}});

  InstallGlyph(FONTTYPE_AA4, 5, 0, 0);
  view.setPixelCursor(2, 3);
  for (int id : {715, 681, 682}) {
    view.pixelCommand(id);
    Log("command " + std::to_string(id));
  }

  // Clicks: outside the box (above it, then right of it) and inside.
  InstallGlyph(FONTTYPE_EXT, 4, 6, 5, {"####", "....", "....", "....", "....", "#..#"});
  doc.setKeyboardTarget(0);
  view.setPixelCursor(2, 3);
  for (const QPoint& cell : {QPoint(1, 7), QPoint(3, 2), QPoint(4, 2)}) {
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.cellRect(cell.x(), cell.y()).center());
    Log("click on screen cell " + std::to_string(cell.x()) + "," + std::to_string(cell.y()));
    EXPECT_EQ(doc.keyboardTarget(), 1) << "any click takes the keyboard";
  }

  // A 4 x 5 box from the top row; Tab gives the keyboard back, the status says Ready.
  InstallGlyph(FONTTYPE_EXT, 4, 5, 6, {".#.."});
  const auto status = [&] {
    Grab(&view);
    transcript += "  status " + services.status + "\n";
  };
  view.setPixelCursor(0, 0);
  status();
  for (const auto& [from, key] : std::initializer_list<std::pair<QPoint, Qt::Key>>{
           {{0, 0}, Qt::Key_Right}, {{3, 2}, Qt::Key_Right}, {{0, 2}, Qt::Key_Left}, {{1, 0}, Qt::Key_Up},
           {{1, 4}, Qt::Key_Down}}) {
    keys(from.x(), from.y(), {{key, kNone}});
    status();
  }
  Key(Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
  status();
  // A narrower character brings the cursor back in before it is used.
  doc.setKeyboardTarget(1);
  SetGlyph(doc.font(), 'B', 2, 5, 6);
  view.setPixelCursor(3, 2);
  doc.setCurrentChar('B');
  Key(Qt::Key_1);
  EXPECT_EQ(view.pixelCursor(), QPoint(0, 2));
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'B', 0, 2), 1);
  ExpectGolden("charview_keys.txt", transcript);
}

// The popup grays the values the type cannot hold and asks the window for the command.
TEST_F(CharViewTest, PopupGraysValuesTheTypeCannotHold) {
  InstallGlyph(FONTTYPE_STD, 5, 0, 0);
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
  ASSERT_TRUE(pSet15 && pSet1);
  EXPECT_FALSE(pSet15->isEnabled());
  EXPECT_TRUE(pSet1->isEnabled());
  pSet1->trigger();
  pMenu->close();
  EXPECT_EQ(requested, std::vector<int>{701});
  view.pixelCommand(715);  // grayed: not written
  EXPECT_EQ(Pixel(1, 1), 0);
}

// The painted cells, compared with tests/data/shell/charview_cells.png: rows outside
// the box yellow, ink black, two pixels of black between cells, the cursor frame
// inverted on white and on ink and gone when the font view has the keys, a framed
// font's frame light cyan, each value of a 4-bit font in its colour, and the box
// after an edit command.
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
  ASSERT_TRUE(doc.runEditCommand(540));  // a column more at the right, shown at once
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
