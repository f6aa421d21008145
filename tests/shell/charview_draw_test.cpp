// Drawing in the character view with the mouse, driven by QTest mouse events on the
// offscreen platform. What each stroke did to the character, the cursor and the
// journal is compared with tests/data/shell/charview_strokes.txt: the cells a
// stroke paints (also with a pointer that jumps far between events), one journal
// line per changed pixel, the frame of framed fonts, the cells it must leave alone.
// The cells on screen after the strokes: tests/data/shell/charview_strokes.png.

#include <QSignalSpy>
#include <string>
#include <utility>
#include <vector>

#include "golden.h"
#include "widgettest.h"

namespace {

class CharViewDrawTest : public CharViewFixture {
 protected:
  // Centre of the cell of box pixel (x, y); y may lie outside the box.
  QPoint At(int x, int y) const { return view.cellRect(x, y + GRID_BoxTopRow(doc.font(), 'A')).center(); }
  // A stroke over box cells: press at the first, one move event to each further
  // one, release at the last; logged.
  void Stroke(Qt::KeyboardModifiers modifiers, std::initializer_list<std::pair<int, int>> cells) {
    std::string label = modifiers == kErase ? "erase" : modifiers == kPaint ? "paint" : "drag";
    for (const auto& [x, y] : cells) label += " " + std::to_string(x) + "," + std::to_string(y);
    QTest::mousePress(&view, Qt::LeftButton, modifiers, At(cells.begin()->first, cells.begin()->second));
    for (auto it = cells.begin() + 1; it != cells.end(); ++it) QTest::mouseMove(&view, At(it->first, it->second));
    QTest::mouseRelease(&view, Qt::LeftButton, modifiers, At((cells.end() - 1)->first, (cells.end() - 1)->second));
    Log(label);
  }
  void New(int32_t type, int w, int rows, int boxTop, std::initializer_list<const char*> pixels = {}) {
    InstallGlyph(type, w, rows, boxTop, pixels);
    Log("type " + std::to_string(type) + ", " + std::to_string(w) + " wide");
  }
  static constexpr Qt::KeyboardModifiers kPaint = Qt::ControlModifier;
  static constexpr Qt::KeyboardModifiers kErase = Qt::ControlModifier | Qt::ShiftModifier;
};

TEST_F(CharViewDrawTest, StrokesPaintTheCellsTheyCrossAndJournalEachChange) {
  std::vector<QImage> images;
  // Three events for eight cells; a shallow line in one move; a steep one back up.
  New(FONTTYPE_STD, 8, 0, 0);
  Stroke(kPaint, {{0, 0}, {4, 4}, {7, 7}});
  New(FONTTYPE_STD, 12, 0, 0);
  Stroke(kPaint, {{0, 1}, {11, 5}});
  New(FONTTYPE_STD, 12, 0, 0);
  Stroke(kPaint, {{6, 7}, {2, 0}});
  // Cells that held ink already write no line; going over the stroke again, none.
  New(FONTTYPE_STD, 8, 0, 0, {"........", ".#......", "........", "...#...."});
  Stroke(kPaint, {{0, 0}, {5, 5}, {5, 1}});
  Stroke(kPaint, {{0, 0}, {5, 5}, {5, 1}});
  // A stroke writes the line the key 1 writes.
  doc.setKeyboardTarget(1);
  view.setPixelCursor(7, 7);
  QTest::keyClick(&view, Qt::Key_1);
  Log("key 1 at 7,7");
  Stroke(kErase, {{7, 7}});
  Stroke(kPaint, {{7, 7}});

  // Each type paints its highest index; erasing leaves the ink around it; erasing
  // empty cells writes nothing.
  for (int32_t type : {FONTTYPE_STD, FONTTYPE_AA2, FONTTYPE_AA4, FONTTYPE_EXT, FONTTYPE_EXT_FRM, FONTTYPE_EXT_AA2,
                       FONTTYPE_EXT_AA4}) {
    New(type, 6, 0, 6, {"######", "..1...", "######", "......"});
    Stroke(kPaint, {{0, 1}, {5, 1}});
    if (type == FONTTYPE_STD || type == FONTTYPE_AA2 || type == FONTTYPE_EXT_FRM) images.push_back(Grab(&view));
    Stroke(kErase, {{5, 1}, {0, 1}});
    if (type == FONTTYPE_STD || type == FONTTYPE_EXT_FRM) images.push_back(Grab(&view));
    Stroke(kErase, {{0, 1}, {5, 1}});
  }

  // Framed: the frame is rebuilt round new ink, erasing across frame pixels writes
  // only the ink, and painting over a frame pixel makes it ink.
  New(FONTTYPE_EXT_FRM, 5, 6, 6);
  Stroke(kPaint, {{1, 2}, {3, 2}});
  Stroke(kErase, {{0, 2}, {4, 2}});
  New(FONTTYPE_EXT_FRM, 5, 6, 6, {".....", ".....", "..#.."});
  FONT_RecalcFrame(doc.font(), 'A');
  Stroke(kPaint, {{2, 1}});

  // Without Control the mouse only moves the cursor: no stroke begins.
  New(FONTTYPE_STD, 6, 0, 0, {"#.#.#."});
  QSignalSpy started(&view, &CharView::strokeStarted);
  Stroke(Qt::NoModifier, {{1, 1}, {4, 4}, {2, 3}});
  Stroke(Qt::ShiftModifier, {{0, 0}, {5, 0}});
  EXPECT_EQ(started.count(), 0);
  EXPECT_EQ(doc.keyboardTarget(), 1);

  // A box of 4 x 3 at screen rows 2..4: strokes wholly outside change nothing, not
  // even on screen; through the box only its cells are painted, the cursor stays
  // on the last one, and the neighbour B stays blank.
  New(FONTTYPE_EXT, 4, 3, 4);
  FONT_SetCharSize(doc.font(), 'B', 4, 3);
  doc.setKeyboardTarget(1);
  const QImage before = Grab(&view);
  Stroke(kPaint, {{0, -2}, {3, -1}, {7, -2}});
  Stroke(kPaint, {{4, 0}, {9, 2}});
  EXPECT_EQ(Grab(&view), before);
  Stroke(kPaint, {{1, -2}, {1, 5}});
  Stroke(kPaint, {{2, 0}, {6, 4}});
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(FONT_GetPixel(doc.font(), 'B', x, y), 0);
  images.push_back(Grab(&view));

  ExpectGolden("charview_strokes.txt", transcript);
  ExpectGoldenImage("charview_strokes.png", Stacked(images));
}

}  // namespace
