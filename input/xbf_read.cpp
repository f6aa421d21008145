// Reading an XBF font file: the type from the trailer (or, for old files, from
// the block sizes or the user), the attached text, the header, the index and the
// character blocks.
//
// Every field is read through a bounds-checked cursor, so a truncated file or an
// index pointing past the end fails the read instead of reading outside the
// image. The planes the characters claim (a box of height 0 claims the font's
// height, as the writers and the merge give it) are charged to a budget in
// proportion to the file (see kPlaneBytesPerFileByte), so a small file cannot
// make the program allocate or write gigabytes. Characters taller than the font
// are read as they are: the generator makes such boxes for accents and tall
// glyphs of the extended types, and the writers save them.
#include "input/xbf_read.h"
#include "input/internal/readfile.h"

#include <algorithm>
#include <cstring>

#include "model/codetables.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

// A well-formed file holds every plane byte it describes (the internal row of a
// character is as wide as the packed row), so its planes never exceed its size.
// Crafted files may share one block between many codes, give boxes of height 0
// huge widths or claim wide rows with few bytes; their planes stop at this many
// bytes per file byte, plus the budget's small allowance.
constexpr uint64_t kPlaneBytesPerFileByte = 2;

// The file packs the leftmost pixel into the high bits of a byte, memory into the
// low bits: the byte with its pixel groups in reverse order, for 1, 2 or 4 bits.
struct ReverseTables {
  uint8_t aByBits[5][256];
  ReverseTables() {
    for (int bits : {1, 2, 4}) {
      const int perByte = 8 / bits, mask = (1 << bits) - 1;
      for (int v = 0; v < 256; ++v) {
        int r = 0;
        for (int k = 0; k < perByte; ++k) r |= ((v >> (bits * k)) & mask) << (bits * (perByte - 1 - k));
        aByBits[bits][v] = static_cast<uint8_t>(r);
      }
    }
  }
};
const ReverseTables kReverse;

class Cursor {
 public:
  Cursor(const uint8_t* pData, size_t size) : p_(pData), size_(size) {}
  bool Ok() const { return ok_; }
  size_t Pos() const { return pos_; }
  size_t Size() const { return size_; }
  void Seek(size_t pos) { pos_ = pos; }
  // Fails the cursor when n bytes from the position do not lie inside the file.
  const uint8_t* Take(size_t n) {
    if (!ok_ || pos_ > size_ || n > size_ - pos_) {
      ok_ = false;
      return nullptr;
    }
    const uint8_t* p = p_ + pos_;
    pos_ += n;
    return p;
  }
  uint16_t U16() {
    const uint8_t* p = Take(2);
    return p ? static_cast<uint16_t>(p[0] | p[1] << 8) : 0;
  }
  uint32_t U32() {
    const uint8_t* p = Take(4);
    return p ? static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24) : 0;
  }
  bool Magic(const char* pText) {
    const size_t n = std::strlen(pText);
    const uint8_t* p = Take(n);
    return p && std::memcmp(p, pText, n) == 0;
  }

 private:
  const uint8_t* p_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

struct Header {
  uint16_t FontHeight, FontSpaceY, Baseline, LowercaseHeight, CapitalHeight, FirstCode, LastCode;
};

bool ReadHeader(Cursor& c, Header* pHeader) {
  if (!c.Magic("GUIX")) return false;
  pHeader->FontHeight = c.U16();
  pHeader->FontSpaceY = c.U16();
  pHeader->Baseline = c.U16();
  pHeader->LowercaseHeight = c.U16();
  pHeader->CapitalHeight = c.U16();
  pHeader->FirstCode = c.U16();
  pHeader->LastCode = c.U16();
  return c.Ok();
}

bool EndsWith(const std::string& image, size_t at, const char* pText) {
  const size_t n = std::strlen(pText);
  return at + n <= image.size() && std::memcmp(image.data() + at, pText, n) == 0;
}

