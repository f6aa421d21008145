// The splitter frame's bars: 3 pixels wide, and a dragged bar follows the pointer
// to the pixel. The toolkit's own handles take a wider strip than the bar for the
// mouse and measure the drag from that strip's edge, which leaves every drag one
// pixel short; these handles measure it from the bar itself.
#pragma once

#include <QSplitter>
#include <QSplitterHandle>

class FrameSplitterHandle : public QSplitterHandle {
  Q_OBJECT

 public:
  FrameSplitterHandle(Qt::Orientation orientation, QSplitter* pParent);

 protected:
  void mousePressEvent(QMouseEvent* pEvent) override;
  void mouseMoveEvent(QMouseEvent* pEvent) override;
  void mouseReleaseEvent(QMouseEvent* pEvent) override;

 private:
  // Pointer position along the bar's axis in the splitter's coordinates.
  int pointerPos(const QMouseEvent* pEvent) const;

  bool dragging_ = false;
  int grabOffset_ = 0;  // pointer minus the bar's first pixel when the drag began
};

// A splitter with 3-pixel bars that follow the pointer exactly; panes are never
// collapsed and the panes resize while the bar is dragged.
class FrameSplitter : public QSplitter {
  Q_OBJECT

 public:
  FrameSplitter(Qt::Orientation orientation, QWidget* pParent = nullptr);

 protected:
  QSplitterHandle* createHandle() override;
};
