// Every test process keeps its settings in a folder of its own, so no test reads
// what another one running at the same time saved, and the suite never writes the
// settings of the user who runs it. A test that needs a particular folder sets
// XDG_CONFIG_HOME itself; a process a test starts with MORVANE_TEST_CONFIG in its
// environment keeps the folder it was given.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

namespace {

class PrivateSettingsFolder {
 public:
  PrivateSettingsFolder() {
    if (std::getenv("MORVANE_TEST_CONFIG")) return;
    std::string path = "/tmp/morvane-test-config-XXXXXX";
    if (!mkdtemp(path.data())) return;
    path_ = std::move(path);
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    setenv("MORVANE_TEST_CONFIG", path_.c_str(), 1);
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
