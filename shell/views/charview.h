// The pixel editor: the current character as square cells with a grid, the pixel
// cursor while the view holds the keyboard, the pixel under it in the status bar,
// and the keys and menu commands that change pixel indexes.
//
// Drawing with the mouse: Ctrl + left button paints the highest index of the
// font's type, Ctrl + Shift + left button paints 0 (the modifiers of the press
// decide for the whole stroke). Dragging paints every cell on the line between
// successive pointer positions, so a fast pointer leaves no gaps; cells outside the
// character's box are skipped. Each pixel whose index changes gets the journal line
// of a key press; pixels that already hold the value are left alone and unjournaled.
// The pixel cursor follows the pointer. A left click without Ctrl only moves the
// cursor, never a pixel.
#pragma once

#include <QFrame>
#include <functional>

class Document;
class QKeyEvent;
class QMenu;

class CharView : public QFrame {
  Q_OBJECT

 public:
  explicit CharView(Document* pDocument, QWidget* pParent = nullptr);

  // The key handler: the main window calls it while the character view holds the
  // keyboard; the view calls it itself when it has the focus.
  void handleKey(QKeyEvent* pEvent);
  // Pixel index commands of the dispatch: 680 increase, 681 decrease, 682 invert,
  // 700..715 set to id - 700.
  void pixelCommand(int id);

  // The pixel cursor, in box coordinates.
  QPoint pixelCursor() const { return QPoint(cursorX_, cursorY_); }
  void setPixelCursor(int x, int y);
  // Side of a cell for the current font and view height.
  int cellSize() const;
  // A cell of screen row r and column c, in widget coordinates.
  QRect cellRect(int column, int screenRow) const;
  // True between strokeStarted and strokeFinished.
  bool isStroking() const { return stroking_; }

 signals:
  void commandRequested(int id);
  // One mouse stroke, for grouping its pixel changes into one undo step:
  // strokeStarted comes on the Ctrl + left press that starts painting, before any
  // pixel of the stroke is written; strokeFinished comes exactly once after it, on
  // the release of the left button, or earlier when the stroke is cut off: another
  // font is installed, another character becomes current, the view is hidden, its
  // window is deactivated or the view loses the focus. A stroke may change no pixel
  // at all (it stayed outside the box or over cells that held the value already).
  void strokeStarted();
  void strokeFinished();

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void mousePressEvent(QMouseEvent* pEvent) override;
  void mouseMoveEvent(QMouseEvent* pEvent) override;
  void mouseReleaseEvent(QMouseEvent* pEvent) override;
  void focusOutEvent(QFocusEvent* pEvent) override;
  void hideEvent(QHideEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Brings the cursor into the current character's box.
  void wrapCursor();
  void setWithRangeTest(int value);
  void changeIndex(int d);
  void invert();
  bool clickAt(const QPoint& pos);
  // Strokes: the cell (column, screen row) under a widget position, with floor
  // division so positions left of or above the cells never land in cell 0.
  QPoint cellAt(const QPoint& pos) const;
  void beginStroke(const QPoint& pos, int value);
  // Paints every cell on the line from the last stroke cell to the one under pos.
  void strokeTo(const QPoint& pos);
  void paintCell(const QPoint& cell);
  void endStroke();

  Document* pDocument_;
  int cursorX_ = 0;
  int cursorY_ = 0;
  bool stroking_ = false;
  int strokeValue_ = 0;
  QPoint strokeCell_;  // last cell of the stroke, in (column, screen row)
};
