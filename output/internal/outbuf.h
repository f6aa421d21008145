// The output buffer every writer sends its bytes through: requests are appended to
// a 1000-byte buffer, which goes to the file in one write whenever it is full.
// Numbers are written little-endian. A failed write drops that request's bytes that
// were not buffered yet; writing goes on and the failure is counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct RangeList;

enum { OUT_BUFFER_SIZE = 1000 };

// Starts a save into f (may be null: every write then fails).
void OUT_Begin(std::FILE* f);
void OUT_WriteByte(uint8_t byte);
void OUT_WriteU16(uint16_t value);
// Two u16, low half first.
void OUT_WriteU32(uint32_t value);
void OUT_WriteString(const char* text);
void OUT_WriteBytes(const char* data, size_t size);
// Formatted text, as printf.
void OUT_Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Writes out the remainder; returns the number of failed writes of this save.
int OUT_End();
// Whether the save can move about its file (a regular file; not a pipe).
bool OUT_CanSeek();
// Writes out the buffer and goes on writing at 'offset' from the file's start.
void OUT_Seek(uint64_t offset);

// Appends formatted text, as printf.
void OUT_AppendF(std::string* pText, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The codes the ranges hold, ascending.
std::vector<uint16_t> OUT_ListCodes(const RangeList& ranges);
// The part of a file that has a piece for every saved character: the pieces are
// made on all threads (format (codes, begin, end, text) appends the bytes of
// codes[begin..end-1] to text; it may only read the font) and written through the
// buffer in order as soon as they are ready, so the file comes out as if written
// code by code. With 'progress', each code's "Saving character" text is shown as
// its piece is written.
using OutPieceFormatter = std::function<void(const std::vector<uint16_t>& codes, size_t begin, size_t end,
                                             std::string* pText)>;
void OUT_WritePieces(const std::vector<uint16_t>& codes, bool progress, const OutPieceFormatter& format);
