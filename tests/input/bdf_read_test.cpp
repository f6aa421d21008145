// Reading BDF fonts: header and character keywords, the word and line rules,
// trimming to the ink, progress texts, hostile sizes, and real BDF files made by
// otf2bdf and pcf2bdf compared glyph by glyph with FreeType's own BDF driver.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <string>

#include "input/bdf_read.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

const char kCreateFailed[] = "Could not create font!";

std::string Char(int code, const std::string& bbx, const std::string& bitmap, int dwidth = 8) {
  return "STARTCHAR c" + std::to_string(code) + "\nENCODING " + std::to_string(code) + "\nSWIDTH 500 0\nDWIDTH " +
         std::to_string(dwidth) + " 0\nBBX " + bbx + "\nBITMAP\n" + bitmap + "ENDCHAR\n";
}

std::string Bdf(const std::string& chars, int count, const std::string& box = "8 16 0 -4") {
  return "STARTFONT 2.1\nFONT -test-\nSIZE 16 75 75\nFONTBOUNDINGBOX " + box +
         "\nSTARTPROPERTIES 1\nFONT_ASCENT 12\nENDPROPERTIES\nCHARS " + std::to_string(count) + "\n" + chars +
         "ENDFONT\n";
}

// Ink of a character as rows of '#' and '.'.
std::string Ink(const ::Font* pFont, uint16_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  std::string rows;
  for (int y = 0; y < ci.BoxHeight; ++y) {
    for (int x = 0; x < ci.BoxWidth; ++x) rows += FONT_GetPixel(pFont, code, x, y) ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

class BdfParse : public ::testing::Test {
 protected:
  FontPtr Parse(const std::string& text) { return INPUT_ParseBdf(text); }
  void ExpectFails(const std::string& text) {
    t.services.boxes.clear();
    EXPECT_FALSE(INPUT_ParseBdf(text)) << text;
    ASSERT_EQ(t.services.boxes.size(), 1u) << text;
    EXPECT_EQ(t.services.boxes[0], kCreateFailed);
  }
  SaveTest t;
};

TEST_F(BdfParse, HeaderAndCharacterFields) {
  FontPtr pFont = Parse(Bdf(Char(65, "3 2 1 -1", "E0\nA0\n", 4), 1));
  ASSERT_TRUE(pFont);
  EXPECT_TRUE(t.services.boxes.empty());
  EXPECT_EQ(pFont->Type, FONTTYPE_EXT);
  EXPECT_EQ(pFont->Encoding, ENCODING_UC16);
  EXPECT_EQ(pFont->Has16BitCodes, 1);
  EXPECT_EQ(pFont->NumBlocks, FONT_NUM_BLOCKS_MAX);
  EXPECT_EQ(pFont->Height, 16);
  EXPECT_EQ(pFont->Baseline, 12);
  EXPECT_EQ(pFont->MaxWidth, 8);
  EXPECT_EQ(pFont->HeightsKnown, 0);
  const CharInfo& ci = pFont->aCharInfo[65];
  EXPECT_TRUE(ci.Enabled && ci.Exists && ci.Rendered);
  EXPECT_EQ(ci.BoxWidth, 3);
  EXPECT_EQ(ci.BoxHeight, 2);
  EXPECT_EQ(ci.BoxLeft, 1);
  EXPECT_EQ(ci.BoxTop, 1);
  EXPECT_EQ(ci.CursorDist, 4);
  EXPECT_EQ(ci.FileRowBytes, 1);
  EXPECT_EQ(Ink(pFont.get(), 65), "###\n#.#\n");
  EXPECT_EQ(FONT_GetBlockArea(pFont.get(), 4), FONT_GetBlockArea(pFont.get(), 5));
  EXPECT_GE(FONT_GetBlockArea(pFont.get(), 4), 0);
  EXPECT_EQ(t.services.status.back(), "Ready");
}

TEST_F(BdfParse, TrimsToTheInk) {
  // BBX 8 10 1 -2, ink in rows 2..7 and columns 1..5.
  std::string bitmap = "00\n00\n";
  for (int y = 2; y <= 7; ++y) bitmap += y == 2 ? "7C\n" : (y == 7 ? "40\n" : "04\n");
  bitmap += "00\n00\n";
  FontPtr pFont = Parse(Bdf(Char(66, "8 10 1 -2", bitmap, 9), 1));
  ASSERT_TRUE(pFont);
  const CharInfo& ci = pFont->aCharInfo[66];
  EXPECT_EQ(ci.BoxWidth, 5);
  EXPECT_EQ(ci.BoxHeight, 6);
  EXPECT_EQ(ci.BoxLeft, 2);
  EXPECT_EQ(ci.BoxTop, 6);
  EXPECT_EQ(ci.CursorDist, 9);
  EXPECT_EQ(ci.FileRowBytes, 1);
  EXPECT_EQ(Ink(pFont.get(), 66), "#####\n....#\n....#\n....#\n....#\n#....\n");
  EXPECT_EQ(FONT_GetCurrentChar(pFont.get()), 0);
}

TEST_F(BdfParse, BlankCharacterAndWideRowsAndColumnsBeyondTheBox) {
  // "F0" with a width of 3 sets columns 0 to 2 only; a blank glyph ends as 1 x 1
  // at its box's top left; rows of several bytes, lower-case digits.
  const std::string chars = Char(1, "3 1 0 0", "F0\n") + Char(2, "4 3 -1 -1", "0\n0\n0\n", 5) +
                            Char(3, "12 2 0 0", "a5f\n001\n", 12) + Char(4, "0 0 0 0", "", 6) + Char(5, "6 0 0 0", "", 6);
  FontPtr pFont = Parse(Bdf(chars, 5));
  ASSERT_TRUE(pFont);
  EXPECT_EQ(Ink(pFont.get(), 1), "###\n");
  const CharInfo& blank = pFont->aCharInfo[2];
  EXPECT_EQ(blank.BoxWidth, 1);
  EXPECT_EQ(blank.BoxHeight, 1);
  EXPECT_EQ(blank.BoxLeft, -1);
  EXPECT_EQ(blank.BoxTop, 2);
  EXPECT_EQ(blank.CursorDist, 5);
  EXPECT_EQ(Ink(pFont.get(), 2), ".\n");
  EXPECT_EQ(Ink(pFont.get(), 3), "#.#..#.#####\n...........#\n");
  EXPECT_EQ(pFont->aCharInfo[3].FileRowBytes, 2);
  for (uint16_t code : {4, 5}) {  // blank glyphs of height 0 are read as they are
    EXPECT_TRUE(pFont->aCharInfo[code].Enabled);
    EXPECT_EQ(pFont->aCharInfo[code].BoxHeight, 0);
    EXPECT_EQ(pFont->aCharInfo[code].CursorDist, 6);
  }
  EXPECT_EQ(pFont->aCharInfo[5].BoxWidth, 6);
}

TEST_F(BdfParse, LineAndWordRules) {
  // CR LF lines, keywords after a comma and spaces, any order of the character
  // keywords, later values counting, ignored keywords, an unterminated ENDFONT.
  std::string text =
      "STARTFONT 2.1\r\nCOMMENT a tab\there is fine\r\nFONTBOUNDINGBOX 4 4 0 0\r\nCHARS 1\r\n"
      "STARTCHAR x\r\nBBX 9 9 9 9\r\n, DWIDTH 3 0\r\nENCODING 7\r\nBBX 2 1 0 0\r\nENCODING 8\r\nBITMAP\r\n"
      "C0\r\nENDCHAR\r\nENDFONT";
  FontPtr pFont = Parse(text);
  ASSERT_TRUE(pFont);
  EXPECT_FALSE(pFont->aCharInfo[7].Enabled);
  EXPECT_EQ(Ink(pFont.get(), 8), "##\n");
  EXPECT_EQ(pFont->aCharInfo[8].CursorDist, 3);

  const std::string good = Bdf(Char(65, "1 1 0 0", "80\n"), 1);
  ASSERT_TRUE(Parse(good));
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string bad = good;
    bad.replace(bad.find(from), from.size(), to);
    return bad;
  };
  ExpectFails(replaced("BBX 1 1", "BBX\t1 1"));            // tab is no blank
  ExpectFails(replaced("BITMAP\n80", "BITMAP\n8G"));       // bad hex digit
  ExpectFails(replaced("ENDFONT\n", ""));                  // missing ENDFONT
  ExpectFails(replaced("ENDFONT", "STARTCHAR"));           // more characters than announced
  ExpectFails(replaced("CHARS 1", "CHARS 2"));             // fewer characters than announced
  ExpectFails(replaced("ENCODING 65\n", ""));              // required keyword missing
  ExpectFails(replaced("DWIDTH 8 0\n", ""));
  ExpectFails(replaced("BBX 1 1 0 0\n", ""));
  ExpectFails(replaced("FONTBOUNDINGBOX 8 16 0 -4\n", ""));
  ExpectFails(replaced("ENDCHAR", "ENDCHARS"));
  ExpectFails(replaced("STARTCHAR", "STARTCHAR#"));       // bad follow character
  ExpectFails(replaced("ENCODING 65", "ENCODING 6-5"));   // "-" inside a number
  ExpectFails(replaced("ENCODING 65", "ENCODING x"));
  ExpectFails(replaced("DWIDTH 8", "DWIDTH 99999999999999999999"));  // beyond int
  ExpectFails(replaced("ENDCHAR\n", "ENDCHAR\n\r\n"));    // empty line where a keyword belongs
  ExpectFails(replaced("BITMAP\n80\nENDCHAR\nENDFONT\n", "BITMAP\n80"));  // text ends inside a line
  ExpectFails(std::string(300, 'A') + "\n" + good);        // keyword longer than 255
  ExpectFails("");
}

TEST_F(BdfParse, BlankLineBetweenCharactersOfACrLfFile) {
  std::string chars = Char(65, "1 1 0 0", "80\n") + Char(66, "1 1 0 0", "80\n");
  std::string lf = Bdf(chars, 2);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_TRUE(Parse(crlf));
  const std::string between = "ENDCHAR\r\nSTARTCHAR c66";
  crlf.replace(crlf.find(between), between.size(), "ENDCHAR\r\n\r\nSTARTCHAR c66");
  ExpectFails(crlf);
  // In an LF file the line end's second LF swallows one blank line.
  lf.replace(lf.find("ENDCHAR\nSTARTCHAR c66"), 8, "ENDCHAR\n\n");
  EXPECT_TRUE(Parse(lf));
}

TEST_F(BdfParse, ProgressEveryTwentyCharacters) {
  std::string chars;
  for (int i = 0; i < 45; ++i) chars += Char(0x100 + i, "1 1 0 0", "80\n");
  ASSERT_TRUE(Parse(Bdf(chars, 45)));
  const std::vector<std::string> expected = {"Reading characters, 0% done.", "Reading characters, 44% done.",
                                             "Reading characters, 88% done.", "Ready"};
  EXPECT_EQ(t.services.status, expected);
}

TEST_F(BdfParse, CodesOutsideTheTableAndTwice) {
  const std::string chars = Char(-1, "2 1 0 0", "C0\n") + Char(65536, "2 1 0 0", "C0\n") +
                            Char(70, "2 2 0 0", "C0\nC0\n", 3) + Char(70, "1 1 0 0", "80\n", 2);
  FontPtr pFont = Parse(Bdf(chars, 4));
  ASSERT_TRUE(pFont);
  int enabled = 0;
  for (const CharInfo& ci : pFont->aCharInfo) enabled += ci.Enabled;
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(Ink(pFont.get(), 70), "#\n");
  EXPECT_EQ(pFont->aCharInfo[70].CursorDist, 2);
  EXPECT_EQ(pFont->aCharInfo[70].DataSize, 1u);
  // A bad digit in a dropped character still fails.
  ExpectFails(Bdf(Char(-1, "2 1 0 0", "CX\n"), 1));
}

TEST_F(BdfParse, HostileSizesFailWithoutAllocating) {
  ExpectFails(Bdf(Char(65, "100000 100000 0 0", "80\n"), 1));
  ExpectFails(Bdf(Char(65, "1 100000 0 0", "80\n"), 1));
  ExpectFails(Bdf(Char(65, "2000000 2 0 0", "80\n80\n"), 1));
  ExpectFails(Bdf(Char(65, "-1 1 0 0", "80\n"), 1));
  ExpectFails(Bdf(Char(65, "1 -1 0 0", ""), 1));
  ExpectFails(Bdf(Char(65, "1 1 1073741824 0", "80\n"), 1));
  ExpectFails(Bdf(Char(65, "1 1 0 0", "80\n"), 1, "8 1073741824 0 1073741824"));
  // Boxes of height 0 stand for the font's height in a written file and a merge.
  for (const char* box : {"8 60000 0 0", "8 16 0 -4", "8 0 0 0"}) ExpectFails(Bdf(Char(65, "500000000 0 0 0", ""), 1, box));
  ExpectFails(Bdf(Char(65, "4000 0 0 0", ""), 1, "8 60000 0 0"));
  // A huge count neither allocates nor loops past the text.
  ExpectFails(Bdf(Char(65, "1 1 0 0", "80\n"), 1 << 30));
  ExpectFails(Bdf(Char(65, "1 1 0 0", "80\n"), -1));
}

TEST(BdfRead, FileJournalAndCurrentFont) {
  SaveTest t;
  FONT_SetCurrent(NewFont(FONTTYPE_STD, ENCODING_ISO8859, 10));
  const ::Font* pCurrent = FONT_GetCurrent();
  FONT_SetCurrentChar(FONT_GetCurrent(), 0x41);
  JOURNAL_Clear();

  std::string bitmap = "00\n3C\n00\n";
  WriteFile(t.dir.file("a.bdf"), Bdf(Char(65, "8 3 0 0", bitmap), 1));
  FontPtr pFont = INPUT_ReadBdf(t.dir.file("a.bdf").c_str());
  ASSERT_TRUE(pFont);
  EXPECT_EQ(pFont->aCharInfo[65].BoxWidth, 4);  // the trimming edits ran...
  EXPECT_EQ(JOURNAL_GetLength(), 0u);           // ...and their journal lines are gone
  EXPECT_EQ(FONT_GetCurrent(), pCurrent);
  EXPECT_EQ(FONT_GetCurrentChar(pCurrent), 0x41);
  EXPECT_EQ(pCurrent->Type, FONTTYPE_STD);

  WriteFile(t.dir.file("b.bdf"), Bdf(Char(65, "8 3 0 0", bitmap), 2));
  EXPECT_FALSE(INPUT_ReadBdf(t.dir.file("b.bdf").c_str()));
  EXPECT_EQ(t.services.boxes.back(), kCreateFailed);
  EXPECT_EQ(JOURNAL_GetLength(), 0u);
  EXPECT_EQ(FONT_GetCurrent(), pCurrent);
}

// Real files compared with FreeType's BDF driver: the driver's bitmap trimmed
// to its ink the same way must give the same box, position, advance and pixels.
class BdfAgainstFreeType : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FT_Init_FreeType(&library_), 0); }
  void TearDown() override { FT_Done_FreeType(library_); }

  // Returns the number of glyphs compared.
  int Compare(const std::string& bdfPath) {
    SaveTest t;
    FontPtr pFont = INPUT_ReadBdf(bdfPath.c_str());
    EXPECT_TRUE(pFont) << bdfPath;
    if (!pFont) return 0;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_New_Face(library_, bdfPath.c_str(), 0, &face), 0) << bdfPath;
    if (!face) return 0;
    if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
    int compared = 0, enabled = 0;
    for (const CharInfo& ci : pFont->aCharInfo) enabled += ci.Enabled;
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0; code = FT_Get_Next_Char(face, code, &index)) {
      if (code > 0xFFFF) continue;
      EXPECT_EQ(FT_Load_Glyph(face, index, FT_LOAD_DEFAULT), 0);
      if (!CompareGlyph(pFont.get(), uint16_t(code), face->glyph)) {
        ADD_FAILURE() << bdfPath << " code 0x" << std::hex << code;
        break;
      }
      ++compared;
    }
    EXPECT_EQ(compared, enabled) << bdfPath;
    FT_Done_Face(face);
    return compared;
  }

  static bool CompareGlyph(const ::Font* pFont, uint16_t code, FT_GlyphSlot slot) {
    const FT_Bitmap& bm = slot->bitmap;
    const CharInfo& ci = pFont->aCharInfo[code];
    if (!ci.Enabled || ci.CursorDist != slot->advance.x / 64) return false;
    auto ink = [&](int x, int y) { return (bm.buffer[y * bm.pitch + x / 8] >> (7 - x % 8)) & 1; };
    const int width = int(bm.width), rows = int(bm.rows);
    if (rows == 0)
      return ci.BoxHeight == 0 && ci.BoxWidth == width && ci.BoxLeft == slot->bitmap_left &&
             ci.BoxTop == slot->bitmap_top;
    int left = width, right = -1, top = rows, bottom = -1;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < width; ++x)
        if (ink(x, y)) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) left = right = top = bottom = 0;  // no ink: 1 x 1 at the top left
    if (ci.BoxWidth != right - left + 1 || ci.BoxHeight != bottom - top + 1) return false;
    if (ci.BoxLeft != slot->bitmap_left + left || ci.BoxTop != slot->bitmap_top - top) return false;
    if (ci.FileRowBytes != (width + 7) / 8) return false;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        if ((width > 0 && ink(x, y)) != (FONT_GetPixel(pFont, code, x - left, y - top) != 0)) return false;
    return true;
  }

  static bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }
  // otf2bdf ends with a non-zero status even when it wrote the file.
  static bool Otf2bdf(const std::string& arguments) {
    std::system(("otf2bdf" + arguments).c_str());
    return ReadFile(arguments.substr(arguments.find("-o ") + 3, arguments.find(' ', arguments.find("-o ") + 3) -
                                                                  arguments.find("-o ") - 3))
        .find("ENDFONT") != std::string::npos;
  }

  TempDir dir_;
  FT_Library library_ = nullptr;
};

