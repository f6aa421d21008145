#include "shell/dialogs/logo.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The pixel letter, 7 x 7 cells: '#' ink, '+' a partly covered (antialiased) cell.
const char* const kPixelM[7] = {
    "#.....#",
    "##+.+##",
    "#+#+#+#",
    "#.+#+.#",
    "#.....#",
    "#.....#",
    "#.....#",
};

const QColor kTile(0x1f, 0x4e, 0x5f);
const QColor kGrid(0x2b, 0x64, 0x78);
const QColor kInk(0xf2, 0xc1, 0x4e);
const QColor kHalf(0x8c, 0x88, 0x56);

// Draws the emblem into the square 'r' (64 design units wide).
void DrawEmblem(QPainter& p, const QRectF& r) {
  const double u = r.width() / 64.0;
  p.setPen(Qt::NoPen);
  p.setBrush(kTile);
  p.drawRoundedRect(r, 12 * u, 12 * u);
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 7; ++col) {
      const char c = kPixelM[row][col];
      p.setBrush(c == '#' ? kInk : c == '+' ? kHalf : kGrid);
      p.drawRect(QRectF(r.left() + (8 + 7 * col) * u, r.top() + (8 + 7 * row) * u, 6 * u, 6 * u));
    }
  }
}

}  // namespace

QPixmap SHELL_EmblemPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawEmblem(p, QRectF(0, 0, size, size));
  return pixmap;
}

QPixmap SHELL_AboutLogo() {
  QPixmap pixmap(138, 69);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // Left: the smooth letter as a font outline would have it.
  const QRectF left(2, 4, 61, 61);
  p.setPen(Qt::NoPen);
  p.setBrush(kTile);
  p.drawRoundedRect(left, 11, 11);
  QPainterPath m;
  m.moveTo(14, 54);
  m.lineTo(14, 15);
  m.lineTo(32.5, 40);
  m.lineTo(51, 15);
  m.lineTo(51, 54);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(m);
  // Middle: the arrow from outline to bitmap.
  p.setPen(QPen(kTile, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(65, 34.5), QPointF(72, 34.5));
  p.drawPolyline(QPolygonF({QPointF(68.5, 30.5), QPointF(72.5, 34.5), QPointF(68.5, 38.5)}));
  // Right: the same letter as this program's pixels.
  DrawEmblem(p, QRectF(75, 4, 61, 61));
  return pixmap;
}
