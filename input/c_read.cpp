// Reading a C source font back: comments and "#if 0" blocks are blanked, a few
// keywords are located, and numbers and pixel tokens are then read in the order
// the C writer emits them. Names, pointers and array indexes are not checked.
//
// Pixel planes are allocated only once the values of a character's array have
// been counted in the text, and boxes of height 0 (which the writers and the
// merge give the font's height) are charged to a budget in proportion to the
// file, so a file cannot make the program hold more than a small multiple of its
// own size. Every step moves forward through the text: the work is linear in the
// file's size whatever its layout.
#include "input/c_read.h"
#include "input/internal/readfile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "model/codetables.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

constexpr size_t kKeywordLength = 500;                      // longest keyword token compared
constexpr size_t kFontNameLength = FONT_FONTNAME_SIZE - 1;  // longest variable name kept
constexpr int kFieldLimit = 1000;                           // largest magnitude of a field number
constexpr unsigned kValueLimit = 65535;                     // largest value token
constexpr size_t kNoPosition = static_cast<size_t>(-1);     // "before the text": line 1, column 0

const char kExpectingNumber[] = "Expecting a number";

// Every plane byte takes at least two characters of text ("0,"), so a file's
// planes stay below its size; only boxes of height 0 claim planes without text.
constexpr uint64_t kPlaneBytesPerTextByte = 2;

struct TypeName {
  const char* pName;
  int32_t Type;
  int32_t Encoding;
};

const TypeName kTypeNames[] = {
    {"GUI_FONTTYPE_PROP", FONTTYPE_STD, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_AA2", FONTTYPE_AA2, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_AA4", FONTTYPE_AA4, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_EXT", FONTTYPE_EXT, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_FRM", FONTTYPE_EXT_FRM, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_AA2_EXT", FONTTYPE_EXT_AA2, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_AA4_EXT", FONTTYPE_EXT_AA4, ENCODING_UC16},
    {"GUI_FONTTYPE_PROP_SJIS", FONTTYPE_STD, ENCODING_JIS},
};

