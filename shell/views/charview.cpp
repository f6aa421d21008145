// The pixel editor widget: cells, cursor frame, status text, keys, clicks and the
// Pixel index popup, and strokes drawn with the mouse. Pixel writes go through the
// document, which journals them.
#include "shell/views/charview.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "generation/antialias.h"
#include "model/font.h"
#include "settings/services.h"
#include "shell/commandmenus.h"
#include "shell/document.h"
#include "shell/views/grid.h"
#include "shell/views/internal/viewkeys.h"

namespace {

const QColor kOutsideBox(255, 255, 128);

QColor DisplayColor(int type, int value) {
  const AAColor c = AA_ValueToColor(type, value);
  return QColor(int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255));
}

// Integer division rounding towards minus infinity (b > 0).
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The current character of a generated font may not be rendered yet: it is
// before it is shown or edited, so that rendering never overwrites an edit.
void RenderCurrent(Font* pFont) {
  if (!pFont) return;
  const uint16_t code = FONT_GetCurrentChar(pFont);
  if (!FONT_IsCharRendered(pFont, code)) FONT_RenderChar(pFont, code);
}

}  // namespace

CharView::CharView(Document* pDocument, QWidget* pParent) : QFrame(pParent), pDocument_(pDocument) {
  setObjectName("VIEWCHAR_Class");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  const auto redraw = [this] { update(); };
  connect(pDocument_, &Document::fontInstalled, this, redraw);
  connect(pDocument_, &Document::currentCharChanged, this, redraw);
  connect(pDocument_, &Document::fontChanged, this, [this](const ChangeNotice& notice) {
    const int current = pDocument_->currentChar();
    if (notice.First <= current && current <= notice.Last) update();
  });
  connect(pDocument_, &Document::redrawRequested, this, [this](int mask) {
    if (mask & VIEW_CHAR) update();
  });
  connect(pDocument_, &Document::keyboardTargetChanged, this, [this](int target) {
    update();
    if (target == 1 && isVisible()) setFocus(Qt::OtherFocusReason);
  });
  connect(pDocument_, &Document::showAllCharactersChanged, this, redraw);
  // A stroke belongs to one character of one font.
  connect(pDocument_, &Document::fontInstalled, this, [this] { endStroke(); });
  connect(pDocument_, &Document::currentCharChanged, this, [this] { endStroke(); });
}

int CharView::cellSize() const {
  return GRID_CellSize(contentsRect().height(), FONT_GetHeight(pDocument_->font()));
}

QRect CharView::cellRect(int column, int screenRow) const {
  const int s = cellSize();
  return QRect(contentsRect().left() + column * s, contentsRect().top() + screenRow * s, s, s);
}

void CharView::setPixelCursor(int x, int y) {
  cursorX_ = x;
  cursorY_ = y;
  update();
}

void CharView::wrapCursor() {
  const Font* pFont = pDocument_->font();
  if (!pFont) return;
  const int code = pDocument_->currentChar();
  GRID_WrapCursor(&cursorX_, &cursorY_, FONT_GetCharWidth(pFont, uint16_t(code)), GRID_BoxRows(pFont, code));
}

void CharView::paintEvent(QPaintEvent* pEvent) {
  QFrame::paintEvent(pEvent);
  RenderCurrent(pDocument_->font());
  const Font* pFont = pDocument_->font();
  if (!pFont) return;
  const int code = pDocument_->currentChar();
  const uint16_t c = uint16_t(code);
  const int height = FONT_GetHeight(pFont);
  if (FONT_GetCharHeight(pFont, c) == 0 || height == 0) return;
  const int s = cellSize();
  const int type = FONT_GetType(pFont);
  const int width = FONT_GetCharWidth(pFont, c);
  const int rows = FONT_GetCharHeight(pFont, c);
  const int top = GRID_BoxTopRow(pFont, code);
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.translate(contentsRect().topLeft());
  for (int r = 0; r < height; r++) {
    const int y = r - top;
    for (int x = 0; x < width; x++) {
      const QColor color = y < 0 || y >= rows ? kOutsideBox : DisplayColor(type, FONT_GetPixel(pFont, c, x, y));
      painter.fillRect(QRect(x * s, r * s, s, s), Qt::black);
      if (s > 2) painter.fillRect(QRect(x * s + 1, r * s + 1, s - 2, s - 2), color);
    }
  }
  PlatformServices* pServices = SERVICES_Get();
  if (pDocument_->keyboardTarget() == 1 && width != 0) {
    wrapCursor();
    // A 2-pixel inverted frame round the cell's inner square.
    const QRect inner(cursorX_ * s + 2, (cursorY_ + top) * s + 2, s - 4, s - 4);
    const QRect outer = inner.adjusted(-2, -2, 2, 2);
    QRegion frame(outer);
    if (inner.isValid()) frame -= QRegion(inner);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    for (const QRect& rect : frame) painter.fillRect(rect, Qt::white);
    const QByteArray text = QString::asprintf("Index of pixel [ %d, %d ] = %d", cursorX_, cursorY_,
                                              FONT_GetPixel(pFont, c, cursorX_, cursorY_))
                                .toLatin1();
    pServices->SetStatusText(text.constData());
  } else {
    pServices->SetStatusText("Ready");
  }
}

