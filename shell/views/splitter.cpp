#include "shell/views/splitter.h"

#include <QMouseEvent>

FrameSplitterHandle::FrameSplitterHandle(Qt::Orientation orientation, QSplitter* pParent)
    : QSplitterHandle(orientation, pParent) {}

int FrameSplitterHandle::pointerPos(const QMouseEvent* pEvent) const {
  const QPoint p = parentWidget()->mapFromGlobal(pEvent->globalPosition().toPoint());
  return orientation() == Qt::Horizontal ? p.x() : p.y();
}

void FrameSplitterHandle::mousePressEvent(QMouseEvent* pEvent) {
  QSplitterHandle::mousePressEvent(pEvent);
  if (pEvent->button() != Qt::LeftButton) return;
  dragging_ = true;
  // The bar itself is the handle's contents; the margins around it only widen the
  // strip that takes the mouse.
  const QPoint bar = mapTo(parentWidget(), contentsRect().topLeft());
  grabOffset_ = pointerPos(pEvent) - (orientation() == Qt::Horizontal ? bar.x() : bar.y());
}

void FrameSplitterHandle::mouseMoveEvent(QMouseEvent* pEvent) {
  if (!dragging_ || !(pEvent->buttons() & Qt::LeftButton)) return;
  // Resizes the panes on both sides; the splitter keeps every pane at least at
  // its minimum size, so the bar stops there while the pointer goes on.
  moveSplitter(pointerPos(pEvent) - grabOffset_);
}

void FrameSplitterHandle::mouseReleaseEvent(QMouseEvent* pEvent) {
  if (pEvent->button() == Qt::LeftButton) dragging_ = false;
  QSplitterHandle::mouseReleaseEvent(pEvent);
}

FrameSplitter::FrameSplitter(Qt::Orientation orientation, QWidget* pParent) : QSplitter(orientation, pParent) {
  setHandleWidth(3);
  setChildrenCollapsible(false);
  setOpaqueResize(true);
}

QSplitterHandle* FrameSplitter::createHandle() { return new FrameSplitterHandle(orientation(), this); }
