#include "input/internal/readfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <utility>

#include "settings/journal.h"
#include "settings/messages.h"

namespace {

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

int INPUT_ReadRegularFile(const char* path, std::string* pImage) {
  // Non-blocking, so that opening a FIFO does not wait for a writer; the file
  // type is then checked on the open descriptor, not on the name.
  FileDescriptor fd(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.Get() < 0) return INPUT_READ_NOT_OPENED;
  struct stat st;
  if (fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return INPUT_READ_NOT_OPENED;
  pImage->clear();
  // The size is only a hint: the file may change while it is read.
  std::string image;
  size_t capacity = static_cast<size_t>(st.st_size) + 1;
  try {
    image.resize(capacity);
    size_t used = 0;
    for (;;) {
      if (used == image.size()) image.resize(image.size() * 2);
      const ssize_t n = read(fd.Get(), image.data() + used, image.size() - used);
      if (n < 0) {
        if (errno == EINTR) continue;
        return INPUT_READ_FAILED;
      }
      if (n == 0) break;
      used += static_cast<size_t>(n);
    }
    image.resize(used);
  } catch (const std::exception&) {  // the standard string's bad_alloc or length_error:
    // a file larger than the memory left
    return INPUT_READ_FAILED;
  }
  *pImage = std::move(image);
  return INPUT_READ_OK;
}

FontPtr INPUT_ReadFontFile(const char* path, FontParser parse, const char* pReadFailure) {
  std::string image;
  const int result = INPUT_ReadRegularFile(path, &image);
  if (result == INPUT_READ_NOT_OPENED) {
    ReportMessage("Could not open file!");
    return nullptr;
  }
  FontPtr pFont;
  if (result == INPUT_READ_OK)
    pFont = parse(std::move(image));
  else if (pReadFailure)
    ReportMessage(pReadFailure);
  JOURNAL_Clear();
  return pFont;
}

uint64_t INPUT_CharCost(const Font* pFont, int64_t width, int64_t rows) {
  if (width <= 0) return 0;
  if (rows <= 0) rows = pFont->Height;
  if (rows <= 0) rows = 1;  // a box as wide still costs work across its width
  // FONT_GetRowBytes takes an int; widths beyond it are priced here directly.
  const int bits = FONT_GetBitsPerPixel(pFont->Type);
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * static_cast<uint64_t>(bits > 0 ? bits : 8) + 7) / 8;
  const uint64_t planes = pFont->Type == FONTTYPE_EXT_FRM ? 2 : 1;
  return planes * rowBytes * static_cast<uint64_t>(rows);
}
