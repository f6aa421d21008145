// The glyph clipboard. Copy character puts the character's pixels, box and advance
// on the clipboard in the program's own format, together with a PNG picture of
// the glyph (ink dark on white, greys as grey levels) that image editors take.
// Paste character takes the program's own format back, or else any image another
// program put there; the image becomes a grey buffer here, and the core maps its
// greys to the font's indexes (edit/glyph.h).
#pragma once

#include <QImage>

class QMimeData;
struct EditGlyph;

// The MIME type of the program's own glyph data.
extern const char SHELL_GLYPH_MIME[];

// The glyph as a picture: full ink black, background white, greys between.
QImage SHELL_GlyphImage(const EditGlyph& glyph);
// The clipboard contents of a copied glyph: the own data and the picture, as
// PNG and as an image. The caller owns the result.
QMimeData* SHELL_GlyphMimeData(const EditGlyph& glyph);

// Whether the data hold the own format or an image.
bool SHELL_CanPasteGlyph(const QMimeData* pData);

enum GlyphPasteResult { GLYPH_PASTE_OK, GLYPH_PASTE_NOTHING, GLYPH_PASTE_BROKEN, GLYPH_PASTE_TOO_LARGE };
// The glyph a paste puts into a character of a font whose baseline is given (an
// image's top row goes to the font's top row): the own format first, else an
// image. An image is made grey by luminance over a white ground, so transparent
// pixels are background. Own data that do not add up and images wider or higher
// than SHELL_PASTE_MAX_SIDE pixels are refused.
int SHELL_GlyphFromMimeData(const QMimeData* pData, int baseline, EditGlyph* pGlyph);
constexpr int SHELL_PASTE_MAX_SIDE = 4096;
// An image as a glyph, as above.
int SHELL_GlyphFromImage(const QImage& image, int baseline, EditGlyph* pGlyph);
