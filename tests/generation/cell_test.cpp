// Every glyph whose outline lies inside the face's vertical extent (the Windows
// ascent and descent) keeps all its rows in the generated font: nothing is cut at
// the top or bottom of a standard cell, and an extended character's box lies
// inside the line. Checked on installed Debian faces over ranges of sizes.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "generation/fontengine.h"
#include "generation/generation_fixture.h"
#include "generation/rendercontext.h"

namespace {

// The characters the sweeps look at: Latin-1 and the CJK punctuation and kana.
std::vector<uint32_t> SweptCodes() {
  std::vector<uint32_t> codes;
  for (uint32_t c = 0x21; c < 0x7F; c++) codes.push_back(c);
  for (uint32_t c = 0xA1; c <= 0xFF; c++) codes.push_back(c);
  for (uint32_t c = 0x3000; c <= 0x30FF; c++) codes.push_back(c);
  return codes;
}

struct FaceGlyph {
  uint32_t Code;
  long Top;     // outline extent in font units, y upwards
  long Bottom;
};

// The characters of the list whose outlines lie within the Windows ascent and
// descent of the face the engine opens for the family, read with FreeType
// directly from the face's file, unscaled.
struct FaceOutlines {
  std::vector<FaceGlyph> Inside;
  long WinAscent = 0, WinDescent = 0, UnitsPerEm = 0;
  int Outside = 0;  // characters of the face that reach beyond the extent
};

FaceOutlines ReadOutlines(const char* pFamily, const std::vector<uint32_t>& codes) {
  FaceOutlines result;
  EngineFontRequest request;
  request.pFaceName = pFamily;
  request.Height = 20;
  EngineFontPtr engine = ENGINE_OpenFont(request);
  if (!engine) return result;
  EngineFaceInfo info;
  ENGINE_GetFaceInfo(engine.get(), &info);
  FT_Library library;
  if (FT_Init_FreeType(&library)) return result;
  FT_Face face;
  if (FT_New_Face(library, info.File.c_str(), info.Index, &face) == 0) {
    const auto* pOs2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (pOs2) {
      result.WinAscent = pOs2->usWinAscent;
      result.WinDescent = pOs2->usWinDescent;
      result.UnitsPerEm = face->units_per_EM;
      for (uint32_t code : codes) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING)) continue;
        if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_points == 0) continue;
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        if (box.yMax <= result.WinAscent && -box.yMin <= result.WinDescent)
          result.Inside.push_back({code, box.yMax, box.yMin});
        else
          result.Outside++;
      }
    }
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return result;
}

int Ink(const GlyphBitmap& b, int x, int y) {
  if (b.Format == GLYPH_MONO) return (b.pBits[y * b.Pitch + x / 8] & (0x80 >> (x % 8))) != 0;
  return b.pBits[y * b.Pitch + x] != 0;
}

// Ink pixels of the engine's glyph that fall within the advance (a standard cell
// is only as wide as the advance; sideways overhang is not counted).
int InkWithinAdvance(EngineFont* pEngine, uint32_t code) {
  GlyphMetrics g;
  GlyphBitmap b;
  if (ENGINE_GetGlyph(pEngine, code, GLYPH_MONO, &g, &b) || !b.pBits) return 0;
  int n = 0;
  for (int y = 0; y < b.Rows; y++)
    for (int x = 0; x < b.Width; x++) {
      const int column = g.OriginX + x;
      if (column >= 0 && column < g.CellIncX) n += Ink(b, x, y);
    }
  return n;
}

int InkInCharacter(Font* pFont, uint16_t code) {
  int n = 0;
  const int w = FONT_GetCharWidth(pFont, code), h = FONT_GetCharHeight(pFont, code);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) n += FONT_GetPixel(pFont, code, x, y) != 0;
  return n;
}

// Creates the font and checks every glyph of the list: in a standard font all
// the ink the glyph has within its advance, in an extended font its box inside
// the line. Gives the number of failures (each one added to *pLog).
int CheckFont(const char* pFamily, int height, int type, const std::vector<FaceGlyph>& glyphs,
              std::string* pLog) {
  CreateArgs args;
  args.pFace = pFamily;
  args.Height = height;
  args.Type = type;
  FontPtr font = CreateFont(args);
  if (!font) {
    *pLog += std::string(pFamily) + " " + std::to_string(height) + ": no font\n";
    return 1;
  }
  const int fontHeight = FONT_GetHeight(font.get());
  if (height > 0 && fontHeight != height + (type == EXT_FRM ? 2 : 0)) {
    *pLog += std::string(pFamily) + " " + std::to_string(height) + ": font height " + std::to_string(fontHeight) + "\n";
    return 1;
  }
  EngineFont* pEngine = font->pRenderContext->pEngineFont.get();
  const int baseline = FONT_GetBaseline(font.get());
  int failures = 0;
  for (const FaceGlyph& glyph : glyphs) {
    const uint16_t code = uint16_t(glyph.Code);
    FONT_RenderChar(font.get(), code);
    bool ok;
    if (FONT_IsExtendedType(type)) {
      const CharInfo* pInfo = Info(font.get(), code);
      const int top = baseline - pInfo->BoxTop;
      ok = top >= 0 && top + pInfo->BoxHeight <= fontHeight;
    } else {
      ok = InkInCharacter(font.get(), code) == InkWithinAdvance(pEngine, code);
    }
    if (!ok) {
      failures++;
      char text[160];
      std::snprintf(text, sizeof text, "%s %d type %d: U+%04X cut or boxed outside the line\n", pFamily, height,
                    type, unsigned(code));
      *pLog += text;
    }
  }
  return failures;
}

void SweepFace(const char* pFamily) {
  const FaceOutlines outlines = ReadOutlines(pFamily, SweptCodes());
  ASSERT_GT(outlines.Inside.size(), 150u) << pFamily;
  std::string log;
  int failures = 0;
  for (int type : {STD, EXT})
    for (int height = 8; height <= 40; height++) failures += CheckFont(pFamily, height, type, outlines.Inside, &log);
  EXPECT_EQ(failures, 0) << log;
}

}  // namespace

TEST(GlyphCell, DejaVuSansKeepsEveryRowFrom8To40) { SweepFace("DejaVu Sans"); }
TEST(GlyphCell, LiberationSansKeepsEveryRowFrom8To40) { SweepFace("Liberation Sans"); }
TEST(GlyphCell, WenQuanYiMicroHeiKeepsEveryRowFrom8To40) { SweepFace("WenQuanYi Micro Hei"); }
TEST(GlyphCell, IpaGothicKeepsEveryRowFrom8To40) { SweepFace("IPAGothic"); }
