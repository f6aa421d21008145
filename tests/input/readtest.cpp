#include "input/readtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "output/savetest.h"

namespace {

int Width(unsigned code) { return 1 + int(code % 13); }
int BoxHeight(unsigned code) { return 2 + int(code % 7); }

// A pixel value of the type for (code, x, y); frame pixels among them for EXT_FRM.
int PixelFor(int32_t type, unsigned code, int x, int y) {
  const int v = int(code) + 3 * x + 5 * y + x * y;
  switch (type) {
    case FONTTYPE_AA2:
    case FONTTYPE_EXT_AA2:
      return v % 4;
    case FONTTYPE_AA4:
    case FONTTYPE_EXT_AA4:
      return v % 16;
    case FONTTYPE_EXT_FRM:
      return v % 5 == 0 ? FONT_FRAME_PIXEL : v % 3 == 0;
    default:
      return v % 3 == 0;
  }
}

}  // namespace

FontPtr TestFont(int32_t type, int32_t encoding, const std::vector<std::pair<unsigned, unsigned>>& ranges) {
  const int height = 14;
  FontPtr f = NewFont(type, encoding, height);
  f->Baseline = FONT_IsExtendedType(type) ? 11 : 0;
  for (auto [first, last] : ranges)
    for (unsigned c = first; c <= last; ++c) {
      const int h = FONT_IsExtendedType(type) ? BoxHeight(c) : height;
      AddChar(f.get(), uint16_t(c), Width(c), h, [&](int x, int y) { return PixelFor(type, c, x, y); },
              int(c % 3) - 1, int(c % 5) + 4, Width(c) + int(c % 2));
    }
  return f;
}

void ExpectSameCharacters(Font* saved, Font* read, FileRowBytesRule fileRowBytes) {
  const bool extended = FONT_IsExtendedType(saved->Type);
  int32_t maxWidth = 0;
  for (unsigned c = 0; c < FONT_NUM_CODES; ++c) {
    const uint16_t code = uint16_t(c);
    ASSERT_EQ(FONT_IsCharEnabled(read, code), FONT_IsCharEnabled(saved, code)) << std::hex << c;
    if (!FONT_IsCharEnabled(saved, code)) continue;
    const CharInfo &a = saved->aCharInfo[c], &b = read->aCharInfo[c];
    ASSERT_EQ(b.BoxWidth, a.BoxWidth) << std::hex << c;
    ASSERT_EQ(b.BoxHeight, a.BoxHeight || extended ? a.BoxHeight : saved->Height) << std::hex << c;
    EXPECT_TRUE(b.Exists && b.Rendered);
    EXPECT_EQ(b.FileRowBytes, fileRowBytes(saved, a.BoxWidth));
    if (extended) {
      ASSERT_EQ(b.BoxLeft, a.BoxLeft) << std::hex << c;
      ASSERT_EQ(b.BoxTop, a.BoxTop) << std::hex << c;
      ASSERT_EQ(b.CursorDist, a.CursorDist) << std::hex << c;
    }
    for (int y = 0; y < a.BoxHeight; ++y)
      for (int x = 0; x < a.BoxWidth; ++x)
        ASSERT_EQ(FONT_GetPixel(read, code, x, y), FONT_GetPixel(saved, code, x, y))
            << std::hex << c << std::dec << " at " << x << "," << y;
    maxWidth = std::max(maxWidth, a.BoxWidth);
  }
  EXPECT_EQ(read->MaxWidth, maxWidth);
}

uint64_t PlaneBytes(const Font* pFont) {
  uint64_t total = 0;
  const uint64_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  for (const CharInfo& ci : pFont->aCharInfo) {
    if (!ci.Enabled) continue;
    const uint64_t rows = ci.BoxHeight > 0 ? uint64_t(ci.BoxHeight) : uint64_t(std::max(pFont->Height, 1));
    total += planes * std::max<uint64_t>(rows * uint64_t(FONT_GetRowBytes(pFont, ci.BoxWidth)), ci.DataSize);
  }
  return total;
}

void ExpectBounded(const Font* pFont, size_t fileSize) {
  EXPECT_LE(PlaneBytes(pFont), 4 * uint64_t(fileSize) + (uint64_t(1) << 20));
}

void ExpectModifiedLineOnly(const std::string& first, const std::string& again, bool sameBody) {
  const size_t end = first.find("*/\r\n\r\n#include");
  ASSERT_NE(end, std::string::npos);
  ASSERT_GT(again.size(), first.size());
  EXPECT_EQ(again.substr(0, end), first.substr(0, end));
  const std::string added = again.substr(end, again.find("*/\r\n\r\n#include") - end);
  EXPECT_TRUE(std::regex_match(added, std::regex("  C-file modified by Font Converter for Tavro version 6\\.32c: "
                                                 "[A-Z][a-z]{2} \\d\\d \\d{4} at \\d\\d:\\d\\d:\\d\\d\r\n")))
      << added;
  if (!sameBody) return;
  const std::string rest = again.substr(end + added.size()), expected = first.substr(end);
  const auto diff = std::mismatch(rest.begin(), rest.end(), expected.begin(), expected.end());
  EXPECT_TRUE(diff.first == rest.end() && diff.second == expected.end())
      << "differs at: " << std::string(diff.first, rest.end()).substr(0, 200);
}
