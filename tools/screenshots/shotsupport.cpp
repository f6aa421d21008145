// What several scenes share: the DejaVu Sans font they show, and writing a widget's
// picture with a line saying whether it worked.
#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "generation/generate.h"
#include "screenshots/shots.h"

FontPtr SHOTS_DejaVuFont(int type, int height) {
  LogFontRecord record{};
  record.Height = height;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", "DejaVu Sans");
  return FONT_CreateFromLogFont(&record, type, ENCODING_UC16, AAMETHOD_OS);
}

bool SHOTS_Save(QWidget* pWidget, const QString& path) {
  pWidget->show();
  QApplication::processEvents();
  const bool ok = pWidget->grab().save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}
