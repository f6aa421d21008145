// The output buffer every writer sends its bytes through: requests are appended to
// a 1000-byte buffer, which goes to the file in one write whenever it is full.
// Numbers are written little-endian. A failed write drops that request's bytes that
// were not buffered yet; writing goes on and the failure is counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

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
