// The C source writer: banner, one pixel array per character, the character-info
// table, the chain of ranges and the GUI_FONT record. Lines end with CR LF.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/codetables.h"
#include "model/font.h"
#include "output/cbanner.h"
#include "output/flashsize.h"
#include "output/internal/outbuf.h"
#include "output/internal/pack.h"
#include "output/internal/ranges.h"
#include "output/save.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

const char* const kTypeNames[] = {
    "GUI_FONTTYPE_PROP",     "GUI_FONTTYPE_PROP_AA2", "GUI_FONTTYPE_PROP_AA4",     "GUI_FONTTYPE_PROP_EXT",
    "GUI_FONTTYPE_PROP_FRM", "GUI_FONTTYPE_PROP_AA2_EXT", "GUI_FONTTYPE_PROP_AA4_EXT",
};

const char kHex[] = "0123456789ABCDEF";

struct Context {
  Font* pFont;
  const Settings* pSettings;
  const char* Qualifier;
  const char* Cast;
  std::string FontName;
  bool Extended;
  std::vector<uint16_t> Codes;  // the saved codes, ascending
};

// ", NAME" for a UC16 font's character that has a Unicode name.
void AppendNameComment(const Font* pFont, uint16_t code, std::string* pText) {
  if (pFont->Encoding != ENCODING_UC16) return;
  const char* name = UNICODE_GetCharName(code);
  if (!name || !*name) return;
  *pText += ", ";
  *pText += name;
}

// Rows of X and _ (1 bpp): 'last' ends the array.
void BitRows(const Context& cx, uint16_t code, const WrittenChar& wc, int plane, bool last, uint8_t* pRow,
             std::string* pText) {
  const size_t rowBytes = static_cast<size_t>(wc.RowBytes);
  for (int32_t y = 0; y < wc.Rows; ++y) {
    OUT_PackRow(cx.pFont, code, *cx.pSettings, wc, y, plane, pRow);
    // "  " and 8 characters per byte, a comma between bytes.
    const size_t at = pText->size();
    pText->resize(at + 2 + 9 * rowBytes);
    char* p = pText->data() + at;
    *p++ = ' ';
    *p++ = ' ';
    for (size_t i = 0; i < rowBytes; ++i) {
      if (i) *p++ = ',';
      for (int bit = 7; bit >= 0; --bit) *p++ = (pRow[i] >> bit & 1) ? 'X' : '_';
    }
    pText->resize(static_cast<size_t>(p - pText->data()));
    *pText += (last && y == wc.Rows - 1) ? "};\r\n\r\n" : ",\r\n";
  }
}

// " 0xHH," for every byte value, padded to eight bytes so that each is stored with
// one copy.
struct HexBytes {
  char aText[256][8];
  HexBytes() {
    for (int b = 0; b < 256; ++b) {
      const char text[8] = {' ', '0', 'x', kHex[b >> 4], kHex[b & 15], ',', 0, 0};
      std::memcpy(aText[b], text, 8);
    }
  }
};
const HexBytes kHexBytes;

// Rows of packed bytes in hex (2 and 4 bpp).
void HexRows(const Context& cx, uint16_t code, const WrittenChar& wc, uint8_t* pRow, std::string* pText) {
  const size_t rowBytes = static_cast<size_t>(wc.RowBytes);
  // " " and " 0xHH," per byte, CR LF between rows; the very last byte of the array
  // has no comma. Each copy writes two bytes past its six, which the next copy or
  // the row's CR LF overwrites.
  const size_t at = pText->size();
  pText->resize(at + static_cast<size_t>(wc.Rows) * (1 + 6 * rowBytes + 2));
  char* p = pText->data() + at;
  for (int32_t y = 0; y < wc.Rows; ++y) {
    OUT_PackRow(cx.pFont, code, *cx.pSettings, wc, y, 0, pRow);
    *p++ = ' ';
    for (size_t i = 0; i < rowBytes; ++i, p += 6) std::memcpy(p, kHexBytes.aText[pRow[i]], 8);
    p[0] = '\r';
    p[1] = '\n';
    p += 2;
  }
  // The last row ends without its comma and its line break.
  if (wc.Rows > 0) p -= rowBytes ? 3 : 2;
  pText->resize(static_cast<size_t>(p - pText->data()));
  *pText += "\r\n};\r\n\r\n";
}

// A number as "%*i" prints it: right-aligned in 'width' characters at least.
void AppendInt(std::string* pText, int32_t value, int width) {
  char digits[12];
  int n = 0;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) digits[n++] = '-';
  for (int pad = width - n; pad > 0; --pad) *pText += ' ';
  while (n) *pText += digits[--n];
}

// A code as "%04X" prints it.
void AppendHex4(std::string* pText, uint16_t code) {
  const char hex[4] = {kHex[code >> 12], kHex[code >> 8 & 15], kHex[code >> 4 & 15], kHex[code & 15]};
  pText->append(hex, 4);
}

