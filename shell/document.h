// The current font as the window sees it. The document is the one owner of the
// current font while the window runs and the only caller of edit operations from
// the window; it turns the core's change notices into signals, so each view
// repaints just what changed. The window-wide state the views share (which view
// holds the keyboard, whether every block is shown) lives here too.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "edit/record.h"

#include "model/font.h"
#include "settings/services.h"

class QUndoStack;

Q_DECLARE_METATYPE(ChangeNotice)

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  // The current font; null before the first one.
  Font* font() const;
  // Installs pFont as the current font (the previous one is destroyed) with its
  // file path ("" for a new font) and emits fontInstalled. A null pFont changes
  // nothing.
  void install(FontPtr pFont, const QString& path);

  // The code selected in the views; 0 without a font.
  int currentChar() const;
  // Selects a code (FONT_SetCurrentChar) and emits currentCharChanged when it moved.
  void setCurrentChar(int code);

  // 0: the font view receives keystrokes; 1: the character view.
  int keyboardTarget() const { return keyboardTarget_; }
  void setKeyboardTarget(int target);
  // 1: the font view shows every block; 0: only the used blocks.
  int showAllCharacters() const { return showAllCharacters_; }
  void setShowAllCharacters(int on);

  // Writes one pixel of a character through the core: with journal on, first the
  // journal line of a pixel set; EXT_FRM fonts get their frame rebuilt. Emits
  // fontChanged for that code.
  void setPixel(int code, int x, int y, int value, bool journal);

  // The edit commands of the window (ids 540 to 603 columns, rows, shifts and moves
  // of the current character; 620, 621 cursor distance; 640 to 643 font height; 660
  // toggle; 661, 662 block; 722 disable all). Each calls its edit operation on the
  // current font with the journal switch that command uses and emits the change.
  // False for an id that is not one of them; nothing happens without a font.
  bool runEditCommand(int id);
  // Enables (state 1) or disables codes first..last of the current font.
  void enableRange(int first, int last, int state);
  // Merges pSource into the current font; a refusal is reported. The font's kept
  // XBF text stays. pJournalBefore: the journal before the source was read, which
  // undo brings back (null: the journal as it is now).
  void mergeFont(const Font* pSource, const std::string* pJournalBefore = nullptr);
  // Reads a C or XBF file and merges it as one step, which undo takes back with
  // the journal the read cleared.
  void mergeFile(const QString& path, bool xbf);
  // Flips ShowAllCharacters; with a font the current character becomes 'A'.
  void flipShowAllCharacters();

  // Undo and redo. Every change of the font the window makes goes through
  // recordEdit, which keeps an edit record of the scope around the change and pushes
  // it as one step named text. change returns false when it changed nothing (a
  // refused merge); no step is kept then. New fonts clear the history.
  QUndoStack* undoStack() const { return pUndo_; }
  // Bytes the records of every step of the history hold.
  size_t historyMemory() const;
  // The bytes the history may hold (UNDO_DEFAULT_BUDGET until set); beyond them
  // its oldest steps go, from the next step on.
  void setHistoryBudget(size_t bytes) { historyBudget_ = bytes; }
  void recordEdit(const EditScope& scope, const QString& text, const std::function<bool()>& change);
  // A mouse stroke: every pixel between the two calls is one step.
  void beginStroke();
  void endStroke();
  // Ends the run of pixel keystrokes that merge into one step.
  void breakPixelRun() { pixelRun_ = -1; }
  // The name of the step an edit command id makes ("Insert row at top").
  static QString commandStepName(int id);

  // An undo or redo put another code into the current character.
  void notifyCurrentCharMoved() { emit currentCharChanged(currentChar()); }

  // Called by the window's platform services when the core reports a change.
  void notifyFontChanged(const ChangeNotice& notice);
  void notifyRedraw(int viewMask);

 signals:
  // A new font replaced the previous one: views lay themselves out again.
  void fontInstalled();
  // The font's data changed in the codes of the notice.
  void fontChanged(const ChangeNotice& notice);
  // View state changed (ViewMask bits say which views should repaint).
  void redrawRequested(int viewMask);
  void currentCharChanged(int code);
  void keyboardTargetChanged(int target);
  void showAllCharactersChanged(int on);

 private:
  bool runEditCommandNow(int id);
  void enableRangeNow(int first, int last, int state);
  bool setPixelNow(uint16_t c, int x, int y, int value, bool journal);
  void pushStep(const EditScope& scope, const QString& text, const std::function<bool()>& change, int run,
                const std::string* pJournalBefore = nullptr);

  QUndoStack* pUndo_ = nullptr;
  size_t historyBudget_ = size_t{256} << 20;  // UNDO_DEFAULT_BUDGET
  int runSerial_ = 0;  // numbers the keystroke runs; steps of one run merge
  int pixelRun_ = -1;  // the code consecutive pixel edits merge on, -1 for none
  bool inStroke_ = false;
  int keyboardTarget_ = 0;
  int showAllCharacters_ = 1;
};
