#include <gtest/gtest.h>

#include <string>

#include "edit/cursoradjust.h"
#include "generation/internal/supersample.h"
#include "generation/generate.h"
#include "model/font.h"
#include "settings/settings.h"
#include "support/tempdir.h"
#include "generation/generation_fixture.h"

// Morvane Rect at 20 pixels: 50 units a pixel, ascent 16, cell 20.

TEST(RenderGlyph, StandardCharactersAreTheirCellClipped) {
  FontPtr font = CreateFont({});
  Font* f = font.get();
  EXPECT_EQ(Pixels(f, 'A'), Rect(14, 20, 2, 2, 12, 16));
  EXPECT_TRUE(FONT_IsCharRendered(f, 'A'));
  EXPECT_EQ(FONT_GetCharWidth(f, 'A'), 14);
  EXPECT_EQ(FONT_GetCharHeight(f, 'A'), 20);
  EXPECT_EQ(Pixels(f, 'g'), Rect(12, 20, 2, 10, 10, 20));
  EXPECT_EQ(Pixels(f, 'W'), Rect(16, 20, 0, 2, 16, 16));  // overhangs cut at both sides
  EXPECT_EQ(Pixels(f, '|'), Rect(6, 20, 2, 0, 4, 20));    // and above and below the cell
  EXPECT_EQ(Pixels(f, ' '), Rect(6, 20, 0, 0, 0, 0));
  // A wide character drawn before leaves nothing behind.
  EXPECT_EQ(Pixels(f, 'e'), Rect(10, 20, 1, 6, 9, 16));
}

TEST(RenderGlyph, OsAntialiasedStandardTypesUseTheirFullRange) {
  CreateArgs args;
  args.Type = FONTTYPE_AA4;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 'A'), Rect(14, 20, 2, 2, 12, 16));
  args.Type = FONTTYPE_AA2;
  font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 'g'), Rect(12, 20, 2, 10, 10, 20));
}

TEST(RenderGlyph, ExtendedCharactersAreTheirBlackBox) {
  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  FontPtr font = CreateFont(args);
  Font* f = font.get();
  EXPECT_EQ(Pixels(f, 'A'), Rect(10, 14, 0, 0, 10, 14));
  const CharInfo* a = Info(f, 'A');
  EXPECT_EQ(a->BoxLeft, 2);
  EXPECT_EQ(a->BoxTop, 14);
  EXPECT_EQ(a->CursorDist, 14);
  Pixels(f, 'g');
  EXPECT_EQ(Info(f, 'g')->BoxTop, 6);
  EXPECT_EQ(Pixels(f, '|'), Rect(2, 28, 0, 0, 2, 28));
  EXPECT_EQ(Info(f, '|')->BoxTop, 20);
  EXPECT_EQ(Pixels(f, 'W'), Rect(20, 14, 0, 0, 20, 14));
  EXPECT_EQ(Info(f, 'W')->BoxLeft, -2);
  // The dot of the i is apart from its stem.
  EXPECT_EQ(Pixels(f, 'i'), "##\n##\n..\n..\n" + Rect(2, 10, 0, 0, 2, 10));
  // A space is one blank pixel that keeps its advance.
  EXPECT_EQ(Pixels(f, ' '), ".\n");
  EXPECT_EQ(Info(f, ' ')->CursorDist, 6);
}

TEST(RenderGlyph, ArabicNonSpacingMarksTakeNoAdvance) {
  for (int type : {FONTTYPE_EXT, FONTTYPE_EXT_FRM, FONTTYPE_EXT_AA4}) {
    CreateArgs args;
    args.Type = type;
    FontPtr font = CreateFont(args);
    const int frame = type == FONTTYPE_EXT_FRM ? 2 : 0;
    FONT_RenderChar(font.get(), 0x64E);  // fatha
    EXPECT_EQ(Info(font.get(), 0x64E)->CursorDist, frame) << type;
    FONT_RenderChar(font.get(), 0x300);  // a mark outside the Arabic block
    EXPECT_EQ(Info(font.get(), 0x300)->CursorDist, 4 + frame) << type;
  }
}

