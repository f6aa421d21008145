// Reading a BDF 2.1 bitmap font: the font bounding box, the character count and,
// per character, code, advance, box and bitmap; every other keyword is passed
// over with the rest of its line. Each character's box is then trimmed to its ink
// with the character edits.
//
// Sizes are checked against the text still to be read before anything is
// allocated, so a file cannot make the reader allocate much more than its size.
#include "input/bdf_read.h"
#include "input/readfile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "edit/edit.h"
#include "model/codetables.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

constexpr size_t kKeywordMax = 255;
constexpr int64_t kNumberLimit = int64_t(1) << 30;  // sums of two numbers stay within int

constexpr std::array<bool, 256> Table(const char* chars, bool withEnd) {
  std::array<bool, 256> table{};
  for (const char* p = chars; *p; ++p) table[static_cast<unsigned char>(*p)] = true;
  table[0] = withEnd;
  return table;
}
constexpr auto kKeywordChars = Table("_0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", false);
constexpr auto kFollowChars = Table(" .,:;[]{}()+-/*^|&=\r\n", true);

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void Status(const char* text) { SERVICES_Get()->SetStatusText(text); }

class Parser {
 public:
  Parser(Font* pFont, std::string_view text) : f_(pFont), t_(text) {}

  bool Run() {
    if (!Header()) return false;
    int n = 0;
    if (!Number(&n) || n < 0 || !SkipLine()) return false;
    for (int i = 0; i < n; ++i) {
      if (!Character()) return false;
      if (i % 20 == 0) {
        char text[64];
        std::snprintf(text, sizeof(text), "Reading characters, %d%% done.", int(int64_t(i) * 100 / n));
        Status(text);
      }
    }
    std::string_view keyword;
    if (!Keyword(&keyword) || keyword != "ENDFONT") return false;
    FONT_AssignAreas(f_);
    return true;
  }

 private:
  char At(size_t pos) const { return pos < t_.size() ? t_[pos] : 0; }
  size_t Remaining() const { return t_.size() - pos_; }

  // One comma, then spaces.
  void SkipSeparator() {
    if (At(pos_) == ',') ++pos_;
    while (At(pos_) == ' ') ++pos_;
  }

  bool Keyword(std::string_view* pWord) {
    SkipSeparator();
    const size_t start = pos_;
    while (pos_ < t_.size() && pos_ - start < kKeywordMax && kKeywordChars[static_cast<unsigned char>(t_[pos_])])
      ++pos_;
    if (pos_ == start) return false;
    if (pos_ < t_.size() && !kFollowChars[static_cast<unsigned char>(t_[pos_])]) return false;
    *pWord = t_.substr(start, pos_ - start);
    return true;
  }

  bool Number(int* pValue) {
    SkipSeparator();
    const bool negative = At(pos_) == '-';
    if (negative) ++pos_;
    if (!IsDigit(At(pos_))) return false;
    int64_t value = 0;
    for (; IsDigit(At(pos_)); ++pos_) {
      value = value * 10 + (t_[pos_] - '0');
      if (value >= kNumberLimit) return false;
    }
    if (At(pos_) == '-') return false;
    *pValue = int(negative ? -value : value);
    return true;
  }

  // Passes the rest of the line and its end: CR or LF, and one more CR or LF.
  bool SkipLine() {
    while (pos_ < t_.size() && !IsLineEnd(t_[pos_])) ++pos_;
    if (pos_ >= t_.size()) return false;
    ++pos_;
    if (IsLineEnd(At(pos_))) ++pos_;
    return true;
  }

  bool Header() {
    bool haveBox = false;
    int w = 0, h = 0, x = 0, y = 0;
    for (;;) {
      std::string_view keyword;
      if (!Keyword(&keyword)) return false;
      if (keyword == "CHARS") break;
      if (keyword == "FONTBOUNDINGBOX") {
        if (!Number(&w) || !Number(&h) || !Number(&x) || !Number(&y)) return false;
        haveBox = true;
      }
      if (!SkipLine()) return false;
    }
    if (!haveBox) return false;
    f_->Type = FONTTYPE_EXT;
    f_->Baseline = h + y;
    f_->MaxWidth = w;
    f_->Has16BitCodes = 1;
    f_->Encoding = ENCODING_UC16;
    f_->Height = h;
    f_->NumBlocks = FONT_NUM_BLOCKS_MAX;
    return true;
  }

