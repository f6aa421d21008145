// The font engine on FreeType 2, with fontconfig finding the installed faces.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iconv.h>

#include "generation/internal/fcquery.h"
#include "generation/fontengine.h"

struct EngineFont {
  FT_Face Face = nullptr;
  FT_Library OwnLibrary = nullptr;  // a copy's own library (ENGINE_CopyFont); null: the shared one
  FT_F26Dot6 Em64 = 0;              // the em the face was set to; 0: its first fixed size
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

// The configuration, with the fonts added by the process, is released at exit.
bool InitFontconfig() {
  static const bool ok = FcInit() && std::atexit(FcFini) == 0;
  return ok;
}

// All installed scalable fonts, with the properties asked for.
FcFontSetPtr ListScalable(const char* pFamily) {
  if (!InitFontconfig()) return nullptr;
  return ENGINE_FcListScalable(pFamily, {FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH});
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
  choice.Index = ENGINE_FcGetInt(pFont, FC_INDEX, 0);
  choice.Weight = FcWeightToOpenType(ENGINE_FcGetInt(pFont, FC_WEIGHT, FC_WEIGHT_REGULAR));
  choice.Italic = ENGINE_FcGetInt(pFont, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  return choice;
}

// The faces of the family, the one that suits the request best first: normal
// width first, then the slant, then the nearest weight (on a tie the heavier one
// for bold requests, else the lighter one). Faces of equal rank keep fontconfig's
// order. Empty when no installed face carries the family name.
std::vector<FaceChoice> RankInFamily(const EngineFontRequest& request, int weight) {
  std::vector<FaceChoice> faces;
  FcFontSetPtr set = ListScalable(request.pFaceName);
  if (!set) return faces;
  std::vector<std::pair<long, int>> ranked;
  for (int i = 0; i < set->nfont; i++) {
    FcPattern* pFont = set->fonts[i];
    if (!ENGINE_FcHasFamily(pFont, request.pFaceName)) continue;
    const int width = ENGINE_FcGetInt(pFont, FC_WIDTH, FC_WIDTH_NORMAL);
    const bool italic = ENGINE_FcGetInt(pFont, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
    const int faceWeight = FcWeightToOpenType(ENGINE_FcGetInt(pFont, FC_WEIGHT, FC_WEIGHT_REGULAR));
    const int weightDistance =
        std::abs(faceWeight - weight) * 2 + (weight > 400 ? faceWeight < weight : faceWeight > weight);
    const long score = std::abs(width - FC_WIDTH_NORMAL) * 100000L +
                       (italic != (request.Italic != 0)) * 10000L + weightDistance;
    ranked.emplace_back(score, i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [score, i] : ranked) faces.push_back(ChoiceOf(set->fonts[i]));
  return faces;
}

// What fontconfig substitutes for a family that is not installed.
bool ChooseSubstitute(const EngineFontRequest& request, int weight, FaceChoice* pChoice) {
  if (!InitFontconfig()) return false;
  FcPatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(request.pFaceName));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
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

// Pixels from a 26.6 value, rounded up.
int32_t CeilPixels(FT_Pos value) { return int32_t((value + 63) >> 6); }

// True when FreeType hints the face at whole-pixel ems whatever em is asked for:
// TrueType outlines whose header asks for integer scaling.
bool HintsAtWholePixels(FT_Face face) {
  const auto* pHead = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
  const char* pFormat = FT_Get_Font_Format(face);
  return pHead && (pHead->Flags & 8) && pFormat && std::strcmp(pFormat, "TrueType") == 0;
}

// Sets the face to an em of 'ppem64' 64ths of a pixel and gives the cell extent at
// that scale, rounded outward. For a face hinted at whole-pixel ems the em is
// rounded as the hinter rounds it, so that the metrics, the hinted glyphs and the
// unhinted ones all have the one scale.
bool SetEm(EngineFont* pFont, FT_F26Dot6 ppem64, long ascent, long descent, int32_t* pAscent,
           int32_t* pDescent) {
  FT_Face face = pFont->Face;
  if (HintsAtWholePixels(face)) ppem64 = std::max<FT_F26Dot6>(64, (ppem64 + 32) & ~FT_F26Dot6(63));
  if (FT_Set_Char_Size(face, 0, ppem64, 72, 72)) return false;
  pFont->Em64 = ppem64;
  const FT_Fixed scale = face->size->metrics.y_scale;
  *pAscent = CeilPixels(FT_MulFix(ascent, scale));
  *pDescent = CeilPixels(FT_MulFix(descent, scale));
  return true;
}

// Scales the face for the requested height and fills the text metrics. A cell
// height takes the largest scale whose outward-rounded extent fits it, so no glyph
// inside the extent loses a row; the rows left over are shared out above and below.
// An em height gives a cell as high as the outward-rounded extent at that em.
bool ApplySize(EngineFont* pFont, int32_t height, bool bold) {
  FT_Face face = pFont->Face;
  EngineTextMetrics& m = pFont->Metrics;
  if (height == 0) height = 16;
  if (!FT_IS_SCALABLE(face)) {
    if (face->num_fixed_sizes <= 0 || FT_Select_Size(face, 0)) return false;
    m.Ascent = CeilPixels(face->size->metrics.ascender);
    m.Descent = std::max(0, CeilPixels(-face->size->metrics.descender));
    m.Height = m.Ascent + m.Descent;
    pFont->Ppem = face->size->metrics.y_ppem;
    m.MaxCharWidth = CeilPixels(face->size->metrics.max_advance);
    return true;
  }
  const double unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
  long ascent, descent;
  CellExtent(face, &ascent, &descent);
  const long extent = std::max(1L, ascent + descent);
  // FreeType keeps ems up to 0xFFFF pixels; a font that would need more is refused.
  constexpr FT_F26Dot6 kMaxEm = FT_F26Dot6(0xFFFF) * 64;
  if (height > 0) {
    // The extent never exceeds the cell at a scale of at most height / extent, so
    // the largest em that fits lies at or below that one.
    FT_F26Dot6 low = 1;
    const double fit = std::floor(double(height) * unitsPerEm * 64 / double(extent));
    FT_F26Dot6 high = std::max<FT_F26Dot6>(FT_F26Dot6(fit), 1);
    if (high > kMaxEm) return false;
    int32_t a = 0, d = 0;
    if (!SetEm(pFont, high, ascent, descent, &a, &d)) return false;
    if (a + d > height) {
      // Binary search for the largest em whose extent fits; 'high' does not fit.
      while (low < high) {
        const FT_F26Dot6 mid = low + (high - low) / 2;
        if (!SetEm(pFont, mid, ascent, descent, &a, &d)) return false;
        if (a + d <= height)
          low = mid + 1;
        else
          high = mid;
      }
      // 'low' is the first em that does not fit; the one below it does (if any).
      if (!SetEm(pFont, std::max<FT_F26Dot6>(1, low - 1), ascent, descent, &a, &d)) return false;
    }
    const int32_t spare = height - a - d;
    m.Ascent = spare >= 0 ? a + spare / 2 : std::min(a, height);
    m.Descent = height - m.Ascent;
  } else {
    const FT_F26Dot6 em = FT_F26Dot6(-int64_t(height)) * 64;
    if (em > kMaxEm) return false;
    if (!SetEm(pFont, em, ascent, descent, &m.Ascent, &m.Descent)) return false;
  }
  m.Height = m.Ascent + m.Descent;
  const FT_Size_Metrics& size = face->size->metrics;
  pFont->Ppem = double(size.y_scale) * unitsPerEm / 65536.0 / 64.0;
  // Synthetic bold widens every glyph by about 1/32 em, at least one pixel.
  pFont->BoldPixels = bold ? std::max(1, int(std::lround(pFont->Ppem / 32))) : 0;
  m.MaxCharWidth = int32_t((FT_MulFix(face->max_advance_width, size.x_scale) + 32) >> 6) + pFont->BoldPixels;
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

// True for a Unicode or Windows symbol map read from the face's "cmap" table (not
// one FreeType made up from glyph names): the maps a new font's characters come from.
bool IsUsableMap(FT_CharMap charMap) {
  return charMap && (charMap->encoding == FT_ENCODING_UNICODE || charMap->encoding == FT_ENCODING_MS_SYMBOL) &&
         FT_Get_CMap_Format(charMap) >= 0;
}

bool HasUsableMap(FT_Face face) {
  if (!FT_IS_SFNT(face)) return false;
  for (int i = 0; i < face->num_charmaps; i++)
    if (IsUsableMap(face->charmaps[i])) return true;
  return false;
}

// The Unicode map of the face's "cmap" table, else its symbol map, else the
// Unicode map FreeType makes up from glyph names, else the first map.
void SelectCharMap(EngineFont* pFont) {
  FT_Face face = pFont->Face;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0 && FT_Get_CMap_Format(face->charmap) >= 0) return;
  if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0) {
    pFont->SymbolMap = true;
    return;
  }
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) return;
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
  if (pFont->OwnLibrary) FT_Done_FreeType(pFont->OwnLibrary);
  std::default_delete<EngineFont>()(pFont);
}

std::vector<std::string> ENGINE_ListFaces() {
  std::vector<std::string> names;
  FcFontSetPtr set = ListScalable(nullptr);
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
  FcFontSetPtr set = ListScalable(pFaceName);
  if (!set) return false;
  for (int i = 0; i < set->nfont; i++)
    if (ENGINE_FcHasFamily(set->fonts[i], pFaceName)) return true;
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
  // An installed family is never replaced by another one; only a name that no
  // installed face carries gets fontconfig's substitute.
  std::vector<FaceChoice> candidates = RankInFamily(request, weight);
  if (candidates.empty()) {
    FaceChoice substitute;
    if (!ChooseSubstitute(request, weight, &substitute)) return nullptr;
    candidates.push_back(substitute);
  }
  // The best face that has a usable character map (a family may be installed
  // both as outline files without one and as sfnt files); without any such face,
  // the best face that opens.
  EngineFontPtr fallback;
  for (const FaceChoice& choice : candidates) {
    EngineFontPtr font(std::make_unique<EngineFont>().release());
    if (FT_New_Face(library, choice.File.c_str(), choice.Index, &font->Face)) {
      font->Face = nullptr;
      continue;
    }
    const bool usable = HasUsableMap(font->Face);
    if (!usable && fallback) continue;
    font->File = choice.File;
    font->Index = choice.Index;
    const bool bold = weight >= 600 && choice.Weight + 200 <= weight;
    font->Oblique = request.Italic && !choice.Italic;
    if (!ApplySize(font.get(), request.Height, bold)) continue;
    SelectCharMap(font.get());
    FillCodePage(font.get(), request.CharSet);
    if (usable) return font;
    fallback = std::move(font);
  }
  return fallback;
}

EngineFontPtr ENGINE_CopyFont(const EngineFont* pFont) {
  EngineFontPtr copy(std::make_unique<EngineFont>().release());
  if (FT_Init_FreeType(&copy->OwnLibrary)) {
    copy->OwnLibrary = nullptr;
    return nullptr;
  }
  // The bytes of a file the original has mapped are read from there, not mapped
  // (and counted) again; the original outlives its copies.
  const FT_Stream stream = pFont->Face->stream;
  const FT_Error opened =
      stream && stream->base
          ? FT_New_Memory_Face(copy->OwnLibrary, stream->base, FT_Long(stream->size), pFont->Index, &copy->Face)
          : FT_New_Face(copy->OwnLibrary, pFont->File.c_str(), pFont->Index, &copy->Face);
  if (opened) {
    copy->Face = nullptr;
    return nullptr;
  }
  const FT_Error error = pFont->Em64 ? FT_Set_Char_Size(copy->Face, 0, pFont->Em64, 72, 72)
                                     : FT_Select_Size(copy->Face, 0);
  if (error) return nullptr;
  copy->File = pFont->File;
  copy->Index = pFont->Index;
  copy->Em64 = pFont->Em64;
  copy->Metrics = pFont->Metrics;
  copy->Ppem = pFont->Ppem;
  copy->BoldPixels = pFont->BoldPixels;
  copy->Oblique = pFont->Oblique;
  std::copy(std::begin(pFont->aByteToUnicode), std::end(pFont->aByteToUnicode), copy->aByteToUnicode);
  SelectCharMap(copy.get());
  return copy;
}

void ENGINE_GetTextMetrics(const EngineFont* pFont, EngineTextMetrics* pMetrics) {
  *pMetrics = pFont->Metrics;
}

void ENGINE_GetFaceInfo(const EngineFont* pFont, EngineFaceInfo* pInfo) {
  *pInfo = EngineFaceInfo{pFont->File, pFont->Index, pFont->BoldPixels, pFont->Oblique, pFont->Ppem};
}

int ENGINE_GetMappedCodes(const EngineFont* pFont, std::vector<uint16_t>* pCodes) {
  pCodes->clear();
  FT_Face face = pFont->Face;
  // SelectCharMap picked the Unicode map, else the symbol map, when there is one.
  if (!FT_IS_SFNT(face) || !IsUsableMap(face->charmap)) return 1;
  FT_UInt glyph = 0;
  // The iteration skips every code that leads to glyph 0 (the empty box).
  for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0 && code <= 0xFFFF;
       code = FT_Get_Next_Char(face, code, &glyph))
    pCodes->push_back(uint16_t(code));
  return 0;
}

uint32_t ENGINE_ByteToUnicode(const EngineFont* pFont, uint8_t byte) {
  return pFont->aByteToUnicode[byte];
}

namespace {

// Loads, transforms and renders a glyph into the face's slot; 0 on success.
int LoadGlyph(EngineFont* pFont, FT_UInt index, GlyphFormat format, bool hinted) {
  FT_Face face = pFont->Face;
  FT_Int32 flags = FT_LOAD_NO_BITMAP | (format == GLYPH_MONO ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (!hinted) flags |= FT_LOAD_NO_HINTING;
  if (FT_Load_Glyph(face, index, flags)) return 1;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (pFont->Oblique) {
      const FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
      FT_Outline_Transform(&slot->outline, &shear);
    }
    // Grows to the right, as an overstruck copy one step right would.
    if (pFont->BoldPixels > 0) FT_Outline_EmboldenXY(&slot->outline, FT_Pos(pFont->BoldPixels) * 64, 0);
  }
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, format == GLYPH_MONO ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL))
    return 1;
  return 0;
}

