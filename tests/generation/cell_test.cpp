// Every glyph whose outline lies inside the face's vertical extent (the Windows
// ascent and descent) keeps all its rows in the generated font: nothing is cut at
// the top or bottom of a standard cell, and an extended character's box lies
// inside the line. Checked on installed Debian faces over ranges of sizes.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generation/fontengine.h"
#include "generation/generation_fixture.h"
#include "generation/internal/rendercontext.h"

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
      if (column >= 0 && column < g.CellIncX) n += GlyphInk(b, x, y);
    }
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
  if (height > 0 && fontHeight != height + (type == FONTTYPE_EXT_FRM ? 2 : 0)) {
    *pLog += std::string(pFamily) + " " + std::to_string(height) + ": font height " + std::to_string(fontHeight) + "\n";
    return 1;
  }
  EngineFont* pEngine = font->pRenderContext->pEngineFont.get();
  const int baseline = FONT_GetBaseline(font.get());
  int failures = 0;
  for (const FaceGlyph& glyph : glyphs) {
    const uint16_t code = uint16_t(glyph.Code);
    bool ok;
    if (FONT_IsExtendedType(type)) {
      FONT_RenderChar(font.get(), code);
      const CharInfo* pInfo = Info(font.get(), code);
      const int top = baseline - pInfo->BoxTop;
      ok = top >= 0 && top + pInfo->BoxHeight <= fontHeight;
    } else {
      ok = InkPixels(font.get(), code) == InkWithinAdvance(pEngine, code);
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
  for (int type : {FONTTYPE_STD, FONTTYPE_EXT})
    for (int height = 8; height <= 40; height++) failures += CheckFont(pFamily, height, type, outlines.Inside, &log);
  EXPECT_EQ(failures, 0) << log;
}

// The glyphs that reach highest and lowest within the extent.
std::vector<FaceGlyph> Extremes(std::vector<FaceGlyph> glyphs, size_t count) {
  std::vector<FaceGlyph> result;
  std::sort(glyphs.begin(), glyphs.end(), [](const FaceGlyph& a, const FaceGlyph& b) { return a.Top > b.Top; });
  result.insert(result.end(), glyphs.begin(), glyphs.begin() + std::min(count, glyphs.size()));
  std::sort(glyphs.begin(), glyphs.end(), [](const FaceGlyph& a, const FaceGlyph& b) { return a.Bottom < b.Bottom; });
  result.insert(result.end(), glyphs.begin(), glyphs.begin() + std::min(count, glyphs.size()));
  return result;
}

// Whether the extent at this em, scaled in FreeType's fixed-point arithmetic and
// rounded outward, fits the height.
bool Fits(const FaceOutlines& o, double ppem, int height) {
  const FT_Fixed scale = FT_DivFix(FT_Long(std::lround(ppem * 64)), o.UnitsPerEm);
  auto outward = [scale](long units) { return (FT_MulFix(units, scale) + 63) >> 6; };
  return outward(o.WinAscent) + outward(o.WinDescent) <= height;
}

// Opens the family at every cell height (and, for internal antialiasing, at four
// times some of them) and at every em height, and checks the font's height and
// that the extreme glyphs, monochrome and grey, lie inside the cell.
void SweepEngine(const char* pFamily) {
  const FaceOutlines outlines = ReadOutlines(pFamily, SweptCodes());
  ASSERT_GT(outlines.Inside.size(), 150u) << pFamily;
  const std::vector<FaceGlyph> glyphs = Extremes(outlines.Inside, 6);
  std::vector<int> heights;
  for (int h = 6; h <= 255; h++) heights.push_back(h);
  for (int h = 6; h <= 255; h += 17) heights.push_back(4 * h);
  for (int h = 6; h <= 255; h += 3) heights.push_back(-h);
  std::string log;
  for (int height : heights) {
    EngineFontRequest request;
    request.pFaceName = pFamily;
    request.Height = height;
    EngineFontPtr font = ENGINE_OpenFont(request);
    ASSERT_TRUE(font);
    EngineTextMetrics m;
    ENGINE_GetTextMetrics(font.get(), &m);
    EngineFaceInfo info;
    ENGINE_GetFaceInfo(font.get(), &info);
    const std::string at = std::string(pFamily) + " " + std::to_string(height);
    ASSERT_EQ(m.Height, m.Ascent + m.Descent) << at;
    if (height > 0) {
      ASSERT_EQ(m.Height, height) << at;
      // The largest em whose extent fits: a pixel more no longer fits.
      EXPECT_TRUE(Fits(outlines, info.Ppem, height)) << at << " em " << info.Ppem;
      EXPECT_FALSE(Fits(outlines, info.Ppem + 1, height)) << at << " em " << info.Ppem;
    } else {
      // As high as the extent at that em, rounded outward.
      const double exact = -height * double(outlines.WinAscent + outlines.WinDescent) / outlines.UnitsPerEm;
      EXPECT_GE(m.Height, exact) << at;
      EXPECT_LT(m.Height, exact + 2) << at;
    }
    for (GlyphFormat format : {GLYPH_MONO, GLYPH_GREY})
      for (const FaceGlyph& glyph : glyphs) {
        GlyphMetrics g;
        ENGINE_GetGlyph(font.get(), glyph.Code, format, &g, nullptr);
        const int top = m.Ascent - g.OriginY;
        if (top < 0 || top + g.BlackBoxY > m.Height) {
          char text[160];
          std::snprintf(text, sizeof text, "%s format %d: U+%04X rows %d..%d outside 0..%d\n", at.c_str(), format,
                        unsigned(glyph.Code), top, top + g.BlackBoxY - 1, m.Height - 1);
          log += text;
        }
      }
  }
  EXPECT_EQ(log, "");
}

}  // namespace

TEST(GlyphCell, EveryHeightHoldsTheHighestAndLowestGlyphsOfDejaVuSans) { SweepEngine("DejaVu Sans"); }
TEST(GlyphCell, EveryHeightHoldsTheHighestAndLowestGlyphsOfLiberationSans) { SweepEngine("Liberation Sans"); }
TEST(GlyphCell, EveryHeightHoldsTheHighestAndLowestGlyphsOfWenQuanYiMicroHei) { SweepEngine("WenQuanYi Micro Hei"); }
TEST(GlyphCell, EveryHeightHoldsTheHighestAndLowestGlyphsOfIpaGothic) { SweepEngine("IPAGothic"); }

TEST(GlyphCell, DejaVuSansKeepsEveryRowFrom8To40) { SweepFace("DejaVu Sans"); }
TEST(GlyphCell, LiberationSansKeepsEveryRowFrom8To40) { SweepFace("Liberation Sans"); }
TEST(GlyphCell, WenQuanYiMicroHeiKeepsEveryRowFrom8To40) { SweepFace("WenQuanYi Micro Hei"); }
TEST(GlyphCell, IpaGothicKeepsEveryRowFrom8To40) { SweepFace("IPAGothic"); }
