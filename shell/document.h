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
#include "shell/commandtable.h"

class QUndoStack;
struct EditGlyph;

Q_DECLARE_METATYPE(ChangeNotice)

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  // The current font; null before the first one.
  Font* font() const;
  // Installs pFont as the current font (the previous one is destroyed) with its
  // file path ("" for a new font: the caption names "Untitled") and emits
  // fontInstalled. A null pFont changes nothing.
  void install(FontPtr pFont, const QString& path);

  // Takes over the current font as the command line left it (its file argument or
  // a created font) as install does: the caption names its file, or "Untitled".
  void adoptCurrent();

  // The readers of the File menu and of dropped files.
  enum Reader { READER_C, READER_XBF, READER_BDF };
  // Reads a file and installs the font; false, with nothing changed, when the reader
  // returned none (it has reported why).
  bool load(const QString& path, int reader);
  // A dropped file: .c and .xbf (in any case) are loaded; any other extension is
  // reported.
  bool loadDropped(const QString& path);
  // Saves the font to its file path in 'format' (SaveFormat), asking before an
  // existing file is replaced when 'ask' is set; a SaveResult. The document is
  // unmodified afterwards only when the file was written.
  int save(int format, bool ask);
  // Gives the font a new path and saves it there, asking before replacing a file;
  // the caption then names the new file.
  int saveAs(const QString& path, int format);
  // Output format of the last "Save font as": 0 C, 1 SIF, 2 XBF.
  int saveFormat() const { return saveFormat_; }

  // The file name the caption shows: the base name of the last loaded or saved
  // file, "Untitled" for a new font, "" before the first font.
  QString captionName() const { return captionName_; }
  void setCaptionName(const QString& name);
  // Whether the font differs from what was last loaded, saved or created.
  bool isModified() const;

  // What the command registry's rules look at (the text preview aside).
  ShellState commandState() const;

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

  // Runs a command of the registry that is an edit primitive, as one step of the
  // history with the row's scope and name; the core reports what changed. False for
  // an id that is no edit primitive; nothing happens without a font.
  bool runEditCommand(int id);
  // The current character's pixels, box and advance; false without a font.
  bool copyGlyph(EditGlyph* pGlyph);
  // Puts a glyph into the current character as one step ("Paste character") with
  // its journal line; false when nothing was pasted (no font, or the glyph lies
  // outside the font's rows).
  bool pasteGlyph(const EditGlyph& glyph);
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
  void notifySettingsChanged() { emit settingsChanged(); }

 signals:
  // A new font replaced the previous one: views lay themselves out again.
  void fontInstalled();
  // The font's data changed in the codes of the notice.
  void fontChanged(const ChangeNotice& notice);
  // Characters First..Last were rendered for the first time: the views already
  // draw what rendering gave, figures that estimated them can count them now.
  void charsRendered(int first, int last);
  // The options were saved.
  void settingsChanged();
  // The font came to differ from the last load or save, or came back to it.
  void modifiedChanged(bool modified);
  // View state changed (ViewMask bits say which views should repaint).
  void redrawRequested(int viewMask);
  void currentCharChanged(int code);
  void keyboardTargetChanged(int target);
  void showAllCharactersChanged(int on);

 private:
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
  int saveFormat_ = 0;
  QString captionName_;
  bool historyLost_ = false;  // the history was dropped while the font differed from its file
};
