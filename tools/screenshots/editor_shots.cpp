// Pictures of the pixel editor's additions: the character view zoomed with its
// guides, and the brush palette of a 4-bit font.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/font.h"
#include "screenshots/shots.h"
#include "shell/document.h"
#include "shell/views/charview.h"
#include "shell/views/internal/charviewprefs.h"

namespace {

FontPtr EditorFont(int type, int height) {
  LogFontRecord record{};
  record.Height = height;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", "DejaVu Sans");
  return FONT_CreateFromLogFont(&record, type, ENCODING_UC16, AAMETHOD_OS);
}

bool Save(QWidget* pWidget, const QString& path) {
  pWidget->show();
  QApplication::processEvents();
  const bool ok = pWidget->grab().save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

}  // namespace

void SHOTS_Editor(const QString& dir) {
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  QDir().mkpath(dir);
  Document document;
  document.install(EditorFont(FONTTYPE_EXT_AA4, 24), "");
  if (!document.font()) {
    std::fprintf(stderr, "DejaVu Sans is not installed: no pictures\n");
    return;
  }
  {
    // The descender of g below the baseline, its box, the advance and the heights.
    CharView view(&document);
    document.setCurrentChar('g');
    document.setKeyboardTarget(1);
    view.setPixelCursor(3, 5);
    view.setZoom(16);
    view.setGuides(true);
    view.resize(520, 420);
    Save(&view, dir + "/editor-zoom-guides.png");
    view.setZoom(CHARVIEW_ZOOM_FIT);  // the choices are kept in the settings file
    view.setGuides(false);
  }
  {
    CharView view(&document);
    document.setCurrentChar('a');
    document.setKeyboardTarget(0);
    view.setBrush(9);
    view.resize(420, 340);
    Save(&view, dir + "/palette.png");
  }
}