// Appends the pixel array of a saved character (one with a width).
void AppendBitmap(const Context& cx, uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) {
  const Font* pFont = cx.pFont;
  if (FONT_Has16BitCodes(pFont) && pFont->Encoding == ENCODING_JIS) {
    const char* name = SJIS_GetCharName(code);
    OUT_AppendF(pText, "/* %s */\r\n", name && *name ? name : "no Shift_JIS name");
  }
  WrittenChar wc;
  OUT_GetWrittenChar(pFont, code, *cx.pSettings, &wc);
  const int32_t size = static_cast<int32_t>(OUT_CArrayBytes(pFont, wc));
  *pText += "static ";
  *pText += cx.Qualifier;
  *pText += " unsigned char ac";
  *pText += cx.FontName;
  *pText += '_';
  AppendHex4(pText, code);
  *pText += '[';
  AppendInt(pText, size, 3);
  *pText += "] = { /* code ";
  AppendHex4(pText, code);
  AppendNameComment(pFont, code, pText);
  *pText += " */\r\n";
  pRow->resize(static_cast<size_t>(wc.RowBytes));
  if (FONT_GetBitsPerPixel(pFont->Type) > 1) {
    HexRows(cx, code, wc, pRow->data(), pText);
  } else {
    const bool frame = pFont->Type == FONTTYPE_EXT_FRM;
    BitRows(cx, code, wc, 0, !frame, pRow->data(), pText);
    if (frame) BitRows(cx, code, wc, 1, true, pRow->data(), pText);
  }
}

// The pixel arrays of the enabled codes, rendering what is still pending of them
// as they are formatted. Each Unicode area is announced where the saved characters
// enter it. Leaves the saved codes in cx.Codes.
void Bitmaps(Context& cx, const std::vector<uint16_t>& enabled) {
  const bool unicodeAreas = FONT_Has16BitCodes(cx.pFont) && cx.pFont->Encoding == ENCODING_UC16;
  int32_t lastArea = -1;
  cx.Codes.clear();
  cx.Codes.reserve(enabled.size());
  OUT_WriteRenderingChars(
      cx.pFont, enabled.data(), enabled.size(),
      [&cx](uint16_t code, std::vector<uint8_t>* pRow, std::string* pText) { AppendBitmap(cx, code, pRow, pText); },
      [&](uint16_t code, size_t) {
        if (unicodeAreas) {
          const int32_t area = FONT_GetBlockArea(cx.pFont, code >> 4);
          if (area >= 0 && area != lastArea) {
            OUT_Printf("/* Start of unicode area <%s> */\r\n", FONT_GetBlockAreaName(cx.pFont, code >> 4));
            lastArea = area;
          }
        }
        cx.Codes.push_back(code);
        return true;
      });
}

// The character-info entries of codes[begin..end-1].
void CharInfos(const Context& cx, size_t begin, size_t end, std::string* pText) {
  const char* name = cx.FontName.c_str();
  for (size_t i = begin; i < end; ++i) {
    const uint16_t code = cx.Codes[i];
    WrittenChar wc;
    OUT_GetWrittenChar(cx.pFont, code, *cx.pSettings, &wc);
    *pText += i == 0 ? "   { " : "  ,{ ";
    if (cx.Extended) {
      for (int32_t value : {wc.Width, wc.Rows, wc.XPos, wc.YPos, wc.XDist}) {
        AppendInt(pText, value, 3);
        *pText += ", ";
      }
    } else {
      AppendInt(pText, wc.Width, 3);
      *pText += ", ";
      AppendInt(pText, wc.Width, 3);
      *pText += ", ";
      AppendInt(pText, wc.RowBytes, 2);
      *pText += ", ";
    }
    *pText += cx.Cast;
    *pText += "ac";
    *pText += name;
    *pText += '_';
    AppendHex4(pText, code);
    *pText += " } /* code ";
    AppendHex4(pText, code);
    if (cx.Extended) AppendNameComment(cx.pFont, code, pText);
    *pText += " */\r\n";
  }
}

void CharInfoTable(Context& cx, const RangeList& ranges) {
  OUT_Printf("static %s %s %s_CharInfo[%u] = {\r\n", cx.Qualifier,
             cx.Extended ? "GUI_CHARINFO_EXT" : "GUI_CHARINFO", cx.FontName.c_str(), ranges.NumCodes);
  OUT_WritePieces(cx.Codes, false, [&cx](const std::vector<uint16_t>&, size_t begin, size_t end, std::string* pText) {
    CharInfos(cx, begin, end, pText);
  });
  OUT_WriteString("};\r\n\r\n");
}

void RangeChain(Context& cx, const RangeList& ranges) {
  const char* name = cx.FontName.c_str();
  const char* recordType = cx.Extended ? "GUI_FONT_PROP_EXT" : "GUI_FONT_PROP";
  std::string next = cx.pSettings->V350_Compatibility
                         ? std::string(cx.Cast) + "0"
                         : std::string("(GUI_CONST_STORAGE ") + recordType + " *)0";
  uint32_t index = ranges.NumCodes;
  for (size_t r = ranges.aRange.size(); r >= 1; --r) {
    const CodeRange& range = ranges.aRange[r - 1];
    index -= static_cast<uint32_t>(range.Last - range.First + 1);
    OUT_Printf("static %s %s %s_Prop%zu = {\r\n   0x%04X /* first character */\r\n"
               "  ,0x%04X /* last character  */\r\n  ,&%s_CharInfo[%3u] /* address of first character */\r\n"
               "  ,%s /* pointer to next %s */\r\n};\r\n\r\n",
               cx.Qualifier, recordType, name, r, range.First, range.Last, name, index, next.c_str(), recordType);
    next = "&" + cx.FontName + "_Prop" + std::to_string(r);
  }
}

