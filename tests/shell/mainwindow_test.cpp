// The main window driven as a user drives it: menus opened, items hovered, keys
// typed, files dropped, file dialogs filled in, splitter bars dragged, the window
// resized. Everything runs on Qt's offscreen platform.
#include "shell/mainwindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <functional>
#include <memory>

#include "model/current.h"
#include "output/save.h"
#include "shell/document.h"
#include "shell/filedialogs.h"
#include "shell/services_qt.h"
#include "shell/startup.h"
#include "shell/views/charview.h"
#include "shell/views/fontview.h"
#include "shell/views/propview.h"
#include "settings/journal.h"
#include "support/tempdir.h"

namespace {

// A small font of the given type: 'A' and 'B' enabled, 'A' with a diagonal.
FontPtr SmallFont(int32_t type, int height = 8) {
  FontPtr pFont = FONT_Alloc();
  pFont->Type = type;
  pFont->Height = height;
  pFont->Baseline = height - 2;
  pFont->MaxWidth = 5;
  pFont->NumBlocks = FONT_NUM_BLOCKS_MAX;
  pFont->Has16BitCodes = 1;
  std::snprintf(pFont->LogFont.acFaceName, sizeof pFont->LogFont.acFaceName, "Tiny");
  for (uint16_t code : {uint16_t('A'), uint16_t('B')}) {
    FONT_SetCharSize(pFont.get(), code, 5, height);
    pFont->aCharInfo[code].BoxHeight = height;
    pFont->aCharInfo[code].CursorDist = 6;
    pFont->aCharInfo[code].Exists = 1;
    pFont->aCharInfo[code].Rendered = 1;
    FONT_EnableChar(pFont.get(), code, 1);
  }
  for (int i = 0; i < 5; ++i) FONT_SetPixel(pFont.get(), 'A', i, i, 1);
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

// Runs 'act' on the next modal window, from the event loop that window runs.
void OnNextModal(std::function<void(QWidget*)> act) {
  auto* pTimer = new QTimer;
  pTimer->setInterval(5);
  QObject::connect(pTimer, &QTimer::timeout, [pTimer, act] {
    QWidget* pModal = QApplication::activeModalWidget();
    if (!pModal || !pModal->isVisible()) return;
    pTimer->stop();
    pTimer->deleteLater();
    act(pModal);
  });
  pTimer->start();
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

QString PlainLabel(const QAction* pAction) {
  QString text = pAction->text();
  return text.remove('&');
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    FILEDLG_Reset();
    pWindow = std::make_unique<MainWindow>(&doc);
    pServices = std::make_unique<QtServices>(pWindow.get(), &doc);
    pWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pWindow.get()));
    QTest::qWait(20);
  }
  void TearDown() override {
    pServices.reset();
    pWindow.reset();
    FONT_SetCurrent(nullptr);
  }

  QMenu* Menu(const QString& path) {
    // "Edit/Pixel index": titles without '&'.
    QList<QAction*> actions = pWindow->menuBar()->actions();
    QMenu* pMenu = nullptr;
    for (const QString& part : path.split('/')) {
      pMenu = nullptr;
      for (QAction* pAction : actions) {
        if (pAction->menu() && PlainLabel(pAction) == part) pMenu = pAction->menu();
      }
      if (!pMenu) return nullptr;
      actions = pMenu->actions();
    }
    return pMenu;
  }

  // Opens a menu the way the user does, so its state rules run.
  void Open(QMenu* pMenu) {
    ASSERT_NE(pMenu, nullptr);
    pMenu->popup(pWindow->mapToGlobal(QPoint(10, 10)));
    QTest::qWait(10);
  }

  bool MenuEnabled(int id) { return pWindow->menuAction(id)->isEnabled(); }

  Document doc;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<QtServices> pServices;
};

TEST_F(MainWindowTest, FileMenuItemsSeparatorsAndKeyTexts) {
  QMenu* pFile = Menu("File");
  ASSERT_NE(pFile, nullptr);
  QStringList items;
  for (QAction* pAction : pFile->actions()) items << (pAction->isSeparator() ? "sep" : pAction->text());
  const QStringList expected = {"&New\tCtrl+N",       "&Save\tCtrl+S",         "Save &As...", "sep",
                                "&Load 'C' file...",   "&Merge 'C' file...",    "sep",         "L&oad 'XBF' file...",
                                "M&erge 'XBF' file...", "sep",                   "Load '&BDF' file...", "sep",
                                "E&xit\tAlt+F4"};
  EXPECT_EQ(items, expected);
  QStringList titles;
  for (QAction* pAction : pWindow->menuBar()->actions()) titles << pAction->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Options", "&Help"}));
}

