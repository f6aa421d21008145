// The C reader on files that are not plain writer output: every message with
// its location, comments and disabled blocks, limits, and hostile input.
#include <gtest/gtest.h>

#include <algorithm>

#include "input/c_read.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

using Messages = std::vector<std::string>;

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

const char kRowsOfA[] =
    "  _XXX____,\n  X___X___,\n  X___X___,\n  XXXXX___,\n  X___X___,\n  X___X___,\n  ________};\n";

// A standard font of one character 0x41 in the writer's layout, with the parts
// a test varies.
std::string StdFile(const std::string& rows = kRowsOfA, const std::string& entries = "   {   5,   5,  1, acA }\n",
                    const std::string& last = "0x0041", const std::string& height = "7") {
  return Crlf("unsigned char acA[7] = {\n" + rows +
              "\nGUI_CHARINFO Info[1] = {\n" + entries +
              "};\n\nGUI_FONT_PROP Prop1 = {\n   0x0041\n  ," + last +
              "\n  ,&Info[0]\n  ,0\n};\n\nGUI_FONT Font = {\n   GUI_FONTTYPE_PROP\n  ," + height +
              "\n  ," + height + "\n  ,1\n  ,1\n  ,{&Prop1}\n};\n");
}

std::string Location(int line, int column) {
  return "\r\n\r\nError occured in:\r\nLine:\t" + std::to_string(line) + "\r\nColumn:\t" + std::to_string(column);
}

const char kFailed[] = "Could not create font!";

struct CReadErrors : ::testing::Test {
  // Parses and returns the messages shown, which the next call no longer sees.
  Messages Parse(const std::string& text, FontPtr* pFont = nullptr) {
    t.services.boxes.clear();
    FontPtr f = INPUT_ParseC(text);
    if (pFont) *pFont = std::move(f);
    return t.services.boxes;
  }
  SaveTest t;
};

TEST_F(CReadErrors, HandWrittenFileReadsAndItsValueForms) {
  FontPtr f;
  EXPECT_EQ(Parse(StdFile(), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_STREQ(f->acFontName, "Font");
  EXPECT_EQ(f->pHeader, nullptr);  // no banner at the first byte
  EXPECT_EQ(f->aCharInfo[0x41].BoxWidth, 5);
  EXPECT_EQ(f->aCharInfo[0x41].BoxHeight, 7);
  EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 1, 0), 1);
  EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 0, 0), 0);
  EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 4, 3), 1);
  // Hexadecimal and decimal values are taken in memory order (leftmost pixel in bit 0).
  EXPECT_EQ(Parse(StdFile("  0x0e,\n  0X11,\n  17,\n  0x1F,\n  0x11,\n  0x11,\n  0};\n"), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->aCharInfo[0x41].pPixels[0], 0x0E);
  EXPECT_EQ(f->aCharInfo[0x41].pPixels[1], 0);  // only a lower-case "x" makes "0X11" hexadecimal
  EXPECT_EQ(f->aCharInfo[0x41].pPixels[2], 17);
  EXPECT_EQ(f->aCharInfo[0x41].pPixels[3], 0x1F);
}

TEST_F(CReadErrors, StandardEntryTakesItsWidthFromTheSecondNumberAndDropsSurplusRowBytes) {
  FontPtr f;
  const std::string rows = "  _XXX____,XXXXXXXX,\n  X___X___,XXXXXXXX,\n  X___X___,XXXXXXXX,\n  XXXXX___,XXXXXXXX,\n"
                           "  X___X___,XXXXXXXX,\n  X___X___,XXXXXXXX,\n  ________,XXXXXXXX};\n";
  EXPECT_EQ(Parse(StdFile(rows, "   {   5,   6,  2, acA }\n"), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->aCharInfo[0x41].BoxWidth, 6);
  EXPECT_EQ(f->aCharInfo[0x41].FileRowBytes, 2);
  EXPECT_EQ(f->MaxWidth, 6);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 5, y), 0) << y;
  EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 4, 3), 1);
  EXPECT_EQ(f->aCharInfo[0x41].pPixels[6], 0);  // the last row, not the dropped value

  EXPECT_EQ(Parse(StdFile(kRowsOfA, "   {   5,   6,  1, acA }\n"), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->aCharInfo[0x41].BoxWidth, 6);
  EXPECT_EQ(f->aCharInfo[0x41].FileRowBytes, 1);
}

