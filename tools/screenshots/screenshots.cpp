// Writes screenshots of the program's windows as PNG files, on Qt's offscreen
// platform unless a platform is chosen (QT_QPA_PLATFORM or -platform).
//   morvane_screenshots [output folder, default docs] [name ...]
// Each shot is one function that builds its window and returns it; add a dialog by
// adding a function and a row to kShots.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "cmdline/cmdline.h"
#include "screenshots/shots.h"
#include "generation/antialias.h"
#include "model/codetables.h"
#include "model/current.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/newfont.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "shell/toolbaricons.h"
#include "shell/views/fontview.h"

namespace {

// What every shot may use: the document and the main window with a font in it.
struct Scene {
  Document document;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<QtServices> pServices;
  std::unique_ptr<QLabel> pLabel;  // a picture shown on its own; gone before the application
};

// A 16-pixel font of the program's main job, made as the command line makes it.
void CreateSampleFont() {
  CMDLINE_Init("Morvane.err", ID_FILE_EXIT, nullptr);
  CMDLINE_Execute("createDejaVu Sans,REGULAR,16,EXT,UC16", CMDLINE_aCommands);
  CMDLINE_SetActive(false);
}

// The window at its default size, whatever the size of the offscreen screen (the
// window fits itself to a smaller one when it is first shown).
void ShowAtDefaultSize(MainWindow* pWindow) {
  pWindow->show();
  QTest::qWait(20);
  pWindow->resize(800, 640);
  QTest::qWait(20);
}

QWidget* MainWindowShot(Scene& scene) {
  scene.pWindow->adoptCurrentFont();
  scene.pWindow->setCaptionFile("Untitled");
  ShowAtDefaultSize(scene.pWindow.get());
  return scene.pWindow.get();
}

// The properties pane of the extended sample font in the window of the default size.
QWidget* PropertiesShot(Scene& scene) {
  scene.pWindow->adoptCurrentFont();
  ShowAtDefaultSize(scene.pWindow.get());
  static_cast<FontView*>(scene.pWindow->fontView())->goToCode('g');
  return scene.pWindow->propView();
}

// The 25 toolbar images and Undo and Redo in six rows, each at 1x and at 2x, every device pixel
// drawn 4 x 4 (1x) or 2 x 2 (2x) so the images can be judged.
QWidget* ToolbarImagesShot(Scene& scene) {
  const int count = SHELL_NUM_IMAGES;
  QImage sheet(5 * 140 + 8, (count + 4) / 5 * 70 + 8, QImage::Format_ARGB32);
  sheet.fill(QColor(240, 240, 240));
  QPainter p(&sheet);
  for (int i = 0; i < count; ++i) {
    const int x = 4 + (i % 5) * 140, y = 4 + (i / 5) * 70;
    p.drawImage(QRect(x, y, 64, 60), SHELL_DrawToolbarImage(i, 1).toImage());
    p.drawImage(QRect(x + 68, y, 64, 60), SHELL_DrawToolbarImage(i, 2).toImage());
  }
  p.end();
  scene.pLabel = std::make_unique<QLabel>();
  scene.pLabel->setPixmap(QPixmap::fromImage(sheet));
  scene.pLabel->resize(sheet.size());
  return scene.pLabel.get();
}

struct Shot {
  const char* pName;  // file name without .png
  std::function<QWidget*(Scene&)> make;
};

const Shot kShots[] = {
    {"main-window", MainWindowShot},
    {"toolbar-images", ToolbarImagesShot},
    {"properties-extended", PropertiesShot},
};

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The pictures show the default options and window layout, not the user's.
  QTemporaryDir config;
  if (config.isValid()) setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  const QString outDir = args.value(0, "docs");
  QDir().mkpath(outDir);
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  CreateSampleFont();

  Scene scene;
  scene.pWindow = std::make_unique<MainWindow>(&scene.document);
  scene.pServices = std::make_unique<QtServices>(scene.pWindow.get(), &scene.document);
  int failures = 0;
  for (const Shot& shot : kShots) {
    if (args.size() > 1 && !args.mid(1).contains(shot.pName)) continue;
    QWidget* pWidget = shot.make(scene);
    pWidget->show();
    if (!QTest::qWaitForWindowExposed(pWidget)) ++failures;
    QTest::qWait(100);
    const QString path = outDir + "/" + shot.pName + ".png";
    if (!pWidget->grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ++failures;
    } else {
      std::printf("%s\n", qPrintable(path));
    }
  }
  scene.pLabel.reset();
  scene.pServices.reset();
  scene.pWindow.reset();
  FONT_SetCurrent(nullptr);
  // The views, the dialogs and the additions write their own pictures.
  if (args.size() <= 1) {
    SHOTS_Views(outDir);
    SHOTS_NewFontDialogs(outDir);
    SHOTS_Dialogs(outDir);
    SHOTS_Extras(outDir);
    SHOTS_GoToBlock(outDir);
    SHOTS_Editor(outDir);
  }
  // The last scene's font goes while FreeType is still there, not among the exit's
  // destructors after it.
  FONT_SetCurrent(nullptr);
  return failures ? 1 : 0;
}
