// Saving the current font: the save dispatcher and the three writers it calls.
#pragma once

struct Font;
struct Settings;

enum SaveFormat { SAVE_C = 0, SAVE_SIF = 1, SAVE_XBF = 2 };

// Saves the font to its stored file name in the format given, asking first when
// 'ask' is set and the file exists. The file is written beside the target and
// renamed over it once complete; when nothing is saved an existing file stays as it
// was. Returns 1 when the user declined to overwrite, else 0.
int FONT_Save(Font* pFont, int format, int ask);

// The writers send their bytes through the output buffer (output/outbuf.h), which
// the dispatcher has opened on the file. Each returns 0 when the font was written
// and 1 when nothing was saved (no enabled character, reported).
int FONT_WriteC(Font* pFont, const Settings& settings);
int FONT_WriteSIF(Font* pFont, const Settings& settings);
int FONT_WriteXBF(Font* pFont, const Settings& settings);
