// Settings live in an INI file, one section per program version, one "Name=value"
// line per stored value, the values being the decimal texts the registry would hold.
#include "settings/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

#include "settings/files.h"
#include "settings/services.h"

namespace {

const char kSection[] = "[V" PROGRAM_VERSION "]";

// A settings file is a few hundred bytes; anything larger, or anything that is not
// a regular file, is not one of ours and counts as absent.
constexpr size_t kMaxFileSize = 64 * 1024;

struct NumericValue {
  const char* name;
  int32_t Settings::*field;
  int32_t min, max;  // a stored value outside these keeps the default
};

// In the order they are written.
const NumericValue kNumericValues[] = {
    {"V350_Compatibility", &Settings::V350_Compatibility, 0, 1},
    {"MagX", &Settings::MagX, 1, 4},
    {"MagY", &Settings::MagY, 1, 4},
    {"SuppressLogging", &Settings::SuppressLogging, 0, 1},
    {"SuppressOptAA", &Settings::SuppressOptAA, 0, 1},
    {"PointMode", &Settings::PointMode, 0, 1},
    {"EnableGamma", &Settings::EnableGamma, 0, 1},
    {"GetTypeXBF", &Settings::GetTypeXBF, 0, 6},  // a font type
    {"SuppressDetectXBF", &Settings::SuppressDetectXBF, 0, 1},
    {"SuppressMessage", &Settings::SuppressMessage, 0, 1},
    {"LogInWorkingDir", &Settings::LogInWorkingDir, 0, 1},
};

// What this run saved last, and where: read back instead of the file as long as the
// settings live there (a test, or a user, may point XDG_CONFIG_HOME elsewhere).
struct SavedCopy {
  std::string File;
  Settings Values;
};
std::optional<SavedCopy> savedCopy;

std::string ConfigDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/VANTOR";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.config/VANTOR";
}

// Creates the directory and its parents; false when that fails.
bool MakeDirs(const std::string& dir) {
  for (size_t pos = 1; pos <= dir.size(); ++pos) {
    if (pos == dir.size() || dir[pos] == '/') {
      std::string part = dir.substr(0, pos);
      if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat st;
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The standard decimal conversion: optional sign, leading digits, 0 without digits.
int32_t DecimalValue(const std::string& text) {
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Splits the file into lines, finds our section and returns its "name=value" pairs.
// Lines of other sections are returned in 'others' so that a save keeps them.
std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& text,
                                                             std::string* others) {
  std::vector<std::pair<std::string, std::string>> values;
  bool inSection = false;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') inSection = (line == kSection);
    if (!inSection) {
      if (others) *others += line + "\n";
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || line[0] == '[') continue;
    // A registry string value holds at most 200 bytes here.
    values.emplace_back(line.substr(0, eq), line.substr(eq + 1, 200));
  }
  return values;
}

}  // namespace

std::string SETTINGS_GetFileName() { return ConfigDir() + "/" PROGRAM_NAME ".ini"; }

int SETTINGS_Load(Settings* pSettings) {
  if (savedCopy && savedCopy->File == SETTINGS_GetFileName()) {
    *pSettings = savedCopy->Values;
    return 0;
  }
  *pSettings = Settings();
  if (!MakeDirs(ConfigDir())) return 1;
  std::string text;
  if (!FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &text)) return 0;
  for (const auto& [name, value] : ReadSection(text, nullptr)) {
    for (const NumericValue& nv : kNumericValues) {
      const int32_t v = DecimalValue(value);
      if (name == nv.name && v >= nv.min && v <= nv.max) pSettings->*nv.field = v;
    }
    if (name == "MeasurementChars") {
      std::vector<std::string> parts;
      std::istringstream in(value);
      for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
      uint16_t* const chars[] = {&pSettings->BaselineChar, &pSettings->LowercaseChar, &pSettings->CapitalChar};
      for (size_t i = 0; i < parts.size() && i < 3; ++i) {
        const int32_t code = DecimalValue(parts[i]);
        if (code >= 0 && code <= 0xFFFF) *chars[i] = static_cast<uint16_t>(code);
      }
    }
  }
  return 0;
}

int SETTINGS_Save(const Settings* pSettings) {
  if (!MakeDirs(ConfigDir())) return 1;
  std::string oldText, others;
  if (FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &oldText)) ReadSection(oldText, &others);
  std::string text = others;
  if (!text.empty() && text.back() != '\n') text += "\n";
  text += kSection;
  text += "\n";
  char line[64];
  for (const NumericValue& nv : kNumericValues) {
    std::snprintf(line, sizeof(line), "%s=%d\n", nv.name, pSettings->*nv.field);
    text += line;
  }
  std::snprintf(line, sizeof(line), "MeasurementChars=%d,%d,%d\n", pSettings->BaselineChar,
                pSettings->LowercaseChar, pSettings->CapitalChar);
  text += line;
  if (!FILES_WriteAtomic(SETTINGS_GetFileName(), text)) return 1;
  savedCopy = SavedCopy{SETTINGS_GetFileName(), *pSettings};
  SERVICES_Get()->SettingsChanged();
  return 0;
}