// True when the rendered glyph in the slot reaches above or below the cell.
bool LeavesCell(const EngineFont* pFont) {
  const FT_GlyphSlot slot = pFont->Face->glyph;
  if (slot->bitmap.rows == 0) return false;
  return slot->bitmap_top > pFont->Metrics.Ascent ||
         slot->bitmap_top - int(slot->bitmap.rows) < -pFont->Metrics.Descent;
}

}  // namespace

int ENGINE_GetGlyph(EngineFont* pFont, uint32_t unicode, GlyphFormat format,
                    GlyphMetrics* pMetrics, GlyphBitmap* pBitmap) {
  *pMetrics = GlyphMetrics{1, 1, 0, 0, 0};
  if (pBitmap) *pBitmap = GlyphBitmap{};
  const FT_UInt index = GlyphIndex(pFont, unicode);
  if (LoadGlyph(pFont, index, format, true)) return 1;
  // Every glyph advances by its hinted advance.
  const FT_Pos advance = pFont->Face->glyph->advance.x;
  // Hinting may lift an accent or drop a descender past the cell that holds the
  // whole outline; such a glyph is drawn from its outline as it is, unless that
  // does not fit either.
  if (LeavesCell(pFont) && FT_IS_SCALABLE(pFont->Face)) {
    if (LoadGlyph(pFont, index, format, false)) return 1;
    if (LeavesCell(pFont) && LoadGlyph(pFont, index, format, true)) return 1;
  }
  FT_GlyphSlot slot = pFont->Face->glyph;
  // The mono renderer gives an empty outline a blank pixel; it stays empty here.
  const bool empty = slot->metrics.width == 0 || slot->metrics.height == 0;
  const FT_Bitmap& bitmap = slot->bitmap;
  pMetrics->CellIncX = Round26(advance) + pFont->BoldPixels;
  if (empty || bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer) return 0;
  pMetrics->BlackBoxX = int32_t(bitmap.width);
  pMetrics->BlackBoxY = int32_t(bitmap.rows);
  pMetrics->OriginX = slot->bitmap_left;
  pMetrics->OriginY = slot->bitmap_top;
  if (!pBitmap) return 0;
  pBitmap->Width = int32_t(bitmap.width);
  pBitmap->Rows = int32_t(bitmap.rows);
  pBitmap->Format = format;
  if (format != GLYPH_GREY) {
    pBitmap->pBits = bitmap.buffer;
    pBitmap->Pitch = bitmap.pitch;
    return 0;
  }
  // 256 coverage values to 65 levels, rounded.
  static const struct Levels {
    uint8_t aOf[256];
    Levels() {
      for (int v = 0; v < 256; v++) aOf[v] = uint8_t((v * 64 + 127) / 255);
    }
  } levels;
  pFont->GreyLevels.resize(size_t(bitmap.width) * bitmap.rows);
  for (unsigned y = 0; y < bitmap.rows; y++) {
    const uint8_t* pSrc = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    uint8_t* pDst = pFont->GreyLevels.data() + size_t(y) * bitmap.width;
    for (unsigned x = 0; x < bitmap.width; x++) pDst[x] = levels.aOf[pSrc[x]];
  }
  pBitmap->pBits = pFont->GreyLevels.data();
  pBitmap->Pitch = int32_t(bitmap.width);
  return 0;
}
