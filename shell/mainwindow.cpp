// The main window and the command dispatch.
#include "shell/mainwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <vector>

#include "input/bdf_read.h"
#include "input/c_read.h"
#include "input/xbf_read.h"
#include "model/font.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"
#include "edit/enable.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/newfont.h"
#include "shell/document.h"
#include "shell/extras/flashsizelabel.h"
#include "shell/extras/gotodialog.h"
#include "shell/extras/previewpane.h"
#include "shell/filedialogs.h"
#include "shell/toolbaricons.h"
#include "shell/views/charview.h"
#include "shell/views/fontview.h"
#include "shell/views/propview.h"
#include "shell/views/splitter.h"
#include "shell/windowstate.h"

namespace {

constexpr int kStatusTextMax = 79;
const char* const kIdProperty = "commandId";

int CommandIdOf(const QAction* pAction) {
  const QVariant v = pAction->property(kIdProperty);
  return v.isValid() ? v.toInt() : 0;
}

QString Plain(const char* pLabel) {
  QString text = QString::fromUtf8(pLabel);
  text = text.left(text.indexOf('\t') >= 0 ? text.indexOf('\t') : text.size());
  return text.remove('&');
}

}  // namespace

MainWindow::MainWindow(Document* pDocument, QWidget* pParent) : QMainWindow(pParent), pDocument_(pDocument) {
  setObjectName("MainWindow");
  setWindowTitle(QString::fromStdString(SHELL_GetProgramTitle()));
  setWindowIcon(SHELL_AppIcon());
  setMinimumSize(240, 180);
  move(0, 0);
  resize(800, 640);
  setAcceptDrops(true);
  buildStatusBar();
  buildMenus();
  buildAccelerators();
  buildToolBar();
  if (updateUndoState_) updateUndoState_();
  createViews();
  applyToolbarState();
  WINDOWSTATE_Attach(this);

  connect(pDocument_, &Document::fontInstalled, this, &MainWindow::onFontInstalled);
  connect(pDocument_, &Document::showAllCharactersChanged, this, &MainWindow::onShowAllChanged);
  connect(pDocument_, &Document::redrawRequested, this, &MainWindow::redrawViews);
  connect(pDocument_, &Document::keyboardTargetChanged, this, [this](int target) {
    (target ? pCharView_ : pFontView_)->setFocus(Qt::OtherFocusReason);
    redrawViews(VIEW_FONT | VIEW_CHAR);
  });
  // Every keystroke and wheel turn inside the window passes the routing first.
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

// The three views in the splitter frame; the text preview, hidden until asked for,
// sits under the font view in the same pane.
void MainWindow::createViews() {
  auto* pFrameWidget = new QWidget(this);
  pFrameWidget->setObjectName("SPLITTER_FrameClass");
  pFrame_ = new FrameSplitter(Qt::Vertical, pFrameWidget);
  pFrame_->setObjectName("FrameSplitter");
  auto* pUpper = new FrameSplitter(Qt::Vertical, pFrame_);
  pUpper->setObjectName("UpperSplitter");
  auto* pFontView = new FontView(pDocument_, pUpper);
  pFontView_ = pFontView;
  pPreview_ = new PreviewPane(pDocument_, pUpper);
  pUpper->setStretchFactor(0, 1);
  pUpper->setStretchFactor(1, 0);
  pUpper->setMinimumSize(4, 4);
  pLower_ = new FrameSplitter(Qt::Horizontal, pFrame_);
  pLower_->setObjectName("LowerSplitter");
  auto* pCharView = new CharView(pDocument_, pLower_);
  pCharView_ = pCharView;
  pPropView_ = new PropView(pDocument_, pLower_);
  pFontView_->setAccessibleName("Font view");
  pCharView_->setAccessibleName("Character view");
  pPropView_->setAccessibleName("Properties view");
  // The views' popup menus run their commands through the one dispatch.
  connect(pFontView, &FontView::commandRequested, this, &MainWindow::runCommand);
  connect(pCharView, &CharView::commandRequested, this, &MainWindow::runCommand);
  // One mouse stroke is one step of the history.
  connect(pCharView, &CharView::strokeStarted, pDocument_, &Document::beginStroke);
  connect(pCharView, &CharView::strokeFinished, pDocument_, &Document::endStroke);
  // No pane is dragged below 4 pixels.
  for (QWidget* pPane : {pFontView_, pCharView_, pPropView_}) pPane->setMinimumSize(4, 4);
  pLower_->setMinimumSize(4, 4);
  // A taller frame makes only the lower panes taller; a wider one widens the font view
  // and the properties view.
  pFrame_->setStretchFactor(0, 0);
  pFrame_->setStretchFactor(1, 1);
  pLower_->setStretchFactor(0, 0);
  pLower_->setStretchFactor(1, 1);
  auto* pLayout = new QVBoxLayout(pFrameWidget);
  pLayout->setContentsMargins(0, 0, 0, 0);
  pLayout->addWidget(pFrame_);
  pFrame_->installEventFilter(this);
  setCentralWidget(pFrameWidget);

  // View menu additions: the text preview and Go to character, after the fixed item.
  if (QAction* pShowAll = menuActions_.value(ID_SHOW_ALL)) {
    if (auto* pViewMenu = qobject_cast<QMenu*>(pShowAll->parent())) {
      pViewMenu->addAction(pPreview_->toggleAction());
      QAction* pGoTo = pViewMenu->addAction("&Go to character...\tCtrl+G");
      pGoTo->setObjectName("menuGoTo");
      connect(pGoTo, &QAction::triggered, this, &MainWindow::goToCharacter);
    }
  }
  auto* pGoToKey = new QAction(this);
  pGoToKey->setObjectName("accelCtrl+G");
  pGoToKey->setShortcut(QKeySequence("Ctrl+G"));
  pGoToKey->setShortcutContext(Qt::WindowShortcut);
  connect(pGoToKey, &QAction::triggered, this, &MainWindow::goToCharacter);
  addAction(pGoToKey);
}

// Asks for a code and selects it in the font view; a code the font cannot show is
// said in the status bar.
void MainWindow::goToCharacter() {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  int code = 0;
  QString error;
  if (SHELL_AskGoToCharacter(this, pFont, &code, &error, pDocument_->showAllCharacters()))
    static_cast<FontView*>(pFontView_)->goToCode(code);
  else if (!error.isEmpty())
    setStatusText(error.toUtf8().constData());
}

// The first layout of the frame W x H: font view 0..H/2-3, a 3-pixel bar, the lower
// views from H/2, the character view to W/2-2 and the properties view from W/2+1.
void MainWindow::layOutPanes() {
  if (WINDOWSTATE_RestorePanes(this)) return;
  const int w = pFrame_->width(), h = pFrame_->height();
  pFrame_->setSizes({h / 2 - 3, h - h / 2});
  pLower_->setSizes({w / 2 - 2, w - w / 2 - 1});
}

void MainWindow::buildMenus() {
  std::vector<QMenu*> stack;
  for (int i = 0; i < SHELL_NumMenuEntries; ++i) {
    const MenuEntry& e = SHELL_aMenu[i];
    switch (e.Kind) {
      case MENU_POPUP: {
        QMenu* pMenu = stack.empty() ? menuBar()->addMenu(QString::fromUtf8(e.pLabel))
                                     : stack.back()->addMenu(QString::fromUtf8(e.pLabel));
        pMenu->setAccessibleName(Plain(e.pLabel));
        connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { applyMenuState(pMenu); });
        connect(pMenu, &QMenu::aboutToHide, this, [this] { setStatusText("Ready"); });
        connect(pMenu, &QMenu::hovered, this, [this](QAction* pAction) {
          const char* pHelp = pAction->menu() || pAction->isSeparator() ? nullptr
                                                                         : SHELL_GetHelpText(CommandIdOf(pAction));
          setStatusText(pHelp ? pHelp : "Ready");
        });
        stack.push_back(pMenu);
        if (stack.size() == 1 && QByteArray(e.pLabel) == "&Edit") addUndoItems(pMenu);
        break;
      }
      case MENU_END:
        stack.pop_back();
        break;
      case MENU_SEPARATOR:
        stack.back()->addSeparator();
        break;
      case MENU_ITEM: {
        QAction* pAction = stack.back()->addAction(QString::fromUtf8(e.pLabel));
        pAction->setProperty(kIdProperty, e.Id);
        pAction->setObjectName(QString("menu%1").arg(e.Id));
        if (e.Id == ID_SHOW_ALL) {
          pAction->setCheckable(true);
          pAction->setChecked(true);
        }
        const int id = e.Id;
        connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
        menuActions_.insert(id, pAction);
        break;
      }
    }
  }
  menuBar()->setAccessibleName("Menu bar");
}

