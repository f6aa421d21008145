// The font grid widget: painting of the visible rows, key, mouse, wheel and scroll
// handling. Geometry and moves come from grid.h; pixels and state from the document.
#include "shell/views/fontview.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "generation/antialias.h"
#include "model/codetables.h"
#include "model/font.h"
#include "settings/services.h"
#include "shell/commandmenus.h"
#include "shell/document.h"
#include "shell/views/internal/viewkeys.h"

namespace {

const QColor kGray(170, 170, 170);
// The longest area name; fonts with 16-bit codes reserve its width.
const char kLongestAreaName[] = "Comb. Half Marks, CJK Comp. Forms & SFV";

QColor DisplayColor(int type, int value) {
  const AAColor c = AA_ValueToColor(type, value);
  return QColor(int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255));
}

int ToGridAction(int sliderAction) {
  switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub: return GRID_LINE_UP;
    case QAbstractSlider::SliderSingleStepAdd: return GRID_LINE_DOWN;
    case QAbstractSlider::SliderPageStepSub: return GRID_PAGE_UP;
    case QAbstractSlider::SliderPageStepAdd: return GRID_PAGE_DOWN;
    case QAbstractSlider::SliderToMinimum: return GRID_TOP;
    case QAbstractSlider::SliderToMaximum: return GRID_BOTTOM;
    case QAbstractSlider::SliderMove: return GRID_TRACK;
    default: return -1;
  }
}

}  // namespace

FontView::FontView(Document* pDocument, QWidget* pParent)
    : QAbstractScrollArea(pParent), pDocument_(pDocument) {
  setObjectName("VIEWFONT_Class");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(palette);
  viewport()->setAutoFillBackground(true);
  // Labels in a small application font, so that they fit rows of 16 pixels.
  QFont labelFont = font();
  labelFont.setPixelSize(12);
  setFont(labelFont);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { onScrollAction(false, action); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { onScrollAction(true, action); });
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, [this] { keepCurrentInView(); });

  // Cells are painted from the font's planes every time (no glyph images are
  // kept), so any change needs only a repaint; changes of sizes or of enabled
  // blocks also move the scroll ranges.
  connect(pDocument_, &Document::fontInstalled, this, [this] { relayout(65); });
  connect(pDocument_, &Document::fontChanged, this, [this](const ChangeNotice& notice) {
    if (notice.What & (CHANGE_METRICS | CHANGE_ENABLED | CHANGE_BOX))
      refresh();
    else
      viewport()->update();
  });
  connect(pDocument_, &Document::redrawRequested, this, [this](int mask) {
    if (mask & VIEW_FONT) refresh();
  });
  connect(pDocument_, &Document::currentCharChanged, this, [this] { viewport()->update(); });
  connect(pDocument_, &Document::keyboardTargetChanged, this, [this](int target) {
    viewport()->update();
    if (target == 0 && isVisible()) setFocus(Qt::OtherFocusReason);
  });
  connect(pDocument_, &Document::showAllCharactersChanged, this, [this] { relayout(65); });
}

GridGeometry FontView::gridGeometry() const {
  const Font* pFont = pDocument_->font();
  return pFont ? GRID_GetGeometry(FONT_GetHeight(pFont), FONT_GetMaxWidth(pFont)) : GridGeometry{};
}

int FontView::topRow() const { return verticalScrollBar()->value(); }
int FontView::horizontalPosition() const { return horizontalScrollBar()->value(); }
int FontView::visibleRows() const { return GRID_VisibleRows(gridGeometry(), viewport()->height()); }

