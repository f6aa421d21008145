#include "shell/views/brushpalette.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "generation/antialias.h"
#include "model/font.h"

namespace {

constexpr int kSwatch = 16;  // side of a swatch
constexpr int kPitch = 22;   // swatch and the room for the frame round it
constexpr int kMargin = 3;
const QColor kBackground(236, 236, 236);
const QColor kSwatchEdge(128, 128, 128);
const QColor kChosen(0, 96, 220);

}  // namespace

BrushPalette::BrushPalette(QWidget* pParent) : QWidget(pParent) {
  setObjectName("BrushPalette");
  setAccessibleName("Brush palette");
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BrushPalette::setType(int type) {
  type_ = type;
  const bool aa = type == FONTTYPE_AA2 || type == FONTTYPE_AA4 || type == FONTTYPE_EXT_AA2 || type == FONTTYPE_EXT_AA4;
  count_ = !aa ? 0 : type == FONTTYPE_AA4 || type == FONTTYPE_EXT_AA4 ? 16 : 4;
  update();
}

void BrushPalette::setBrush(int index) {
  if (index == brush_) return;
  brush_ = index;
  update();
}

// Swatches run down in as many columns as the height needs, the columns equally long.
int BrushPalette::rowsFor(int height) const {
  const int n = std::max(count_, 1);
  const int fit = std::clamp((height - 2 * kMargin) / kPitch, 1, n);
  const int columns = (n + fit - 1) / fit;
  return (n + columns - 1) / columns;
}

int BrushPalette::widthFor(int height) const {
  if (count_ == 0) return 0;
  const int rows = rowsFor(height);
  return (count_ + rows - 1) / rows * kPitch + 2 * kMargin;
}

QRect BrushPalette::swatchRect(int index) const {
  const int rows = rowsFor(height());
  const int inset = (kPitch - kSwatch) / 2;
  return QRect(kMargin + index / rows * kPitch + inset, kMargin + index % rows * kPitch + inset, kSwatch, kSwatch);
}

int BrushPalette::indexAt(const QPoint& pos) const {
  for (int i = 0; i < count_; ++i)
    if (swatchRect(i).adjusted(-3, -3, 3, 3).contains(pos)) return i;
  return -1;
}

void BrushPalette::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  for (int i = 0; i < count_; ++i) {
    const QRect r = swatchRect(i);
    const AAColor c = AA_ValueToColor(type_, i);
    painter.fillRect(r, kSwatchEdge);
    painter.fillRect(r.adjusted(1, 1, -1, -1), QColor(int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255)));
    if (i == brush_) {
      // A 2-pixel frame a pixel away from the swatch.
      const QRect outer = r.adjusted(-3, -3, 3, 3);
      painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), 2), kChosen);
      painter.fillRect(QRect(outer.left(), outer.bottom() - 1, outer.width(), 2), kChosen);
      painter.fillRect(QRect(outer.left(), outer.top(), 2, outer.height()), kChosen);
      painter.fillRect(QRect(outer.right() - 1, outer.top(), 2, outer.height()), kChosen);
    }
  }
}

void BrushPalette::mousePressEvent(QMouseEvent* pEvent) {
  pEvent->accept();
  if (pEvent->button() != Qt::LeftButton) return;
  const int index = indexAt(pEvent->position().toPoint());
  if (index >= 0) emit brushChosen(index);
}

bool BrushPalette::event(QEvent* pEvent) {
  if (pEvent->type() == QEvent::ToolTip) {
    auto* pHelp = static_cast<QHelpEvent*>(pEvent);
    const int index = indexAt(pHelp->pos());
    if (index >= 0)
      QToolTip::showText(pHelp->globalPos(), index <= 9 ? QString("Index %1 (Ctrl+%1)").arg(index)
                                                        : QString("Index %1").arg(index), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(pEvent);
}
