// What a hostile file can make the readers do: boxes of height 0 with huge
// widths (which the writers and the merge give the font's height; the BDF cases are
// among the reader's hostile sizes), blocks shared between codes, and inputs that
// are not regular files. A font that a reader accepts never stands for more planes
// than a small multiple of the file's size.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "input/bdf_read.h"
#include "input/c_read.h"
#include "input/merge.h"
#include "input/pattern.h"
#include "input/readtest.h"
#include "input/xbf_read.h"
#include "output/save.h"
#include "output/savetest.h"

namespace {

const char kCreateFailed[] = "Could not create font!";
const char kNotOpened[] = "Could not open file!";

std::string U16(unsigned v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }

// An XBF file of 'count' extended characters from 0x41 on, each its own block of
// height 0 and the given width, in a font of the given height.
std::string ZeroHeightXbf(int32_t type, unsigned fontHeight, unsigned width, unsigned count) {
  std::string image = "GUIX" + U16(fontHeight) + U16(fontHeight) + U16(fontHeight) + U16(0) + U16(0) + U16(0x41) +
                      U16(0x41 + count - 1);
  const uint32_t blocks = 18 + 6 * count;
  for (unsigned i = 0; i < count; ++i) image += U32(blocks + 12 * i) + U16(12);
  for (unsigned i = 0; i < count; ++i) image += U16(width) + U16(width) + U16(0) + U16(0) + U16(0) + U16(0);
  return image + "XBF" + std::string(1, char(type));
}

TEST(ReaderBounds, XbfBoxesOfHeightZeroAreChargedAtTheFontsHeight) {
  SaveTest t;
  // 40 bytes standing for 4 MB of planes (36 MB of C source).
  const std::string forty = ZeroHeightXbf(FONTTYPE_EXT, 8000, 4000, 1);
  ASSERT_EQ(forty.size(), 40u);
  EXPECT_FALSE(INPUT_ParseXbf(forty));
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{kCreateFailed});
  // 58 bytes whose merge into a font 2000 high would take 128 MB of planes.
  const std::string fiftyEight = ZeroHeightXbf(FONTTYPE_EXT_AA4, 2000, 65535, 2);
  ASSERT_EQ(fiftyEight.size(), 58u);
  EXPECT_FALSE(INPUT_ParseXbf(fiftyEight));
  // Every type and the 16-bit limits.
  for (int32_t type : {FONTTYPE_EXT, FONTTYPE_EXT_FRM, FONTTYPE_EXT_AA2, FONTTYPE_EXT_AA4}) {
    EXPECT_FALSE(INPUT_ParseXbf(ZeroHeightXbf(type, 65535, 65535, 1))) << type;
    EXPECT_FALSE(INPUT_ParseXbf(ZeroHeightXbf(type, 0, 65535, 5000))) << type;  // a font of height 0: one row each
  }

  // Boxes of height 0 in proportion to the file are read, and merged at the
  // font's height.
  const std::string small = ZeroHeightXbf(FONTTYPE_EXT_AA4, 12, 9, 3);
  FontPtr read = INPUT_ParseXbf(small);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->aCharInfo[0x43].BoxHeight, 0);
  EXPECT_EQ(read->aCharInfo[0x43].BoxWidth, 9);
  ExpectBounded(read.get(), small.size());
  FontPtr target = NewFont(FONTTYPE_EXT_AA4, ENCODING_UC16, 12);
  ASSERT_EQ(INPUT_MergeFonts(target.get(), read.get(), nullptr, 0), 0);
  EXPECT_TRUE(target->aCharInfo[0x42].Enabled);
  EXPECT_EQ(target->aCharInfo[0x42].BoxWidth, 9);
}

TEST(ReaderBounds, XbfFontsReadStayInProportionToTheFile) {
  SaveTest t;
  // A font of every shape the program writes is read whole...
  FontPtr saved = NewFont(FONTTYPE_EXT_FRM, ENCODING_UC16, 40);
  for (uint16_t code = 0x100; code < 0x140; ++code)
    AddChar(saved.get(), code, 30 + code % 7, 45, [](int x, int y) { return (x ^ y) & 1; }, -2, 42, 31);
  const std::string file = t.Save(saved.get(), "frm.xbf", OUT_FORMAT_XBF);
  FontPtr read = INPUT_ParseXbf(file);
  ASSERT_TRUE(read);
  ExpectBounded(read.get(), file.size());

  // ...while blocks shared by many codes: 4000 codes claiming 512 bytes each
  // from a file of 25 KB, beyond any bound in proportion, are refused...
  const uint32_t count = 4000;
  std::string image = "GUIX" + U16(64) + U16(64) + U16(50) + U16(0) + U16(0) + U16(0x1000) + U16(0x1000 + count - 1);
  const uint32_t block = 18 + 6 * count;
  for (uint32_t i = 0; i < count; ++i) image += U32(block) + U16(12 + 64 * 8);
  const std::string blockBytes =
      U16(64) + U16(64) + U16(64) + U16(0) + U16(0) + U16(8) + std::string(64 * 8, '\x5A') + "XBF" +
      std::string(1, char(FONTTYPE_EXT));
  ASSERT_GT(uint64_t(count) * 512, 4 * (image.size() + blockBytes.size()) + (uint64_t(1) << 20));
  EXPECT_FALSE(INPUT_ParseXbf(image + blockBytes));
  // ...and a hundred of them sharing it are a font in proportion to the file.
  std::string hundred = image.substr(0, 18 + 6 * 100);
  hundred.replace(16, 2, U16(0x1000 + 99));
  for (uint32_t i = 0; i < 100; ++i) hundred.replace(18 + 6 * i, 4, U32(18 + 6 * 100));
  hundred += blockBytes;
  FontPtr shared = INPUT_ParseXbf(hundred);
  ASSERT_TRUE(shared);
  EXPECT_TRUE(shared->aCharInfo[0x1000 + 99].Enabled);
  EXPECT_EQ(FONT_GetPixel(shared.get(), 0x1000 + 99, 1, 63), 1);  // 0x5A: the second pixel set
  ExpectBounded(shared.get(), hundred.size());
}

