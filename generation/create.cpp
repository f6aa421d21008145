// Creating a font from a system font: character map, code space, metrics and
// the drawing surface its characters are rendered on later.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "generation/internal/rendercontext.h"
#include "model/codetables.h"
#include "settings/journal.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

// Reads the character map into the font's ranges, the runs of consecutive codes
// that the face maps to real glyphs; 1 when it cannot be read.
int ReadCharMap(Font* pFont, const EngineFont* pEngineFont) {
  pFont->Has16BitCodes = 0;
  std::vector<uint16_t> codes;
  if (ENGINE_GetMappedCodes(pEngineFont, &codes)) return 1;
  pFont->aRangeFirst.clear();
  pFont->aRangeLast.clear();
  for (size_t i = 0; i < codes.size(); i++) {
    if (i == 0 || codes[i] != codes[i - 1] + 1) {
      pFont->aRangeFirst.push_back(codes[i]);
      pFont->aRangeLast.push_back(codes[i]);
    } else {
      pFont->aRangeLast.back() = codes[i];
    }
  }
  pFont->NumRanges = int32_t(pFont->aRangeFirst.size());
  pFont->Has16BitCodes = 1;
  return 0;
}

void SetUpCodeSpace(Font* pFont, int32_t boxHeight) {
  pFont->NumUsedBlocks = 0;
  if (pFont->Encoding == ENCODING_ISO8859) pFont->Has16BitCodes = 0;
  pFont->NumBlocks = pFont->Has16BitCodes ? 4096 : 16;
  for (int b = 0; b < pFont->NumBlocks; b++) {
    pFont->aBlock[b].Used = 0;
    pFont->aBlock[b].Area = -1;
  }
  const int numRanges = pFont->NumRanges;
  const bool jis = pFont->Encoding == ENCODING_JIS;
  if (pFont->Has16BitCodes) {
    for (int r = 0; r < numRanges; r++) {
      const unsigned first = pFont->aRangeFirst[r], last = pFont->aRangeLast[r];
      if (jis) {
        for (unsigned c = first; c <= last; c++) FONT_EnableBlock(pFont, SJIS_FromUnicode(uint16_t(c)) >> 4u, 1);
      } else {
        for (unsigned b = first / 16; b <= last / 16 && first <= last; b++) FONT_EnableBlock(pFont, b, 1);
      }
    }
  }
  for (int c = 0; c < 65536; c++) {
    CharInfo& info = pFont->aCharInfo[c];
    info.Enabled = info.Rendered = info.Exists = 0;
    info.BoxHeight = boxHeight;
  }
  if (pFont->Has16BitCodes) {
    for (int r = 0; r < numRanges; r++) {
      const unsigned first = pFont->aRangeFirst[r], last = pFont->aRangeLast[r];
      for (unsigned c = first; c <= last; c++) {
        const uint16_t code = jis ? SJIS_FromUnicode(uint16_t(c)) : uint16_t(c);
        if (jis && code == 0) continue;
        pFont->aCharInfo[code].Exists = 1;
        FONT_EnableChar(pFont, code, 1);
      }
    }
  } else {
    for (int c = 0; c < 256; c++) {
      pFont->aCharInfo[c].Exists = 1;
      pFont->aCharInfo[c].Rendered = 0;
      FONT_EnableChar(pFont, uint16_t(c), (c >= 32 && c < 128) || c >= 160);
    }
  }
  FONT_AssignAreas(pFont);
}

void SetMetrics(Font* pFont, const EngineTextMetrics& tm, bool internalAA) {
  pFont->Height = tm.Height;
  pFont->MaxWidth = tm.MaxCharWidth;
  pFont->Baseline = 0;
  if (FONT_IsExtendedType(pFont->Type)) {
    pFont->Baseline = tm.Ascent;
    if (pFont->Type == FONTTYPE_EXT_FRM) {
      pFont->Height += 2;
      pFont->MaxWidth += 2;
    }
  }
  if (internalAA) {
    // A quarter of the cell drawn at four times the size, rounded up as the
    // characters' cells are: an em-height cell need not be a multiple of four.
    pFont->Height = int32_t((int64_t(pFont->Height) + 3) >> 2);
    pFont->MaxWidth >>= 2;
    pFont->Baseline >>= 2;
  }
}

