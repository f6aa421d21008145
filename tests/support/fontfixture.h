// Fonts built directly through the FONT_ operations, for tests of any layer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/font.h"

// A font of the type and encoding, without characters.
FontPtr NewFont(int32_t type, int32_t encoding, int32_t height);
// Adds an enabled, existing, rendered character of the box size whose pixel (x, y)
// is pixel(x, y); the extended fields as given.
void AddChar(Font* pFont, uint16_t code, int width, int height, const std::function<int(int, int)>& pixel,
             int boxLeft = 0, int boxTop = 0, int cursorDist = 0);

// A deep copy of what edits can change: every character record with its planes,
// the blocks' used flags and the font-wide values.
FontPtr CopyFont(const Font* pFont);
// "" when the two fonts hold the same characters (fields and plane bytes), blocks
// and font-wide values; otherwise a description of the first difference.
std::string FontDifference(const Font* pA, const Font* pB);
