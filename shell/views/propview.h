// The properties panel: the current font's metrics and the current character's
// code, name, box and advance, read at paint time. A pane lower than its lines
// gets a vertical scroll bar.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <vector>

class Document;

class PropView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  struct Line {
    QString Text;
    bool Heading = false;
    int ExtraSpace = 0;  // pixels added below the line
  };

  explicit PropView(Document* pDocument, QWidget* pParent = nullptr);

  // The lines the view shows for the current font and character, in order.
  std::vector<Line> lines() const;
  // The fixed-pitch font of the values; its lines are 16 pixels high.
  QFont valueFont() const { return valueFont_; }
  // Pixels from the top margin to the bottom of the last line.
  int contentHeight() const;

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void updateScrollBar();
  int lineHeight(const Line& line) const;

  Document* pDocument_;
  QFont valueFont_;
};
