// The toolbar images, drawn with QPainter on a 16 x 15 grid, and the window icon.
// Everything lies on whole logical pixels, so both the 1x and the 2x images are
// crisp; only the arrow heads use antialiasing, and only at 2x and above.
#include "shell/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "shell/dialogs/logo.h"

namespace {

const QColor kInk(32, 32, 32);
const QColor kBox(255, 255, 255);
const QColor kBoxEdge(112, 112, 112);
const QColor kGrid(208, 212, 220);
const QColor kAdd(22, 150, 60);
const QColor kRemove(200, 40, 40);
const QColor kArrow(30, 90, 200);

enum Side { RIGHT, LEFT, TOP, BOTTOM };

// A character cell: white box, grey edge, a small 'A' of ink pixels.
void CharBox(QPainter& p, int x, int y, int w, int h, bool glyph = true) {
  p.fillRect(x, y, w, h, kBoxEdge);
  p.fillRect(x + 1, y + 1, w - 2, h - 2, kBox);
  if (!glyph) return;
  static const char* const aA[] = {"..#..", ".#.#.", "#...#", "#####", "#...#", "#...#"};
  const int gx = x + (w - 5) / 2, gy = y + (h - 6) / 2;
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 5; ++col)
      if (aA[row][col] == '#') p.fillRect(gx + col, gy + row, 1, 1, kInk);
}

void Plus(QPainter& p, int cx, int cy, const QColor& c) {
  p.fillRect(cx - 2, cy, 5, 1, c);
  p.fillRect(cx, cy - 2, 1, 5, c);
}

void Minus(QPainter& p, int cx, int cy, const QColor& c) { p.fillRect(cx - 2, cy, 5, 1, c); }

// An arrow along one axis: shaft from (x0,y0) with the head at (x1,y1).
void Arrow(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c) {
  const bool horizontal = y0 == y1;
  const int dir = horizontal ? (x1 > x0 ? 1 : -1) : (y1 > y0 ? 1 : -1);
  if (horizontal) {
    p.fillRect(QRect(QPoint(std::min(x0, x1 - 2 * dir), y0), QPoint(std::max(x0, x1 - 2 * dir), y0)), c);
  } else {
    p.fillRect(QRect(QPoint(x0, std::min(y0, y1 - 2 * dir)), QPoint(x0, std::max(y0, y1 - 2 * dir))), c);
  }
  QPolygonF head;
  const double cx = x1 + 0.5, cy = y1 + 0.5;
  if (horizontal) {
    head << QPointF(cx + 0.5 * dir, cy) << QPointF(cx - 3.5 * dir, cy - 4) << QPointF(cx - 3.5 * dir, cy + 4);
  } else {
    head << QPointF(cx, cy + 0.5 * dir) << QPointF(cx - 4, cy - 3.5 * dir) << QPointF(cx + 4, cy - 3.5 * dir);
  }
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(head);
  p.restore();
}

// A column or row at one side of the character box: added (green, plus) or removed
// (red, minus and hatched).
void EdgeEdit(QPainter& p, Side side, bool add) {
  const QColor c = add ? kAdd : kRemove;
  QRect box(3, 3, 9, 10), bar;
  switch (side) {
    case RIGHT: box = QRect(1, 3, 10, 11); bar = QRect(12, 3, 3, 11); break;
    case LEFT: box = QRect(5, 3, 10, 11); bar = QRect(1, 3, 3, 11); break;
    case TOP: box = QRect(1, 5, 10, 10); bar = QRect(1, 1, 10, 3); break;
    case BOTTOM: box = QRect(1, 0, 10, 10); bar = QRect(1, 11, 10, 3); break;
  }
  CharBox(p, box.x(), box.y(), box.width(), box.height());
  p.fillRect(bar, c);
  if (!add) {
    // Hatching marks the removed pixels.
    for (int i = 0; i < bar.width() * bar.height(); i += 2) {
      const int x = bar.x() + i % bar.width(), y = bar.y() + i / bar.width();
      if (((x + y) & 1) == 0) p.fillRect(x, y, 1, 1, kBox);
    }
  }
  // The sign sits in the corner away from the bar.
  const bool vertical = side == TOP || side == BOTTOM;
  const int sx = side == LEFT ? 12 : vertical ? 13 : 3, sy = vertical ? (side == TOP ? 2 : 12) : 1;
  if (!vertical) p.fillRect(QRect(sx - 3, 0, 7, 3), Qt::transparent);
  add ? Plus(p, sx, sy, c) : Minus(p, sx, sy, c);
}

