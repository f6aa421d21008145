#include "generation/internal/cmap.h"

namespace {

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint32_t U32(const uint8_t* p) { return uint32_t(U16(p)) << 16 | U16(p + 2); }

// Reads 'count' big-endian 16-bit values at 'offset'; values past the end of the
// table stay 0.
void ReadValues(const CmapReader& read, uint32_t offset, std::vector<uint16_t>* pValues) {
  std::vector<uint8_t> bytes(pValues->size() * 2);
  if (bytes.empty()) return;
  const uint32_t n = read(offset, bytes.data(), uint32_t(bytes.size()));
  for (size_t i = 0; i < pValues->size() && 2 * i + 1 < n; i++) (*pValues)[i] = U16(&bytes[2 * i]);
}

// Finds the format-4 subtable the ranges are read from; 0 and its offset and
// segment count on success.
int FindSubtable(const CmapReader& read, uint32_t* pOffset, uint32_t* pNumRanges) {
  uint8_t header[4];
  if (read(0, header, 4) < 4) return 1;
  const uint32_t numTables = U16(header + 2);
  if (numTables * 8 > 256) return 1;
  uint8_t records[256];
  const uint32_t got = numTables ? read(4, records, numTables * 8) : 0;
  const uint32_t complete = got / 8;
  uint32_t unicodeOffset = 0, symbolOffset = 0;
  bool unicodeFound = false, symbolFound = false;
  for (uint32_t i = 0; i < complete; i++) {
    const uint8_t* pRecord = records + 8 * i;
    if (U16(pRecord) != 3) continue;
    if (U16(pRecord + 2) == 1 && !unicodeFound) {
      unicodeFound = true;
      unicodeOffset = U32(pRecord + 4);
    } else if (U16(pRecord + 2) == 0 && !symbolFound) {
      symbolFound = true;
      symbolOffset = U32(pRecord + 4);
    }
  }
  const uint32_t offset = unicodeFound ? unicodeOffset : symbolOffset;
  if (offset == 0) return 1;
  uint8_t subtable[14];
  if (read(offset, subtable, 14) < 14 || U16(subtable) != 4) return 1;
  *pOffset = offset;
  *pNumRanges = U16(subtable + 6) / 2u;
  return 0;
}

}  // namespace

int GENERATE_ReadCharMapRanges(const CmapReader& read, CmapRanges* pRanges) {
  uint32_t offset = 0, numRanges = 0;
  if (FindSubtable(read, &offset, &numRanges)) return 1;
  pRanges->First.assign(numRanges, 0);
  pRanges->Last.assign(numRanges, 0);
  ReadValues(read, offset + 14, &pRanges->Last);
  ReadValues(read, offset + 2 * numRanges + 16, &pRanges->First);
  return 0;
}

int GENERATE_CheckCharMap(const CmapReader& read) {
  uint32_t offset = 0, numRanges = 0;
  return FindSubtable(read, &offset, &numRanges);
}
