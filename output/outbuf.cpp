#include "output/internal/outbuf.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "generation/workers.h"
#include "model/font.h"
#include "output/internal/progress.h"
#include "output/internal/ranges.h"
#include "settings/files.h"

namespace {
std::FILE* file = nullptr;
char buffer[OUT_BUFFER_SIZE];
size_t fill = 0;
int failures = 0;
// Bytes written since the disk was last asked to take them: a large font's file goes
// to the disk while the rest is still being formatted.
constexpr size_t kWritebackStep = 8 << 20;
size_t unsynced = 0;

// Writes the full buffer; on failure the buffered bytes are lost.
void Drain() {
  if (!file || std::fwrite(buffer, 1, fill, file) != fill) ++failures;
  unsynced += fill;
  fill = 0;
  if (unsynced >= kWritebackStep) {
    FILES_StartWriteback(file);
    unsynced = 0;
  }
}
}  // namespace

void OUT_Begin(std::FILE* f) {
  file = f;
  fill = 0;
  failures = 0;
  unsynced = 0;
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

bool OUT_CanSeek() {
  struct stat st;
  return file && fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode);
}

void OUT_Seek(uint64_t offset) {
  if (fill) Drain();
  if (!file || fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) ++failures;
}

void OUT_MoveTail(uint64_t from, uint64_t to, uint64_t size) {
  if (fill) Drain();
  if (!file || std::fflush(file) != 0) {
    ++failures;
    return;
  }
  const int fd = fileno(file);
  // In pieces, from the end when moving up so that no byte is overwritten before it
  // is moved.
  std::vector<char> piece(std::min<uint64_t>(size, 1 << 20));
  for (uint64_t done = 0; done < size;) {
    const uint64_t n = std::min<uint64_t>(piece.size(), size - done);
    const uint64_t at = to > from ? size - done - n : done;
    if (pread(fd, piece.data(), n, static_cast<off_t>(from + at)) != static_cast<ssize_t>(n) ||
        pwrite(fd, piece.data(), n, static_cast<off_t>(to + at)) != static_cast<ssize_t>(n)) {
      ++failures;
      return;
    }
    done += n;
  }
  if (ftruncate(fd, static_cast<off_t>(to + size)) != 0) ++failures;
}

void OUT_AppendF(std::string* pText, const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof(text)) {
    pText->append(text, static_cast<size_t>(n));
    return;
  }
  const size_t at = pText->size();
  pText->resize(at + static_cast<size_t>(n) + 1);
  va_start(args, format);
  std::vsnprintf(pText->data() + at, static_cast<size_t>(n) + 1, format, args);
  va_end(args);
  pText->resize(at + static_cast<size_t>(n));
}

std::vector<uint16_t> OUT_ListCodes(const RangeList& ranges) {
  std::vector<uint16_t> codes;
  codes.reserve(ranges.NumCodes);
  for (const CodeRange& r : ranges.aRange)
    for (uint32_t code = r.First; code <= r.Last; ++code) codes.push_back(static_cast<uint16_t>(code));
  return codes;
}

void OUT_WritePieces(const std::vector<uint16_t>& codes, bool progress, const OutPieceFormatter& format) {
  // Pieces of 64 characters; a few per thread wait to be written at most, which
  // bounds the memory whatever the size of the font.
  constexpr size_t kPiece = 64;
  const size_t pieces = (codes.size() + kPiece - 1) / kPiece;
  const size_t window = 4 * static_cast<size_t>(WORKERS_GetCount());
  std::vector<std::string> slots(window);
  WORKERS_Pipeline(
      pieces, window,
      [&](size_t piece, int) {
        std::string& text = slots[piece % window];
        text.clear();
        format(codes, piece * kPiece, std::min(codes.size(), (piece + 1) * kPiece), &text);
      },
      [&](size_t piece) {
        if (progress)
          for (size_t i = piece * kPiece; i < std::min(codes.size(), (piece + 1) * kPiece); ++i)
            OUT_ShowProgress(codes[i]);
        const std::string& text = slots[piece % window];
        OUT_WriteBytes(text.data(), text.size());
      });
}

void OUT_WriteRenderingChars(Font* pFont, const uint16_t* pCodes, size_t count, const OutCharFormatter& format,
                             const OutCharWriter& before) {
  // The formatted characters of one piece and where each begins in its text.
  struct Piece {
    std::string Text;
    std::vector<uint16_t> aCode;
    std::vector<size_t> aAt;
  };
  constexpr size_t kPiece = 64;
  const size_t pieces = (count + kPiece - 1) / kPiece;
  const size_t window = 4 * static_cast<size_t>(WORKERS_GetCount());
  std::vector<Piece> slots(window);
  bool stopped = false;
  WORKERS_Pipeline(
      pieces, window,
      [&](size_t index, int) {
        const uint16_t* pPiece = pCodes + index * kPiece;
        const size_t n = std::min(kPiece, count - index * kPiece);
        FONT_RenderOnWorker(pFont, pPiece, n);
        Piece& piece = slots[index % window];
        piece.Text.clear();
        piece.aCode.clear();
        piece.aAt.clear();
        std::vector<uint8_t> row;
        for (size_t i = 0; i < n; ++i) {
          if (pFont->aCharInfo[pPiece[i]].BoxWidth == 0) continue;
          piece.aCode.push_back(pPiece[i]);
          piece.aAt.push_back(piece.Text.size());
          format(pPiece[i], &row, &piece.Text);
        }
      },
      [&](size_t index) {
        const Piece& piece = slots[index % window];
        for (size_t i = 0; i < piece.aCode.size() && !stopped; ++i) {
          const size_t end = i + 1 < piece.aAt.size() ? piece.aAt[i + 1] : piece.Text.size();
          OUT_ShowProgress(piece.aCode[i]);
          stopped = !before(piece.aCode[i], end - piece.aAt[i]);
          if (!stopped) OUT_WriteBytes(piece.Text.data() + piece.aAt[i], end - piece.aAt[i]);
        }
      });
}
