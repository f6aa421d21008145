// What the interactive font chooser offers: the installed families as the create
// command matches them, the styles each family offers, the 8-bit scripts a family
// covers, and the sample a choice gives, rendered by the generator itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/font.h"

struct FaceFamily {
  std::string Name;
  bool Outline = false;  // a TrueType or OpenType outline font carries the name
};

// The families of ENGINE_ListFaces in its order, without vertical ('@') names,
// each with its outline flag.
std::vector<FaceFamily> ENGINE_ListFamilies();

struct FaceStyle {
  std::string Name;      // as the face names its style ("Bold", "Book", ...)
  int32_t Weight = 400;  // 100..900
  int32_t Italic = 0;
  bool Synthetic = false;  // the engine emboldens or slants another face
};

// The styles of a family the engine can open: one per weight and slant among the
// faces of the width it chooses (the one nearest to normal), plus bold, italic
// and bold italic synthesized where the family has no such face; sorted by
// weight, upright first. Empty for a family that is not installed.
std::vector<FaceStyle> ENGINE_ListStyles(const char* pFamily);
// Index of the style nearest to a weight and slant (slant first); -1 for none.
int ENGINE_FindStyle(const std::vector<FaceStyle>& styles, int32_t weight, int32_t italic);

struct FaceScript {
  const char* pName;  // "Western", "Cyrillic", ...
  int32_t CharSet;    // character-set value of the logical-font record
};
// The 8-bit scripts the family covers (most letters of the code page's upper
// half); Western at least.
std::vector<FaceScript> ENGINE_ListScripts(const char* pFamily);

// The characters of a sample line for a font and the pixels the generator gives
// them, laid out as a device draws them: standard types cell by cell, extended
// types box by box around one baseline with their own advances.
struct SampleGlyph {
  uint16_t Code = 0;
  int X = 0;  // top-left corner of the character's box in the sample
  int Y = 0;
  int Width = 0;
  int Height = 0;
};
struct FontSample {
  int32_t Type = 0;
  int32_t FontHeight = 0;  // the generated font's height
  int Width = 0;           // of the whole sample
  int Height = 0;
  std::vector<SampleGlyph> Glyphs;
  std::vector<int8_t> Pixels;  // Width x Height pixel values, row by row (-1 frame)
};

// The codes shown for a font: "AaBbYyZz", for ISO8859 four letters of the upper
// half, and kana and a kanji where the font has them; codes the font lacks are
// left out (the first few existing codes when none remains).
std::vector<uint16_t> GENERATE_GetSampleCodes(const Font* pFont);
// Creates a font from the record as FONT_CreateFromLogFont does and renders only
// the sample's characters (never the whole font). The program-wide journal and
// cursor-distance adjustments are left as they were. 1 when no font results.
int GENERATE_RenderSample(const LogFontRecord* pLogFont, int32_t type, int32_t encoding,
                      int32_t method, FontSample* pSample);

// The family the desktop's configuration picks for sans-serif text when it is
// listed, else the first listed one; "" when none is installed.
std::string ENGINE_GetDefaultFamily(const std::vector<FaceFamily>& families);
