#include "generation/params.h"

#include <cstdlib>
#include <cstring>

namespace {
enum { kExtFrm = 4, kExtAa2 = 5, kExtAa4 = 6 };
}

int32_t GENERATE_GetRecordHeight(int32_t type, int32_t chosenHeight) {
  if (type == kExtFrm && chosenHeight >= 2) return chosenHeight - 2;
  return chosenHeight;
}

int32_t GENERATE_GetEffectiveAAMethod(int32_t type, int32_t method) {
  return type == kExtAa2 || type == kExtAa4 ? 0 : method;
}

int32_t GENERATE_ParsePixelHeight(const char* pText) {
  char first[11] = {};
  std::strncpy(first, pText ? pText : "", 10);
  return int32_t(std::strtol(first, nullptr, 10));
}
