#include "cmdline/internal/readers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cmdline/cmdline.h"
#include "settings/messages.h"

namespace {

const char* cursor = nullptr;
bool readerError = false;

constexpr size_t kMaxValueText = 11;  // value texts live in a 12-byte buffer

void Fail(const char* message) {
  readerError = true;
  CMDLINE_ReportError(message);
}

// Collects a numeric value text: characters of 'accepted' up to the end, or up to a
// '-' or ',' that follows at least one character (that one stays unread).
// Returns false (reported as notValue) for a foreign character, an 'x' anywhere but
// in a leading "0x" (hex only) or a text longer than a value buffer holds.
bool ReadValueText(const char* accepted, bool hex, const char* notValue, char* text) {
  size_t n = 0;
  for (char c; (c = CMDLINE_GetChar()) != 0;) {
    // 'x' only as the prefix 0x: "1x5" is refused at the x.
    bool foreign = !std::strchr(accepted, c) || (hex && c == 'x' && (n != 1 || text[0] != '0'));
    if (foreign) {
      Fail(notValue);
      return false;
    }
    // A separator ends a value of any length, a full buffer included.
    if ((c == '-' || c == ',') && n > 0) {
      --cursor;
      break;
    }
    if (n == kMaxValueText) {
      Fail(notValue);
      return false;
    }
    text[n++] = c;
  }
  text[n] = 0;
  return true;
}

}  // namespace

void CMDLINE_SetArgText(const char* text) { cursor = text; }

char CMDLINE_GetChar() {
  if (!cursor || !*cursor) return 0;
  return *cursor++;
}

bool CMDLINE_GetError() { return readerError; }
void CMDLINE_ClearError() { readerError = false; }

bool CMDLINE_HexToInt(const char* text, int32_t* pValue) {
  bool negative = false;
  if (*text == '-') {
    negative = true;
    ++text;
  }
  if (text[0] == '0' && text[1] == 'x') text += 2;
  // The value is taken as the 32 bits of the accumulator (0xFFFFFFFF is -1); more
  // digits than 32 bits hold do not convert.
  uint64_t value = 0;
  for (; *text; ++text) {
    int digit;
    if (*text >= '0' && *text <= '9') digit = *text - '0';
    else if (*text >= 'a' && *text <= 'f') digit = *text - 'a' + 10;
    else if (*text >= 'A' && *text <= 'F') digit = *text - 'A' + 10;
    else return false;
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > UINT32_MAX) return false;
  }
  const uint32_t bits = static_cast<uint32_t>(value);
  *pValue = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

int32_t CMDLINE_GetHexValue() {
  readerError = false;
  char text[kMaxValueText + 1];
  if (!ReadValueText("01234567890abcdefxABCDEF-,", true, "CMDLINE_GetHexValue: Not a hex value", text))
    return -1;
  int32_t value = 0;
  if (!CMDLINE_HexToInt(text, &value)) {
    Fail("Not a hex value");
    return 0;
  }
  if (!*text) {
    Fail("CMDLINE_GetHexValue: Missing value");
    return 0;
  }
  return value;
}

int32_t CMDLINE_GetDecValue() {
  readerError = false;
  char text[kMaxValueText + 1];
  if (!ReadValueText("01234567890-,", false, "CMDLINE_GetDecValue: Not a decimal value", text))
    return -1;
  if (!*text) {
    Fail("CMDLINE_GetDecValue: Missing value");
    return 0;
  }
  // The standard conversion of at most 11 characters fits 64 bits; a value outside
  // 32 bits is refused rather than wrapped.
  const long long value = std::strtoll(text, nullptr, 10);
  if (value < INT32_MIN || value > INT32_MAX) {
    Fail("CMDLINE_GetDecValue: Not a decimal value");
    return -1;
  }
  return static_cast<int32_t>(value);
}

void CMDLINE_GetString(char* dest, size_t capacity) {
  readerError = false;
  size_t n = 0;
  for (char c; (c = CMDLINE_GetChar()) != 0;) {
    if (c == ',' && n > 0) {
      --cursor;
      break;
    }
    if (n + 1 >= capacity) {
      dest[n] = 0;
      Fail("CMDLINE_GetString: String to long");
      return;
    }
    dest[n++] = c;
  }
  dest[n] = 0;
  if (n == 0) Fail("CMDLINE_GetString: Missing string");
}

int CMDLINE_ExpectSeparator(char sep) {
  if (readerError) return 1;
  if (CMDLINE_GetChar() == sep) return 0;
  ReportMessage("Wrong separator");
  return 1;
}

int CMDLINE_ReadCharIsNot(char c) { return CMDLINE_GetChar() != c ? 1 : 0; }

int CMDLINE_FindOption(const char* word, const char* const* list) {
  for (int i = 0; list[i]; ++i) {
    if (std::strcmp(word, list[i]) == 0) return i + 1;
  }
  char message[260];
  std::snprintf(message, sizeof(message), "Illegal option: %s", word);
  ReportMessage(message);
  return 0;
}
