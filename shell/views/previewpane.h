// The text preview: a line of text drawn with the current font's own bitmaps,
// advances and boxes, once at device size (one screen pixel per font pixel) and
// once magnified, in the colours of a monochrome display (dark ink on a light
// screen) or of an OLED display (light ink on a dark screen). Characters the font
// lacks or has disabled are drawn as a placeholder frame and counted. Only the
// characters of the text are rendered, when they are needed; every change of the
// font redraws the line at once.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class Document;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
struct Font;

// The colours of the two screen kinds, and a pixel value's shade between them.
QColor PREVIEW_Background(bool lightOnDark);
QColor PREVIEW_Ink(bool lightOnDark);
QColor PREVIEW_Shade(bool lightOnDark, int value, int maxValue);
// The placeholder frame of a missing character (the same on both screens).
QColor PREVIEW_Placeholder();

// Draws text with the font at device size. Renders the characters that need it;
// *pMissing receives the number of characters shown as placeholders. The line's
// top row is the font's top row, or higher when a character reaches above it.
QImage PREVIEW_RenderLine(Font* pFont, const QString& text, bool lightOnDark, int* pMissing);

class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  // Takes its options (text, zoom, colours, visibility) from the settings file.
  explicit PreviewPane(Document* pDocument, QWidget* parent = nullptr);
  ~PreviewPane() override;

  // A checkable action that shows and hides the pane and remembers the choice;
  // the window puts it into its View menu.
  QAction* toggleAction() const { return toggle_; }
  // Whether the settings say the pane is shown (the window applies it at start).
  static bool shownInSettings();

  QLineEdit* textEdit() const { return text_; }
  QSpinBox* zoomBox() const { return zoom_; }
  QCheckBox* lightOnDarkBox() const { return dark_; }
  QLabel* missingLabel() const { return missing_; }
  // The widget the two lines are painted on.
  QWidget* canvas() const { return canvas_; }
  // The line at device size, as last drawn, and the number of placeholders in it.
  const QImage& line() const { return line_; }
  int missingCount() const { return missingCount_; }
  // Where the two lines lie on the canvas.
  static constexpr int kMargin = 8;
  QPoint devicePosition() const { return {kMargin, kMargin}; }
  QPoint zoomedPosition() const { return {kMargin, 2 * kMargin + line_.height()}; }

 private:
  void rebuild();
  void saveOptions();
  void setShown(bool shown);

  Document* pDocument_;
  QLineEdit* text_;
  QSpinBox* zoom_;
  QCheckBox* dark_;
  QLabel* missing_;
  QWidget* canvas_;
  QAction* toggle_;
  QImage line_;
  int missingCount_ = 0;
};
