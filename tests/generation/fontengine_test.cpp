// The font engine on its own: the family list and exact name matching, the default
// glyph of a missing character, symbol fonts and substitutes. What the engine makes
// of the synthetic faces (metrics without OS/2, empty glyphs, synthesized bold and
// oblique) is pinned by the golden case synthetic_faces.
#include "generation/fontengine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "generation/generation_fixture.h"
#include "support/testfonts.h"

namespace {

EngineFontPtr Open(const char* pFace, int height) {
  RegisterTestFonts();
  EngineFontRequest request;
  request.pFaceName = pFace;
  request.Height = height;
  return ENGINE_OpenFont(request);
}

}  // namespace

TEST(FontEngine, ListsEveryFamilyNameAndComparesExactly) {
  RegisterTestFonts();
  const std::vector<std::string> faces = ENGINE_ListFaces();
  for (const char* pName : {"Morvane Rect", "Morvane Tall", "Morvane Tall Group", "DejaVu Sans", "IPAGothic"})
    EXPECT_TRUE(std::binary_search(faces.begin(), faces.end(), pName)) << pName;
  EXPECT_TRUE(ENGINE_FaceExists("Morvane Tall Group"));
  EXPECT_TRUE(ENGINE_FaceExists("Liberation Sans"));
  EXPECT_FALSE(ENGINE_FaceExists("morvane rect"));
  EXPECT_FALSE(ENGINE_FaceExists("Morvane Rec"));
  EXPECT_FALSE(ENGINE_FaceExists("MorvaneRect"));
  EXPECT_FALSE(ENGINE_FaceExists(""));
}

TEST(FontEngine, MissingCharactersGetTheDefaultGlyph) {
  EngineFontPtr font = Open("Morvane Rect", 20);
  GlyphMetrics g;
  ENGINE_GetGlyph(font.get(), 0x4E00, GLYPH_MONO, &g, nullptr);
  EXPECT_EQ(g.CellIncX, 10);  // .notdef advances 500 units
  EXPECT_EQ(g.BlackBoxX, 7);
}

TEST(FontEngine, ASymbolFontAnswersForLowCodesToo) {
  EngineFontPtr font = Open("Morvane Symbol", 20);
  GlyphMetrics g;
  for (uint32_t code : {0xF041u, 0x41u}) {
    ENGINE_GetGlyph(font.get(), code, GLYPH_MONO, &g, nullptr);
    EXPECT_EQ(g.BlackBoxX, 10) << code;
    EXPECT_EQ(g.CellIncX, 14) << code;
  }
}

TEST(FontEngine, AFamilyThatIsNotInstalledGetsASubstitute) {
  EngineFontPtr font = Open("No Such Family 1234", 16);
  ASSERT_TRUE(font);
  EngineTextMetrics m;
  ENGINE_GetTextMetrics(font.get(), &m);
  EXPECT_EQ(m.Height, 16);
}
