// Inputs that are not regular files are not read. What hostile files can make the
// readers hold (boxes of height 0 with huge widths, blocks shared between codes,
// short bitmap lines) is replayed from tests/data/fuzz in FuzzRegression.*.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "input/bdf_read.h"
#include "input/c_read.h"
#include "input/pattern.h"
#include "input/xbf_read.h"
#include "output/savetest.h"

namespace {

const char kNotOpened[] = "Could not open file!";

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
