// The status bar's size figure: how many bytes the enabled characters take as C
// pixel arrays and as an XBF file, with "~" in front while some enabled characters
// are not rendered yet and their share is an estimate. Follows the document's
// change notices code by code; a slow timer picks up characters the views rendered
// meanwhile and a changed magnification.
#pragma once

#include <QLabel>
#include <QTimer>

#include "output/flashsize.h"
#include "settings/settings.h"

class Document;

class FlashSizeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FlashSizeLabel(Document* pDocument, QWidget* parent = nullptr);

  // The figures shown.
  const FlashSize& figures() const { return size_; }
  // Looks again at the characters not rendered before and at the settings (the
  // timer does so every second).
  void refresh();

 private:
  void rebuild();
  void changed(int first, int last);
  void show();

  Document* pDocument_;
  FlashSizeTally tally_;
  FlashSize size_;
  Settings settings_;  // loaded at a new font and at each refresh, not per notice
  QTimer timer_;
};
