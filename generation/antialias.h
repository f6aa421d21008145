// Grey levels: converting the greys read back from a drawing surface into pixel
// values of a font type (with optional gamma correction), and pixel values into
// the colours the views show them in.
#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR.
using AAColor = uint32_t;
constexpr AAColor AA_RGB(int r, int g, int b) {
  return AAColor(r & 255) | AAColor(g & 255) << 8 | AAColor(b & 255) << 16;
}
constexpr AAColor AA_WHITE = AA_RGB(255, 255, 255);
constexpr AAColor AA_FRAME_COLOR = AA_RGB(128, 255, 255);

// Builds the level grids, gamma maps and display colours, and reads the gamma
// switch from the settings. Run once at start-up.
void AA_InitGammaTables();
// Reads the gamma switch (Settings.EnableGamma) again.
void AA_LoadOptions();

// Pixel value of a font type (0..6) for a colour read back from a surface; the
// colour's red, green and blue are averaged into one grey first.
int AA_ColorToValue(int type, AAColor color);
// Display colour of a pixel value of a font type.
AAColor AA_ValueToColor(int type, int value);

// The same conversion as a table: value of every grey 0..255 for a type.
const int8_t* AA_GetGreyValueTable(int type);

// The constant tables, for inspection: level grid and gamma map for 2 or 4 bits
// per pixel (bits 2 or 4).
const uint8_t* AA_GetLevelGrid(int bits);
const uint8_t* AA_GetGammaMap(int bits);
