#include "shell/views/previewpane.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "model/font.h"
#include "shell/document.h"
#include "shell/views/previewsettings.h"
#include "shell/dialogs/gotocode.h"

QColor PREVIEW_Background(bool lightOnDark) { return lightOnDark ? QColor(0x0B, 0x0E, 0x12) : QColor(0xC9, 0xD4, 0xB8); }
QColor PREVIEW_Ink(bool lightOnDark) { return lightOnDark ? QColor(0x9F, 0xE8, 0xFF) : QColor(0x1C, 0x24, 0x1A); }
QColor PREVIEW_Placeholder() { return QColor(0xE0, 0x40, 0x30); }
QColor PREVIEW_Limit() { return QColor(0xD0, 0x3C, 0xD0); }
QColor PREVIEW_Overflow() { return QColor(0xF0, 0x20, 0x20); }

QColor PREVIEW_Shade(bool lightOnDark, int value, int maxValue) {
  const QColor bg = PREVIEW_Background(lightOnDark), ink = PREVIEW_Ink(lightOnDark);
  if (maxValue <= 0 || value <= 0) return bg;
  if (value >= maxValue) return ink;
  auto mix = [&](int a, int b) { return a + (b - a) * value / maxValue; };
  return QColor(mix(bg.red(), ink.red()), mix(bg.green(), ink.green()), mix(bg.blue(), ink.blue()));
}

namespace {

// One character of the line: where its box goes relative to the line's origin
// (left end of the pen, top row of the font), or a placeholder.
struct Placed {
  int Code = -1;  // -1: placeholder
  int X = 0, Y = 0, Width = 0, Height = 0;
};

int PlaceholderWidth(const Font* pFont) { return std::max(4, (FONT_GetHeight(pFont) + 1) / 2); }

}  // namespace

PreviewLine PREVIEW_RenderLine(Font* pFont, const QString& text, bool lightOnDark) {
  PreviewLine line;
  if (!pFont || FONT_GetHeight(pFont) <= 0) return line;
  const int height = FONT_GetHeight(pFont);
  const bool extended = FONT_IsExtendedType(FONT_GetType(pFont));
  std::vector<Placed> placed;
  int pen = 0, left = 0, right = 0, top = 0, bottom = height;
  for (const char32_t unicode : text.toUcs4()) {
    const int code = GOTO_CodeOfUnicode(unicode, FONT_GetEncoding(pFont));
    const bool present = code >= 0 && code < FONT_GetNumBlocks(pFont) * 16 &&
                         FONT_IsCharEnabled(pFont, static_cast<uint16_t>(code));
    Placed p;
    if (!present) {
      ++line.Missing;
      p.X = pen;
      p.Width = PlaceholderWidth(pFont);
      p.Height = height;
      pen += p.Width;
    } else {
      const uint16_t c = static_cast<uint16_t>(code);
      if (!FONT_IsCharRendered(pFont, c)) FONT_RenderChar(pFont, c);
      const CharInfo& ci = pFont->aCharInfo[c];
      p.Code = code;
      p.Width = ci.BoxWidth;
      if (extended) {
        p.X = pen + ci.BoxLeft;
        p.Y = FONT_GetBaseline(pFont) - ci.BoxTop;
        p.Height = ci.BoxHeight;
        pen += ci.CursorDist;
      } else {
        p.X = pen;
        p.Height = height;
        pen += ci.BoxWidth;
      }
    }
    if (p.Width > 0 && p.Height > 0) {
      left = std::min(left, p.X);
      right = std::max(right, p.X + p.Width);
      top = std::min(top, p.Y);
      bottom = std::max(bottom, p.Y + p.Height);
    }
    placed.push_back(p);
  }
  right = std::max(right, pen);
  line.Origin = -left;
  line.Width = pen;
  // The screen is left transparent: whatever is drawn behind the line (the display's
  // edge) shows between the characters' pixels.
  QImage image(std::max(1, right - left), bottom - top, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const int maxValue = FONT_GetMaxPixelValue(pFont);
  const QRgb placeholder = PREVIEW_Placeholder().rgb();
  std::vector<QRgb> shades(static_cast<size_t>(maxValue) + 1);
  for (int v = 0; v <= maxValue; ++v) shades[static_cast<size_t>(v)] = PREVIEW_Shade(lightOnDark, v, maxValue).rgb();
  for (const Placed& p : placed) {
    const int x0 = p.X - left, y0 = p.Y - top;
    if (p.Code < 0) {
      // A frame one pixel inside the cell, so that neighbours stay apart.
      const int x1 = x0 + p.Width - 2, y1 = std::max(y0 + 1, y0 + p.Height - 2);
      const auto dot = [&](int x, int y) {
        if (image.rect().contains(x, y)) image.setPixel(x, y, placeholder);
      };
      for (int x = x0; x <= x1; ++x) dot(x, y0 + 1), dot(x, y1);
      for (int y = y0 + 1; y <= y1; ++y) dot(x0, y), dot(x1, y);
      continue;
    }
    for (int y = 0; y < p.Height; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y0 + y));
      for (int x = 0; x < p.Width; ++x) {
        const int value = FONT_GetPixel(pFont, static_cast<uint16_t>(p.Code), x, y);
        // Frame pixels are background in the files; ink of overlapping characters stays.
        if (value > 0) row[x0 + x] = shades[static_cast<size_t>(std::min(value, maxValue))];
      }
    }
  }
  line.Image = std::move(image);
  return line;
}

