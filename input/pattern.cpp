// Pattern files. Written as UTF-16 little-endian with a byte-order mark, one line
// per group of 16 codes that holds enabled characters. Read as UTF-8 text when
// the file says so (below); otherwise as 16-bit units in the order the mark
// gives, or byte by byte (Shift_JIS) for JIS fonts.
#include "input/pattern.h"

#include <iconv.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "input/internal/readfile.h"
#include "model/codetables.h"
#include "model/font.h"
#include "settings/files.h"
#include "settings/journal.h"
#include "settings/messages.h"
#include "settings/services.h"

namespace {

constexpr size_t kReportLimit = 961;  // no code is listed once the report is this long

// Collects the codes a pattern file lists but the font lacks.
class MissingReport {
 public:
  explicit MissingReport(const Font* pFont) : pFont_(pFont) {}
  void Add(unsigned code) {
    if (count_ == 0) {
      text_ = "Problem occured when calculating the content of the following font file:\r\n\r\n";
      text_ += pFont_->acFileName[0] ? pFont_->acFileName : "<?\?\?>";
      text_ += "\r\n\r\nThe following character codes found in the pattern file are not part of the that font file:\r\n";
    }
    if (text_.size() >= kReportLimit) {
      if (!truncated_) text_ += "...";
      truncated_ = true;
    } else {
      char item[16];
      std::snprintf(item, sizeof(item), "%s%04X", count_ % 10 == 0 ? "\r\n" : ", ", code);
      text_ += item;
    }
    ++count_;
  }
  const std::string& Text() const { return text_; }

 private:
  const Font* pFont_;
  std::string text_;
  unsigned count_ = 0;
  bool truncated_ = false;
};

// Enables the font's character 'code', or lists 'listed' (the code as the file
// gives it) as missing.
void ApplyCode(Font* pFont, unsigned code, unsigned listed, MissingReport* pReport) {
  if (listed < 32) return;
  if (code != 0 && code <= 0xFFFF && pFont->aCharInfo[code].Exists)
    FONT_EnableChar(pFont, static_cast<uint16_t>(code), 1);
  else
    pReport->Add(listed);
}

void ApplyCode(Font* pFont, unsigned code, MissingReport* pReport) { ApplyCode(pFont, code, code, pReport); }

// Decodes UTF-8 into characters. Strict: false at the first malformed or cut-off
// sequence. Otherwise such bytes are skipped one at a time.
bool DecodeUtf8(const char* pText, size_t size, bool strict, std::vector<uint32_t>* pChars) {
  pChars->clear();
  iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  if (cd == iconv_t(-1)) return false;
  char* pIn = const_cast<char*>(pText);
  size_t inLeft = size;
  bool valid = true;
  std::vector<char> out(4 * size + 4);
  while (inLeft > 0) {
    char* pOut = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &pIn, &inLeft, &pOut, &outLeft);
    for (const char* q = out.data(); q < pOut; q += 4) {
      const auto* u = reinterpret_cast<const unsigned char*>(q);
      pChars->push_back(u[0] | u[1] << 8 | u[2] << 16 | uint32_t(u[3]) << 24);
    }
    if (result != size_t(-1)) break;
    valid = false;
    if (strict) break;
    ++pIn;  // a malformed or cut-off sequence: skip its first byte
    --inLeft;
  }
  iconv_close(cd);
  return valid;
}

// Applies UTF-8 text: one code per character, for a JIS font its Shift_JIS code.
// A character the font cannot hold is reported by its Unicode value.
void ApplyUtf8(Font* pFont, const std::vector<uint32_t>& chars, MissingReport* pReport) {
  const bool jis = pFont->Encoding == ENCODING_JIS;
  for (uint32_t u : chars) {
    const unsigned code = jis && u <= 0xFFFF ? SJIS_FromUnicode(static_cast<uint16_t>(u)) : u;
    ApplyCode(pFont, code, u, pReport);
  }
}

}  // namespace

std::string INPUT_ApplyPattern(Font* pFont, const std::string& image) {
  MissingReport report(pFont);
  const auto* p = reinterpret_cast<const unsigned char*>(image.data());
  const size_t n = image.size();
  std::vector<uint32_t> chars;
  // UTF-8: after its mark, or without a mark when the text holds no zero byte (as
  // UTF-16 text of Latin letters does) and is valid UTF-8 throughout.
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    DecodeUtf8(image.data() + 3, n - 3, false, &chars);
    ApplyUtf8(pFont, chars, &report);
    return report.Text();
  }
  if (image.find('\0') == std::string::npos && DecodeUtf8(image.data(), n, true, &chars)) {
    ApplyUtf8(pFont, chars, &report);
    return report.Text();
  }
  if (pFont->Encoding == ENCODING_JIS) {
    for (size_t i = 0; i < n; ++i) {
      if (p[i] < 0x80) {
        ApplyCode(pFont, p[i], &report);
      } else if (i + 1 < n) {
        ApplyCode(pFont, p[i] * 256u + p[i + 1], &report);
        ++i;
      }
    }
    return report.Text();
  }
  // The first unit is the mark (or taken as one): it only decides the byte order.
  const bool bigEndian = n >= 2 && p[0] == 0xFE && p[1] == 0xFF;
  for (size_t i = 2; i < n; i += 2) {
    const unsigned first = p[i], second = i + 1 < n ? p[i + 1] : 0;
    ApplyCode(pFont, bigEndian ? first * 256u + second : second * 256u + first, &report);
  }
  return report.Text();
}

int INPUT_ReadPattern(Font* pFont, const char* path) {
  JOURNAL_AddLine("* Read pattern file: %s", path);
  std::string image;
  // Only a regular file is read: a FIFO or a device would block or never end.
  if (INPUT_ReadRegularFile(path, &image) != INPUT_READ_OK) {
    ReportMessage("Could not open file!");
    return 1;
  }
  const std::string report = INPUT_ApplyPattern(pFont, image);
  // Any character of the font may have been enabled or disabled.
  SERVICES_Get()->FontChanged(ChangeNotice{0, pFont->NumBlocks * 16 - 1, CHANGE_ENABLED});
  if (!report.empty()) ReportMessage(report.c_str());
  return 0;
}

std::string INPUT_FormatPattern(const Font* pFont) {
  std::string image = "\xFF\xFE";
  int lastGroup = -1;
  const int numCodes = pFont->NumBlocks * 16;
  for (int code = 0; code < numCodes; ++code) {
    if (!pFont->aCharInfo[code].Enabled) continue;
    if (lastGroup >= 0 && code / 16 != lastGroup) image += std::string("\r\0\n\0", 4);
    lastGroup = code / 16;
    image += static_cast<char>(code & 0xFF);
    image += static_cast<char>(code >> 8);
  }
  return image;
}

int INPUT_SavePattern(const Font* pFont, const char* path) {
  struct stat st;
  if (stat(path, &st) == 0 && !SERVICES_Get()->AskYesNo("Overwrite existing file?")) return 1;
  JOURNAL_AddLine("* Save pattern file: %s", path);
  return FILES_WriteAtomic(path, INPUT_FormatPattern(pFont)) ? 0 : 1;
}
