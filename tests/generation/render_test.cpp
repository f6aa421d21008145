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

TEST(RenderGlyph, SymbolFontsRenderTheirPrivateCodes) {
  CreateArgs args;
  args.pFace = "Morvane Symbol";
  args.Type = FONTTYPE_EXT;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(Pixels(font.get(), 0xF041), Rect(10, 14, 0, 0, 10, 14));
}

