#include "cmdline/internal/fontfile.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <cstring>
#include <memory>

#include "generation/fontengine.h"

namespace {
struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
}  // namespace

bool CMD_IsFontFileName(const char* pName) {
  const size_t n = std::strlen(pName);
  if (n < 5) return false;
  const char* ext = pName + n - 4;
  return strcasecmp(ext, ".ttf") == 0 || strcasecmp(ext, ".otf") == 0 || strcasecmp(ext, ".ttc") == 0;
}

bool CMD_UseFontFile(const char* pPath, std::string* pFamily) {
  int count = 0;
  std::unique_ptr<FcPattern, PatternDeleter> face(
      FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(pPath), 0, nullptr, &count));
  FcChar8* family = nullptr;
  if (!face || FcPatternGetString(face.get(), FC_FAMILY, 0, &family) != FcResultMatch) return false;
  if (ENGINE_AddFontFile(pPath) != 0) return false;
  *pFamily = reinterpret_cast<const char*>(family);
  return true;
}
