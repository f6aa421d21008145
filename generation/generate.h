// Generating a font from an installed system font: the face check of the create
// command, font creation, and rendering characters on demand.
#pragma once

#include <cstdint>

// True when an installed scalable font carries exactly this family name
// (case-sensitive); a font may carry several names.
bool FONT_IsFaceInstalled(const char* pFaceName);
