// The main window and the command dispatch.
#include "shell/mainwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSessionManager>
#include <QMimeData>
#include <QPointer>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <vector>

#include "edit/glyph.h"
#include "model/font.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"
#include "shell/commandmenus.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/gotoblock.h"
#include "shell/dialogs/gotodialog.h"
#include "shell/dialogs/newfont.h"
#include "shell/document.h"
#include "shell/filedialogs.h"
#include "shell/flashsizelabel.h"
#include "shell/glyphclipboard.h"
#include "shell/toolbaricons.h"
#include "shell/views/charview.h"
#include "shell/views/fontview.h"
#include "shell/views/previewpane.h"
#include "shell/views/propview.h"
#include "shell/views/splitter.h"
#include "shell/windowstate.h"

namespace {

constexpr int kStatusTextMax = 79;

QString Plain(const QString& label) { return label.section('\t', 0, 0).remove('&'); }

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
  createViews();
  applyToolbarState();
  updateHistoryItems();
  updateCaption();
  WINDOWSTATE_Attach(this);

  connect(pDocument_, &Document::fontInstalled, this, &MainWindow::onFontInstalled);
  connect(pDocument_, &Document::showAllCharactersChanged, this, &MainWindow::onShowAllChanged);
  connect(pDocument_, &Document::redrawRequested, this, &MainWindow::redrawViews);
  connect(pDocument_, &Document::modifiedChanged, this, &MainWindow::updateCaption);
  connect(pDocument_->undoStack(), &QUndoStack::indexChanged, this, &MainWindow::updateHistoryItems);
  connect(pDocument_, &Document::keyboardTargetChanged, this, [this](int target) {
    (target ? pCharView_ : pFontView_)->setFocus(Qt::OtherFocusReason);
    redrawViews(VIEW_FONT | VIEW_CHAR);
  });
  // The desktop session ending closes the window too: the same question first.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (manager.allowsInteraction() && !confirmDiscard()) manager.cancel();
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
}

// Asks for a code and selects it in the font view; a code the font cannot show is
// said in the status bar.
void MainWindow::goToCharacter(int) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  int code = 0;
  QString error;
  if (SHELL_AskGoToCharacter(this, pFont, &code, &error, pDocument_->showAllCharacters()))
    static_cast<FontView*>(pFontView_)->goToCode(code);
  else if (!error.isEmpty())
    setStatusText(error.toUtf8().constData());
}

void MainWindow::goToBlock(int) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  if (FONT_GetEncoding(pFont) == ENCODING_JIS) {
    setStatusText("A Shift_JIS font has no Unicode blocks");
    return;
  }
  BlockEntry entry;
  if (SHELL_AskGoToBlock(this, pFont, pDocument_->currentChar(), &entry))
    static_cast<FontView*>(pFontView_)->goToBlock(int(entry.First >> 4), entry.FirstEnabled);
}

// The first layout of the frame W x H: font view 0..H/2-3, a 3-pixel bar, the lower
// views from H/2, the character view to W/2-2 and the properties view from W/2+1.
void MainWindow::layOutPanes() {
  if (WINDOWSTATE_RestorePanes(this)) return;
  const int w = pFrame_->width(), h = pFrame_->height();
  pFrame_->setSizes({h / 2 - 3, h - h / 2});
  pLower_->setSizes({w / 2 - 2, w - w / 2 - 1});
}

