// The command registry and its rules.
#include "shell/commandtable.h"

#include <cstdio>
#include <cstring>

#include "edit/edit.h"
#include "edit/enable.h"
#include "edit/fontedit.h"
#include "edit/glyph.h"
#include "model/font.h"
#include "settings/settings.h"
#include "shell/mainwindow.h"

namespace {

// Edit primitives of the commands, journaled as each command requires.
void InsertRight(Font* p) { EDIT_InsertRight(p, 1); }
void InsertLeft(Font* p) { EDIT_InsertLeft(p, 1); }
void InsertTop(Font* p) { EDIT_InsertTop(p, 1); }
void InsertBottom(Font* p) { EDIT_InsertBottom(p, 1); }
void DeleteRight(Font* p) { EDIT_DeleteRight(p, 1); }
void DeleteLeft(Font* p) { EDIT_DeleteLeft(p, 1); }
void DeleteTop(Font* p) { EDIT_DeleteTop(p, 1); }
void DeleteBottom(Font* p) { EDIT_DeleteBottom(p, 1); }
void ShiftRight(Font* p) { EDIT_ShiftRight(p, 1); }
void ShiftLeft(Font* p) { EDIT_ShiftLeft(p, 1); }
void ShiftUp(Font* p) { EDIT_ShiftUp(p, 1); }
void ShiftDown(Font* p) { EDIT_ShiftDown(p, 1); }
void MoveRight(Font* p) { EDIT_MoveRight(p, 1); }
void MoveLeft(Font* p) { EDIT_MoveLeft(p, 1); }
void MoveUp(Font* p) { EDIT_MoveUp(p, 1); }
void MoveDown(Font* p) { EDIT_MoveDown(p, 1); }
void FontTopInsert(Font* p) { EDIT_IncFontTop(p); }
void FontBottomInsert(Font* p) { EDIT_IncFontBottom(p, 1); }
void FontTopDelete(Font* p) { EDIT_DecFontTop(p); }
void FontBottomDelete(Font* p) { EDIT_DecFontBottom(p, 1); }
void FlipHorizontal(Font* p) { EDIT_FlipHorizontal(p, 1); }
void FlipVertical(Font* p) { EDIT_FlipVertical(p, 1); }
void DisableAll(Font* p) { EDIT_EnableRange(0, FONT_GetNumBlocks(p) * 16 - 1, 0); }

// Row builders: a command run by a handler of the window, and an edit primitive.
constexpr ShellCommand Run(int id, const char* menu, const char* label, const char* help, CommandHandler handler,
                           int rule = RULE_ALWAYS) {
  return {id, menu, label, {nullptr, nullptr}, help, 0, 0, rule, CHECK_NONE, SEP_NONE, 0, handler, nullptr, 0,
          nullptr};
}
constexpr ShellCommand Edit(int id, const char* menu, const char* label, const char* help, EditPrimitive edit,
                            int scope, const char* step, int rule) {
  return {id, menu, label, {nullptr, nullptr}, help, 0, 0, rule, CHECK_NONE, SEP_NONE, 0, nullptr, edit, scope, step};
}
constexpr ShellCommand Keys(ShellCommand c, const char* key, const char* key2 = nullptr) {
  c.apKeys[0] = key;
  c.apKeys[1] = key2;
  return c;
}
constexpr ShellCommand Tool(ShellCommand c, int slot, int image) {
  c.ToolSlot = slot;
  c.Image = image;
  return c;
}
constexpr ShellCommand SepAfter(ShellCommand c) {
  c.Separator = SEP_AFTER;
  return c;
}
constexpr ShellCommand SepBefore(ShellCommand c) {
  c.Separator = SEP_BEFORE;
  return c;
}
constexpr ShellCommand Popup(ShellCommand c, int popups) {
  c.Popups = popups;
  return c;
}
constexpr ShellCommand Checked(ShellCommand c, int check) {
  c.Check = check;
  return c;
}

constexpr const char* kFile = "&File";
constexpr const char* kEdit = "&Edit";
constexpr const char* kInsert = "&Edit|&Insert";
constexpr const char* kDelete = "&Edit|&Delete";
constexpr const char* kShift = "&Edit|&Shift";
constexpr const char* kMove = "&Edit|&Move";
constexpr const char* kHeight = "&Edit|&Font height";
constexpr const char* kCursor = "&Edit|&Cursor distance";
constexpr const char* kPixel = "&Edit|Pi&xel index";
constexpr const char* kView = "&View";
constexpr const char* kZoom = "&View|&Zoom";
constexpr const char* kBrush = "&Edit|Brus&h";
constexpr const char* kOptions = "&Options";
constexpr const char* kHelp = "&Help";

using W = MainWindow;

// A pixel-index item: sets the current pixel to n.
constexpr ShellCommand SetIndex(int n, const char* label, const char* help) {
  return Popup(Run(ID_PIXEL_SET0 + n, kPixel, label, help, &W::pixelCommand,
                   n <= 1 ? RULE_PIXEL : n <= 3 ? RULE_PIXEL_AA : RULE_PIXEL_AA4),
               POPUP_PIXEL);
}

// A brush item: the mouse paints with index n from then on.
constexpr const char* kBrushHelp[16] = {
    "Draw with index 0",  "Draw with index 1",  "Draw with index 2",  "Draw with index 3",
    "Draw with index 4",  "Draw with index 5",  "Draw with index 6",  "Draw with index 7",
    "Draw with index 8",  "Draw with index 9",  "Draw with index 10", "Draw with index 11",
    "Draw with index 12", "Draw with index 13", "Draw with index 14", "Draw with index 15"};
constexpr ShellCommand Brush(int n, const char* label, const char* key = nullptr) {
  return Checked(Keys(Run(ID_BRUSH0 + n, kBrush, label, kBrushHelp[n], &W::brushCommand, n <= 3 ? RULE_AA : RULE_AA4),
                      key),
                 CHECK_BRUSH);
}
// A fixed cell size, or Fit: checked while chosen.
constexpr ShellCommand Zoom(ShellCommand c) { return Checked(c, CHECK_ZOOM); }

}  // namespace