TEST_F(MainWindowTest, EditMenuTreeHasItsSubmenusAndSetIndexItems) {
  QMenu* pEdit = Menu("Edit");
  ASSERT_NE(pEdit, nullptr);
  QStringList top;
  for (QAction* pAction : pEdit->actions()) top << (pAction->isSeparator() ? "sep" : pAction->text());
  // Undo and Redo head the menu above a separator; the fixed items follow.
  EXPECT_EQ(top, QStringList({"&Undo\tCtrl+Z", "Red&o\tCtrl+Y", "sep", "&Insert", "&Delete", "&Shift", "&Move",
                              "&Font height", "&Cursor distance",
                              "&Toggle character\tSpace", "sep", "Pi&xel index", "Brus&h", "sep",
                              "&Enable range of characters...", "Disa&ble range of characters...",
                              "Disable &all characters", "sep", "&Read pattern file...",
                              "Save &pattern file..."}));
  QMenu* pPixel = Menu("Edit/Pixel index");
  ASSERT_NE(pPixel, nullptr);
  ASSERT_EQ(pPixel->actions().size(), 20);
  EXPECT_TRUE(pPixel->actions()[3]->isSeparator());
  EXPECT_EQ(pPixel->actions()[2]->text(), "In&vert index\tSpace");
  EXPECT_EQ(pPixel->actions()[4]->text(), "Set index to &0\t0");
  EXPECT_EQ(pPixel->actions()[14]->text(), "Set index to 10\t&A");
  EXPECT_EQ(pPixel->actions()[19]->text(), "Set index to 15\t&F");
  EXPECT_EQ(Menu("Edit/Move")->actions()[2]->text(), "&Up\tShift+Alt+U");
  EXPECT_EQ(Menu("Edit/Shift")->actions()[3]->text(), "&Down\tCtrl+Shift+D");
  EXPECT_EQ(Menu("Options")->actions().size(), 6);
  EXPECT_EQ(Menu("Help")->actions()[1]->text(), "&CMD Options");
  EXPECT_TRUE(Menu("View")->actions()[0]->isCheckable());
}

// The accelerator table and nothing else: no menu item, button or key shown in a
// menu (Space, +, -, digits, A to F, Alt+F4) is a shortcut of the window.
TEST_F(MainWindowTest, ShortcutsAreExactlyTheAcceleratorTable) {
  QMap<QString, int> shortcuts;
  for (QAction* pAction : pWindow->findChildren<QAction*>()) {
    for (const QKeySequence& key : pAction->shortcuts())
      shortcuts.insert(key.toString(QKeySequence::PortableText), pAction->property("commandId").toInt());
  }
  QMap<QString, int> expected = {
      {"Alt+?", 800},        {"F1", 800},           {"Ctrl+N", 520},       {"Ctrl+S", 521},
      {"Ctrl+R", 540},       {"Ctrl+L", 541},       {"Ctrl+T", 542},       {"Ctrl+B", 543},
      {"Shift+R", 560},      {"Shift+L", 561},      {"Shift+T", 562},      {"Shift+B", 563},
      {"Ctrl+Shift+R", 580}, {"Ctrl+Shift+L", 581}, {"Ctrl+Shift+U", 582}, {"Ctrl+Shift+D", 583},
      {"Alt+Shift+R", 600},  {"Alt+Shift+L", 601},  {"Alt+Shift+U", 602},  {"Alt+Shift+D", 603},
      {"Ctrl+G", 823},  // go to character, an addition
      {"Ctrl+Z", 820},       {"Ctrl+Y", 821},       {"Ctrl+Shift+Z", 821},  // undo and redo, additions too
      {"Ctrl++", 841},       {"Ctrl+=", 841},       {"Ctrl+-", 842},  // zoom of the character view
  };
  for (int n = 0; n <= 9; ++n) expected.insert(QString("Ctrl+%1").arg(n), 850 + n);  // the brush
  EXPECT_EQ(shortcuts, expected);
}