// The accelerator table, and nothing else, becomes shortcuts. They belong to the
// window rather than to the menu items, whose state is only brought up to date when
// a menu opens; the dispatch itself ignores commands that need a missing font.
void MainWindow::buildAccelerators() {
  for (int i = 0; i < SHELL_NumAccel; ++i) {
    auto* pAction = new QAction(this);
    pAction->setObjectName(QString("accel%1").arg(SHELL_aAccel[i].pKeys));
    pAction->setShortcut(QKeySequence(QString::fromUtf8(SHELL_aAccel[i].pKeys), QKeySequence::PortableText));
    pAction->setShortcutContext(Qt::WindowShortcut);
    pAction->setProperty(kIdProperty, SHELL_aAccel[i].Id);
    const int id = SHELL_aAccel[i].Id;
    connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
    addAction(pAction);
  }
}

void MainWindow::buildToolBar() {
  pToolBar_ = addToolBar("Toolbar");
  pToolBar_->setObjectName("ToolbarWindow");
  pToolBar_->setAccessibleName("Toolbar");
  pToolBar_->setIconSize(QSize(16, 15));
  pToolBar_->setMovable(false);
  pToolBar_->setFloatable(false);
  pToolBar_->toggleViewAction()->setVisible(false);
  for (const ToolbarEntry& row : SHELL_aToolbar) {
    if (row.Image < 0) {
      pToolBar_->addSeparator();
      continue;
    }
    QAction* pAction = pToolBar_->addAction(SHELL_ToolbarIcon(row.Image), QString());
    const char* pHelp = SHELL_GetHelpText(row.Id);
    pAction->setToolTip(QString::fromUtf8(pHelp ? pHelp : ""));
    pAction->setText(QString::fromUtf8(pHelp ? pHelp : ""));
    pAction->setProperty(kIdProperty, row.Id);
    pAction->setObjectName(QString("tool%1").arg(row.Id));
    if (row.Id == ID_SHOW_ALL) pAction->setCheckable(true);
    const int id = row.Id;
    connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
    toolbarActions_.insert(id, pAction);
  }
  for (const ToolbarEntry& row : SHELL_aUndoToolbar) {
    if (row.Image < 0) {
      pToolBar_->addSeparator();
      continue;
    }
    QAction* pAction = pToolBar_->addAction(SHELL_ToolbarIcon(row.Image), QString());
    pAction->setProperty(kIdProperty, row.Id);
    pAction->setObjectName(QString("tool%1").arg(row.Id));
    const int id = row.Id;
    connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
    toolbarActions_.insert(id, pAction);
  }
}

