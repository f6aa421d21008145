// The main window driven as a user drives it: menus opened, items hovered, keys
// typed, files dropped, file dialogs filled in, splitter bars dragged, the window
// resized. Everything runs on Qt's offscreen platform.
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <thread>

#include "generation/workers.h"
#include "output/save.h"
#include "shell/startup.h"
#include "support/fontfixture.h"
#include "windowtest.h"

namespace {

// A small font of the given type: 'A' and 'B' enabled, 'A' with a diagonal.
FontPtr SmallFont(int32_t type, int height = 8) {
  FontPtr pFont = NewFont(type, ENCODING_UC16, height);
  std::snprintf(pFont->LogFont.acFaceName, sizeof pFont->LogFont.acFaceName, "Tiny");
  AddChar(pFont.get(), 'A', 5, height, [](int x, int y) { return x == y; }, 0, 0, 6);
  AddChar(pFont.get(), 'B', 5, height, [](int, int) { return 0; }, 0, 0, 6);
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

// Writes a font file the way the program saves it.
void WriteFontFile(const std::string& path, int32_t type, int format) {
  FontPtr pFont = SmallFont(type);
  FONT_SetFileName(pFont.get(), path.c_str());
  ASSERT_EQ(OUT_Save(pFont.get(), format, 0), 0);
  bool exists = false;
  ReadFile(path, &exists);
  ASSERT_TRUE(exists) << path;
}

QLineEdit* NameEdit(QWidget* pDialog) { return pDialog->findChild<QLineEdit*>("fileNameEdit"); }
QComboBox* TypeCombo(QWidget* pDialog) { return pDialog->findChild<QComboBox*>("fileTypeCombo"); }

// Picks a file type in a file dialog with the keyboard, as a user does.
void PickFileType(QWidget* pDialog, int index) {
  QComboBox* pCombo = TypeCombo(pDialog);
  ASSERT_NE(pCombo, nullptr);
  while (pCombo->currentIndex() < index) QTest::keyClick(pCombo, Qt::Key_Down);
  while (pCombo->currentIndex() > index) QTest::keyClick(pCombo, Qt::Key_Up);
}

class MainWindowTest : public WindowFixture {
 protected:
  // The menu holding the item of the command; Open() opens it as a user does, so
  // its state rules run.
  QMenu* MenuOf(int id) { return qobject_cast<QMenu*>(pWindow->menuAction(id)->parent()); }
  void Open(QMenu* pMenu) {
    pMenu->popup(pWindow->mapToGlobal(QPoint(10, 10)));
    QTest::qWait(10);
  }
};

// The item is checked while every character shows, the button while only the
// enabled ones do: a click on the button flips both, the item flips them back.
TEST_F(MainWindowTest, AllCharactersItemAndButtonFlipTogether) {
  doc.install(SmallFont(FONTTYPE_STD), "");
  QAction* pButton = pWindow->toolbarAction(760);
  QAction* pItem = pWindow->menuAction(760);
  auto checks = [&] {
    Open(MenuOf(760));
    MenuOf(760)->hide();
    return std::pair(pItem->isChecked(), pButton->isChecked());
  };
  EXPECT_EQ(checks(), std::pair(true, false));
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pButton), Qt::LeftButton);
  EXPECT_EQ(doc.showAllCharacters(), 0);
  EXPECT_EQ(checks(), std::pair(false, true));
  EXPECT_EQ(doc.currentChar(), 'A');
  pItem->trigger();
  EXPECT_EQ(checks(), std::pair(true, false));
}

TEST_F(MainWindowTest, HoveredMenuItemShowsItsHelpTextThenReady) {
  EXPECT_EQ(pWindow->statusText(), "Ready");
  doc.install(SmallFont(FONTTYPE_STD), "");
  // Highlighted with the arrow keys; Options items have no help text: Ready.
  const auto hover = [&](int id) {
    Open(MenuOf(id));
    for (int i = 0; i < 12 && MenuOf(id)->activeAction() != pWindow->menuAction(id); ++i)
      QTest::keyClick(MenuOf(id), Qt::Key_Down);
    EXPECT_EQ(MenuOf(id)->activeAction(), pWindow->menuAction(id));
    return pWindow->statusText();
  };
  EXPECT_EQ(hover(522), "Save the font data to a different file");
  QTest::keyClick(MenuOf(522), Qt::Key_Up);
  EXPECT_EQ(pWindow->statusText(), "Save the font data");
  MenuOf(522)->hide();
  QTest::qWait(10);
  EXPECT_EQ(pWindow->statusText(), "Ready");
  EXPECT_EQ(hover(781), "Ready");
  MenuOf(781)->hide();
}

