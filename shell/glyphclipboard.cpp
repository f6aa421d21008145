#include "shell/glyphclipboard.h"

#include <QBuffer>
#include <QMimeData>
#include <cstring>
#include <vector>

#include "edit/glyph.h"

const char SHELL_GLYPH_MIME[] = "application/x-morvane-glyph";

namespace {

// The own format: the magic, six little-endian 32-bit numbers (width, height, value
// of full ink, box left, box top, advance), then one byte per pixel, row by row.
constexpr char kMagic[4] = {'M', 'V', 'G', '1'};
constexpr int kHeaderSize = 4 + 6 * 4;
constexpr int kMaxExtent = 65535;

void PutInt(QByteArray* pOut, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) pOut->append(static_cast<char>((u >> (8 * i)) & 0xFF));
}

int32_t GetInt(const char* p) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= uint32_t{static_cast<uint8_t>(p[i])} << (8 * i);
  return static_cast<int32_t>(u);
}

QByteArray Encode(const EditGlyph& g) {
  QByteArray out(kMagic, 4);
  for (int32_t v : {g.Width, g.Height, g.MaxValue, g.BoxLeft, g.BoxTop, g.CursorDist}) PutInt(&out, v);
  out.append(reinterpret_cast<const char*>(g.aValue.data()), static_cast<qsizetype>(g.aValue.size()));
  return out;
}

// Data from the clipboard may come from anywhere (another instance of the program,
// of another version, or a program that borrowed the type): the sizes must lie in
// what a character can have and add up to the bytes there are, and no value may
// exceed full ink, before anything is allocated or pasted.
bool Decode(const QByteArray& data, EditGlyph* pGlyph) {
  if (data.size() < kHeaderSize || std::memcmp(data.constData(), kMagic, 4) != 0) return false;
  const char* p = data.constData() + 4;
  EditGlyph g;
  g.Width = GetInt(p);
  g.Height = GetInt(p + 4);
  g.MaxValue = GetInt(p + 8);
  g.BoxLeft = GetInt(p + 12);
  g.BoxTop = GetInt(p + 16);
  g.CursorDist = GetInt(p + 20);
  if (g.Width < 0 || g.Height < 0 || g.Width > kMaxExtent || g.Height > kMaxExtent || g.MaxValue < 1 ||
      g.MaxValue > 255)
    return false;
  if (data.size() - kHeaderSize != qsizetype{g.Width} * g.Height) return false;
  const auto* pValues = reinterpret_cast<const uint8_t*>(data.constData() + kHeaderSize);
  g.aValue.assign(pValues, pValues + (data.size() - kHeaderSize));
  for (uint8_t v : g.aValue)
    if (v > g.MaxValue) return false;
  *pGlyph = std::move(g);
  return true;
}

}  // namespace

QImage SHELL_GlyphImage(const EditGlyph& glyph) {
  QImage image(glyph.Width, glyph.Height, QImage::Format_Grayscale8);
  for (int y = 0; y < glyph.Height; ++y) {
    uchar* pLine = image.scanLine(y);
    for (int x = 0; x < glyph.Width; ++x)
      pLine[x] = static_cast<uchar>(
          255 - EDIT_ScaleValue(glyph.aValue[static_cast<size_t>(y) * glyph.Width + x], glyph.MaxValue, 255));
  }
  return image;
}

QMimeData* SHELL_GlyphMimeData(const EditGlyph& glyph) {
  auto* pData = new QMimeData;
  pData->setData(SHELL_GLYPH_MIME, Encode(glyph));
  const QImage image = SHELL_GlyphImage(glyph);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.isNull() && image.save(&buffer, "PNG")) pData->setData("image/png", png);
  if (!image.isNull()) pData->setImageData(image);
  return pData;
}

bool SHELL_CanPasteGlyph(const QMimeData* pData) {
  return pData && (pData->hasFormat(SHELL_GLYPH_MIME) || pData->hasImage() || pData->hasFormat("image/png"));
}

int SHELL_GlyphFromImage(const QImage& source, int baseline, EditGlyph* pGlyph) {
  if (source.isNull()) return GLYPH_PASTE_BROKEN;
  if (source.width() > SHELL_PASTE_MAX_SIDE || source.height() > SHELL_PASTE_MAX_SIDE) return GLYPH_PASTE_TOO_LARGE;
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  std::vector<uint8_t> grey(static_cast<size_t>(image.width()) * image.height());
  size_t i = 0;
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* pLine = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      // Luminance over a white ground: a transparent pixel is background.
      const int a = qAlpha(pLine[x]);
      grey[i++] = static_cast<uint8_t>((qGray(pLine[x]) * a + 255 * (255 - a) + 127) / 255);
    }
  }
  EDIT_GlyphFromGrey(grey.data(), image.width(), image.height(), baseline, pGlyph);
  return GLYPH_PASTE_OK;
}

int SHELL_GlyphFromMimeData(const QMimeData* pData, int baseline, EditGlyph* pGlyph) {
  if (!pData) return GLYPH_PASTE_NOTHING;
  if (pData->hasFormat(SHELL_GLYPH_MIME))
    return Decode(pData->data(SHELL_GLYPH_MIME), pGlyph) ? GLYPH_PASTE_OK : GLYPH_PASTE_BROKEN;
  if (pData->hasImage()) return SHELL_GlyphFromImage(qvariant_cast<QImage>(pData->imageData()), baseline, pGlyph);
  if (pData->hasFormat("image/png")) {
    QImage image;
    if (!image.loadFromData(pData->data("image/png"), "PNG")) return GLYPH_PASTE_BROKEN;
    return SHELL_GlyphFromImage(image, baseline, pGlyph);
  }
  return GLYPH_PASTE_NOTHING;
}