void MainWindow::buildStatusBar() {
  QStatusBar* pBar = statusBar();
  pBar->setObjectName("StatusBar");
  pBar->setAccessibleName("Status bar");
  pBar->setSizeGripEnabled(true);
  pStatus_ = new QLabel(pBar);
  pStatus_->setObjectName("StatusText");
  // Its accessible name is the status text itself, so screen readers read it.
  pStatus_->setAccessibleDescription("Status");
  pBar->addWidget(pStatus_, 1);
  // At the right end: the bytes the enabled characters take in flash.
  pBar->addPermanentWidget(new FlashSizeLabel(pDocument_, pBar));
  setStatusText("Ready");
}

ShellState MainWindow::state() const {
  ShellState s;
  const Font* pFont = pDocument_->font();
  s.HasFont = pFont != nullptr;
  s.Type = pFont ? FONT_GetType(pFont) : 0;
  s.KeyboardTarget = pDocument_->keyboardTarget();
  s.ShowAllCharacters = pDocument_->showAllCharacters();
  return s;
}

void MainWindow::applyMenuState(QMenu* pMenu) {
  const ShellState s = state();
  for (QAction* pAction : pMenu->actions()) {
    const int id = CommandIdOf(pAction);
    // Undo and Redo follow the history, not the font's state.
    if (!id || id == ID_UNDO || id == ID_REDO) continue;
    pAction->setEnabled(SHELL_IsMenuItemEnabled(id, s));
    if (id == ID_SHOW_ALL) pAction->setChecked(s.ShowAllCharacters == 1);
  }
}

void MainWindow::applyToolbarState() {
  const ShellState s = state();
  for (auto it = toolbarActions_.cbegin(); it != toolbarActions_.cend(); ++it)
    if (it.key() != ID_UNDO && it.key() != ID_REDO) it.value()->setEnabled(SHELL_IsToolbarButtonEnabled(it.key(), s));
  toolbarActions_.value(ID_SHOW_ALL)->setChecked(s.ShowAllCharacters == 0);
}