constexpr std::array<bool, 256> kIdentChars = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[size_t(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  return table;
}();
bool IsIdentChar(char c) { return kIdentChars[static_cast<unsigned char>(c)]; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The banner kept for re-saving: from a "/*" at the very first byte up to the
// first "*/" after it (the whole text when there is none).
std::unique_ptr<char[]> KeptBanner(std::string_view text) {
  if (text.substr(0, 2) != "/*") return nullptr;
  const size_t end = std::min(text.find("*/", 2), text.size());
  auto header = std::make_unique<char[]>(end + 1);
  std::memcpy(header.get(), text.data(), end);
  header[end] = 0;
  return header;
}

// Turns comments and "#if 0" ... "#endif" blocks into blanks, line breaks kept.
void BlankOutComments(std::string& text) {
  const size_t n = text.size();
  auto blank = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (!IsLineEnd(text[i])) text[i] = ' ';
  };
  const char* p = text.c_str();  // holds no zero byte before its end
  for (size_t i = 0; i < n;) {
    const char* next = std::strpbrk(p + i, "/#");
    if (!next) break;
    i = size_t(next - p);
    size_t end = i;
    if (text.compare(i, 2, "/*") == 0) {
      end = text.find("*/", i + 2);
      end = end == std::string::npos ? n : end + 2;
    } else if (text.compare(i, 2, "//") == 0) {
      end = text.find_first_of("\r\n", i);
      if (end == std::string::npos) end = n;
    } else if (text.compare(i, 5, "#if 0") == 0) {
      end = text.find("#endif", i + 5);
      end = end == std::string::npos ? n : end + 6;
    }
    if (end == i) {
      ++i;
    } else {
      blank(i, end);
      i = end;
    }
  }
}

// The text and the reading position, with the one error text of the low-level
// read steps: once it is set, every read step fails.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : t_(text) {}

  size_t Pos() const { return pos_; }
  void SetPos(size_t pos) { pos_ = std::min(pos, t_.size()); }
  const std::string& Error() const { return error_; }
  void ClearError() { error_.clear(); }

  // The next identifier token, at most 'limit' characters (the rest of a longer
  // one is the next token). With stopAtBrace a "}" ends the search.
  bool Token(std::string_view* pToken, size_t limit = kKeywordLength, bool stopAtBrace = false) {
    const char* d = t_.data();
    const size_t n = t_.size();
    size_t pos = pos_;
    while (pos < n && !IsIdentChar(d[pos])) {
      if (stopAtBrace && d[pos] == '}') {
        pos_ = pos;
        return false;
      }
      ++pos;
    }
    if (pos >= n) {
      pos_ = pos;
      return false;
    }
    const size_t last = n - pos > limit ? pos + limit : n;
    size_t end = pos;
    while (end < last && IsIdentChar(d[end])) ++end;
    *pToken = t_.substr(pos, end - pos);
    pos_ = end;
    return true;
  }

  // Moves behind the next token equal to the keyword; false when there is none.
  bool FindKeyword(std::string_view keyword) {
    std::string_view token;
    while (Token(&token))
      if (token == keyword) return true;
    return false;
  }

  // A field number: after the next comma (when asked for), blanks, an optional
  // sign and decimal digits; the magnitude limited to 1000.
  bool Field(int* pValue, bool afterComma = true) {
    if (!error_.empty()) return false;
    if (afterComma) {
      while (pos_ < t_.size() && t_[pos_] != ',') ++pos_;
      if (pos_ < t_.size()) ++pos_;
    }
    while (pos_ < t_.size() && IsBlank(t_[pos_])) ++pos_;
    const char first = At(pos_);
    if (first != '+' && first != '-' && !IsDigit(first)) {
      error_ = kExpectingNumber;
      return false;
    }
    const bool negative = first == '-';
    if (!IsDigit(first)) ++pos_;
    int value = 0;
    for (; pos_ < t_.size() && IsDigit(t_[pos_]); ++pos_) value = std::min(value * 10 + (t_[pos_] - '0'), kFieldLimit);
    *pValue = negative ? -value : value;
    return true;
  }

  // A value token: "0x" hexadecimal, an eight-character pixel pattern of "X" and
  // "_" (leftmost pixel in bit 0), or decimal; at most 65535.
  bool Value(unsigned* pValue) {
    if (!error_.empty()) return false;
    std::string_view token;
    if (!Token(&token, std::string_view::npos, true)) return false;
    unsigned value = 0;
    if (token.size() > 1 && token[1] == 'x') {
      for (size_t i = 2; i < token.size() && HexDigit(token[i]) >= 0; ++i)
        value = std::min(value * 16 + unsigned(HexDigit(token[i])), kValueLimit);
    } else if (token[0] == 'X' || token[0] == '_') {
      if (token.size() < 8) return false;
      for (size_t i = 0; i < 8; ++i) {
        if (token[i] == 'X')
          value |= 1u << i;
        else if (token[i] != '_')
          return false;
      }
    } else {
      if (!IsDigit(token[0])) {
        error_ = kExpectingNumber;
        return false;
      }
      for (size_t i = 0; i < token.size() && IsDigit(token[i]); ++i)
        value = std::min(value * 10 + unsigned(token[i] - '0'), kValueLimit);
    }
    *pValue = value;
    return true;
  }

  // Counts the value tokens ahead, up to 'wanted', without moving; the count
  // ends at a "}". *pStop is where it ended.
  uint32_t CountValues(uint32_t wanted, size_t* pStop) const {
    Scanner ahead(t_);
    ahead.pos_ = pos_;
    uint32_t count = 0;
    std::string_view token;
    while (count < wanted && ahead.Token(&token, std::string_view::npos, true)) ++count;
    *pStop = ahead.pos_;
    return count;
  }

  void SkipLine() {
    while (pos_ < t_.size() && !IsLineEnd(t_[pos_])) ++pos_;
    if (At(pos_) == '\r') ++pos_;
    if (At(pos_) == '\n') ++pos_;
  }
  // The end of the line that holds pos.
  size_t EndOfLine(size_t pos) const {
    while (pos < t_.size() && !IsLineEnd(t_[pos])) ++pos;
    return pos;
  }
  // Moves to the next occurrence of c (the end of the text when there is none).
  void SkipTo(char c) {
    while (pos_ < t_.size() && t_[pos_] != c) ++pos_;
  }
  void SkipPast(char c) {
    SkipTo(c);
    if (pos_ < t_.size()) ++pos_;
  }
  void SkipBlanks() {
    while (pos_ < t_.size() && IsBlank(t_[pos_])) ++pos_;
  }

  // "\r\n\r\nError occured in:..." for a position; lines are counted by CR LF pairs.
  std::string Location(size_t pos) const {
    int line = 1;
    size_t column = 0;
    if (pos != kNoPosition) {
      pos = std::min(pos, t_.size());
      size_t lineStart = 0;
      for (size_t i = 0; i + 1 < pos; ++i) {
        if (t_[i] == '\r' && t_[i + 1] == '\n') {
          ++line;
          lineStart = i + 2;
        }
      }
      column = pos - lineStart + 1;
    }
    char text[80];
    std::snprintf(text, sizeof(text), "\r\n\r\nError occured in:\r\nLine:\t%d\r\nColumn:\t%zu", line, column);
    return text;
  }

 private:
  char At(size_t pos) const { return pos < t_.size() ? t_[pos] : 0; }

  std::string_view t_;
  size_t pos_ = 0;
  std::string error_;
};

