// Reading the code ranges of a font's "cmap" table: the segments of the format-4
// subtable of the Windows Unicode BMP map, else of the Windows symbol map.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Reads 'count' bytes of the cmap table at 'offset' into the buffer; returns the
// number of bytes read (0 on failure).
using CmapReader = std::function<uint32_t(uint32_t offset, void* pBuffer, uint32_t count)>;

struct CmapRanges {
  std::vector<uint16_t> First;  // start code of every segment
  std::vector<uint16_t> Last;   // end code of every segment
};

// 0 and the ranges on success; 1 when the table is missing, has more than 32
// subtables, has no Windows Unicode or symbol subtable, or that subtable is not
// in format 4.
int GENERATE_ReadCharMapRanges(const CmapReader& read, CmapRanges* pRanges);
// 0 when GENERATE_ReadCharMapRanges would succeed on the table (without reading the ranges).
int GENERATE_CheckCharMap(const CmapReader& read);
