// Compiling generated C font files with the system C compiler and walking the
// fonts they define, for comparison with the binary files saved from the same font.
#pragma once

#include <string>
#include <vector>

// Runs a shell command, its standard output and error appended to *pOut; gives
// the command's status (0: success).
int CFONT_Run(const std::string& command, std::string* pOut);

// A C file to compile and the identifier of the GUI_FONT it defines.
struct CFontFile {
  std::string Path;
  std::string FontName;
  bool Extended;  // its characters are GUI_CHARINFO_EXT
};

// Writes the library's types as our writer uses them into dir/GUI.h (the older
// layout where GUI_OLD_LAYOUT is defined), compiles the
// files with a walker program (cc -std=c99 -Wall -Wextra -pedantic -Werror, compat
// selects the older layout) and runs it. Returns false with the compiler's or the
// program's output in *pOut on failure; otherwise *pOut is the walk in the text form
// of CFONT_Describe, one font after the other.
bool CFONT_CompileAndWalk(const std::string& dir, const std::vector<CFontFile>& files, bool compat,
                          std::string* pOut);

// One character as the walk prints it.
struct WalkChar {
  int Code, XSize, YSize, XPos, YPos, XDist, BytesPerLine;
  std::vector<unsigned char> Data;  // YSize rows (twice that for a frame font)
};
struct WalkFont {
  int YSize, Baseline, LHeight, CHeight;
  std::vector<WalkChar> Chars;
};
// The text form shared by the walker and the binary-file parsers.
std::string CFONT_Describe(const WalkFont& font);
// Parse XBF and SIF files into the same form; a parse error fails the test.
WalkFont CFONT_ParseXbf(const std::string& bytes);
WalkFont CFONT_ParseSif(const std::string& bytes, bool extended, int bitsPerPixel, bool frame);
