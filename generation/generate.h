// Generating a font from an installed system font: the face check of the create
// command, font creation, and rendering characters on demand.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/font.h"

// True when an installed scalable font carries exactly this family name
// (case-sensitive); a font may carry several names.
bool GENERATE_IsFaceInstalled(const char* pFaceName);

// Creates a font from the system font the record describes (face, height in
// either sign convention, weight, italic, character set) for a type, encoding
// and antialiasing method (the 0-based values of model/font.h). Reads the
// character map, enables the codes it contains, takes the metrics and prepares
// the drawing surface; no character is rendered yet. Null, reported, when no face
// of the family has a usable character map or an EXT font is asked for with the
// ISO8859 encoding. The pending adjustments of generation/adjustments.h pass to
// the new font and apply to its characters whenever they are rendered.
// 'pFaceName', when given, is the whole family name, which the record may hold
// only in part.
FontPtr FONT_CreateFromLogFont(const LogFontRecord* pLogFont, int32_t type, int32_t encoding,
                               int32_t method, const char* pFaceName = nullptr);

// Sizes of one drawn character: its cell (the record's box) and the size drawn
// on the surface (four times the cell with internal antialiasing).
struct GlyphSizes {
  int CellWidth = 0;
  int CellHeight = 0;
  int DrawnWidth = 0;
  int DrawnHeight = 0;
};

// Renders one character of a generated font into its record (the font's render
// hook, called by FONT_RenderChar).
void FONT_GenerateChar(Font* pFont, uint16_t code);
// Renders the listed characters of a generated font into their records, shared out
// among the worker threads (generation/workers.h), each with its own copy of the
// engine font and its own surface; the records come out the same whatever the
// number of threads. Called from a part of a worker job, it renders them on that
// part's thread with that worker's copy (GENERATE_PrepareWorkers first). The font's
// many-characters hook (FONT_RenderPending).
void GENERATE_RenderMany(Font* pFont, const uint16_t* pCodes, size_t count);
// Readies the worker threads for rendering the font's characters from inside a
// worker job: the sampling phase and the value tables are decided and every worker
// gets its copy of the engine font and its surface. False when a copy cannot be
// made. The font's preparing hook (FONT_PrepareWorkerRendering).
bool GENERATE_PrepareWorkers(Font* pFont);
// Draws a character on the font's surface and gives its sizes; with a record,
// fills the record's box, position and advance (extended types).
void FONT_RenderGlyph(Font* pFont, uint16_t code, CharInfo* pInfo, GlyphSizes* pSizes);
// Decides the global sampling y-phase from the font's characters 32..127.
void AA_FindGlobalPhase(Font* pFont);
