// -createFONTNAME,STYLE,HEIGHT,TYPE,ENCODING[,METHOD]: generates a new current font
// from an installed face (or, failing an installed face of exactly that name, from
// a .ttf, .otf or .ttc file of that path).
#include <cstdio>
#include <cstring>
#include <string>

#include "cmdline/internal/commands.h"
#include "model/current.h"
#include "cmdline/internal/fontfile.h"
#include "cmdline/internal/readers.h"
#include "generation/generate.h"
#include "settings/messages.h"

namespace {

const char* const kStyles[] = {
    "THIN",      "THIN_ITALIC",      "EXTRALIGHT", "EXTRALIGHT_ITALIC", "LIGHT",     "LIGHT_ITALIC",
    "REGULAR",   "REGULAR_ITALIC",   "MEDIUM",     "MEDIUM_ITALIC",     "SEMIBOLD",  "SEMIBOLD_ITALIC",
    "BOLD",      "BOLD_ITALIC",      "EXTRABOLD",  "EXTRABOLD_ITALIC",  "HEAVY",     "HEAVY_ITALIC",
    nullptr};
const char* const kTypes[] = {"STD", "AA2", "AA4", "EXT", "EXT_FRM", "EXT_AA2", "EXT_AA4", nullptr};
const char* const kEncodings[] = {"UC16", "ISO8859", "JIS", nullptr};
const char* const kMethods[] = {"OS", "INTERNAL", nullptr};

// W<digits>I<0|1>: at most nine digits; what follows the italic digit is ignored.
bool ParseWeightStyle(const char* style, int32_t* pWeight, int32_t* pItalic) {
  const char* p = style + 1;
  int32_t weight = 0;
  int digits = 0;
  for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
    if (digits == 9) return false;  // longer runs are refused rather than overflowing
    weight = weight * 10 + (*p - '0');
  }
  if (digits == 0 || *p != 'I' || (p[1] != '0' && p[1] != '1')) return false;
  *pWeight = weight;
  *pItalic = p[1] - '0';
  return true;
}

constexpr int32_t kMaxHeight = 0xFFFF;

void ReportIllegal(const char* value) {
  char text[260];
  std::snprintf(text, sizeof(text), "Illegal option: %s", value);
  ReportMessage(text);
}

void ReportHeight(int32_t height) {
  char text[16];
  std::snprintf(text, sizeof(text), "%d", height);
  ReportIllegal(text);
}

}  // namespace

void CMD_Create() {
  char name[200];
  CMDLINE_GetString(name, sizeof(name));
  if (CMDLINE_ExpectSeparator(',')) return;
  std::string face = name;
  if (!GENERATE_IsFaceInstalled(name) && !(CMD_IsFontFileName(name) && CMD_UseFontFile(name, &face))) {
    ReportMessage("Font does not exist");
    return;
  }

  char style[200];
  CMDLINE_GetString(style, sizeof(style));
  if (CMDLINE_ExpectSeparator(',')) return;
  int32_t weight, italic;
  if (style[0] == 'W') {
    if (!ParseWeightStyle(style, &weight, &italic)) {
      ReportIllegal(style);
      return;
    }
  } else {
    const int p = CMDLINE_FindOption(style, kStyles);
    if (!p) return;
    weight = (p + 1) / 2 * 100;
    italic = p % 2 == 0;
  }

  const int32_t height = CMDLINE_GetDecValue();
  if (CMDLINE_ExpectSeparator(',')) return;
  char word[200];
  CMDLINE_GetString(word, sizeof(word));
  if (CMDLINE_ExpectSeparator(',')) return;
  const int type = CMDLINE_FindOption(word, kTypes);
  if (!type) return;
  CMDLINE_GetString(word, sizeof(word));
  if (CMDLINE_GetError()) return;
  const int encoding = CMDLINE_FindOption(word, kEncodings);
  if (!encoding) return;
  if (FONT_IsExtendedType(type - 1) && encoding - 1 != ENCODING_UC16) {
    ReportMessage("Extended fonts can only be created using Unicode encoding.");
    return;
  }
  int method = 1;
  if (!CMDLINE_ReadCharIsNot(',')) {
    CMDLINE_GetString(word, sizeof(word));
    if (CMDLINE_GetError()) return;
    method = CMDLINE_FindOption(word, kMethods);
    if (!method) return;
  }

  // A font file holds heights of 16 bits: a larger height is refused before any
  // work, as is a font whose em size gives more rows than that.
  if (height < -kMaxHeight || height > kMaxHeight) {
    ReportHeight(height);
    return;
  }

  LogFontRecord record;
  record.Height = height;
  record.Weight = weight;
  record.Italic = static_cast<uint8_t>(italic);
  record.CharSet = 1;  // the default character set
  std::snprintf(record.acFaceName, sizeof(record.acFaceName), "%s", face.c_str());
  FontPtr font = FONT_CreateFromLogFont(&record, type - 1, encoding - 1, method - 1, face.c_str());
  if (font && font->Height > kMaxHeight) {
    ReportHeight(height);
    return;
  }
  if (font) FONT_SetCurrent(std::move(font));
}
