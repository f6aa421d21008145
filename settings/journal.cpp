#include "settings/journal.h"

#include <cstring>
#include <memory>

namespace {
std::unique_ptr<char[]> buffer;
size_t bufferCapacity = 0;
size_t length = 0;
}  // namespace

void JOURNAL_FormatLine(char* line, size_t capacity) {
  size_t n = std::strlen(line);
  if (n + 4 > capacity) n = capacity - 4;  // keep room for "*\r\n"
  while (n < 69 && n + 4 < capacity) line[n++] = ' ';
  std::memcpy(line + n, "*\r\n", 4);
}

void JOURNAL_Add(const char* text) {
  size_t n = std::strlen(text);
  if (length + n + 1 > bufferCapacity) {
    // Doubling keeps long runs of edits (thousands of lines) linear.
    size_t newCapacity = bufferCapacity * 2 + 1024;
    while (length + n + 1 > newCapacity) newCapacity *= 2;
    auto newBuffer = std::make_unique<char[]>(newCapacity);
    if (length) std::memcpy(newBuffer.get(), buffer.get(), length);
    buffer = std::move(newBuffer);
    bufferCapacity = newCapacity;
  }
  std::memcpy(buffer.get() + length, text, n + 1);
  length += n;
}

void JOURNAL_Clear() {
  buffer.reset();
  bufferCapacity = 0;
  length = 0;
}

size_t JOURNAL_GetLength() { return length; }

const char* JOURNAL_GetText() { return length ? buffer.get() : ""; }