TEST_F(MainWindowTest, StatusTextIsCutTo79Characters) {
  const std::string longText(100, 'x');
  pServices->SetStatusText(longText.c_str());
  EXPECT_EQ(pWindow->statusText().size(), 79);
  pServices->SetStatusText(nullptr);
  EXPECT_EQ(pWindow->statusText(), "");
}

TEST_F(MainWindowTest, CaptionAfterLoadingAFile) {
  TempDir dir;
  const std::string path = dir.file("Arial16.c");
  WriteFontFile(path, FONTTYPE_EXT, OUT_FORMAT_C);
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c");
  OnNextModal([&](QWidget* pModal) {
    auto* pDialog = qobject_cast<QFileDialog*>(pModal);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->windowTitle(), "Select 'C' file");
    EXPECT_EQ(pDialog->nameFilters(), QStringList({"'C'-files (*.c)", "All files (*.*)"}));
    NameEdit(pDialog)->setText(QString::fromStdString(path));
    QTest::keyClick(NameEdit(pDialog), Qt::Key_Return);
  });
  pWindow->runCommand(523);
  ASSERT_NE(doc.font(), nullptr);
  EXPECT_EQ(FONT_GetType(doc.font()), FONTTYPE_EXT);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 3, 3), 1);
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c - Arial16");
  EXPECT_TRUE(pWindow->toolbarAction(600)->isEnabled());
}

TEST_F(MainWindowTest, DroppedFontXbfLoadsAndDroppedBdfIsRefused) {
  TempDir dir;
  const std::string xbf = dir.file("FONT.XBF");
  WriteFontFile(xbf, FONTTYPE_EXT_AA2, OUT_FORMAT_XBF);
  auto drop = [&](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path)), QUrl::fromLocalFile("/nonexistent/other.c")});
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWindow.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWindow.get(), &move);
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWindow.get(), &event);
  };
  drop(xbf);
  ASSERT_TRUE(QTest::qWaitFor([&] { return doc.font() != nullptr; }));
  EXPECT_EQ(FONT_GetType(doc.font()), FONTTYPE_EXT_AA2);
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c - FONT");
  const Font* pLoaded = doc.font();

  const std::string bdf = dir.file("font.bdf");
  WriteFile(bdf, "STARTFONT 2.1\n");
  QString shown;
  OnNextModal([&](QWidget* pModal) {
    auto* pBox = qobject_cast<QMessageBox*>(pModal);
    ASSERT_NE(pBox, nullptr);
    shown = pBox->text();
    EXPECT_EQ(pBox->windowTitle(), "Font Converter for Tavro");
    EXPECT_EQ(pBox->icon(), QMessageBox::Warning);
    pBox->accept();
  });
  drop(bdf);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }));
  EXPECT_EQ(shown, "File extension must be 'XBF' or 'C'");
  EXPECT_EQ(doc.font(), pLoaded);
}

TEST_F(MainWindowTest, SaveWithoutPathAsksLikeSaveAs) {
  TempDir dir;
  doc.install(SmallFont(FONTTYPE_EXT), "");
  QString proposed;
  OnNextModal([&](QWidget* pModal) {
    auto* pDialog = qobject_cast<QFileDialog*>(pModal);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->windowTitle(), "Save font as");
    EXPECT_EQ(pDialog->nameFilters().size(), 3);
    proposed = NameEdit(pDialog)->text();
    NameEdit(pDialog)->setText(QString::fromStdString(dir.file("tiny.c")));
    QTest::keyClick(NameEdit(pDialog), Qt::Key_Return);
  });
  QTest::keyClick(pWindow.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(proposed, "Tiny8.c");
  bool exists = false;
  const std::string first = ReadFile(dir.file("tiny.c"), &exists);
  ASSERT_TRUE(exists);
  EXPECT_NE(first.find("GUI_FONT"), std::string::npos);
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c - tiny");
  EXPECT_EQ(pWindow->saveFormat(), 0);
}

