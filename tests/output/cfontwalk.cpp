#include "output/cfontwalk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/tempdir.h"

namespace {

// The library's types, as far as the generated files use them.
const char kHeader[] = R"(#ifndef GUI_H
#define GUI_H

#define GUI_FONTTYPE_PROP 1
#define GUI_FONTTYPE_PROP_AA2 2
#define GUI_FONTTYPE_PROP_AA4 3
#define GUI_FONTTYPE_PROP_EXT 4
#define GUI_FONTTYPE_PROP_FRM 5
#define GUI_FONTTYPE_PROP_AA2_EXT 6
#define GUI_FONTTYPE_PROP_AA4_EXT 7
#define GUI_FONTTYPE_PROP_SJIS 17
#define GUI_FONTTYPE_PROP_AA2_SJIS 18
#define GUI_FONTTYPE_PROP_AA4_SJIS 19

typedef struct {
  unsigned short XSize;
  unsigned short XDist;
  unsigned short BytesPerLine;
  const void *pData;
} GUI_CHARINFO;

typedef struct {
  unsigned short XSize;
  unsigned short YSize;
  short XPos;
  short YPos;
  unsigned short XDist;
  const void *pData;
} GUI_CHARINFO_EXT;

typedef struct GUI_FONT_PROP {
  unsigned short First;
  unsigned short Last;
  const GUI_CHARINFO *paCharInfo;
  const struct GUI_FONT_PROP *pNext;
} GUI_FONT_PROP;

typedef struct GUI_FONT_PROP_EXT {
  unsigned short First;
  unsigned short Last;
  const GUI_CHARINFO_EXT *paCharInfo;
  const struct GUI_FONT_PROP_EXT *pNext;
} GUI_FONT_PROP_EXT;

#ifdef GUI_OLD_LAYOUT
typedef struct {
  int Type;
  unsigned short YSize, YDist, XMag, YMag;
  const void *pData;
} GUI_FONT;
#else
typedef struct {
  int Type;
  unsigned short YSize, YDist, XMag, YMag;
  union {
    const void *pFontData;
    const GUI_FONT_PROP *pProp;
    const GUI_FONT_PROP_EXT *pPropExt;
  } p;
  unsigned short Baseline, LHeight, CHeight;
} GUI_FONT;
#endif
)";

const char kWalker[] = R"(
#include <stdio.h>

static int Bits(int type) {
  type &= 15;
  return type == 2 || type == 6 ? 2 : type == 3 || type == 7 ? 4 : 1;
}

static void Data(const unsigned char *p, int n) {
  int i;
  printf(":");
  for (i = 0; i < n; i++) printf(" %02X", p[i]);
  printf("\n");
}

static void Walk(const GUI_FONT *f) {
  int type = f->Type & 15;
#ifdef GUI_OLD_LAYOUT
  const void *data = f->pData;
  printf("font %d 0 0 0\n", f->YSize);
#else
  const void *data = f->p.pFontData;
  printf("font %d %d %d %d\n", f->YSize, f->Baseline, f->LHeight, f->CHeight);
#endif
  if (f->XMag != 1 || f->YMag != 1 || f->YDist != f->YSize) printf("bad magnification or spacing\n");
  if (type >= 4) {
    const GUI_FONT_PROP_EXT *r;
    for (r = (const GUI_FONT_PROP_EXT *)data; r; r = r->pNext) {
      unsigned c;
      for (c = r->First; c <= r->Last; c++) {
        const GUI_CHARINFO_EXT *i = &r->paCharInfo[c - r->First];
        int bpl = (i->XSize * Bits(type) + 7) / 8;
        printf("%04X %d %d %d %d %d %d", c, i->XSize, i->YSize, i->XPos, i->YPos, i->XDist, bpl);
        Data((const unsigned char *)i->pData, bpl * i->YSize * (type == 5 ? 2 : 1));
      }
    }
  } else {
    const GUI_FONT_PROP *r;
    for (r = (const GUI_FONT_PROP *)data; r; r = r->pNext) {
      unsigned c;
      for (c = r->First; c <= r->Last; c++) {
        const GUI_CHARINFO *i = &r->paCharInfo[c - r->First];
        printf("%04X %d %d 0 0 %d %d", c, i->XSize, f->YSize, i->XDist, i->BytesPerLine);
        Data((const unsigned char *)i->pData, i->BytesPerLine * f->YSize);
      }
    }
  }
}
)";

