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

struct Font;
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
// Moves the last 'size' bytes of the file, which start at 'from', to start at 'to';
// the file ends where they end. Writing goes on at an unknown place (OUT_Seek).
void OUT_MoveTail(uint64_t from, uint64_t to, uint64_t size);

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

// The characters of a file that renders them as it writes. codes[0..count-1] are
// shared in pieces among the threads: each piece renders what is pending of its
// codes on the thread that formats it (FONT_RenderOnWorker, prepared with
// FONT_PrepareWorkerRendering) and formats, with 'format' (code, scratch row, text),
// those that come out with a width; the others are not saved. The calling thread
// writes the pieces in order: for each formatted code it shows the code's "Saving
// character" text, runs 'before' (code, the size of its bytes), which may write
// bytes of its own, and then writes the code's bytes. Once 'before' returns false
// nothing more is written.
using OutCharFormatter = std::function<void(uint16_t code, std::vector<uint8_t>* pRow, std::string* pText)>;
using OutCharWriter = std::function<bool(uint16_t code, size_t size)>;
void OUT_WriteRenderingChars(Font* pFont, const uint16_t* pCodes, size_t count, const OutCharFormatter& format,
                             const OutCharWriter& before);
