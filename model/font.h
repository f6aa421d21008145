// The in-memory bitmap font: a record for each of the 65536 character codes, a
// record per block of 16 codes, the font-wide metrics and, for a font generated
// from a system font, the engine objects its characters are rendered with.
//
// Ownership: a Font is large (about 3 MB) and lives on the heap only.
// FONT_Alloc returns a FontPtr, a std::unique_ptr whose deleter does what
// FONT_Delete does (releases everything the font owns; deleting a font touches
// no program-wide state). Dropping or resetting a FontPtr deletes the font;
// FONT_Delete (std::move(p)) says so explicitly. Everything a Font points to is
// owned by it through RAII members.
//
// Pixel planes: BoxHeight rows (or the rows the plane was sized for) of
// FONT_GetRowBytes (BoxWidth) bytes, top row first. Inside a byte the leftmost
// pixel lies in the least significant bits (files use the opposite order).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct ChangeNotice;
struct Settings;

// Font types; stored as 32-bit integers.
enum FontType : int32_t {
  FONTTYPE_STD = 0,      // 1 bpp, every character as high as the font
  FONTTYPE_AA2 = 1,      // 2 bpp
  FONTTYPE_AA4 = 2,      // 4 bpp
  FONTTYPE_EXT = 3,      // 1 bpp, per-character box, position and advance
  FONTTYPE_EXT_FRM = 4,  // EXT with a one-pixel frame plane around the ink
  FONTTYPE_EXT_AA2 = 5,  // extended, 2 bpp
  FONTTYPE_EXT_AA4 = 6,  // extended, 4 bpp
};
constexpr int32_t FONT_NUM_TYPES = 7;

enum Encoding : int32_t {
  ENCODING_UC16 = 0,     // 16-bit Unicode
  ENCODING_ISO8859 = 1,  // 8-bit codes 0..255
  ENCODING_JIS = 2,      // Shift_JIS codes, single or double byte
};

enum AAMethod : int32_t {
  AAMETHOD_OS = 0,        // antialiasing by the font engine's renderer
  AAMETHOD_INTERNAL = 1,  // the program's own antialiasing
};

constexpr int32_t FONT_NUM_CODES = 65536;
constexpr int32_t FONT_NUM_BLOCKS_MAX = 4096;  // blocks of 16 codes
constexpr int32_t FONT_FILENAME_SIZE = 500;    // acFileName, terminating zero included
constexpr int32_t FONT_FONTNAME_SIZE = 100;    // acFontName, terminating zero included
constexpr int32_t FONT_FACENAME_SIZE = 32;     // LogFont.acFaceName, terminating zero included

// Pixel value of a frame pixel (EXT_FRM only).
constexpr int FONT_FRAME_PIXEL = -1;

struct CharInfo {
  int32_t BoxWidth = 0;      // width of the pixel box
  int32_t FileRowBytes = 0;  // bytes per row as read from a file (informational)
  uint8_t Enabled = 0;       // belongs to the font: shown enabled, saved
  uint8_t Rendered = 0;      // the planes hold the character's pixels
  uint8_t Exists = 0;        // has a source: the system font's map or a file
  uint32_t DataSize = 0;     // bytes of each plane; non-zero: planes allocated
  int32_t BoxLeft = 0;       // box offset from the cursor position (extended types)
  int32_t BoxTop = 0;        // baseline up to the box's top row (extended types)
  int32_t CursorDist = 0;    // cursor advance (extended types)
  int32_t BoxHeight = 0;     // rows of the box; 0: writers use the font height
  std::unique_ptr<uint8_t[]> pPixels;  // pixel plane, DataSize bytes
  std::unique_ptr<uint8_t[]> pFrame;   // frame plane (EXT_FRM only), DataSize bytes
};

struct CharBlock {
  uint8_t Used = 0;   // a character of the block was enabled since the font was built
  int32_t Area = 0;   // index of the Unicode block the group lies in; -1 none
};

// The logical-font record a font is generated from. Readers leave it zero.
struct LogFontRecord {
  int32_t Height = 0;  // > 0 cell height, < 0 em height, in pixels
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 0;  // 100..900; 0 default
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  uint8_t CharSet = 0;
  uint8_t OutPrecision = 0;
  uint8_t ClipPrecision = 0;
  uint8_t Quality = 0;
  uint8_t PitchAndFamily = 0;
  char acFaceName[FONT_FACENAME_SIZE] = {};
};

// What generation keeps for rendering a generated font's characters: the engine
// font, its metrics and the drawing surface (generation/rendercontext.h).
struct RenderContext;