namespace {

const ShellCommand aCommands[] = {
    // File.
    Tool(Keys(Run(ID_NEW, kFile, "&New\tCtrl+N", "Open font dialog", &W::newFont), "Ctrl+N"), 2, 0),
    Tool(Keys(Run(ID_SAVE, kFile, "&Save\tCtrl+S", "Save the font data", &W::saveFont, RULE_FONT), "Ctrl+S"), 3, 1),
    SepAfter(Run(ID_SAVEAS, kFile, "Save &As...", "Save the font data to a different file", &W::saveFont, RULE_FONT)),
    Run(ID_LOAD_C, kFile, "&Load 'C' file...", "Load a font 'C' file", &W::loadFont),
    SepAfter(Run(ID_MERGE_C, kFile, "&Merge 'C' file...", "Merges a font 'C' file", &W::mergeFont)),
    Run(ID_LOAD_XBF, kFile, "L&oad 'XBF' file...", "Load a font 'XBF' file", &W::loadFont),
    SepAfter(Run(ID_MERGE_XBF, kFile, "M&erge 'XBF' file...", "Merges a font 'XBF' file", &W::mergeFont)),
    SepAfter(Run(ID_LOAD_BDF, kFile, "Load '&BDF' file...", "Load a 'BDF' font file", &W::loadFont)),
    Run(ID_EXIT, kFile, "E&xit\tAlt+F4", "Ends the program", &W::exitWindow),
    // Edit: the history first.
    Tool(Keys(Run(ID_UNDO, kEdit, "&Undo\tCtrl+Z", "Take back the last change of the font", &W::undoRedo,
                  RULE_CAN_UNDO),
              "Ctrl+Z"),
         35, 25),
    SepAfter(Tool(Keys(Run(ID_REDO, kEdit, "Red&o\tCtrl+Y", "Make the change taken back again", &W::undoRedo,
                           RULE_CAN_REDO),
                       "Ctrl+Y", "Ctrl+Shift+Z"),
                  36, 26)),
    // The glyph clipboard and the mirror images.
    Keys(Run(ID_COPY_CHAR, kEdit, "Cop&y character\tCtrl+C",
             "Copy the pixels, box and advance of the current character", &W::copyCharacter, RULE_FONT),
         "Ctrl+C"),
    Keys(Run(ID_PASTE_CHAR, kEdit, "Paste character\tCtrl+V",
             "Put the copied character or an image into the current character", &W::pasteCharacter, RULE_PASTE),
         "Ctrl+V"),
    Edit(ID_FLIP_HORIZONTAL, kEdit, "Flip hori&zontally", "Mirror the current character left to right",
         FlipHorizontal, SCOPE_CHAR, "Flip horizontally", RULE_FONT),
    SepAfter(Edit(ID_FLIP_VERTICAL, kEdit, "Flip &vertically", "Mirror the current character top to bottom",
                  FlipVertical, SCOPE_CHAR, "Flip vertically", RULE_FONT)),
    Tool(Keys(Edit(ID_INSERT_RIGHT, kInsert, "&Right\tCtrl+R", "Insert a column at the right side of the current character",
                   InsertRight, SCOPE_CHAR, "Insert column at right", RULE_FONT),
              "Ctrl+R"),
         5, 2),
    Tool(Keys(Edit(ID_INSERT_LEFT, kInsert, "&Left\tCtrl+L", "Insert a column at the left side of the current character",
                   InsertLeft, SCOPE_CHAR, "Insert column at left", RULE_FONT),
              "Ctrl+L"),
         6, 3),
    Tool(Keys(Edit(ID_INSERT_TOP, kInsert, "&Top\tCtrl+T", "Insert a row at the top of the current character",
                   InsertTop, SCOPE_ROW_EDIT, "Insert row at top", RULE_FONT),
              "Ctrl+T"),
         7, 4),
    Tool(Keys(Edit(ID_INSERT_BOTTOM, kInsert, "&Bottom\tCtrl+B", "Insert a row at the bottom of the current character",
                   InsertBottom, SCOPE_ROW_EDIT, "Insert row at bottom", RULE_FONT),
              "Ctrl+B"),
         8, 5),
    Tool(Keys(Edit(ID_DELETE_RIGHT, kDelete, "&Right\tShift+R", "Delete a column at the right side of the current character",
                   DeleteRight, SCOPE_CHAR, "Delete column at right", RULE_FONT),
              "Shift+R"),
         10, 6),
    Tool(Keys(Edit(ID_DELETE_LEFT, kDelete, "&Left\tShift+L", "Delete a column at the left side of the current character",
                   DeleteLeft, SCOPE_CHAR, "Delete column at left", RULE_FONT),
              "Shift+L"),
         11, 7),
    Tool(Keys(Edit(ID_DELETE_TOP, kDelete, "&Top\tShift+T", "Delete a row from the top of the current character",
                   DeleteTop, SCOPE_ROW_EDIT, "Delete row at top", RULE_FONT),
              "Shift+T"),
         12, 8),
    Tool(Keys(Edit(ID_DELETE_BOTTOM, kDelete, "&Bottom\tShift+B", "Delete a row from the bottom of the current character",
                   DeleteBottom, SCOPE_ROW_EDIT, "Delete row at bottom", RULE_FONT),
              "Shift+B"),
         13, 9),
    Tool(Keys(Edit(ID_SHIFT_RIGHT, kShift, "&Right\tCtrl+Shift+R", "Shift pixel data to the right", ShiftRight,
                   SCOPE_CHAR, "Shift character right", RULE_FONT),
              "Ctrl+Shift+R"),
         15, 10),
    Tool(Keys(Edit(ID_SHIFT_LEFT, kShift, "&Left\tCtrl+Shift+L", "Shift pixel data to the left", ShiftLeft, SCOPE_CHAR,
                   "Shift character left", RULE_FONT),
              "Ctrl+Shift+L"),
         16, 11),
    Tool(Keys(Edit(ID_SHIFT_UP, kShift, "&Up\tCtrl+Shift+U", "Shift pixel data up", ShiftUp, SCOPE_CHAR,
                   "Shift character up", RULE_FONT),
              "Ctrl+Shift+U"),
         17, 12),
    Tool(Keys(Edit(ID_SHIFT_DOWN, kShift, "&Down\tCtrl+Shift+D", "Shift pixel data down", ShiftDown, SCOPE_CHAR,
                   "Shift character down", RULE_FONT),
              "Ctrl+Shift+D"),
         18, 13),
    Tool(Keys(Edit(ID_MOVE_RIGHT, kMove, "&Right\tShift+Alt+R", "Move the character to the right", MoveRight,
                   SCOPE_CHAR, "Move box right", RULE_EXT),
              "Shift+Alt+R"),
         20, 15),
    Tool(Keys(Edit(ID_MOVE_LEFT, kMove, "&Left\tShift+Alt+L", "Move the character to the left", MoveLeft, SCOPE_CHAR,
                   "Move box left", RULE_EXT),
              "Shift+Alt+L"),
         21, 16),
    Tool(Keys(Edit(ID_MOVE_UP, kMove, "&Up\tShift+Alt+U", "Move the character one pixel up", MoveUp, SCOPE_CHAR,
                   "Move box up", RULE_EXT),
              "Shift+Alt+U"),
         22, 17),
    Tool(Keys(Edit(ID_MOVE_DOWN, kMove, "&Down\tShift+Alt+D", "Move the character one pixel down", MoveDown,
                   SCOPE_CHAR, "Move box down", RULE_EXT),
              "Shift+Alt+D"),
         23, 18),
    Tool(Edit(ID_HEIGHT_INSERT_TOP, kHeight, "&Insert top", "Insert a row at the top of the font", FontTopInsert,
              SCOPE_FONT_HEIGHT, "Insert font row at top", RULE_EXT),
         25, 21),
    Tool(Edit(ID_HEIGHT_INSERT_BOTTOM, kHeight, "Insert &bottom", "Insert a row at the bottom of the font",
              FontBottomInsert, SCOPE_FONT_HEIGHT, "Insert font row at bottom", RULE_EXT),
         26, 22),
    Tool(Edit(ID_HEIGHT_DELETE_TOP, kHeight, "&Delete top", "Delete a row from the top of the font", FontTopDelete,
              SCOPE_FONT_HEIGHT, "Delete font row at top", RULE_EXT),
         27, 23),
    Tool(Edit(ID_HEIGHT_DELETE_BOTTOM, kHeight, "Delete b&ottom", "Delete a row from the bottom of the font",
              FontBottomDelete, SCOPE_FONT_HEIGHT, "Delete font row at bottom", RULE_EXT),
         28, 24),
    Tool(Edit(ID_CURSOR_INC, kCursor, "&Increase", "Increase cursor distance", EDIT_IncCursorDist, SCOPE_CHAR,
              "Increase cursor distance", RULE_EXT),
         30, 19),
    Tool(Edit(ID_CURSOR_DEC, kCursor, "&Decrease", "Decrease cursor distance", EDIT_DecCursorDist, SCOPE_CHAR,
              "Decrease cursor distance", RULE_EXT),
         31, 20),
    Popup(SepAfter(Edit(ID_TOGGLE_CHAR, kEdit, "&Toggle character\tSpace",
                        "Toggle the activation of the current character", [](Font*) { EDIT_ToggleChar(); },
                        SCOPE_ENABLED_CHAR, "Toggle character", RULE_FONT_VIEW)),
          POPUP_FONT_VIEW),
    Popup(Edit(ID_DISABLE_BLOCK, nullptr, "&Disable block", nullptr, [](Font*) { EDIT_EnableBlock(0); },
               SCOPE_ENABLED_BLOCK, "Disable block", RULE_ALWAYS),
          POPUP_FONT_VIEW),
    Popup(Edit(ID_ENABLE_BLOCK, nullptr, "&Enable block", nullptr, [](Font*) { EDIT_EnableBlock(1); },
               SCOPE_ENABLED_BLOCK, "Enable block", RULE_ALWAYS),
          POPUP_FONT_VIEW),
    Popup(Run(ID_PIXEL_INC, kPixel, "&Increase index\t+", "Increase the index of the current pixel", &W::pixelCommand,
              RULE_PIXEL),
          POPUP_PIXEL),
    Popup(Run(ID_PIXEL_DEC, kPixel, "Dec&rease index\t-", "Decrease the index of the current pixel", &W::pixelCommand,
              RULE_PIXEL),
          POPUP_PIXEL),
    SepAfter(Popup(Run(ID_PIXEL_INVERT, kPixel, "In&vert index\tSpace", "Invert the index of the current pixel",
                       &W::pixelCommand, RULE_PIXEL),
                   POPUP_PIXEL)),
    SetIndex(0, "Set index to &0\t0", "Set the current pixel to index 0"),
    SetIndex(1, "Set index to &1\t1", "Set the current pixel to index 1"),
    SetIndex(2, "Set index to &2\t2", "Set the current pixel to index 2"),
    SetIndex(3, "Set index to &3\t3", "Set the current pixel to index 3"),
    SetIndex(4, "Set index to &4\t4", "Set the current pixel to index 4"),
    SetIndex(5, "Set index to &5\t5", "Set the current pixel to index 5"),
    SetIndex(6, "Set index to &6\t6", "Set the current pixel to index 6"),
    SetIndex(7, "Set index to &7\t7", "Set the current pixel to index 7"),
    SetIndex(8, "Set index to &8\t8", "Set the current pixel to index 8"),
    SetIndex(9, "Set index to &9\t9", "Set the current pixel to index 9"),
    SetIndex(10, "Set index to 10\t&A", "Set the current pixel to index 10"),
    SetIndex(11, "Set index to 11\t&B", "Set the current pixel to index 11"),
    SetIndex(12, "Set index to 12\t&C", "Set the current pixel to index 12"),
    SetIndex(13, "Set index to 13\t&D", "Set the current pixel to index 13"),
    SetIndex(14, "Set index to 14\t&E", "Set the current pixel to index 14"),
    SetIndex(15, "Set index to 15\t&F", "Set the current pixel to index 15"),
    // The brush the mouse paints with in the antialiased types.
    Brush(0, "Index &0\tCtrl+0", "Ctrl+0"),
    Brush(1, "Index &1\tCtrl+1", "Ctrl+1"),
    Brush(2, "Index &2\tCtrl+2", "Ctrl+2"),
    Brush(3, "Index &3\tCtrl+3", "Ctrl+3"),
    Brush(4, "Index &4\tCtrl+4", "Ctrl+4"),
    Brush(5, "Index &5\tCtrl+5", "Ctrl+5"),
    Brush(6, "Index &6\tCtrl+6", "Ctrl+6"),
    Brush(7, "Index &7\tCtrl+7", "Ctrl+7"),
    Brush(8, "Index &8\tCtrl+8", "Ctrl+8"),
    Brush(9, "Index &9\tCtrl+9", "Ctrl+9"),
    Brush(10, "Index 10 (&A)"),
    Brush(11, "Index 11 (&B)"),
    Brush(12, "Index 12 (&C)"),
    Brush(13, "Index 13 (&D)"),
    Brush(14, "Index 14 (&E)"),
    Brush(15, "Index 15 (&F)"),
    SepBefore(Run(ID_ENABLE_RANGE, kEdit, "&Enable range of characters...", "Enable the characters of the given area",
                  &W::selectRange, RULE_FONT)),
    Run(ID_DISABLE_RANGE, kEdit, "Disa&ble range of characters...", "Disable the characters of the given area",
        &W::selectRange, RULE_FONT),
    SepAfter(Edit(ID_DISABLE_ALL, kEdit, "Disable &all characters", "Disable all characters", DisableAll,
                  SCOPE_ENABLED_ALL, "Disable all characters", RULE_FONT)),
    Run(ID_READ_PATTERN, kEdit, "&Read pattern file...", "Enable the characters of the given pattern file",
        &W::readPattern, RULE_FONT),
    Run(ID_SAVE_PATTERN, kEdit, "Save &pattern file...", "Save the currently enabled characters to a pattern file",
        &W::savePattern, RULE_FONT),
    // View.
    Checked(Tool(Run(ID_SHOW_ALL, kView, "&All Characters", "Show enabled characters only", &W::showAll, RULE_FONT),
                 33, 14),
            CHECK_SHOW_ALL),
    Checked(Run(ID_PREVIEW, kView, "Text &preview", "Show or hide the text preview under the font view",
                &W::togglePreview),
            CHECK_PREVIEW),
    // The character view's cell size and guides.
    Zoom(Run(ID_ZOOM_FIT, kZoom, "&Fit", "Cells as high as the character view lets the font be", &W::zoomCommand)),
    Keys(Run(ID_ZOOM_IN, kZoom, "Zoom &in\tCtrl++", "Larger cells in the character view", &W::zoomCommand),
         "Ctrl++", "Ctrl+="),
    SepAfter(Keys(Run(ID_ZOOM_OUT, kZoom, "Zoom &out\tCtrl+-", "Smaller cells in the character view",
                      &W::zoomCommand),
                  "Ctrl+-")),
    Zoom(Run(ID_ZOOM_4, kZoom, "&4 pixels", "Cells of 4 x 4 pixels", &W::zoomCommand)),
    Zoom(Run(ID_ZOOM_4 + 1, kZoom, "&8 pixels", "Cells of 8 x 8 pixels", &W::zoomCommand)),
    Zoom(Run(ID_ZOOM_4 + 2, kZoom, "&16 pixels", "Cells of 16 x 16 pixels", &W::zoomCommand)),
    Zoom(Run(ID_ZOOM_4 + 3, kZoom, "&32 pixels", "Cells of 32 x 32 pixels", &W::zoomCommand)),
    Zoom(Run(ID_ZOOM_64, kZoom, "&64 pixels", "Cells of 64 x 64 pixels", &W::zoomCommand)),
    Checked(Run(ID_GUIDES, kView, "G&uides",
                "Show the baseline, the box, the advance and the capital and lowercase heights",
                &W::toggleGuides),
            CHECK_GUIDES),
    Keys(Run(ID_GOTO, kView, "&Go to character...\tCtrl+G", "Select a character by its code", &W::goToCharacter,
             RULE_FONT),
         "Ctrl+G"),
    Keys(Run(ID_GOTO_BLOCK, kView, "Go to &block...\tCtrl+Shift+G",
             "Select a Unicode block of the font and scroll the font view there", &W::goToBlock, RULE_FONT),
         "Ctrl+Shift+G"),
    // Options.
    Run(ID_OPT_COMPATIBILITY, kOptions, "&Compatibility...", nullptr, &W::optionDialog),
    Run(ID_OPT_MAGNIFICATION, kOptions, "&Magnification...", nullptr, &W::optionDialog),
    Run(ID_OPT_LOGGING, kOptions, "&Logging/Messages...", nullptr, &W::optionDialog),
    Run(ID_OPT_ANTIALIASING, kOptions, "&Antialiasing...", nullptr, &W::optionDialog),
    Run(ID_OPT_XBF, kOptions, "&XBF fonts...", nullptr, &W::optionDialog),
    Run(ID_OPT_MEASUREMENT, kOptions, "M&easurement characters...", nullptr, &W::optionDialog),
    // Help.
    Keys(Run(ID_ABOUT, kHelp, "&About...", "Show the about box", &W::about), "Alt+?", "F1"),
    Run(ID_CMD_OPTIONS, kHelp, "&CMD Options", "Show a list of commands", &W::cmdHelp),
};
}  // namespace