// The 256 eight-pixel row names of the 1 bpp types, "X" for ink.
std::string RowMacros() {
  std::string text;
  for (int v = 0; v < 256; ++v) {
    text += "#define ";
    for (int bit = 7; bit >= 0; --bit) text += (v >> bit & 1) ? 'X' : '_';
    text += " " + std::to_string(v) + "\n";
  }
  return text;
}

}  // namespace

int CFONT_Run(const std::string& command, std::string* pOut) {
  std::string line = command;
  line += " 2>&1";
  std::FILE* p = popen(line.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0) pOut->append(buf, n);
  return pclose(p);
}

namespace {

unsigned U16(const std::string& b, size_t at) {
  if (at + 2 > b.size()) {
    ADD_FAILURE() << "read past the end at " << at;
    return 0;
  }
  return unsigned(uint8_t(b[at])) | unsigned(uint8_t(b[at + 1])) << 8;
}
unsigned U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int S16(const std::string& b, size_t at) { return int16_t(U16(b, at)); }

std::vector<unsigned char> Bytes(const std::string& b, size_t at, size_t n) {
  if (at + n > b.size()) {
    ADD_FAILURE() << "data past the end at " << at;
    return {};
  }
  return std::vector<unsigned char>(b.begin() + long(at), b.begin() + long(at + n));
}

int BitsOfType(int type) { return type == 1 || type == 5 ? 2 : type == 2 || type == 6 ? 4 : 1; }

}  // namespace

bool CFONT_CompileAndWalk(const std::string& dir, const std::vector<CFontFile>& files, bool compat,
                          std::string* pOut) {
  WriteFile(dir + "/GUI.h", kHeader + RowMacros() + "\n#endif\n");
  std::string main = "#include \"GUI.h\"\n";
  for (const CFontFile& f : files) main.append("extern const GUI_FONT ").append(f.FontName).append(";\n");
  main += kWalker;
  main += "int main(void) {\n";
  for (const CFontFile& f : files) main.append("  Walk(&").append(f.FontName).append(");\n");
  main += "  return 0;\n}\n";
  WriteFile(dir + "/walk.c", main);
  std::string command = "cc -std=c99 -Wall -Wextra -pedantic -Werror";
  command.append(" -I'").append(dir).append("'");
  if (compat) command += " -DGUI_OLD_LAYOUT";
  command.append(" -o '").append(dir).append("/walk' '").append(dir).append("/walk.c'");
  for (const CFontFile& f : files) command.append(" '").append(f.Path).append("'");
  pOut->clear();
  if (CFONT_Run(command, pOut) != 0) return false;
  pOut->clear();
  std::string program = "'";
  program.append(dir).append("/walk'");
  return CFONT_Run(program, pOut) == 0;
}

std::string CFONT_Describe(const WalkFont& font) {
  std::ostringstream out;
  out << "font " << font.YSize << ' ' << font.Baseline << ' ' << font.LHeight << ' ' << font.CHeight << '\n';
  for (const WalkChar& c : font.Chars) {
    char head[80];
    std::snprintf(head, sizeof(head), "%04X %d %d %d %d %d %d:", c.Code, c.XSize, c.YSize, c.XPos, c.YPos,
                  c.XDist, c.BytesPerLine);
    out << head;
    for (unsigned char b : c.Data) {
      char hex[4];
      std::snprintf(hex, sizeof(hex), " %02X", b);
      out << hex;
    }
    out << '\n';
  }
  return out.str();
}

