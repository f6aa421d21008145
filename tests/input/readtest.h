// Fonts whose characters differ from code to code in size, position and pixels,
// the comparison of a saved font with the font read back from its file, and the
// bound on what a font read from a hostile file may stand for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/font.h"

// A font of height 14 holding every code of the ranges.
FontPtr TestFont(int32_t type, int32_t encoding, const std::vector<std::pair<unsigned, unsigned>>& ranges);
// The bytes per row a reader is expected to record for a character of the width.
using FileRowBytesRule = int (*)(const Font* pSaved, int width);
// Every enabled character of 'saved' equals the one of 'read', and nothing else is enabled.
void ExpectSameCharacters(Font* saved, Font* read, FileRowBytesRule fileRowBytes);

// The plane bytes the enabled characters stand for in a written file or a merge,
// where a box of height 0 has the font's height (at least one row), or the planes
// they hold, whichever is larger.
uint64_t PlaneBytes(const Font* pFont);
// A font a reader accepted stands for no more than a small multiple of the file's
// size plus a constant.
void ExpectBounded(const Font* pFont, size_t fileSize);

// The re-saved C file is the first one with one "C-file modified by" line added at
// the end of the kept banner. With sameBody false (a font that comes back in
// another encoding) only the banner and the added line are compared.
void ExpectModifiedLineOnly(const std::string& first, const std::string& again, bool sameBody = true);