TEST_F(MainWindowTest, SaveDialogRenamesOnFilterChangeAndKeepsTheFilterPosition) {
  doc.install(SmallFont(FONTTYPE_EXT), "");
  QStringList seen;
  OnNextModal([&](QWidget* pModal) {
    QLineEdit* pName = NameEdit(pModal);
    pName->setText("Arial16.sif");
    PickFileType(pModal, 1);
    PickFileType(pModal, 0);
    seen << pName->text();
    pName->setText("my.font.sif");
    PickFileType(pModal, 2);
    seen << pName->text();
    PickFileType(pModal, 1);
    seen << pName->text();
    static_cast<QDialog*>(pModal)->reject();
  });
  pWindow->runCommand(522);
  EXPECT_EQ(seen, QStringList({"Arial16.c", "my.xbf", "my.sif"}));
  EXPECT_EQ(FILEDLG_GetFilterPos(), 1);  // cancelled: nothing chosen

  // "All files" in a load dialog makes the next save dialog open on its second filter.
  TempDir dir;
  WriteFontFile(dir.file("x.c"), FONTTYPE_EXT, OUT_FORMAT_C);
  OnNextModal([&](QWidget* pModal) {
    PickFileType(pModal, 1);
    NameEdit(pModal)->setText(QString::fromStdString(dir.file("x.c")));
    static_cast<QDialog*>(pModal)->accept();
  });
  pWindow->runCommand(525);  // merge: same font type and height
  EXPECT_EQ(FILEDLG_GetFilterPos(), 2);
  QString preselected, field;
  OnNextModal([&](QWidget* pModal) {
    preselected = static_cast<QFileDialog*>(pModal)->selectedNameFilter();
    field = NameEdit(pModal)->text();
    static_cast<QDialog*>(pModal)->reject();
  });
  pWindow->runCommand(522);
  EXPECT_EQ(preselected, "System independent font (*.sif)");
  EXPECT_EQ(field, "Tiny8.sif");
}

TEST_F(MainWindowTest, Aa4SaveListHasNoXbf) {
  doc.install(SmallFont(FONTTYPE_AA4), "");
  QStringList filters;
  OnNextModal([&](QWidget* pModal) {
    filters = static_cast<QFileDialog*>(pModal)->nameFilters();
    static_cast<QDialog*>(pModal)->reject();
  });
  pWindow->runCommand(522);
  EXPECT_EQ(filters, QStringList({"C-files (*.c)", "System independent font (*.sif)"}));
}

// Growing the window grows the lower views in height and the font and properties
// views in width. (The first layout and the bars: WindowLayoutTest.)
TEST_F(MainWindowTest, ResizeRules) {
  const std::vector<QWidget*> views = {pWindow->fontView(), pWindow->charView(), pWindow->propView()};
  auto sizes = [&] {
    std::vector<QSize> v;
    for (QWidget* pView : views) v.push_back(pView->size());
    return v;
  };
  const std::vector<QSize> start = sizes();
  pWindow->resize(pWindow->width() + 100, pWindow->height() + 100);
  QTest::qWait(20);
  const QSize grown[] = {{100, 0}, {0, 100}, {100, 100}};
  for (size_t i = 0; i < views.size(); ++i) EXPECT_EQ(sizes()[i], start[i] + grown[i]) << i;
  pWindow->resize(100, 50);
  EXPECT_GE(pWindow->width(), 240);
  EXPECT_GE(pWindow->height(), 180);
}

// Screen readers find the menu bar, the status bar with its text and the toolbar by name.
TEST_F(MainWindowTest, AccessibleNamesOfMenusStatusAndToolbar) {
  QAccessibleInterface* pBar = QAccessible::queryAccessibleInterface(pWindow->menuBar());
  ASSERT_EQ(pBar->childCount(), 5);
  EXPECT_EQ(pBar->child(0)->text(QAccessible::Name), "File");
  QAccessibleInterface* pStatus = QAccessible::queryAccessibleInterface(pWindow->statusBar());
  EXPECT_EQ(pStatus->text(QAccessible::Name), "Status bar");
  bool readyFound = false;
  for (int i = 0; i < pStatus->childCount(); ++i) readyFound |= pStatus->child(i)->text(QAccessible::Name) == "Ready";
  EXPECT_TRUE(readyFound);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(pWindow->toolBar())->text(QAccessible::Name), "Toolbar");
}

// Stands in for the rasterizer, slowly (a tenth of a millisecond a character), so
// that a save of a few thousand characters lasts long enough to show progress.
void SlowRender(Font* pFont, uint16_t code) {
  std::this_thread::sleep_for(std::chrono::microseconds(100));
  FONT_SetCharSize(pFont, code, 4, 8);
  FONT_SetPixel(pFont, code, code % 4, code % 8, 1);
}
void SlowRenderMany(Font* pFont, const uint16_t* pCodes, size_t count) {
  for (size_t i = 0; i < count; ++i) SlowRender(pFont, pCodes[i]);
}
bool OnWorkers(Font*) { return true; }