TEST(ReaderBounds, BdfCharactersTogetherStayInProportionToTheFile) {
  SaveTest t;
  // Each character's box fits the text behind it, but its bitmap line is short:
  // together the boxes claim far more than the file holds, their ink very little.
  std::string chars;
  const int count = 200;
  for (int i = 0; i < count; ++i)
    chars += "STARTCHAR c\nENCODING " + std::to_string(0x100 + i) + "\nDWIDTH 8 0\nBBX 2400000 1 0 0\nBITMAP\n8001\n"
             "ENDCHAR\n";
  std::string text = "STARTFONT 2.1\nFONTBOUNDINGBOX 8 16 0 -4\nCHARS " + std::to_string(count) + "\n" + chars;
  text += "ENDFONT\n" + std::string(300000, ' ');
  FontPtr pFont = INPUT_ParseBdf(text);
  ASSERT_TRUE(pFont);
  ExpectBounded(pFont.get(), text.size());
  // Each of them trimmed to its ink, the first and the sixteenth column.
  for (int i = 0; i < count; ++i) {
    const CharInfo& ci = pFont->aCharInfo[0x100 + i];
    ASSERT_EQ(ci.BoxWidth, 16);
    ASSERT_EQ(ci.BoxHeight, 1);
    EXPECT_EQ(FONT_GetPixel(pFont.get(), uint16_t(0x100 + i), 15, 0), 1);
  }
}

std::string ZeroHeightC(unsigned height, unsigned width, unsigned last) {
  std::string info;
  for (unsigned c = 0; c <= last; ++c) info += "  {" + std::to_string(width) + ",0,0,0,8,acA},\r\n";
  return "unsigned char acA[1] = {\r\n  0x00};\r\n"
         "GUI_CHARINFO_EXT Info[1] = {\r\n" + info + "};\r\n"
         "GUI_FONT_PROP_EXT P = {\r\n   0x0\r\n  ,0x" + [&] {
           char hex[8];
           std::snprintf(hex, sizeof(hex), "%X", last);
           return std::string(hex);
         }() + "\r\n};\r\n"
         "GUI_FONT F = {\r\n   GUI_FONTTYPE_PROP_AA4_EXT\r\n  ," + std::to_string(height) +
         "\r\n  ,8\r\n  ,1\r\n  ,1\r\n  ,{&P}\r\n  ,5\r\n  ,0\r\n  ,0\r\n};\r\n";
}

TEST(ReaderBounds, CBoxesOfHeightZeroAreChargedAtTheFontsHeight) {
  SaveTest t;
  // A megabyte of entries each standing for 500 KB of planes.
  const std::string hostile = ZeroHeightC(1000, 1000, 0xFFFF);
  EXPECT_FALSE(INPUT_ParseC(hostile));
  EXPECT_EQ(t.services.boxes, std::vector<std::string>{kCreateFailed});
  const std::string small = ZeroHeightC(10, 12, 0x7F);
  FontPtr pFont = INPUT_ParseC(small);
  ASSERT_TRUE(pFont) << (t.services.boxes.empty() ? "" : t.services.boxes.back());
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxHeight, 0);
  EXPECT_EQ(pFont->aCharInfo[0x41].BoxWidth, 12);
  ExpectBounded(pFont.get(), small.size());
}

TEST(ReaderBounds, OnlyRegularFilesThatExistAreRead) {
  SaveTest t;
  const std::string fifo = t.dir.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  mkdir(t.dir.file("folder").c_str(), 0700);
  for (const std::string& path :
       {fifo, std::string("/dev/zero"), std::string("/dev/null"), t.dir.file("folder"), t.dir.file("missing")}) {
    SCOPED_TRACE(path);
    t.services.boxes.clear();
    // Opening a FIFO without a writer must not wait, nor /dev/zero read forever.
    EXPECT_FALSE(INPUT_ReadXbf(path.c_str()));
    EXPECT_FALSE(INPUT_ReadC(path.c_str()));
    EXPECT_FALSE(INPUT_ReadBdf(path.c_str()));
    FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
    AddChar(pFont.get(), 0x41, 2, 8, [](int, int) { return 1; });
    pFont->aCharInfo[0x41].Enabled = 0;
    EXPECT_EQ(INPUT_ReadPattern(pFont.get(), path.c_str()), 1);
    EXPECT_FALSE(pFont->aCharInfo[0x41].Enabled);
    EXPECT_EQ(t.services.boxes, std::vector<std::string>(4, kNotOpened));
  }
  // A regular file of the same bytes is read.
  WriteFile(t.dir.file("p.txt"), std::string("\xFF\xFE" "A\0", 4));
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_UC16, 8);
  AddChar(pFont.get(), 0x41, 2, 8, [](int, int) { return 1; });
  pFont->aCharInfo[0x41].Enabled = 0;
  t.services.boxes.clear();
  EXPECT_EQ(INPUT_ReadPattern(pFont.get(), t.dir.file("p.txt").c_str()), 0);
  EXPECT_TRUE(pFont->aCharInfo[0x41].Enabled);
  EXPECT_TRUE(t.services.boxes.empty());
}

}  // namespace