std::span<const ShellCommand> SHELL_Commands() { return aCommands; }

const ShellCommand* SHELL_FindCommand(int id) {
  for (const ShellCommand& c : aCommands)
    if (c.Id == id) return &c;
  return nullptr;
}

int SHELL_ZoomOfCommand(int id) {
  if (id == ID_ZOOM_FIT) return 0;
  if (id >= ID_ZOOM_4 && id <= ID_ZOOM_64) return 4 << (id - ID_ZOOM_4);
  return -1;
}

const char* SHELL_GetHelpText(int id) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  return pCommand ? pCommand->pHelp : nullptr;
}

namespace {

bool RuleHolds(int rule, const ShellState& s, bool toolbar) {
  const int t = s.Type;
  const bool aa = t == FONTTYPE_AA2 || t == FONTTYPE_AA4 || t == FONTTYPE_EXT_AA2 || t == FONTTYPE_EXT_AA4;
  const bool aa4 = t == FONTTYPE_AA4 || t == FONTTYPE_EXT_AA4;
  switch (rule) {
    case RULE_ALWAYS: return true;
    case RULE_FONT: return s.HasFont;
    case RULE_EXT:
      // The toolbar takes every extended type, the menu only the two without antialiasing.
      return s.HasFont && (toolbar ? FONT_IsExtendedType(t) != 0 : t == FONTTYPE_EXT || t == FONTTYPE_EXT_FRM);
    case RULE_FONT_VIEW: return s.HasFont && s.KeyboardTarget != 1;
    case RULE_PIXEL: return s.HasFont && s.KeyboardTarget != 0;
    case RULE_PIXEL_AA: return s.HasFont && s.KeyboardTarget != 0 && aa;
    case RULE_PIXEL_AA4: return s.HasFont && s.KeyboardTarget != 0 && aa4;
    case RULE_CAN_UNDO: return s.CanUndo;
    case RULE_CAN_REDO: return s.CanRedo;
    case RULE_AA: return s.HasFont && aa;
    case RULE_AA4: return s.HasFont && aa4;
    case RULE_PASTE: return s.HasFont && s.CanPaste;
  }
  return true;
}

}  // namespace

