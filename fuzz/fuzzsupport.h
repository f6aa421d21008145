// What every fuzz target shares: the tables the readers use, silent platform
// services (no message box, no question answered) and settings of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Prepares the process once; call at the start of every input.
void FUZZ_Init();
std::string FUZZ_Text(const uint8_t* data, size_t size);

struct Font;

// What a font read from an input of 'size' bytes must satisfy, else the process
// aborts (a finding): planes as large as the boxes need, and the planes its
// characters hold or stand for in a written file or a merge (a box of height 0
// has the font's height there) within a small multiple of the input's size plus
// a constant. It is then merged into an empty font of its type and height, which
// must keep to the same bound.
void FUZZ_CheckFont(const Font* pFont, size_t size);
