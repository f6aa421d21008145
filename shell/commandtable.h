// The window's command registry: one row per command, holding everything the window
// shows or does for it (label with mnemonic, shortcuts, help text, toolbar slot and
// image, enable rule, check state, and either a handler of the main window or an
// edit primitive with its undo scope and step name). The menu bar, the toolbar, the
// accelerators, the views' popup menus and the dispatch are all built from it
// (shell/commandmenus.h); nothing else repeats a label, a key or a rule.
//
// Adding a command: one row in the registry (shell/commandtable.cpp) and, unless it is an edit primitive,
// its handler on MainWindow.
//
// The file also holds the caption and the file-dialog filter lists.
#pragma once

#include <span>
#include <string>

class MainWindow;
struct Font;

// Command ids of the dispatch; each number is written here and nowhere else.
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
  ID_INSERT_LEFT = 541,
  ID_INSERT_TOP = 542,
  ID_INSERT_BOTTOM = 543,
  ID_DELETE_RIGHT = 560,
  ID_DELETE_LEFT = 561,
  ID_DELETE_TOP = 562,
  ID_DELETE_BOTTOM = 563,
  ID_SHIFT_RIGHT = 580,
  ID_SHIFT_LEFT = 581,
  ID_SHIFT_UP = 582,
  ID_SHIFT_DOWN = 583,
  ID_MOVE_RIGHT = 600,
  ID_MOVE_LEFT = 601,
  ID_MOVE_UP = 602,
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
  ID_PIXEL_SET0 = 700,  // 700 + n sets index n
  ID_PIXEL_SET15 = 715,
  ID_ENABLE_RANGE = 720,
  ID_DISABLE_RANGE = 721,
  ID_DISABLE_ALL = 722,
  ID_READ_PATTERN = 740,
  ID_SAVE_PATTERN = 741,
  ID_SHOW_ALL = 760,
  ID_OPT_COMPATIBILITY = 780,
  ID_OPT_MAGNIFICATION = 781,
  ID_OPT_LOGGING = 782,
  ID_OPT_ANTIALIASING = 783,
  ID_OPT_XBF = 784,
  ID_OPT_MEASUREMENT = 785,
  ID_ABOUT = 800,
  ID_CMD_OPTIONS = 801,
  // Additions of the window: the history, the text preview and Go to character.
  ID_UNDO = 820,
  ID_REDO = 821,
  ID_PREVIEW = 822,
  ID_GOTO = 823,
  // The character view: cell size, guides and the brush the mouse paints with.
  ID_ZOOM_FIT = 840,
  ID_ZOOM_IN = 841,
  ID_ZOOM_OUT = 842,
  ID_ZOOM_4 = 843,  // 843..847: cells of 4, 8, 16, 32, 64 pixels
  ID_ZOOM_64 = 847,
  ID_GUIDES = 848,
  ID_BRUSH0 = 850,  // 850 + n paints with index n
  ID_BRUSH15 = 865,
  // Go to block.
  ID_GOTO_BLOCK = 870,
  // The glyph clipboard and the mirror images of the current character.
  ID_COPY_CHAR = 880,
  ID_PASTE_CHAR = 881,
  ID_FLIP_HORIZONTAL = 882,
  ID_FLIP_VERTICAL = 883,
};

// What the enable rules look at.
struct ShellState {
  bool HasFont = false;
  int Type = 0;
  int KeyboardTarget = 0;
  int ShowAllCharacters = 1;
  bool PreviewShown = false;
  bool CanUndo = false;
  bool CanRedo = false;
  int Zoom = 0;  // the character view's cell size, 0 for Fit
  bool Guides = false;
  int Brush = -1;  // the index the mouse paints with
  bool CanPaste = false;  // the clipboard holds a glyph or an image
};