void CharView::setWithRangeTest(int value) {
  const Font* pFont = pDocument_->font();
  const bool frame = FONT_GetType(pFont) == FONTTYPE_EXT_FRM && value == FONT_FRAME_PIXEL;
  if ((value > FONT_GetMaxPixelValue(pFont) || value < 0) && !frame) return;
  wrapCursor();
  pDocument_->setPixel(pDocument_->currentChar(), cursorX_, cursorY_, value, true);
  update();
}

void CharView::changeIndex(int d) {
  wrapCursor();
  setWithRangeTest(FONT_GetPixel(pDocument_->font(), uint16_t(pDocument_->currentChar()), cursorX_, cursorY_) + d);
}

void CharView::invert() {
  wrapCursor();
  const Font* pFont = pDocument_->font();
  const int value = FONT_GetPixel(pFont, uint16_t(pDocument_->currentChar()), cursorX_, cursorY_);
  setWithRangeTest(FONT_GetMaxPixelValue(pFont) - std::max(value, 0));
}

void CharView::pixelCommand(int id) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  RenderCurrent(pFont);
  if (id == 680) {
    changeIndex(1);
  } else if (id == 681) {
    changeIndex(-1);
  } else if (id == 682) {
    invert();
  } else if (id >= 700 && id <= 715) {
    // The menu grays values the type cannot hold; one that slips through would
    // spill into the neighbouring pixel's bits, so it is dropped here too.
    if (id - 700 > FONT_GetMaxPixelValue(pFont)) return;
    wrapCursor();
    pDocument_->setPixel(pDocument_->currentChar(), cursorX_, cursorY_, id - 700, false);
    update();
  }
}

void CharView::handleKey(QKeyEvent* pEvent) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  RenderCurrent(pFont);
  const int key = pEvent->key();
  const bool keypad = pEvent->modifiers() & Qt::KeypadModifier;
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      cursorX_ += key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
      cursorY_ += key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
      wrapCursor();
      update();
      pEvent->accept();
      return;  // arrows never touch the frame
    case Qt::Key_Space: invert(); break;
    case Qt::Key_Plus:
      if (keypad) changeIndex(1);
      break;
    case Qt::Key_Minus:
      if (keypad) changeIndex(-1);
      break;
    default:
      if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad)
        setWithRangeTest(key - Qt::Key_0);
      else if (key >= Qt::Key_A && key <= Qt::Key_F)
        setWithRangeTest(key - Qt::Key_A + 10);
      break;
  }
  // An EXT_FRM font's frame was rebuilt by the pixel edit itself.
  pEvent->accept();
}

void CharView::keyPressEvent(QKeyEvent* pEvent) { VIEWS_RouteKey(pDocument_, this, 1, pEvent); }

// Tab flips the keyboard between the views instead of moving the focus.
bool CharView::focusNextPrevChild(bool) { return false; }

bool CharView::clickAt(const QPoint& pos) {
  Font* pFont = pDocument_->font();
  if (!pFont) return false;
  RenderCurrent(pFont);
  pDocument_->setKeyboardTarget(1);
  const int s = cellSize();
  const QPoint p = pos - contentsRect().topLeft();
  if (s == 0 || p.x() < 0 || p.y() < 0) return true;
  const int code = pDocument_->currentChar();
  const int column = p.x() / s;
  const int row = p.y() / s - GRID_BoxTopRow(pFont, code);
  if (column < FONT_GetCharWidth(pFont, uint16_t(code)) && row >= 0 && row < GRID_BoxRows(pFont, code)) {
    cursorX_ = column;
    cursorY_ = row;
    update();
  }
  return true;
}

