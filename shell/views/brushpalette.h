// The brush palette beside the pixel editor of an antialiased font: one swatch per
// pixel index in that index's display colour, the index the mouse paints with
// framed. A click on a swatch chooses its index. Fonts without grey levels show no
// palette (count() is 0).
#pragma once

#include <QWidget>

class BrushPalette : public QWidget {
  Q_OBJECT

 public:
  explicit BrushPalette(QWidget* pParent = nullptr);

  // The font type whose indexes are shown; -1 for no font.
  void setType(int type);
  // The index framed as the brush.
  void setBrush(int index);
  int brush() const { return brush_; }
  // Swatches shown: 4 or 16 for the antialiased types, else 0.
  int count() const { return count_; }
  // The width the palette needs at a height (0 when it shows nothing).
  int widthFor(int height) const;
  // The swatch of an index, in the palette's coordinates.
  QRect swatchRect(int index) const;

 signals:
  void brushChosen(int index);

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void mousePressEvent(QMouseEvent* pEvent) override;
  bool event(QEvent* pEvent) override;

 private:
  int rowsFor(int height) const;
  int indexAt(const QPoint& pos) const;

  int type_ = -1;
  int count_ = 0;
  int brush_ = 0;
};