TEST_F(MainWindowTest, AcceleratorRunsItsEditOnTheCurrentCharacter) {
  doc.install(SmallFont(FONTTYPE_EXT), "");
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  QTest::keyClick(pWindow.get(), Qt::Key_R, Qt::ControlModifier);  // insert a column at the right
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  QTest::keyClick(pWindow.get(), Qt::Key_L, Qt::ShiftModifier);  // delete the left column
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 0, 1), 1);  // the diagonal moved one column left
}

TEST_F(MainWindowTest, WithoutAFontTheEditItemsAreGrayed) {
  for (const char* path : {"Edit", "Edit/Insert", "Edit/Delete", "Edit/Shift", "Edit/Move", "Edit/Font height",
                           "Edit/Cursor distance", "Edit/Pixel index", "File", "View"}) {
    Open(Menu(path));
    Menu(path)->hide();
  }
  for (int id : {521, 522, 540, 563, 583, 600, 621, 643, 660, 680, 700, 715, 720, 721, 722, 740, 741, 760})
    EXPECT_FALSE(MenuEnabled(id)) << id;
  for (int id : {520, 523, 524, 525, 526, 527, 528}) EXPECT_TRUE(MenuEnabled(id)) << id;
}

TEST_F(MainWindowTest, ExtAa2MovesAreGrayedInTheMenuButEnabledOnTheToolbar) {
  doc.install(SmallFont(FONTTYPE_EXT_AA2), "");
  Open(Menu("Edit/Move"));
  Open(Menu("Edit/Font height"));
  for (int id : {600, 601, 602, 603, 640, 643}) {
    EXPECT_FALSE(MenuEnabled(id)) << id;
    EXPECT_TRUE(pWindow->toolbarAction(id)->isEnabled()) << id;
  }
  doc.install(SmallFont(FONTTYPE_AA2), "");
  EXPECT_FALSE(pWindow->toolbarAction(600)->isEnabled());
  EXPECT_TRUE(pWindow->toolbarAction(540)->isEnabled());
}

TEST_F(MainWindowTest, SetIndexItemsFollowTypeAndKeyboardTarget) {
  doc.install(SmallFont(FONTTYPE_AA2), "");
  QTest::keyClick(pWindow->fontView(), Qt::Key_Tab);
  ASSERT_EQ(doc.keyboardTarget(), 1);
  Open(Menu("Edit/Pixel index"));
  for (int index = 0; index <= 15; ++index) EXPECT_EQ(MenuEnabled(700 + index), index <= 3) << index;
  Menu("Edit/Pixel index")->hide();
  Open(Menu("Edit"));
  EXPECT_FALSE(MenuEnabled(660));

  doc.install(SmallFont(FONTTYPE_STD), "");
  Open(Menu("Edit/Pixel index"));
  for (int index = 0; index <= 15; ++index) EXPECT_EQ(MenuEnabled(700 + index), index <= 1) << index;
  Menu("Edit/Pixel index")->hide();

  QTest::keyClick(pWindow->charView(), Qt::Key_Tab);
  ASSERT_EQ(doc.keyboardTarget(), 0);
  Open(Menu("Edit/Pixel index"));
  EXPECT_FALSE(MenuEnabled(700));
  EXPECT_FALSE(MenuEnabled(682));
}

TEST_F(MainWindowTest, AllCharactersTwiceRestoresMenuCheckAndButton) {
  doc.install(SmallFont(FONTTYPE_STD), "");
  QAction* pButton = pWindow->toolbarAction(760);
  QAction* pItem = pWindow->menuAction(760);
  Open(Menu("View"));
  Menu("View")->hide();
  const bool buttonBefore = pButton->isChecked(), itemBefore = pItem->isChecked();
  EXPECT_TRUE(itemBefore);
  EXPECT_FALSE(buttonBefore);
  QTest::mouseClick(pWindow->toolBar()->widgetForAction(pButton), Qt::LeftButton);
  EXPECT_EQ(doc.showAllCharacters(), 0);
  Open(Menu("View"));
  Menu("View")->hide();
  EXPECT_NE(pButton->isChecked(), pItem->isChecked());
  EXPECT_TRUE(pButton->isChecked());
  EXPECT_EQ(doc.currentChar(), 'A');
  pItem->trigger();
  Open(Menu("View"));
  Menu("View")->hide();
  EXPECT_EQ(pButton->isChecked(), buttonBefore);
  EXPECT_EQ(pItem->isChecked(), itemBefore);
}

