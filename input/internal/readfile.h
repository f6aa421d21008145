// The file side shared by the font and pattern readers: open, read whole, parse,
// clear the journal; and the memory budget that keeps a reader's fonts in
// proportion to the file they came from.
#pragma once

#include <cstdint>
#include <string>

#include "model/font.h"

// Result of INPUT_ReadRegularFile.
enum InputReadResult : int {
  INPUT_READ_OK = 0,
  INPUT_READ_NOT_OPENED = 1,  // missing, unreadable, or not a regular file
  INPUT_READ_FAILED = 2,      // opened, but reading it failed (or memory was short)
};

// Reads the whole file into *pImage. Only regular files are read: a FIFO, a
// device or a folder is refused at once, without waiting for a writer.
int INPUT_ReadRegularFile(const char* path, std::string* pImage);

using FontParser = FontPtr (*)(std::string image);

// Reports "Could not open file!" when the file cannot be opened or is not a
// regular file; a file that opens but cannot be read reports pReadFailure
// (nothing when null). The journal is cleared after every read of an opened file.
FontPtr INPUT_ReadFontFile(const char* path, FontParser parse, const char* pReadFailure);

// What the characters of a font read from a file may cost: the bytes of the
// planes they are given, and of the planes a writer or a merge gives them (a box
// of height 0 stands for the font's height there). A well-formed file holds
// every plane byte it describes, so its planes stay below its own size; a
// crafted file (blocks shared between codes, boxes of height 0 with huge widths,
// short rows claiming wide boxes) is refused once it claims more than a small
// multiple of its size plus a small allowance.
class InputBudget {
 public:
  InputBudget(uint64_t fileSize, uint64_t perFileByte)
      : left_(fileSize * perFileByte + kAllowance) {}
  // False, and nothing charged, when the bytes exceed what is left.
  bool Charge(uint64_t bytes) {
    if (bytes > left_) return false;
    left_ -= bytes;
    return true;
  }
  static constexpr uint64_t kAllowance = uint64_t(1) << 18;

 private:
  uint64_t left_;
};

// The plane bytes a character of this box costs in memory, in a written file or
// in a merge: rows (the font's height where rows is 0) x the type's row bytes
// for the width, twice for EXT_FRM.
uint64_t INPUT_CharCost(const Font* pFont, int64_t width, int64_t rows);
