// Character pixels as text for the edit tests: one string per row, '0'..'F' for
// pixel values and 'f' for a frame pixel.
#pragma once

#include <string>
#include <vector>

#include "model/font.h"

std::vector<std::string> Rows(const Font* pFont, uint16_t code, int height);
// Fills the character of the size from rows written as above.
void SetRows(Font* pFont, uint16_t code, const std::vector<std::string>& rows, int boxLeft = 0, int boxTop = 0,
             int cursorDist = 0);
// The journal's lines without their padding and closing star.
std::vector<std::string> JournalLines();
