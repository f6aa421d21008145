// Drawing in the character view with the mouse, driven by QTest mouse events on the
// offscreen platform: which pixels a stroke paints (also with a pointer that jumps
// far between events), the journal lines it writes, the frame of framed fonts, the
// cells it must leave alone, the stroke signals and the painted cells on screen.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "generation/antialias.h"
#include "model/current.h"
#include "settings/journal.h"
#include "shell/document.h"
#include "shell/views/charview.h"
#include "shell/views/grid.h"
#include "widgettest.h"

namespace {

using Cell = std::pair<int, int>;

struct JournalEntry {
  int code, x, y, value;
};

// The pixel lines of the journal, in order; a line of any other form fails the test.
std::vector<JournalEntry> PixelLines() {
  std::vector<JournalEntry> entries;
  const std::string text = JOURNAL_GetText();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    JournalEntry e{};
    int decimal = 0;
    const int n = std::sscanf(line.c_str(), "* Pixel index of character 0x%X (%d) at %d/%d set to %d", &e.code,
                              &decimal, &e.x, &e.y, &e.value);
    EXPECT_EQ(n, 5) << "not a pixel line: " << line;
    EXPECT_EQ(decimal, e.code);
    EXPECT_EQ(line.size(), 70u) << line;
    entries.push_back(e);
    start = end + 2;
  }
  return entries;
}

class CharViewDrawTest : public CharViewFixture {
 protected:
  // Centre of the cell of box pixel (x, y); y may lie outside the box.
  QPoint At(int x, int y) const { return view.cellRect(x, y + GRID_BoxTopRow(doc.font(), 'A')).center(); }
  // A stroke: press at the first point, one move event to each further point,
  // release at the last.
  void Stroke(Qt::KeyboardModifiers modifiers, std::initializer_list<QPoint> points) {
    const QPoint* p = points.begin();
    QTest::mousePress(&view, Qt::LeftButton, modifiers, *p);
    for (++p; p != points.end(); ++p) QTest::mouseMove(&view, *p);
    QTest::mouseRelease(&view, Qt::LeftButton, modifiers, *(points.end() - 1));
  }
  // Every pixel of character A with a non-zero index.
  std::set<Cell> Inked() const {
    std::set<Cell> cells;
    const int w = FONT_GetCharWidth(doc.font(), 'A');
    const int h = GRID_BoxRows(doc.font(), 'A');
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++)
        if (Pixel(x, y) != 0) cells.insert({x, y});
    return cells;
  }
};

TEST_F(CharViewDrawTest, AFastStrokeLeavesNoGaps) {
  // Three events for eight cells: the pointer jumps four and three cells at a time.
  InstallGlyph(FONTTYPE_STD, 8, 0, 0);
  Stroke(Qt::ControlModifier, {At(0, 0), At(4, 4), At(7, 7)});
  std::set<Cell> diagonal;
  for (int i = 0; i < 8; i++) diagonal.insert({i, i});
  EXPECT_EQ(Inked(), diagonal);
  // A shallow line in one single move, and a steep one back up against the press
  // direction: one cell per step along the longer axis, each touching the previous
  // one, running one way only, from the press cell to the release cell.
  for (const auto& [from, to] : {std::pair<Cell, Cell>{{0, 1}, {11, 5}}, {{6, 7}, {2, 0}}}) {
    SCOPED_TRACE(to.first);
    InstallGlyph(FONTTYPE_STD, 12, 0, 0);
    Stroke(Qt::ControlModifier, {At(from.first, from.second), At(to.first, to.second)});
    const std::set<Cell> inked = Inked();
    const bool steep = std::abs(to.second - from.second) > std::abs(to.first - from.first);
    const auto major = [steep](Cell c) { return steep ? c.second : c.first; };
    const auto minor = [steep](Cell c) { return steep ? c.first : c.second; };
    const int direction = (minor(to) - minor(from)) * (major(to) - major(from)) >= 0 ? 1 : -1;
    std::map<int, int> line;  // major coordinate -> minor coordinate
    for (const Cell& c : inked) line[major(c)] = minor(c);
    EXPECT_EQ(inked.size(), size_t(std::abs(major(to) - major(from)) + 1));
    EXPECT_EQ(line.size(), inked.size()) << "one cell per step";
    EXPECT_EQ(line.rbegin()->first - line.begin()->first + 1, int(line.size())) << "no gap";
    EXPECT_TRUE(inked.count(from) && inked.count(to));
    for (auto it = line.begin(); std::next(it) != line.end(); ++it) {
      const int step = (std::next(it)->second - it->second) * direction;
      EXPECT_TRUE(step == 0 || step == 1) << "at " << it->first;
    }
  }
}

