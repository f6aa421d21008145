// Rendering and saving spread over threads: whole CJK faces (a .ttf and a .ttc)
// converted with 1, 2 and 4 threads give the same C, XBF and SIF files byte for
// byte, for the grey, framed, supersampled and 1-bit paths of the rasterizer. With
// one thread the font is rendered whole before the files are written; with two the
// C save renders it while it writes, with four the XBF or the SIF save does.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "generation/workers.h"
#include "output/save.h"
#include "output/savetest.h"

namespace {

struct ThreadCase {
  const char* pName;
  const char* pFace;
  int Height;
  int Type;
  int Method;
  uint32_t LastCode;  // codes above it are disabled before saving
  int FirstAtFour;    // the format saved first with four threads (renders the font)
};

const ThreadCase kCases[] = {
    {"IpaExtAa4", "IPAGothic", -24, FONTTYPE_EXT_AA4, AAMETHOD_OS, 0xFFFF, OUT_FORMAT_XBF},
    {"WqyExtAa4", "WenQuanYi Micro Hei", -24, FONTTYPE_EXT_AA4, AAMETHOD_OS, 0xFFFF, OUT_FORMAT_SIF},
    {"WqyAa4Internal", "WenQuanYi Micro Hei", 16, FONTTYPE_AA4, AAMETHOD_INTERNAL, 0x4FFF, OUT_FORMAT_XBF},
    {"IpaExtFrm", "IPAGothic", 15, FONTTYPE_EXT_FRM, AAMETHOD_OS, 0x5FFF, OUT_FORMAT_SIF},
    {"WqyStd", "WenQuanYi Micro Hei", 13, FONTTYPE_STD, AAMETHOD_OS, 0x5FFF, OUT_FORMAT_XBF},
};

class Threads : public ::testing::TestWithParam<ThreadCase> {
 protected:
  ~Threads() override { WORKERS_SetCount(0); }
  SaveTest save;
};

TEST_P(Threads, OutputIsTheSameWithOneTwoAndFourThreads) {
  const ThreadCase& c = GetParam();
  AA_InitGammaTables();
  std::string first[3];
  for (int threads : {1, 2, 4}) {
    WORKERS_SetCount(threads);
    LogFontRecord record{};
    record.Height = c.Height;
    record.Weight = 400;
    record.CharSet = 1;
    std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", c.pFace);
    FontPtr font = FONT_CreateFromLogFont(&record, c.Type, ENCODING_UC16, c.Method);
    ASSERT_TRUE(font) << c.pFace;
    if (c.LastCode < 0xFFFF) FONT_EnableRange(font.get(), c.LastCode + 1, 0xFFFF, 0);
    if (threads == 1) FONT_RenderPending(font.get());
    const int formats[3] = {OUT_FORMAT_C, OUT_FORMAT_XBF, OUT_FORMAT_SIF};
    std::vector<int> order{0, 1, 2};
    if (threads == 4) std::swap(order[0], order[c.FirstAtFour == OUT_FORMAT_XBF ? 1 : 2]);
    for (int f : order) {
      // The same name each time: a C file names its font after the file.
      const std::string bytes = save.Save(font.get(), "font" + std::to_string(f), formats[f]);
      ASSERT_GT(bytes.size(), 10000u) << c.pFace << " format " << formats[f];
      if (threads == 1)
        first[f] = bytes;
      else
        EXPECT_TRUE(bytes == first[f]) << c.pFace << " format " << formats[f] << " with " << threads
                                       << " threads differs from one thread";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(CjkFaces, Threads, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ThreadCase>& info) { return info.param.pName; });

}  // namespace