bool SHELL_IsMenuItemEnabled(int id, const ShellState& s) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  return !pCommand || RuleHolds(pCommand->Rule, s, false);
}

bool SHELL_IsToolbarButtonEnabled(int id, const ShellState& s) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  return !pCommand || RuleHolds(pCommand->Rule, s, true);
}

bool SHELL_IsMenuItemChecked(int id, const ShellState& s) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  if (!pCommand) return false;
  switch (pCommand->Check) {
    case CHECK_SHOW_ALL: return s.ShowAllCharacters == 1;
    case CHECK_PREVIEW: return s.PreviewShown;
    case CHECK_ZOOM: return s.Zoom == SHELL_ZoomOfCommand(id);
    case CHECK_GUIDES: return s.Guides;
    case CHECK_BRUSH: return s.HasFont && s.Brush == id - ID_BRUSH0;
  }
  return false;
}

bool SHELL_IsToolbarButtonChecked(int id, const ShellState& s) {
  const ShellCommand* pCommand = SHELL_FindCommand(id);
  if (!pCommand) return false;
  // The toolbar's button reads "only the used blocks": pressed when the menu's check is off.
  return pCommand->Check == CHECK_SHOW_ALL ? s.ShowAllCharacters == 0 : SHELL_IsMenuItemChecked(id, s);
}