  bool Character() {
    std::string_view keyword;
    if (!Keyword(&keyword) || keyword != "STARTCHAR" || !SkipLine()) return false;
    int code = 0, dx = 0, w = 0, h = 0, xoff = 0, yoff = 0;
    bool haveCode = false, haveWidth = false, haveBox = false;
    for (;;) {
      if (!Keyword(&keyword)) return false;
      if (keyword == "BITMAP") break;
      if (keyword == "ENCODING") {
        if (!Number(&code)) return false;
        haveCode = true;
      } else if (keyword == "DWIDTH") {
        if (!Number(&dx)) return false;
        haveWidth = true;
      } else if (keyword == "BBX") {
        if (!Number(&w) || !Number(&h) || !Number(&xoff) || !Number(&yoff)) return false;
        haveBox = true;
      }
      if (!SkipLine()) return false;
    }
    if (!SkipLine() || !haveCode || !haveWidth || !haveBox || w < 0 || h < 0) return false;
    // Every bitmap row takes a line of its own with two hex digits per plane
    // byte and a line end, so a sound file holds at least h lines and h plane
    // sizes' worth of bytes after BITMAP; anything larger cannot be real.
    const int64_t rowBytes = (int64_t(w) + 7) / 8;
    const int64_t remaining = int64_t(Remaining());
    if (h > remaining || int64_t(h) * rowBytes > remaining) return false;

    // Codes outside 0..65535 have no slot: their bitmap is read and dropped.
    const bool kept = code >= 0 && code < FONT_NUM_CODES;
    const uint16_t slot = kept ? static_cast<uint16_t>(code) : 0;
    if (kept) {
      FONT_SetCharSize(f_, slot, w, h);
      CharInfo& ci = f_->aCharInfo[slot];
      if (int64_t(ci.DataSize) != int64_t(h) * rowBytes) return false;  // out of memory
      ci.BoxHeight = h;
      ci.BoxLeft = xoff;
      ci.BoxTop = h + yoff;
      ci.CursorDist = dx;
      ci.FileRowBytes = int32_t(rowBytes);
      ci.Exists = ci.Rendered = 1;
      FONT_EnableChar(f_, slot, 1);
    }
    for (int y = 0; y < h; ++y)
      if (!BitmapRow(kept, slot, w, y)) return false;
    if (kept) Trim(slot);
    return Keyword(&keyword) && keyword == "ENDCHAR" && SkipLine();
  }

  // One line of hex digits, the leftmost column in the high bit of each digit.
  bool BitmapRow(bool kept, uint16_t code, int width, int y) {
    for (int64_t column = 0; pos_ < t_.size() && !IsLineEnd(t_[pos_]); ++pos_, column += 4) {
      const int digit = HexDigit(t_[pos_]);
      if (digit < 0) return false;
      if (!kept || column >= width) continue;
      for (int bit = 0; bit < 4 && column + bit < width; ++bit)
        if (digit & (8 >> bit)) FONT_SetPixel(f_, code, int(column + bit), y, 1);
    }
    return SkipLine();
  }

  bool RowEmpty(uint16_t code, int y) const {
    const CharInfo& ci = f_->aCharInfo[code];
    for (int x = 0; x < ci.BoxWidth; ++x)
      if (FONT_GetPixel(f_, code, x, y)) return false;
    return true;
  }
  bool ColumnEmpty(uint16_t code, int x) const {
    const CharInfo& ci = f_->aCharInfo[code];
    for (int y = 0; y < ci.BoxHeight; ++y)
      if (FONT_GetPixel(f_, code, x, y)) return false;
    return true;
  }

  // Shrinks the box to its ink, bottom, right, top, left; the cursor advance and
  // the ink's position stay. An empty box ends as 1 x 1 at its top left.
  void Trim(uint16_t code) {
    CharInfo& ci = f_->aCharInfo[code];
    if (ci.BoxHeight == 0) return;
    const uint16_t previous = FONT_GetCurrentChar(f_);
    FONT_SetCurrentChar(f_, code);
    for (int y = ci.BoxHeight - 1; y >= 1 && ci.BoxHeight >= 2 && RowEmpty(code, y); --y) EDIT_DeleteBottom(f_, 1);
    for (int x = ci.BoxWidth - 1; x >= 1 && ci.BoxWidth >= 2 && ColumnEmpty(code, x); --x) {
      EDIT_DeleteRight(f_, 1);
      ci.CursorDist += 1;
    }
    while (ci.BoxHeight >= 2 && RowEmpty(code, 0)) EDIT_DeleteTop(f_, 1);
    while (ci.BoxWidth >= 2 && ColumnEmpty(code, 0)) {
      EDIT_DeleteLeft(f_, 1);
      ci.BoxLeft += 1;
      ci.CursorDist += 1;
    }
    FONT_SetCurrentChar(f_, previous);
  }

  Font* f_;
  std::string_view t_;
  size_t pos_ = 0;
};

}  // namespace

FontPtr BDF_Parse(const std::string& text) {
  SERVICES_Get()->SetWaitCursor(true);
  FontPtr pFont = FONT_Alloc();
  if (!pFont || !Parser(pFont.get(), std::string_view(text.c_str())).Run()) {
    pFont.reset();
    ReportMessage("Could not create font!");
  }
  Status("Ready");
  SERVICES_Get()->SetWaitCursor(false);
  return pFont;
}

FontPtr BDF_Read(const char* path) {
  return INPUT_ReadFontFile(path, [](std::string text) { return BDF_Parse(text); }, nullptr);
}