void MainWindow::setStatusText(const char* pText) {
  QByteArray text(pText ? pText : "");
  text.truncate(kStatusTextMax);
  if (text == statusCache_) return;
  statusCache_ = text;
  pStatus_->setText(QString::fromUtf8(text));
  QAccessibleValueChangeEvent event(pStatus_, pStatus_->text());
  QAccessible::updateAccessibility(&event);
}

QString MainWindow::statusText() const { return pStatus_->text(); }

void MainWindow::setCaptionFile(const QString& fileName) {
  captionFile_ = fileName;
  updateCaption();
}

// The title: the file name, with an asterisk while the font differs from the last
// save or load.
void MainWindow::updateCaption() {
  const QString name = pDocument_->undoStack()->isClean() ? captionFile_ : captionFile_ + "*";
  setWindowTitle(QString::fromStdString(SHELL_FormatCaption(name.toStdString())));
}

// Undo and Redo head the Edit menu, above a separator, and have toolbar buttons
// after the others; both name the step they take back or do again and are grayed
// when there is none. Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z reach them from anywhere in
// the window. Items, buttons and keys all run the dispatch's ID_UNDO and ID_REDO.
void MainWindow::addUndoItems(QMenu* pEditMenu) {
  QUndoStack* pStack = pDocument_->undoStack();
  QAction* pUndo = pEditMenu->addAction("&Undo\tCtrl+Z");
  pUndo->setObjectName("menuUndo");
  pUndo->setProperty(kIdProperty, int(ID_UNDO));
  QAction* pRedo = pEditMenu->addAction("&Redo\tCtrl+Y");
  pRedo->setObjectName("menuRedo");
  pRedo->setProperty(kIdProperty, int(ID_REDO));
  pEditMenu->addSeparator();
  auto update = [this, pStack, pUndo, pRedo] {
    const QString undoText = pStack->undoText(), redoText = pStack->redoText();
    pUndo->setText(undoText.isEmpty() ? QString("&Undo\tCtrl+Z") : "&Undo " + undoText + "\tCtrl+Z");
    pRedo->setText(redoText.isEmpty() ? QString("&Redo\tCtrl+Y") : "&Redo " + redoText + "\tCtrl+Y");
    pUndo->setEnabled(pStack->canUndo());
    pRedo->setEnabled(pStack->canRedo());
    // The buttons exist once the toolbar is built.
    if (QAction* pButton = toolbarActions_.value(ID_UNDO)) {
      const QString tip = undoText.isEmpty() ? QString("Undo") : "Undo " + undoText;
      pButton->setText(tip);
      pButton->setToolTip(tip);
      pButton->setEnabled(pStack->canUndo());
    }
    if (QAction* pButton = toolbarActions_.value(ID_REDO)) {
      const QString tip = redoText.isEmpty() ? QString("Redo") : "Redo " + redoText;
      pButton->setText(tip);
      pButton->setToolTip(tip);
      pButton->setEnabled(pStack->canRedo());
    }
  };
  updateUndoState_ = update;
  connect(pStack, &QUndoStack::indexChanged, this, update);
  connect(pStack, &QUndoStack::cleanChanged, this, update);
  connect(pStack, &QUndoStack::cleanChanged, this, &MainWindow::updateCaption);
  connect(pUndo, &QAction::triggered, this, [this] { runCommand(ID_UNDO); });
  connect(pRedo, &QAction::triggered, this, [this] { runCommand(ID_REDO); });
  for (const char* pKey : {"Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"}) {
    auto* pAccel = new QAction(this);
    pAccel->setObjectName(QString("accel") + pKey);
    pAccel->setShortcut(QKeySequence(pKey));
    pAccel->setShortcutContext(Qt::WindowShortcut);
    const int id = QByteArray(pKey) == "Ctrl+Z" ? ID_UNDO : ID_REDO;
    connect(pAccel, &QAction::triggered, this, [this, id] { runCommand(id); });
    addAction(pAccel);
  }
}

void MainWindow::onFontInstalled() {
  const Font* pFont = pDocument_->font();
  char path[FONT_FILENAME_SIZE] = {};
  if (pFont) FONT_GetFileName(pFont, path, sizeof path);
  setCaptionFile(*path ? QString::fromStdString(SHELL_GetBaseName(path)) : QString("Untitled"));
  applyToolbarState();
  redrawViews(VIEW_ALL);
}

void MainWindow::adoptCurrentFont() {
  if (!pDocument_->font()) return;
  onFontInstalled();
  setCaptionFile("Untitled");
}

