#include "shell/views/previewpane.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "model/font.h"
#include "shell/document.h"
#include "shell/views/previewsettings.h"
#include "shell/dialogs/gotocode.h"

QColor PREVIEW_Background(bool lightOnDark) { return lightOnDark ? QColor(0x0B, 0x0E, 0x12) : QColor(0xC9, 0xD4, 0xB8); }
QColor PREVIEW_Ink(bool lightOnDark) { return lightOnDark ? QColor(0x9F, 0xE8, 0xFF) : QColor(0x1C, 0x24, 0x1A); }
QColor PREVIEW_Placeholder() { return QColor(0xE0, 0x40, 0x30); }

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

QImage PREVIEW_RenderLine(Font* pFont, const QString& text, bool lightOnDark, int* pMissing) {
  *pMissing = 0;
  if (!pFont || FONT_GetHeight(pFont) <= 0) return QImage();
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
      ++*pMissing;
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
  QImage image(std::max(1, right - left), bottom - top, QImage::Format_RGB32);
  image.fill(PREVIEW_Background(lightOnDark));
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
  return image;
}

namespace {

class PreviewCanvas : public QWidget {
 public:
  PreviewCanvas(PreviewPane* pane, QWidget* parent) : QWidget(parent), pane_(pane) {
    setObjectName("previewCanvas");
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QSize sizeHint() const override {
    const QImage& line = pane_->line();
    const int zoom = pane_->zoomBox()->value();
    return {2 * PreviewPane::kMargin + line.width() * zoom, 3 * PreviewPane::kMargin + line.height() * (1 + zoom)};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const bool dark = pane_->lightOnDarkBox()->isChecked();
    painter.fillRect(rect(), PREVIEW_Background(dark));
    const QImage& line = pane_->line();
    if (line.isNull()) return;
    const int zoom = pane_->zoomBox()->value();
    painter.drawImage(pane_->devicePosition(), line);
    painter.drawImage(QRect(pane_->zoomedPosition(), line.size() * zoom), line);
  }

 private:
  PreviewPane* pane_;
};

}  // namespace

PreviewPane::PreviewPane(Document* pDocument, QWidget* parent) : QWidget(parent), pDocument_(pDocument) {
  setObjectName("PreviewPane");
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);

  text_ = new QLineEdit(QString::fromStdString(options.Text), this);
  text_->setObjectName("previewText");
  text_->setPlaceholderText(tr("Sample text"));
  zoom_ = new QSpinBox(this);
  zoom_->setObjectName("previewZoom");
  zoom_->setRange(1, 8);
  zoom_->setValue(options.Zoom);
  zoom_->setSuffix(tr(" x"));
  dark_ = new QCheckBox(tr("Light on dark"), this);
  dark_->setObjectName("previewLightOnDark");
  dark_->setChecked(options.LightOnDark != 0);
  missing_ = new QLabel(this);
  missing_->setObjectName("previewMissing");

  auto* controls = new QHBoxLayout;
  controls->addWidget(text_, 1);
  controls->addWidget(new QLabel(tr("Zoom"), this));
  controls->addWidget(zoom_);
  controls->addWidget(dark_);
  controls->addWidget(missing_);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("previewScroll");
  canvas_ = new PreviewCanvas(this, scroll);
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

  connect(text_, &QLineEdit::textChanged, this, &PreviewPane::rebuild);
  connect(text_, &QLineEdit::editingFinished, this, &PreviewPane::saveOptions);
  connect(zoom_, &QSpinBox::valueChanged, this, [this] {
    canvas_->setMinimumSize(canvas_->sizeHint());
    canvas_->update();
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

// The text field loses the focus while the base class destroys it, and would then
// finish its editing into a pane that no longer exists.
PreviewPane::~PreviewPane() { text_->disconnect(this); }

bool PreviewPane::shownInSettings() {
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);
  return options.Visible != 0;
}

void PreviewPane::rebuild() {
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  line_ = PREVIEW_RenderLine(pFont, text_->text(), dark_->isChecked(), &missingCount_);
  if (!pFont) missing_->clear();
  else if (missingCount_ == 1) missing_->setText(tr("1 character missing"));
  else if (missingCount_ > 1) missing_->setText(tr("%1 characters missing").arg(missingCount_));
  else missing_->clear();
  canvas_->setMinimumSize(canvas_->sizeHint());
  canvas_->update();
}

void PreviewPane::saveOptions() {
  PreviewSettings options;
  options.Visible = toggle_->isChecked();
  options.Zoom = zoom_->value();
  options.LightOnDark = dark_->isChecked();
  options.Text = text_->text().toStdString();
  PREVIEW_SaveSettings(options);
}

void PreviewPane::setShown(bool shown) {
  setVisible(shown);
  saveOptions();
}
