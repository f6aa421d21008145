#include "viewtest.h"

#include <cstdio>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "shell/document.h"

ViewServices::ViewServices(Document* pDocument) : pDocument_(pDocument) { SERVICES_Install(this); }
ViewServices::~ViewServices() { SERVICES_Install(nullptr); }
void ViewServices::RedrawViews(int viewMask) { pDocument_->notifyRedraw(viewMask); }
void ViewServices::FontChanged(const ChangeNotice& notice) { pDocument_->notifyFontChanged(notice); }

FontPtr MemoryFont(int32_t type, bool sixteenBit, int height) {
  static bool tables = false;
  if (!tables) {
    AA_InitGammaTables();
    SJIS_Init();
    UNICODE_Init();
    tables = true;
  }
  FontPtr pFont = FONT_Alloc();
  pFont->Type = type;
  pFont->Encoding = sixteenBit ? ENCODING_UC16 : ENCODING_ISO8859;
  pFont->Height = height;
  pFont->Baseline = height - 2;
  pFont->MaxWidth = 5;
  pFont->NumBlocks = sixteenBit ? FONT_NUM_BLOCKS_MAX : 16;
  pFont->Has16BitCodes = sixteenBit;
  FONT_AssignAreas(pFont.get());
  return pFont;
}

void SetGlyph(Font* pFont, uint16_t code, int w, int rows, int boxTop, std::initializer_list<const char*> pixels) {
  const int h = rows ? rows : pFont->Height;
  FONT_SetCharSize(pFont, code, w, h);
  CharInfo& ci = pFont->aCharInfo[code];
  ci.BoxHeight = h;
  ci.BoxTop = boxTop;
  ci.CursorDist = w;
  ci.Rendered = 1;
  int y = 0;
  const int highest = FONT_GetMaxPixelValue(pFont);
  for (const char* pRow : pixels) {
    for (int x = 0; pRow[x] && x < w; x++) {
      const char ch = pRow[x];
      int v = 0;
      if (ch == '#') v = highest;
      else if (ch == 'o') v = FONT_FRAME_PIXEL;
      else if (ch >= '1' && ch <= '9') v = ch - '0';
      else if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
      if (v) FONT_SetPixel(pFont, code, x, y, v);
    }
    y++;
  }
  FONT_EnableChar(pFont, code, 1);
}

FontPtr GeneratedFont(const char* pFace, int height, int32_t type, int32_t encoding) {
  MemoryFont(type, true);  // builds the tables once
  if (!GENERATE_IsFaceInstalled(pFace)) return nullptr;
  LogFontRecord record{};
  record.Height = -height;
  record.Weight = 400;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);
  return FONT_CreateFromLogFont(&record, type, encoding, AAMETHOD_OS);
}

unsigned AaRgb(int32_t type, int value) {
  const AAColor c = AA_ValueToColor(type, value);
  return (c & 255) << 16 | (c >> 8 & 255) << 8 | (c >> 16 & 255);
}

QImage Grab(QWidget* pWidget) { return pWidget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

unsigned Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

int CountNot(const QImage& image, const QRect& rect, unsigned rgb) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); y++)
    for (int x = rect.left(); x <= rect.right(); x++) n += Rgb(image, x, y) != rgb;
  return n;
}

bool AllOf(const QImage& image, const QRect& rect, unsigned rgb) { return CountNot(image, rect, rgb) == 0; }
