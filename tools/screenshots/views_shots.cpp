// The documentation pictures of the views: a stand-in for the main window's panes
// (font view above, character and properties views below, 3-pixel bars between
// them, a status line) filled by the real views on fonts generated from installed
// faces.
#include "screenshots/shots.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QWidget>
#include <cstdio>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/current.h"
#include "settings/services.h"
#include "shell/document.h"
#include "shell/views/charview.h"
#include "shell/views/fontview.h"
#include "shell/views/propview.h"

namespace {

// Shows the views' status text in the stand-in's status line; everything else
// goes on to the services installed before.
class ShotServices : public PlatformServices {
 public:
  ShotServices(PlatformServices* pNext, QLabel* pStatus) : pNext_(pNext), pStatus_(pStatus) {}
  void MessageBox(const char* text) override { pNext_->MessageBox(text); }
  bool AskYesNo(const char* text) override { return pNext_->AskYesNo(text); }
  int AskXbfType(int type) override { return pNext_->AskXbfType(type); }
  void SetStatusText(const char* text) override { pStatus_->setText(QString::fromLatin1(text)); }
  void SetWaitCursor(bool on) override { pNext_->SetWaitCursor(on); }
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}

 private:
  PlatformServices* pNext_;
  QLabel* pStatus_;
};

FontPtr Generate(const char* pFace, int height, int32_t type, int32_t encoding) {
  if (!GENERATE_IsFaceInstalled(pFace)) {
    std::fprintf(stderr, "views shots: face %s is not installed; picture left out\n", pFace);
    return nullptr;
  }
  LogFontRecord record{};
  record.Height = -height;
  record.Weight = 400;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);
  return FONT_CreateFromLogFont(&record, type, encoding, AAMETHOD_OS);
}

}  // namespace

void SHOTS_Views(const QString& dir) {
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  QDir().mkpath(dir);

  QWidget window;
  window.setObjectName("ViewsStandIn");
  window.setFixedSize(800, 640);
  QPalette pal = window.palette();
  pal.setColor(QPalette::Window, QColor(212, 208, 200));
  window.setPalette(pal);
  window.setAutoFillBackground(true);
  Document document;
  FontView fontView(&document, &window);
  CharView charView(&document, &window);
  PropView propView(&document, &window);
  QLabel status(&window);
  status.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // The panes as the splitter lays them out: the font view over the upper half,
  // the character and properties views side by side below, 3-pixel bars between.
  const int statusHeight = 22;
  const int w = window.width(), h = window.height() - statusHeight;
  fontView.setGeometry(0, 0, w, h / 2 - 3);
  charView.setGeometry(0, h / 2, w / 2 - 2, h - h / 2);
  propView.setGeometry(w / 2 + 1, h / 2, w - w / 2 - 1, h - h / 2);
  status.setGeometry(0, h, w, statusHeight);

  PlatformServices* pBefore = SERVICES_Get();
  ShotServices services(pBefore, &status);
  SERVICES_Install(&services);
  window.show();

  const auto shoot = [&](FontPtr pFont, int keyboardTarget, int code, QPoint cursor, const char* pName) {
    if (!pFont) return;
    document.install(std::move(pFont), "");
    document.setKeyboardTarget(keyboardTarget);
    fontView.goToCode(code);
    charView.setPixelCursor(cursor.x(), cursor.y());
    // Lay the scroll bars out, then paint twice: the first paint renders the
    // visible characters and sets the status text the second one shows.
    QApplication::processEvents();
    window.grab();
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(QString::fromLatin1(pName));
    if (!window.grab().save(path)) std::fprintf(stderr, "views shots: cannot write %s\n", qPrintable(path));
  };
  shoot(Generate("DejaVu Sans Mono", 16, FONTTYPE_AA4, ENCODING_UC16), 0, 0x00E9, {0, 0}, "views-aa4-unicode.png");
  shoot(Generate("DejaVu Sans", 20, FONTTYPE_EXT_FRM, ENCODING_UC16), 1, 'g', {3, 5}, "views-ext-frm.png");
  shoot(Generate("IPAGothic", 16, FONTTYPE_STD, ENCODING_JIS), 0, 0x82A0, {0, 0}, "views-jis.png");

  SERVICES_Install(pBefore == &services ? nullptr : pBefore);
  FONT_SetCurrent(nullptr);
}
