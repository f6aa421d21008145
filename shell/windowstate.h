// The main window's place from one run to the next: its size, position and
// maximised state, the positions of the splitter bars and the height of the text
// preview, kept in the settings file's [Window] section (the store of the fixed
// options rewrites only its own section). A start whose saved place does not lie
// on one of the current screens, or that has none, takes the default layout:
// 800 x 640 pixels at the screen's top-left corner, smaller where the screen's
// free area is smaller, with the panes split in halves.
#pragma once

#include <QList>
#include <QRect>

class MainWindow;

struct WindowPlacement {
  // The normal (not maximised) place: the frame's top-left corner and the size of
  // the inside. Width 0: none saved.
  int X = 0, Y = 0, Width = 0, Height = 0;
  int Maximized = 0;
  int FontPaneHeight = 0;  // the upper pane: the font view with the text preview
  int CharViewWidth = 0;
  int PreviewHeight = 0;  // 0: none saved
};

// Fills the record from the file; zeros for what it lacks.
void WINDOWSTATE_Load(WindowPlacement* pPlacement);
// Writes the section, keeping every other line of the file; 1 when it cannot.
int WINDOWSTATE_Save(const WindowPlacement& placement);

// The place of the window at a start (corner and inside size, as saved), given the
// free areas of the screens (the first is the primary screen's): the saved one
// when it lies wholly within one of them (*pRestored true), else the default one.
QRect WINDOWSTATE_StartGeometry(const WindowPlacement& placement, const QList<QRect>& areas, bool* pRestored);

// Places the window as the saved state or the default says, and saves its state
// whenever it is closed. Called once, before the window is first shown.
void WINDOWSTATE_Attach(MainWindow* pWindow);
// Gives the panes their saved sizes when the window was restored and they fit
// the frame as it is now; false when the default layout has to be made.
bool WINDOWSTATE_RestorePanes(MainWindow* pWindow);
