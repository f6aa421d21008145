#include "support/errorlog.h"

#include <unistd.h>

#include "cmdline/cmdline.h"
#include "support/tempdir.h"

namespace {
// The error file of this test process, removed when the process ends.
struct ErrorFile {
  std::string name = "/tmp/morvane-test-errors-" + std::to_string(getpid()) + ".err";
  ErrorFile() {
    CMDLINE_Init(name.c_str(), ID_FILE_EXIT, nullptr);
    std::remove(name.c_str());
  }
  ~ErrorFile() { std::remove(name.c_str()); }
};

const std::string& ErrorFileName() {
  static const ErrorFile file;
  return file.name;
}
size_t consumed = 0;
}  // namespace

std::string TakeErrors() {
  std::string text = ReadFile(ErrorFileName());
  std::string fresh = text.substr(std::min(consumed, text.size()));
  consumed = text.size();
  CMDLINE_SetActive(true);
  return WithoutStamps(fresh);
}
