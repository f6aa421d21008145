// The range list every writer lays its output out by: the maximal runs of
// consecutive enabled codes, ascending, and the number of codes they hold.
#pragma once

#include <cstdint>
#include <vector>

struct Font;

struct CodeRange {
  uint16_t First;
  uint16_t Last;
};

struct RangeList {
  std::vector<CodeRange> aRange;
  uint32_t NumCodes = 0;
};

void OUT_BuildRangeList(const Font* pFont, RangeList* pList);
// What every writer does first: renders the characters still pending and builds the
// range list. With no character enabled it reports "Nothing to save!" and returns false.
bool OUT_PrepareSave(Font* pFont, RangeList* pList);
