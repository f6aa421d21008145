// The dialogs of the window: the option dialogs, the XBF type question, the value
// and range dialogs, the pattern-file commands, the About box and the command-line
// help window. Each entry point is self-contained: it loads what it shows, stores
// what the user confirmed and returns when the dialog is closed.
#pragma once

#include <QString>

class QWidget;

// Menu ids of the dialogs opened here.
enum {
  ID_OPTIONS_COMPATIBILITY = 780,
  ID_OPTIONS_MAGNIFICATION = 781,
  ID_OPTIONS_LOGGING = 782,
  ID_OPTIONS_ANTIALIASING = 783,
  ID_OPTIONS_XBF = 784,
  ID_OPTIONS_MEASUREMENT = 785,
  ID_EDIT_ENABLE_RANGE = 720,
  ID_EDIT_DISABLE_RANGE = 721,
  ID_EDIT_READ_PATTERN = 740,
  ID_EDIT_SAVE_PATTERN = 741,
  ID_HELP_ABOUT = 800,
  ID_HELP_CMD_OPTIONS = 801,
};

// Runs the option dialog of menu id 780..785 modally; OK stores the Settings,
// Cancel stores nothing. Other ids do nothing.
void SHELL_RunOptionDialog(QWidget* parent, int id);

// "Type of XBF-font to be read": the chosen font type (stored as GetTypeXBF), or
// -1 when cancelled or when no type was checked.
int SHELL_AskXbfTypeDialog(QWidget* parent, int defaultType);

// "Select range of characters" for 720/721: true with the range in *pFirst and
// *pLast when confirmed (first <= last); false on Cancel. The range entered is
// remembered for the next call.
bool SHELL_RunSelectRange(QWidget* parent, int id, int* pFirst, int* pLast);

// Read pattern file (740) and Save pattern file (741) on the current font, each
// asking for the file first. A read changes the enabled characters.
void SHELL_ReadPatternFile(QWidget* parent);
void SHELL_SavePatternFile(QWidget* parent);

// The About box (800), modal.
void SHELL_RunAbout(QWidget* parent);
// The "CMD Help" window (801): shown and left open; the parent takes no input
// until it is closed.
void SHELL_RunCmdHelp(QWidget* parent);

