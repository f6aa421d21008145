// The properties panel: which lines appear for which font and character, and
// their layout (headings in the widget font, values in a fixed-pitch font whose
// lines are 16 pixels high), scrolled when the pane is lower than the lines.
#include "shell/views/propview.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "model/codetables.h"
#include "model/font.h"
#include "settings/services.h"
#include "shell/document.h"
#include "shell/fixedpitch.h"

namespace {

constexpr int kValueLineHeight = 16;
constexpr int kTopMargin = 4;

}  // namespace

PropView::PropView(Document* pDocument, QWidget* pParent)
    : QAbstractScrollArea(pParent), pDocument_(pDocument), valueFont_(SHELL_FixedPitchFontForLine(kValueLineHeight)) {
  setObjectName("VIEWPROP_Class");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  // A read-only panel: the keyboard stays with the view that holds it.
  setFocusPolicy(Qt::NoFocus);
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::WindowText, Qt::black);
  viewport()->setPalette(pal);
  viewport()->setAutoFillBackground(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(kValueLineHeight);
  // Every change of the font or of the selection can change a line.
  const auto redraw = [this] {
    updateScrollBar();
    viewport()->update();
  };
  connect(pDocument_, &Document::fontInstalled, this, redraw);
  connect(pDocument_, &Document::fontChanged, this, redraw);
  connect(pDocument_, &Document::currentCharChanged, this, redraw);
  connect(pDocument_, &Document::redrawRequested, this, redraw);
}

std::vector<PropView::Line> PropView::lines() const {
  std::vector<Line> out;
  const Font* pFont = pDocument_->font();
  if (!pFont) return out;
  const auto add = [&out](const QString& text, bool heading = false) { out.push_back(Line{text, heading, 0}); };
  const bool extended = FONT_IsExtendedType(FONT_GetType(pFont));
  add(QStringLiteral("Font Information"), true);
  char face[FONT_FACENAME_SIZE + 1] = {};
  FONT_GetFaceName(pFont, face, sizeof face);
  const QString faceLine = QStringLiteral("Font:         ") + QString::fromLocal8Bit(face);
  if (faceLine.size() <= 200) add(faceLine);
  add(QString::asprintf("Height:       %i", FONT_GetHeight(pFont)));
  add(QString::asprintf("Max Width:    %i", FONT_GetMaxWidth(pFont)));
  if (extended) add(QString::asprintf("Baseline:     %i", FONT_GetBaseline(pFont)));
  out.back().ExtraSpace = 5;
  const int code = pDocument_->currentChar();
  const uint16_t c = uint16_t(code);
  if (!FONT_IsCharEnabled(pFont, c)) return out;
  const CharInfo& info = pFont->aCharInfo[c];
  add(QStringLiteral("Character Information"), true);
  add(QString::asprintf("Code:         %i (0x%04X)", code, code));
  if (FONT_Has16BitCodes(pFont)) {
    // A Shift_JIS code is named by the Unicode character it stands for.
    const uint16_t unicode = FONT_GetEncoding(pFont) == ENCODING_JIS ? SJIS_ToUnicode(c) : c;
    const char* pName = unicode || !c ? UNICODE_GetCharName(unicode) : nullptr;
    add(QString::asprintf("Character:    %s", pName ? pName : "-"));
  }
  add(QString::asprintf("Width:        %i", info.BoxWidth));
  add(QStringLiteral("Disabled:     ") + (FONT_IsCharEnabled(pFont, c) ? "No" : "Yes"));
  if (extended) {
    add(QString::asprintf("Height:       %i", info.BoxHeight));
    add(QString::asprintf("X-Position:   %i", info.BoxLeft));
    add(QString::asprintf("Y-Position:   %i", FONT_GetBaseline(pFont) - info.BoxTop));
    add(QString::asprintf("Cursor dist:  %i", info.CursorDist));
  }
  return out;
}

int PropView::lineHeight(const Line& line) const {
  return line.Heading ? QFontMetrics(font()).height() : kValueLineHeight;
}

int PropView::contentHeight() const {
  const std::vector<Line> shown = lines();
  if (shown.empty()) return 0;
  int y = kTopMargin;
  for (const Line& line : shown) y += lineHeight(line) + line.ExtraSpace;
  return y;
}

void PropView::updateScrollBar() {
  QScrollBar* pBar = verticalScrollBar();
  const int page = viewport()->height();
  pBar->setPageStep(std::max(page, 1));
  pBar->setRange(0, std::max(contentHeight() - page, 0));
}

void PropView::resizeEvent(QResizeEvent* pEvent) {
  QAbstractScrollArea::resizeEvent(pEvent);
  updateScrollBar();
}

void PropView::scrollContentsBy(int, int) { viewport()->update(); }

void PropView::paintEvent(QPaintEvent*) {
  // A generated font's current character gets its box when it is rendered.
  if (Font* pFont = pDocument_->font()) {
    const uint16_t code = FONT_GetCurrentChar(pFont);
    if (!FONT_IsCharRendered(pFont, code)) FONT_RenderChar(pFont, code);
  }
  const std::vector<Line> shown = lines();
  if (shown.empty()) return;
  QPainter painter(viewport());
  painter.setPen(Qt::black);
  const QFont headingFont = font();
  const QFontMetrics headingMetrics(headingFont), valueMetrics(valueFont_);
  int y = kTopMargin - verticalScrollBar()->value();
  for (const Line& line : shown) {
    painter.setFont(line.Heading ? headingFont : valueFont_);
    // Each line from its baseline: a value line is exactly 16 pixels high.
    const QFontMetrics& metrics = line.Heading ? headingMetrics : valueMetrics;
    painter.drawText(QPoint(10, y + metrics.ascent()), line.Text);
    y += lineHeight(line) + line.ExtraSpace;
  }
}