PreviewPane::PreviewPane(Document* pDocument, QWidget* parent) : QWidget(parent), pDocument_(pDocument) {
  setObjectName("PreviewPane");
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);

  text_ = new QPlainTextEdit(QString::fromStdString(options.Text), this);
  text_->setObjectName("previewText");
  text_->setPlaceholderText(tr("Sample text, one or more lines"));
  // A line of the field is a line on the display; Tab moves on, as in any field.
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setTabChangesFocus(true);
  // Some lines high, as high as the fields beside it.
  const int frame = 2 * (text_->frameWidth() + int(text_->document()->documentMargin()));
  text_->setMinimumHeight(2 * text_->fontMetrics().lineSpacing() + frame);
  text_->setMaximumHeight(4 * text_->fontMetrics().lineSpacing() + frame);
  zoom_ = new QSpinBox(this);
  zoom_->setObjectName("previewZoom");
  zoom_->setRange(1, 8);
  zoom_->setValue(options.Zoom);
  zoom_->setSuffix(tr(" x"));
  displayWidth_ = new QSpinBox(this);
  displayWidth_->setObjectName("previewDisplayWidth");
  displayWidth_->setRange(0, kPreviewMaxDisplayWidth);
  displayWidth_->setValue(options.DisplayWidth);
  displayWidth_->setSuffix(tr(" px"));
  displayWidth_->setSpecialValueText(tr("None"));
  displayWidth_->setToolTip(tr("The display's width: lines wider than this are marked"));
  dark_ = new QCheckBox(tr("Light on dark"), this);
  dark_->setObjectName("previewLightOnDark");
  dark_->setChecked(options.LightOnDark != 0);
  missing_ = new QLabel(this);
  missing_->setObjectName("previewMissing");

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("Zoom"), this), 0, 0);
  fields->addWidget(zoom_, 0, 1);
  fields->addWidget(new QLabel(tr("Display width"), this), 1, 0);
  fields->addWidget(displayWidth_, 1, 1);
  fields->addWidget(dark_, 2, 0);
  fields->addWidget(missing_, 2, 1);
  auto* controls = new QHBoxLayout;
  controls->addWidget(text_, 1);
  controls->addLayout(fields);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("previewScroll");
  canvas_ = new QWidget(scroll);
  canvas_->setObjectName("previewCanvas");
  canvas_->setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_->installEventFilter(this);
  scroll->setWidget(canvas_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(controls);
  layout->addWidget(scroll, 1);

  toggle_ = new QAction(tr("Text &preview"), this);
  toggle_->setObjectName("actionTextPreview");
  toggle_->setCheckable(true);
  toggle_->setChecked(options.Visible != 0);
  // Only ever hidden here: showing a pane that has no parent yet would open it as
  // a window of its own; shown, it appears with the window it is placed in.
  if (!options.Visible) hide();
  connect(toggle_, &QAction::toggled, this, &PreviewPane::setShown);

  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    rebuild();
    saveOptions();
  });
  for (QSpinBox* pBox : {zoom_, displayWidth_})
    connect(pBox, &QSpinBox::valueChanged, this, [this] {
      relayout();
      saveOptions();
    });
  connect(dark_, &QCheckBox::toggled, this, [this] {
    rebuild();
    saveOptions();
  });
  if (pDocument_) {
    connect(pDocument_, &Document::fontInstalled, this, &PreviewPane::rebuild);
    connect(pDocument_, &Document::fontChanged, this, &PreviewPane::rebuild);
  }
  rebuild();
}

// The text field may change while the base class destroys it, and would then
// report into a pane that no longer exists.
PreviewPane::~PreviewPane() { text_->disconnect(this); }

bool PreviewPane::shownInSettings() {
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);
  return options.Visible != 0;
}

QString PreviewPane::widthText(int index) const {
  const int width = line(index).Width;
  if (!tooWide(index)) return tr("%1 px").arg(width);
  return tr("%1 px, %2 px too wide").arg(width).arg(width - displayWidth_->value());
}

bool PreviewPane::tooWide(int index) const {
  return displayWidth_->value() > 0 && line(index).Width > displayWidth_->value();
}

QRect PreviewPane::lineRect(int index, bool zoomed) const {
  const PreviewLine& l = line(index);
  const int zoom = zoomed ? zoom_->value() : 1;
  return QRect(kMargin + (origin_ - l.Origin) * zoom, zoomed ? zoomedTops_[size_t(index)] : tops_[size_t(index)],
               l.Image.width() * zoom, l.Image.height() * zoom);
}

