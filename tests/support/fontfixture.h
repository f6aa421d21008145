// Fonts built directly through the FONT_ operations, for tests of any layer.
#pragma once

#include <cstdint>
#include <functional>

#include "model/font.h"

// A font of the type and encoding, without characters.
FontPtr NewFont(int32_t type, int32_t encoding, int32_t height);
// Adds an enabled, existing, rendered character of the box size whose pixel (x, y)
// is pixel(x, y); the extended fields as given.
void AddChar(Font* pFont, uint16_t code, int width, int height, const std::function<int(int, int)>& pixel,
             int boxLeft = 0, int boxTop = 0, int cursorDist = 0);
