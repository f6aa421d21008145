#include "shell/settingsection.h"

#include <filesystem>
#include <sstream>

#include "settings/files.h"
#include "settings/settings.h"

namespace {

constexpr size_t kMaxFileSize = 64 * 1024;

std::string WithoutCr(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SHELL_ReadSection(const char* pSection) {
  std::vector<std::pair<std::string, std::string>> values;
  std::string text;
  if (!FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &text)) return values;
  std::istringstream in(text);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    line = WithoutCr(line);
    if (!line.empty() && line[0] == '[') {
      inSection = line == pSection;
      continue;
    }
    const size_t eq = line.find('=');
    if (inSection && eq != std::string::npos) values.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return values;
}

int SHELL_WriteSection(const char* pSection, const std::string& lines) {
  std::string old;
  FILES_ReadText(SETTINGS_GetFileName(), kMaxFileSize, &old);
  std::string text;
  std::istringstream in(old);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    const std::string bare = WithoutCr(line);
    if (!bare.empty() && bare[0] == '[') inSection = bare == pSection;
    if (!inSection) text += line + "\n";
  }
  text += std::string(pSection) + "\n" + lines;
  const std::string path = SETTINGS_GetFileName();
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return FILES_WriteAtomic(path, text) ? 0 : 1;
}
