// Reading a BDF 2.1 bitmap font: the font bounding box, the character count and,
// per character, code, advance, box and bitmap; every other keyword is passed
// over with the rest of its line. Each character's box is trimmed to its ink.
//
// A character's bitmap lines are checked and measured first: the box its ink
// needs is known before anything is allocated, and the character is then laid
// out once in that box, so the work is linear in the size of its bitmap. The
// planes the characters are given (a box of height 0 stands for the font's
// height, as the writers give it) are charged to a budget in proportion to the
// file, so a file cannot make the program hold much more than its size.
#include "input/bdf_read.h"
#include "input/internal/readfile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "model/codetables.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

constexpr size_t kKeywordMax = 255;
constexpr int64_t kNumberLimit = int64_t(1) << 30;  // sums of two numbers stay within int
// Two hexadecimal digits per plane byte: a file's planes stay below its size; a
// box of height 0 or bitmap lines shorter than the box claim planes without text.
constexpr uint64_t kPlaneBytesPerFileByte = 2;

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
  Parser(Font* pFont, std::string_view text) : f_(pFont), t_(text), budget_(text.size(), kPlaneBytesPerFileByte) {}

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

    // The bitmap lines, checked, and the ink's extent inside the box.
    const size_t bitmap = pos_;
    Ink ink;
    for (int y = 0; y < h; ++y)
      if (!BitmapRow(w, y, &ink)) return false;

    // Codes outside 0..65535 have no slot: their bitmap is read and dropped.
    if (code >= 0 && code < FONT_NUM_CODES && !Place(static_cast<uint16_t>(code), w, h, xoff, yoff, dx, ink, bitmap))
      return false;
    return Keyword(&keyword) && keyword == "ENDCHAR" && SkipLine();
  }

  // Rows and columns of the box that hold ink; first > last when none does.
  struct Ink {
    int64_t FirstRow = 1, LastRow = 0;
    int64_t FirstColumn = 1, LastColumn = 0;
    bool Any() const { return FirstRow <= LastRow; }
  };

  // One line of hex digits, the leftmost column in the high bit of each digit;
  // columns at or beyond the width are ignored.
  bool BitmapRow(int width, int y, Ink* pInk) {
    int64_t first = -1, last = -1;
    for (int64_t column = 0; pos_ < t_.size() && !IsLineEnd(t_[pos_]); ++pos_, column += 4) {
      const int digit = HexDigit(t_[pos_]);
      if (digit < 0) return false;
      if (!digit || column >= width) continue;
      for (int bit = 0; bit < 4 && column + bit < width; ++bit) {
        if (!(digit & (8 >> bit))) continue;
        if (first < 0) first = column + bit;
        last = column + bit;
      }
    }
    if (first >= 0) {
      if (!pInk->Any()) {
        pInk->FirstRow = y;
        pInk->FirstColumn = first;
        pInk->LastColumn = last;
      }
      pInk->LastRow = y;
      pInk->FirstColumn = std::min(pInk->FirstColumn, first);
      pInk->LastColumn = std::max(pInk->LastColumn, last);
    }
    return SkipLine();
  }

  // Gives the character its box shrunk to the ink (bottom rows, right columns,
  // top rows, left columns that hold no ink are dropped, keeping at least one
  // row and, in a box that has columns, one column; an inkless box ends as 1 x 1
  // at its top left), keeping the ink's place and the cursor advance, and sets
  // its pixels from the bitmap lines, which start at 'bitmap' and were checked.
  bool Place(uint16_t code, int w, int h, int xoff, int yoff, int dx, const Ink& ink, size_t bitmap) {
    int64_t top = 0, left = 0, height = h, width = w;
    if (h > 0) {
      height = ink.Any() ? ink.LastRow - ink.FirstRow + 1 : 1;
      top = ink.Any() ? ink.FirstRow : 0;
      if (w > 0) {
        width = ink.Any() ? ink.LastColumn - ink.FirstColumn + 1 : 1;
        left = ink.Any() ? ink.FirstColumn : 0;
      }
    }
    if (!budget_.Charge(INPUT_CharCost(f_, width, height))) return false;
    FONT_SetCharSize(f_, code, int(width), int(height));
    CharInfo& ci = f_->aCharInfo[code];
    if (int64_t(ci.DataSize) != height * FONT_GetRowBytes(f_, int(width))) return false;  // out of memory
    ci.BoxHeight = int(height);
    ci.BoxLeft = int(xoff + left);
    ci.BoxTop = int(h + yoff - top);
    ci.CursorDist = dx;
    ci.FileRowBytes = int((int64_t(w) + 7) / 8);
    ci.Exists = ci.Rendered = 1;
    FONT_EnableChar(f_, code, 1);
    if (!ink.Any()) return true;
    size_t line = bitmap;
    for (int64_t y = 0; y <= ink.LastRow; ++y) {
      size_t end = line;
      while (end < t_.size() && !IsLineEnd(t_[end])) ++end;
      if (y >= ink.FirstRow) {
        // Only the digits that can hold a column of the trimmed box.
        const size_t firstDigit = line + size_t(left / 4);
        const size_t endDigit = std::min(end, line + size_t(ink.LastColumn / 4 + 1));
        for (size_t i = firstDigit; i < endDigit; ++i) {
          const int digit = HexDigit(t_[i]);
          const int64_t column = int64_t(i - line) * 4;
          for (int bit = 0; bit < 4; ++bit) {
            const int64_t x = column + bit;
            if ((digit & (8 >> bit)) && x >= left && x <= ink.LastColumn)
              FONT_SetPixel(f_, code, int(x - left), int(y - top), 1);
          }
        }
      }
      line = end + 1;  // past the line end, and one more CR or LF
      if (line < t_.size() && IsLineEnd(t_[line])) ++line;
    }
    return true;
  }

  Font* f_;
  std::string_view t_;
  size_t pos_ = 0;
  InputBudget budget_;
};

}  // namespace

FontPtr INPUT_ParseBdf(const std::string& text) {
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

FontPtr INPUT_ReadBdf(const char* path) {
  return INPUT_ReadFontFile(path, [](std::string text) { return INPUT_ParseBdf(text); }, nullptr);
}
