#include "output/internal/outbuf.h"

#include <cstdarg>
#include <cstring>
#include <string>

namespace {
std::FILE* file = nullptr;
char buffer[OUT_BUFFER_SIZE];
size_t fill = 0;
int failures = 0;

// Writes the full buffer; on failure the buffered bytes are lost.
void Drain() {
  if (!file || std::fwrite(buffer, 1, fill, file) != fill) ++failures;
  fill = 0;
}
}  // namespace

void OUT_Begin(std::FILE* f) {
  file = f;
  fill = 0;
  failures = 0;
}

void OUT_WriteBytes(const char* data, size_t size) {
  while (size) {
    size_t n = OUT_BUFFER_SIZE - fill;
    if (n > size) n = size;
    std::memcpy(buffer + fill, data, n);
    fill += n;
    data += n;
    size -= n;
    if (fill == OUT_BUFFER_SIZE) {
      const int before = failures;
      Drain();
      if (failures != before) return;  // the rest of this request is dropped
    }
  }
}

void OUT_WriteByte(uint8_t byte) {
  char c = static_cast<char>(byte);
  OUT_WriteBytes(&c, 1);
}

void OUT_WriteU16(uint16_t value) {
  char b[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  OUT_WriteBytes(b, 2);
}

void OUT_WriteU32(uint32_t value) {
  OUT_WriteU16(static_cast<uint16_t>(value & 0xFFFF));
  OUT_WriteU16(static_cast<uint16_t>(value >> 16));
}

void OUT_WriteString(const char* text) { OUT_WriteBytes(text, std::strlen(text)); }

void OUT_Printf(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof(text)) {
    OUT_WriteBytes(text, static_cast<size_t>(n));
    return;
  }
  std::string long_text;  // rare: a line longer than the stack buffer
  long_text.resize(static_cast<size_t>(n) + 1);
  va_start(args, format);
  std::vsnprintf(long_text.data(), long_text.size(), format, args);
  va_end(args);
  OUT_WriteBytes(long_text.data(), static_cast<size_t>(n));
}

int OUT_End() {
  if (fill) Drain();
  file = nullptr;
  return failures;
}