struct CodeRange {
  unsigned First;
  unsigned Last;
};

void Report(const std::string& text) { ReportMessage(text.c_str()); }
void Status(const char* text) { SERVICES_Get()->SetStatusText(text); }

class Parser {
 public:
  Parser(Font* pFont, std::string_view text) : f_(pFont), s_(text), budget_(text.size(), kPlaneBytesPerTextByte) {}

  bool Run() {
    Status("Searching font identifier...");
    if (!FontVariable() || !TypeAndHeight() || (FONT_IsExtendedType(f_->Type) && !ExtendedMetrics())) return false;
    Status("Reading area infos...");
    if (!Ranges()) return false;
    if (!ranges_.empty()) {
      Status("Reading character infos...");
      if (!CharInfos()) return false;
      Status("Reading pixel data...");
      if (!PixelData()) return false;
    }
    FONT_AssignAreas(f_);
    return true;
  }

 private:
  bool FontVariable() {
    f_->NumBlocks = FONT_NUM_BLOCKS_MAX;
    f_->Has16BitCodes = 1;
    bool found = false;
    while (s_.FindKeyword("GUI_FONT")) {
      found = true;
      afterFont_ = s_.Pos();
      std::string_view name;
      if (!s_.Token(&name, kFontNameLength)) name = {};
      name.copy(f_->acFontName, name.size());
      f_->acFontName[name.size()] = 0;
    }
    if (!found) Report("No font data found in the given file");
    return found;
  }

  bool TypeAndHeight() {
    s_.SetPos(afterFont_);
    s_.SkipLine();
    std::string_view token;
    const TypeName* pType = nullptr;
    if (s_.Token(&token))
      for (const TypeName& t : kTypeNames)
        if (token == t.pName) pType = &t;
    if (!pType) {
      Report("Unsupported font type");
      return false;
    }
    f_->Type = pType->Type;
    f_->Encoding = pType->Encoding;
    if (!s_.Field(&f_->Height)) {
      Report("Font height could not be read");
      return false;
    }
    return true;
  }

  // Baseline and, when present, the two measured heights of an extended font.
  bool ExtendedMetrics() {
    for (int i = 0; i < 5; ++i) s_.SkipLine();
    if (!s_.Field(&f_->Baseline)) {
      Report("Base line could not be read");
      return false;
    }
    int lowercase = 0, capital = 0;
    if (s_.Field(&lowercase) && s_.Field(&capital)) {
      f_->LowercaseHeightRead = lowercase;
      f_->CapitalHeightRead = capital;
      f_->HeightsKnown = 1;
    }
    s_.ClearError();  // the heights are optional
    return true;
  }

