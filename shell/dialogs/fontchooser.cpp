#include "shell/dialogs/fontchooser.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstring>

#include "generation/antialias.h"
#include "generation/params.h"
#include "settings/settings.h"

namespace {

constexpr double kDotsPerInch = 96.0;
const int kPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QString PointText(double points) { return QString::number(points, 'g', 4); }

// An empty pixel field stands for the point size's em height: its placeholder
// says how many pixels that is ("16 px" for 12 points).
QString PixelPlaceholder(const QString& pointText) {
  bool valid = false;
  const double points = pointText.trimmed().toDouble(&valid);
  return QString("%1 px").arg(-CHOOSER_PointsToHeight(valid && points > 0 ? points : 12.0));
}

}  // namespace

int32_t CHOOSER_PointsToHeight(double points) {
  return -int32_t(std::lround(points * kDotsPerInch / 72.0));
}

double CHOOSER_HeightToPoints(int32_t height) {
  return std::round(std::abs(height) * 72.0 / kDotsPerInch * 10.0) / 10.0;
}

QImage CHOOSER_SampleImage(const FontSample& sample) {
  QImage image(std::max(sample.Width, 1), std::max(sample.Height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < sample.Height; y++) {
    auto* pLine = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < sample.Width; x++) {
      const AAColor c = AA_ValueToColor(sample.Type, sample.Pixels[size_t(y) * size_t(sample.Width) + size_t(x)]);
      pLine[x] = qRgb(int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255));
    }
  }
  return image;
}

SampleView::SampleView(QWidget* parent) : QWidget(parent) {
  setObjectName("sample");
  setAutoFillBackground(false);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SampleView::setImage(const QImage& image) {
  image_ = image;
  update();
}

QPoint SampleView::imageOrigin() const {
  // Centred; an image wider or taller than the view shows its left or top part.
  return QPoint(std::max(0, (width() - image_.width()) / 2), std::max(0, (height() - image_.height()) / 2));
}

QSize SampleView::sizeHint() const { return QSize(fontMetrics().height() * 16, fontMetrics().height() * 5); }

QSize SampleView::minimumSizeHint() const { return QSize(fontMetrics().height() * 8, fontMetrics().height() * 4); }

void SampleView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!image_.isNull()) painter.drawImage(imageOrigin(), image_);
}

