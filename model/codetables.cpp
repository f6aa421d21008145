// Lookup tables built from the constant code tables, and the Unicode areas of a
// font's blocks.
#include "model/codetables.h"

#include "model/font.h"

namespace {

// Zero-initialised; filled once at start-up.
uint16_t sjisToUnicode[FONT_NUM_CODES];
uint16_t unicodeToSjis[FONT_NUM_CODES];
const char* sjisName[FONT_NUM_CODES];
const char* unicodeName[FONT_NUM_CODES];
uint8_t unicodeBidi[FONT_NUM_CODES];

// Blocks considered for a font without 16-bit codes: Basic Latin to Latin
// Extended-B, which cover codes 0..255.
constexpr int kNum8BitAreas = 4;

}  // namespace

void SJIS_Init() {
  // The terminating row of zeros is applied too: code 0 maps to 0 both ways.
  for (int i = 0; i <= SJIS_NumRows; ++i) {
    const SjisRow& row = SJIS_aTable[i];
    sjisToUnicode[row.Sjis] = row.Unicode;
    unicodeToSjis[row.Unicode] = row.Sjis;
    sjisName[row.Sjis] = row.pName;
  }
}

uint16_t SJIS_ToUnicode(uint16_t code) { return sjisToUnicode[code]; }
uint16_t SJIS_FromUnicode(uint16_t code) { return unicodeToSjis[code]; }
const char* SJIS_GetCharName(uint16_t code) { return sjisName[code]; }

void UNICODE_Init() {
  for (int i = 0; i < UNICODE_NumRows; ++i) {
    const UnicodeRow& row = UNICODE_aTable[i];
    unicodeName[row.Code] = row.pName;
    unicodeBidi[row.Code] = row.BidiClass;
  }
}

const char* UNICODE_GetCharName(uint16_t code) { return unicodeName[code]; }
int UNICODE_GetBidiClass(uint16_t code) { return unicodeBidi[code]; }

void FONT_AssignAreas(Font* pFont) {
  for (CharBlock& block : pFont->aBlock) block.Area = -1;
  const int rows = pFont->Has16BitCodes ? UNICODE_NumBlocks : kNum8BitAreas;
  for (int i = 0; i < rows; ++i) {
    const UnicodeBlockRow& row = UNICODE_aBlocks[i];
    for (int b = row.First / 16; b <= row.Last / 16 && b < FONT_NUM_BLOCKS_MAX; ++b) pFont->aBlock[b].Area = i;
  }
}

const char* FONT_GetBlockAreaName(const Font* pFont, uint32_t block) {
  if (block >= FONT_NUM_BLOCKS_MAX) return nullptr;
  const int32_t area = pFont->aBlock[block].Area;
  return area >= 0 && area < UNICODE_NumBlocks ? UNICODE_aBlocks[area].pName : nullptr;
}