QRect FontView::cellRect(int code) const {
  const Font* pFont = pDocument_->font();
  if (!pFont || code < 0 || code >= FONT_GetNumBlocks(pFont) * 16) return {};
  const int showAll = pDocument_->showAllCharacters();
  const int block = code >> 4;
  if (!showAll && !FONT_IsBlockUsed(pFont, uint32_t(block))) return {};
  const int row = GRID_RowOfBlock(pFont, showAll, block) - topRow();
  if (row < 0 || row >= visibleRows()) return {};
  const GridGeometry g = gridGeometry();
  return QRect(GRID_ColumnLeft(g, code & 15, horizontalPosition()) + 1, row * g.RowPitch + 1, g.ColumnPitch - 1,
               g.RowHeight);
}

void FontView::refresh() {
  updateScrollBars();
  viewport()->update();
}

void FontView::updateScrollBars() {
  if (updatingBars_) return;
  updatingBars_ = true;
  const Font* pFont = pDocument_->font();
  QScrollBar* pV = verticalScrollBar();
  QScrollBar* pH = horizontalScrollBar();
  int rows = 0, needed = 0;
  if (pFont) {
    rows = GRID_NumRows(pFont, pDocument_->showAllCharacters());
    needed = GRID_NeededWidth(gridGeometry(), FONT_Has16BitCodes(pFont) != 0,
                              fontMetrics().horizontalAdvance(QLatin1String(kLongestAreaName)));
  }
  // Each bar takes room from the other's direction: decide twice. Showing or
  // hiding a bar lays the viewport out at once, so the row count and the client
  // width are current when a selection scrolls right after.
  for (int pass = 0; pass < 2; pass++) {
    const Qt::ScrollBarPolicy vertical = rows && rows >= visibleRows() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != vertical) setVerticalScrollBarPolicy(vertical);
    const Qt::ScrollBarPolicy horizontal =
        pFont && viewport()->width() < needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != horizontal) setHorizontalScrollBarPolicy(horizontal);
  }
  const int visible = visibleRows();
  const int width = viewport()->width();
  pV->setPageStep(visible);
  pV->setRange(0, pFont && rows >= visible ? GRID_ScrollLimit(rows, visible) : 0);
  pH->setPageStep(std::max(width, 1));
  pH->setRange(0, pFont && width < needed ? GRID_ScrollLimit(needed, width) : 0);
  updatingBars_ = false;
}

void FontView::goToCode(int code) {
  Font* pFont = pDocument_->font();
  if (!pFont || code < 0) return;
  // The positions set here follow the selection; they must not move it again.
  const bool wasPlacing = placing_;
  placing_ = true;
  updateScrollBars();
  pDocument_->setCurrentChar(code);
  scrollToCurrent(topRow(), horizontalPosition());
  refresh();
  placing_ = wasPlacing;
  freshPlace_ = false;
}

void FontView::scrollToCurrent(int top, int hpos) {
  const int current = pDocument_->currentChar();
  const int row = GRID_RowOfBlock(pDocument_->font(), pDocument_->showAllCharacters(), current >> 4);
  verticalScrollBar()->setValue(GRID_ScrollToRow(top, visibleRows(), row));
  horizontalScrollBar()->setValue(GRID_ScrollToColumn(gridGeometry(), hpos, current & 15, viewport()->width()));
}

void FontView::goToBlock(int firstBlock, int code) {
  Font* pFont = pDocument_->font();
  if (!pFont || code < 0) return;
  goToCode(code);
  const int showAll = pDocument_->showAllCharacters();
  const int currentRow = GRID_RowOfBlock(pFont, showAll, pDocument_->currentChar() >> 4);
  const int top = std::min(currentRow, std::max(GRID_RowOfBlock(pFont, showAll, firstBlock),
                                                currentRow - std::max(visibleRows() - 2, 0)));
  const bool wasPlacing = placing_;
  placing_ = true;
  verticalScrollBar()->setValue(top);
  refresh();
  placing_ = wasPlacing;
}

void FontView::relayout(int code) {
  const Font* pFont = pDocument_->font();
  if (!pFont) {
    refresh();
    return;
  }
  goToCode(GRID_FirstDisplayed(pFont, pDocument_->showAllCharacters()));
  goToCode(code);
  freshPlace_ = true;
}