  // The range structures in file order, which is the writer's descending order.
  bool Ranges() {
    const char* keyword = FONT_IsExtendedType(f_->Type) ? "GUI_FONT_PROP_EXT" : "GUI_FONT_PROP";
    size_t lastRead = kNoPosition;
    s_.SetPos(0);
    while (s_.FindKeyword(keyword)) {
      std::string_view name;
      if (s_.Token(&name)) s_.SetPos(s_.Pos() + 1);
      CodeRange range{};
      bool ok = s_.Value(&range.First);
      if (ok) lastRead = s_.Pos();
      ok = ok && s_.Value(&range.Last);
      if (!ok) {
        Report("Error reading the GUI_FONT_PROP structures." + s_.Location(lastRead));
        return false;
      }
      lastRead = s_.Pos();
      ranges_.push_back(range);
      s_.SkipTo(';');
    }
    std::reverse(ranges_.begin(), ranges_.end());
    return true;
  }

  template <typename Action>
  bool ForEachCode(Action action) {
    for (const CodeRange& r : ranges_)
      for (unsigned c = r.First; c <= r.Last; ++c)
        if (!action(static_cast<uint16_t>(c))) return false;
    return true;
  }

  bool CharInfos() {
    const bool extended = FONT_IsExtendedType(f_->Type);
    s_.SetPos(0);
    std::string_view name;
    if (!s_.FindKeyword(extended ? "GUI_CHARINFO_EXT" : "GUI_CHARINFO") || !s_.Token(&name)) return false;
    s_.SkipLine();
    s_.SkipTo('{');
    // Where a failure is located: the opening brace before the first entry, the
    // end of the previous entry's line after it (found only when needed, so that
    // a table on one line is not scanned to its end once per entry).
    size_t previous = s_.Pos();
    bool afterEntry = false;
    s_.SkipPast('{');
    s_.SkipBlanks();
    return ForEachCode([&](uint16_t code) {
      CharInfo& ci = f_->aCharInfo[code];
      int v[5] = {};
      bool ok = s_.Field(&v[0], false) && s_.Field(&v[1]) && s_.Field(&v[2]);
      if (extended) ok = ok && s_.Field(&v[3]) && s_.Field(&v[4]);
      if (!ok) {
        char text[300];
        std::snprintf(text, sizeof(text),
                      "The character information table does not\r\ncontain a valid entry for the following "
                      "character:\r\n\r\nCharacter (hexadecimal):\t0x%X\r\nCharacter (decimal):\t%d",
                      code, code);
        Report(text + s_.Location(afterEntry ? s_.EndOfLine(previous) : previous));
        return false;
      }
      if (extended) {
        ci.BoxWidth = std::max(v[0], 0);
        ci.BoxHeight = std::max(v[1], 0);
        ci.BoxLeft = v[2];
        ci.BoxTop = f_->Baseline - v[3];
        ci.CursorDist = v[4];
        ci.FileRowBytes = (ci.BoxWidth + 7) / 8;
      } else {
        ci.BoxWidth = std::max(v[1], 0);
        ci.BoxHeight = std::max(f_->Height, 0);
        ci.FileRowBytes = v[2];
      }
      // The planes a box of height 0 stands for are in no pixel array; every
      // other plane is allocated only once its values were found in the text.
      if (ci.BoxHeight == 0 && !budget_.Charge(INPUT_CharCost(f_, ci.BoxWidth, 0))) return false;
      ci.Exists = ci.Rendered = 1;
      FONT_EnableChar(f_, code, 1);
      f_->MaxWidth = std::max(f_->MaxWidth, ci.BoxWidth);
      previous = s_.Pos();
      afterEntry = true;
      s_.SkipPast('{');
      return true;
    });
  }

