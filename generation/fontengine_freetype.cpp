// The font engine on FreeType 2, with fontconfig finding the installed faces.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iconv.h>

#include "generation/fontengine.h"

struct EngineFont {
  FT_Face Face = nullptr;
  std::string File;
  int32_t Index = 0;
  EngineTextMetrics Metrics{};
  double Ppem = 0;
  int32_t BoldPixels = 0;  // synthetic bold: extra width of every glyph
  bool Oblique = false;    // synthetic oblique
  bool SymbolMap = false;  // the selected character map is the Windows symbol one
  uint32_t aByteToUnicode[256] = {};
  std::vector<uint8_t> GreyLevels;  // 65-level copy of the last grey glyph
};

namespace {

// One FreeType library for the run, released after the last font.
class Library {
 public:
  ~Library() {
    if (library_) FT_Done_FreeType(library_);
  }
  FT_Library Get() {
    if (!library_ && FT_Init_FreeType(&library_)) library_ = nullptr;
    return library_;
  }

 private:
  FT_Library library_ = nullptr;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

struct FcPatternFree {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetFree {
  void operator()(FcFontSet* p) const { FcFontSetDestroy(p); }
};
struct FcObjectSetFree {
  void operator()(FcObjectSet* p) const { FcObjectSetDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, FcPatternFree>;
using FontSetPtr = std::unique_ptr<FcFontSet, FcFontSetFree>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetFree>;

// The configuration, with the fonts added by the process, is released at exit.
bool InitFontconfig() {
  static const bool ok = FcInit() && std::atexit(FcFini) == 0;
  return ok;
}

// All installed scalable fonts, with the properties asked for.
FontSetPtr ListScalable(const char* pFamily) {
  if (!InitFontconfig()) return nullptr;
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (pFamily) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(pFamily));
  ObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                                        nullptr));
  return FontSetPtr(FcFontList(nullptr, pattern.get(), objects.get()));
}

bool HasFamily(FcPattern* pFont, const char* pFamily) {
  FcChar8* pName = nullptr;
  for (int i = 0; FcPatternGetString(pFont, FC_FAMILY, i, &pName) == FcResultMatch; i++)
    if (std::strcmp(reinterpret_cast<const char*>(pName), pFamily) == 0) return true;
  return false;
}

int GetInt(FcPattern* pFont, const char* pObject, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pFont, pObject, 0, &value);
  return value;
}

struct FaceChoice {
  std::string File;
  int Index = 0;
  int Weight = 400;  // OpenType weight class of the face
  bool Italic = false;
};

FaceChoice ChoiceOf(FcPattern* pFont) {
  FaceChoice choice;
  FcChar8* pFile = nullptr;
  if (FcPatternGetString(pFont, FC_FILE, 0, &pFile) == FcResultMatch)
    choice.File = reinterpret_cast<const char*>(pFile);
  choice.Index = GetInt(pFont, FC_INDEX, 0);
  choice.Weight = FcWeightToOpenType(GetInt(pFont, FC_WEIGHT, FC_WEIGHT_REGULAR));
  choice.Italic = GetInt(pFont, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  return choice;
}

// The face of the family that suits the request best: normal width first, then
// the slant, then the nearest weight (on a tie the heavier one for bold requests).
bool ChooseInFamily(const EngineFontRequest& request, int weight, FaceChoice* pChoice) {
  FontSetPtr set = ListScalable(request.pFaceName);
  if (!set) return false;
  FcPattern* pBest = nullptr;
  long bestScore = 0;
  for (int i = 0; i < set->nfont; i++) {
    FcPattern* pFont = set->fonts[i];
    if (!HasFamily(pFont, request.pFaceName)) continue;
    const int width = GetInt(pFont, FC_WIDTH, FC_WIDTH_NORMAL);
    const bool italic = GetInt(pFont, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
    const int faceWeight = FcWeightToOpenType(GetInt(pFont, FC_WEIGHT, FC_WEIGHT_REGULAR));
    // On a tie, the heavier face for weights above regular, else the lighter one.
    const int weightDistance =
        std::abs(faceWeight - weight) * 2 + (weight > 400 ? faceWeight < weight : faceWeight > weight);
    const long score = std::abs(width - FC_WIDTH_NORMAL) * 100000L +
                       (italic != (request.Italic != 0)) * 10000L + weightDistance;
    if (!pBest || score < bestScore) {
      pBest = pFont;
      bestScore = score;
    }
  }
  if (!pBest) return false;
  *pChoice = ChoiceOf(pBest);
  return true;
}

// What fontconfig substitutes for a family that is not installed.
bool ChooseSubstitute(const EngineFontRequest& request, int weight, FaceChoice* pChoice) {
  if (!InitFontconfig()) return false;
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(request.pFaceName));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return false;
  *pChoice = ChoiceOf(match.get());
  return !pChoice->File.empty();
}

// The vertical extent the cell height is measured by, in font units: the Windows
// ascent and descent of the OS/2 table, else the hhea ones.
void CellExtent(FT_Face face, long* pAscent, long* pDescent) {
  const auto* pOs2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* pHhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (pOs2 && pOs2->version != 0xFFFF && pOs2->usWinAscent + pOs2->usWinDescent > 0) {
    *pAscent = pOs2->usWinAscent;
    *pDescent = pOs2->usWinDescent;
  } else if (pHhea && pHhea->Ascender - pHhea->Descender > 0) {
    *pAscent = pHhea->Ascender;
    *pDescent = -pHhea->Descender;
  } else if (face->ascender - face->descender > 0) {
    *pAscent = face->ascender;
    *pDescent = -face->descender;
  } else {
    *pAscent = face->units_per_EM * 4 / 5;
    *pDescent = face->units_per_EM - *pAscent;
  }
}

// Scales the face for the requested height and fills the text metrics.
bool ApplySize(EngineFont* pFont, int32_t height, bool bold) {
  FT_Face face = pFont->Face;
  const double unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
  long ascent, descent;
  CellExtent(face, &ascent, &descent);
  if (height == 0) height = 16;
  double ppem;
  EngineTextMetrics& m = pFont->Metrics;
  if (height > 0) {
    ppem = height * unitsPerEm / double(ascent + descent);
    m.Ascent = int32_t(std::lround(double(ascent) * height / double(ascent + descent)));
    m.Descent = height - m.Ascent;
  } else {
    ppem = -double(height);
    m.Ascent = int32_t(std::lround(ascent * ppem / unitsPerEm));
    m.Descent = int32_t(std::lround(descent * ppem / unitsPerEm));
  }
  m.Height = m.Ascent + m.Descent;
  pFont->Ppem = ppem;
  if (FT_IS_SCALABLE(face)) {
    if (FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(ppem * 64)), 72, 72)) return false;
  } else if (face->num_fixed_sizes > 0) {
    FT_Select_Size(face, 0);
  }
  // Synthetic bold widens every glyph by about 1/32 em, at least one pixel.
  pFont->BoldPixels = bold ? std::max(1, int(std::lround(ppem / 32))) : 0;
  m.MaxCharWidth = int32_t(std::lround(face->max_advance_width * ppem / unitsPerEm)) + pFont->BoldPixels;
  return true;
}

