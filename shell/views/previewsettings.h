// The text preview's own options, kept in a section of their own in the
// settings file, so that the fixed options record and its section stay exactly
// as they are (the store rewrites its section and keeps every other line).
#pragma once

#include <string>

struct PreviewSettings {
  int Visible = 0;       // the text preview pane is shown
  int Zoom = 3;          // 1..8
  int LightOnDark = 0;   // 0 dark ink on a light screen, 1 light ink on a dark screen
  int DisplayWidth = 0;  // the display's width in pixels, 0..4096; 0: no limit drawn
  std::string Text = "The quick brown fox\n0123456789";  // UTF-8, lines apart by '\n'
};

constexpr int kPreviewMaxDisplayWidth = 4096;

// Fills the record from the file; defaults for what it lacks.
void PREVIEW_LoadSettings(PreviewSettings* pSettings);
// Writes the section, keeping every other line of the file; 1 when it cannot.
int PREVIEW_SaveSettings(const PreviewSettings& settings);