FontChooser::FontChooser(QWidget* parent, const LogFontRecord& preset, int32_t type, int32_t encoding,
                         int32_t method, int32_t currentHeight)
    : QDialog(parent), type_(type), encoding_(encoding), method_(method), preset_(preset) {
  setObjectName("FontChooser");
  setWindowTitle("Font");

  auto* faceLabel = new QLabel("&Font:", this);
  faceEdit_ = new QLineEdit(this);
  faceEdit_->setObjectName("faceEdit");
  faceList_ = new QListWidget(this);
  faceList_->setObjectName("faceList");
  faceLabel->setBuddy(faceEdit_);

  auto* styleLabel = new QLabel("Font st&yle:", this);
  styleList_ = new QListWidget(this);
  styleList_->setObjectName("styleList");
  styleLabel->setBuddy(styleList_);

  sizeLabel_ = new QLabel("&Size:", this);
  sizeStack_ = new QStackedWidget(this);
  pixelEdit_ = new QLineEdit(sizeStack_);
  pixelEdit_->setObjectName("pixelEdit");
  pointEdit_ = new QLineEdit(sizeStack_);
  pointEdit_->setObjectName("pointEdit");
  sizeStack_->addWidget(pixelEdit_);
  sizeStack_->addWidget(pointEdit_);
  sizeStack_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  pointList_ = new QListWidget(this);
  pointList_->setObjectName("pointList");
  for (int points : kPointSizes) pointList_->addItem(QString::number(points));
  QSizePolicy keepPlace = pointList_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  pointList_->setSizePolicy(keepPlace);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  auto* unitBox = new QGroupBox("Unit of Size", this);
  unitBox->setObjectName("unitBox");
  pixelsButton_ = new QRadioButton("P&ixels", unitBox);
  pixelsButton_->setObjectName("pixels");
  pointsButton_ = new QRadioButton("P&oints", unitBox);
  pointsButton_->setObjectName("points");
  auto* unitLayout = new QVBoxLayout(unitBox);
  unitLayout->addWidget(pixelsButton_);
  unitLayout->addWidget(pointsButton_);

  auto* sampleBox = new QGroupBox("Sample", this);
  sampleView_ = new SampleView(sampleBox);
  sampleView_->setAccessibleName("Sample");
  sampleInfo_ = new QLabel(sampleBox);
  sampleInfo_->setObjectName("sampleInfo");
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sampleLayout->addWidget(sampleView_);
  sampleLayout->addWidget(sampleInfo_);
  scriptLabel_ = new QLabel("Sc&ript:", this);
  scriptCombo_ = new QComboBox(this);
  scriptCombo_->setObjectName("scriptCombo");
  scriptLabel_->setBuddy(scriptCombo_);

  // Family, style and size side by side, each label above its field and list;
  // OK, Cancel and the unit group on the right; the sample and the script below.
  auto* grid = new QGridLayout(this);
  grid->addWidget(faceLabel, 0, 0);
  grid->addWidget(styleLabel, 0, 1);
  grid->addWidget(sizeLabel_, 0, 2);
  grid->addWidget(faceEdit_, 1, 0);
  grid->addWidget(new QWidget(this), 1, 1);
  grid->addWidget(sizeStack_, 1, 2);
  grid->addWidget(faceList_, 2, 0);
  grid->addWidget(styleList_, 1, 1, 2, 1);
  grid->addWidget(pointList_, 2, 2);
  grid->setRowStretch(2, 3);
  grid->setRowStretch(3, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(2, 1);
  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->addWidget(ok);
  buttonColumn->addWidget(cancel);
  buttonColumn->addWidget(unitBox);
  buttonColumn->addStretch();
  grid->addLayout(buttonColumn, 1, 3, 2, 1);
  grid->addWidget(sampleBox, 3, 0, 1, 3);
  auto* scriptRow = new QHBoxLayout;
  scriptRow->addWidget(scriptLabel_);
  scriptRow->addWidget(scriptCombo_, 1);
  grid->addLayout(scriptRow, 4, 0, 1, 3);
  const int lineHeight = fontMetrics().height();
  faceList_->setMinimumSize(lineHeight * 11, lineHeight * 8);
  styleList_->setMinimumWidth(lineHeight * 7);
  pointList_->setMinimumWidth(lineHeight * 4);

  sampleTimer_ = new QTimer(this);
  sampleTimer_->setSingleShot(true);
  sampleTimer_->setInterval(0);
  connect(sampleTimer_, &QTimer::timeout, this, &FontChooser::updateSample);

  // Families as the create command finds them; only outline fonts for the
  // extended types.
  for (FaceFamily& family : ENGINE_ListFamilies())
    if (family.Outline || !FONT_IsExtendedType(type_)) families_.push_back(std::move(family));
  for (const FaceFamily& family : families_) faceList_->addItem(QString::fromStdString(family.Name));
  QString face = QString::fromUtf8(preset_.acFaceName);
  QList<QListWidgetItem*> found = faceList_->findItems(face, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (found.isEmpty()) {
    face = QString::fromStdString(ENGINE_GetDefaultFamily(families_));
    found = faceList_->findItems(face, Qt::MatchExactly | Qt::MatchCaseSensitive);
  }
  if (!found.isEmpty()) {
    faceList_->setCurrentItem(found.first());
    faceEdit_->setText(face);
  }
  fillStyles();
  fillScripts();

  // Size: the pixel field holds the current font's height; the point field the
  // preset's size (12 points without one).
  pointEdit_->setText(PointText(preset_.Height ? CHOOSER_HeightToPoints(preset_.Height) : 12.0));
  if (currentHeight > 0) pixelEdit_->setText(QString::number(currentHeight));
  pixelEdit_->setPlaceholderText(PixelPlaceholder(pointEdit_->text()));

  // Only an 8-bit font has a script to choose.
  const bool iso = encoding_ == ENCODING_ISO8859;
  scriptLabel_->setVisible(iso);
  scriptCombo_->setVisible(iso);

  Settings settings;
  SETTINGS_Load(&settings);
  setPointMode(settings.PointMode != 0);
  pointsButton_->setChecked(settings.PointMode != 0);
  pixelsButton_->setChecked(settings.PointMode == 0);

  connect(faceEdit_, &QLineEdit::textEdited, this, &FontChooser::onFaceTyped);
  connect(faceList_, &QListWidget::currentTextChanged, this, [this, ok](const QString& text) {
    ok->setEnabled(!text.isEmpty());
    if (!syncing_) {
      syncing_ = true;
      faceEdit_->setText(text);
      syncing_ = false;
    }
    fillStyles();
    fillScripts();
    scheduleSample();
  });
  connect(styleList_, &QListWidget::currentRowChanged, this, &FontChooser::scheduleSample);
  connect(scriptCombo_, &QComboBox::currentIndexChanged, this, &FontChooser::scheduleSample);
  connect(pixelEdit_, &QLineEdit::textChanged, this, &FontChooser::scheduleSample);
  connect(pointEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    pixelEdit_->setPlaceholderText(PixelPlaceholder(text));
    const QList<QListWidgetItem*> items = pointList_->findItems(text.trimmed(), Qt::MatchExactly);
    syncing_ = true;
    pointList_->setCurrentItem(items.isEmpty() ? nullptr : items.first());
    syncing_ = false;
    scheduleSample();
  });
  connect(pointList_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
    if (!syncing_ && !text.isEmpty()) pointEdit_->setText(text);
  });
  connect(pointsButton_, &QRadioButton::toggled, this, [this](bool points) { setPointMode(points); });
  connect(ok, &QPushButton::clicked, this, &FontChooser::accept);
  connect(cancel, &QPushButton::clicked, this, &FontChooser::reject);
  ok->setEnabled(faceList_->currentItem() != nullptr);

  // The size field has the focus, all selected, when there is a current font;
  // otherwise the family field.
  if (currentHeight > 0 && settings.PointMode == 0) {
    pixelEdit_->selectAll();
    pixelEdit_->setFocus();
  } else {
    faceEdit_->selectAll();
    faceEdit_->setFocus();
  }
  const QList<QListWidgetItem*> points = pointList_->findItems(pointEdit_->text(), Qt::MatchExactly);
  if (!points.isEmpty()) pointList_->setCurrentItem(points.first());
  updateSample();
}

void FontChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The chosen entries in sight once the lists have their size.
  if (faceList_->currentItem()) faceList_->scrollToItem(faceList_->currentItem(), QAbstractItemView::PositionAtCenter);
  if (pointList_->currentItem()) pointList_->scrollToItem(pointList_->currentItem());
}

void FontChooser::fillStyles() {
  const QString previous = styleList_->currentItem() ? styleList_->currentItem()->text() : QString();
  const int32_t weight = styles_.empty() || styleList_->currentRow() < 0 ? preset_.Weight
                                                                          : styles_[size_t(styleList_->currentRow())].Weight;
  const int32_t italic = styles_.empty() || styleList_->currentRow() < 0 ? preset_.Italic
                                                                          : styles_[size_t(styleList_->currentRow())].Italic;
  styles_ = ENGINE_ListStyles(selectedFace().toUtf8().constData());
  const QSignalBlocker block(styleList_);
  styleList_->clear();
  for (const FaceStyle& style : styles_) styleList_->addItem(QString::fromStdString(style.Name));
  // The same style name again, else the nearest weight and slant.
  QList<QListWidgetItem*> same = styleList_->findItems(previous, Qt::MatchExactly);
  if (!previous.isEmpty() && !same.isEmpty())
    styleList_->setCurrentItem(same.first());
  else
    styleList_->setCurrentRow(ENGINE_FindStyle(styles_, weight, italic));
}

void FontChooser::fillScripts() {
  if (encoding_ != ENCODING_ISO8859) return;
  const int32_t charSet = scriptCombo_->currentIndex() >= 0 ? scriptCombo_->currentData().toInt() : preset_.CharSet;
  scripts_ = ENGINE_ListScripts(selectedFace().toUtf8().constData());
  const QSignalBlocker block(scriptCombo_);
  scriptCombo_->clear();
  int selected = 0;
  for (size_t i = 0; i < scripts_.size(); i++) {
    scriptCombo_->addItem(scripts_[i].pName, scripts_[i].CharSet);
    if (scripts_[i].CharSet == charSet) selected = int(i);
  }
  scriptCombo_->setCurrentIndex(selected);
}

