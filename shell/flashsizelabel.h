// The status bar's size figures: how many bytes the enabled characters take as C
// pixel arrays, as the whole C font on a 32-bit target and as an XBF file, with "~"
// in front while some enabled characters are not rendered yet and their share is an
// estimate. The tooltip breaks the C figure down and explains the XBF index. Follows the document's
// notices code by code: changes, characters rendered for the first time, and saved
// options (the magnification).
#pragma once

#include <QLabel>

#include "output/flashsize.h"
#include "settings/settings.h"

class Document;

class FlashSizeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FlashSizeLabel(Document* pDocument, QWidget* parent = nullptr);

  // The figures shown.
  const FlashSize& figures() const { return size_; }
  // Reads the options again and recounts the font-wide values and the characters
  // not rendered before.
  void refresh();

 private:
  void rebuild();
  void changed(int first, int last);
  void show();

  Document* pDocument_;
  FlashSizeTally tally_;
  FlashSize size_;
  Settings settings_;  // loaded at a new font and when the options are saved, not per notice
};
