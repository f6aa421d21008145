// The C source writer's font record: the heights it measures. Whole files are
// compared with golden files (Conversions/Golden.*).
#include <gtest/gtest.h>

#include "output/save.h"
#include "output/savetest.h"

namespace {

const char* const kA[7] = {".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "....."};
int PixelOfA(int x, int y) { return kA[y][x] == 'X'; }

TEST(CWriter, MeasuredHeightsNeedBothMeasurementCharacters) {
  SaveTest t;
  FontPtr f = NewFont(FONTTYPE_STD, ENCODING_UC16, 7);
  AddChar(f.get(), 0x41, 5, 7, PixelOfA);
  AddChar(f.get(), 0x65, 5, 7, [](int x, int y) { return y >= 3 && y <= 5 && x < 4; });
  EXPECT_NE(t.Save(f.get(), "z.c", OUT_FORMAT_C).find("  ,0 /* Baseline */\r\n  ,0 /* Height of lowercase characters */\r\n"
                                                 "  ,0 /* Height of capital characters */"),
            std::string::npos);  // baseline 0 as generated: nothing is measured
  f->Baseline = 6;
  EXPECT_NE(t.Save(f.get(), "z.c", OUT_FORMAT_C).find("  ,6 /* Baseline */\r\n  ,3 /* Height of lowercase characters */\r\n"
                                                 "  ,6 /* Height of capital characters */"),
            std::string::npos);
  FONT_EnableChar(f.get(), 0x65, 0);
  f->aCharInfo[0x65].Exists = 0;  // 'e' missing: the heights read from a file, if any
  EXPECT_NE(t.Save(f.get(), "z.c", OUT_FORMAT_C).find("  ,6 /* Baseline */\r\n  ,0 /* Height of lowercase"), std::string::npos);
  f->HeightsKnown = 1;
  f->LowercaseHeightRead = 4;
  f->CapitalHeightRead = 5;
  EXPECT_NE(t.Save(f.get(), "z.c", OUT_FORMAT_C).find("  ,6 /* Baseline */\r\n  ,4 /* Height of lowercase characters */\r\n"
                                                 "  ,5 /* Height of capital characters */"),
            std::string::npos);
}

}  // namespace