TEST_F(MainWindowTest, TabFlipsTheKeyboardAndKeysReachTheViewHoldingIt) {
  doc.install(SmallFont(FONTTYPE_STD), "");
  struct KeyRecorder : QObject {
    QList<int> keys;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) keys << static_cast<QKeyEvent*>(e)->key();
      return false;
    }
  } fontKeys, charKeys;
  pWindow->fontView()->installEventFilter(&fontKeys);
  pWindow->charView()->installEventFilter(&charKeys);
  // Typed anywhere in the window (here: the properties view), keys go to the target.
  QTest::keyClick(pWindow->propView(), Qt::Key_Space);
  QTest::keyClick(pWindow->propView(), Qt::Key_Plus);
  EXPECT_EQ(fontKeys.keys, QList<int>({Qt::Key_Space, Qt::Key_Plus}));
  EXPECT_TRUE(charKeys.keys.isEmpty());
  QTest::keyClick(pWindow->propView(), Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  QTest::keyClick(pWindow->propView(), Qt::Key_5);
  QTest::keyClick(pWindow->fontView(), Qt::Key_C);
  EXPECT_EQ(charKeys.keys, QList<int>({Qt::Key_5, Qt::Key_C}));
  EXPECT_EQ(fontKeys.keys.size(), 2);
  QTest::keyClick(pWindow->charView(), Qt::Key_Tab);
  EXPECT_EQ(doc.keyboardTarget(), 0);
}

TEST_F(MainWindowTest, HoveredMenuItemShowsItsHelpTextThenReady) {
  EXPECT_EQ(pWindow->statusText(), "Ready");
  doc.install(SmallFont(FONTTYPE_STD), "");
  QMenu* pFile = Menu("File");
  Open(pFile);
  // Highlighted with the arrow keys.
  for (int i = 0; i < 12 && pFile->activeAction() != pWindow->menuAction(522); ++i)
    QTest::keyClick(pFile, Qt::Key_Down);
  EXPECT_EQ(pFile->activeAction(), pWindow->menuAction(522));
  EXPECT_EQ(pWindow->statusText(), "Save the font data to a different file");
  QTest::keyClick(pFile, Qt::Key_Up);
  EXPECT_EQ(pWindow->statusText(), "Save the font data");
  pFile->hide();
  QTest::qWait(10);
  EXPECT_EQ(pWindow->statusText(), "Ready");
  // Options items have no help text: the status falls back to Ready.
  QMenu* pOptions = Menu("Options");
  Open(pOptions);
  for (int i = 0; i < 12 && pOptions->activeAction() != pWindow->menuAction(781); ++i)
    QTest::keyClick(pOptions, Qt::Key_Down);
  EXPECT_EQ(pOptions->activeAction(), pWindow->menuAction(781));
  EXPECT_EQ(pWindow->statusText(), "Ready");
  pOptions->hide();
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

TEST_F(MainWindowTest, SaveWithoutPathAsksLikeSaveAsThenSavesWithoutAsking) {
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

  // With a path, Save writes again and nothing asks (no dialog, no overwrite question).
  bool asked = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (QWidget* pModal = QApplication::activeModalWidget()) {
      asked = true;
      pModal->close();
    }
  });
  watch.start(5);
  WriteFile(dir.file("tiny.c"), "old");
  pWindow->runCommand(521);
  QTest::qWait(20);
  watch.stop();
  EXPECT_FALSE(asked);
  EXPECT_EQ(ReadFile(dir.file("tiny.c")).find("old"), std::string::npos);
  EXPECT_NE(ReadFile(dir.file("tiny.c")).find("GUI_FONT"), std::string::npos);
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

TEST_F(MainWindowTest, MergeOfAnotherHeightIsRefusedWithItsMessage) {
  TempDir dir;
  doc.install(SmallFont(FONTTYPE_EXT, 10), "");
  WriteFontFile(dir.file("other.c"), FONTTYPE_EXT, OUT_FORMAT_C);  // height 8
  OnNextModal([&](QWidget* pModal) {
    NameEdit(pModal)->setText(QString::fromStdString(dir.file("other.c")));
    static_cast<QDialog*>(pModal)->accept();
    OnNextModal([](QWidget* pBox) {
      EXPECT_EQ(static_cast<QMessageBox*>(pBox)->text(), "Merging fonts does not work with different font sizes!");
      static_cast<QDialog*>(pBox)->accept();
    });
  });
  pWindow->runCommand(526 - 1);
  EXPECT_EQ(FONT_GetHeight(doc.font()), 10);
}

