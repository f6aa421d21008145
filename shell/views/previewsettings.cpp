#include "shell/views/previewsettings.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "settings/files.h"
#include "settings/settings.h"

namespace {

const char kSection[] = "[Preview]";
// The settings file is read as the options record reads it: a regular file of at
// most this size, so that a FIFO or a link to a device neither blocks the start
// nor fills the memory.
constexpr size_t kMaxFileSize = 64 * 1024;

}  // namespace

void PREVIEW_LoadSettings(PreviewSettings* pSettings) {
  *pSettings = PreviewSettings();
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
    const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (name == "Visible") pSettings->Visible = number != 0;
    else if (name == "Zoom") pSettings->Zoom = number < 1 ? 1 : number > 8 ? 8 : static_cast<int>(number);
    else if (name == "LightOnDark") pSettings->LightOnDark = number != 0;
    else if (name == "Text") pSettings->Text = value.substr(0, 1000);
  }
}

int PREVIEW_SaveSettings(const PreviewSettings& settings) {
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
  std::string value = settings.Text;
  for (char& ch : value)
    if (ch == '\n' || ch == '\r') ch = ' ';
  text += std::string(kSection) + "\nVisible=" + std::to_string(settings.Visible ? 1 : 0) +
          "\nZoom=" + std::to_string(settings.Zoom) + "\nLightOnDark=" + std::to_string(settings.LightOnDark ? 1 : 0) +
          "\nText=" + value + "\n";
  const std::string path = SETTINGS_GetFileName();
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return FILES_WriteAtomic(path, text) ? 0 : 1;
}
