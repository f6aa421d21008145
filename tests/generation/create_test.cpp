// Creating fonts: heights in points and internal antialiasing, and the refusal of
// an extended font in an 8-bit encoding the window's dialog can ask for. A face
// without a usable map is refused by name in the golden case create_marks_and_advances.
#include <gtest/gtest.h>

#include <string>

#include "generation/generate.h"
#include "model/font.h"
#include "settings/journal.h"
#include "support/errorlog.h"
#include "generation/generation_fixture.h"

TEST(CreateFont, PointSizesGiveStandardCharactersTheFontHeight) {
  CreateArgs args;
  args.pFace = "Morvane Tall";
  args.Height = -32;  // em 32: cell 27.2 + 6.4, rounded outward
  FontPtr font = CreateFont(args);
  EXPECT_EQ(FONT_GetHeight(font.get()), 35);
  EXPECT_EQ(FONT_GetCharHeight(font.get(), 0x41), 35);
  args.Type = FONTTYPE_EXT;
  font = CreateFont(args);
  EXPECT_EQ(FONT_GetCharHeight(font.get(), 0x41), 32);  // the extended types get their boxes when rendered
}

TEST(CreateFont, InternalAntialiasingOpensTheFaceAtFourTimesTheSize) {
  CreateArgs args;
  args.Type = FONTTYPE_AA4;
  args.Method = 1;
  args.Height = 16;
  FontPtr font = CreateFont(args);
  EXPECT_EQ(FONT_GetHeight(font.get()), 16);
  EXPECT_EQ(FONT_GetMaxWidth(font.get()), 64 * 800 / 1000 / 4);
  args.pFace = "Morvane Tall";
  args.Height = -8;  // em 32: cell 35, a quarter rounded up like the characters' cells
  font = CreateFont(args);
  EXPECT_EQ(FONT_GetHeight(font.get()), 9);
  FONT_RenderChar(font.get(), 'A');
  EXPECT_EQ(FONT_GetCharHeight(font.get(), 'A'), 9);
  LogFontRecord record;
  FONT_GetLogFont(font.get(), &record);
  EXPECT_EQ(record.Height, -8);  // the record keeps the requested height
}

TEST(CreateFont, ExtendedIso8859IsRefusedWithAMessage) {
  TakeErrors();
  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  args.Encoding = ENCODING_ISO8859;
  EXPECT_FALSE(CreateFont(args));
  EXPECT_NE(TakeErrors().find("An extended font file requires a true type or an open type font.\r\n"
                              "The selected font is not such a font."),
            std::string::npos);
}