TEST_F(CharViewDrawTest, OneJournalLinePerChangedPixelOnly) {
  InstallGlyph(FONTTYPE_STD, 8, 0, 0,
               {"........", ".#......", "........", "...#....", "........", "........", "........", "........"});
  const std::set<Cell> before = Inked();
  Stroke(Qt::ControlModifier, {At(0, 0), At(5, 5), At(5, 1)});
  const std::set<Cell> after = Inked();
  std::set<Cell> changed;
  for (const Cell& c : after)
    if (!before.count(c)) changed.insert(c);
  ASSERT_EQ(changed.size(), after.size() - 2) << "(1,1) and (3,3) held ink already";
  const std::vector<JournalEntry> lines = PixelLines();
  ASSERT_EQ(lines.size(), changed.size());
  std::set<Cell> journaled;
  for (const JournalEntry& e : lines) {
    EXPECT_EQ(e.code, 'A');
    EXPECT_EQ(e.value, 1);
    journaled.insert({e.x, e.y});
  }
  EXPECT_EQ(journaled, changed);
  // The journal lines are those of keystrokes: the same text the key 1 writes.
  JOURNAL_Clear();
  doc.setKeyboardTarget(1);
  view.setPixelCursor(7, 7);
  QTest::keyClick(&view, Qt::Key_1);
  const std::string keyLine = JOURNAL_GetText();
  JOURNAL_Clear();
  Stroke(Qt::ControlModifier | Qt::ShiftModifier, {At(7, 7)});
  Stroke(Qt::ControlModifier, {At(7, 7)});
  const std::string text = JOURNAL_GetText();
  ASSERT_EQ(text.size(), 2 * keyLine.size());
  EXPECT_EQ(text.substr(keyLine.size()), keyLine);
  // Going over painted cells again writes nothing.
  JOURNAL_Clear();
  const std::set<Cell> painted = Inked();
  Stroke(Qt::ControlModifier, {At(0, 0), At(5, 5), At(5, 1)});
  EXPECT_EQ(std::string(JOURNAL_GetText()), "");
  EXPECT_EQ(Inked(), painted);
}

