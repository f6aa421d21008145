// The file a save writes to: a temporary file beside the target, renamed over the
// target only once it is complete, so that a failed or abandoned save leaves an
// existing file as it was.
#pragma once

#include <cstdio>
#include <string>

struct SaveFile {
  std::FILE* pFile = nullptr;  // null when the temporary file could not be created
  std::string Target;          // the file replaced (a symbolic link's target)
  std::string Temp;
};

// Creates the temporary file; pFile stays null on failure.
void SAVEFILE_Open(SaveFile* pSave, const std::string& path);
// Completes the temporary file and renames it over the target; false on failure
// (the target is then untouched and the temporary file removed).
bool SAVEFILE_Commit(SaveFile* pSave);
// Removes the temporary file; the target is untouched.
void SAVEFILE_Discard(SaveFile* pSave);
