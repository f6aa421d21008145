// The pixel editor widget: cells, cursor frame, status text, keys, clicks and the
// Pixel index popup, and strokes drawn with the mouse. Pixel writes go through the
// document, which journals them.
#include "shell/views/charview.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "generation/antialias.h"
#include "model/font.h"
#include "settings/services.h"
#include "shell/commandmenus.h"
#include "shell/document.h"
#include "shell/views/brushpalette.h"
#include "shell/views/grid.h"
#include "shell/views/internal/viewkeys.h"

namespace {

const QColor kOutsideBox(255, 255, 128);
const QColor kGuide(int(CharView::kGuideRgb >> 16), int(CharView::kGuideRgb >> 8 & 255), int(CharView::kGuideRgb & 255));

bool HasGreyLevels(const Font* pFont) {
  const int t = pFont ? FONT_GetType(pFont) : -1;
  return t == FONTTYPE_AA2 || t == FONTTYPE_AA4 || t == FONTTYPE_EXT_AA2 || t == FONTTYPE_EXT_AA4;
}

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

CharView::CharView(Document* pDocument, QWidget* pParent)
    : QFrame(pParent),
      pDocument_(pDocument),
      pPalette_(new BrushPalette(this)),
      pHBar_(new QScrollBar(Qt::Horizontal, this)),
      pVBar_(new QScrollBar(Qt::Vertical, this)) {
  setObjectName("VIEWCHAR_Class");
  CHARVIEW_LoadPrefs(&prefs_);
  SETTINGS_Load(&settings_);
  pPalette_->hide();
  for (QScrollBar* pBar : {pHBar_, pVBar_}) {
    pBar->hide();
    pBar->setFocusPolicy(Qt::NoFocus);
    connect(pBar, &QScrollBar::valueChanged, this, [this] { update(); });
  }
  connect(pPalette_, &BrushPalette::brushChosen, this, &CharView::setBrush);
  connect(pDocument_, &Document::settingsChanged, this, [this] {
    SETTINGS_Load(&settings_);
    update();
  });
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  const auto redraw = [this] { refresh(); };
  connect(pDocument_, &Document::fontInstalled, this, [this] {
    brush_ = -1;
    refresh();
  });
  connect(pDocument_, &Document::currentCharChanged, this, redraw);
  connect(pDocument_, &Document::fontChanged, this, [this](const ChangeNotice& notice) {
    const int current = pDocument_->currentChar();
    // Guides show the measurement characters' heights too.
    if ((notice.First <= current && current <= notice.Last) || (guides() && notice.What != CHANGE_RENDERED))
      refresh();
  });
  connect(pDocument_, &Document::redrawRequested, this, [this](int mask) {
    if (mask & VIEW_CHAR) refresh();
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
  if (prefs_.Zoom != CHARVIEW_ZOOM_FIT) return prefs_.Zoom;
  return GRID_CellSize(contentsRect().height(), FONT_GetHeight(pDocument_->font()));
}

QRect CharView::cellRect(int column, int screenRow) const {
  const int s = cellSize();
  const QPoint origin = contentOrigin();
  return QRect(origin.x() + (column - firstColumn()) * s, origin.y() + screenRow * s, s, s);
}

QPoint CharView::contentOrigin() const {
  return area_.topLeft() - QPoint(pHBar_->isHidden() ? 0 : pHBar_->value(), pVBar_->isHidden() ? 0 : pVBar_->value());
}

int CharView::firstColumn() const {
  const Font* pFont = pDocument_->font();
  if (!pFont || !guides() || !FONT_IsExtendedType(FONT_GetType(pFont))) return 0;
  // The cursor position lies BoxLeft columns left of the box; a column more on
  // each side keeps the guides at the edges clear of the view's border.
  return std::min(0, -pFont->aCharInfo[uint16_t(pDocument_->currentChar())].BoxLeft) - 1;
}

int CharView::endColumn() const {
  const Font* pFont = pDocument_->font();
  if (!pFont) return 0;
  const uint16_t c = uint16_t(pDocument_->currentChar());
  const int width = FONT_GetCharWidth(pFont, c);
  if (!guides() || !FONT_IsExtendedType(FONT_GetType(pFont))) return width;
  const CharInfo* pInfo = &pFont->aCharInfo[c];
  return std::max(width, pInfo->CursorDist - pInfo->BoxLeft) + 1;
}

void CharView::resizeEvent(QResizeEvent* pEvent) {
  QFrame::resizeEvent(pEvent);
  relayout();
}

void CharView::refresh() {
  relayout();
  update();
}

void CharView::relayout() {
  const Font* pFont = pDocument_->font();
  const QRect frame = contentsRect();
  const int type = HasGreyLevels(pFont) ? FONT_GetType(pFont) : -1;
  pPalette_->setType(type);
  pPalette_->setBrush(brush());
  const int paletteWidth = std::min(pPalette_->widthFor(frame.height()), frame.width() / 2);
  if (paletteWidth > 0) pPalette_->setGeometry(frame.right() + 1 - paletteWidth, frame.top(), paletteWidth, frame.height());
  pPalette_->setVisible(paletteWidth > 0);
  QRect area(frame.left(), frame.top(), frame.width() - paletteWidth, frame.height());
  // Fit makes the font as high as the view: only a fixed size can need bars.
  bool horizontal = false, vertical = false;
  int contentWidth = 0, contentHeight = 0;
  if (pFont && prefs_.Zoom != CHARVIEW_ZOOM_FIT) {
    const int s = prefs_.Zoom;
    contentWidth = (endColumn() - firstColumn()) * s;
    contentHeight = FONT_GetHeight(pFont) * s;
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int pass = 0; pass < 2; ++pass) {  // one bar can make the other needed
      horizontal = contentWidth > area.width() - (vertical ? extent : 0);
      vertical = contentHeight > area.height() - (horizontal ? extent : 0);
    }
    if (vertical) area.setWidth(std::max(area.width() - extent, 0));
    if (horizontal) area.setHeight(std::max(area.height() - extent, 0));
    if (horizontal) pHBar_->setGeometry(area.left(), area.bottom() + 1, area.width(), extent);
    if (vertical) pVBar_->setGeometry(area.right() + 1, area.top(), extent, area.height());
    for (QScrollBar* pBar : {pHBar_, pVBar_}) pBar->setSingleStep(s);
  }
  pHBar_->setRange(0, horizontal ? contentWidth - area.width() : 0);
  pHBar_->setPageStep(std::max(area.width(), 1));
  pVBar_->setRange(0, vertical ? contentHeight - area.height() : 0);
  pVBar_->setPageStep(std::max(area.height(), 1));
  pHBar_->setVisible(horizontal);
  pVBar_->setVisible(vertical);
  area_ = area;
}

void CharView::setZoom(int size) {
  if (size != CHARVIEW_ZOOM_FIT) size = std::clamp(size, CHARVIEW_ZOOM_MIN, CHARVIEW_ZOOM_MAX);
  if (size == prefs_.Zoom) return;
  prefs_.Zoom = size;
  CHARVIEW_SavePrefs(prefs_);
  refresh();
}

void CharView::zoomBy(int steps, QPoint anchor) {
  const int s = cellSize();
  const int next = CHARVIEW_ZoomStep(std::max(s, 1), steps);
  if (next < CHARVIEW_ZOOM_MIN) return;  // a cell of Fit's size cannot be made smaller
  if (!area_.contains(anchor)) anchor = area_.center();
  const QPoint before = anchor - contentOrigin();
  setZoom(next);
  // The point under the anchor stays there.
  if (s > 0) {
    pHBar_->setValue(before.x() * next / s - (anchor.x() - area_.left()));
    pVBar_->setValue(before.y() * next / s - (anchor.y() - area_.top()));
  }
  if (pDocument_->keyboardTarget() == 1 && !area_.contains(anchor)) scrollToCursor();
}

void CharView::setGuides(bool on) {
  if (on == guides()) return;
  prefs_.Guides = on ? 1 : 0;
  CHARVIEW_SavePrefs(prefs_);
  refresh();
}

int CharView::brush() const {
  const Font* pFont = pDocument_->font();
  if (!pFont) return -1;
  const int highest = FONT_GetMaxPixelValue(pFont);
  return brush_ < 0 || brush_ > highest || !HasGreyLevels(pFont) ? highest : brush_;
}

void CharView::setBrush(int index) {
  const Font* pFont = pDocument_->font();
  if (!HasGreyLevels(pFont) || index < 0 || index > FONT_GetMaxPixelValue(pFont)) return;
  brush_ = index;
  pPalette_->setBrush(index);
}

// Brings the cursor's cell into the cells' area.
void CharView::scrollToCursor() {
  const Font* pFont = pDocument_->font();
  if (!pFont) return;
  const QRect cell = cellRect(cursorX_, cursorY_ + GRID_BoxTopRow(pFont, pDocument_->currentChar()));
  if (cell.left() < area_.left())
    pHBar_->setValue(pHBar_->value() - (area_.left() - cell.left()));
  else if (cell.right() > area_.right())
    pHBar_->setValue(pHBar_->value() + std::min(cell.right() - area_.right(), cell.left() - area_.left()));
  if (cell.top() < area_.top())
    pVBar_->setValue(pVBar_->value() - (area_.top() - cell.top()));
  else if (cell.bottom() > area_.bottom())
    pVBar_->setValue(pVBar_->value() + std::min(cell.bottom() - area_.bottom(), cell.top() - area_.top()));
}

void CharView::wheelEvent(QWheelEvent* pEvent) {
  if (pEvent->modifiers() & Qt::ControlModifier) {
    // A notch is 120; finer wheels add up to one.
    wheelTurn_ += pEvent->angleDelta().y();
    const int steps = wheelTurn_ / 120;
    wheelTurn_ -= steps * 120;
    if (steps) zoomBy(steps, pEvent->position().toPoint());
    pEvent->accept();
    return;
  }
  const QPoint delta = pEvent->angleDelta();
  QScrollBar* pBar =
      (pEvent->modifiers() & Qt::ShiftModifier) || std::abs(delta.x()) > std::abs(delta.y()) ? pHBar_ : pVBar_;
  if (pBar->isHidden()) {
    pEvent->ignore();
    return;
  }
  QCoreApplication::sendEvent(pBar, pEvent);
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
  relayout();
  const int s = cellSize();
  const int type = FONT_GetType(pFont);
  const int width = FONT_GetCharWidth(pFont, c);
  const int rows = FONT_GetCharHeight(pFont, c);
  const int top = GRID_BoxTopRow(pFont, code);
  QPainter painter(this);
  painter.setClipRect(area_);
  // Box column 0 of screen row 0 at (0, 0).
  const QPoint shift = contentOrigin() - QPoint(firstColumn() * s, 0);
  painter.translate(shift);
  const QRect visible = area_.translated(-shift);
  if (s > 0) {
    // Only the cells in view: a large cell size shows a small part of the character.
    const int rowFirst = std::max(0, visible.top() / s), rowEnd = std::min(height, visible.bottom() / s + 1);
    const int colFirst = std::max(firstColumn(), FloorDiv(visible.left(), s));
    const int colEnd = std::min(endColumn(), FloorDiv(visible.right(), s) + 1);
    for (int r = rowFirst; r < rowEnd; r++) {
      const int y = r - top;
      for (int x = colFirst; x < colEnd; x++) {
        const bool outside = y < 0 || y >= rows || x < 0 || x >= width;
        const QColor color = outside ? kOutsideBox : DisplayColor(type, FONT_GetPixel(pFont, c, x, y));
        painter.fillRect(QRect(x * s, r * s, s, s), Qt::black);
        if (s > 2) painter.fillRect(QRect(x * s + 1, r * s + 1, s - 2, s - 2), color);
      }
    }
    if (guides()) paintGuides(painter, pDocument_->font(), code, s, visible);
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

// Each guide lies on a grid line, two pixels wide, so no cell's colour is hidden.
void CharView::paintGuides(QPainter& painter, Font* pFont, int code, int s, const QRect& visible) {
  const int height = FONT_GetHeight(pFont);
  const int baseline = FONT_GetBaseline(pFont);
  const auto across = [&](int row, bool dotted) {
    for (int x = FloorDiv(visible.left(), s) - 1; x * s <= visible.right(); ++x) {
      if (dotted)
        painter.fillRect(QRect(x * s + s / 4, row * s - 1, std::max(s / 2, 2), 2), kGuide);
      else
        painter.fillRect(QRect(x * s, row * s - 1, s, 2), kGuide);
    }
  };
  const auto down = [&](int column, int rowFirst, int rowEnd, bool dotted) {
    for (int r = rowFirst; r < rowEnd; ++r) {
      if (dotted)
        painter.fillRect(QRect(column * s - 1, r * s + s / 4, 2, std::max(s / 2, 2)), kGuide);
      else
        painter.fillRect(QRect(column * s - 1, r * s, 2, s), kGuide);
    }
  };
  across(baseline, false);
  // The heights the files carry: measured when both characters exist, else as read.
  const uint16_t lower = settings_.LowercaseChar, capital = settings_.CapitalChar;
  int lowercase = 0, capitalHeight = 0;
  if (FONT_CharExists(pFont, lower) && FONT_CharExists(pFont, capital)) {
    lowercase = FONT_GetLowercaseHeight(pFont, settings_);
    capitalHeight = FONT_GetCapitalHeight(pFont, settings_);
  } else if (pFont->HeightsKnown) {
    lowercase = pFont->LowercaseHeightRead;
    capitalHeight = pFont->CapitalHeightRead;
  }
  if (capitalHeight > 0) across(baseline - capitalHeight, true);
  if (lowercase > 0 && lowercase != capitalHeight) across(baseline - lowercase, true);
  if (!FONT_IsExtendedType(FONT_GetType(pFont))) return;
  const uint16_t c = uint16_t(code);
  const CharInfo* pInfo = &pFont->aCharInfo[c];
  const int top = GRID_BoxTopRow(pFont, code);
  const int rows = GRID_BoxRows(pFont, code);
  const int width = FONT_GetCharWidth(pFont, c);
  // The box.
  painter.fillRect(QRect(-1, top * s - 1, width * s + 2, 2), kGuide);
  painter.fillRect(QRect(-1, (top + rows) * s - 1, width * s + 2, 2), kGuide);
  down(0, top, top + rows, false);
  down(width, top, top + rows, false);
  // The cursor position dotted, the advance solid, over the font's height.
  down(-pInfo->BoxLeft, 0, height, true);
  down(pInfo->CursorDist - pInfo->BoxLeft, 0, height, false);
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
  // With Ctrl, digits choose the brush and plus and minus zoom (the window's
  // shortcuts): they never change a pixel.
  if ((pEvent->modifiers() & Qt::ControlModifier) &&
      ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Plus || key == Qt::Key_Minus || key == Qt::Key_Equal))
    return;
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      cursorX_ += key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
      cursorY_ += key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
      wrapCursor();
      scrollToCursor();
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
  if (s == 0 || !area_.contains(pos)) return true;
  const int code = pDocument_->currentChar();
  const QPoint cell = cellAt(pos);
  const int column = cell.x();
  const int row = cell.y() - GRID_BoxTopRow(pFont, code);
  if (column >= 0 && column < FONT_GetCharWidth(pFont, uint16_t(code)) && row >= 0 &&
      row < GRID_BoxRows(pFont, code)) {
    cursorX_ = column;
    cursorY_ = row;
    update();
  }
  return true;
}

QPoint CharView::cellAt(const QPoint& pos) const {
  const int s = std::max(cellSize(), 1);
  const QPoint p = pos - contentOrigin();
  return QPoint(FloorDiv(p.x(), s) + firstColumn(), FloorDiv(p.y(), s));
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
    if ((pEvent->modifiers() & Qt::ControlModifier) && cellSize() > 0) {
      const bool erase = pEvent->modifiers() & Qt::ShiftModifier;
      beginStroke(pos, erase ? 0 : brush());
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