TEST(RenderGlyph, FramedCharactersGrowByTheFrame) {
  CreateArgs args;
  args.Type = FONTTYPE_EXT_FRM;
  FontPtr font = CreateFont(args);
  std::string expected = Rect(12, 16, 1, 1, 11, 15);
  for (int y = 1; y < 15; y++) expected[y * 13] = expected[y * 13 + 11] = 'o';
  for (int x = 1; x < 11; x++) expected[x] = expected[15 * 13 + x] = 'o';
  EXPECT_EQ(Pixels(font.get(), 'A'), expected);
  const CharInfo* a = Info(font.get(), 'A');
  EXPECT_EQ(a->BoxWidth, 12);
  EXPECT_EQ(a->BoxHeight, 16);
  EXPECT_EQ(a->CursorDist, 16);
  EXPECT_EQ(a->BoxLeft, 2);
  EXPECT_EQ(a->BoxTop, 14);
}

TEST(RenderGlyph, ExtendedAntialiasedCharacters) {
  CreateArgs args;
  args.Type = FONTTYPE_EXT_AA4;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 'A'), Rect(10, 14, 0, 0, 10, 14));
  EXPECT_EQ(Info(font.get(), 'A')->CursorDist, 14);
  args.Type = FONTTYPE_EXT_AA2;
  font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 'g'), Rect(8, 10, 0, 0, 8, 10));
}

TEST(RenderGlyph, CursorDistanceAdjustmentsAreClamped) {
  EDIT_IncCursorDistRange(nullptr, 0x41, 0x42, 3);
  EDIT_DecCursorDistRange(nullptr, 0x20, 0x20, 10);
  EDIT_IncCursorDistRange(nullptr, 0x57, 0x57, 300);
  CreateArgs args;
  args.Type = FONTTYPE_EXT_AA4;
  FontPtr font = CreateFont(args);
  for (uint16_t c : {0x41, 0x42, 0x20, 0x57, 0x65}) FONT_RenderChar(font.get(), c);
  EXPECT_EQ(Info(font.get(), 0x41)->CursorDist, 14 + 3);
  EXPECT_EQ(Info(font.get(), 0x42)->CursorDist, 8 + 3);
  EXPECT_EQ(Info(font.get(), 0x20)->CursorDist, 0);
  EXPECT_EQ(Info(font.get(), 0x57)->CursorDist, 255);
  EXPECT_EQ(Info(font.get(), 0x65)->CursorDist, 10);
  // Only the extended antialiased types take them.
  args.Type = FONTTYPE_EXT;
  font = CreateFont(args);
  FONT_RenderChar(font.get(), 0x41);
  EXPECT_EQ(Info(font.get(), 0x41)->CursorDist, 14);
}

TEST(RenderGlyph, Iso8859CodesFollowTheCodePage) {
  CreateArgs args;
  args.Encoding = ENCODING_ISO8859;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 0x80), Rect(13, 20, 1, 2, 11, 16));  // the euro sign of Windows-1252
  EXPECT_EQ(Pixels(font.get(), 0xE9), Rect(10, 20, 1, 3, 9, 16));
  args.CharSet = 204;
  font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 0xC6), Rect(16, 20, 1, 2, 15, 16));  // U+0416
}

TEST(RenderGlyph, SymbolFontsRenderTheirPrivateCodes) {
  CreateArgs args;
  args.pFace = "Morvane Symbol";
  args.Type = FONTTYPE_EXT;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 0xF041), Rect(10, 14, 0, 0, 10, 14));
}