// The menu bar from the registry: each command's item goes into the menu its row
// names, which is made where its first command appears.
void MainWindow::buildMenus() {
  QHash<QString, QMenu*> menus;
  std::function<QMenu*(const QString&)> menuFor = [&](const QString& path) -> QMenu* {
    if (QMenu* pMenu = menus.value(path)) return pMenu;
    const int bar = path.lastIndexOf('|');
    const QString title = path.mid(bar + 1);
    QMenu* pMenu = bar < 0 ? menuBar()->addMenu(title) : menuFor(path.left(bar))->addMenu(title);
    pMenu->setAccessibleName(Plain(title));
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { applyMenuState(pMenu); });
    connect(pMenu, &QMenu::aboutToHide, this, [this] { setStatusText("Ready"); });
    connect(pMenu, &QMenu::hovered, this, [this](QAction* pAction) {
      const char* pHelp =
          pAction->menu() || pAction->isSeparator() ? nullptr : SHELL_GetHelpText(SHELL_CommandIdOf(pAction));
      setStatusText(pHelp ? pHelp : "Ready");
    });
    menus.insert(path, pMenu);
    return pMenu;
  };
  for (const ShellCommand& c : SHELL_Commands()) {
    if (!c.pMenu) continue;
    QMenu* pMenu = menuFor(QString::fromUtf8(c.pMenu));
    if (c.Separator == SEP_BEFORE) pMenu->addSeparator();
    QAction* pAction = pMenu->addAction(QString::fromUtf8(c.pLabel));
    SHELL_SetCommandId(pAction, c.Id);
    pAction->setObjectName(QString("menu%1").arg(c.Id));
    if (c.Check != CHECK_NONE) {
      pAction->setCheckable(true);
      pAction->setChecked(SHELL_IsMenuItemChecked(c.Id, pDocument_->commandState()));
    }
    if (c.Separator == SEP_AFTER) pMenu->addSeparator();
    const int id = c.Id;
    connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
    menuActions_.insert(id, pAction);
  }
  menuBar()->setAccessibleName("Menu bar");
}

// The registry's shortcuts, and nothing else, become shortcuts. They belong to the
// window rather than to the menu items, whose state is only brought up to date when
// a menu opens; the dispatch itself ignores commands that need a missing font.
void MainWindow::buildAccelerators() {
  for (const ShellCommand& c : SHELL_Commands()) {
    for (const char* pKeys : c.apKeys) {
      if (!pKeys) continue;
      auto* pAction = new QAction(this);
      pAction->setObjectName(QString("accel%1").arg(pKeys));
      pAction->setShortcut(QKeySequence(QString::fromUtf8(pKeys), QKeySequence::PortableText));
      pAction->setShortcutContext(Qt::WindowShortcut);
      SHELL_SetCommandId(pAction, c.Id);
      const int id = c.Id;
      connect(pAction, &QAction::triggered, this, [this, id] { runCommand(id); });
      addAction(pAction);
    }
  }
}