QPoint CharView::cellAt(const QPoint& pos) const {
  const int s = std::max(cellSize(), 1);
  const QPoint p = pos - contentsRect().topLeft();
  return QPoint(FloorDiv(p.x(), s), FloorDiv(p.y(), s));
}

void CharView::beginStroke(const QPoint& pos, int value) {
  stroking_ = true;
  strokeValue_ = value;
  strokeCell_ = cellAt(pos);
  emit strokeStarted();
  paintCell(strokeCell_);
}

void CharView::strokeTo(const QPoint& pos) {
  // Bresenham's line over cells: successive cells touch at least at a corner, so
  // the stroke has no gaps however far the pointer jumped between two events.
  const QPoint to = cellAt(pos);
  int x = strokeCell_.x();
  int y = strokeCell_.y();
  const int dx = std::abs(to.x() - x);
  const int dy = -std::abs(to.y() - y);
  const int sx = x < to.x() ? 1 : -1;
  const int sy = y < to.y() ? 1 : -1;
  int err = dx + dy;
  while ((x != to.x() || y != to.y()) && stroking_) {
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
    paintCell(QPoint(x, y));
  }
  strokeCell_ = to;
}

void CharView::paintCell(const QPoint& cell) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  const int code = pDocument_->currentChar();
  const uint16_t c = uint16_t(code);
  const int x = cell.x();
  const int y = cell.y() - GRID_BoxTopRow(pFont, code);
  if (x < 0 || y < 0 || x >= FONT_GetCharWidth(pFont, c) || y >= GRID_BoxRows(pFont, code)) return;
  if (cursorX_ != x || cursorY_ != y) {
    cursorX_ = x;
    cursorY_ = y;
    update();
  }
  // A frame pixel holds no ink: its data index is 0, and erasing it would change
  // nothing (the frame is rebuilt round the ink after every write).
  if (std::max(FONT_GetPixel(pFont, c, x, y), 0) == strokeValue_) return;
  pDocument_->setPixel(code, x, y, strokeValue_, true);
}

void CharView::endStroke() {
  if (!stroking_) return;
  stroking_ = false;
  emit strokeFinished();
}

void CharView::mouseMoveEvent(QMouseEvent* pEvent) {
  pEvent->accept();
  if (!stroking_) return;
  // The release went elsewhere (another window took the mouse meanwhile).
  if (!(pEvent->buttons() & Qt::LeftButton)) {
    endStroke();
    return;
  }
  strokeTo(pEvent->position().toPoint());
}

void CharView::mouseReleaseEvent(QMouseEvent* pEvent) {
  pEvent->accept();
  if (pEvent->button() != Qt::LeftButton || !stroking_) return;
  strokeTo(pEvent->position().toPoint());
  endStroke();
}

void CharView::focusOutEvent(QFocusEvent* pEvent) {
  endStroke();
  QFrame::focusOutEvent(pEvent);
}

void CharView::hideEvent(QHideEvent* pEvent) {
  endStroke();
  QFrame::hideEvent(pEvent);
}

void CharView::changeEvent(QEvent* pEvent) {
  if (pEvent->type() == QEvent::ActivationChange && !isActiveWindow()) endStroke();
  QFrame::changeEvent(pEvent);
}

void CharView::mousePressEvent(QMouseEvent* pEvent) {
  pEvent->accept();
  endStroke();  // a second button pressed mid-stroke ends it
  if (pEvent->button() == Qt::LeftButton) {
    const QPoint pos = pEvent->position().toPoint();
    if (!clickAt(pos)) return;
    const Font* pFont = pDocument_->font();
    if ((pEvent->modifiers() & Qt::ControlModifier) && cellSize() > 0) {
      const bool erase = pEvent->modifiers() & Qt::ShiftModifier;
      beginStroke(pos, erase ? 0 : FONT_GetMaxPixelValue(pFont));
    }
  } else if (pEvent->button() == Qt::RightButton) {
    if (!clickAt(pEvent->position().toPoint())) return;
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    pMenu->setObjectName("PixelIndexPopup");
    SHELL_FillPopup(pMenu, POPUP_PIXEL, pDocument_->commandState());
    connect(pMenu, &QMenu::triggered, this,
            [this](QAction* pAction) { emit commandRequested(SHELL_CommandIdOf(pAction)); });
    connect(pMenu, &QMenu::aboutToHide, this, [this] { update(); });
    pMenu->popup(mapToGlobal(pEvent->position().toPoint()));
  }
}
