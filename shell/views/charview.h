// The pixel editor: the current character as square cells with a grid, the pixel
// cursor while the view holds the keyboard, the pixel under it in the status bar,
// and the keys and menu commands that change pixel indexes.
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
  // Replaces the built-in state rules of the popup (called with the popup before
  // it shows).
  void setMenuStateProvider(std::function<void(QMenu*)> provider) { stateProvider_ = std::move(provider); }

  // The pixel cursor, in box coordinates.
  QPoint pixelCursor() const { return QPoint(cursorX_, cursorY_); }
  void setPixelCursor(int x, int y);
  // Side of a cell for the current font and view height.
  int cellSize() const;
  // A cell of screen row r and column c, in widget coordinates.
  QRect cellRect(int column, int screenRow) const;

 signals:
  void commandRequested(int id);

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void mousePressEvent(QMouseEvent* pEvent) override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Brings the cursor into the current character's box.
  void wrapCursor();
  void setWithRangeTest(int value);
  void changeIndex(int d);
  void invert();
  bool clickAt(const QPoint& pos);

  Document* pDocument_;
  int cursorX_ = 0;
  int cursorY_ = 0;
  std::function<void(QMenu*)> stateProvider_;
};