// Names the face that was opened, so that the user sees which file failed.
void ReportNoCharMap(const char* pFaceName, const EngineFont* pEngineFont) {
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(pEngineFont, &info);
  const size_t slash = info.File.rfind('/');
  const std::string file = slash == std::string::npos ? info.File : info.File.substr(slash + 1);
  const std::string text = std::string("Font has no usable character map: ") + pFaceName + " (" + file + ")";
  ReportMessage(text.c_str());
}

class WaitCursor {
 public:
  WaitCursor() { SERVICES_Get()->SetWaitCursor(true); }
  ~WaitCursor() { SERVICES_Get()->SetWaitCursor(false); }
};

}  // namespace

FontPtr FONT_CreateFromLogFont(const LogFontRecord* pLogFont, int32_t type, int32_t encoding,
                               int32_t method, const char* pFaceName) {
  if (!pLogFont) return nullptr;
  WaitCursor waitCursor;
  FontPtr font = FONT_Alloc();
  if (!font) return nullptr;
  FONT_SetRenderHook(FONT_GenerateChar, GENERATE_RenderMany, GENERATE_PrepareWorkers);
  font->Type = type;
  font->Encoding = encoding;
  font->AAMethod = method;
  font->LogFont = *pLogFont;
  font->LogFont.acFaceName[FONT_FACENAME_SIZE - 1] = 0;

  auto context = std::make_shared<RenderContext>();
  context->InternalAA = (type == FONTTYPE_AA2 || type == FONTTYPE_AA4) && method == AAMETHOD_INTERNAL;
  EngineFontRequest request;
  // The record holds at most 31 characters of the name; the engine gets it whole.
  request.pFaceName = pFaceName && *pFaceName ? pFaceName : font->LogFont.acFaceName;
  // Four times the size for internal antialiasing, within the 32-bit range (the
  // engine refuses heights that large anyway).
  const int64_t height = int64_t(pLogFont->Height) * (context->InternalAA ? 4 : 1);
  request.Height = int32_t(std::clamp<int64_t>(height, INT32_MIN, INT32_MAX));
  request.Weight = pLogFont->Weight;
  request.Italic = pLogFont->Italic;
  request.CharSet = pLogFont->CharSet;
  context->pEngineFont = ENGINE_OpenFont(request);
  font->CurrentChar = 0x41;
  if (!context->pEngineFont) return nullptr;
  if (ReadCharMap(font.get(), context->pEngineFont.get())) {
    ReportNoCharMap(request.pFaceName, context->pEngineFont.get());
    return nullptr;
  }

  SetUpCodeSpace(font.get(), std::abs(pLogFont->Height));
  if (type == FONTTYPE_EXT && !font->Has16BitCodes) {
    ReportMessage("An extended font file requires a true type or an open type font.\r\n"
                  "The selected font is not such a font.");
    return nullptr;
  }
  ENGINE_GetTextMetrics(context->pEngineFont.get(), &context->Metrics);
  SetMetrics(font.get(), context->Metrics, context->InternalAA);
  // Standard characters are as high as the font, for point sizes too.
  if (!FONT_IsExtendedType(type))
    for (CharInfo& info : font->aCharInfo) info.BoxHeight = font->Height;

  // Monochrome for the 1-bit types and internal antialiasing, grey otherwise.
  const bool mono = type == FONTTYPE_STD || type == FONTTYPE_EXT || type == FONTTYPE_EXT_FRM || context->InternalAA;
  GENERATE_InitSurface(&context->Canvas, mono);
  Settings settings;
  SETTINGS_Load(&settings);
  context->SuppressOptAA = settings.SuppressOptAA != 0;
  AA_LoadOptions();
  context->Adjustments = GENERATE_TakeCursorDistAdjust();
  font->pRenderContext = std::move(context);

  JOURNAL_Clear();
  JOURNAL_AddLine("* Initial font height:  %d", int(font->Height));
  return font;
}
