// The window's command tables, free of Qt: the menu tree, the accelerators, the
// toolbar rows, the help texts, the rules that enable menu items and toolbar
// buttons, the caption and the file-dialog filter lists. The main window builds its
// menus, shortcuts and toolbar from these tables, and the tests compare against them.
#pragma once

#include <string>

// Command ids of the dispatch.
enum ShellCommandId {
  ID_NEW = 520,
  ID_SAVE = 521,
  ID_SAVEAS = 522,
  ID_LOAD_C = 523,
  ID_LOAD_XBF = 524,
  ID_MERGE_C = 525,
  ID_MERGE_XBF = 526,
  ID_LOAD_BDF = 527,
  ID_EXIT = 528,
  ID_INSERT_RIGHT = 540,
  ID_INSERT_BOTTOM = 543,
  ID_DELETE_RIGHT = 560,
  ID_DELETE_BOTTOM = 563,
  ID_SHIFT_RIGHT = 580,
  ID_SHIFT_DOWN = 583,
  ID_MOVE_RIGHT = 600,
  ID_MOVE_DOWN = 603,
  ID_CURSOR_INC = 620,
  ID_CURSOR_DEC = 621,
  ID_HEIGHT_INSERT_TOP = 640,
  ID_HEIGHT_INSERT_BOTTOM = 641,
  ID_HEIGHT_DELETE_TOP = 642,
  ID_HEIGHT_DELETE_BOTTOM = 643,
  ID_TOGGLE_CHAR = 660,
  ID_DISABLE_BLOCK = 661,
  ID_ENABLE_BLOCK = 662,
  ID_PIXEL_INC = 680,
  ID_PIXEL_DEC = 681,
  ID_PIXEL_INVERT = 682,
  ID_PIXEL_SET0 = 700,
  ID_PIXEL_SET15 = 715,
  ID_ENABLE_RANGE = 720,
  ID_DISABLE_RANGE = 721,
  ID_DISABLE_ALL = 722,
  ID_READ_PATTERN = 740,
  ID_SAVE_PATTERN = 741,
  ID_SHOW_ALL = 760,
  ID_OPT_COMPATIBILITY = 780,
  ID_OPT_MEASUREMENT = 785,
  ID_ABOUT = 800,
  ID_CMD_OPTIONS = 801,
  // Undo and redo: Edit menu items, keys and toolbar buttons of the window's history.
  ID_UNDO = 820,
  ID_REDO = 821,
};

// One row of the menu tree: a submenu opens with MENU_POPUP and closes with MENU_END.
enum MenuKind { MENU_POPUP, MENU_END, MENU_ITEM, MENU_SEPARATOR };
struct MenuEntry {
  int Kind;
  int Id;              // MENU_ITEM only
  const char* pLabel;  // MENU_POPUP and MENU_ITEM; the text after '\t' is the key shown
};
// The menu bar, in order, ended by a row with a null label and kind MENU_END at depth 0.
extern const MenuEntry SHELL_aMenu[];
extern const int SHELL_NumMenuEntries;

// A keyboard shortcut of the main window, in Qt's portable key-sequence text.
struct AccelEntry {
  const char* pKeys;
  int Id;
};
extern const AccelEntry SHELL_aAccel[];
extern const int SHELL_NumAccel;

// One toolbar row: image index into the strip of 25 images, or -1 for a separator.
struct ToolbarEntry {
  int Image;
  int Id;
};
enum { SHELL_NUM_TOOLBAR_ROWS = 33, SHELL_NUM_TOOLBAR_IMAGES = 25 };
extern const ToolbarEntry SHELL_aToolbar[SHELL_NUM_TOOLBAR_ROWS];

// The history's buttons, after the rows above: a separator, Undo and Redo. Their
// images follow the strip; their state and tooltips follow the history, not the
// rules below.
enum { SHELL_NUM_UNDO_TOOLBAR_ROWS = 3, SHELL_IMAGE_UNDO = 25, SHELL_IMAGE_REDO = 26 };
extern const ToolbarEntry SHELL_aUndoToolbar[SHELL_NUM_UNDO_TOOLBAR_ROWS];

// The status-bar and tooltip text of a command; null when it has none.
const char* SHELL_GetHelpText(int id);

// What the state rules look at: whether a font is present, its type and which view
// holds the keyboard.
struct ShellState {
  bool HasFont = false;
  int Type = 0;
  int KeyboardTarget = 0;
  int ShowAllCharacters = 1;
};
// Menu item: enabled (not grayed) in this state.
bool SHELL_IsMenuItemEnabled(int id, const ShellState& state);
// Toolbar button: enabled (else shown indeterminate) in this state.
bool SHELL_IsToolbarButtonEnabled(int id, const ShellState& state);

// "%s V%s" of the program name and the version text.
std::string SHELL_GetProgramTitle();
// The file part of a path without folder and extension; "" when longer than 260.
std::string SHELL_GetBaseName(const std::string& path);
// "%s - %s" of the program title and a file name shown in the caption.
std::string SHELL_FormatCaption(const std::string& fileName);

// A file-dialog filter: the text the user sees and the pattern ("*.c").
struct FileFilter {
  const char* pDescription;
  const char* pPattern;
};
// The filter lists of the File menu's dialogs, each with its count.
extern const FileFilter SHELL_aFiltersC[2];
extern const FileFilter SHELL_aFiltersXbf[2];
extern const FileFilter SHELL_aFiltersBdf[2];
extern const FileFilter SHELL_aFiltersSave[3];
// The extension of a filter: its pattern without the leading "*." ("" for "*.*").
std::string SHELL_FilterExtension(const FileFilter& filter);
// The save dialog's renaming: the name cut at its first '.' and the extension
// appended after a '.' (at most 200 characters of the name are looked at).
std::string SHELL_ReplaceExtension(const std::string& name, const std::string& extension);
// The name proposed by "Save font as": the font's path when it has one, else its
// face name followed by its height in pixels.
std::string SHELL_ProposedSaveName(const std::string& path, const std::string& faceName, int height);
// Before the save dialog opens: the path keeps its folder and base name, and its
// extension (from the last '.' of the file part) becomes 'extension'.
std::string SHELL_ReplacePathExtension(const std::string& path, const std::string& extension);