TEST_F(BdfAgainstFreeType, Otf2bdfOutput) {
  const std::string dejavu = dir_.file("dejavu16.bdf"), ipa = dir_.file("ipag16.bdf");
  ASSERT_TRUE(Otf2bdf(" -p 16 -r 72 -o " + dejavu + " /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  ASSERT_TRUE(Otf2bdf(" -p 16 -r 72 -l '12288_12543 19968_20479' -o " + ipa +
                  " /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"));
  EXPECT_GT(Compare(dejavu), 5000);
  EXPECT_GT(Compare(ipa), 500);
}

TEST_F(BdfAgainstFreeType, Pcf2bdfOutput) {
  for (const char* name : {"6x13", "9x15", "18x18ja", "5x7-ISO8859-1"}) {
    const std::string pcf = dir_.file(std::string(name) + ".pcf"), bdf = dir_.file(std::string(name) + ".bdf");
    ASSERT_TRUE(Run(std::string("zcat /usr/share/fonts/X11/misc/") + name + ".pcf.gz > " + pcf));
    ASSERT_TRUE(Run("pcf2bdf -o " + bdf + " " + pcf));
    EXPECT_GT(Compare(bdf), 150) << name;
  }
}


TEST_F(BdfParse, WideBoxesAreTrimmedToTheirInk) {
  // A box 100000 pixels wide with ink in its second row only, at columns 40000
  // and 99990 (the box's bytes just fit the text that follows); and a box
  // without columns.
  std::string row(25000, '0');
  row[40000 / 4] = '8';
  row[99990 / 4] = '2';  // column 99990 is the third of its digit
  const std::string chars = Char(0x100, "100000 2 -5 -1", "0\n" + row + "\n", 7) + Char(0x101, "0 2 1 1", "0\n0\n", 3);
  FontPtr pFont = Parse(Bdf(chars, 2));
  ASSERT_TRUE(pFont);
  const CharInfo& wide = pFont->aCharInfo[0x100];
  EXPECT_EQ(wide.BoxWidth, 99990 - 40000 + 1);
  EXPECT_EQ(wide.BoxHeight, 1);
  EXPECT_EQ(wide.BoxLeft, -5 + 40000);
  EXPECT_EQ(wide.BoxTop, 2 - 1 - 1);
  EXPECT_EQ(wide.CursorDist, 7);
  EXPECT_EQ(wide.FileRowBytes, 12500);
  int ink = 0;
  for (int x = 0; x < wide.BoxWidth; ++x) ink += FONT_GetPixel(pFont.get(), 0x100, x, 0);
  EXPECT_EQ(ink, 2);
  EXPECT_EQ(FONT_GetPixel(pFont.get(), 0x100, 0, 0), 1);
  EXPECT_EQ(FONT_GetPixel(pFont.get(), 0x100, wide.BoxWidth - 1, 0), 1);
  const CharInfo& empty = pFont->aCharInfo[0x101];
  EXPECT_EQ(empty.BoxWidth, 0);
  EXPECT_EQ(empty.BoxHeight, 1);
  EXPECT_EQ(empty.BoxTop, 3);
  EXPECT_TRUE(empty.Enabled);
}

}  // namespace
