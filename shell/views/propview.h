// The properties panel: the current font's metrics and the current character's
// code, name, box and advance, read at paint time.
#pragma once

#include <QFrame>
#include <QString>
#include <vector>

class Document;

class PropView : public QFrame {
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
  // The fixed-pitch font of the values.
  QFont valueFont() const;

 protected:
  void paintEvent(QPaintEvent* pEvent) override;

 private:
  Document* pDocument_;
};
