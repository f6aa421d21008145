#include "shell/views/previewsettings.h"

#include <cstdlib>
#include <string>

#include "shell/settingsection.h"

namespace {

const char kSection[] = "[Preview]";

}  // namespace

void PREVIEW_LoadSettings(PreviewSettings* pSettings) {
  *pSettings = PreviewSettings();
  for (const auto& [name, value] : SHELL_ReadSection(kSection)) {
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (name == "Visible") pSettings->Visible = number != 0;
    else if (name == "Zoom") pSettings->Zoom = number < 1 ? 1 : number > 8 ? 8 : static_cast<int>(number);
    else if (name == "LightOnDark") pSettings->LightOnDark = number != 0;
    else if (name == "Text") pSettings->Text = value.substr(0, 1000);
  }
}

int PREVIEW_SaveSettings(const PreviewSettings& settings) {
  std::string value = settings.Text;
  for (char& ch : value)
    if (ch == '\n' || ch == '\r') ch = ' ';
  return SHELL_WriteSection(kSection, "Visible=" + std::to_string(settings.Visible ? 1 : 0) +
                                          "\nZoom=" + std::to_string(settings.Zoom) +
                                          "\nLightOnDark=" + std::to_string(settings.LightOnDark ? 1 : 0) +
                                          "\nText=" + value + "\n");
}