// The widgets painted, whether worker threads ran then, and the status text then.
class PaintLog : public QObject {
 public:
  struct Paint {
    QWidget* pWidget;
    bool inJob;
    QString status;
  };
  explicit PaintLog(MainWindow* pWindow) : pWindow_(pWindow) { qApp->installEventFilter(this); }
  ~PaintLog() override { qApp->removeEventFilter(this); }
  std::vector<Paint> paints;

 protected:
  bool eventFilter(QObject* pObject, QEvent* pEvent) override {
    if (pEvent->type() == QEvent::Paint && pObject->isWidgetType())
      paints.push_back({static_cast<QWidget*>(pObject), WORKERS_InJob(), pWindow_->statusText()});
    return false;
  }

 private:
  MainWindow* pWindow_;
};

// A C save renders the characters on the worker threads while it writes. Its
// progress shows in the status bar meanwhile, but no view paints then (a view's
// paint renders the characters it shows, which the workers may be rendering); a
// view due for a paint paints after the save.
TEST_F(MainWindowTest, ACSavePaintsItsProgressButNoViewWhileWorkersRender) {
  struct SlowRenderer {
    SlowRenderer() {
      WORKERS_SetCount(2);
      FONT_SetRenderHook(SlowRender, SlowRenderMany, OnWorkers);
    }
    ~SlowRenderer() {
      FONT_SetRenderHook(nullptr);
      WORKERS_SetCount(0);
    }
  } slow;
  FontPtr pFont = NewFont(FONTTYPE_EXT_AA2, ENCODING_UC16, 8);
  for (uint16_t code = 0x20; code < 0x1000; ++code) {
    pFont->aCharInfo[code].Exists = 1;
    FONT_EnableChar(pFont.get(), code, 1);
  }
  doc.install(std::move(pFont), "");
  QTest::qWait(20);
  auto* pFontView = pWindow->findChild<QAbstractScrollArea*>("VIEWFONT_Class");
  ASSERT_NE(pFontView, nullptr);
  pFontView->viewport()->update();

  TempDir dir;
  PaintLog log(pWindow.get());
  ASSERT_EQ(doc.saveAs(QString::fromStdString(dir.file("f.c")), OUT_FORMAT_C), OUT_SAVE_OK);
  QWidget* pStatus = pWindow->statusBar()->findChild<QLabel*>("StatusText");
  int progress = 0;
  for (const PaintLog::Paint& paint : log.paints) {
    if (!paint.inJob) continue;
    EXPECT_TRUE(paint.pWidget == pStatus || paint.pWidget->isAncestorOf(pStatus))
        << paint.pWidget->objectName().toStdString() << " in "
        << (paint.pWidget->parentWidget() ? paint.pWidget->parentWidget()->objectName().toStdString() : "no window")
        << " painted while the workers rendered";
    if (paint.pWidget == pStatus && paint.status.startsWith("Saving character ")) progress++;
  }
  EXPECT_GE(progress, 1);
  QTest::qWait(20);
  EXPECT_TRUE(std::any_of(log.paints.begin(), log.paints.end(), [&](const PaintLog::Paint& paint) {
    return paint.pWidget == pFontView->viewport() && !paint.inJob;
  }));
}

// Every button has its own picture, drawn at both densities and crisp at 1x (each
// pixel fully transparent or fully opaque).
TEST_F(MainWindowTest, ToolbarImagesAreOwnCrispAndDrawnAtBothDensities) {
  QList<QImage> images;
  for (QAction* pAction : pWindow->toolBar()->actions()) {
    if (pAction->isSeparator()) continue;
    const QImage one = pAction->icon().pixmap(QSize(16, 15), 1.0).toImage();
    EXPECT_EQ(one.size(), QSize(16, 15));
    EXPECT_EQ(pAction->icon().pixmap(QSize(16, 15), 2.0).toImage().size(), QSize(32, 30));
    EXPECT_FALSE(images.contains(one)) << pAction->toolTip().toStdString();
    images << one;
    for (int y = 0; y < one.height(); ++y)
      for (int x = 0; x < one.width(); ++x) {
        const int alpha = qAlpha(one.pixel(x, y));
        ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
      }
  }
}

}  // namespace
