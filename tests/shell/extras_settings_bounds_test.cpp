// The preview's options are read from the settings file as the options record is:
// a settings file that is a FIFO or a link to an endless device gives the defaults
// at once, without blocking the start or filling the memory. Each read runs in a
// child process with a time and memory limit, so a read that hangs or grows fails
// the test instead of the test run.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/settings.h"
#include "shell/dialogtest.h"
#include "shell/views/previewsettings.h"

namespace {

using PreviewSettingsBounds = SettingsTest;

TEST_F(PreviewSettingsBounds, AFifoOrAnEndlessDeviceGivesTheDefaults) {
  const std::string path = SETTINGS_GetFileName();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  struct Case {
    const char* pName;
    bool (*make)(const std::string& path);
  } cases[] = {
      {"fifo", [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }},
      {"/dev/zero", [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(path);
    ASSERT_TRUE(c.make(path)) << c.pName;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      alarm(10);
      const rlimit limit{512u << 20, 512u << 20};
      setrlimit(RLIMIT_DATA, &limit);
      try {
        PreviewSettings settings;
        settings.Zoom = 7;
        PREVIEW_LoadSettings(&settings);
        _exit(settings.Zoom == PreviewSettings().Zoom ? 0 : 1);
      } catch (...) {
        _exit(2);  // out of memory
      }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << c.pName << (WIFSIGNALED(status) ? ": killed by signal " + std::to_string(WTERMSIG(status)) : "");
  }
  std::filesystem::remove(path);
}

}  // namespace