struct Font {
  // Engine font and drawing surface of a generated font; null for fonts read
  // from files. Filled by the generator; the shared_ptr carries its own deleter,
  // so the model needs no knowledge of the engine.
  std::shared_ptr<RenderContext> pRenderContext;
  LogFontRecord LogFont;
  int32_t Type = FONTTYPE_STD;  // FontType
  int32_t Encoding = ENCODING_UC16;
  int32_t AAMethod = AAMETHOD_OS;
  int32_t Height = 0;    // font height in pixels
  int32_t MaxWidth = 0;  // widest character
  std::array<CharInfo, FONT_NUM_CODES> aCharInfo;  // indexed by code
  uint16_t CurrentChar = 0;  // the code selected in the views
  uint8_t Has16BitCodes = 0;  // UC16 and JIS; clear for ISO8859
  uint32_t NumUsedBlocks = 0;
  int32_t NumBlocks = 0;     // 4096 with 16-bit codes, else 16
  std::array<CharBlock, FONT_NUM_BLOCKS_MAX> aBlock;
  // Code ranges of the system font's character map; NumRanges entries each.
  int32_t NumRanges = 0;
  std::vector<uint16_t> aRangeFirst;
  std::vector<uint16_t> aRangeLast;
  char acFileName[FONT_FILENAME_SIZE] = {};
  char acFontName[FONT_FONTNAME_SIZE] = {};  // C identifier read from a C file; empty: derive
  std::unique_ptr<char[]> pHeader;    // zero-terminated banner kept from a C file; null none
  int32_t Baseline = 0;               // baseline row counted from the top
  int32_t HeightsKnown = 0;           // the two heights below were read from a file
  int32_t LowercaseHeightRead = 0;
  int32_t CapitalHeightRead = 0;
  std::unique_ptr<char[]> pXbfText;   // zero-terminated text kept from an XBF file; null none
  uint32_t XbfTextLength = 0;         // its length in bytes (it may hold zero bytes); 0: up to its first zero
};

struct FontDeleter {
  void operator()(Font* pFont) const;
};
using FontPtr = std::unique_ptr<Font, FontDeleter>;

// Creation and destruction.
FontPtr FONT_Alloc();  // all records zero (Area 0), NumBlocks 0; null when memory is short
void FONT_Delete(FontPtr pFont);  // nothing for null

// Font-wide accessors; all but FONT_GetHeight expect a font.
int32_t FONT_GetHeight(const Font* pFont);  // 0 for null
int32_t FONT_GetMaxWidth(const Font* pFont);
int32_t FONT_GetType(const Font* pFont);
int32_t FONT_GetEncoding(const Font* pFont);
int32_t FONT_GetAAMethod(const Font* pFont);
// The engine font and the drawing surface live together in the render context.
RenderContext* FONT_GetHFont(const Font* pFont);
RenderContext* FONT_GetDC(const Font* pFont);
int32_t FONT_GetBaseline(const Font* pFont);
int32_t FONT_GetNumBlocks(const Font* pFont);
uint32_t FONT_GetNumUsedBlocks(const Font* pFont);
int FONT_Has16BitCodes(const Font* pFont);
uint16_t FONT_GetCurrentChar(const Font* pFont);
// A code at or above NumBlocks x 16 is stored as 0.
void FONT_SetCurrentChar(Font* pFont, uint32_t code);
// Copy the name and return its length when it fits with its zero into size
// bytes; otherwise copy nothing and return 0.
int FONT_GetFaceName(const Font* pFont, char* pBuffer, int size);
int FONT_GetFileName(const Font* pFont, char* pBuffer, int size);
void FONT_SetFileName(Font* pFont, const char* pName);  // keeps at most 499 characters
void FONT_GetLogFont(const Font* pFont, LogFontRecord* pRecord);
// Bytes of the text kept from an XBF file (zero bytes included); 0 without one.
size_t FONT_GetXbfTextLength(const Font* pFont);
// Largest pixel value of the font's type: 1, 3 or 15.
int FONT_GetMaxPixelValue(const Font* pFont);
// Bytes per pixel row for a box width; 0 for an unknown type.
int FONT_GetRowBytes(const Font* pFont, int width);

// Properties of a type: 1, 2 or 4 bits per pixel (0 unknown); extended or not.
int FONT_GetBitsPerPixel(int32_t type);
bool FONT_IsExtendedType(int32_t type);

