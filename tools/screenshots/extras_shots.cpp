// Pictures of the window additions for the documentation: the text preview in
// both colour modes and with a display width, and the status bar's size figure, drawn on whatever platform
// the application runs on (offscreen in the build).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cstdio>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/font.h"
#include "shell/document.h"
#include "screenshots/shots.h"
#include "shell/flashsizelabel.h"
#include "shell/views/previewpane.h"

void SHOTS_Extras(const QString& dir) {
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  QDir().mkpath(dir);

  Document document;
  document.install(SHOTS_DejaVuFont(FONTTYPE_EXT_AA4, 16), "");
  if (!document.font()) {
    std::fprintf(stderr, "DejaVu Sans is not installed: no pictures\n");
    return;
  }
  struct Scene {
    const char* pName;
    const char* pText;
    bool Dark;
    int Zoom, DisplayWidth, Height;
  };
  const Scene scenes[] = {
      {"preview-dark-on-light.png", "Grüße, Tavro!\n0123 € → あ", false, 3, 0, 300},
      {"preview-light-on-dark.png", "Grüße, Tavro!\n0123 € → あ", true, 3, 0, 300},
      // A 128-pixel display: the second line does not fit.
      {"preview-limit.png", "Set 21.5 °C\nTemperature: 21.5 °C\nFan: auto", false, 2, 128, 300},
  };
  for (const Scene& scene : scenes) {
    PreviewPane pane(&document);
    pane.setVisible(true);
    pane.textEdit()->setPlainText(QString::fromUtf8(scene.pText));
    pane.zoomBox()->setValue(scene.Zoom);
    pane.displayWidthBox()->setValue(scene.DisplayWidth);
    pane.lightOnDarkBox()->setChecked(scene.Dark);
    pane.resize(760, scene.Height);
    SHOTS_Save(&pane, dir + "/" + scene.pName);
  }

  // The status bar as the window shows it: the status text at the left, the
  // figure at the right end; first with most characters not rendered yet.
  QWidget frame;
  auto* layout = new QVBoxLayout(&frame);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QStatusBar(&frame);
  layout->addWidget(bar);
  bar->showMessage("Ready");
  auto* label = new FlashSizeLabel(&document, bar);
  bar->addPermanentWidget(label);
  frame.resize(760, bar->sizeHint().height());
  SHOTS_Save(&frame, dir + "/flashsize-estimated.png");
  FONT_RenderPending(document.font());
  label->refresh();
  SHOTS_Save(&frame, dir + "/flashsize.png");
}
