// Reading C font files written by the C writer back: every type and encoding,
// the kept banner on re-saving (generated real fonts are read back end to end in
// the command-line tests; a table written on one line is a reader case).
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "input/c_read.h"
#include "input/readtest.h"
#include "output/save.h"
#include "output/savetest.h"
#include "settings/journal.h"

namespace {

// The C reader records the packed 1-bpp row of extended characters.
int CFileRowBytes(const Font* pSaved, int width) {
  return FONT_IsExtendedType(pSaved->Type) ? (width + 7) / 8 : FONT_GetRowBytes(pSaved, width);
}

struct Case {
  int32_t type;
  int32_t encoding;
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  static const char* const types[] = {"STD", "AA2", "AA4", "EXT", "EXT_FRM", "EXT_AA2", "EXT_AA4"};
  static const char* const encodings[] = {"UC16", "ISO8859", "JIS"};
  return std::string(types[info.param.type]) + "_" + encodings[info.param.encoding];
}

class CReadRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(CReadRoundTrip, CharactersMetricsAndBannerComeBack) {
  const auto [type, encoding] = GetParam();
  SaveTest t;
  std::vector<std::pair<unsigned, unsigned>> ranges = {{0x20, 0x7E}, {0xA0, 0xFF}};
  if (encoding == ENCODING_UC16) ranges.push_back({0x4E00, 0x4E20});
  if (encoding == ENCODING_JIS) ranges.push_back({0x8140, 0x8150});
  FontPtr saved = TestFont(type, encoding, ranges);
  const std::string file = t.Save(saved.get(), "round.c", OUT_FORMAT_C);
  ASSERT_FALSE(file.empty());
  JOURNAL_Add("* a line of the previous font");
  FontPtr read = INPUT_ReadC(t.dir.file("round.c").c_str());
  ASSERT_TRUE(read) << (t.services.boxes.empty() ? "" : t.services.boxes.back());
  EXPECT_TRUE(t.services.boxes.empty());
  EXPECT_EQ(JOURNAL_GetLength(), 0u);

  // Type, baseline and heights: the characters below and the file saved again
  // (how each field is read: the reader cases of tests/data).
  EXPECT_EQ(read->Encoding, encoding == ENCODING_JIS ? ENCODING_JIS : ENCODING_UC16);
  EXPECT_GE(FONT_GetBlockArea(read.get(), 0x4E), 0);  // areas of the 16-bit code space
  ExpectSameCharacters(saved.get(), read.get(), CFileRowBytes);

  ASSERT_TRUE(read->pHeader);
  EXPECT_EQ(std::string(read->pHeader.get()), file.substr(0, file.find("*/\r\n\r\n#include")));
  const std::string again = t.Save(read.get(), "again.c", OUT_FORMAT_C);
  ExpectModifiedLineOnly(file, again, encoding != ENCODING_ISO8859);
}

INSTANTIATE_TEST_SUITE_P(EveryType, CReadRoundTrip,
                         ::testing::Values(Case{FONTTYPE_STD, ENCODING_UC16}, Case{FONTTYPE_AA2, ENCODING_UC16},
                                           Case{FONTTYPE_AA4, ENCODING_UC16}, Case{FONTTYPE_EXT, ENCODING_UC16},
                                           Case{FONTTYPE_EXT_FRM, ENCODING_UC16},
                                           Case{FONTTYPE_EXT_AA2, ENCODING_UC16},
                                           Case{FONTTYPE_EXT_AA4, ENCODING_UC16}, Case{FONTTYPE_STD, ENCODING_JIS},
                                           Case{FONTTYPE_STD, ENCODING_ISO8859},
                                           Case{FONTTYPE_AA4, ENCODING_ISO8859},
                                           Case{FONTTYPE_EXT_FRM, ENCODING_ISO8859}),
                         CaseName);

}  // namespace
