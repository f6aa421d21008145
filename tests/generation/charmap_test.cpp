// The characters of a new font are exactly the codes the face maps to a real glyph:
// checked against FreeType's per-code lookup of the face's own file, code by code.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "generation/generation_fixture.h"
#include "model/codetables.h"

namespace {

// The font's codes as the face file says: every BMP code whose glyph is not glyph
// 0 in the Unicode map (else the symbol map), through Shift_JIS for a JIS font.
std::set<int> CodesOfFile(const char* pFace, int encoding, int* pUnicodeRuns) {
  std::set<int> codes;
  EngineFontRequest request;
  request.pFaceName = pFace;
  request.Height = 20;
  EngineFontPtr engineFont = ENGINE_OpenFont(request);
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(engineFont.get(), &info);
  FT_Library library;
  FT_Face face;
  EXPECT_EQ(FT_Init_FreeType(&library), 0);
  EXPECT_EQ(FT_New_Face(library, info.File.c_str(), info.Index, &face), 0) << info.File;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE)) {
    EXPECT_EQ(FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL), 0);
  }
  *pUnicodeRuns = 0;
  bool previous = false;
  for (int u = 0; u < 0x10000; u++) {
    const bool mapped = FT_Get_Char_Index(face, FT_ULong(u)) != 0;
    *pUnicodeRuns += mapped && !previous;
    previous = mapped;
    if (!mapped) continue;
    const int code = encoding == ENCODING_JIS ? SJIS_FromUnicode(uint16_t(u)) : u;
    if (code != 0 || encoding != ENCODING_JIS) codes.insert(code);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return codes;
}

struct Case {
  const char* pFace;
  int Encoding;
  size_t Count;  // what fontTools counts in the face's map (BMP, glyph 0 left out)
};

TEST(CharMap, NewFontsHoldExactlyTheCodesWithRealGlyphs) {
  const Case aCase[] = {
      {"DejaVu Sans Mono", ENCODING_UC16, 3259},  // its map sends 80 codes such as U+01F7 to glyph 0
      {"DejaVu Sans", ENCODING_UC16, 5370},
      {"IPAGothic", ENCODING_JIS, 0},
      {"Morvane NoFormat4", ENCODING_UC16, 3},  // a platform-0, format-12 map only; U+1D400 is left out
      {"Morvane Symbol", ENCODING_UC16, 3},     // F020, F041, F042
  };
  for (const Case& c : aCase) {
    SCOPED_TRACE(c.pFace);
    CreateArgs args;
    args.pFace = c.pFace;
    args.Encoding = c.Encoding;
    FontPtr font = CreateFont(args);
    ASSERT_TRUE(font);
    int runs = 0;
    const std::set<int> expected = CodesOfFile(c.pFace, c.Encoding, &runs);
    if (c.Count) {
      EXPECT_EQ(expected.size(), c.Count);
    }
    std::vector<int> wrong;
    for (int code = 0; code < 0x10000; code++) {
      const bool real = expected.count(code) != 0;
      if ((FONT_CharExists(font.get(), uint16_t(code)) != 0) != real ||
          (FONT_IsCharEnabled(font.get(), uint16_t(code)) != 0) != real)
        wrong.push_back(code);
    }
    EXPECT_EQ(wrong, std::vector<int>{}) << "codes enabled or left out wrongly";
    EXPECT_EQ(font->NumRanges, runs);  // the ranges are the runs of mapped Unicode codes
    EXPECT_FALSE(FONT_CharExists(font.get(), 0));
    EXPECT_FALSE(FONT_CharExists(font.get(), 0xFFFF));
  }
}

}  // namespace
