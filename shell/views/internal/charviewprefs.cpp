#include "shell/views/internal/charviewprefs.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>

#include "settings/files.h"
#include "settings/settings.h"

namespace {

const char kSection[] = "[Character view]";
// Read as the options record reads the file: a regular file of at most this size,
// so that a FIFO or a link to a device neither blocks the start nor fills memory.
constexpr size_t kMaxFileSize = 64 * 1024;
// The sizes the zoom keys and the wheel go through, each about half as large again
// as the one before.
constexpr int kSteps[] = {4, 6, 8, 12, 16, 24, 32, 48, 64};

}  // namespace

void CHARVIEW_LoadPrefs(CharViewPrefs* pPrefs) {
  *pPrefs = CharViewPrefs();
  std::string text;
  if (!FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &text)) return;
  std::istringstream in(text);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inSection = line == kSection;
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    const long number = std::strtol(line.c_str() + eq + 1, nullptr, 10);
    if (name == "Zoom")
      pPrefs->Zoom = number >= CHARVIEW_ZOOM_MIN && number <= CHARVIEW_ZOOM_MAX ? int(number) : CHARVIEW_ZOOM_FIT;
    else if (name == "Guides")
      pPrefs->Guides = number != 0;
  }
}

int CHARVIEW_SavePrefs(const CharViewPrefs& prefs) {
  std::string old;
  FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &old);
  std::string text;
  std::istringstream in(old);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    std::string bare = line;
    if (!bare.empty() && bare.back() == '\r') bare.pop_back();
    if (!bare.empty() && bare[0] == '[') inSection = bare == kSection;
    if (!inSection) text += line + "\n";
  }
  text += std::string(kSection) + "\nZoom=" + std::to_string(prefs.Zoom) +
          "\nGuides=" + std::to_string(prefs.Guides ? 1 : 0) + "\n";
  const std::string path = SETTINGS_GetFileName();
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return FILES_WriteAtomic(path, text) ? 0 : 1;
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
