// Go to character: what the user typed, turned into a code of the current font.
// Accepted: hexadecimal codes ("41", "0x41", "U+0041"), decimal codes after a
// number sign ("#65") and one typed character ("A", "あ"), which is looked up in
// the font's encoding (Unicode, the Windows-1252 bytes of an 8-bit font,
// Shift_JIS). A single character is always taken as itself: "7" is the digit
// seven; the code 7 is "07" or "0x7". Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <string>

struct Font;

enum GotoParseResult {
  GOTO_PARSED = 0,
  GOTO_EMPTY = 1,            // nothing but blanks
  GOTO_SYNTAX = 2,           // neither a code nor one character
  GOTO_TOO_LARGE = 3,        // a code above FFFF
  GOTO_NOT_IN_ENCODING = 4,  // a typed character the font's encoding has no code for
};

// Parses UTF-8 text; on GOTO_PARSED *pCode is the code in the encoding given.
int GOTO_ParseCode(const char* pText, int32_t encoding, int* pCode);

enum GotoPlaceResult {
  GOTO_IN_FONT = 0,     // the font view can go there
  GOTO_OUTSIDE = 1,     // beyond the font's codes, or no character there
  GOTO_HIDDEN_BLOCK = 2,  // exists, but its block is hidden while only used blocks show
};

// Whether the font view can show the code (showAll: the view shows every block).
int GOTO_CheckCode(const Font* pFont, int code, int showAll);

// The text for the status bar of a failed attempt (empty on success): pText is
// what was typed, result the parse result, place the GOTO_CheckCode result.
std::string GOTO_FailureText(const char* pText, int result, int code, int place);

// The code of a Unicode character in the encoding; -1 when it has none.
int GOTO_CodeOfUnicode(uint32_t unicode, int32_t encoding);
// A short description of a code of the font's encoding: its Unicode or Shift_JIS
// name, empty when it has none.
std::string GOTO_CharName(int32_t encoding, int code);
