#include "output/savefile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "settings/files.h"

void SAVEFILE_Open(SaveFile* pSave, const std::string& path) {
  std::error_code ec;
  pSave->Target = path;
  if (std::filesystem::is_symlink(path, ec)) {
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    if (!ec) pSave->Target = resolved.string();
  }
  pSave->Temp = FILES_TempNameFor(pSave->Target);
  pSave->pFile = std::fopen(pSave->Temp.c_str(), "wb");
  if (!pSave->pFile) return;
  struct stat old;  // a replaced file keeps its permissions
  if (stat(pSave->Target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    fchmod(fileno(pSave->pFile), old.st_mode & 07777);
}

bool SAVEFILE_Commit(SaveFile* pSave) {
  if (!pSave->pFile) return false;
  bool ok = std::fflush(pSave->pFile) == 0;
  ok = fsync(fileno(pSave->pFile)) == 0 && ok;
  ok = std::fclose(pSave->pFile) == 0 && ok;
  pSave->pFile = nullptr;
  if (ok && std::rename(pSave->Temp.c_str(), pSave->Target.c_str()) == 0) return true;
  std::remove(pSave->Temp.c_str());
  return false;
}

void SAVEFILE_Discard(SaveFile* pSave) {
  if (!pSave->pFile) return;
  std::fclose(pSave->pFile);
  pSave->pFile = nullptr;
  std::remove(pSave->Temp.c_str());
}
