// Every test process keeps its settings in a folder of its own, so no test reads
// what another one running at the same time saved, and the suite never writes the
// settings of the user who runs it. A test that needs a particular folder sets
// XDG_CONFIG_HOME itself; a process a test starts with MORVANE_TEST_CONFIG in its
// environment keeps the folder it was given. The folder is emptied before each test,
// and command-line mode is off, so that a test binary run as one process gives each
// test what a process of its own would (ctest runs each test in a process of its own).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "cmdline/cmdline.h"

namespace {

// Empties the folder before each test.
class EmptyBeforeEachTest : public ::testing::EmptyTestEventListener {
 public:
  explicit EmptyBeforeEachTest(std::string path) : path_(std::move(path)) {}
  void OnTestStart(const ::testing::TestInfo&) override {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error))
      std::filesystem::remove_all(entry.path(), error);
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    CMDLINE_SetActive(false);
  }

 private:
  std::string path_;
};

class PrivateSettingsFolder {
 public:
  PrivateSettingsFolder() {
    if (std::getenv("MORVANE_TEST_CONFIG")) return;
    std::string path = "/tmp/morvane-test-config-XXXXXX";
    if (!mkdtemp(path.data())) return;
    path_ = std::move(path);
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    setenv("MORVANE_TEST_CONFIG", path_.c_str(), 1);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EmptyBeforeEachTest(path_));
  }
  ~PrivateSettingsFolder() {
    if (path_.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }

 private:
  std::string path_;
};

const PrivateSettingsFolder folder;

}  // namespace