void FontView::moveBy(int d) {
  const int target = GRID_MoveTarget(pDocument_->font(), pDocument_->showAllCharacters(), pDocument_->currentChar(), d);
  if (target >= 0) goToCode(target);
}

void FontView::handleKey(QKeyEvent* pEvent) {
  const Font* pFont = pDocument_->font();
  if (!pFont) return;
  const int showAll = pDocument_->showAllCharacters();
  const int current = pDocument_->currentChar();
  const bool ctrl = pEvent->modifiers() & Qt::ControlModifier;
  switch (pEvent->key()) {
    case Qt::Key_Space: emit commandRequested(660); break;
    case Qt::Key_PageUp: moveBy(-16 * visibleRows()); break;
    case Qt::Key_PageDown: moveBy(16 * visibleRows()); break;
    case Qt::Key_Home:
      if (ctrl)
        goToCode(GRID_FirstDisplayed(pFont, showAll));
      else if (showAll || FONT_GetNumUsedBlocks(pFont))
        goToCode(current & ~15);
      break;
    case Qt::Key_End:
      if (ctrl)
        goToCode(GRID_LastDisplayed(pFont, showAll));
      else if (showAll || FONT_GetNumUsedBlocks(pFont))
        goToCode(current | 15);
      break;
    case Qt::Key_Left: moveBy(-1); break;
    case Qt::Key_Right: moveBy(1); break;
    case Qt::Key_Up: moveBy(-16); break;
    case Qt::Key_Down: moveBy(16); break;
    default: return;
  }
  pEvent->accept();
}

void FontView::keyPressEvent(QKeyEvent* pEvent) { VIEWS_RouteKey(pDocument_, this, 0, pEvent); }

// Tab flips the keyboard between the views instead of moving the focus.
bool FontView::focusNextPrevChild(bool) { return false; }

void FontView::onScrollAction(bool horizontal, int action) {
  const int gridAction = ToGridAction(action);
  if (gridAction < 0 || !pDocument_->font()) return;
  freshPlace_ = false;
  QScrollBar* pBar = horizontal ? horizontalScrollBar() : verticalScrollBar();
  int max, page;
  if (horizontal) {
    page = pBar->pageStep();
    max = pBar->maximum() + page - 1;
  } else {
    page = visibleRows();
    max = GRID_NumRows(pDocument_->font(), pDocument_->showAllCharacters());
  }
  pBar->setSliderPosition(GRID_Scroll(gridAction, pBar->value(), page, max, pBar->sliderPosition(), horizontal));
}

void FontView::wheelEvent(QWheelEvent* pEvent) {
  pEvent->accept();
  if (!pDocument_->font()) return;
  wheelRest_ += pEvent->angleDelta().y();
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  if (notches == 0) return;
  freshPlace_ = false;
  QScrollBar* pBar = verticalScrollBar();
  pBar->setValue(std::clamp(pBar->value() - notches, 0, pBar->maximum()));
}

void FontView::keepCurrentInView() {
  const Font* pFont = pDocument_->font();
  if (pFont && !placing_) {
    const int current = pDocument_->currentChar();
    const int target = GRID_KeepInView(pFont, pDocument_->showAllCharacters(), current, topRow(), visibleRows());
    if (target != current) pDocument_->setCurrentChar(target);
  }
  viewport()->update();
}

void FontView::scrollContentsBy(int, int) { viewport()->update(); }

void FontView::resizeEvent(QResizeEvent* pEvent) {
  QAbstractScrollArea::resizeEvent(pEvent);
  if (!freshPlace_ || !pDocument_->font()) {
    updateScrollBars();
    return;
  }
  // Placed as at the font's arrival, for the new size: from the first row and
  // column, only as far as the current cell needs.
  const bool wasPlacing = placing_;
  placing_ = true;
  updateScrollBars();
  scrollToCurrent(0, 0);
  refresh();
  placing_ = wasPlacing;
}

