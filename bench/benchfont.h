// The font the command-line style benchmarks measure: a face and pixel height from
// the arguments (IPAGothic 24 by default) generated as EXT_AA4 Unicode, after the
// tables start-up builds. Null, with a line on stderr, when the face is missing.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "generation/antialias.h"
#include "generation/generate.h"
#include "model/codetables.h"
#include "model/font.h"

inline FontPtr BENCH_CreateFont(int argc, char** argv, const char* pProgram) {
  const char* pFace = argc > 1 ? argv[1] : "IPAGothic";
  const int height = argc > 2 ? std::atoi(argv[2]) : 24;
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();
  LogFontRecord record{};
  record.Height = height;
  record.Weight = 400;
  record.CharSet = 1;
  std::snprintf(record.acFaceName, sizeof record.acFaceName, "%s", pFace);
  FontPtr pFont = FONT_CreateFromLogFont(&record, FONTTYPE_EXT_AA4, ENCODING_UC16, AAMETHOD_OS);
  if (!pFont) std::fprintf(stderr, "%s: cannot create %s %d\n", pProgram, pFace, height);
  return pFont;
}
