// Saving the current font: the save dispatcher and the three writers it calls.
#pragma once

struct Font;
struct Settings;

enum SaveFormat { OUT_FORMAT_C = 0, OUT_FORMAT_SIF = 1, OUT_FORMAT_XBF = 2 };

enum SaveResult {
  OUT_SAVE_OK = 0,        // written
  OUT_SAVE_DECLINED = 1,  // the user declined to overwrite
  OUT_SAVE_FAILED = 2,    // "Writing error" was reported
  OUT_SAVE_NOTHING = 3,   // no enabled character: nothing written (reported), an existing file kept
};

// Saves the font to its stored file name in the format given, asking first when
// 'ask' is set and the file exists. The target is replaced only by a complete file
// (settings/files.h); when nothing is saved an existing file stays as it was.
// Returns a SaveResult.
int OUT_Save(Font* pFont, int format, int ask);

// The writers send their bytes through the output buffer (output/outbuf.h), which
// the dispatcher has opened on the file. Each returns 0 when the font was written
// and 1 when nothing was saved (no enabled character, reported).
int FONT_WriteC(Font* pFont, const Settings& settings);
int OUT_WriteSIF(Font* pFont, const Settings& settings);
int OUT_WriteXBF(Font* pFont, const Settings& settings);
