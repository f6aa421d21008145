// The window's command tables and state rules.
#include "shell/commandtable.h"

#include <cstdio>
#include <cstring>

#include "model/font.h"
#include "settings/settings.h"

namespace {

constexpr MenuEntry Popup(const char* label) { return {MENU_POPUP, 0, label}; }
constexpr MenuEntry End() { return {MENU_END, 0, nullptr}; }
constexpr MenuEntry Item(int id, const char* label) { return {MENU_ITEM, id, label}; }
constexpr MenuEntry Sep() { return {MENU_SEPARATOR, 0, nullptr}; }

}  // namespace

const MenuEntry SHELL_aMenu[] = {
    Popup("&File"),
    Item(520, "&New\tCtrl+N"),
    Item(521, "&Save\tCtrl+S"),
    Item(522, "Save &As..."),
    Sep(),
    Item(523, "&Load 'C' file..."),
    Item(525, "&Merge 'C' file..."),
    Sep(),
    Item(524, "L&oad 'XBF' file..."),
    Item(526, "M&erge 'XBF' file..."),
    Sep(),
    Item(527, "Load '&BDF' file..."),
    Sep(),
    Item(528, "E&xit\tAlt+F4"),
    End(),
    Popup("&Edit"),
    Popup("&Insert"),
    Item(540, "&Right\tCtrl+R"),
    Item(541, "&Left\tCtrl+L"),
    Item(542, "&Top\tCtrl+T"),
    Item(543, "&Bottom\tCtrl+B"),
    End(),
    Popup("&Delete"),
    Item(560, "&Right\tShift+R"),
    Item(561, "&Left\tShift+L"),
    Item(562, "&Top\tShift+T"),
    Item(563, "&Bottom\tShift+B"),
    End(),
    Popup("&Shift"),
    Item(580, "&Right\tCtrl+Shift+R"),
    Item(581, "&Left\tCtrl+Shift+L"),
    Item(582, "&Up\tCtrl+Shift+U"),
    Item(583, "&Down\tCtrl+Shift+D"),
    End(),
    Popup("&Move"),
    Item(600, "&Right\tShift+Alt+R"),
    Item(601, "&Left\tShift+Alt+L"),
    Item(602, "&Up\tShift+Alt+U"),
    Item(603, "&Down\tShift+Alt+D"),
    End(),
    Popup("&Font height"),
    Item(640, "&Insert top"),
    Item(641, "&Insert bottom"),
    Item(642, "&Delete top"),
    Item(643, "&Delete bottom"),
    End(),
    Popup("&Cursor distance"),
    Item(620, "&Increase"),
    Item(621, "&Decrease"),
    End(),
    Item(660, "&Toggle character\tSpace"),
    Sep(),
    Popup("Pi&xel index"),
    Item(680, "&Increase index\t+"),
    Item(681, "Dec&rease index\t-"),
    Item(682, "In&vert index\tSpace"),
    Sep(),
    Item(700, "Set index to &0\t0"),
    Item(701, "Set index to &1\t1"),
    Item(702, "Set index to &2\t2"),
    Item(703, "Set index to &3\t3"),
    Item(704, "Set index to &4\t4"),
    Item(705, "Set index to &5\t5"),
    Item(706, "Set index to &6\t6"),
    Item(707, "Set index to &7\t7"),
    Item(708, "Set index to &8\t8"),
    Item(709, "Set index to &9\t9"),
    Item(710, "Set index to 10\t&A"),
    Item(711, "Set index to 11\t&B"),
    Item(712, "Set index to 12\t&C"),
    Item(713, "Set index to 13\t&D"),
    Item(714, "Set index to 14\t&E"),
    Item(715, "Set index to 15\t&F"),
    End(),
    Sep(),
    Item(720, "&Enable range of characters..."),
    Item(721, "Disa&ble range of characters..."),
    Item(722, "Disable &all characters"),
    Sep(),
    Item(740, "&Read pattern file..."),
    Item(741, "Save &pattern file..."),
    End(),
    Popup("&View"),
    Item(760, "&All Characters"),
    End(),
    Popup("&Options"),
    Item(780, "&Compatibility..."),
    Item(781, "&Magnification..."),
    Item(782, "&Logging/Messages..."),
    Item(783, "&Antialiasing..."),
    Item(784, "&XBF fonts..."),
    Item(785, "M&easurement characters..."),
    End(),
    Popup("&Help"),
    Item(800, "&About..."),
    Item(801, "&CMD Options"),
    End(),
};
const int SHELL_NumMenuEntries = sizeof(SHELL_aMenu) / sizeof(SHELL_aMenu[0]);

const AccelEntry SHELL_aAccel[] = {
    {"Alt+?", 800},         {"F1", 800},
    {"Ctrl+N", 520},        {"Ctrl+S", 521},
    {"Ctrl+R", 540},        {"Ctrl+L", 541},
    {"Ctrl+T", 542},        {"Ctrl+B", 543},
    {"Shift+R", 560},       {"Shift+L", 561},
    {"Shift+T", 562},       {"Shift+B", 563},
    {"Ctrl+Shift+R", 580},  {"Ctrl+Shift+L", 581},
    {"Ctrl+Shift+U", 582},  {"Ctrl+Shift+D", 583},
    {"Shift+Alt+R", 600},   {"Shift+Alt+L", 601},
    {"Shift+Alt+U", 602},   {"Shift+Alt+D", 603},
};
const int SHELL_NumAccel = sizeof(SHELL_aAccel) / sizeof(SHELL_aAccel[0]);

