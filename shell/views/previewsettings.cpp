#include "shell/views/previewsettings.h"

#include <cstdlib>
#include <string>

#include "shell/settingsection.h"

namespace {

const char kSection[] = "[Preview]";
// The text kept from an edited file: some pages of sample lines, cut where a
// character starts.
constexpr size_t kMaxText = 4000;

int Clamp(long number, int low, int high) { return number < low ? low : number > high ? high : int(number); }

// The text is one value: a line break is written "\n" and a backslash "\\"; any
// other backslash (from an older file) stays as it is.
std::string Escaped(const std::string& text) {
  std::string value;
  for (char ch : text) {
    if (ch == '\\') value += "\\\\";
    else if (ch == '\n') value += "\\n";
    else if (ch != '\r') value += ch;
  }
  return value;
}

std::string Unescaped(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size() && text.size() < kMaxText; ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\'))
      text += value[++i] == 'n' ? '\n' : '\\';
    else
      text += value[i];
  }
  if (text.size() >= kMaxText)
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0xC0) text.pop_back();
  return text;
}

}  // namespace

void PREVIEW_LoadSettings(PreviewSettings* pSettings) {
  *pSettings = PreviewSettings();
  for (const auto& [name, value] : SHELL_ReadSection(kSection)) {
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (name == "Visible") pSettings->Visible = number != 0;
    else if (name == "Zoom") pSettings->Zoom = Clamp(number, 1, 8);
    else if (name == "LightOnDark") pSettings->LightOnDark = number != 0;
    else if (name == "DisplayWidth") pSettings->DisplayWidth = Clamp(number, 0, kPreviewMaxDisplayWidth);
    else if (name == "Text") pSettings->Text = Unescaped(value);
  }
}

int PREVIEW_SaveSettings(const PreviewSettings& settings) {
  return SHELL_WriteSection(kSection, "Visible=" + std::to_string(settings.Visible ? 1 : 0) +
                                          "\nZoom=" + std::to_string(settings.Zoom) +
                                          "\nLightOnDark=" + std::to_string(settings.LightOnDark ? 1 : 0) +
                                          "\nDisplayWidth=" + std::to_string(settings.DisplayWidth) +
                                          "\nText=" + Escaped(settings.Text) + "\n");
}
