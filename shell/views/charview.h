// The pixel editor: the current character as square cells with a grid, the pixel
// cursor while the view holds the keyboard, the pixel under it in the status bar,
// and the keys and menu commands that change pixel indexes.
//
// Drawing with the mouse: Ctrl + left button paints the brush index (the highest
// index of the font's type unless another was chosen), Ctrl + Shift + left button
// paints 0 (the modifiers of the press decide for the whole stroke). Dragging
// paints every cell on the line between successive pointer positions, so a fast
// pointer leaves no gaps; cells outside the character's box are skipped. Each pixel whose index changes gets the journal line
// of a key press; pixels that already hold the value are left alone and unjournaled.
// The pixel cursor follows the pointer. A left click without Ctrl only moves the
// cursor, never a pixel.
//
// Beyond that: a chosen cell size (Fit, the default, makes the cells as high as the
// view lets the font be; fixed sizes run from 4 to 64 pixels, with scroll bars when
// the character is larger than the view), guides drawn on the grid lines in a
// colour no pixel has, and, for the antialiased types, a palette at the right edge
// that chooses the index the mouse paints with. Cell size and guides are kept in
// the settings file.
#pragma once

#include <QFrame>
#include <functional>

#include "settings/settings.h"
#include "shell/views/internal/charviewprefs.h"

struct Font;
class BrushPalette;
class Document;
class QPainter;
class QKeyEvent;
class QMenu;
class QScrollBar;

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

  // The cell size chosen: 0 for Fit, else 4..64 pixels.
  int zoom() const { return prefs_.Zoom; }
  void setZoom(int size);
  // Steps through the fixed cell sizes (steps > 0 larger), keeping the point of the
  // character under 'anchor' (widget coordinates; the middle of the cells' area when
  // not given) where it is.
  void zoomBy(int steps, QPoint anchor = QPoint(-1, -1));
  // The guides: the baseline; for the extended types the box, the cursor position
  // and the advance; the capital and lowercase heights of the measurement characters.
  bool guides() const { return prefs_.Guides != 0; }
  void setGuides(bool on);
  // The index the mouse paints with: the one chosen, or the type's highest index
  // until one is chosen and in fonts without grey levels; -1 without a font.
  int brush() const;
  // Chooses the brush; indexes the type cannot hold, and fonts without grey levels,
  // are ignored. A new font starts with the highest index again.
  void setBrush(int index);
  BrushPalette* brushPalette() const { return pPalette_; }
  QScrollBar* horizontalBar() const { return pHBar_; }
  QScrollBar* verticalBar() const { return pVBar_; }
  // The area the cells are drawn in (the view without its palette and scroll bars).
  QRect cellArea() const { return area_; }
  // The colour of the guides, which no pixel value is shown in.
  static constexpr unsigned kGuideRgb = 0xE000A0;

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
  void resizeEvent(QResizeEvent* pEvent) override;
  void wheelEvent(QWheelEvent* pEvent) override;
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
  // Places the palette and the scroll bars and sets the bars' ranges.
  void relayout();
  // relayout() and a repaint.
  void refresh();
  // The columns shown, in box coordinates: the box's, and with the guides those
  // between the cursor position and the advance too.
  int firstColumn() const;
  int endColumn() const;
  // Widget position of the first column's left edge and of screen row 0's top.
  QPoint contentOrigin() const;
  void scrollToCursor();
  void paintGuides(QPainter& painter, Font* pFont, int code, int s, const QRect& visible);

  Document* pDocument_;
  BrushPalette* pPalette_;
  QScrollBar* pHBar_;
  QScrollBar* pVBar_;
  CharViewPrefs prefs_;
  Settings settings_;  // the measurement characters
  QRect area_;
  int brush_ = -1;  // -1: the highest index
  int wheelTurn_ = 0;  // wheel angle not yet taken as a zoom step
  int cursorX_ = 0;
  int cursorY_ = 0;
  bool stroking_ = false;
  int strokeValue_ = 0;
  QPoint strokeCell_;  // last cell of the stroke, in (column, screen row)
};
