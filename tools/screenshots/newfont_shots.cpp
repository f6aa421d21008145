// Pictures of the New command's dialogs for the documentation.
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>

#include "screenshots/shots.h"
#include "generation/antialias.h"
#include "model/codetables.h"
#include "shell/dialogs/fontchooser.h"
#include "shell/dialogs/generationdialog.h"
#include "shell/dialogs/newfont.h"

namespace {

void Save(QWidget* pWidget, const QString& path) {
  pWidget->adjustSize();
  pWidget->show();
  pWidget->grab().save(path);
  pWidget->hide();
}

}  // namespace

void SHOTS_NewFontDialogs(const QString& dir) {
  QDir().mkpath(dir);
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  GenerationDialog options(nullptr, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  Save(&options, QDir(dir).filePath("generation-dialog.png"));

  // A 16-pixel regular font of the default family, as after a first New.
  LogFontRecord record;
  record.Weight = 400;
  FontChooser chooser(nullptr, record, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS, 16);
  chooser.pixelsButton()->click();
  chooser.updateSample();
  Save(&chooser, QDir(dir).filePath("font-chooser.png"));
}