void MainWindow::onShowAllChanged() {
  const int showAll = pDocument_->showAllCharacters();
  toolbarActions_.value(ID_SHOW_ALL)->setChecked(showAll == 0);
  menuActions_.value(ID_SHOW_ALL)->setChecked(showAll == 1);
  redrawViews(VIEW_FONT | VIEW_CHAR);
}

void MainWindow::redrawViews(int viewMask) {
  if (viewMask & VIEW_FONT) pFontView_->update();
  if (viewMask & VIEW_CHAR) pCharView_->update();
  if (viewMask & VIEW_PROP) pPropView_->update();
}

void MainWindow::runCommand(int id) { dispatchCommand(id); }

bool MainWindow::dispatchCommand(int id) {
  if (id == ID_EXIT) {
    close();
    return false;
  }
  if (pDocument_->runEditCommand(id)) return true;
  switch (id) {
    case ID_NEW: {
      FontPtr pFont = SHELL_RunNewFont(this, pDocument_->font());
      if (pFont) pDocument_->install(std::move(pFont), QString());
      break;
    }
    case ID_SAVE:
      saveFont(false);
      break;
    case ID_SAVEAS:
      saveFont(true);
      break;
    case ID_LOAD_C:
    case ID_LOAD_XBF:
    case ID_LOAD_BDF:
      loadFont(id);
      break;
    case ID_MERGE_C:
    case ID_MERGE_XBF:
      mergeFont(id == ID_MERGE_XBF);
      break;
    case ID_SHOW_ALL:
      pDocument_->flipShowAllCharacters();
      break;
    case ID_ENABLE_RANGE:
    case ID_DISABLE_RANGE: {
      if (!pDocument_->font()) break;
      int first = 0, last = 0;
      if (SHELL_RunSelectRange(this, id, &first, &last))
        pDocument_->enableRange(first, last, id == ID_ENABLE_RANGE ? 1 : 0);
      break;
    }
    case ID_UNDO:
      pDocument_->undoStack()->undo();
      break;
    case ID_REDO:
      pDocument_->undoStack()->redo();
      break;
    case ID_READ_PATTERN:
      if (!pDocument_->font()) break;
      // A pattern only enables characters: the step keeps their flags, no pixels.
      pDocument_->recordEdit(EDIT_ScopeEnabled(0, FONT_NUM_CODES - 1), "Read pattern file", [this] {
        SHELL_ReadPatternFile(this);
        return true;
      });
      redrawViews(VIEW_ALL);
      break;
    case ID_SAVE_PATTERN:
      if (pDocument_->font()) SHELL_SavePatternFile(this);
      break;
    case 780: case 781: case 782: case 783: case 784: case 785:
      SHELL_RunOptionDialog(this, id);
      break;
    case ID_ABOUT:
      SHELL_RunAbout(this);
      break;
    case ID_CMD_OPTIONS:
      SHELL_RunCmdHelp(this);
      break;
    default:
      if ((id >= ID_PIXEL_INC && id <= ID_PIXEL_INVERT) || (id >= ID_PIXEL_SET0 && id <= ID_PIXEL_SET15))
        routePixelCommand(id);
      break;
  }
  return true;
}

// Pixel commands belong to the character view (its current pixel).
void MainWindow::routePixelCommand(int id) {
  static_cast<CharView*>(pCharView_)->pixelCommand(id);
}

void MainWindow::saveFont(bool forceDialog) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  char path[FONT_FILENAME_SIZE] = {};
  FONT_GetFileName(pFont, path, sizeof path);
  if (!forceDialog && *path) {
    if (OUT_Save(pFont, saveFormat_, 0) == OUT_SAVE_OK) pDocument_->undoStack()->setClean();
    return;
  }
  char face[64] = {};
  FONT_GetFaceName(pFont, face, sizeof face);
  QString chosen = QString::fromStdString(SHELL_ProposedSaveName(path, face, FONT_GetHeight(pFont)));
  // Standard 2 and 4 bpp fonts cannot be written as XBF: their list ends before it.
  const int type = FONT_GetType(pFont);
  const int numFilters = (type == FONTTYPE_AA2 || type == FONTTYPE_AA4) ? 2 : 3;
  if (!FILEDLG_Save(this, "Save font as", SHELL_aFiltersSave, numFilters, &chosen)) return;
  const int format = FILEDLG_GetFilterPos() - 1;
  FONT_SetFileName(pFont, chosen.toLocal8Bit().constData());
  const int result = OUT_Save(pFont, format, 1);
  // No to the overwrite question keeps the font's file and format, so that the
  // next Save does not write over the file the user chose to keep.
  if (result == OUT_SAVE_DECLINED) {
    FONT_SetFileName(pFont, path);
    return;
  }
  saveFormat_ = format;
  if (result == OUT_SAVE_OK) pDocument_->undoStack()->setClean();
  setCaptionFile(QString::fromStdString(SHELL_GetBaseName(chosen.toLocal8Bit().constData())));
}