const ToolbarEntry SHELL_aToolbar[SHELL_NUM_TOOLBAR_ROWS] = {
    {-1, 0},    {0, 520},   {1, 521},   {-1, 0},    {2, 540},   {3, 541},   {4, 542},
    {5, 543},   {-1, 0},    {6, 560},   {7, 561},   {8, 562},   {9, 563},   {-1, 0},
    {10, 580},  {11, 581},  {12, 582},  {13, 583},  {-1, 0},    {15, 600},  {16, 601},
    {17, 602},  {18, 603},  {-1, 0},    {21, 640},  {22, 641},  {23, 642},  {24, 643},
    {-1, 0},    {19, 620},  {20, 621},  {-1, 0},    {14, 760},
};

const ToolbarEntry SHELL_aUndoToolbar[SHELL_NUM_UNDO_TOOLBAR_ROWS] = {
    {-1, 0}, {SHELL_IMAGE_UNDO, ID_UNDO}, {SHELL_IMAGE_REDO, ID_REDO}};

namespace {

struct HelpEntry {
  int Id;
  const char* pText;
};

const HelpEntry aHelp[] = {
    {520, "Open font dialog"},
    {521, "Save the font data"},
    {522, "Save the font data to a different file"},
    {523, "Load a font 'C' file"},
    {525, "Merges a font 'C' file"},
    {524, "Load a font 'XBF' file"},
    {526, "Merges a font 'XBF' file"},
    {527, "Load a 'BDF' font file"},
    {528, "Ends the program"},
    {540, "Insert a column at the right side of the current character"},
    {541, "Insert a column at the left side of the current character"},
    {542, "Insert a row at the top of the current character"},
    {543, "Insert a row at the bottom of the current character"},
    {560, "Delete a column at the right side of the current character"},
    {561, "Delete a column at the left side of the current character"},
    {562, "Delete a row from the top of the current character"},
    {563, "Delete a row from the bottom of the current character"},
    {580, "Shift pixel data to the right"},
    {581, "Shift pixel data to the left"},
    {582, "Shift pixel data up"},
    {583, "Shift pixel data down"},
    {600, "Move the character to the right"},
    {601, "Move the character to the left"},
    {602, "Move the character one pixel up"},
    {603, "Move the character one pixel down"},
    {620, "Increase cursor distance"},
    {621, "Decrease cursor distance"},
    {660, "Toggle the activation of the current character"},
    {680, "Increase the index of the current pixel"},
    {681, "Decrease the index of the current pixel"},
    {682, "Invert the index of the current pixel"},
    {700, "Set the current pixel to index 0"},
    {701, "Set the current pixel to index 1"},
    {702, "Set the current pixel to index 2"},
    {703, "Set the current pixel to index 3"},
    {704, "Set the current pixel to index 4"},
    {705, "Set the current pixel to index 5"},
    {706, "Set the current pixel to index 6"},
    {707, "Set the current pixel to index 7"},
    {708, "Set the current pixel to index 8"},
    {709, "Set the current pixel to index 9"},
    {710, "Set the current pixel to index 10"},
    {711, "Set the current pixel to index 11"},
    {712, "Set the current pixel to index 12"},
    {713, "Set the current pixel to index 13"},
    {714, "Set the current pixel to index 14"},
    {715, "Set the current pixel to index 15"},
    {720, "Enable the characters of the given area"},
    {721, "Disable the characters of the given area"},
    {722, "Disable all characters"},
    {740, "Enable the characters of the given pattern file"},
    {741, "Save the currently enabled characters to a pattern file"},
    {760, "Show enabled characters only"},
    {800, "Show the about box"},
    {640, "Insert a row at the top of the font"},
    {641, "Insert a row at the bottom of the font"},
    {642, "Delete a row from the top of the font"},
    {643, "Delete a row from the bottom of the font"},
    {801, "Show a list of commands"},
    {ID_UNDO, "Take back the last change of the font"},
    {ID_REDO, "Make the change taken back again"},
    {0, nullptr},
};

bool InRange(int id, int first, int last) { return id >= first && id <= last; }

bool IsMoveCursorOrHeightItem(int id) {
  return InRange(id, 600, 603) || InRange(id, 620, 621) || InRange(id, 640, 643);
}

}  // namespace

const char* SHELL_GetHelpText(int id) {
  for (const HelpEntry* row = aHelp; row->Id; ++row) {
    if (row->Id == id) return row->pText;
  }
  return nullptr;
}

bool SHELL_IsMenuItemEnabled(int id, const ShellState& s) {
  const int t = s.Type;
  if (id == 521 || id == 522 || InRange(id, 540, 543) || InRange(id, 560, 563) || InRange(id, 580, 583))
    return s.HasFont;
  if (IsMoveCursorOrHeightItem(id)) return s.HasFont && (t == FONTTYPE_EXT || t == FONTTYPE_EXT_FRM);
  if (id == 660) return s.HasFont && s.KeyboardTarget != 1;
  if (InRange(id, 680, 682) || id == 700 || id == 701) return s.HasFont && s.KeyboardTarget != 0;
  if (id == 702 || id == 703)
    return s.HasFont && s.KeyboardTarget != 0 &&
           (t == FONTTYPE_AA2 || t == FONTTYPE_AA4 || t == FONTTYPE_EXT_AA2 || t == FONTTYPE_EXT_AA4);
  if (InRange(id, 704, 715))
    return s.HasFont && s.KeyboardTarget != 0 && (t == FONTTYPE_AA4 || t == FONTTYPE_EXT_AA4);
  if (InRange(id, 720, 722) || id == 740 || id == 741 || id == 760) return s.HasFont;
  return true;
}

bool SHELL_IsToolbarButtonEnabled(int id, const ShellState& s) {
  if (id == 520) return true;
  if (IsMoveCursorOrHeightItem(id)) return s.HasFont && FONT_IsExtendedType(s.Type);
  return s.HasFont;
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