const char* CodePageOf(int32_t charSet) {
  switch (charSet) {
    case 77: return "MACINTOSH";
    case 128: return "CP932";
    case 129: return "CP949";
    case 130: return "JOHAB";
    case 134: return "CP936";
    case 136: return "CP950";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 163: return "CP1258";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 222: return "CP874";
    case 238: return "CP1250";
    case 255: return "CP437";
    case ENGINE_SYMBOL_CHARSET: return nullptr;
    default: return "CP1252";
  }
}

// Bytes 0x80..0xFF through the code page; bytes it leaves undefined (and all of
// the symbol set) stand for themselves.
void FillCodePage(EngineFont* pFont, int32_t charSet) {
  for (uint32_t b = 0; b < 256; b++) pFont->aByteToUnicode[b] = b;
  const char* pCodePage = CodePageOf(charSet);
  if (!pCodePage) return;
  iconv_t cd = iconv_open("UTF-32LE", pCodePage);
  if (cd == iconv_t(-1)) return;
  for (uint32_t b = 0x80; b < 256; b++) {
    char in = char(b);
    unsigned char out[4] = {};
    char* pIn = &in;
    char* pOut = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = 4;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &pIn, &inLeft, &pOut, &outLeft) != size_t(-1) && outLeft == 0) {
      const uint32_t u = out[0] | out[1] << 8 | out[2] << 16 | uint32_t(out[3]) << 24;
      if (u <= 0xFFFF) pFont->aByteToUnicode[b] = u;
    }
  }
  iconv_close(cd);
}

