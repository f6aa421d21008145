// Internal to the edit module: character records packed as what they differ in
// from the font's record of the same code. An edit record keeps the characters
// of the other state (before the operation until the first swap) this way, so a
// step is about as large as what it changed: a pixel keeps the byte it changed,
// and a row added to or taken from every character keeps each character's changed
// fields and, for a taken row, that row's bytes, since the rest of each plane is
// the font's plane moved by whole rows.
//
// Layout of one character, all numbers unsigned LEB128 varints, signed ones
// zig-zagged:
//   (code - previous code - 1) * 4 + same * 2 + literal
//     same: the header repeats the previous one; literal: runs follow
//   header (when not same): field mask, the masked fields as differences from the
//     font's, then the shift in bytes of the pixel plane and of the frame plane
//   with literal, for each plane the other record has: number of literal runs,
//     then per run the gap from the end of the previous run, its length and its
//     bytes.
// Byte i of a plane is the font plane's byte i + shift (0 beyond that plane),
// except where a literal run gives it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/font.h"

struct DeltaWriter {
  std::vector<uint8_t>* pOut = nullptr;
  int32_t PreviousCode = -1;
  std::vector<uint8_t> aPreviousHeader;
  bool HaveHeader = false;
};

struct DeltaReader {
  const uint8_t* pNext = nullptr;
  const uint8_t* pEnd = nullptr;
  int32_t PreviousCode = -1;
  // The header last read, and whether literal runs follow it for this code.
  bool Literal = false;
  int64_t aDiff[11] = {};
  int64_t aShift[2] = {};
};

// Appends other, a record of code (codes ascending), described against base, the
// font's record. stride: bytes per row of both when they have the same width (0
// otherwise); fontRows: the base font's height less the other state's, so that
// planes whose rows moved with the font height are found.
void EDIT_AppendDelta(DeltaWriter* pWriter, uint16_t code, const CharInfo& other, const CharInfo& base, int stride,
                      int fontRows);

// Reads the next code; false at the end of the data.
bool EDIT_ReadDeltaCode(DeltaReader* pReader, uint16_t* pCode);
// Rebuilds the other record of the code just read from base, the font's record.
// False when memory is short or the data are broken (pOther is then unusable).
bool EDIT_ReadDeltaChar(DeltaReader* pReader, const CharInfo& base, CharInfo* pOther);
