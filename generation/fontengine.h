// The font engine: installed faces, fonts opened from a logical-font request,
// their character maps, text metrics and glyph bitmaps. The conventions follow
// the classic desktop engine the generator was designed around: a positive height
// is the cell height, a negative one the em height; glyph origins are measured
// from the pen position, y upwards from the baseline to the top of the black box.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct EngineFont;
struct EngineFontCloser {
  void operator()(EngineFont* pFont) const;
};
using EngineFontPtr = std::unique_ptr<EngineFont, EngineFontCloser>;

// Character-set values of the logical-font record that pick an 8-bit code page.
enum {
  ENGINE_ANSI_CHARSET = 0,
  ENGINE_DEFAULT_CHARSET = 1,
  ENGINE_SYMBOL_CHARSET = 2,
};

struct EngineFontRequest {
  const char* pFaceName = "";
  int32_t Height = 0;   // > 0: cell height, < 0: em height, in pixels; 0: 16-pixel cell
  int32_t Weight = 0;   // 1..1000; 0 means 400
  int32_t Italic = 0;   // non-zero: italic
  int32_t CharSet = ENGINE_DEFAULT_CHARSET;
};

struct EngineTextMetrics {
  int32_t Height;        // cell height: Ascent + Descent
  int32_t Ascent;        // baseline row counted from the top of the cell
  int32_t Descent;
  int32_t MaxCharWidth;  // largest advance
};

enum GlyphFormat {
  GLYPH_MONO = 0,  // 1 bit per pixel, leftmost pixel in the most significant bit
  GLYPH_GREY = 1,  // one byte per pixel, 0 (none) .. 64 (full coverage)
  // One byte per pixel, 0 (none) .. 255 (full coverage), as the rasterizer gives
  // it: the same pixels as GLYPH_GREY without its conversion (v x 64 / 255, rounded).
  GLYPH_COVERAGE = 2,
};

struct GlyphMetrics {
  int32_t BlackBoxX;  // width of the inked box; 1 for an empty glyph
  int32_t BlackBoxY;  // height of the inked box; 1 for an empty glyph
  int32_t OriginX;    // pen position to the left edge of the box
  int32_t OriginY;    // baseline up to the top edge of the box
  int32_t CellIncX;   // advance
};

// A rendered glyph, valid until the next glyph request on the same font.
struct GlyphBitmap {
  const uint8_t* pBits = nullptr;  // null for an empty glyph
  int32_t Width = 0;
  int32_t Rows = 0;
  int32_t Pitch = 0;  // bytes from one row to the next
  GlyphFormat Format = GLYPH_MONO;
};

// Every family name of the installed scalable fonts (a font may carry several),
// sorted, without duplicates.
std::vector<std::string> ENGINE_ListFaces();
// True when an installed scalable font carries exactly this family name
// (case-sensitive).
bool ENGINE_FaceExists(const char* pFaceName);
// Makes a font file available to this process as if it were installed; 0 on success.
int ENGINE_AddFontFile(const char* pPath);

// Opens the best face of the requested family that has a usable character map
// (the best face that opens when none has one), synthesizing bold and oblique
// where the face lacks them. Only a family that is not installed at all is
// replaced by fontconfig's substitute. A positive height gives a font exactly
// that high whose cell holds the face's whole extent (the Windows ascent and
// descent, else the hhea ones) at the scale glyphs are rendered with; a negative
// one sets that em and makes the cell as high as the extent. Null only when no
// face can be found or opened.
EngineFontPtr ENGINE_OpenFont(const EngineFontRequest& request);
void ENGINE_GetTextMetrics(const EngineFont* pFont, EngineTextMetrics* pMetrics);
// A second font that renders exactly as this one, on a library of its own, so
// that another thread can render with it; null when the face cannot be opened again.
// The original must outlive it.
EngineFontPtr ENGINE_CopyFont(const EngineFont* pFont);

// Which face a font was opened from and what is synthesized on it.
struct EngineFaceInfo {
  std::string File;
  int32_t Index;          // face index within the file
  int32_t SyntheticBold;  // pixels every glyph and advance is widened by; 0 none
  bool SyntheticOblique;
  double Ppem;            // em size in pixels the face is rendered at
};
void ENGINE_GetFaceInfo(const EngineFont* pFont, EngineFaceInfo* pInfo);
// The 16-bit codes of the font's character map that lead to a glyph other than
// glyph 0, ascending: the Unicode map (any platform or format, its BMP part), else
// the Windows symbol map. Returns 1 when the font has neither.
int ENGINE_GetMappedCodes(const EngineFont* pFont, std::vector<uint16_t>* pCodes);
// The Unicode character that a byte of an 8-bit string stands for in the code page
// of the request's character set (Windows-1252 for the default set).
uint32_t ENGINE_ByteToUnicode(const EngineFont* pFont, uint8_t byte);

// Renders the glyph of a Unicode character (the font's default glyph when it has
// none). Fills the metrics and, when pBitmap is given, the bitmap. Returns 0, or
// 1 when the glyph cannot be rendered (metrics then describe an empty glyph).
int ENGINE_GetGlyph(EngineFont* pFont, uint32_t unicode, GlyphFormat format,
                    GlyphMetrics* pMetrics, GlyphBitmap* pBitmap);