// When a command's menu item and toolbar button are enabled.
enum CommandRule {
  RULE_ALWAYS,
  RULE_FONT,        // a font is present
  RULE_EXT,         // menu: an EXT or EXT_FRM font; toolbar: a font of any extended type
  RULE_FONT_VIEW,   // a font, and the font view holds the keyboard
  RULE_PIXEL,       // a font, and the character view holds the keyboard
  RULE_PIXEL_AA,    // as RULE_PIXEL, in a font of 2 or 4 bits per pixel
  RULE_PIXEL_AA4,   // as RULE_PIXEL, in a font of 4 bits per pixel
  RULE_CAN_UNDO,    // the history has a step to take back
  RULE_CAN_REDO,    // the history has a step to do again
  RULE_AA,          // a font of 2 or 4 bits per pixel
  RULE_AA4,         // a font of 4 bits per pixel
  RULE_PASTE,       // a font, and the clipboard holds a glyph or an image
};

// Whether a command shows a check mark, and when.
enum CommandCheck {
  CHECK_NONE,
  CHECK_SHOW_ALL,  // menu checked while every block is shown; toolbar pressed while not
  CHECK_PREVIEW,   // checked while the text preview is shown
  CHECK_ZOOM,      // checked while the character view has the row's cell size
  CHECK_GUIDES,    // checked while the character view draws its guides
  CHECK_BRUSH,     // checked while the mouse paints with the row's index
};

// The codes an edit primitive's undo step keeps.
enum CommandScope {
  SCOPE_CHAR,           // the current character
  SCOPE_ROW_EDIT,       // a row edit: the current character, or every one where rows are font-wide
  SCOPE_FONT_HEIGHT,    // every character and the font's metrics
  SCOPE_ENABLED_CHAR,   // the enabled flag of the current character
  SCOPE_ENABLED_BLOCK,  // the enabled flags of the current character's block
  SCOPE_ENABLED_ALL,    // the enabled flags of every code of the font
};

// Separators around a command's item, in the menu that holds it.
enum CommandSeparator { SEP_NONE, SEP_BEFORE, SEP_AFTER };

// The popup menus of the views a command appears in (bits).
enum CommandPopup { POPUP_FONT_VIEW = 1, POPUP_PIXEL = 2 };

using CommandHandler = void (MainWindow::*)(int id);
using EditPrimitive = void (*)(Font* pFont);

struct ShellCommand {
  int Id;
  const char* pMenu;        // path of submenu titles joined by '|' ("&Edit|&Insert"); null: in no menu
  const char* pLabel;       // with its mnemonic; the text after '\t' is the key shown
  const char* apKeys[2];    // shortcuts in portable key text, null when unused
  const char* pHelp;        // status-bar and tooltip text; null for none
  int ToolSlot;             // position on the toolbar (1-based; a gap is a separator); 0: none
  int Image;                // toolbar image (shell/toolbaricons.h)
  int Rule;                 // CommandRule
  int Check;                // CommandCheck
  int Separator;            // CommandSeparator
  int Popups;               // CommandPopup bits
  CommandHandler Handler;   // runs the command; null for an edit primitive
  EditPrimitive Edit;       // the edit, journaled as the command requires
  int Scope;                // CommandScope of the edit's undo step
  const char* pStep;        // the undo step's name
};

// Every command, in menu order (a menu appears where its first command does).
std::span<const ShellCommand> SHELL_Commands();

// The row of a command id; null for an id that has none.
const ShellCommand* SHELL_FindCommand(int id);
// The cell size a zoom row chooses (0 for Fit); -1 for any other id.
int SHELL_ZoomOfCommand(int id);
// The status-bar and tooltip text of a command; null when it has none.
const char* SHELL_GetHelpText(int id);

// Menu item: enabled (not grayed) in this state.
bool SHELL_IsMenuItemEnabled(int id, const ShellState& state);
// Toolbar button: enabled (else shown indeterminate) in this state.
bool SHELL_IsToolbarButtonEnabled(int id, const ShellState& state);
// Menu check mark, and toolbar button pressed, in this state.
bool SHELL_IsMenuItemChecked(int id, const ShellState& state);
bool SHELL_IsToolbarButtonChecked(int id, const ShellState& state);

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