std::string SHELL_GetProgramTitle() {
  char version[16];
  std::snprintf(version, sizeof version, "%d.%.2d%c", 6, 32, 'c');
  return std::string(PROGRAM_NAME) + " V" + version;
}

std::string SHELL_GetBaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  if (name.size() > 260) return "";
  return name;
}

std::string SHELL_FormatCaption(const std::string& fileName) {
  return SHELL_GetProgramTitle() + " - " + fileName;
}

const FileFilter SHELL_aFiltersC[2] = {{"'C'-files (*.c)", "*.c"}, {"All files (*.*)", "*.*"}};
const FileFilter SHELL_aFiltersXbf[2] = {{"'XBF'-files (*.xbf)", "*.xbf"}, {"All files (*.*)", "*.*"}};
const FileFilter SHELL_aFiltersBdf[2] = {{"'BDF'-files (*.bdf)", "*.bdf"}, {"All files (*.*)", "*.*"}};
const FileFilter SHELL_aFiltersSave[3] = {{"C-files (*.c)", "*.c"},
                                          {"System independent font (*.sif)", "*.sif"},
                                          {"External binary font (*.xbf)", "*.xbf"}};

std::string SHELL_FilterExtension(const FileFilter& filter) {
  std::string ext = filter.pPattern;
  if (ext.rfind("*.", 0) == 0) ext.erase(0, 2);
  if (ext == "*") ext.clear();
  return ext;
}

std::string SHELL_ReplaceExtension(const std::string& name, const std::string& extension) {
  std::string cut = name.substr(0, 200);
  const size_t dot = cut.find('.');
  if (dot != std::string::npos) cut.resize(dot);
  return cut + "." + extension;
}

std::string SHELL_ReplacePathExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of('.');
  std::string base = (dot != std::string::npos && dot >= start) ? path.substr(0, dot) : path;
  return base + "." + extension;
}

std::string SHELL_ProposedSaveName(const std::string& path, const std::string& faceName, int height) {
  if (!path.empty()) return path;
  return faceName + std::to_string(height);
}
