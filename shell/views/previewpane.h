// The text preview: lines of text drawn with the current font's own bitmaps,
// advances and boxes, once at device size (one screen pixel per font pixel) and
// once magnified, in the colours of a monochrome display (dark ink on a light
// screen) or of an OLED display (light ink on a dark screen). Each line's width on
// the display is shown beside it; given the display's width, the pane draws its
// right edge as a line and marks the lines that do not fit, saying by how many
// pixels. Characters the font lacks or has disabled are drawn as a placeholder
// frame and counted. Only the characters of the text are rendered, when they are
// needed; every change of the font redraws the lines at once.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <vector>

class Document;
class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
struct Font;

// The colours of the two screen kinds, and a pixel value's shade between them.
QColor PREVIEW_Background(bool lightOnDark);
QColor PREVIEW_Ink(bool lightOnDark);
QColor PREVIEW_Shade(bool lightOnDark, int value, int maxValue);
// The placeholder frame of a missing character (the same on both screens).
QColor PREVIEW_Placeholder();
// The display's right edge, and the mark and width of a line beyond it.
QColor PREVIEW_Limit();
QColor PREVIEW_Overflow();

// One line of text at device size.
struct PreviewLine {
  QImage Image;     // the line's pixels; its top row is the font's top row, or higher
                    // when a character reaches above it
  int Origin = 0;   // the column of Image where the pen starts
  int Width = 0;    // the pixels the line takes on the display: the sum of its advances
                    // (a placeholder advances by its frame's width)
  int Missing = 0;  // characters shown as placeholders
};

// Draws a line of text with the font; renders the characters that need it.
PreviewLine PREVIEW_RenderLine(Font* pFont, const QString& text, bool lightOnDark);

class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  // Takes its options (text, zoom, display width, colours, visibility) from the
  // settings file, and writes them back there at every change.
  explicit PreviewPane(Document* pDocument, QWidget* parent = nullptr);
  ~PreviewPane() override;

  // A checkable action that shows and hides the pane and remembers the choice;
  // the window puts it into its View menu.
  QAction* toggleAction() const { return toggle_; }
  // Whether the settings say the pane is shown (the window applies it at start).
  static bool shownInSettings();

  QPlainTextEdit* textEdit() const { return text_; }
  QSpinBox* zoomBox() const { return zoom_; }
  QSpinBox* displayWidthBox() const { return displayWidth_; }
  QCheckBox* lightOnDarkBox() const { return dark_; }
  QLabel* missingLabel() const { return missing_; }
  // The widget the lines are painted on.
  QWidget* canvas() const { return canvas_; }

  // The lines as last drawn, the text beside each ("97 px", "140 px, 12 px too
  // wide") and whether it is wider than the display.
  int lineCount() const { return int(lines_.size()); }
  const PreviewLine& line(int index) const { return lines_[size_t(index)]; }
  QString widthText(int index) const;
  bool tooWide(int index) const;
  int missingCount() const { return missingCount_; }

  // Where things lie on the canvas, at device size or magnified: the rectangle of
  // a line's image, the point where its pen starts (on the image's top row), and
  // the column of the display's edge (-1 without a display width).
  static constexpr int kMargin = 8;
  QRect lineRect(int index, bool zoomed) const;
  QPoint penPosition(int index, bool zoomed) const;
  int limitColumn(bool zoomed) const;

 protected:
  // Paints the canvas.
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

 private:
  void rebuild();
  void relayout();
  void paintCanvas();
  void saveOptions();
  void setShown(bool shown);

  Document* pDocument_;
  QPlainTextEdit* text_;
  QSpinBox* zoom_;
  QSpinBox* displayWidth_;
  QCheckBox* dark_;
  QLabel* missing_;
  QWidget* canvas_;
  QAction* toggle_;
  std::vector<PreviewLine> lines_;
  std::vector<int> tops_;        // each line's top row at device size, from the first line's
  std::vector<int> zoomedTops_;  // the same magnified: a row holds its width text too
  int origin_ = 0;                 // the column where every pen starts, from the left margin
  int blockWidth_ = 0;             // the lines' extent at device size
  int textColumn_ = 0;             // where the width texts start on the canvas
  int missingCount_ = 0;
};
