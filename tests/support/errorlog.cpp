#include "support/errorlog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

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

// Each test starts a command-line run of its own with this error file, empty, as
// the test would in a process of its own.
class FreshRunForEachTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    CMDLINE_Init(ErrorFileName().c_str(), ID_FILE_EXIT, nullptr);
    std::remove(ErrorFileName().c_str());
    consumed = 0;
  }
};
const bool listening = (::testing::UnitTest::GetInstance()->listeners().Append(new FreshRunForEachTest), true);
}  // namespace

std::string TakeErrors() {
  std::string text = ReadFile(ErrorFileName());
  std::string fresh = text.substr(std::min(consumed, text.size()));
  consumed = text.size();
  CMDLINE_SetActive(true);
  return WithoutStamps(fresh);
}
