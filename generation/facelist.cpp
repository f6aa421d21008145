// The chooser's lists, from fontconfig (the same source as the engine's face
// list), and the sample line rendered through the generator.
#include "generation/facelist.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <map>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "generation/adjustments.h"
#include "generation/internal/fcquery.h"
#include "generation/fontengine.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "settings/journal.h"

namespace {

// The installed scalable fonts (of one family when given), as the engine lists them.
FcFontSetPtr ListScalable(const char* pFamily, const char* pExtra) {
  return ENGINE_FcListScalable(pFamily, {FC_FAMILY, FC_STYLE, FC_STYLELANG, FC_FILE, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                                         FC_FONTFORMAT, pExtra});
}

// An sfnt font with TrueType or CFF outlines (a bare CFF file has no sfnt tables).
bool IsOutlineFont(FcPattern* pFont) {
  FcChar8* pFormat = nullptr;
  if (FcPatternGetString(pFont, FC_FONTFORMAT, 0, &pFormat) != FcResultMatch) return false;
  const std::string format = reinterpret_cast<const char*>(pFormat);
  if (format == "TrueType") return true;
  if (format != "CFF") return false;
  FcChar8* pFile = nullptr;
  if (FcPatternGetString(pFont, FC_FILE, 0, &pFile) != FcResultMatch) return false;
  const std::string file = reinterpret_cast<const char*>(pFile);
  return file.size() < 4 || strcasecmp(file.c_str() + file.size() - 4, ".cff") != 0;
}

// The style name in English when the face gives one, else its first.
std::string StyleName(FcPattern* pFont) {
  FcChar8* pStyle = nullptr;
  FcChar8* pLang = nullptr;
  std::string first;
  for (int i = 0; FcPatternGetString(pFont, FC_STYLE, i, &pStyle) == FcResultMatch; i++) {
    if (i == 0) first = reinterpret_cast<const char*>(pStyle);
    if (FcPatternGetString(pFont, FC_STYLELANG, i, &pLang) == FcResultMatch &&
        std::strncmp(reinterpret_cast<const char*>(pLang), "en", 2) == 0)
      return reinterpret_cast<const char*>(pStyle);
  }
  return first.empty() ? "Regular" : first;
}

// Rounds a weight to the hundreds the logical-font record uses.
int32_t RecordWeight(int openTypeWeight) {
  return std::clamp((openTypeWeight + 50) / 100 * 100, 100, 900);
}

}  // namespace

std::vector<FaceFamily> ENGINE_ListFamilies() {
  std::vector<FaceFamily> families;
  std::set<std::string> outline;
  if (FcFontSetPtr set = ListScalable(nullptr, nullptr)) {
    for (int i = 0; i < set->nfont; i++) {
      if (!IsOutlineFont(set->fonts[i])) continue;
      FcChar8* pName = nullptr;
      for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &pName) == FcResultMatch; n++)
        outline.insert(reinterpret_cast<const char*>(pName));
    }
  }
  for (std::string& name : ENGINE_ListFaces()) {
    if (name.empty() || name[0] == '@') continue;
    const bool isOutline = outline.count(name) != 0;
    families.push_back(FaceFamily{std::move(name), isOutline});
  }
  return families;
}