void FontChooser::onFaceTyped(const QString& text) {
  if (syncing_ || text.isEmpty()) return;
  // The exact name, else the first family that starts with the text.
  QList<QListWidgetItem*> items = faceList_->findItems(text, Qt::MatchExactly);
  if (items.isEmpty()) items = faceList_->findItems(text, Qt::MatchStartsWith);
  if (items.isEmpty()) return;
  syncing_ = true;
  faceList_->setCurrentItem(items.first());
  faceList_->scrollToItem(items.first(), QAbstractItemView::PositionAtTop);
  syncing_ = false;
}

void FontChooser::setPointMode(bool points) {
  sizeStack_->setCurrentWidget(points ? pointEdit_ : pixelEdit_);
  sizeLabel_->setBuddy(points ? pointEdit_ : pixelEdit_);
  pointList_->setVisible(points);
  scheduleSample();
}

void FontChooser::scheduleSample() { sampleTimer_->start(); }

QString FontChooser::selectedFace() const {
  return faceList_->currentItem() ? faceList_->currentItem()->text() : QString();
}

bool FontChooser::pointMode() const { return pointsButton_->isChecked(); }

int32_t FontChooser::pixelHeight() const {
  if (pointMode()) return 0;
  return GENERATE_ParsePixelHeight(pixelEdit_->text().left(10).toLatin1().constData());
}

int32_t FontChooser::chosenHeight() const {
  const int32_t pixels = pixelHeight();
  if (pixels) return pixels;
  bool valid = false;
  const double points = pointEdit_->text().trimmed().toDouble(&valid);
  return CHOOSER_PointsToHeight(valid && points > 0 ? points : 12.0);
}

LogFontRecord FontChooser::logFont() const {
  LogFontRecord record = preset_;
  const QByteArray face = selectedFace().toUtf8();
  std::memset(record.acFaceName, 0, sizeof record.acFaceName);
  std::strncpy(record.acFaceName, face.constData(), sizeof record.acFaceName - 1);
  const int row = styleList_->currentRow();
  if (row >= 0 && size_t(row) < styles_.size()) {
    record.Weight = styles_[size_t(row)].Weight;
    record.Italic = uint8_t(styles_[size_t(row)].Italic);
  } else if (record.Weight == 0) {
    record.Weight = 400;
  }
  record.CharSet = encoding_ == ENCODING_ISO8859 && scriptCombo_->currentIndex() >= 0
                       ? uint8_t(scriptCombo_->currentData().toInt())
                       : uint8_t(1);  // the default character set
  record.Height = GENERATE_GetRecordHeight(type_, chosenHeight());
  return record;
}

void FontChooser::updateSample() {
  sampleTimer_->stop();
  sample_ = FontSample{};
  sampleValid_ = false;
  const LogFontRecord record = logFont();
  // The generator draws on a 1024-pixel surface; the sample stays far below it.
  if (record.acFaceName[0] && std::abs(record.Height) <= 512)
    sampleValid_ = GENERATE_RenderSample(&record, type_, encoding_, GENERATE_GetEffectiveAAMethod(type_, method_), &sample_) == 0;
  sampleView_->setImage(sampleValid_ ? CHOOSER_SampleImage(sample_) : QImage());
  sampleView_->setAccessibleDescription(sampleValid_ ? QString::fromUtf8(record.acFaceName) : QString());
  if (sampleValid_)
    sampleInfo_->setText(QString("Font height: %1 pixels").arg(sample_.FontHeight));
  else
    sampleInfo_->setText(record.acFaceName[0] ? "No font can be made from this face at this size" : "");
}

void FontChooser::accept() {
  if (!faceList_->currentItem()) return;
  Settings settings;
  SETTINGS_Load(&settings);
  settings.PointMode = pointMode() ? 1 : 0;
  SETTINGS_Save(&settings);
  QDialog::accept();
}