// The type an old file's first decisive pair of neighbouring blocks implies:
// a type, -1 when no character decides, -2 when a value needed lies past the
// end of the file (or the magic is missing).
int DetectType(const std::string& image) {
  Cursor c(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  Header h;
  if (!ReadHeader(c, &h)) return -2;
  const size_t index = c.Pos();
  for (uint32_t code = h.FirstCode; code <= h.LastCode; ++code) {
    c.Seek(index + 6 * size_t(code - h.FirstCode));
    const uint32_t o1 = c.U32();
    const uint16_t s1 = c.U16();
    if (!c.Ok()) return -2;
    if (o1 == 0) continue;
    const uint32_t o2 = c.U32();
    if (!c.Ok()) return -2;
    if (o2 == 0) continue;
    const uint32_t d = o2 - o1;
    c.Seek(o1);
    uint16_t v[6];
    for (uint16_t& value : v) value = c.U16();
    if (!c.Ok()) return -2;
    if (v[0] <= 4) continue;
    uint32_t n = (v[0] + 7u) / 8;
    uint32_t size = (n * h.FontHeight + 4) & 0xFFFF;
    if (s1 == size && v[1] == n && d == size) return FONTTYPE_STD;
    if (v[1] <= 4) continue;
    struct Test {
      uint32_t PixelsPerByte, Planes;
      int32_t Type;
    };
    static const Test kTests[] = {{2, 1, FONTTYPE_EXT_AA4},
                                  {4, 1, FONTTYPE_EXT_AA2},
                                  {8, 1, FONTTYPE_EXT},
                                  {8, 2, FONTTYPE_EXT_FRM}};
    for (const Test& t : kTests) {
      n = (v[1] + t.PixelsPerByte - 1) / t.PixelsPerByte;
      size = (t.Planes * n * v[2] + 12) & 0xFFFF;
      if (s1 == size && v[5] == n && d == size) return t.Type;
    }
  }
  return -1;
}

// The type of the file: its trailer's, the detected one or the user's answer;
// -1 when none can be had.
int ReadType(const std::string& image) {
  const size_t size = image.size();
  if (size >= 4 && EndsWith(image, size - 4, "XBF")) {
    const int type = static_cast<unsigned char>(image[size - 1]);
    return type < FONT_NUM_TYPES ? type : -1;
  }
  Settings settings;
  SETTINGS_Load(&settings);
  if (!settings.SuppressDetectXBF) {
    const int type = DetectType(image);
    if (type >= 0) return type;
    if (type == -2) return -1;
  }
  const int type = SERVICES_Get()->AskXbfType(settings.GetTypeXBF);
  if (type < 0 || type >= FONT_NUM_TYPES) return -1;
  settings.GetTypeXBF = type;
  SETTINGS_Save(&settings);
  return type;
}

// The attached text in front of the trailer, when the file carries one.
void ReadAttachedText(Font* pFont, const std::string& image) {
  const size_t size = image.size();
  if (size < 10 || !EndsWith(image, size - 10, "QRVB")) return;
  const size_t length = static_cast<unsigned char>(image[size - 6]) | static_cast<unsigned char>(image[size - 5]) << 8;
  if (length < 1 || length > 511 || length + 10 >= size) return;
  auto text = std::make_unique<char[]>(length + 1);
  std::memcpy(text.get(), image.data() + size - 10 - length, length);
  text[length] = 0;
  pFont->pXbfText = std::move(text);
  pFont->XbfTextLength = static_cast<uint32_t>(length);
}

class Reader {
 public:
  Reader(Font* pFont, const std::string& image)
      : f_(pFont),
        c_(reinterpret_cast<const uint8_t*>(image.data()), image.size()),
        budget_(image.size(), kPlaneBytesPerFileByte) {}

  bool Run() {
    Header h;
    if (!ReadHeader(c_, &h)) return false;
    h_ = h;
    f_->Encoding = ENCODING_UC16;
    f_->Has16BitCodes = 1;
    f_->NumBlocks = FONT_NUM_BLOCKS_MAX;
    f_->Height = h.FontHeight;
    for (uint32_t code = h.FirstCode; code <= h.LastCode; ++code) {
      const uint32_t offset = c_.U32();
      c_.U16();  // block size, not needed to read the block
      if (!c_.Ok()) return false;
      if (offset == 0) continue;
      const size_t back = c_.Pos();
      c_.Seek(offset);
      if (!ReadBlock(static_cast<uint16_t>(code))) return false;
      c_.Seek(back);
    }
    f_->Baseline = f_->Type == FONTTYPE_STD ? 0 : h.Baseline;
    if (h.LowercaseHeight && h.CapitalHeight) {
      f_->HeightsKnown = 1;
      f_->LowercaseHeightRead = h.LowercaseHeight;
      f_->CapitalHeightRead = h.CapitalHeight;
    }
    FONT_AssignAreas(f_);
    return true;
  }

 private:
  bool ReadBlock(uint16_t code) {
    const bool extended = FONT_IsExtendedType(f_->Type);
    const int planes = f_->Type == FONTTYPE_EXT_FRM ? 2 : 1;
    uint16_t cursorDist = 0, xPos = 0, yPos = 0, height = h_.FontHeight;
    if (extended) cursorDist = c_.U16();
    const uint16_t width = c_.U16();
    if (extended) {
      height = c_.U16();
      xPos = c_.U16();
      yPos = c_.U16();
    }
    const uint16_t rowBytes = c_.U16();
    if (!c_.Ok()) return false;
    const uint8_t* pRows = c_.Take(size_t(planes) * height * rowBytes);
    if (!pRows || !budget_.Charge(INPUT_CharCost(f_, width, height))) return false;

    FONT_SetCharSize(f_, code, width, height);
    CharInfo& ci = f_->aCharInfo[code];
    const size_t planeRowBytes = static_cast<size_t>(FONT_GetRowBytes(f_, width));
    if (ci.DataSize != planeRowBytes * height) return false;  // out of memory
    ci.BoxWidth = width;
    ci.BoxHeight = height;
    ci.FileRowBytes = rowBytes;
    if (extended) {
      // Positions are written as 16-bit two's complement; reading them signed
      // brings a box left of the cursor or above the top row back unchanged.
      ci.BoxLeft = static_cast<int16_t>(xPos);
      ci.BoxTop = h_.Baseline - static_cast<int16_t>(yPos);
      ci.CursorDist = cursorDist;
    }
    // Whole bytes straight into the planes, their pixel order reversed; columns
    // at or beyond the width are dropped from the last byte. The frame plane
    // gets the frame bits, so a frame bit wins over ink at the same place.
    const int bits = FONT_GetBitsPerPixel(f_->Type);
    const uint8_t* pReverse = kReverse.aByBits[bits];
    const size_t usedBytes = std::min<size_t>(rowBytes, planeRowBytes);
    const int lastPixels = width % (8 / bits);
    const uint8_t lastMask =
        usedBytes == planeRowBytes && lastPixels ? static_cast<uint8_t>((1 << (bits * lastPixels)) - 1) : 0xFF;
    for (int plane = 0; plane < planes && ci.DataSize; ++plane) {
      uint8_t* pTarget = plane == 0 ? ci.pPixels.get() : ci.pFrame.get();
      for (int y = 0; y < height; ++y, pRows += rowBytes, pTarget += planeRowBytes) {
        for (size_t i = 0; i < usedBytes; ++i) pTarget[i] = pReverse[pRows[i]];
        if (usedBytes) pTarget[usedBytes - 1] &= lastMask;
      }
    }
    FONT_EnableChar(f_, code, 1);
    ci.Exists = 1;
    ci.Rendered = 1;
    if (width > f_->MaxWidth) f_->MaxWidth = width;
    return true;
  }

  Font* f_;
  Cursor c_;
  Header h_{};
  InputBudget budget_;
};

}  // namespace

FontPtr INPUT_ParseXbf(const std::string& image) {
  SERVICES_Get()->SetWaitCursor(true);
  FontPtr pFont = FONT_Alloc();
  bool ok = false;
  if (pFont) {
    const int type = ReadType(image);
    if (type >= 0) {
      pFont->Type = type;
      ReadAttachedText(pFont.get(), image);
      ok = Reader(pFont.get(), image).Run();
    }
  }
  if (!ok) {
    pFont.reset();
    ReportMessage("Could not create font!");
  }
  SERVICES_Get()->SetStatusText("Ready");
  SERVICES_Get()->SetWaitCursor(false);
  return pFont;
}

FontPtr INPUT_ReadXbf(const char* path) {
  return INPUT_ReadFontFile(path, [](std::string image) { return INPUT_ParseXbf(image); }, nullptr);
}
