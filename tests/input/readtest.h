// Fonts whose characters differ from code to code in size, position and pixels,
// and the comparison of a saved font with the font read back from its file.
#pragma once

#include <utility>
#include <vector>

#include "model/font.h"

// A pixel value of the type for (code, x, y); frame pixels among them for EXT_FRM.
int PixelFor(int32_t type, unsigned code, int x, int y);
// A font of height 14 holding every code of the ranges.
FontPtr TestFont(int32_t type, int32_t encoding, const std::vector<std::pair<unsigned, unsigned>>& ranges);
// The bytes per row a reader is expected to record for a character of the width.
using FileRowBytesRule = int (*)(const Font* pSaved, int width);
// Every enabled character of 'saved' equals the one of 'read', and nothing else is enabled.
void ExpectSameCharacters(Font* saved, Font* read, FileRowBytesRule fileRowBytes);