// Character accessors.
int32_t FONT_GetCharWidth(const Font* pFont, uint16_t code);
int32_t FONT_GetCharHeight(const Font* pFont, uint16_t code);
int FONT_IsCharEnabled(const Font* pFont, uint16_t code);
int FONT_IsCharRendered(const Font* pFont, uint16_t code);
int FONT_CharExists(const Font* pFont, uint16_t code);
int FONT_IsBlockUsed(const Font* pFont, uint32_t block);
int32_t FONT_GetBlockArea(const Font* pFont, uint32_t block);
// BoxWidth = width; new zero-filled planes of height x FONT_GetRowBytes (width)
// bytes (two for EXT_FRM) replace and release the old ones; DataSize = their
// size. BoxHeight is left to the caller.
void FONT_SetCharSize(Font* pFont, uint16_t code, int width, int height);
// 0 outside the box (negative coordinates too); -1 at a frame pixel; else the
// pixel value.
int FONT_GetPixel(const Font* pFont, uint16_t code, int x, int y);
// value 0..largest writes the pixel plane and clears a frame pixel there; -1
// sets a frame pixel (EXT_FRM). x and y must lie inside the planes.
void FONT_SetPixel(Font* pFont, uint16_t code, int x, int y, int value);
// EXT_FRM only: frame every background 4-neighbour of ink inside the box
// (CalcFrame keeps existing frame pixels, RecalcFrame clears the plane first).
void FONT_CalcFrame(Font* pFont, uint16_t code);
void FONT_RecalcFrame(Font* pFont, uint16_t code);

// Enabling. Enabling marks the block used (NumUsedBlocks + 1 the first time);
// nothing ever clears a block's Used flag.
void FONT_EnableChar(Font* pFont, uint16_t code, int onoff);
void FONT_EnableBlock(Font* pFont, uint32_t block, int onoff);
void FONT_EnableRange(Font* pFont, uint32_t first, uint32_t last, int onoff);  // nothing when last < first

// Rendering on demand. The rasterizer lives in generation/ and installs itself
// here (the generator does so when it creates a font); without a hook nothing
// is rendered.
// The second hook, when given, renders many characters at once (the generator's
// shares them out among threads); the codes it gets exist, are not rendered yet
// and ascend. Without it they are rendered one by one through the first.
using FontRenderHook = void (*)(Font* pFont, uint16_t code);
using FontRenderManyHook = void (*)(Font* pFont, const uint16_t* pCodes, size_t count);
// The third, when given, readies the second to be called from the parts of a
// worker job (generation/workers.h), each part rendering on its own thread; false
// when it cannot.
using FontRenderPrepareHook = bool (*)(Font* pFont);
void FONT_SetRenderHook(FontRenderHook hook, FontRenderManyHook manyHook = nullptr,
                        FontRenderPrepareHook prepareHook = nullptr);
// When the character exists: render it through the hook and set Rendered.
void FONT_RenderChar(Font* pFont, uint16_t code);
// Renders those of the codes that exist and are not rendered yet, all at once (a
// page of characters about to be shown); the codes ascend.
void FONT_RenderCodes(Font* pFont, const uint16_t* pCodes, size_t count);
// Renders every enabled, existing, unrendered character (status "Reading
// character %04X   " every 256 codes), disables every character of width 0,
// shows "Ready" and, when it disabled enabled characters, reports the codes from
// the first to the last of them as changed in their enabled state.
void FONT_RenderPending(Font* pFont);
// FONT_RenderPending in pieces, for a writer that formats each piece of characters
// as soon as it is rendered, on the worker threads. FONT_PrepareWorkerRendering,
// on the calling thread before the job, gives the range of the characters pending
// (First > Last when none) and readies the renderer; false when the renderer cannot
// render on the worker threads: FONT_RenderPending is then the way.
// FONT_RenderOnWorker, from the job's parts, renders those of the codes (ascending,
// different codes for each part) that exist and are not rendered yet, without
// notice or status text. FONT_EndWorkerRendering, after the job, does what
// FONT_RenderPending does once the characters are rendered.
bool FONT_PrepareWorkerRendering(Font* pFont, ChangeNotice* pPending);
void FONT_RenderOnWorker(Font* pFont, const uint16_t* pCodes, size_t count);
void FONT_EndWorkerRendering(Font* pFont, const ChangeNotice& pending);

// Metrics.
// Rows of ink above the baseline (BoxHeight for the extended types); renders
// the character first when needed.
int FONT_MeasureCharHeight(Font* pFont, uint16_t code);
// FONT_MeasureCharHeight of the measurement characters of the settings.
int FONT_GetLowercaseHeight(Font* pFont, const Settings& settings);
int FONT_GetCapitalHeight(Font* pFont, const Settings& settings);