void SelectCharMap(EngineFont* pFont) {
  FT_Face face = pFont->Face;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) return;
  if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0) {
    pFont->SymbolMap = true;
    return;
  }
  if (face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
}

FT_UInt GlyphIndex(const EngineFont* pFont, uint32_t unicode) {
  FT_UInt index = FT_Get_Char_Index(pFont->Face, unicode);
  // A symbol font answers for the low bytes in its private-use copy.
  if (index == 0 && pFont->SymbolMap && unicode < 0x100)
    index = FT_Get_Char_Index(pFont->Face, 0xF000 + unicode);
  return index;
}

int Round26(FT_Pos value) { return int((value + 32) >> 6); }

}  // namespace

void EngineFontCloser::operator()(EngineFont* pFont) const {
  if (!pFont) return;
  if (pFont->Face) FT_Done_Face(pFont->Face);
  std::default_delete<EngineFont>()(pFont);
}

std::vector<std::string> ENGINE_ListFaces() {
  std::vector<std::string> names;
  FontSetPtr set = ListScalable(nullptr);
  if (!set) return names;
  for (int i = 0; i < set->nfont; i++) {
    FcChar8* pName = nullptr;
    for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &pName) == FcResultMatch; n++)
      names.emplace_back(reinterpret_cast<const char*>(pName));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

bool ENGINE_FaceExists(const char* pFaceName) {
  if (!pFaceName || !*pFaceName) return false;
  FontSetPtr set = ListScalable(pFaceName);
  if (!set) return false;
  for (int i = 0; i < set->nfont; i++)
    if (HasFamily(set->fonts[i], pFaceName)) return true;
  return false;
}

int ENGINE_AddFontFile(const char* pPath) {
  if (!InitFontconfig()) return 1;
  return FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(pPath)) ? 0 : 1;
}

EngineFontPtr ENGINE_OpenFont(const EngineFontRequest& request) {
  FT_Library library = TheLibrary().Get();
  if (!library) return nullptr;
  const int weight = request.Weight > 0 ? std::min<int>(request.Weight, 1000) : 400;
  FaceChoice choice;
  if (!ChooseInFamily(request, weight, &choice) && !ChooseSubstitute(request, weight, &choice))
    return nullptr;
  EngineFontPtr font(std::make_unique<EngineFont>().release());
  if (FT_New_Face(library, choice.File.c_str(), choice.Index, &font->Face)) {
    font->Face = nullptr;
    return nullptr;
  }
  font->File = choice.File;
  font->Index = choice.Index;
  const bool bold = weight >= 600 && choice.Weight + 200 <= weight;
  font->Oblique = request.Italic && !choice.Italic;
  if (!ApplySize(font.get(), request.Height, bold)) return nullptr;
  SelectCharMap(font.get());
  FillCodePage(font.get(), request.CharSet);
  return font;
}

void ENGINE_GetTextMetrics(const EngineFont* pFont, EngineTextMetrics* pMetrics) {
  *pMetrics = pFont->Metrics;
}