void FontRecord(Context& cx) {
  Font* pFont = cx.pFont;
  const Settings& settings = *cx.pSettings;
  const uint16_t baseline = static_cast<uint16_t>(pFont->Baseline);
  uint16_t lowercase = 0, capital = 0;
  if (FONT_CharExists(pFont, settings.LowercaseChar) && FONT_CharExists(pFont, settings.CapitalChar)) {
    lowercase = static_cast<uint16_t>(FONT_GetLowercaseHeight(pFont, settings));
    capital = static_cast<uint16_t>(FONT_GetCapitalHeight(pFont, settings));
  } else if (pFont->HeightsKnown) {
    lowercase = static_cast<uint16_t>(pFont->LowercaseHeightRead);
    capital = static_cast<uint16_t>(pFont->CapitalHeightRead);
  }
  std::string typeName = kTypeNames[pFont->Type];
  if (pFont->Encoding == ENCODING_JIS) typeName += "_SJIS";
  const int32_t height = pFont->Height * OUT_MagY(settings);
  OUT_Printf("%s GUI_FONT %s = {\r\n   %s /* type of font    */\r\n  ,%i /* height of font  */\r\n"
             "  ,%i /* space of font y */\r\n  ,%i /* magnification x */\r\n  ,%i /* magnification y */\r\n",
             cx.Qualifier, cx.FontName.c_str(), typeName.c_str(), height, height, 1, 1);
  if (settings.V350_Compatibility) {
    OUT_Printf("  ,%s&%s_Prop1\r\n", cx.Cast, cx.FontName.c_str());
  } else {
    OUT_Printf("  ,%s{&%s_Prop1}\r\n  ,%i /* Baseline */\r\n  ,%i /* Height of lowercase characters */\r\n"
               "  ,%i /* Height of capital characters */\r\n",
               cx.Cast, cx.FontName.c_str(), baseline, lowercase, capital);
  }
  OUT_WriteString("};\r\n\r\n");
}

}  // namespace

int FONT_WriteC(Font* pFont, const Settings& settings) {
  Context cx{pFont, &settings, "GUI_CONST_STORAGE", "", {}, FONT_IsExtendedType(pFont->Type), {}};
  if (settings.V350_Compatibility) {
    cx.Qualifier = "GUI_FLASH const";
    cx.Cast = "(void GUI_FLASH *)";
  }
  char fileName[500];
  if (!FONT_GetFileName(pFont, fileName, sizeof(fileName))) fileName[0] = 0;
  // The characters still pending are rendered while the file is written, unless
  // the renderer cannot do so on the worker threads: then all are rendered first.
  RangeList ranges;
  ChangeNotice pending;
  const bool renderWhileWriting = OUT_PrepareRenderingWhileWriting(pFont, false, &ranges, &pending);
  if (!renderWhileWriting && !OUT_PrepareSave(pFont, &ranges)) return 1;
  cx.FontName = OUT_DeriveFontName(fileName, pFont->acFontName);

  if (pFont->pHeader) {
    OUT_WriteKeptBanner(pFont->pHeader.get(), settings);
  } else {
    char face[64];
    if (!FONT_GetFaceName(pFont, face, sizeof(face))) face[0] = 0;
    OUT_WriteNewBanner(OUT_SourceFileName(fileName), face, pFont->Height * OUT_MagY(settings), settings);
  }
  OUT_WriteString("*/\r\n\r\n#include \"GUI.h\"\r\n\r\n");
  OUT_WriteString(settings.V350_Compatibility ? "#ifndef GUI_FLASH\r\n  #define GUI_FLASH\r\n#endif\r\n\r\n"
                                              : "#ifndef GUI_CONST_STORAGE\r\n  #define GUI_CONST_STORAGE const\r\n"
                                                "#endif\r\n\r\n");
  OUT_Printf("/* The following line needs to be included in any file selecting the\r\n   font.\r\n*/\r\n"
             "extern %s GUI_FONT %s;\r\n\r\n",
             cx.Qualifier, cx.FontName.c_str());
  Bitmaps(cx, OUT_ListCodes(ranges));
  if (renderWhileWriting) {
    // Characters that came out without a width are disabled now: the ranges are
    // those of the saved ones. With none left there is nothing to save.
    FONT_EndWorkerRendering(pFont, pending);
    OUT_BuildRangeList(pFont, &ranges);
    if (ranges.aRange.empty()) {
      ReportMessage("Nothing to save!");
      return 1;
    }
  }
  CharInfoTable(cx, ranges);
  RangeChain(cx, ranges);
  FontRecord(cx);
  return 0;
}
