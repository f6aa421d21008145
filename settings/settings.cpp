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

namespace {

const char kSection[] = "[V" PROGRAM_VERSION "]";

struct NumericValue {
  const char* name;
  int32_t Settings::*field;
};

// In the order they are written.
const NumericValue kNumericValues[] = {
    {"V350_Compatibility", &Settings::V350_Compatibility},
    {"MagX", &Settings::MagX},
    {"MagY", &Settings::MagY},
    {"SuppressLogging", &Settings::SuppressLogging},
    {"SuppressOptAA", &Settings::SuppressOptAA},
    {"PointMode", &Settings::PointMode},
    {"EnableGamma", &Settings::EnableGamma},
    {"GetTypeXBF", &Settings::GetTypeXBF},
    {"SuppressDetectXBF", &Settings::SuppressDetectXBF},
    {"SuppressMessage", &Settings::SuppressMessage},
    {"LogInWorkingDir", &Settings::LogInWorkingDir},
};

std::optional<Settings> savedCopy;

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
  if (savedCopy) {
    *pSettings = *savedCopy;
    return 0;
  }
  *pSettings = Settings();
  if (!MakeDirs(ConfigDir())) return 1;
  std::string text;
  if (!FILES_ReadAll(SETTINGS_GetFileName(), &text)) return 0;
  for (const auto& [name, value] : ReadSection(text, nullptr)) {
    for (const NumericValue& nv : kNumericValues) {
      if (name == nv.name) pSettings->*nv.field = DecimalValue(value);
    }
    if (name == "MeasurementChars") {
      std::vector<std::string> parts;
      std::istringstream in(value);
      for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
      if (parts.size() > 0) pSettings->BaselineChar = static_cast<uint16_t>(DecimalValue(parts[0]));
      if (parts.size() > 1) pSettings->LowercaseChar = static_cast<uint16_t>(DecimalValue(parts[1]));
      if (parts.size() > 2) pSettings->CapitalChar = static_cast<uint16_t>(DecimalValue(parts[2]));
    }
  }
  return 0;
}

int SETTINGS_Save(const Settings* pSettings) {
  if (!MakeDirs(ConfigDir())) return 1;
  std::string oldText, others;
  if (FILES_ReadAll(SETTINGS_GetFileName(), &oldText)) ReadSection(oldText, &others);
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
  savedCopy = *pSettings;
  return 0;
}
