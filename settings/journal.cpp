#include "settings/journal.h"

#include <cstdarg>
#include <cstdio>
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

namespace {

// Room for n more characters and the terminator.
void Reserve(size_t n) {
  if (length + n + 1 > bufferCapacity) {
    // Doubling keeps long runs of edits (thousands of lines) linear.
    size_t newCapacity = bufferCapacity * 2 + 1024;
    while (length + n + 1 > newCapacity) newCapacity *= 2;
    auto newBuffer = std::make_unique<char[]>(newCapacity);
    if (length) std::memcpy(newBuffer.get(), buffer.get(), length);
    buffer = std::move(newBuffer);
    bufferCapacity = newCapacity;
  }
}

}  // namespace

void JOURNAL_Add(const char* text) {
  const size_t n = std::strlen(text);
  Reserve(n);
  std::memcpy(buffer.get() + length, text, n + 1);
  length += n;
}

void JOURNAL_AddLine(const char* format, ...) {
  char line[JOURNAL_TEXT_SIZE];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  JOURNAL_FormatLine(line, sizeof line);
  JOURNAL_Add(line);
}

bool JOURNAL_Erase(size_t offset, size_t count) {
  if (offset > length || count > length - offset) return false;
  if (count == 0) return true;
  std::memmove(buffer.get() + offset, buffer.get() + offset + count, length - offset - count + 1);
  length -= count;
  return true;
}

bool JOURNAL_Insert(size_t offset, const char* text, size_t count) {
  if (offset > length) return false;
  if (count == 0) return true;
  Reserve(count);
  std::memmove(buffer.get() + offset + count, buffer.get() + offset, length - offset + 1);
  std::memcpy(buffer.get() + offset, text, count);
  length += count;
  return true;
}

void JOURNAL_Clear() {
  buffer.reset();
  bufferCapacity = 0;
  length = 0;
}

size_t JOURNAL_GetLength() { return length; }

const char* JOURNAL_GetText() { return length ? buffer.get() : ""; }