TEST_F(MainWindowTest, InitialPaneLayoutAndResizeRules) {
  QSplitter* pFrame = pWindow->frameSplitter();
  const int w = pFrame->width(), h = pFrame->height();
  ASSERT_GT(h, 100);
  QWidget* pFont = pWindow->fontView();
  QWidget* pChar = pWindow->charView();
  QWidget* pProp = pWindow->propView();
  auto rectIn = [&](QWidget* pView) { return QRect(pView->mapTo(pFrame, QPoint(0, 0)), pView->size()); };
  EXPECT_EQ(rectIn(pFont), QRect(0, 0, w, h / 2 - 3));
  EXPECT_EQ(rectIn(pChar), QRect(QPoint(0, h / 2), QPoint(w / 2 - 2 - 1, h - 1)));
  EXPECT_EQ(rectIn(pProp), QRect(QPoint(w / 2 + 1, h / 2), QPoint(w - 1, h - 1)));

  const QRect font0 = rectIn(pFont), char0 = rectIn(pChar), prop0 = rectIn(pProp);
  pWindow->resize(pWindow->width(), pWindow->height() + 100);
  QTest::qWait(20);
  EXPECT_EQ(rectIn(pFont), font0);
  EXPECT_EQ(rectIn(pChar).height(), char0.height() + 100);
  EXPECT_EQ(rectIn(pProp).height(), prop0.height() + 100);
  pWindow->resize(pWindow->width() + 100, pWindow->height());
  QTest::qWait(20);
  EXPECT_EQ(rectIn(pFont).width(), font0.width() + 100);
  EXPECT_EQ(rectIn(pChar).width(), char0.width());
  EXPECT_EQ(rectIn(pProp).width(), prop0.width() + 100);

  pWindow->resize(100, 50);
  EXPECT_GE(pWindow->width(), 240);
  EXPECT_GE(pWindow->height(), 180);
}

// Dragging the horizontal bar down moves the font view's bottom and the tops of both
// lower views with it; the vertical bar stops when the character view is 4 pixels wide.
TEST_F(MainWindowTest, DraggingTheBars) {
  QSplitter* pFrame = pWindow->frameSplitter();
  QWidget* pFont = pWindow->fontView();
  QWidget* pChar = pWindow->charView();
  QWidget* pProp = pWindow->propView();
  const int fontHeight = pFont->height(), charHeight = pChar->height(), charTop = pChar->mapTo(pFrame, QPoint()).y();
  QSplitterHandle* pBar = pFrame->handle(1);
  const int barTop = pBar->y();
  const QPoint start(pBar->width() / 2, 1);
  QTest::mousePress(pBar, Qt::LeftButton, {}, start);
  QTest::mouseMove(pBar, start + QPoint(0, 50));
  QTest::mouseRelease(pBar, Qt::LeftButton, {}, start + QPoint(0, 50));
  // The bar follows the mouse (to the pixel the toolkit's offscreen mapping allows).
  const int moved = pBar->y() - barTop;
  EXPECT_GE(moved, 49);
  EXPECT_LE(moved, 50);
  EXPECT_EQ(pFont->height(), fontHeight + moved);
  EXPECT_EQ(pChar->height(), charHeight - moved);
  EXPECT_EQ(pProp->height(), charHeight - moved);
  EXPECT_EQ(pChar->mapTo(pFrame, QPoint()).y(), charTop + moved);
  EXPECT_EQ(pProp->mapTo(pFrame, QPoint()).y(), charTop + moved);
  EXPECT_EQ(pChar->mapTo(pFrame, QPoint()).y() - pFont->height(), 3);  // the bar between them

  QSplitterHandle* pVertical = pWindow->lowerSplitter()->handle(1);
  const int propRight = pProp->mapTo(pFrame, QPoint(pProp->width(), 0)).x();
  const QPoint mid(1, pVertical->height() / 2);
  QTest::mousePress(pVertical, Qt::LeftButton, {}, mid);
  QTest::mouseMove(pVertical, mid - QPoint(pChar->width() + 200, 0));
  QTest::mouseRelease(pVertical, Qt::LeftButton, {}, mid - QPoint(pChar->width() + 200, 0));
  EXPECT_EQ(pChar->width(), 4);
  EXPECT_EQ(pProp->mapTo(pFrame, QPoint(pProp->width(), 0)).x(), propRight);
  EXPECT_EQ(pProp->x(), 4 + 3);
}

