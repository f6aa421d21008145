// The picture of Go to block: the window after Cyrillic was chosen, with the list of
// the font's blocks drawn over it as the dialog showed it.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstdio>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/current.h"
#include "model/font.h"
#include "screenshots/shots.h"
#include "shell/dialogs/gotoblock.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "shell/views/fontview.h"

void SHOTS_GoToBlock(const QString& dir) {
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  QDir().mkpath(dir);
  LogFontRecord record{};
  record.Height = 16;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", "DejaVu Sans");
  FontPtr pFont = FONT_CreateFromLogFont(&record, FONTTYPE_EXT, ENCODING_UC16, AAMETHOD_OS);
  if (!pFont) {
    std::fprintf(stderr, "DejaVu Sans is not installed: no goto-block.png\n");
    return;
  }
  {
    Document document;
    MainWindow window(&document);
    QtServices services(&window, &document);
    document.install(std::move(pFont), "");
    window.setCaptionFile("Untitled");
    window.show();
    QApplication::processEvents();
    window.resize(800, 640);
    QApplication::processEvents();

    GoToBlockDialog dialog(document.font(), 0x0410, &window);  // Cyrillic selected
    dialog.show();
    QApplication::processEvents();
    const BlockEntry block = dialog.blocks()[size_t(dialog.chosen())];
    auto* pView = static_cast<FontView*>(window.fontView());
    pView->goToBlock(int(block.First >> 4), block.FirstEnabled);
    pView->horizontalScrollBar()->setValue(0);  // the code labels in the picture
    QApplication::processEvents();

    QImage shot = window.grab().toImage();
    const QImage list = dialog.grab().toImage();
    QPainter painter(&shot);
    const QRect place(shot.width() - list.width() - 24, 70, list.width(), list.height());
    painter.drawImage(place.topLeft(), list);
    painter.setPen(QColor(80, 80, 80));
    painter.drawRect(place.adjusted(-1, -1, 0, 0));
    painter.end();
    const QString path = dir + "/goto-block.png";
    const bool ok = shot.save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    dialog.hide();
  }
  FONT_SetCurrent(nullptr);
}
