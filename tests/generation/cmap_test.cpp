#include "generation/internal/cmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A cmap table built byte by byte.
struct Table {
  std::vector<uint8_t> bytes;
  void U16(unsigned v) {
    bytes.push_back(uint8_t(v >> 8));
    bytes.push_back(uint8_t(v));
  }
  void U32(uint32_t v) {
    U16(v >> 16);
    U16(v & 0xFFFF);
  }
  CmapReader Reader() const {
    return [this](uint32_t offset, void* pBuffer, uint32_t count) -> uint32_t {
      if (offset >= bytes.size()) return 0;
      const uint32_t n = std::min<uint32_t>(count, uint32_t(bytes.size() - offset));
      std::memcpy(pBuffer, bytes.data() + offset, n);
      return n;
    };
  }
};

struct Record {
  unsigned platform, encoding;
  uint32_t offset;
};

// Header and records, then a format-4 subtable with the given segments at the
// offset of the last record.
Table Build(const std::vector<Record>& records, unsigned format,
            const std::vector<std::pair<unsigned, unsigned>>& segments) {
  Table t;
  t.U16(0);
  t.U16(unsigned(records.size()));
  for (const Record& r : records) {
    t.U16(r.platform);
    t.U16(r.encoding);
    t.U32(r.offset);
  }
  t.bytes.resize(records.empty() ? t.bytes.size() : std::max<size_t>(t.bytes.size(), records.back().offset));
  const unsigned n = unsigned(segments.size());
  t.U16(format);
  t.U16(16 + 8 * n);  // length
  t.U16(0);           // language
  t.U16(2 * n);
  t.U16(0);
  t.U16(0);
  t.U16(0);
  for (auto s : segments) t.U16(s.second);
  t.U16(0);  // pad
  for (auto s : segments) t.U16(s.first);
  for (unsigned i = 0; i < 2 * n; i++) t.U16(0);  // deltas and range offsets
  return t;
}

const std::vector<std::pair<unsigned, unsigned>> kSegments = {{0x20, 0x7E}, {0x4E00, 0x4E01}, {0xFFFF, 0xFFFF}};

}  // namespace

TEST(Cmap, ReadsTheSegmentsOfTheWindowsUnicodeMap) {
  Table t = Build({{0, 3, 100}, {3, 1, 100}}, 4, kSegments);
  CmapRanges r;
  ASSERT_EQ(GENERATE_ReadCharMapRanges(t.Reader(), &r), 0);
  EXPECT_EQ(r.First, (std::vector<uint16_t>{0x20, 0x4E00, 0xFFFF}));
  EXPECT_EQ(r.Last, (std::vector<uint16_t>{0x7E, 0x4E01, 0xFFFF}));
}

TEST(Cmap, PrefersUnicodeToSymbolAndTakesTheSymbolMapOtherwise) {
  // The symbol record comes first but points at garbage: the Unicode one wins.
  Table t = Build({{3, 0, 2}, {3, 1, 100}}, 4, kSegments);
  CmapRanges r;
  ASSERT_EQ(GENERATE_ReadCharMapRanges(t.Reader(), &r), 0);
  EXPECT_EQ(r.First.size(), 3u);
  t = Build({{1, 0, 4}, {3, 0, 100}}, 4, {{0xF020, 0xF07F}, {0xFFFF, 0xFFFF}});
  ASSERT_EQ(GENERATE_ReadCharMapRanges(t.Reader(), &r), 0);
  EXPECT_EQ(r.First, (std::vector<uint16_t>{0xF020, 0xFFFF}));
}

TEST(Cmap, FailureRows) {
  CmapRanges r;
  Table empty;
  EXPECT_EQ(GENERATE_ReadCharMapRanges(empty.Reader(), &r), 1);  // no table
  // Neither a Windows Unicode nor a symbol subtable.
  EXPECT_EQ(GENERATE_ReadCharMapRanges(Build({{0, 3, 100}, {1, 0, 100}, {3, 10, 100}}, 4, kSegments).Reader(), &r), 1);
  // Not format 4.
  EXPECT_EQ(GENERATE_ReadCharMapRanges(Build({{3, 1, 100}}, 6, kSegments).Reader(), &r), 1);
  // Offset 0.
  EXPECT_EQ(GENERATE_ReadCharMapRanges(Build({{3, 1, 0}}, 4, kSegments).Reader(), &r), 1);
  // 32 subtables are read, 33 are too many.
  std::vector<Record> many(32, Record{0, 3, 300});
  many.back() = {3, 1, 300};
  EXPECT_EQ(GENERATE_ReadCharMapRanges(Build(many, 4, kSegments).Reader(), &r), 0);
  many.insert(many.begin(), Record{0, 3, 300});
  EXPECT_EQ(GENERATE_ReadCharMapRanges(Build(many, 4, kSegments).Reader(), &r), 1);
}