TEST_F(CharViewDrawTest, EachTypePaintsItsHighestIndexDarkAndControlShiftErasesToWhite) {
  const struct {
    int32_t type;
    int value;
  } cases[] = {{FONTTYPE_STD, 1},     {FONTTYPE_AA2, 3},     {FONTTYPE_AA4, 15},    {FONTTYPE_EXT, 1},
               {FONTTYPE_EXT_FRM, 1}, {FONTTYPE_EXT_AA2, 3}, {FONTTYPE_EXT_AA4, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    // Row 1 lies between two rows of ink; row 3 is white (a frame in framed fonts).
    const bool framed = c.type == FONTTYPE_EXT_FRM;
    InstallGlyph(c.type, 6, 0, 6, {"######", "..1...", "######", "......"});
    Stroke(Qt::ControlModifier, {At(0, 1), At(5, 1)});
    for (int x = 0; x < 6; x++) EXPECT_EQ(Pixel(x, 1), c.value) << x;
    EXPECT_EQ(Pixel(0, 3), framed ? -1 : 0);
    EXPECT_EQ(PixelLines().size(), c.value == 1 ? 5u : 6u) << "one line per changed pixel";
    // Painted cells show dark and even; the cursor's frame on the last one is left out.
    ASSERT_EQ(view.pixelCursor(), QPoint(5, 1));
    QImage image = Grab(&view);
    for (int x = 0; x < 6; x++) {
      const QRect inner = x == 5 ? Interior(x, 1).adjusted(4, 4, -4, -4) : Interior(x, 1);
      EXPECT_LT(QColor(Rgb(image, inner.center().x(), inner.center().y())).lightness(), 64) << x;
      EXPECT_EQ(CountNot(image, inner, Rgb(image, inner.left(), inner.top())), 0) << x;
      if (!framed) {
        EXPECT_TRUE(AllOf(image, Interior(x, 3), kWhite)) << x;
      }
    }
    if (c.type == FONTTYPE_STD) {
      EXPECT_TRUE(AllOf(image, Interior(2, 1), kBlack));
    }
    // Control+Shift erases the row, with a zero line per pixel, and leaves the ink
    // around it; the cells turn white again (framed: the frame between the ink).
    JOURNAL_Clear();
    Stroke(Qt::ControlModifier | Qt::ShiftModifier, {At(5, 1), At(0, 1)});
    for (int x = 0; x < 6; x++) {
      EXPECT_EQ(Pixel(x, 1), framed ? -1 : 0) << x;
      EXPECT_EQ(Pixel(x, 0), c.value) << x;
      EXPECT_EQ(Pixel(x, 2), c.value) << x;
    }
    const std::vector<JournalEntry> lines = PixelLines();
    EXPECT_EQ(lines.size(), 6u);
    for (const JournalEntry& e : lines) EXPECT_EQ(e.value, 0);
    image = Grab(&view);
    for (int x = 1; x < 6 && !framed; x++) EXPECT_TRUE(AllOf(image, Interior(x, 1), kWhite)) << x;
    // Erasing empty (or frame) cells writes nothing.
    JOURNAL_Clear();
    Stroke(Qt::ControlModifier | Qt::ShiftModifier, {At(0, 1), At(5, 1)});
    EXPECT_EQ(std::string(JOURNAL_GetText()), "");
  }
}

TEST_F(CharViewDrawTest, FramedFontsGetTheirFrameRebuiltAndFramePixelsAreNoInk) {
  InstallGlyph(FONTTYPE_EXT_FRM, 5, 6, 6);
  Stroke(Qt::ControlModifier, {At(1, 2), At(3, 2)});
  for (int x = 1; x <= 3; x++) EXPECT_EQ(Pixel(x, 2), 1);
  EXPECT_EQ(Pixel(0, 2), -1);
  EXPECT_EQ(Pixel(4, 2), -1);
  for (int x = 1; x <= 3; x++) {
    EXPECT_EQ(Pixel(x, 1), -1) << x;
    EXPECT_EQ(Pixel(x, 3), -1) << x;
  }
  EXPECT_EQ(Pixel(0, 1), 0) << "diagonal neighbours are not framed";
  EXPECT_EQ(PixelLines().size(), 3u);

  // Erasing along the row crosses the two frame pixels at its ends: only the three
  // ink pixels are written, and the frame goes with the ink.
  JOURNAL_Clear();
  Stroke(Qt::ControlModifier | Qt::ShiftModifier, {At(0, 2), At(4, 2)});
  EXPECT_EQ(Inked(), std::set<Cell>());
  const std::vector<JournalEntry> lines = PixelLines();
  ASSERT_EQ(lines.size(), 3u);
  for (const JournalEntry& e : lines) {
    EXPECT_GE(e.x, 1);
    EXPECT_LE(e.x, 3);
    EXPECT_EQ(e.value, 0);
  }

  // Painting over a frame pixel makes it ink.
  InstallGlyph(FONTTYPE_EXT_FRM, 5, 6, 6, {".....", ".....", "..#.."});
  FONT_RecalcFrame(doc.font(), 'A');
  ASSERT_EQ(Pixel(2, 1), -1);
  Stroke(Qt::ControlModifier, {At(2, 1)});
  EXPECT_EQ(Pixel(2, 1), 1);
  EXPECT_EQ(Pixel(2, 0), -1);
  EXPECT_EQ(PixelLines().size(), 1u);
}

TEST_F(CharViewDrawTest, PlainClicksAndDragsMoveTheCursorAndNeverAPixel) {
  InstallGlyph(FONTTYPE_STD, 6, 0, 0, {"#.#.#."});
  QSignalSpy started(&view, &CharView::strokeStarted);
  const std::set<Cell> before = Inked();
  Stroke(Qt::NoModifier, {At(1, 1), At(4, 4), At(2, 3)});
  Stroke(Qt::ShiftModifier, {At(0, 0), At(5, 0)});
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, At(3, 5));
  EXPECT_EQ(Inked(), before);
  EXPECT_EQ(std::string(JOURNAL_GetText()), "");
  EXPECT_EQ(started.count(), 0);
  EXPECT_EQ(view.pixelCursor(), QPoint(3, 5)) << "a click moves the cursor";
  EXPECT_EQ(doc.keyboardTarget(), 1);
}

