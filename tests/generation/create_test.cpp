#include <gtest/gtest.h>

#include <string>

#include "generation/generate.h"
#include "model/font.h"
#include "settings/journal.h"
#include "support/errorlog.h"
#include "generation/generation_fixture.h"

namespace {

int CountExisting(Font* pFont) {
  int n = 0;
  for (int c = 0; c < 65536; c++) n += FONT_CharExists(pFont, uint16_t(c)) != 0;
  return n;
}

int CountEnabled(Font* pFont) {
  int n = 0;
  for (int c = 0; c < 65536; c++) n += FONT_IsCharEnabled(pFont, uint16_t(c)) != 0;
  return n;
}

}  // namespace

TEST(CreateFont, MetricsOfTheStandardAndExtendedTypes) {
  FontPtr font = CreateFont({});
  ASSERT_TRUE(font);
  EXPECT_EQ(FONT_GetHeight(font.get()), 20);
  EXPECT_EQ(FONT_GetMaxWidth(font.get()), 16);
  EXPECT_EQ(FONT_GetBaseline(font.get()), 0);  // a standard font has no baseline
  EXPECT_EQ(FONT_GetCurrentChar(font.get()), 0x41);
  EXPECT_EQ(FONT_GetType(font.get()), FONTTYPE_STD);
  EXPECT_EQ(FONT_GetCharHeight(font.get(), 0x41), 20);

  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  font = CreateFont(args);
  EXPECT_EQ(FONT_GetHeight(font.get()), 20);
  EXPECT_EQ(FONT_GetBaseline(font.get()), 16);

  args.Type = FONTTYPE_EXT_FRM;
  args.Height = 14;
  font = CreateFont(args);
  EXPECT_EQ(FONT_GetHeight(font.get()), 16);  // the frame adds a row above and below
  EXPECT_EQ(FONT_GetMaxWidth(font.get()), 11 + 2);
  EXPECT_EQ(FONT_GetBaseline(font.get()), 11);
}

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

TEST(CreateFont, StartsTheJournal) {
  JOURNAL_Add("* old line");
  FontPtr font = CreateFont({});
  const std::string line = "* Initial font height:  20";
  EXPECT_EQ(std::string(JOURNAL_GetText()), line + std::string(69 - line.size(), ' ') + "*\r\n");
}

TEST(CreateFont, Unicode16EnablesExactlyTheMappedCodes) {
  CreateArgs args;
  args.pFace = "Morvane Ascii";
  FontPtr font = CreateFont(args);
  ASSERT_TRUE(font);
  EXPECT_EQ(FONT_GetNumBlocks(font.get()), 4096);
  EXPECT_TRUE(FONT_Has16BitCodes(font.get()));
  for (int c = 0; c < 65536; c++) {
    const bool mapped = c >= 0x20 && c <= 0x7E;  // the final 0xFFFF segment leads to glyph 0
    ASSERT_EQ(FONT_CharExists(font.get(), uint16_t(c)) != 0, mapped) << c;
    ASSERT_EQ(FONT_IsCharEnabled(font.get(), uint16_t(c)) != 0, mapped) << c;
    ASSERT_FALSE(FONT_IsCharRendered(font.get(), uint16_t(c)));
  }
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 6u);
  for (int b = 0; b < 4096; b++) EXPECT_EQ(FONT_IsBlockUsed(font.get(), b) != 0, b >= 2 && b <= 7) << b;
  EXPECT_EQ(FONT_GetBlockArea(font.get(), 0x004), 0);  // Basic Latin
}

TEST(CreateFont, Iso8859HasAllCodesAndEnablesThePrintableOnes) {
  CreateArgs args;
  args.Encoding = ENCODING_ISO8859;
  FontPtr font = CreateFont(args);
  ASSERT_TRUE(font);
  EXPECT_EQ(FONT_GetNumBlocks(font.get()), 16);
  EXPECT_FALSE(FONT_Has16BitCodes(font.get()));
  EXPECT_EQ(CountExisting(font.get()), 256);
  EXPECT_EQ(CountEnabled(font.get()), 192);
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 31));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 32));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 128));
  EXPECT_FALSE(FONT_IsCharEnabled(font.get(), 159));
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 160));
  EXPECT_EQ(FONT_GetNumUsedBlocks(font.get()), 12u);  // blocks 2..7 and 10..15
}

TEST(CreateFont, SymbolMapsAreTakenWhenThereIsNoUnicodeMap) {
  CreateArgs args;
  args.pFace = "Morvane Symbol";
  FontPtr font = CreateFont(args);
  ASSERT_TRUE(font);
  EXPECT_EQ(CountExisting(font.get()), 3);  // F020, F041..F042
  EXPECT_TRUE(FONT_CharExists(font.get(), 0xF041));
  EXPECT_FALSE(FONT_CharExists(font.get(), 0x41));
}

TEST(CreateFont, AFamilyWithoutAUsableMapIsRefusedNamingTheFace) {
  TakeErrors();
  CreateArgs args;
  args.pFace = "Morvane MacOnly";
  EXPECT_FALSE(CreateFont(args));
  const std::string errors = TakeErrors();
  EXPECT_NE(errors.find("Font has no usable character map: Morvane MacOnly (MorvaneMacOnly.ttf)"),
            std::string::npos)
      << errors;
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

TEST(CreateFont, RealFonts) {
  CreateArgs args;
  args.pFace = "DejaVu Sans";
  args.Height = 16;
  FontPtr font = CreateFont(args);
  ASSERT_TRUE(font);
  EXPECT_EQ(FONT_GetHeight(font.get()), 16);
  EXPECT_TRUE(FONT_CharExists(font.get(), 0x20AC));

  args.pFace = "IPAGothic";
  args.Encoding = ENCODING_JIS;
  font = CreateFont(args);
  ASSERT_TRUE(font);
  EXPECT_TRUE(FONT_CharExists(font.get(), 0x889F));  // U+4E9C
  EXPECT_TRUE(FONT_IsCharEnabled(font.get(), 0x889F));
  EXPECT_TRUE(FONT_CharExists(font.get(), 0x41));
  EXPECT_TRUE(FONT_CharExists(font.get(), 0x815F));  // U+005C
  EXPECT_FALSE(FONT_CharExists(font.get(), 0x4E9C));
  EXPECT_GT(CountExisting(font.get()), 6000);
}
