// Copying every character of one font into another of the same type and height.
#pragma once

#include <cstddef>

struct Font;

// Merges pSource into pTarget: the source wins for every code it holds. Returns 0;
// 1 when refused (different heights or types), with the message in pMessage
// (size bytes) and the target untouched.
int INPUT_MergeFonts(Font* pTarget, const Font* pSource, char* pMessage, size_t size);