TEST_F(CharViewDrawTest, CellsOutsideTheBoxAreLeftAlone) {
  // A box of 4 x 3 at screen rows 2..4 of a font of height 8 (baseline 6).
  InstallGlyph(FONTTYPE_EXT, 4, 3, 4);
  ASSERT_EQ(GRID_BoxTopRow(doc.font(), 'A'), 2);
  FONT_SetCharSize(doc.font(), 'B', 4, 3);
  doc.setKeyboardTarget(1);  // as the press makes it: the cursor frame is drawn
  const QImage before = Grab(&view);
  // Wholly above the box, then right of it: nothing.
  Stroke(Qt::ControlModifier, {At(0, -2), At(3, -1), At(7, -2)});
  Stroke(Qt::ControlModifier, {At(4, 0), At(9, 2)});
  EXPECT_EQ(Inked(), std::set<Cell>());
  EXPECT_EQ(std::string(JOURNAL_GetText()), "");
  EXPECT_EQ(Grab(&view), before);

  // Down through the box from a yellow row to a yellow row: only the cells in the
  // box are painted.
  Stroke(Qt::ControlModifier, {At(1, -2), At(1, 5)});
  EXPECT_EQ(Inked(), (std::set<Cell>{{1, 0}, {1, 1}, {1, 2}}));
  EXPECT_EQ(PixelLines().size(), 3u);
  EXPECT_EQ(view.pixelCursor(), QPoint(1, 2)) << "the cursor stays on the last cell in the box";
  // A diagonal leaving the box to the right: its cells beyond the width are skipped.
  JOURNAL_Clear();
  Stroke(Qt::ControlModifier, {At(2, 0), At(6, 4)});
  EXPECT_EQ(Inked(), (std::set<Cell>{{1, 0}, {1, 1}, {1, 2}, {2, 0}, {3, 1}}));
  for (const JournalEntry& e : PixelLines()) {
    EXPECT_LT(e.x, 4);
    EXPECT_LT(e.y, 3);
  }
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(FONT_GetPixel(doc.font(), 'B', x, y), 0) << "the neighbour stays blank";
  const QImage image = Grab(&view);
  for (int r = 0; r < 8; r++) {
    if (r >= 2 && r <= 4) continue;
    for (int x = 0; x < 4; x++) EXPECT_TRUE(AllOf(image, view.cellRect(x, r).adjusted(1, 1, -1, -1), kYellow));
  }
  // Right of the box nothing is drawn: the background stays white.
  EXPECT_TRUE(AllOf(image, QRect(view.cellRect(4, 0).topLeft() + QPoint(1, 0), view.cellRect(9, 7).bottomRight()),
                    kWhite));
}

}  // namespace
