// The program's constant knowledge of character sets: the Shift_JIS mapping with
// character names, the Unicode 4.1 character database of the BMP (names and
// bidirectional classes) and the list of Unicode blocks that group characters
// into areas. SJIS_Init and UNICODE_Init expand the first two into lookup tables
// at start-up, before any font exists.
#pragma once

#include <cstdint>

struct Font;

// Bidirectional class numbers (0: the code has no row).
enum BidiClass : uint8_t {
  BIDI_NONE = 0,
  BIDI_ON = 1,
  BIDI_L = 2,
  BIDI_R = 3,
  BIDI_AN = 4,
  BIDI_EN = 5,
  BIDI_AL = 6,
  BIDI_NSM = 7,
  BIDI_CS = 8,
  BIDI_ES = 9,
  BIDI_ET = 10,
  BIDI_BN = 11,
  BIDI_S = 12,
  BIDI_WS = 13,
  BIDI_B = 14,
  BIDI_RLO = 15,
  BIDI_RLE = 16,
  BIDI_LRO = 17,
  BIDI_LRE = 18,
  BIDI_PDF = 19,
};

// One row of each constant table.
struct SjisRow {
  uint16_t Sjis;
  uint16_t Unicode;
  const char* pName;
};
struct UnicodeRow {
  int32_t Code;
  int32_t CombiningClass;
  const char* pCategory;  // two-letter general category, e.g. "Lu"
  uint8_t BidiClass;
  const char* pName;
};
struct UnicodeBlockRow {
  int32_t First;
  int32_t Last;
  const char* pName;
};

// The constant tables in code order; the Shift_JIS table ends with a row of zeros
// that is not counted.
extern const SjisRow SJIS_aTable[];
extern const int SJIS_NumRows;  // 7037
extern const UnicodeRow UNICODE_aTable[];
extern const int UNICODE_NumRows;  // 13076
extern const UnicodeBlockRow UNICODE_aBlocks[];
extern const int UNICODE_NumBlocks;  // 163

// Shift_JIS lookups; 0 / null when unmapped (code 0 maps to 0 both ways).
void SJIS_Init();
uint16_t SJIS_ToUnicode(uint16_t code);
uint16_t SJIS_FromUnicode(uint16_t code);
const char* SJIS_GetCharName(uint16_t code);

// Unicode lookups; null / 0 for codes without a row (inside first/last ranges too).
void UNICODE_Init();
const char* UNICODE_GetCharName(uint16_t code);
int UNICODE_GetBidiClass(uint16_t code);

// Sets every CharBlock's Area from the block list (the first 4 rows only for a
// font without 16-bit codes); -1 where no block covers it.
void FONT_AssignAreas(Font* pFont);
// Name of the block's area; null when block >= 4096 or it has no area.
const char* FONT_GetBlockAreaName(const Font* pFont, uint32_t block);
