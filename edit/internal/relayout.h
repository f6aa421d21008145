// Internal to the edit module: the working copy of a character and the rewrite of
// its planes in a new box, which every geometry edit is built from, and the one
// place change notices leave the module. Frame pixels of EXT_FRM characters travel
// in the copy as -1, so the frame plane is re-laid out together with the pixel
// plane.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct Font;

struct CharCopy {
  int Width = 0;
  int Height = 0;
  std::unique_ptr<int8_t[]> aValue;  // Width x Height values, row by row
  // 0 outside the copied box.
  int Get(int x, int y) const {
    return x < 0 || y < 0 || x >= Width || y >= Height ? 0 : aValue[static_cast<size_t>(y) * Width + x];
  }
};

// The character's pixels in its box of BoxWidth x height rows; false when
// memory is short.
bool EDIT_CopyChar(const Font* pFont, uint16_t code, int height, CharCopy* pCopy);

// Gives the character the box width x height (BoxWidth is set, BoxHeight is left
// to the caller) with cleared planes, new ones when the old are too small, and
// fills it from the copy: pixel (x, y) takes the copy's pixel (x + dx, y + dy),
// taken modulo the copy's size where wrap is set. False when memory is short.
bool EDIT_Relayout(Font* pFont, uint16_t code, const CharCopy& copy, int width, int height, int dx, int dy,
                   bool wrap);

// Copy and relayout in one: the character's rows rows re-laid out as above.
bool EDIT_Reshape(Font* pFont, uint16_t code, int rows, int width, int height, int dx, int dy, bool wrap);

// The rows of the character that the edits work on: the font height for the
// standard types, the character's own box for the extended ones.
int EDIT_RowsOf(const Font* pFont, uint16_t code);

// Row edits act on every character together with the font height for the
// standard types and EXT_FRM, on the character's own box otherwise.
bool EDIT_RowsAreFontWide(const Font* pFont);

// Renders the character first when it exists and is not rendered yet.
void EDIT_EnsureRendered(Font* pFont, uint16_t code);

// The largest box or font size, and position, an edit produces: what the file
// formats can hold (16 bits). Edits that would go beyond refuse and change nothing.
constexpr int64_t EDIT_MAX_EXTENT = 65535;
// a + b kept to the 32-bit range.
int32_t EDIT_AddClamped(int64_t a, int64_t b);

// Change notices. Codes first..last changed as 'what' says (ChangeWhat bits).
// Inside a NoticeBatch the notices are gathered and go out as one when the
// outermost batch ends, so a range operation reports once.
void EDIT_Notify(int first, int last, int what);
class NoticeBatch {
 public:
  NoticeBatch();
  ~NoticeBatch();
  NoticeBatch(const NoticeBatch&) = delete;
  NoticeBatch& operator=(const NoticeBatch&) = delete;
};
