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

void SHOTS_Editor(const QString& dir) {
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  QDir().mkpath(dir);
  Document document;
  document.install(SHOTS_DejaVuFont(FONTTYPE_EXT_AA4, 24), "");
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
    SHOTS_Save(&view, dir + "/editor-zoom-guides.png");
    view.setZoom(CHARVIEW_ZOOM_FIT);  // the choices are kept in the settings file
    view.setGuides(false);
  }
  {
    CharView view(&document);
    document.setCurrentChar('a');
    document.setKeyboardTarget(0);
    view.setBrush(9);
    view.resize(420, 340);
    SHOTS_Save(&view, dir + "/palette.png");
  }
}
