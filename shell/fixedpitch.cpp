#include "shell/fixedpitch.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace {

bool IsFixedPitchFamily(const QString& family) {
  if (family.isEmpty() || !QFontDatabase::isFixedPitch(family) || !QFontDatabase::isSmoothlyScalable(family))
    return false;
  // The family must be the one the toolkit draws with, not an alias of another.
  const QFontInfo info{QFont(family)};
  return info.fixedPitch() && info.family() == family;
}

// The desktop's monospace face, else the first fixed-pitch face of a short list of
// common ones, else any installed one; found once per run.
QString FixedPitchFamily() {
  static const QString family = [] {
    QStringList candidates = {QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), "DejaVu Sans Mono",
                              "Liberation Mono", "Courier New", "Nimbus Mono PS", "FreeMono"};
    candidates += QFontDatabase::families();
    for (const QString& candidate : candidates)
      if (IsFixedPitchFamily(candidate)) return candidate;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  }();
  return family;
}

}  // namespace

QFont SHELL_FixedPitchFont() {
  QFont font(FixedPitchFamily());
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setWeight(QFont::Normal);
  return font;
}

QFont SHELL_FixedPitchFontForLine(int lineHeight) {
  QFont font = SHELL_FixedPitchFont();
  int size = lineHeight;
  font.setPixelSize(size);
  while (size > 1 && QFontMetrics(font).height() > lineHeight) font.setPixelSize(--size);
  return font;
}
