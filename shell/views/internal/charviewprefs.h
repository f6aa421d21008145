// The character view's own options, the cell size and the guides, kept in a
// section of their own in the settings file (as the text preview keeps its
// options), and the steps the zoom goes through. Plain code, no widget.
#pragma once

struct CharViewPrefs {
  int Zoom = 0;    // 0: cells as high as the view lets the font be; else 4..64 pixels
  int Guides = 0;  // the guides are drawn
};

constexpr int CHARVIEW_ZOOM_FIT = 0;
constexpr int CHARVIEW_ZOOM_MIN = 4;
constexpr int CHARVIEW_ZOOM_MAX = 64;

// Fills the record from the file; defaults for what it lacks or holds out of range.
void CHARVIEW_LoadPrefs(CharViewPrefs* pPrefs);
// Writes the section, keeping every other line of the file; 1 when it cannot.
int CHARVIEW_SavePrefs(const CharViewPrefs& prefs);

// The fixed cell size 'steps' steps of the zoom above (steps > 0) or below a cell
// size, which need not be a step itself (the size Fit gave); the size itself when
// there is no step that way.
int CHARVIEW_ZoomStep(int size, int steps);
