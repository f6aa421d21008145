#include "shell/flashsizelabel.h"

#include <QLocale>

#include "model/font.h"
#include "settings/settings.h"
#include "shell/document.h"

namespace {

QString Bytes(uint64_t bytes) { return QLocale(QLocale::English).toString(static_cast<qulonglong>(bytes)); }

}  // namespace

FlashSizeLabel::FlashSizeLabel(Document* pDocument, QWidget* parent) : QLabel(parent), pDocument_(pDocument) {
  setObjectName("FlashSizeLabel");
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (pDocument_) {
    connect(pDocument_, &Document::fontInstalled, this, &FlashSizeLabel::rebuild);
    connect(pDocument_, &Document::fontChanged, this,
            [this](const ChangeNotice& notice) { changed(notice.First, notice.Last); });
    // Characters rendered for the first time replace their estimates.
    connect(pDocument_, &Document::charsRendered, this, &FlashSizeLabel::changed);
    connect(pDocument_, &Document::settingsChanged, this, &FlashSizeLabel::refresh);
  }
  rebuild();
}

void FlashSizeLabel::rebuild() {
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  if (!pFont) {
    tally_ = FlashSizeTally();
    size_ = FlashSize();
    show();
    return;
  }
  SETTINGS_Load(&settings_);
  OUT_RebuildFlashSize(&tally_, pFont, settings_);
  show();
}

void FlashSizeLabel::changed(int first, int last) {
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  if (!pFont) return;
  OUT_UpdateFlashSize(&tally_, pFont, settings_, first, last);
  show();
}

void FlashSizeLabel::refresh() {
  SETTINGS_Load(&settings_);
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  if (!pFont) return;
  OUT_UpdateFlashSize(&tally_, pFont, settings_, 1, 0);  // font-wide values and magnification
  OUT_UpdateFlashSizeUnknown(&tally_, pFont, settings_);
  show();
}

void FlashSizeLabel::show() {
  Font* pFont = pDocument_ ? pDocument_->font() : nullptr;
  if (!pFont) {
    clear();
    setToolTip(QString());
    return;
  }
  OUT_GetFlashSize(tally_, pFont, &size_);
  const QString approx = size_.NumUnknown ? QStringLiteral("~") : QString();
  QString text = tr("Pixel data %1%2 bytes").arg(approx, Bytes(size_.PixelBytes));
  text += tr("   C font %1%2 bytes").arg(approx, Bytes(size_.CBytes));
  if (size_.XbfPossible) text += tr("   XBF %1%2 bytes").arg(approx, Bytes(size_.XbfBytes));
  else text += tr("   XBF -");
  setText(text);

  QString tip = tr("%1 characters enabled").arg(size_.NumChars);
  if (size_.NumUnknown) tip += tr(", %1 not rendered yet: estimated from the others").arg(size_.NumUnknown);
  if (size_.NumChars) {
    const uint64_t perChar = size_.CharInfoBytes / size_.NumChars;
    tip += tr("\n\nC font on a 32-bit target: %1 bytes").arg(Bytes(size_.CBytes));
    tip += tr("\n  pixel arrays: %1").arg(Bytes(size_.PixelBytes));
    tip += tr("\n  character records: %1 x %2 = %3")
               .arg(Bytes(size_.NumChars), Bytes(perChar), Bytes(size_.CharInfoBytes));
    tip += tr("\n  range records: %1 x 12 = %2").arg(Bytes(size_.NumRanges), Bytes(size_.RangeBytes));
    tip += tr("\n  font record: %1").arg(size_.FontRecordBytes);
    if (size_.XbfPossible) {
      tip += tr("\n\nXBF file: %1 bytes. Its offset table has a 6-byte entry for every code from the first "
                "to the last, enabled or not: %2 codes, %3 bytes. The file grows with the span of codes.")
                 .arg(Bytes(size_.XbfBytes), Bytes(size_.XbfSpan), Bytes(size_.XbfIndexBytes));
    }
  }
  setToolTip(tip);
}