std::vector<FaceStyle> ENGINE_ListStyles(const char* pFamily) {
  std::vector<FaceStyle> styles;
  if (!pFamily || !*pFamily) return styles;
  FcFontSetPtr set = ListScalable(pFamily, nullptr);
  if (!set) return styles;
  // The engine always takes a face of the width nearest to normal.
  int bestWidth = -1;
  for (int i = 0; i < set->nfont; i++) {
    if (!ENGINE_FcHasFamily(set->fonts[i], pFamily)) continue;
    const int distance = std::abs(ENGINE_FcGetInt(set->fonts[i], FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL);
    if (bestWidth < 0 || distance < bestWidth) bestWidth = distance;
  }
  for (int i = 0; i < set->nfont; i++) {
    FcPattern* pFont = set->fonts[i];
    if (!ENGINE_FcHasFamily(pFont, pFamily) ||
        std::abs(ENGINE_FcGetInt(pFont, FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL) != bestWidth)
      continue;
    FaceStyle style;
    style.Name = StyleName(pFont);
    style.Weight = RecordWeight(FcWeightToOpenType(ENGINE_FcGetInt(pFont, FC_WEIGHT, FC_WEIGHT_REGULAR)));
    style.Italic = ENGINE_FcGetInt(pFont, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
    const bool known = std::any_of(styles.begin(), styles.end(), [&](const FaceStyle& s) {
      return s.Weight == style.Weight && s.Italic == style.Italic;
    });
    if (!known) styles.push_back(style);
  }
  if (styles.empty()) return styles;
  // Bold and slanted forms the engine synthesizes from the nearest face.
  const struct {
    const char* pName;
    int32_t Weight, Italic;
  } aBasic[] = {{"Regular", 400, 0}, {"Italic", 400, 1}, {"Bold", 700, 0}, {"Bold Italic", 700, 1}};
  for (const auto& basic : aBasic) {
    const bool near = std::any_of(styles.begin(), styles.end(), [&](const FaceStyle& s) {
      return s.Italic == basic.Italic && !s.Synthetic &&
             (basic.Weight == 700 ? s.Weight >= 600 : s.Weight >= 300 && s.Weight <= 500);
    });
    if (!near) styles.push_back(FaceStyle{basic.pName, basic.Weight, basic.Italic, true});
  }
  std::sort(styles.begin(), styles.end(), [](const FaceStyle& a, const FaceStyle& b) {
    return a.Weight != b.Weight ? a.Weight < b.Weight : a.Italic < b.Italic;
  });
  return styles;
}

int ENGINE_FindStyle(const std::vector<FaceStyle>& styles, int32_t weight, int32_t italic) {
  if (weight <= 0) weight = 400;
  int best = -1;
  int bestScore = 0;
  for (size_t i = 0; i < styles.size(); i++) {
    const int score = ((styles[i].Italic != 0) != (italic != 0)) * 10000 + std::abs(styles[i].Weight - weight);
    if (best < 0 || score < bestScore) {
      best = int(i);
      bestScore = score;
    }
  }
  return best;
}

std::vector<FaceScript> ENGINE_ListScripts(const char* pFamily) {
  static const FaceScript aScripts[] = {
      {"Western", ENGINE_ANSI_CHARSET}, {"Central European", 238}, {"Cyrillic", 204},
      {"Greek", 161},                   {"Turkish", 162},          {"Hebrew", 177},
      {"Arabic", 178},                  {"Baltic", 186},           {"Vietnamese", 163},
      {"Thai", 222},                    {"Symbol", ENGINE_SYMBOL_CHARSET},
  };
  std::vector<FaceScript> scripts;
  // Every code the family's faces cover.
  FcCharSet* pCovered = FcCharSetCreate();
  if (pFamily && *pFamily) {
    if (FcFontSetPtr set = ListScalable(pFamily, FC_CHARSET)) {
      for (int i = 0; i < set->nfont; i++) {
        FcCharSet* pFaceSet = nullptr;
        if (ENGINE_FcHasFamily(set->fonts[i], pFamily) &&
            FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &pFaceSet) == FcResultMatch)
          FcCharSetMerge(pCovered, pFaceSet, nullptr);
      }
    }
  }
  // The characters of the upper letters' bytes 0xC0..0xFF in each code page,
  // the same for every font: found once, through the engine's own conversion.
  static std::map<int32_t, std::array<uint32_t, 64>> letters;
  for (const FaceScript& script : aScripts) {
    auto known = letters.find(script.CharSet);
    if (known == letters.end()) {
      EngineFontRequest request;
      request.pFaceName = pFamily ? pFamily : "";
      request.CharSet = script.CharSet;
      EngineFontPtr font = ENGINE_OpenFont(request);
      if (!font) continue;
      std::array<uint32_t, 64> codes{};
      // A symbol font keeps its characters in the private-use copy of 0xF020..0xF0FF.
      for (int b = 0xC0; b <= 0xFF; b++)
        codes[size_t(b - 0xC0)] =
            script.CharSet == ENGINE_SYMBOL_CHARSET ? 0xF000u + uint32_t(b) : ENGINE_ByteToUnicode(font.get(), uint8_t(b));
      known = letters.emplace(script.CharSet, codes).first;
    }
    int covered = 0;
    for (uint32_t u : known->second) covered += FcCharSetHasChar(pCovered, u) ? 1 : 0;
    if (covered * 10 >= int(known->second.size()) * 9) scripts.push_back(script);
  }
  FcCharSetDestroy(pCovered);
  if (scripts.empty() || scripts[0].CharSet != ENGINE_ANSI_CHARSET) scripts.insert(scripts.begin(), aScripts[0]);
  return scripts;
}

std::vector<uint16_t> GENERATE_GetSampleCodes(const Font* pFont) {
  std::vector<uint16_t> codes;
  if (!pFont) return codes;
  const auto add = [&](uint16_t code) {
    if (pFont->aCharInfo[code].Exists) codes.push_back(code);
  };
  for (const char* p = "AaBbYyZz"; *p; p++) add(uint16_t(*p));
  if (pFont->Encoding == ENCODING_ISO8859) {
    for (uint16_t code : {0xC1, 0xE1, 0xC2, 0xE2}) add(code);
  } else {
    for (uint16_t u : {0x3042, 0x30A2, 0x4E9C}) {
      const uint16_t code = pFont->Encoding == ENCODING_JIS ? SJIS_FromUnicode(u) : u;
      if (code) add(code);
    }
  }
  if (codes.empty()) {
    // A font without Latin letters shows its first printable characters.
    for (int c = 0x21; c < FONT_NUM_CODES && codes.size() < 8; c++)
      if (pFont->aCharInfo[c].Exists && !(c >= 0x80 && c < 0xA0)) codes.push_back(uint16_t(c));
  }
  return codes;
}

int GENERATE_RenderSample(const LogFontRecord* pLogFont, int32_t type, int32_t encoding,
                      int32_t method, FontSample* pSample) {
  *pSample = FontSample{};
  pSample->Type = type;
  if (!pLogFont || (FONT_IsExtendedType(type) && encoding != ENCODING_UC16)) return 1;
  // Creation starts a new journal and takes the pending cursor-distance
  // adjustments over; a sample leaves both as they were for the real font.
  const std::string journal = JOURNAL_GetText();
  const std::vector<CursorDistAdjust> pending = GENERATE_GetPendingCursorDistAdjust();
  FontPtr font = FONT_CreateFromLogFont(pLogFont, type, encoding, method);
  JOURNAL_Clear();
  if (!journal.empty()) JOURNAL_Add(journal.c_str());
  GENERATE_ClearCursorDistAdjust();
  for (const CursorDistAdjust& adjust : pending) GENERATE_AddCursorDistAdjust(adjust);
  if (!font) return 1;
  Font* pFont = font.get();
  pSample->FontHeight = pFont->Height;
  const bool extended = FONT_IsExtendedType(type);
  // Lay the characters out around the baseline (row 0 before the shift below).
  int pen = 0, top = 0, bottom = 0;
  for (uint16_t code : GENERATE_GetSampleCodes(pFont)) {
    FONT_RenderChar(pFont, code);
    const CharInfo& info = pFont->aCharInfo[code];
    SampleGlyph glyph;
    glyph.Code = code;
    glyph.Width = info.BoxWidth;
    glyph.Height = FONT_GetCharHeight(pFont, code);
    if (extended) {
      glyph.X = pen + info.BoxLeft;
      glyph.Y = -info.BoxTop;
      pen += info.CursorDist;
    } else {
      glyph.X = pen;
      glyph.Y = -pFont->Height;
      pen += info.BoxWidth;
    }
    top = std::min(top, glyph.Y);
    bottom = std::max(bottom, glyph.Y + glyph.Height);
    pSample->Glyphs.push_back(glyph);
  }
  int left = 0, right = pen;
  for (const SampleGlyph& g : pSample->Glyphs) {
    left = std::min(left, g.X);
    right = std::max(right, g.X + g.Width);
  }
  for (SampleGlyph& g : pSample->Glyphs) {
    g.X -= left;
    g.Y -= top;
  }
  pSample->Width = right - left;
  pSample->Height = bottom - top;
  pSample->Pixels.assign(size_t(pSample->Width) * size_t(pSample->Height), 0);
  for (const SampleGlyph& g : pSample->Glyphs) {
    for (int y = 0; y < g.Height; y++)
      for (int x = 0; x < g.Width; x++) {
        const int value = FONT_GetPixel(pFont, g.Code, x, y);
        // Overlapping boxes: ink wins over background.
        if (value) pSample->Pixels[size_t(g.Y + y) * size_t(pSample->Width) + size_t(g.X + x)] = int8_t(value);
      }
  }
  return 0;
}

std::string ENGINE_GetDefaultFamily(const std::vector<FaceFamily>& families) {
  if (families.empty()) return "";
  FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* pName = nullptr;
  if (match && FcPatternGetString(match.get(), FC_FAMILY, 0, &pName) == FcResultMatch) {
    const std::string name = reinterpret_cast<const char*>(pName);
    for (const FaceFamily& family : families)
      if (family.Name == name) return name;
  }
  return families.front().Name;
}
