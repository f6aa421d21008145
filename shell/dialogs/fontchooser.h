// The font chooser of a new font: family, style and size (in pixels or points)
// of an installed face, the script for 8-bit fonts, and a sample of the bitmap
// the generator makes of that choice.
#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "generation/facelist.h"
#include "model/font.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class QTimer;

// The em height in pixels a point size stands for on a 96-dot-per-inch screen,
// negative as the logical-font record expects it (-16 for 12 points).
int32_t CHOOSER_PointsToHeight(double points);
// The point size of a record height (either sign), to one decimal.
double CHOOSER_HeightToPoints(int32_t height);
// The sample as an image: each pixel value in the colour the views show it with.
QImage CHOOSER_SampleImage(const FontSample& sample);

// Shows a sample image unscaled, centred, on white.
class SampleView : public QWidget {
  Q_OBJECT

 public:
  explicit SampleView(QWidget* parent = nullptr);
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }
  // Where the image's top-left pixel lies in the widget.
  QPoint imageOrigin() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

class FontChooser : public QDialog {
  Q_OBJECT

 public:
  // Starts from the preset record (face, weight, italic, character set, height);
  // currentHeight is the current font's height, 0 without a current font. The
  // type, encoding and method decide what is listed and how the sample is made.
  FontChooser(QWidget* parent, const LogFontRecord& preset, int32_t type, int32_t encoding,
              int32_t method, int32_t currentHeight);

  // The record the choice gives: face, weight, italic, character set and the
  // height by the unit and type rules (valid after OK; the current choice before).
  LogFontRecord logFont() const;
  // The pixel height typed (the first 10 characters of the size field); 0 when
  // points are chosen.
  int32_t pixelHeight() const;
  bool pointMode() const;

  // The sample of the current choice, brought up to date at once.
  void updateSample();
  const FontSample& sample() const { return sample_; }

  QLineEdit* faceEdit() const { return faceEdit_; }
  QListWidget* faceList() const { return faceList_; }
  QListWidget* styleList() const { return styleList_; }
  QLineEdit* pixelEdit() const { return pixelEdit_; }
  QLineEdit* pointEdit() const { return pointEdit_; }
  QListWidget* pointList() const { return pointList_; }
  QRadioButton* pixelsButton() const { return pixelsButton_; }
  QRadioButton* pointsButton() const { return pointsButton_; }
  QComboBox* scriptCombo() const { return scriptCombo_; }
  QLabel* scriptLabel() const { return scriptLabel_; }
  SampleView* sampleView() const { return sampleView_; }

  void accept() override;
  // The whole family name chosen; the record holds at most its first 31 characters.
  QString familyName() const { return selectedFace(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fillStyles();
  void fillScripts();
  void onFaceTyped(const QString& text);
  void setPointMode(bool points);
  void scheduleSample();
  QString selectedFace() const;
  int32_t chosenHeight() const;

  int32_t type_, encoding_, method_;
  LogFontRecord preset_;
  std::vector<FaceFamily> families_;
  std::vector<FaceStyle> styles_;
  std::vector<FaceScript> scripts_;
  FontSample sample_;
  bool sampleValid_ = false;

  QLineEdit* faceEdit_ = nullptr;
  QListWidget* faceList_ = nullptr;
  QListWidget* styleList_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  QStackedWidget* sizeStack_ = nullptr;
  QLineEdit* pixelEdit_ = nullptr;
  QLineEdit* pointEdit_ = nullptr;
  QListWidget* pointList_ = nullptr;
  QRadioButton* pixelsButton_ = nullptr;
  QRadioButton* pointsButton_ = nullptr;
  QLabel* scriptLabel_ = nullptr;
  QComboBox* scriptCombo_ = nullptr;
  SampleView* sampleView_ = nullptr;
  QLabel* sampleInfo_ = nullptr;
  QTimer* sampleTimer_ = nullptr;
  bool syncing_ = false;
};
