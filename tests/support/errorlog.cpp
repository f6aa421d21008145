#include "support/errorlog.h"

#include <unistd.h>

#include <regex>

#include "cmdline/cmdline.h"
#include "support/tempdir.h"

namespace {
std::string ErrorFileName() {
  static const std::string name = "/tmp/morvane-test-errors-" + std::to_string(getpid()) + ".err";
  static bool initialised = false;
  if (!initialised) {
    initialised = true;
    CMDLINE_Init(name.c_str(), ID_FILE_EXIT, nullptr);
    std::remove(name.c_str());
  }
  return name;
}
size_t consumed = 0;
}  // namespace

std::string TakeErrors() {
  std::string text = ReadFile(ErrorFileName());
  std::string fresh = text.substr(std::min(consumed, text.size()));
  consumed = text.size();
  CMDLINE_SetActive(true);
  static const std::regex stamp("\r\n\\* \\d{4}-\\d\\d-\\d\\d, \\d\\d:\\d\\d:\\d\\d\r\n");
  return std::regex_replace(fresh, stamp, "|");
}