TEST(RenderGlyph, JisCodesAreDrawnAsTheirUnicodeCharacters) {
  CreateArgs args;
  args.pFace = "IPAGothic";
  args.Encoding = ENCODING_JIS;
  args.Height = 24;
  FontPtr font = CreateFont(args);
  FONT_RenderChar(font.get(), 0x889F);
  FONT_RenderChar(font.get(), 0x41);
  // A full-width kanji, twice as wide as a Latin letter of this monospaced face
  // (up to the rounding of the half-width advance at an odd em).
  EXPECT_NEAR(FONT_GetCharWidth(font.get(), 0x889F), 2 * FONT_GetCharWidth(font.get(), 0x41), 1);
  EXPECT_GT(FONT_GetCharWidth(font.get(), 0x41), 8);
  int ink = 0;
  for (int y = 0; y < 24; y++)
    for (int x = 0; x < 24; x++) ink += FONT_GetPixel(font.get(), 0x889F, x, y);
  EXPECT_GT(ink, 60);
}

// Morvane Phase at a requested height of 10 is drawn at 40 pixels.
class InternalAA : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1); }
  FontPtr Create(int type = FONTTYPE_AA4) {
    CreateArgs args;
    args.pFace = "Morvane Phase";
    args.Height = 10;
    args.Type = type;
    args.Method = 1;
    return CreateFont(args);
  }
  TempDir dir_;
};

TEST_F(InternalAA, FindsTheGlobalPhaseAndTheBestPhasePerCharacter) {
  FontPtr font = Create();
  EXPECT_EQ(FONT_GetHeight(font.get()), 10);
  const std::string cells = Rect(4, 10, 1, 2, 3, 4);
  EXPECT_EQ(Pixels(font.get(), 'H'), cells);  // phase (1, 1) covers it exactly
  EXPECT_TRUE(AA_GlobalPhaseFound());
  EXPECT_EQ(AA_GetGlobalPhase(), 1);
  EXPECT_EQ(Pixels(font.get(), 'I'), cells);  // phase (2, 1)
  // A full cell: the first column and row gather 3 pixels each, the others 4.
  const std::string full = Pixels(font.get(), 0xC6);
  EXPECT_EQ(full.substr(0, 5), "8BBB\n");  // phase (0, 1): the last column is full
  EXPECT_EQ(full.substr(5, 5), "B###\n");
  font = Create(FONTTYPE_AA2);
  EXPECT_EQ(Pixels(font.get(), 'I'), cells);
}

TEST_F(InternalAA, WithoutOptimizationTheXPhaseIsZero) {
  Settings settings;
  SETTINGS_Load(&settings);
  settings.SuppressOptAA = 1;
  SETTINGS_Save(&settings);
  FontPtr font = Create();
  std::string expected = Rect(4, 10, 0, 0, 0, 0);
  for (int y = 2; y < 4; y++) expected.replace(y * 5, 4, ".7#7");
  EXPECT_EQ(Pixels(font.get(), 'I'), expected);
  EXPECT_EQ(Pixels(font.get(), 'H'), Rect(4, 10, 0, 0, 0, 0).replace(10, 4, ".B#4").replace(15, 4, ".B#4"));
}

TEST_F(InternalAA, CellSizesAreAQuarterRoundedUp) {
  CreateArgs args;
  args.pFace = "Morvane Tall";
  args.Height = -8;  // drawn at an em of 32: 17 x 35 (27.2 + 6.4 rounded outward)
  args.Type = FONTTYPE_AA4;
  args.Method = 1;
  FontPtr font = CreateFont(args);
  GlyphSizes sizes;
  FONT_RenderGlyph(font.get(), 'A', nullptr, &sizes);
  EXPECT_EQ(sizes.DrawnWidth, 17);
  EXPECT_EQ(sizes.DrawnHeight, 35);
  EXPECT_EQ(sizes.CellWidth, 5);
  EXPECT_EQ(sizes.CellHeight, 9);
  FONT_RenderChar(font.get(), 'A');
  EXPECT_EQ(FONT_GetCharWidth(font.get(), 'A'), 5);
}