QPoint PreviewPane::penPosition(int index, bool zoomed) const {
  return {kMargin + origin_ * (zoomed ? zoom_->value() : 1), lineRect(index, zoomed).top()};
}

int PreviewPane::limitColumn(bool zoomed) const {
  const int limit = displayWidth_->value();
  return limit > 0 ? kMargin + (origin_ + limit) * (zoomed ? zoom_->value() : 1) : -1;
}

void PreviewPane::rebuild() {
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  lines_.clear();
  missingCount_ = 0;
  if (pFont) {
    for (const QString& text : text_->toPlainText().split(QLatin1Char('\n'))) {
      lines_.push_back(PREVIEW_RenderLine(pFont, text, dark_->isChecked()));
      missingCount_ += lines_.back().Missing;
    }
  }
  if (missingCount_ == 1) missing_->setText(tr("1 character missing"));
  else if (missingCount_ > 1) missing_->setText(tr("%1 characters missing").arg(missingCount_));
  else missing_->clear();
  // Every pen starts in the same column, right of what reaches furthest left.
  origin_ = 0;
  for (const PreviewLine& l : lines_) origin_ = std::max(origin_, l.Origin);
  blockWidth_ = 0;
  for (const PreviewLine& l : lines_) blockWidth_ = std::max(blockWidth_, origin_ - l.Origin + l.Image.width());
  relayout();
}

// The lines at device size one under the other, then magnified, each with its
// width to the right; a magnified row is at least as high as its text.
void PreviewPane::relayout() {
  const int zoom = zoom_->value(), textHeight = canvas_->fontMetrics().height();
  tops_.clear();
  zoomedTops_.clear();
  int y = kMargin;
  for (const PreviewLine& l : lines_) tops_.push_back(std::exchange(y, y + l.Image.height()));
  y += kMargin;
  int textWidth = 0;
  for (int i = 0; i < lineCount(); ++i) {
    zoomedTops_.push_back(std::exchange(y, y + std::max(line(i).Image.height() * zoom, textHeight)));
    textWidth = std::max(textWidth, canvas_->fontMetrics().horizontalAdvance(widthText(i)));
  }
  const int limit = displayWidth_->value();
  textColumn_ = kMargin + std::max(blockWidth_, limit > 0 ? origin_ + limit + 1 : 0) * zoom + kMargin;
  canvas_->setMinimumSize(textColumn_ + textWidth + kMargin, y + kMargin);
  canvas_->update();
}

bool PreviewPane::eventFilter(QObject* pWatched, QEvent* pEvent) {
  if (pWatched == canvas_ && pEvent->type() == QEvent::Paint) {
    paintCanvas();
    return true;
  }
  return QWidget::eventFilter(pWatched, pEvent);
}

void PreviewPane::paintCanvas() {
  QPainter painter(canvas_);
  const bool dark = dark_->isChecked();
  painter.fillRect(canvas_->rect(), PREVIEW_Background(dark));
  if (lines_.empty()) return;
  const int textHeight = canvas_->fontMetrics().height();
  for (bool zoomed : {false, true}) {
    // The display's edge, behind the lines: the first column the display lacks,
    // from a little above the first line to a little below the last.
    const int column = limitColumn(zoomed);
    if (column >= 0) {
      const int top = lineRect(0, zoomed).top() - 3;
      const QRect last = lineRect(lineCount() - 1, zoomed);
      const int bottom = last.top() + (zoomed ? std::max(last.height(), textHeight) : last.height()) + 3;
      painter.fillRect(QRect(column, top, 1, bottom - top), PREVIEW_Limit());
    }
    for (int i = 0; i < lineCount(); ++i) {
      const QRect rect = lineRect(i, zoomed);
      painter.drawImage(rect, line(i).Image);
      if (tooWide(i)) painter.fillRect(QRect(2, rect.top(), 3, rect.height()), PREVIEW_Overflow());
    }
  }
  for (int i = 0; i < lineCount(); ++i) {
    const QRect row(textColumn_, zoomedTops_[size_t(i)], canvas_->width() - textColumn_,
                    std::max(lineRect(i, true).height(), textHeight));
    painter.setPen(tooWide(i) ? PREVIEW_Overflow() : PREVIEW_Ink(dark));
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, widthText(i));
  }
}

void PreviewPane::saveOptions() {
  PreviewSettings options;
  options.Visible = toggle_->isChecked();
  options.Zoom = zoom_->value();
  options.LightOnDark = dark_->isChecked();
  options.DisplayWidth = displayWidth_->value();
  options.Text = text_->toPlainText().toStdString();
  PREVIEW_SaveSettings(options);
}

void PreviewPane::setShown(bool shown) {
  setVisible(shown);
  saveOptions();
}