  bool PixelData() {
    s_.SetPos(0);
    std::string_view name;
    if (!(s_.FindKeyword("unsigned") && s_.Token(&name))) {
      s_.SetPos(0);
      if (!(s_.FindKeyword("U8") && s_.Token(&name))) {
        Report("No pixel data found");
        return false;
      }
    }
    return ForEachCode([&](uint16_t code) {
      s_.SkipLine();
      if (!CharPixels(code)) return false;
      s_.SkipTo('{');
      return true;
    });
  }

  bool CharPixels(uint16_t code) {
    CharInfo& ci = f_->aCharInfo[code];
    const int rowBytes = FONT_GetRowBytes(f_, ci.BoxWidth);
    const uint32_t dataSize = static_cast<uint32_t>(ci.BoxHeight) * static_cast<uint32_t>(rowBytes);
    size_t stop = 0;
    const uint32_t count = s_.CountValues(dataSize, &stop);
    if (count < dataSize) {
      char text[400];
      std::snprintf(text, sizeof(text),
                    "The pixel data of the following character\r\ndoes not contain enough bytes.\r\n\r\n"
                    "Character (hexadecimal):\t0x%X\r\nCharacter (decimal):\t%d\r\n"
                    "Expected number of bytes:\t%u bytes\r\nAvailable number of bytes:\t%u bytes",
                    code, code, dataSize, count);
      Report(text + s_.Location(stop));
      return false;
    }
    FONT_SetCharSize(f_, code, ci.BoxWidth, ci.BoxHeight);
    if (ci.DataSize != dataSize) return false;  // out of memory
    bool ok = true;
    if (FONT_GetBitsPerPixel(f_->Type) == 1) {
      ok = BitRows(ci, ci.pPixels.get(), rowBytes) && (!ci.pFrame || BitRows(ci, ci.pFrame.get(), rowBytes));
    } else {
      const bool twoBits = FONT_GetBitsPerPixel(f_->Type) == 2;
      for (uint32_t i = 0; ok && i < dataSize; ++i) {
        unsigned v = 0;
        ok = s_.Value(&v);
        // Files hold the leftmost pixel in the high bits, memory in the low bits.
        ci.pPixels[i] = twoBits ? uint8_t((v & 0x03) << 6 | (v & 0x0C) << 2 | (v & 0x30) >> 2 | (v & 0xC0) >> 6)
                                : uint8_t((v & 0x0F) << 4 | (v & 0xF0) >> 4);
      }
    }
    if (!ok) Report(s_.Error() + s_.Location(s_.Pos()));
    return ok;
  }

  // One plane of a 1-bit character: rows of row-byte values, taken unchanged;
  // values beyond the row bytes in a wider file row are dropped.
  bool BitRows(const CharInfo& ci, uint8_t* pPlane, int rowBytes) {
    const int fileRowBytes = std::max(rowBytes, ci.FileRowBytes);
    for (int32_t y = 0; y < ci.BoxHeight; ++y) {
      for (int i = 0; i < fileRowBytes; ++i) {
        unsigned v = 0;
        if (!s_.Value(&v)) return false;
        if (i < rowBytes) pPlane[size_t(y) * size_t(rowBytes) + size_t(i)] = uint8_t(v);
      }
    }
    return true;
  }

  Font* f_;
  Scanner s_;
  size_t afterFont_ = 0;
  std::vector<CodeRange> ranges_;
  InputBudget budget_;
};

}  // namespace

FontPtr INPUT_ParseC(std::string text) {
  text.resize(std::strlen(text.c_str()));  // the text ends at its first zero byte
  SERVICES_Get()->SetWaitCursor(true);
  std::unique_ptr<char[]> header = KeptBanner(text);
  BlankOutComments(text);
  FontPtr pFont = FONT_Alloc();
  if (pFont && Parser(pFont.get(), text).Run()) {
    pFont->pHeader = std::move(header);
  } else {
    pFont.reset();
    ReportMessage("Could not create font!");
  }
  Status("Ready");
  SERVICES_Get()->SetWaitCursor(false);
  return pFont;
}

FontPtr INPUT_ReadC(const char* path) {
  return INPUT_ReadFontFile(path, INPUT_ParseC, "Could not read file!");
}
