// The main window: menus, accelerators, toolbar and status bar built from the command
// registry, the three panes in splitters, the one command dispatch with the
// registry's handlers, drag and drop of font files, and the keyboard routing to the
// view that holds the keyboard. The font, its file and whether it is modified are
// the document's; the window asks it.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>

#include "shell/commandtable.h"

class Document;
class PreviewPane;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Document* pDocument, QWidget* pParent = nullptr);
  ~MainWindow() override;

  Document* document() const { return pDocument_; }

  // The panes, created by createViews().
  QWidget* fontView() const { return pFontView_; }
  QWidget* charView() const { return pCharView_; }
  QWidget* propView() const { return pPropView_; }
  PreviewPane* previewPane() const { return pPreview_; }
  // The splitter frame: font view above, the lower splitter below.
  QSplitter* frameSplitter() const { return pFrame_; }
  QSplitter* lowerSplitter() const { return pLower_; }

  // The menu item and the toolbar button of a command id (null when there is none).
  QAction* menuAction(int id) const { return menuActions_.value(id); }
  QAction* toolbarAction(int id) const { return toolbarActions_.value(id); }
  QToolBar* toolBar() const { return pToolBar_; }

  // The state the enable rules look at.
  ShellState state() const;
  // The menu's state rules, applied to the items of one menu (each time it opens).
  void applyMenuState(QMenu* pMenu);
  // The toolbar's state rules: with or without a font.
  void applyToolbarState();

  // The one part of the status bar; a text is sent only when it differs from the
  // last one (at most 79 characters are kept).
  void setStatusText(const char* pText);
  QString statusText() const;
  // Paints the status text now, and nothing else of the window: for progress shown
  // while worker threads render, when a view's paint, which renders the characters
  // it shows, must not run. Other parts due for a paint are painted afterwards.
  void paintStatusOnly();

  // The caption: program title and the file name shown.
  void setCaptionFile(const QString& fileName);

  // Output format of the last "Save font as" dialog: 0 C, 1 SIF, 2 XBF.
  int saveFormat() const;

  // Takes over a font the command line made current before the window existed, as
  // File / Load installs one: the caption names its file ("Untitled" for a created
  // font), the current character is A.
  void adoptCurrentFont();

  // Loads a dropped file (.c or .xbf, any case), else reports the extension.
  void openDroppedFile(const QString& path);

  // The dispatch: runs command 'id' by its registry row; false only for Exit,
  // which closes the window. Ids without a row do nothing.
  bool dispatchCommand(int id);

  // The handlers of the registry's rows (shell/commandtable.cpp), each given the id
  // it runs for.
  void newFont(int id);
  void saveFont(int id);
  void loadFont(int id);
  void mergeFont(int id);
  void exitWindow(int id);
  void undoRedo(int id);
  void selectRange(int id);
  void readPattern(int id);
  void savePattern(int id);
  void showAll(int id);
  void togglePreview(int id);
  void goToCharacter(int id);
  void goToBlock(int id);
  void optionDialog(int id);
  void about(int id);
  void cmdHelp(int id);
  void pixelCommand(int id);
  void zoomCommand(int id);
  void toggleGuides(int id);
  void brushCommand(int id);
  void copyCharacter(int id);
  void pasteCharacter(int id);

 public slots:
  // Runs a command as the menus, toolbar, accelerators and the views' popup menus
  // do.
  void runCommand(int id);
  // Runs a command sent by the command line's job queue: it never asks the user
  // whether to save.
  void runCommandLineCommand(int id);

 public:
  // While the font differs from what was last loaded or saved, asks "Save changes
  // to <name>?" (Save, Discard, Cancel); Save saves (Save As for an unnamed font).
  // True when the caller may go on: nothing to ask, Discard, or a save that worked.
  // A run of the command line and a hidden window never ask.
  bool confirmDiscard();

 protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
  void closeEvent(QCloseEvent* pEvent) override;
  void dragEnterEvent(QDragEnterEvent* pEvent) override;
  void dropEvent(QDropEvent* pEvent) override;

 private:
  void createViews();
  void buildMenus();
  void buildAccelerators();
  void buildToolBar();
  void buildStatusBar();
  void layOutPanes();
  void onFontInstalled();
  void onShowAllChanged();
  void redrawViews(int viewMask);
  void updateHistoryItems();
  bool viewsHoldTheKeys() const;
  void updateCaption();

  Document* pDocument_;
  QWidget* pFontView_ = nullptr;
  QWidget* pCharView_ = nullptr;
  QWidget* pPropView_ = nullptr;
  PreviewPane* pPreview_ = nullptr;
  QSplitter* pFrame_ = nullptr;
  QSplitter* pLower_ = nullptr;
  QToolBar* pToolBar_ = nullptr;
  QLabel* pStatus_ = nullptr;
  QHash<int, QAction*> menuActions_;
  QHash<int, QAction*> toolbarActions_;
  QByteArray statusCache_;
  bool panesLaidOut_ = false;
  bool forwarding_ = false;
  bool commandLine_ = false;  // a command of the command line is running
};