// Pixels rotating inside the box: the box with an arrow through it.
void ShiftImage(QPainter& p, Side side) {
  CharBox(p, 1, 1, 14, 13, false);
  // A few ink pixels on the grid.
  for (int y = 2; y < 13; y += 2)
    for (int x = 2; x < 14; x += 2) p.fillRect(x, y, 1, 1, kGrid);
  switch (side) {
    case RIGHT: Arrow(p, 3, 7, 12, 7, kArrow); break;
    case LEFT: Arrow(p, 12, 7, 3, 7, kArrow); break;
    case TOP: Arrow(p, 8, 11, 8, 3, kArrow); break;
    case BOTTOM: Arrow(p, 8, 3, 8, 11, kArrow); break;
  }
}

// The whole box moving: the old place as a dotted outline, the new one solid.
void MoveImage(QPainter& p, Side side) {
  int dx = 0, dy = 0;
  switch (side) {
    case RIGHT: dx = 1; break;
    case LEFT: dx = -1; break;
    case TOP: dy = -1; break;
    case BOTTOM: dy = 1; break;
  }
  const int x0 = 4 - 2 * dx, y0 = 4 - 2 * dy;
  for (int i = 0; i < 8; i += 2) {
    p.fillRect(x0 + i, y0, 1, 1, kBoxEdge);
    p.fillRect(x0 + i, y0 + 7, 1, 1, kBoxEdge);
    p.fillRect(x0, y0 + i, 1, 1, kBoxEdge);
    p.fillRect(x0 + 7, y0 + i, 1, 1, kBoxEdge);
  }
  CharBox(p, 4 + 2 * dx, 4 + 2 * dy, 8, 8, false);
  p.fillRect(6 + 2 * dx, 6 + 2 * dy, 4, 4, kInk);
  switch (side) {
    case RIGHT: Arrow(p, 1, 13, 14, 13, kArrow); break;
    case LEFT: Arrow(p, 14, 13, 1, 13, kArrow); break;
    case TOP: Arrow(p, 14, 12, 14, 1, kArrow); break;
    case BOTTOM: Arrow(p, 14, 1, 14, 12, kArrow); break;
  }
}

// Cursor advance: a letter, the baseline and the cursor bar, with a plus or minus.
void CursorImage(QPainter& p, bool increase) {
  CharBox(p, 1, 2, 8, 10);
  p.fillRect(0, 12, 16, 1, kBoxEdge);
  p.fillRect(increase ? 12 : 10, 2, 1, 11, kArrow);
  if (increase) {
    Arrow(p, 9, 13, 13, 13, kArrow);
  } else {
    Arrow(p, 14, 13, 10, 13, kArrow);
  }
  increase ? Plus(p, 13, 2, kAdd) : Minus(p, 13, 2, kRemove);
}

// Font height: a row of characters with a row added or removed at the top or bottom.
void HeightImage(QPainter& p, bool top, bool add) {
  const int y = top ? 5 : 1;
  CharBox(p, 0, y, 6, 9, false);
  CharBox(p, 5, y, 6, 9, false);
  CharBox(p, 10, y, 6, 9, false);
  for (int x : {2, 7, 12}) p.fillRect(x, y + 2, 2, 5, kInk);
  const QColor c = add ? kAdd : kRemove;
  const QRect bar(0, top ? 1 : 11, 16, 3);
  p.fillRect(bar, c);
  if (!add) {
    for (int yy = bar.top(); yy <= bar.bottom(); ++yy)
      for (int x = (yy & 1); x < 16; x += 2) p.fillRect(x, yy, 1, 1, kBox);
  }
}

// New: a page with a folded corner and a spark.
void NewImage(QPainter& p) {
  p.fillRect(2, 1, 10, 14, kBoxEdge);
  p.fillRect(3, 2, 8, 12, kBox);
  p.fillRect(9, 1, 3, 3, Qt::transparent);
  p.fillRect(9, 1, 1, 3, kBoxEdge);
  p.fillRect(9, 3, 3, 1, kBoxEdge);
  for (int i = 0; i < 3; ++i) p.fillRect(5, 6 + 2 * i, 4, 1, kGrid);
  const QColor spark(235, 170, 0);
  p.fillRect(11, 3, 5, 1, spark);
  p.fillRect(13, 1, 1, 5, spark);
  p.fillRect(12, 2, 3, 3, spark);
}