// The toolbar: the commands with a slot, in slot order; a gap between two slots
// (and before the first) is a separator.
void MainWindow::buildToolBar() {
  pToolBar_ = addToolBar("Toolbar");
  pToolBar_->setObjectName("ToolbarWindow");
  pToolBar_->setAccessibleName("Toolbar");
  pToolBar_->setIconSize(QSize(16, 15));
  pToolBar_->setMovable(false);
  pToolBar_->setFloatable(false);
  pToolBar_->toggleViewAction()->setVisible(false);
  std::vector<const ShellCommand*> buttons;
  for (const ShellCommand& c : SHELL_Commands())
    if (c.ToolSlot) buttons.push_back(&c);
  std::sort(buttons.begin(), buttons.end(),
            [](const ShellCommand* a, const ShellCommand* b) { return a->ToolSlot < b->ToolSlot; });
  int slot = 0;
  for (const ShellCommand* c : buttons) {
    if (c->ToolSlot > slot + 1) pToolBar_->addSeparator();
    slot = c->ToolSlot;
    QAction* pAction = pToolBar_->addAction(SHELL_ToolbarIcon(c->Image), QString());
    const QString help = QString::fromUtf8(c->pHelp ? c->pHelp : "");
    pAction->setToolTip(help);
    pAction->setText(help);
    SHELL_SetCommandId(pAction, c->Id);
    pAction->setObjectName(QString("tool%1").arg(c->Id));
    if (c->Check != CHECK_NONE) pAction->setCheckable(true);
    const int id = c->Id;
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
  ShellState s = pDocument_->commandState();
  s.PreviewShown = pPreview_ && pPreview_->toggleAction()->isChecked();
  if (const auto* pView = static_cast<const CharView*>(pCharView_)) {
    s.Zoom = pView->zoom();
    s.Guides = pView->guides();
    s.Brush = pView->brush();
  }
  s.CanPaste = SHELL_CanPasteGlyph(QApplication::clipboard()->mimeData());
  return s;
}

void MainWindow::applyMenuState(QMenu* pMenu) { SHELL_ApplyMenuState(pMenu, state()); }

void MainWindow::applyToolbarState() {
  const ShellState s = state();
  for (auto it = toolbarActions_.cbegin(); it != toolbarActions_.cend(); ++it) {
    it.value()->setEnabled(SHELL_IsToolbarButtonEnabled(it.key(), s));
    if (it.value()->isCheckable()) it.value()->setChecked(SHELL_IsToolbarButtonChecked(it.key(), s));
  }
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

namespace {

// While it lives, lets only 'pKeep' and the widgets holding it paint; the paints it
// holds back are asked for again (update) when it ends.
class PaintOnly : public QObject {
 public:
  explicit PaintOnly(QWidget* pKeep) : pKeep_(pKeep) { qApp->installEventFilter(this); }
  ~PaintOnly() override {
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& pWidget : heldBack_)
      if (pWidget) pWidget->update();
  }

 protected:
  bool eventFilter(QObject* pObject, QEvent* pEvent) override {
    if (pEvent->type() != QEvent::Paint || !pObject->isWidgetType()) return false;
    QWidget* pWidget = static_cast<QWidget*>(pObject);
    if (pWidget == pKeep_ || pWidget->isAncestorOf(pKeep_)) return false;
    if (!heldBack_.contains(pWidget)) heldBack_.push_back(pWidget);
    return true;
  }

 private:
  QWidget* pKeep_;
  QList<QPointer<QWidget>> heldBack_;
};

}  // namespace

void MainWindow::paintStatusOnly() {
  PaintOnly only(pStatus_);
  pStatus_->repaint();
}

void MainWindow::setCaptionFile(const QString& fileName) { pDocument_->setCaptionName(fileName); }

// The title: the file name, with an asterisk while the font differs from the last
// save or load.
void MainWindow::updateCaption() {
  const QString name = pDocument_->captionName();
  if (name.isEmpty()) {
    setWindowTitle(QString::fromStdString(SHELL_GetProgramTitle()));
    return;
  }
  const QString shown = pDocument_->isModified() ? name + "*" : name;
  setWindowTitle(QString::fromStdString(SHELL_FormatCaption(shown.toStdString())));
}

// Undo and Redo name the step they take back or do again, in their items and
// their buttons' tooltips, and are grayed when there is none.
void MainWindow::updateHistoryItems() {
  const QUndoStack* pStack = pDocument_->undoStack();
  const ShellState s = state();
  for (const int id : {int(ID_UNDO), int(ID_REDO)}) {
    const QString step = id == ID_UNDO ? pStack->undoText() : pStack->redoText();
    const ShellCommand* pCommand = SHELL_FindCommand(id);
    const QString label = QString::fromUtf8(pCommand->pLabel);
    if (QAction* pItem = menuActions_.value(id)) {
      pItem->setText(step.isEmpty() ? label : label.section('\t', 0, 0) + " " + step + "\t" + label.section('\t', 1));
      pItem->setEnabled(SHELL_IsMenuItemEnabled(id, s));
    }
    if (QAction* pButton = toolbarActions_.value(id)) {
      const QString tip = Plain(label) + (step.isEmpty() ? QString() : " " + step);
      pButton->setText(tip);
      pButton->setToolTip(tip);
      pButton->setEnabled(SHELL_IsToolbarButtonEnabled(id, s));
    }
  }
}

void MainWindow::onFontInstalled() {
  updateCaption();
  applyToolbarState();
  redrawViews(VIEW_ALL);
}

void MainWindow::adoptCurrentFont() { pDocument_->adoptCurrent(); }

void MainWindow::onShowAllChanged() {
  const ShellState s = state();
  toolbarActions_.value(ID_SHOW_ALL)->setChecked(SHELL_IsToolbarButtonChecked(ID_SHOW_ALL, s));
  menuActions_.value(ID_SHOW_ALL)->setChecked(SHELL_IsMenuItemChecked(ID_SHOW_ALL, s));
  redrawViews(VIEW_FONT | VIEW_CHAR);
}

void MainWindow::redrawViews(int viewMask) {
  if (viewMask & VIEW_FONT) pFontView_->update();
  if (viewMask & VIEW_CHAR) pCharView_->update();
  if (viewMask & VIEW_PROP) pPropView_->update();
}

void MainWindow::runCommand(int id) { dispatchCommand(id); }

void MainWindow::runCommandLineCommand(int id) {
  const bool before = commandLine_;
  commandLine_ = true;
  dispatchCommand(id);
  commandLine_ = before;
}

bool MainWindow::confirmDiscard() {
  if (commandLine_ || !isVisible() || !pDocument_->font() || !pDocument_->isModified()) return true;
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(PROGRAM_NAME),
                  QString("Save changes to %1?").arg(pDocument_->captionName()),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setObjectName("SaveChangesBox");
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      saveFont(ID_SAVE);
      return !pDocument_->isModified();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void MainWindow::closeEvent(QCloseEvent* pEvent) {
  if (confirmDiscard())
    pEvent->accept();
  else
    pEvent->ignore();
}

int MainWindow::saveFormat() const { return pDocument_->saveFormat(); }

bool MainWindow::dispatchCommand(int id) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  if (!pCommand) return true;
  if (pCommand->Edit) {
    pDocument_->runEditCommand(id);
  } else if (pCommand->Handler) {
    (this->*pCommand->Handler)(id);
  }
  return id != ID_EXIT;
}

void MainWindow::exitWindow(int) { close(); }

void MainWindow::newFont(int) {
  if (!confirmDiscard()) return;
  FontPtr pFont = SHELL_RunNewFont(this, pDocument_->font());
  if (pFont) pDocument_->install(std::move(pFont), QString());
}

void MainWindow::undoRedo(int id) {
  if (id == ID_UNDO)
    pDocument_->undoStack()->undo();
  else
    pDocument_->undoStack()->redo();
}

void MainWindow::showAll(int) { pDocument_->flipShowAllCharacters(); }

void MainWindow::togglePreview(int) { pPreview_->toggleAction()->toggle(); }

void MainWindow::selectRange(int id) {
  if (!pDocument_->font()) return;
  int first = 0, last = 0;
  if (SHELL_RunSelectRange(this, id, &first, &last)) pDocument_->enableRange(first, last, id == ID_ENABLE_RANGE ? 1 : 0);
}

void MainWindow::readPattern(int) {
  if (!pDocument_->font()) return;
  // A pattern only enables characters: the step keeps their flags, no pixels.
  pDocument_->recordEdit(EDIT_ScopeEnabled(0, FONT_NUM_CODES - 1), "Read pattern file", [this] {
    SHELL_ReadPatternFile(this);
    return true;
  });
  redrawViews(VIEW_ALL);
}

void MainWindow::savePattern(int) {
  if (pDocument_->font()) SHELL_SavePatternFile(this);
}

void MainWindow::optionDialog(int id) { SHELL_RunOptionDialog(this, id); }

void MainWindow::about(int) { SHELL_RunAbout(this); }

void MainWindow::cmdHelp(int) { SHELL_RunCmdHelp(this); }

// Pixel commands belong to the character view (its current pixel).
void MainWindow::pixelCommand(int id) { static_cast<CharView*>(pCharView_)->pixelCommand(id); }

// The character view's cell size, guides and brush.
void MainWindow::zoomCommand(int id) {
  auto* pView = static_cast<CharView*>(pCharView_);
  if (id == ID_ZOOM_IN || id == ID_ZOOM_OUT)
    pView->zoomBy(id == ID_ZOOM_IN ? 1 : -1);
  else
    pView->setZoom(SHELL_ZoomOfCommand(id));
}

void MainWindow::toggleGuides(int) {
  auto* pView = static_cast<CharView*>(pCharView_);
  pView->setGuides(!pView->guides());
}

void MainWindow::brushCommand(int id) { static_cast<CharView*>(pCharView_)->setBrush(id - ID_BRUSH0); }

void MainWindow::copyCharacter(int) {
  EditGlyph glyph;
  if (pDocument_->copyGlyph(&glyph)) QApplication::clipboard()->setMimeData(SHELL_GlyphMimeData(glyph));
}

void MainWindow::pasteCharacter(int) {
  const Font* pFont = pDocument_->font();
  if (!pFont) return;
  EditGlyph glyph;
  switch (SHELL_GlyphFromMimeData(QApplication::clipboard()->mimeData(), FONT_GetBaseline(pFont), &glyph)) {
    case GLYPH_PASTE_NOTHING: setStatusText("The clipboard holds no character and no image"); return;
    case GLYPH_PASTE_BROKEN: setStatusText("The clipboard's character data are damaged"); return;
    case GLYPH_PASTE_TOO_LARGE: setStatusText("The clipboard's image is larger than 4096 x 4096 pixels"); return;
  }
  if (!pDocument_->pasteGlyph(glyph)) setStatusText("The pasted character lies outside the rows of the font");
}

void MainWindow::saveFont(int id) {
  Font* pFont = pDocument_->font();
  if (!pFont) return;
  char path[FONT_FILENAME_SIZE] = {};
  FONT_GetFileName(pFont, path, sizeof path);
  if (id == ID_SAVE && *path) {
    pDocument_->save(pDocument_->saveFormat(), false);
    return;
  }
  char face[64] = {};
  FONT_GetFaceName(pFont, face, sizeof face);
  QString chosen = QString::fromStdString(SHELL_ProposedSaveName(path, face, FONT_GetHeight(pFont)));
  // Standard 2 and 4 bpp fonts cannot be written as XBF: their list ends before it.
  const int type = FONT_GetType(pFont);
  const int numFilters = (type == FONTTYPE_AA2 || type == FONTTYPE_AA4) ? 2 : 3;
  if (!FILEDLG_Save(this, "Save font as", SHELL_aFiltersSave, numFilters, &chosen)) return;
  pDocument_->saveAs(chosen, FILEDLG_GetFilterPos() - 1);
}

void MainWindow::loadFont(int id) {
  const FileFilter* pFilters = id == ID_LOAD_C ? SHELL_aFiltersC : id == ID_LOAD_XBF ? SHELL_aFiltersXbf
                                                                                      : SHELL_aFiltersBdf;
  const char* pTitle = id == ID_LOAD_C ? "Select 'C' file" : id == ID_LOAD_XBF ? "Select 'XBF' file"
                                                                                : "Select 'BDF' file";
  if (!confirmDiscard()) return;
  QString path;
  if (!FILEDLG_Open(this, pTitle, pFilters, 2, &path)) return;
  pDocument_->load(path, id == ID_LOAD_C     ? Document::READER_C
                         : id == ID_LOAD_XBF ? Document::READER_XBF
                                             : Document::READER_BDF);
}

void MainWindow::mergeFont(int id) {
  if (!pDocument_->font()) {
    ReportMessage("No font data");
    return;
  }
  const bool xbf = id == ID_MERGE_XBF;
  QString path;
  if (!FILEDLG_Open(this, xbf ? "Select 'XBF' file" : "Select 'C' file", xbf ? SHELL_aFiltersXbf : SHELL_aFiltersC,
                    2, &path))
    return;
  pDocument_->mergeFile(path, xbf);
}

void MainWindow::openDroppedFile(const QString& path) {
  if (confirmDiscard()) pDocument_->loadDropped(path);
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

// Keys belong to the focused widget: the views' keys (Tab and what the view holding
// the keyboard takes) apply only while a view or the main window itself has the
// focus, never while a field of the preview or a toolbar does.
bool MainWindow::viewsHoldTheKeys() const {
  const QWidget* pFocus = QApplication::focusWidget();
  if (!pFocus || pFocus == this) return true;
  for (const QWidget* pView : {pFontView_, pCharView_, pPropView_})
    if (pFocus == pView || pView->isAncestorOf(pFocus)) return true;
  return false;
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
  if (type == QEvent::KeyPress && !viewsHoldTheKeys()) return false;
  // The preview pane's own fields take their wheel turns.
  if (type == QEvent::Wheel && (pWidget == pPreview_ || pPreview_->isAncestorOf(pWidget))) return false;
  // The character view zooms with Ctrl and the wheel, and its scroll bars take their turns.
  if (type == QEvent::Wheel && (pCharView_->isAncestorOf(pWidget) ||
                                (pWidget == pCharView_ && (static_cast<QWheelEvent*>(pEvent)->modifiers() &
                                                           Qt::ControlModifier))))
    return false;
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
