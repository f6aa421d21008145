// The character geometry and pixel rows as the writers emit them: magnified, and
// packed with the leftmost pixel in the most significant bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Font;
struct Settings;

// A character as written, magnified by the settings' factors.
struct WrittenChar {
  int32_t Width;     // BoxWidth x MagX
  int32_t Rows;      // (BoxHeight, or the font height where it is 0) x MagY
  int32_t RowBytes;  // bytes per row of Width for the font's type
  int32_t XPos;      // BoxLeft x MagX
  int32_t YPos;      // (Baseline - BoxTop) x MagY
  int32_t XDist;     // CursorDist x MagX
};

// The magnification factors, at least 1 each.
int32_t OUT_MagX(const Settings& settings);
int32_t OUT_MagY(const Settings& settings);
void OUT_GetWrittenChar(const Font* pFont, uint16_t code, const Settings& settings, WrittenChar* pChar);
// Packs written row y of plane 0 (ink; frame pixels count as background) or plane 1
// (the frame: 1 exactly for frame pixels) into RowBytes bytes at pOut.
void OUT_PackRow(const Font* pFont, uint16_t code, const Settings& settings, const WrittenChar& wc,
                 int32_t y, int plane, uint8_t* pOut);
// Appends a character's pixel data as the binary formats hold it: the given number
// of packed rows of plane 0, then as many of the frame plane for EXT_FRM. pRow is
// scratch.
void OUT_AppendPixelRows(const Font* pFont, uint16_t code, const Settings& settings, const WrittenChar& wc,
                         int32_t rows, std::vector<uint8_t>* pRow, std::string* pText);
// Appends a number as two bytes, low byte first.
void OUT_AppendU16(std::string* pText, uint16_t value);
