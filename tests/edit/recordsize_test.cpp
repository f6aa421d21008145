// Records of font-wide edits keep what changed and no more: a row added to every
// character costs a few bytes per character, a row taken away that row's bytes,
// and the swaps still give back every field and plane byte, planes with bytes
// beyond the box and frame planes included.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>

#include "edit/edit.h"
#include "edit/fontedit.h"
#include "edit/record.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"

namespace {

constexpr int kChars = 600;

// kChars characters of widths 1 to 17 with scattered ink, the top row included;
// every seventh has a box height of 0 (the font's), every eleventh a plane with
// bytes beyond its box left over from an earlier edit.
FontPtr BigFont(int32_t type) {
  FontPtr pFont = NewFont(type, ENCODING_UC16, 12);
  pFont->Baseline = 10;
  const int ink = FONT_GetMaxPixelValue(pFont.get());
  for (int i = 0; i < kChars; ++i) {
    const uint16_t code = static_cast<uint16_t>(0x20 + i * 3);
    AddChar(pFont.get(), code, 1 + i % 17, 12, [&](int x, int y) { return (x * 7 + y * 3 + i) % 5 == 0 ? ink : 0; });
    CharInfo& ci = pFont->aCharInfo[code];
    if (type == FONTTYPE_EXT_FRM) FONT_CalcFrame(pFont.get(), code);
    if (i % 7 == 0) ci.BoxHeight = 0;
    if (i % 11 == 0) {
      const uint32_t size = ci.DataSize + 2 * FONT_GetRowBytes(pFont.get(), ci.BoxWidth);
      std::unique_ptr<uint8_t[]> pPlane(new uint8_t[size]);
      for (uint32_t b = 0; b < size; ++b) pPlane[b] = b < ci.DataSize ? ci.pPixels[b] : static_cast<uint8_t>(b * 37);
      ci.pPixels = std::move(pPlane);
      if (ci.pFrame) {
        std::unique_ptr<uint8_t[]> pFrame(new uint8_t[size]());
        std::memcpy(pFrame.get(), ci.pFrame.get(), ci.DataSize);
        ci.pFrame = std::move(pFrame);
      }
      ci.DataSize = size;
    }
  }
  FONT_SetCurrentChar(pFont.get(), 0x41);
  return pFont;
}

// The bytes of rows rows of every character of the font, both planes.
size_t RowBytes(const Font* pFont, int rows) {
  size_t bytes = 0;
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    const CharInfo& ci = pFont->aCharInfo[code];
    if (ci.BoxWidth) bytes += size_t(rows) * FONT_GetRowBytes(pFont, ci.BoxWidth) * (ci.pFrame ? 2 : 1);
  }
  return bytes;
}

struct Case {
  const char* Name;
  int32_t Type;
  std::function<void(Font*)> Run;
  int RowsTaken;  // rows of every character the edit removes, which the record must keep
};

void PrintTo(const Case& c, std::ostream* pOut) { *pOut << c.Name; }

class CompactRecord : public ::testing::TestWithParam<Case> {
 protected:
  ScopedServices services;
};

TEST_P(CompactRecord, KeepsTheChangedRowsAndSwapsExactly) {
  const Case& c = GetParam();
  FontPtr pFont = BigFont(c.Type);
  const FontPtr before = CopyFont(pFont.get());
  EditRecord record;
  ASSERT_EQ(EDIT_RecordBegin(&record, pFont.get(), EDIT_ScopeAll(pFont.get())), 0);
  c.Run(pFont.get());
  EDIT_RecordEnd(&record, pFont.get());
  const FontPtr after = CopyFont(pFont.get());
  ASSERT_NE(FontDifference(before.get(), after.get()), "");
  EXPECT_EQ(record.aChar.size(), size_t(kChars));
  // A few bytes per character besides the rows taken; a whole copy of a record
  // would cost more than 64 and its planes.
  const size_t bound = sizeof(EditRecord) + 16 * kChars + RowBytes(before.get(), c.RowsTaken);
  EXPECT_LE(EDIT_RecordMemory(record), bound);
  for (int swap = 0; swap < 3; ++swap) {
    ASSERT_EQ(EDIT_RecordSwap(&record, pFont.get()), 0);
    EXPECT_EQ(FontDifference(pFont.get(), swap % 2 ? after.get() : before.get()), "") << "swap " << swap;
    EXPECT_LE(EDIT_RecordMemory(record), bound) << "swap " << swap;
  }
}

const Case kCases[] = {
    {"InsertTopStd", FONTTYPE_STD, [](Font* f) { EDIT_InsertFontRows(f, 1, EDIT_SIDE_TOP); }, 0},
    {"DeleteTopStd", FONTTYPE_STD, [](Font* f) { EDIT_DeleteFontRows(f, 1, EDIT_SIDE_TOP); }, 1},
    {"InsertThreeAtTheBottomAa2", FONTTYPE_AA2, [](Font* f) { EDIT_InsertFontRows(f, 3, EDIT_SIDE_BOTTOM); }, 0},
    {"DeleteTwoAtTheBottomAa4", FONTTYPE_AA4, [](Font* f) { EDIT_DeleteFontRows(f, 2, EDIT_SIDE_BOTTOM); }, 0},
    {"GrowAtTheTopStd", FONTTYPE_STD, [](Font* f) { EDIT_GrowFont(f, 2, EDIT_SIDE_TOP, 1); }, 0},
    {"InsertTopFramed", FONTTYPE_EXT_FRM, [](Font* f) { EDIT_InsertFontRows(f, 1, EDIT_SIDE_TOP); }, 0},
    {"DeleteTwoAtTheTopFramed", FONTTYPE_EXT_FRM, [](Font* f) { EDIT_DeleteFontRows(f, 2, EDIT_SIDE_TOP); }, 2},
};

INSTANTIATE_TEST_SUITE_P(FontWideRows, CompactRecord, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.Name; });

}  // namespace