TEST_F(CReadErrors, FileWithoutBannerOrRangesAndLimitedHeight) {
  FontPtr f;
  EXPECT_EQ(Parse(Crlf("GUI_FONT F = {\n   GUI_FONTTYPE_PROP_AA4\n  ,1500\n};\n"), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Type, FONTTYPE_AA4);
  EXPECT_EQ(f->Height, 1000);
  EXPECT_STREQ(f->acFontName, "F");
  for (unsigned c = 0; c < FONT_NUM_CODES; ++c) ASSERT_FALSE(f->aCharInfo[c].Enabled) << c;
  EXPECT_EQ(Parse(Crlf("GUI_FONT F = {\n   GUI_FONTTYPE_PROP\n  ,-1500\n};\n"), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Height, -1000);
}

TEST_F(CReadErrors, BannerOnlyAtTheFirstByte) {
  FontPtr saved = NewFont(FONTTYPE_STD, ENCODING_UC16, 7);
  AddChar(saved.get(), 0x41, 3, 7, [](int x, int y) { return (x + y) % 2; });
  const std::string file = t.Save(saved.get(), "b.c", OUT_FORMAT_C);
  FontPtr f;
  EXPECT_EQ(Parse(file, &f), Messages{});
  ASSERT_TRUE(f && f->pHeader);
  EXPECT_EQ(std::string(f->pHeader.get()).substr(0, 4), "/***");
  EXPECT_EQ(Parse("\r\n" + file, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->pHeader, nullptr);
  // Without a kept banner the next save writes a new one.
  const std::string again = t.Save(f.get(), "again.c", OUT_FORMAT_C);
  EXPECT_NE(again.find("* C-file generated by"), std::string::npos);
  EXPECT_EQ(again.find("C-file modified by"), std::string::npos);
}

TEST_F(CReadErrors, CommentsAndDisabledBlocksAreIgnoredOtherDirectivesAreNot) {
  FontPtr f;
  std::string file = StdFile() + Crlf("/* GUI_FONT InComment = {\n   GUI_FONTTYPE_PROP_AA2\n  ,3\n*/\n"
                                      "// GUI_FONT InLineComment = {\n"
                                      "#if 0\nGUI_FONT Disabled = {\n   GUI_FONTTYPE_PROP_AA4\n  ,3\n};\n#endif\n");
  EXPECT_EQ(Parse(file, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_STREQ(f->acFontName, "Font");
  EXPECT_EQ(f->Type, FONTTYPE_STD);
  EXPECT_EQ(f->Height, 7);
  file += Crlf("#ifdef NOT_DEFINED\nGUI_FONT Other = {\n   GUI_FONTTYPE_PROP\n  ,7\n};\n#endif\n");
  EXPECT_EQ(Parse(file, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_STREQ(f->acFontName, "Other");
  // Line numbers stay those of the file: comments keep their line breaks.
  EXPECT_EQ(Parse(Crlf("/* one\ntwo */ unsigned char acA[2] = {\n5,}\nGUI_CHARINFO Info[1] = {\n   {   5,   5,  1, acA }\n"
                       "};\nGUI_FONT_PROP P = {\n   0x41\n  ,0x41\n};\nGUI_FONT Font = {\n   GUI_FONTTYPE_PROP\n  ,2\n};\n")),
            (Messages{"The pixel data of the following character\r\ndoes not contain enough bytes.\r\n\r\n"
                      "Character (hexadecimal):\t0x41\r\nCharacter (decimal):\t65\r\n"
                      "Expected number of bytes:\t2 bytes\r\nAvailable number of bytes:\t1 bytes" +
                          Location(3, 3),
                      kFailed}));
  // An unclosed "#if 0" or comment runs to the end of the text.
  EXPECT_EQ(Parse("#if 0\r\n" + StdFile()), (Messages{"No font data found in the given file", kFailed}));
  EXPECT_EQ(Parse("/* banner\r\n" + StdFile()), (Messages{"No font data found in the given file", kFailed}));
}

TEST_F(CReadErrors, LastDefinitionCounts) {
  FontPtr f;
  const std::string file = Crlf("GUI_FONT A = {\n   GUI_FONTTYPE_PROP_AA2\n  ,8\n};\n"
                                "GUI_FONT B = {\n   GUI_FONTTYPE_PROP_EXT\n  ,9\n  ,9\n  ,1\n  ,1\n  ,{&P}\n"
                                "  ,7 /* Baseline */\n  ,4\n  ,6\n};\n");
  EXPECT_EQ(Parse(file, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_STREQ(f->acFontName, "B");
  EXPECT_EQ(f->Type, FONTTYPE_EXT);
  EXPECT_EQ(f->Height, 9);
  EXPECT_EQ(f->Baseline, 7);
  EXPECT_TRUE(f->HeightsKnown);
  EXPECT_EQ(f->LowercaseHeightRead, 4);
  EXPECT_EQ(f->CapitalHeightRead, 6);
  // Heights that cannot be read are no error.
  EXPECT_EQ(Parse(file.substr(0, file.find("  ,4")), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_FALSE(f->HeightsKnown);
}

TEST_F(CReadErrors, FontLevelMessages) {
  EXPECT_EQ(Parse(""), (Messages{"No font data found in the given file", kFailed}));
  EXPECT_EQ(Parse(Crlf("GUI_FONT F = {\n   GUI_FONTTYPE_PROP_AA8\n  ,8\n};\n")),
            (Messages{"Unsupported font type", kFailed}));
  EXPECT_EQ(Parse(Crlf("GUI_FONT F = {\n   GUI_FONTTYPE_PROP\n  ,x8\n};\n")),
            (Messages{"Font height could not be read", kFailed}));
  EXPECT_EQ(Parse(Crlf("GUI_FONT F = {\n   GUI_FONTTYPE_PROP_EXT\n  ,8\n};\n")),
            (Messages{"Base line could not be read", kFailed}));
  std::string file = StdFile();
  file.replace(file.find("unsigned"), 8, "static");
  EXPECT_EQ(Parse(file), (Messages{"No pixel data found", kFailed}));
  file.replace(file.find("static"), 6, "U8");
  FontPtr f;
  EXPECT_EQ(Parse(file, &f), Messages{});
  EXPECT_TRUE(f);
  file = StdFile();
  file.replace(file.find("GUI_CHARINFO"), 12, "GUI_CHARINFX");
  EXPECT_EQ(Parse(file), Messages{kFailed});
}

TEST_F(CReadErrors, FontTypesTheReaderRefusesAndCompatibilityFiles) {
  FontPtr aa2 = NewFont(FONTTYPE_AA2, ENCODING_JIS, 8);
  AddChar(aa2.get(), 0x41, 3, 8, [](int x, int) { return x; });
  EXPECT_EQ(Parse(t.Save(aa2.get(), "jis.c", OUT_FORMAT_C)), (Messages{"Unsupported font type", kFailed}));
  t.UseSettings("V350_Compatibility=1\n");
  FontPtr ext = NewFont(FONTTYPE_EXT, ENCODING_UC16, 8);
  AddChar(ext.get(), 0x41, 3, 5, [](int x, int) { return x == 1; }, 0, 5, 4);
  const std::string file = t.Save(ext.get(), "old.c", OUT_FORMAT_C);
  ASSERT_NE(file.find("(void GUI_FLASH *)&GUI_Fontold_Prop1"), std::string::npos);
  EXPECT_EQ(Parse(file), (Messages{"Base line could not be read", kFailed}));
  // A standard font of that form has no baseline to read.
  FontPtr standard = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
  AddChar(standard.get(), 0x41, 3, 8, [](int x, int) { return x == 1; });
  FontPtr f;
  EXPECT_EQ(Parse(t.Save(standard.get(), "oldstd.c", OUT_FORMAT_C), &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(FONT_GetPixel(f.get(), 0x41, 1, 7), 1);
}

TEST_F(CReadErrors, RangeStructureErrorsAreLocatedAtTheLastValueRead) {
  const std::string message = "Error reading the GUI_FONT_PROP structures.";
  auto lineOf = [](const std::string& text, const char* what) {
    const std::string before = text.substr(0, text.find(what));
    return 1 + int(std::count(before.begin(), before.end(), '\n'));
  };
  // Nothing read yet: line 1, column 0; else just behind the last value read.
  std::string file = StdFile(kRowsOfA, "   {   5,   5,  1, acA }\n", "zz");
  EXPECT_EQ(Parse(file), (Messages{message + Location(lineOf(file, "   0x0041"), 10), kFailed}));
  file = StdFile();
  file.replace(file.find("   0x0041\r\n"), 11, "   q\r\n");
  EXPECT_EQ(Parse(file), (Messages{message + Location(1, 0), kFailed}));
  file = StdFile();
  file.insert(file.find("GUI_FONT Font"), "GUI_FONT_PROP Prop0 = {\r\n   0x0042\r\n  ,}\r\n};\r\n");
  EXPECT_EQ(Parse(file), (Messages{message + Location(lineOf(file, "   0x0042"), 10), kFailed}));
  file = StdFile();
  file.insert(file.find("GUI_FONT Font"), "GUI_FONT_PROP Prop0 = {\r\n   }\r\n};\r\n");
  EXPECT_EQ(Parse(file), (Messages{message + Location(lineOf(file, "  ,0x0041"), 10), kFailed}));
}

TEST_F(CReadErrors, CharacterInformationErrors) {
  auto message = [](const char* hex, int dec) {
    return std::string("The character information table does not\r\ncontain a valid entry for the following "
                       "character:\r\n\r\nCharacter (hexadecimal):\t") +
           hex + "\r\nCharacter (decimal):\t" + std::to_string(dec);
  };
  // The first entry is located at its opening brace (line 11 of StdFile, column 4).
  EXPECT_EQ(Parse(StdFile(kRowsOfA, "   {   5,   x,  1, acA }\n")), (Messages{message("0x41", 65) + Location(11, 4), kFailed}));
  // A later one at the end of the line of the entry before it.
  const std::string entry = "   {   5,   5,  1, acA } /* code 0041 */";
  EXPECT_EQ(Parse(StdFile(kRowsOfA, entry + "\n", "0x0042")),
            (Messages{message("0x42", 66) + Location(11, int(entry.size()) + 1), kFailed}));
}

TEST_F(CReadErrors, PixelDataErrors) {
  const std::string shortRows = std::string(kRowsOfA).substr(12);  // six rows
  EXPECT_EQ(Parse(StdFile(shortRows)),
            (Messages{"The pixel data of the following character\r\ndoes not contain enough bytes.\r\n\r\n"
                      "Character (hexadecimal):\t0x41\r\nCharacter (decimal):\t65\r\n"
                      "Expected number of bytes:\t7 bytes\r\nAvailable number of bytes:\t6 bytes" +
                          Location(7, 11),
                      kFailed}));
  // A value that is no number, and a pattern that is too short.
  EXPECT_EQ(Parse(StdFile("  q_______,\n" + shortRows)), (Messages{"Expecting a number" + Location(2, 11), kFailed}));
  EXPECT_EQ(Parse(StdFile("  XX,\n" + shortRows)), (Messages{Location(2, 5), kFailed}));
  EXPECT_EQ(Parse(StdFile("  XXX_Y___,\n" + shortRows)), (Messages{Location(2, 11), kFailed}));
}

TEST_F(CReadErrors, ReadingFilesOpensReportsAndClearsTheJournal) {
  JOURNAL_Add("* kept when nothing could be opened");
  EXPECT_FALSE(INPUT_ReadC(t.dir.file("absent.c").c_str()));
  EXPECT_EQ(t.services.boxes, Messages{"Could not open file!"});
  EXPECT_GT(JOURNAL_GetLength(), 0u);
  JOURNAL_Add("* cleared by a failed read too");
  t.services.boxes.clear();
  WriteFile(t.dir.file("empty.c"), "");
  EXPECT_FALSE(INPUT_ReadC(t.dir.file("empty.c").c_str()));
  EXPECT_EQ(t.services.boxes, (Messages{"No font data found in the given file", kFailed}));
  EXPECT_EQ(JOURNAL_GetLength(), 0u);
  t.services.status.clear();
  WriteFile(t.dir.file("good.c"), StdFile());
  EXPECT_TRUE(INPUT_ReadC(t.dir.file("good.c").c_str()));
  EXPECT_EQ(t.services.status, (Messages{"Searching font identifier...", "Reading area infos...",
                                         "Reading character infos...", "Reading pixel data...", "Ready"}));
}

TEST_F(CReadErrors, HugeNumbersAreLimited) {
  FontPtr f;
  // Codes beyond 16 bits stop at 0xFFFF: the range holds one character.
  std::string file = StdFile(kRowsOfA, "   {   5,   5,  1, acA }\n", "0x123456789");
  file.replace(file.find("   0x0041\r\n"), 11, "   0xFFFF\r\n");
  EXPECT_EQ(Parse(file, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->aCharInfo[0xFFFF].Enabled);
  EXPECT_EQ(FONT_GetPixel(f.get(), 0xFFFF, 1, 0), 1);
  // A range of 65536 codes with one entry fails at the second code.
  EXPECT_EQ(Parse(StdFile(kRowsOfA, "   {   5,   5,  1, acA }\n", "99999999999999999999999")).size(), 2u);
  EXPECT_NE(t.services.boxes.front().find("0x42"), std::string::npos);
  // A box of 100000 x 100000 is read as 1000 x 1000 and refused for want of
  // values before any plane is allocated.
  const std::string ext = Crlf("unsigned char acA[1] = {\n  0x00};\n"
                               "GUI_CHARINFO_EXT Info[1] = {\n   { 100000, 100000, 0, 0, 100000, acA }\n};\n"
                               "GUI_FONT_PROP_EXT P = {\n   0x41\n  ,0x41\n};\n"
                               "GUI_FONT F = {\n   GUI_FONTTYPE_PROP_AA4_EXT\n  ,99999999999\n  ,8\n  ,1\n  ,1\n"
                               "  ,{&P}\n  ,5\n  ,0\n  ,0\n};\n");
  const Messages m = Parse(ext);
  ASSERT_EQ(m.size(), 2u);
  EXPECT_NE(m[0].find("Expected number of bytes:\t500000 bytes\r\nAvailable number of bytes:\t1 bytes"),
            std::string::npos)
      << m[0];
}

TEST_F(CReadErrors, HostileInputEndsInAFontOrTheFailureMessage) {
  // A hundred megabytes of digits: one long token, as text and as a height.
  const std::string digits(100'000'000, '7');
  EXPECT_EQ(Parse(digits), (Messages{"No font data found in the given file", kFailed}));
  FontPtr f;
  EXPECT_EQ(Parse("GUI_FONT F\r\n GUI_FONTTYPE_PROP ," + digits, &f), Messages{});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Height, 1000);
  // A zero byte ends the text.
  const std::string good = StdFile();
  EXPECT_EQ(Parse(good.substr(0, 40) + std::string(1, '\0') + good.substr(40)),
            (Messages{"No font data found in the given file", kFailed}));
  // Every cut of a written file of the framed type.
  FontPtr saved = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 9);
  for (uint16_t c : {0x41, 0x42, 0x100})
    AddChar(saved.get(), c, 9, 7, [](int x, int y) { return (x + y) % 3 - 1; }, 1, 7, 10);
  const std::string file = t.Save(saved.get(), "cut.c", OUT_FORMAT_C);
  // Only a cut behind the baseline of the GUI_FONT record still reads.
  const size_t needed = file.find(" /* Baseline */");
  for (size_t n = 0; n < file.size(); n += 7) {
    const Messages m = Parse(file.substr(0, n), &f);
    ASSERT_EQ(bool(f), n >= needed) << n;
    if (f) {
      EXPECT_EQ(m, Messages{}) << n;
      EXPECT_EQ(FONT_GetPixel(f.get(), 0x100, 8, 6), FONT_GetPixel(saved.get(), 0x100, 8, 6));
    } else {
      ASSERT_FALSE(m.empty()) << n;
      EXPECT_EQ(m.back(), kFailed) << n;
    }
  }
}

}  // namespace
