#include "shell/views/internal/charviewprefs.h"

#include <cstdlib>
#include <iterator>
#include <string>

#include "shell/settingsection.h"

namespace {

const char kSection[] = "[Character view]";
// The sizes the zoom keys and the wheel go through, each about half as large again
// as the one before.
constexpr int kSteps[] = {4, 6, 8, 12, 16, 24, 32, 48, 64};

}  // namespace

void CHARVIEW_LoadPrefs(CharViewPrefs* pPrefs) {
  *pPrefs = CharViewPrefs();
  for (const auto& [name, value] : SHELL_ReadSection(kSection)) {
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (name == "Zoom")
      pPrefs->Zoom = number >= CHARVIEW_ZOOM_MIN && number <= CHARVIEW_ZOOM_MAX ? int(number) : CHARVIEW_ZOOM_FIT;
    else if (name == "Guides")
      pPrefs->Guides = number != 0;
  }
}

int CHARVIEW_SavePrefs(const CharViewPrefs& prefs) {
  return SHELL_WriteSection(kSection,
                            "Zoom=" + std::to_string(prefs.Zoom) + "\nGuides=" + std::to_string(prefs.Guides ? 1 : 0) + "\n");
}

int CHARVIEW_ZoomStep(int size, int steps) {
  int result = size;
  for (; steps > 0; --steps) {
    const int* p = kSteps;
    while (p != std::end(kSteps) && *p <= result) ++p;
    if (p == std::end(kSteps)) break;
    result = *p;
  }
  for (; steps < 0; ++steps) {
    const int* p = std::end(kSteps);
    while (p != kSteps && *(p - 1) >= result) --p;
    if (p == kSteps) break;
    result = *(p - 1);
  }
  return result;
}
