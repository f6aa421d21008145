#include "generation/fontengine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "generation/generation_fixture.h"
#include "support/testfonts.h"

namespace {

EngineFontPtr Open(const char* pFace, int height, int weight = 400, int italic = 0,
                   int charSet = ENGINE_DEFAULT_CHARSET) {
  RegisterTestFonts();
  EngineFontRequest request;
  request.pFaceName = pFace;
  request.Height = height;
  request.Weight = weight;
  request.Italic = italic;
  request.CharSet = charSet;
  return ENGINE_OpenFont(request);
}

EngineTextMetrics Metrics(const EngineFont* pFont) {
  EngineTextMetrics m;
  ENGINE_GetTextMetrics(pFont, &m);
  return m;
}

int InkCount(const GlyphBitmap& b) {
  int n = 0;
  for (int y = 0; y < b.Rows; y++)
    for (int x = 0; x < b.Width; x++) n += GlyphInk(b, x, y);
  return n;
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

TEST(FontEngine, WithoutOs2TheHheaMetricsScale) {
  EngineFontPtr font = Open("Morvane NoOS2", 24);  // hhea 900 / -300: em 20
  EngineTextMetrics m = Metrics(font.get());
  EXPECT_EQ(m.Height, 24);
  EXPECT_EQ(m.Ascent, 18);
  GlyphMetrics g;
  ENGINE_GetGlyph(font.get(), 'A', GLYPH_MONO, &g, nullptr);
  EXPECT_EQ(g.CellIncX, 14);
  EXPECT_EQ(g.BlackBoxY, 14);
}

TEST(FontEngine, AnEmptyGlyphIsOneByOneWithoutInkAndKeepsItsAdvance) {
  EngineFontPtr font = Open("Morvane Rect", 20);
  for (GlyphFormat format : {GLYPH_MONO, GLYPH_GREY}) {
    GlyphMetrics g;
    GlyphBitmap b;
    ASSERT_EQ(ENGINE_GetGlyph(font.get(), ' ', format, &g, &b), 0);
    EXPECT_EQ(g.BlackBoxX, 1);
    EXPECT_EQ(g.BlackBoxY, 1);
    EXPECT_EQ(g.CellIncX, 6);
    EXPECT_EQ(b.pBits, nullptr);
  }
}

TEST(FontEngine, MissingCharactersGetTheDefaultGlyph) {
  EngineFontPtr font = Open("Morvane Rect", 20);
  GlyphMetrics g;
  ENGINE_GetGlyph(font.get(), 0x4E00, GLYPH_MONO, &g, nullptr);
  EXPECT_EQ(g.CellIncX, 10);  // .notdef advances 500 units
  EXPECT_EQ(g.BlackBoxX, 7);
}

TEST(FontEngine, SynthesizesBoldOnlyForAClearlyLighterFace) {
  EngineFontPtr font = Open("Morvane Rect", 20, 700);
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(font.get(), &info);
  EXPECT_EQ(info.SyntheticBold, 1);
  EXPECT_FALSE(info.SyntheticOblique);
  GlyphMetrics g;
  GlyphBitmap b;
  ENGINE_GetGlyph(font.get(), 'A', GLYPH_MONO, &g, &b);
  EXPECT_EQ(g.BlackBoxX, 11);  // one pixel wider, to the right
  EXPECT_EQ(g.OriginX, 2);
  EXPECT_EQ(g.CellIncX, 15);
  EXPECT_EQ(InkCount(b), 154);
  EXPECT_EQ(Metrics(font.get()).MaxCharWidth, 17);
  ENGINE_GetGlyph(font.get(), ' ', GLYPH_MONO, &g, nullptr);
  EXPECT_EQ(g.CellIncX, 7);

  ENGINE_GetFaceInfo(Open("Morvane Rect", 20, 500).get(), &info);
  EXPECT_EQ(info.SyntheticBold, 0);
}

TEST(FontEngine, SynthesizesObliqueForAnUprightFace) {
  EngineFontPtr font = Open("Morvane Rect", 20, 400, 1);
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(font.get(), &info);
  EXPECT_TRUE(info.SyntheticOblique);
  GlyphMetrics g;
  GlyphBitmap b;
  ENGINE_GetGlyph(font.get(), 'A', GLYPH_MONO, &g, &b);
  EXPECT_GT(g.BlackBoxX, 12);  // sheared by about 3 pixels over 14 rows
  EXPECT_EQ(g.CellIncX, 14);
  auto firstInk = [&](int y) {
    for (int x = 0; x < b.Width; x++)
      if (GlyphInk(b, x, y)) return x;
    return -1;
  };
  EXPECT_GT(firstInk(0), firstInk(b.Rows - 1));
  ENGINE_GetFaceInfo(Open("Liberation Sans", 20, 400, 1).get(), &info);
  EXPECT_FALSE(info.SyntheticOblique);
  EXPECT_NE(info.File.find("Italic"), std::string::npos) << info.File;
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
  EXPECT_EQ(Metrics(font.get()).Height, 16);
}
