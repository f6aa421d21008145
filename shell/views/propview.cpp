// The properties panel: which lines appear for which font and character, and
// their layout (headings in the widget font, values in a 16-pixel fixed-pitch font).
#include "shell/views/propview.h"

#include <QFontDatabase>
#include <QPainter>
#include <cstring>

#include "model/codetables.h"
#include "model/font.h"
#include "settings/services.h"
#include "shell/document.h"

PropView::PropView(Document* pDocument, QWidget* pParent) : QFrame(pParent), pDocument_(pDocument) {
  setObjectName("VIEWPROP_Class");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  setAutoFillBackground(true);
  // Every change of the font or of the selection can change a line.
  const auto redraw = [this] { update(); };
  connect(pDocument_, &Document::fontInstalled, this, redraw);
  connect(pDocument_, &Document::fontChanged, this, redraw);
  connect(pDocument_, &Document::currentCharChanged, this, redraw);
  connect(pDocument_, &Document::redrawRequested, this, redraw);
}

QFont PropView::valueFont() const {
  // The nearest installed fixed-pitch face.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setWeight(QFont::Normal);
  font.setPixelSize(16);
  return font;
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

void PropView::paintEvent(QPaintEvent* pEvent) {
  QFrame::paintEvent(pEvent);
  // A generated font's current character gets its box when it is rendered.
  if (Font* pFont = pDocument_->font()) {
    const uint16_t code = FONT_GetCurrentChar(pFont);
    if (!FONT_IsCharRendered(pFont, code)) FONT_RenderChar(pFont, code);
  }
  const std::vector<Line> shown = lines();
  if (shown.empty()) return;
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.translate(contentsRect().topLeft());
  painter.setPen(Qt::black);
  const QFont headingFont = font();
  const QFont values = valueFont();
  const int headingHeight = QFontMetrics(headingFont).height();
  const int valueHeight = QFontMetrics(values).height();
  int y = 4;
  for (const Line& line : shown) {
    painter.setFont(line.Heading ? headingFont : values);
    const int h = line.Heading ? headingHeight : valueHeight;
    painter.drawText(QRect(10, y, 10000, h), Qt::AlignLeft | Qt::AlignTop, line.Text);
    y += h + line.ExtraSpace;
  }
}
