// Small fontconfig helpers shared by the font engine and the chooser's lists:
// owning pointers, the query for the installed scalable faces, and reading a
// face's family names and integer properties.
#pragma once

#include <fontconfig/fontconfig.h>

#include <cstring>
#include <initializer_list>
#include <memory>

struct FcPatternFree {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetFree {
  void operator()(FcFontSet* p) const { FcFontSetDestroy(p); }
};
struct FcObjectSetFree {
  void operator()(FcObjectSet* p) const { FcObjectSetDestroy(p); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternFree>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetFree>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetFree>;

// The installed scalable fonts (of one family when given) with the properties
// named (null names are skipped).
inline FcFontSetPtr ENGINE_FcListScalable(const char* pFamily, std::initializer_list<const char*> objects) {
  FcPatternPtr pattern(FcPatternCreate());
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (pFamily) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(pFamily));
  FcObjectSetPtr objectSet(FcObjectSetCreate());
  for (const char* pObject : objects)
    if (pObject) FcObjectSetAdd(objectSet.get(), pObject);
  return FcFontSetPtr(FcFontList(nullptr, pattern.get(), objectSet.get()));
}

// True when one of the font's family names is pFamily.
inline bool ENGINE_FcHasFamily(FcPattern* pFont, const char* pFamily) {
  FcChar8* pName = nullptr;
  for (int i = 0; FcPatternGetString(pFont, FC_FAMILY, i, &pName) == FcResultMatch; i++)
    if (std::strcmp(reinterpret_cast<const char*>(pName), pFamily) == 0) return true;
  return false;
}

// An integer property of the font, the fallback where it has none.
inline int ENGINE_FcGetInt(FcPattern* pFont, const char* pObject, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pFont, pObject, 0, &value);
  return value;
}