void FontView::selectAt(const QPoint& pos) {
  const Font* pFont = pDocument_->font();
  const int code = GRID_CodeAt(pFont, pDocument_->showAllCharacters(), gridGeometry(), topRow(),
                               horizontalPosition(), pos.x(), pos.y());
  if (code < 0) return;
  freshPlace_ = false;
  pDocument_->setKeyboardTarget(0);
  if (code != pDocument_->currentChar()) {
    pDocument_->setCurrentChar(code);
    refresh();
  }
}

void FontView::mousePressEvent(QMouseEvent* pEvent) {
  if (!pDocument_->font()) return;
  if (pEvent->button() == Qt::LeftButton) {
    selectAt(pEvent->position().toPoint());
  } else if (pEvent->button() == Qt::RightButton) {
    selectAt(pEvent->position().toPoint());
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    pMenu->setObjectName("FontViewPopup");
    SHELL_FillPopup(pMenu, POPUP_FONT_VIEW, pDocument_->commandState());
    connect(pMenu, &QMenu::triggered, this,
            [this](QAction* pAction) { emit commandRequested(SHELL_CommandIdOf(pAction)); });
    pMenu->popup(viewport()->mapToGlobal(pEvent->position().toPoint() - QPoint(10, 10)));
  }
  pEvent->accept();
}

QImage FontView::glyphImage(int code, bool inverted) {
  const Font* pFont = pDocument_->font();
  const uint16_t c = uint16_t(code);
  const int height = FONT_GetHeight(pFont);
  const int width = FONT_GetCharWidth(pFont, c);
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (width <= 0 || height <= 0) return image;
  const int type = FONT_GetType(pFont);
  const int highest = FONT_GetMaxPixelValue(pFont);
  const bool enabled = FONT_IsCharEnabled(pFont, c);
  // Colours by value -1..15.
  QRgb colors[17];
  for (int v = -1; v <= 15; v++) {
    QColor color;
    if (!inverted)
      color = DisplayColor(type, v);
    else if (!enabled)
      color = kGray;
    else if (v < 0)  // a frame pixel: the complement of the frame colour
      color = QColor(127, 0, 0);
    else
      color = DisplayColor(type, std::max(highest - v, 0));
    colors[v + 1] = color.rgba();
  }
  const int top = GRID_BoxTopRow(pFont, code);
  const int rows = FONT_GetCharHeight(pFont, c);
  for (int r = std::max(top, 0); r < height && r - top < rows; r++) {
    auto* pLine = reinterpret_cast<QRgb*>(image.scanLine(r));
    for (int x = 0; x < width; x++) {
      const int v = FONT_GetPixel(pFont, c, x, r - top);
      if (v) pLine[x] = colors[std::clamp(v, -1, 15) + 1];
    }
  }
  return image;
}

void FontView::drawGlyph(QPainter& painter, int code, const QRect& interior, bool inverted) {
  Font* pFont = pDocument_->font();
  const uint16_t c = uint16_t(code);
  if (!FONT_IsCharRendered(pFont, c)) FONT_RenderChar(pFont, c);
  if (FONT_GetCharHeight(pFont, c) == 0 || FONT_GetCharWidth(pFont, c) <= 0) return;
  const QPoint at(interior.left() + GRID_GLYPH_INDENT - 1, interior.top());
  // Never wider than the cell: a character widened by editing stays in its cell.
  const int visibleWidth = std::max(interior.right() - at.x() + 1, 0);
  const QImage image = glyphImage(code, inverted);
  painter.drawImage(at, image, QRect(0, 0, std::min(image.width(), visibleWidth), image.height()));
}