void MainWindow::loadFont(int id) {
  const FileFilter* pFilters = id == ID_LOAD_C ? SHELL_aFiltersC : id == ID_LOAD_XBF ? SHELL_aFiltersXbf
                                                                                      : SHELL_aFiltersBdf;
  const char* pTitle = id == ID_LOAD_C ? "Select 'C' file" : id == ID_LOAD_XBF ? "Select 'XBF' file"
                                                                                : "Select 'BDF' file";
  QString path;
  if (!FILEDLG_Open(this, pTitle, pFilters, 2, &path)) return;
  const QByteArray name = path.toLocal8Bit();
  FontPtr pFont = id == ID_LOAD_C ? INPUT_ReadC(name.constData())
                  : id == ID_LOAD_XBF ? INPUT_ReadXbf(name.constData())
                                      : INPUT_ReadBdf(name.constData());
  pDocument_->install(std::move(pFont), path);
}

void MainWindow::mergeFont(bool xbf) {
  if (!pDocument_->font()) {
    ReportMessage("No font data");
    return;
  }
  QString path;
  if (!FILEDLG_Open(this, xbf ? "Select 'XBF' file" : "Select 'C' file", xbf ? SHELL_aFiltersXbf : SHELL_aFiltersC,
                    2, &path))
    return;
  pDocument_->mergeFile(path, xbf);
}

void MainWindow::openDroppedFile(const QString& path) {
  const QByteArray name = path.left(260).toLocal8Bit();
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext != "c" && ext != "xbf") {
    ReportMessage("File extension must be 'XBF' or 'C'");
    return;
  }
  FontPtr pFont = ext == "c" ? INPUT_ReadC(name.constData()) : INPUT_ReadXbf(name.constData());
  pDocument_->install(std::move(pFont), path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* pEvent) {
  if (pEvent->mimeData()->hasUrls()) pEvent->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* pEvent) {
  const QList<QUrl> urls = pEvent->mimeData()->urls();
  // Only the first dropped file is taken.
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  pEvent->acceptProposedAction();
  // Loaded once the drop has completed, so the program the file came from is not kept
  // waiting while a large font is read.
  const QString path = urls.first().toLocalFile();
  QMetaObject::invokeMethod(this, [this, path] { openDroppedFile(path); }, Qt::QueuedConnection);
}

// Tab flips the keyboard between the font view and the character view; every other
// key and, while the font view holds the keyboard, the mouse wheel go to that view.
bool MainWindow::eventFilter(QObject* pWatched, QEvent* pEvent) {
  // The first time the frame has a size, the panes get their initial places.
  if (pWatched == pFrame_ && pEvent->type() == QEvent::Resize && !panesLaidOut_ && !pFrame_->size().isEmpty()) {
    panesLaidOut_ = true;
    QMetaObject::invokeMethod(this, [this] { layOutPanes(); }, Qt::QueuedConnection);
  }
  if (forwarding_) return false;
  const QEvent::Type type = pEvent->type();
  if (type != QEvent::KeyPress && type != QEvent::Wheel) return false;
  auto* pWidget = qobject_cast<QWidget*>(pWatched);
  if (!pWidget || pWidget->window() != this) return false;
  QWidget* pTarget = pDocument_->keyboardTarget() ? pCharView_ : pFontView_;
  if (type == QEvent::KeyPress) {
    auto* pKey = static_cast<QKeyEvent*>(pEvent);
    if (pKey->key() == Qt::Key_Tab && pKey->modifiers() == Qt::NoModifier) {
      pDocument_->setKeyboardTarget(!pDocument_->keyboardTarget());
      pEvent->accept();
      return true;
    }
  } else if (pDocument_->keyboardTarget() != 0) {
    return false;
  }
  if (pWidget == pTarget || pTarget->isAncestorOf(pWidget)) return false;
  forwarding_ = true;
  QCoreApplication::sendEvent(pTarget, pEvent);
  forwarding_ = false;
  // Delivered: the widgets around the one it was typed in do not see it again.
  pEvent->accept();
  return true;
}
