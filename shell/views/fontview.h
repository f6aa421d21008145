// The font grid: every block of the current font (or only the used ones) as a row
// of 16 cells with its code label and area name. Selects the current character by
// mouse, keyboard and scrolling; asks the main window's dispatch for the toggle and
// block commands.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include "shell/views/grid.h"

class Document;
class QKeyEvent;
class QMenu;
struct ChangeNotice;

class FontView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit FontView(Document* pDocument, QWidget* pParent = nullptr);

  // The key handler: the main window calls it while the font view holds the
  // keyboard; the view calls it itself when it has the focus.
  void handleKey(QKeyEvent* pEvent);
  // Selects a code and scrolls it into view (a code beyond the font selects 0).
  void goToCode(int code);
  // Selects a code and scrolls the rows from firstBlock on to the top, as far as the
  // code stays in view (block go-to).
  void goToBlock(int firstBlock, int code);
  // After a new font or a change of the display mode: the first displayed
  // character, then `code`.
  void relayout(int code = 65);
  // Invalidates the cells and brings the scroll bars up to date.
  void refresh();

  // The grid as currently laid out, in viewport coordinates.
  GridGeometry gridGeometry() const;
  int topRow() const;
  int horizontalPosition() const;
  int visibleRows() const;
  // Interior of the cell of a code; empty when the code is not on screen.
  QRect cellRect(int code) const;

 signals:
  // A command for the main window's dispatch (660 toggle, 661/662 block).
  void commandRequested(int id);

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void mousePressEvent(QMouseEvent* pEvent) override;
  void wheelEvent(QWheelEvent* pEvent) override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  bool focusNextPrevChild(bool next) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void updateScrollBars();
  void moveBy(int d);
  void selectAt(const QPoint& pos);
  void onScrollAction(bool horizontal, int action);
  void keepCurrentInView();
  // Scrolls from the positions given only as far as the current cell needs.
  void scrollToCurrent(int top, int hpos);
  // Pixels of a character over the font height, transparent where 0; inverted
  // for the current character while the view holds the keyboard.
  QImage glyphImage(int code, bool inverted);
  // Renders a character on its first display and draws it into its cell.
  void drawGlyph(class QPainter& painter, int code, const QRect& interior, bool inverted);

  Document* pDocument_;
  int wheelRest_ = 0;
  bool updatingBars_ = false;
  bool placing_ = false;  // goToCode is setting the scroll positions
  // The scroll positions are the ones a newly shown font gets, not the user's: a
  // resize places them again (a font installed before the window had its size).
  bool freshPlace_ = false;
};
