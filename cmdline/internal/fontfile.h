// The font-file form of the create command's FONTNAME: a path to a .ttf, .otf or
// .ttc file, used only when no installed face carries exactly that name.
#pragma once

#include <string>

// True when the name ends in .ttf, .otf or .ttc (any case).
bool CMD_IsFontFileName(const char* pName);
// Makes the file's fonts available to this run and gives the family name of its
// first face in *pFamily; false when the file cannot be read as a font.
bool CMD_UseFontFile(const char* pPath, std::string* pFamily);