void ENGINE_GetFaceInfo(const EngineFont* pFont, EngineFaceInfo* pInfo) {
  *pInfo = EngineFaceInfo{pFont->File, pFont->Index, pFont->BoldPixels, pFont->Oblique, pFont->Ppem};
}

uint32_t ENGINE_GetFontData(const EngineFont* pFont, uint32_t tag, uint32_t offset,
                            void* pBuffer, uint32_t count) {
  FT_ULong length = 0;
  if (FT_Load_Sfnt_Table(pFont->Face, tag, 0, nullptr, &length) || offset >= length) return 0;
  FT_ULong n = std::min<FT_ULong>(count, length - offset);
  if (n == 0 || FT_Load_Sfnt_Table(pFont->Face, tag, offset, static_cast<FT_Byte*>(pBuffer), &n))
    return 0;
  return uint32_t(n);
}

uint32_t ENGINE_ByteToUnicode(const EngineFont* pFont, uint8_t byte) {
  return pFont->aByteToUnicode[byte];
}

int ENGINE_GetGlyph(EngineFont* pFont, uint32_t unicode, GlyphFormat format,
                    GlyphMetrics* pMetrics, GlyphBitmap* pBitmap) {
  *pMetrics = GlyphMetrics{1, 1, 0, 0, 0};
  if (pBitmap) *pBitmap = GlyphBitmap{};
  FT_Face face = pFont->Face;
  const bool synthetic = pFont->BoldPixels > 0 || pFont->Oblique;
  FT_Int32 flags = FT_LOAD_NO_BITMAP | (format == GLYPH_MONO ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (!synthetic) flags |= FT_LOAD_RENDER;
  if (FT_Load_Glyph(face, GlyphIndex(pFont, unicode), flags)) return 1;
  FT_GlyphSlot slot = face->glyph;
  if (synthetic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (pFont->Oblique) {
      const FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
      FT_Outline_Transform(&slot->outline, &shear);
    }
    // Grows to the right, as an overstruck copy one step right would.
    if (pFont->BoldPixels > 0) FT_Outline_EmboldenXY(&slot->outline, FT_Pos(pFont->BoldPixels) * 64, 0);
  }
  // The mono renderer gives an empty outline a blank pixel; it stays empty here.
  const bool empty = slot->metrics.width == 0 || slot->metrics.height == 0;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, format == GLYPH_MONO ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL))
    return 1;
  const FT_Bitmap& bitmap = slot->bitmap;
  pMetrics->CellIncX = Round26(slot->advance.x) + pFont->BoldPixels;
  if (empty || bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer) return 0;
  pMetrics->BlackBoxX = int32_t(bitmap.width);
  pMetrics->BlackBoxY = int32_t(bitmap.rows);
  pMetrics->OriginX = slot->bitmap_left;
  pMetrics->OriginY = slot->bitmap_top;
  if (!pBitmap) return 0;
  pBitmap->Width = int32_t(bitmap.width);
  pBitmap->Rows = int32_t(bitmap.rows);
  pBitmap->Format = format;
  if (format == GLYPH_MONO) {
    pBitmap->pBits = bitmap.buffer;
    pBitmap->Pitch = bitmap.pitch;
    return 0;
  }
  // 256 coverage values to 65 levels, rounded.
  pFont->GreyLevels.resize(size_t(bitmap.width) * bitmap.rows);
  for (unsigned y = 0; y < bitmap.rows; y++) {
    const uint8_t* pSrc = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    uint8_t* pDst = pFont->GreyLevels.data() + size_t(y) * bitmap.width;
    for (unsigned x = 0; x < bitmap.width; x++) pDst[x] = uint8_t((pSrc[x] * 64 + 127) / 255);
  }
  pBitmap->pBits = pFont->GreyLevels.data();
  pBitmap->Pitch = int32_t(bitmap.width);
  return 0;
}
