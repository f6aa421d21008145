#include "generation/generation_fixture.h"

#include <cstdio>

#include "generation/antialias.h"
#include "model/codetables.h"
#include "support/testfonts.h"

FontPtr CreateFont(const CreateArgs& args) {
  static bool tablesBuilt = false;
  if (!tablesBuilt) {
    AA_InitGammaTables();
    SJIS_Init();
    UNICODE_Init();
    tablesBuilt = true;
  }
  RegisterTestFonts();
  LogFontRecord record{};
  record.Height = args.Height;
  record.Weight = args.Weight;
  record.Italic = uint8_t(args.Italic);
  record.CharSet = uint8_t(args.CharSet);
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", args.pFace);
  return FONT_CreateFromLogFont(&record, args.Type, args.Encoding, args.Method);
}

int InkPixels(Font* pFont, uint16_t code) {
  FONT_RenderChar(pFont, code);
  int n = 0;
  for (int y = 0; y < FONT_GetCharHeight(pFont, code); y++)
    for (int x = 0; x < FONT_GetCharWidth(pFont, code); x++) n += FONT_GetPixel(pFont, code, x, y) != 0;
  return n;
}

bool GlyphInk(const GlyphBitmap& b, int x, int y) {
  if (b.Format == GLYPH_MONO) return b.pBits[y * b.Pitch + x / 8] & (0x80 >> (x % 8));
  return b.pBits[y * b.Pitch + x] != 0;
}