void FontView::paintEvent(QPaintEvent*) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  QPainter painter(viewport());
  const GridGeometry g = gridGeometry();
  const int showAll = pDocument_->showAllCharacters();
  const int hpos = horizontalPosition();
  const int width = viewport()->width();
  const int visible = visibleRows();
  const int count = FONT_GetNumBlocks(pFont) * 16;
  const int current = pDocument_->currentChar();
  const bool keyboard = pDocument_->keyboardTarget() == 0;
  const bool jis = FONT_GetEncoding(pFont) == ENCODING_JIS;
  const int gridLeft = GRID_ColumnLeft(g, 0, hpos);
  const int gridRight = GRID_ColumnLeft(g, GRID_COLUMNS, hpos);

  // The blocks of the visible rows, found from the top row's block onward.
  std::vector<int> blocks(size_t(visible), -1);
  for (int i = 0, block = GRID_BlockOfRow(pFont, showAll, topRow()); i < visible && block >= 0; i++) {
    blocks[size_t(i)] = block;
    block = GRID_NextShownBlock(pFont, showAll, block);
  }

  // The characters of the visible rows not rendered yet are rendered together, on
  // all cores, before the cells draw them one by one.
  std::vector<uint16_t> codes;
  for (int block : blocks)
    for (int code = block * 16; block >= 0 && code < block * 16 + 16 && code < count; code++)
      codes.push_back(uint16_t(code));
  FONT_RenderCodes(pFont, codes.data(), codes.size());

  // Labels and area names.
  painter.setPen(Qt::black);
  const int areaX = GRID_AreaNameX(g, hpos);
  for (int i = 0; i < visible; i++) {
    const int block = blocks[size_t(i)];
    if (block < 0) continue;
    const int top = i * g.RowPitch;
    painter.fillRect(QRect(-hpos, top, GRID_LABEL_WIDTH, g.RowPitch), Qt::white);
    painter.fillRect(QRect(gridRight, top, std::max(width - gridRight, 0), g.RowPitch), Qt::white);
    const QRect labelBox(-hpos, top + 1, GRID_LABEL_WIDTH, g.RowHeight);
    painter.drawText(labelBox, Qt::AlignLeft | Qt::AlignTop, QString::asprintf("%04X ", block * 16));
    if (!jis) {
      const char* pName = FONT_GetBlockAreaName(pFont, uint32_t(block));
      if (pName)
        painter.drawText(QRect(areaX, top + 1, std::max(width - areaX, 0) + hpos + 1000, g.RowHeight),
                         Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(pName));
    }
  }

  // Cells and grid lines.
  bool closed = false;
  for (int i = 0; i < visible; i++) {
    const int block = blocks[size_t(i)];
    const int top = i * g.RowPitch;
    if (block < 0) {
      painter.fillRect(QRect(0, top, width, g.RowPitch), Qt::white);
      if (!closed) painter.fillRect(QRect(gridLeft, top, gridRight - gridLeft + 1, 1), Qt::black);
      closed = true;
      continue;
    }
    for (int column = 0; column < GRID_COLUMNS; column++) {
      const int code = block * 16 + column;
      if (code >= count) break;
      const int left = GRID_ColumnLeft(g, column, hpos);
      if (left + g.ColumnPitch >= 0 && left <= width) {
        const QRect interior(left + 1, top + 1, g.ColumnPitch - 1, g.RowHeight);
        const bool selected = code == current && keyboard;
        const bool enabled = FONT_IsCharEnabled(pFont, uint16_t(code));
        painter.fillRect(interior, selected ? QColor(Qt::black) : enabled ? QColor(Qt::white) : kGray);
        drawGlyph(painter, code, interior, selected);
      }
      painter.fillRect(QRect(left, top, 1, g.RowPitch), Qt::black);
      if (column == GRID_COLUMNS - 1) painter.fillRect(QRect(left + g.ColumnPitch, top, 1, g.RowPitch), Qt::black);
    }
    painter.fillRect(QRect(gridLeft, top, gridRight - gridLeft + 1, 1), Qt::black);
  }
}