TEST_F(MainWindowTest, CommandSenderRunsTheDispatchOnceAndExitClosesTheWindow) {
  doc.install(SmallFont(FONTTYPE_EXT), "");
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  SHELL_SendCommand(540, 0);
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  ASSERT_TRUE(pWindow->isVisible());
  SHELL_SendCommand(528, 0);
  EXPECT_FALSE(pWindow->isVisible());
}

TEST_F(MainWindowTest, AccessibleNamesOfWindowMenusAndStatus) {
  QAccessibleInterface* pWin = QAccessible::queryAccessibleInterface(pWindow.get());
  ASSERT_NE(pWin, nullptr);
  EXPECT_EQ(pWin->text(QAccessible::Name), pWindow->windowTitle());
  QAccessibleInterface* pBar = QAccessible::queryAccessibleInterface(pWindow->menuBar());
  ASSERT_NE(pBar, nullptr);
  ASSERT_EQ(pBar->childCount(), 5);
  EXPECT_EQ(pBar->child(0)->text(QAccessible::Name), "File");
  QAccessibleInterface* pStatus = QAccessible::queryAccessibleInterface(pWindow->statusBar());
  ASSERT_NE(pStatus, nullptr);
  EXPECT_EQ(pStatus->text(QAccessible::Name), "Status bar");
  bool readyFound = false;
  for (int i = 0; i < pStatus->childCount(); ++i) readyFound |= pStatus->child(i)->text(QAccessible::Name) == "Ready";
  EXPECT_TRUE(readyFound);
  QAccessibleInterface* pTool = QAccessible::queryAccessibleInterface(pWindow->toolBar());
  ASSERT_NE(pTool, nullptr);
  EXPECT_EQ(pTool->text(QAccessible::Name), "Toolbar");
}

TEST_F(MainWindowTest, ToolbarImagesAreDrawnAtBothDensities) {
  QAction* pNew = pWindow->toolbarAction(520);
  const QImage one = pNew->icon().pixmap(QSize(16, 15), 1.0).toImage();
  const QImage two = pNew->icon().pixmap(QSize(16, 15), 2.0).toImage();
  EXPECT_EQ(one.size(), QSize(16, 15));
  EXPECT_EQ(two.size(), QSize(32, 30));
  // Different images: each button shows its own picture.
  EXPECT_NE(pWindow->toolbarAction(540)->icon().pixmap(QSize(16, 15)).toImage(),
            pWindow->toolbarAction(560)->icon().pixmap(QSize(16, 15)).toImage());
  // Crisp: at 1x every pixel is either fully transparent or fully opaque.
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x) {
      const int alpha = qAlpha(one.pixel(x, y));
      EXPECT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
    }
  EXPECT_EQ(pWindow->toolbarAction(760)->toolTip(), "Show enabled characters only");
}

// The Edit menu reaches the views through the dispatch and the document: the
// character view and the properties line show the edit at once, the journal has
// its line, and Space in the character view inverts a pixel through the routing.
TEST_F(MainWindowTest, EditCommandsAndKeysReachTheRealViews) {
  ASSERT_NE(qobject_cast<FontView*>(pWindow->fontView()), nullptr);
  ASSERT_NE(qobject_cast<CharView*>(pWindow->charView()), nullptr);
  ASSERT_NE(qobject_cast<PropView*>(pWindow->propView()), nullptr);
  doc.install(SmallFont(FONTTYPE_EXT), "");
  doc.setCurrentChar('A');
  QTest::qWait(20);
  const QImage props = pWindow->propView()->grab().toImage();
  const QImage cells = pWindow->charView()->grab().toImage();
  const int width = FONT_GetCharWidth(doc.font(), 'A');
  JOURNAL_Clear();
  pWindow->menuAction(540)->trigger();  // Edit / Insert / Right
  QTest::qWait(20);
  EXPECT_EQ(FONT_GetCharWidth(doc.font(), 'A'), width + 1);
  EXPECT_NE(std::string(JOURNAL_GetText()), "");
  EXPECT_NE(pWindow->propView()->grab().toImage(), props);
  EXPECT_NE(pWindow->charView()->grab().toImage(), cells);

  doc.setKeyboardTarget(1);
  const int before = FONT_GetPixel(doc.font(), 'A', 0, 0);
  QTest::keyClick(pWindow.get(), Qt::Key_Space);
  EXPECT_NE(FONT_GetPixel(doc.font(), 'A', 0, 0), before);
}

}  // namespace