// Save: a disk.
void SaveImage(QPainter& p) {
  const QColor body(40, 70, 140);
  p.fillRect(1, 1, 14, 14, body);
  p.fillRect(4, 1, 8, 5, QColor(220, 225, 235));
  p.fillRect(9, 2, 2, 3, body);
  p.fillRect(3, 9, 10, 6, kBox);
  p.fillRect(4, 11, 8, 1, kGrid);
  p.fillRect(4, 13, 8, 1, kGrid);
  p.fillRect(1, 1, 1, 1, Qt::transparent);
}

// Show enabled characters only: a grid of cells, some enabled (dark), with a filter.
void EnabledOnlyImage(QPainter& p) {
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      const bool on = (row * 3 + col) % 3 != 1;
      CharBox(p, col * 4, row * 4 + 1, 4, 4, false);
      if (on) p.fillRect(col * 4 + 1, row * 4 + 2, 2, 2, kInk);
    }
  QPolygonF funnel;
  funnel << QPointF(10, 7) << QPointF(16, 7) << QPointF(14, 10) << QPointF(14, 15) << QPointF(12, 15)
         << QPointF(12, 10);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kArrow);
  p.drawPolygon(funnel);
  p.restore();
}

// Undo: an arrow that leaves to the left at the top and curves back down on the
// right, like a hand turning back; redo is its mirror image.
void HistoryImage(QPainter& p, bool redo) {
  p.save();
  if (redo) {
    p.translate(16, 0);
    p.scale(-1, 1);
  }
  QPainterPath curve;
  curve.moveTo(7, 4.5);
  curve.lineTo(8.5, 4.5);
  curve.arcTo(QRectF(4.5, 4.5, 9, 9), 90, -180);
  curve.lineTo(5, 13.5);
  p.setPen(QPen(kArrow, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  QPolygonF head;
  head << QPointF(1, 4.5) << QPointF(7, 0) << QPointF(7, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(kArrow);
  p.drawPolygon(head);
  p.restore();
}

void DrawImage(QPainter& p, int index) {
  switch (index) {
    case 0: NewImage(p); break;
    case 1: SaveImage(p); break;
    case 2: EdgeEdit(p, RIGHT, true); break;
    case 3: EdgeEdit(p, LEFT, true); break;
    case 4: EdgeEdit(p, TOP, true); break;
    case 5: EdgeEdit(p, BOTTOM, true); break;
    case 6: EdgeEdit(p, RIGHT, false); break;
    case 7: EdgeEdit(p, LEFT, false); break;
    case 8: EdgeEdit(p, TOP, false); break;
    case 9: EdgeEdit(p, BOTTOM, false); break;
    case 10: ShiftImage(p, RIGHT); break;
    case 11: ShiftImage(p, LEFT); break;
    case 12: ShiftImage(p, TOP); break;
    case 13: ShiftImage(p, BOTTOM); break;
    case 14: EnabledOnlyImage(p); break;
    case 15: MoveImage(p, RIGHT); break;
    case 16: MoveImage(p, LEFT); break;
    case 17: MoveImage(p, TOP); break;
    case 18: MoveImage(p, BOTTOM); break;
    case 19: CursorImage(p, true); break;
    case 20: CursorImage(p, false); break;
    case 21: HeightImage(p, true, true); break;
    case 22: HeightImage(p, false, true); break;
    case 23: HeightImage(p, true, false); break;
    case 24: HeightImage(p, false, false); break;
    case 25: HistoryImage(p, false); break;
    case 26: HistoryImage(p, true); break;
  }
}

}  // namespace

QPixmap SHELL_DrawToolbarImage(int index, qreal dpr) {
  QPixmap pixmap(qRound(16 * dpr), qRound(15 * dpr));
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.setRenderHint(QPainter::Antialiasing, dpr >= 2);
  DrawImage(p, index);
  return pixmap;
}

QIcon SHELL_ToolbarIcon(int index) {
  QIcon icon;
  icon.addPixmap(SHELL_DrawToolbarImage(index, 1));
  icon.addPixmap(SHELL_DrawToolbarImage(index, 2));
  return icon;
}

QIcon SHELL_AppIcon() {
  // The emblem of the installed icons and the About box.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(SHELL_EmblemPixmap(size));
  return icon;
}
