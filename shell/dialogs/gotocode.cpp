#include "shell/dialogs/gotocode.h"

#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/codetables.h"
#include "model/font.h"

namespace {

std::string Trimmed(const char* pText) {
  std::string text = pText ? pText : "";
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool StartsWithNoCase(const std::string& text, const char* pPrefix) {
  const size_t n = std::strlen(pPrefix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != pPrefix[i]) return false;
  return true;
}

// Digits of the base, nothing else; at most 8 of them are read so that large
// values are reported as too large rather than wrapping.
int Number(const std::string& digits, int base, int* pValue) {
  if (digits.empty()) return GOTO_SYNTAX;
  long value = 0;
  for (char ch : digits) {
    const int c = std::tolower(static_cast<unsigned char>(ch));
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return GOTO_SYNTAX;
    value = value * base + d;
    if (value > 0xFFFF) value = 0x10000;  // stays too large, never overflows
  }
  if (value > 0xFFFF) return GOTO_TOO_LARGE;
  *pValue = static_cast<int>(value);
  return GOTO_PARSED;
}

// Converts text between two character sets; false when iconv cannot.
bool Convert(const char* pFrom, const char* pTo, const std::string& in, std::string* pOut) {
  iconv_t cd = iconv_open(pTo, pFrom);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string buffer(in.size() * 4 + 8, '\0');  // room for UTF-32 of every byte
  char* pIn = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char* pOutPos = buffer.data();
  size_t outLeft = buffer.size();
  const bool ok = iconv(cd, &pIn, &inLeft, &pOutPos, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  if (ok) pOut->assign(buffer.data(), buffer.size() - outLeft);
  return ok;
}

}  // namespace

int GOTO_ParseCode(const char* pText, int32_t encoding, int* pCode) {
  const std::string text = Trimmed(pText);
  if (text.empty()) return GOTO_EMPTY;
  if (text[0] == '#' && text.size() > 1) return Number(text.substr(1), 10, pCode);
  if (StartsWithNoCase(text, "u+") || StartsWithNoCase(text, "0x")) return Number(text.substr(2), 16, pCode);

  // One typed character: exactly one code point.
  std::string utf32;
  if (!Convert("UTF-8", "UTF-32LE", text, &utf32)) return GOTO_SYNTAX;
  if (utf32.size() != 4) return Number(text, 16, pCode);
  const auto* b = reinterpret_cast<const unsigned char*>(utf32.data());
  const uint32_t unicode = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  const int code = GOTO_CodeOfUnicode(unicode, encoding);
  if (code < 0) return GOTO_NOT_IN_ENCODING;
  *pCode = code;
  return GOTO_PARSED;
}

int GOTO_CodeOfUnicode(uint32_t unicode, int32_t encoding) {
  if (encoding == ENCODING_UC16) return unicode <= 0xFFFF ? static_cast<int>(unicode) : -1;
  if (encoding == ENCODING_JIS) {
    if (unicode == 0) return 0;
    const uint16_t sjis = unicode <= 0xFFFF ? SJIS_FromUnicode(static_cast<uint16_t>(unicode)) : 0;
    return sjis ? sjis : -1;
  }
  // 8-bit fonts hold their upper half in the Windows-1252 code page.
  if (unicode < 0x80) return static_cast<int>(unicode);
  static const uint16_t kUpper[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (unicode >= 0xA0 && unicode <= 0xFF) return static_cast<int>(unicode);
  for (int i = 0; i < 32; ++i)
    if (kUpper[i] && kUpper[i] == unicode) return 0x80 + i;
  return -1;
}

std::string GOTO_CharName(int32_t encoding, int code) {
  if (code < 0 || code > 0xFFFF) return {};
  const char* pName = nullptr;
  if (encoding == ENCODING_JIS) pName = SJIS_GetCharName(static_cast<uint16_t>(code));
  else if (encoding == ENCODING_UC16 || code < 0x80 || code >= 0xA0) pName = UNICODE_GetCharName(static_cast<uint16_t>(code));
  return pName ? pName : "";
}

int GOTO_CheckCode(const Font* pFont, int code, int showAll) {
  if (!pFont || code < 0 || code >= FONT_GetNumBlocks(pFont) * 16) return GOTO_OUTSIDE;
  const uint16_t c = static_cast<uint16_t>(code);
  if (!FONT_CharExists(pFont, c) && !FONT_IsCharEnabled(pFont, c)) return GOTO_OUTSIDE;
  if (!showAll && !FONT_IsBlockUsed(pFont, static_cast<uint32_t>(code) >> 4)) return GOTO_HIDDEN_BLOCK;
  return GOTO_IN_FONT;
}

std::string GOTO_FailureText(const char* pText, int result, int code, int place) {
  char text[200];
  const std::string typed = Trimmed(pText).substr(0, 40);
  switch (result) {
    case GOTO_PARSED: break;
    case GOTO_EMPTY: return "Go to character: no code given";
    case GOTO_TOO_LARGE: std::snprintf(text, sizeof text, "Go to character: %s is above FFFF", typed.c_str()); return text;
    case GOTO_NOT_IN_ENCODING:
      std::snprintf(text, sizeof text, "Go to character: %s has no code in the font's encoding", typed.c_str());
      return text;
    default:
      std::snprintf(text, sizeof text, "Go to character: %s is neither a code nor a character", typed.c_str());
      return text;
  }
  if (place == GOTO_OUTSIDE) {
    std::snprintf(text, sizeof text, "Character %04X is not in the font", code);
    return text;
  }
  if (place == GOTO_HIDDEN_BLOCK) {
    std::snprintf(text, sizeof text, "Character %04X lies in a hidden block: show all characters to reach it", code);
    return text;
  }
  return {};
}
