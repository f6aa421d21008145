// The one seam through which the core reaches the user: boxes, questions, status
// text, wait cursor, view redraws and window visibility. The console implementation
// is installed by default; the windowed shell installs its own.
#pragma once

// Views that a change of the current font asks to redraw.
enum ViewMask { VIEW_FONT = 1, VIEW_CHAR = 2, VIEW_PROP = 4, VIEW_ALL = 7 };

// What an operation changed in the codes of a change notice; bits.
enum ChangeWhat {
  CHANGE_PIXELS = 1,   // pixel or frame planes
  CHANGE_BOX = 2,      // box size, position or cursor advance
  CHANGE_ENABLED = 4,  // enabled state of characters or used blocks
  CHANGE_METRICS = 8,  // font-wide values: height, baseline, maximum width
  CHANGE_ALL = 15,     // a different font altogether
  // Alone: the characters were rendered for the first time. Whoever shows them
  // rendered them to do so; figures that estimated them can count them now.
  CHANGE_RENDERED = 16,
};

// A change of the current font: codes First..Last (inclusive) changed as What says.
struct ChangeNotice {
  int First = 0;
  int Last = 0;
  int What = 0;
};

class PlatformServices {
 public:
  virtual ~PlatformServices() = default;
  // Modal notice with the program's caption and an OK button.
  virtual void MessageBox(const char* text) = 0;
  // Yes/no question; true for yes.
  virtual bool AskYesNo(const char* text) = 0;
  // Asks which font type an old XBF file holds; -1 when cancelled.
  virtual int AskXbfType(int defaultType) = 0;
  virtual void SetStatusText(const char* text) = 0;
  virtual void SetWaitCursor(bool on) = 0;
  // View state (current character, keyboard target, selection) changed.
  virtual void RedrawViews(int viewMask) = 0;
  // The font's data changed; a window repaints just the cells of those codes.
  virtual void FontChanged(const ChangeNotice& notice) = 0;
  virtual void ShowMainWindow(bool show) = 0;
  // The options record was saved: whatever depends on it can read it again.
  virtual void SettingsChanged() {}
};

// Installs the implementation used from now on (null: the console one).
void SERVICES_Install(PlatformServices* pServices);
PlatformServices* SERVICES_Get();