WalkFont CFONT_ParseXbf(const std::string& b) {
  WalkFont font{};
  if (b.size() < 22 || b.compare(0, 4, "GUIX") != 0 || b.compare(b.size() - 4, 3, "XBF") != 0) {
    ADD_FAILURE() << "not an XBF file";
    return font;
  }
  const int type = uint8_t(b.back());
  const bool ext = type >= 3, frame = type == 4;
  font.YSize = int(U16(b, 4));
  EXPECT_EQ(U16(b, 6), unsigned(font.YSize));
  font.Baseline = int(U16(b, 8));
  font.LHeight = int(U16(b, 10));
  font.CHeight = int(U16(b, 12));
  const unsigned first = U16(b, 14), last = U16(b, 16);
  size_t expectedOffset = 18 + 6 * size_t(last - first + 1);
  for (unsigned code = first; code <= last; ++code) {
    const size_t entry = 18 + 6 * size_t(code - first);
    const unsigned offset = U32(b, entry), size = U16(b, entry + 4);
    if (offset == 0) {
      EXPECT_EQ(size, 0u) << std::hex << code;
      continue;
    }
    EXPECT_EQ(offset, expectedOffset) << std::hex << code;  // blocks are contiguous
    WalkChar c{};
    c.Code = int(code);
    size_t data;
    if (ext) {
      c.XDist = int(U16(b, offset));
      c.XSize = int(U16(b, offset + 2));
      c.YSize = int(U16(b, offset + 4));
      c.XPos = S16(b, offset + 6);
      c.YPos = S16(b, offset + 8);
      c.BytesPerLine = int(U16(b, offset + 10));
      data = offset + 12;
    } else {
      c.XSize = c.XDist = int(U16(b, offset));
      c.YSize = font.YSize;
      c.BytesPerLine = int(U16(b, offset + 2));
      data = offset + 4;
    }
    EXPECT_EQ(c.BytesPerLine, (c.XSize * BitsOfType(type) + 7) / 8);
    const size_t n = size_t(c.BytesPerLine) * size_t(c.YSize) * (frame ? 2 : 1);
    EXPECT_EQ(size, data - offset + n) << std::hex << code;
    c.Data = Bytes(b, data, n);
    expectedOffset = data + n;
    font.Chars.push_back(c);
  }
  EXPECT_EQ(b.size(), expectedOffset + 4);  // only the type trailer follows
  return font;
}

WalkFont CFONT_ParseSif(const std::string& b, bool ext, int bitsPerPixel, bool frame) {
  WalkFont font{};
  if (b.size() < 16 || b.compare(0, 4, "GUIP") != 0) {
    ADD_FAILURE() << "not a SIF file";
    return font;
  }
  font.YSize = int(U16(b, 4));
  EXPECT_EQ(U16(b, 6), unsigned(font.YSize));
  font.Baseline = int(U16(b, 8));
  font.LHeight = int(U16(b, 10));
  font.CHeight = int(U16(b, 12));
  const unsigned ranges = U16(b, 14);
  size_t entry = 16 + 4 * size_t(ranges);
  const size_t entrySize = ext ? 16 : 12;
  size_t count = 0;
  for (unsigned r = 0; r < ranges; ++r) count += U16(b, 16 + 4 * r + 2) - U16(b, 16 + 4 * r) + 1;
  size_t expectedData = entry + entrySize * count;
  for (unsigned r = 0; r < ranges; ++r) {
    for (unsigned code = U16(b, 16 + 4 * r); code <= U16(b, 16 + 4 * r + 2); ++code, entry += entrySize) {
      WalkChar c{};
      c.Code = int(code);
      size_t offset;
      if (ext) {
        c.XSize = int(U16(b, entry));
        c.YSize = int(U16(b, entry + 2));
        c.XPos = S16(b, entry + 4);
        c.YPos = S16(b, entry + 6);
        c.XDist = int(U16(b, entry + 8));
        EXPECT_EQ(U16(b, entry + 10), 0u);
        offset = U32(b, entry + 12);
        c.BytesPerLine = (c.XSize * bitsPerPixel + 7) / 8;
      } else {
        c.XSize = int(U16(b, entry));
        c.XDist = int(U16(b, entry + 2));
        c.BytesPerLine = int(U16(b, entry + 4));
        EXPECT_EQ(U16(b, entry + 6), 0u);
        offset = U32(b, entry + 8);
        c.YSize = font.YSize;
      }
      EXPECT_EQ(offset, expectedData) << std::hex << code;
      const size_t n = size_t(c.BytesPerLine) * size_t(c.YSize) * (frame ? 2 : 1);
      c.Data = Bytes(b, offset, n);
      expectedData = offset + n;
      font.Chars.push_back(c);
    }
  }
  EXPECT_EQ(b.size(), expectedData);
  return font;
}
