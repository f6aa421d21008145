// The program. Start-up and the command line need no window toolkit; the window
// lives in a module beside the executable, loaded only when a run goes on in its
// window, so that batch runs start as fast and as small as the core allows.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "shell/startup.h"

namespace {

// The module lies beside the executable in the build tree and in lib/morvane/ of an
// installed tree (<prefix>/bin/morvane, <prefix>/lib/morvane/Morvane-window.so).
std::string ModulePath() {
  char exe[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = ".";
  if (n > 0) {
    exe[n] = '\0';
    dir = exe;
    dir.resize(dir.find_last_of('/'));
  }
  const std::string beside = dir + "/Morvane-window.so";
  if (access(beside.c_str(), R_OK) == 0) return beside;
  return dir + "/../lib/morvane/Morvane-window.so";
}

ShellWindowEntry LoadWindow() {
  const std::string path = ModulePath();
  // Kept loaded until the process ends.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "Morvane: the window cannot be opened: %s\n", dlerror());
    return nullptr;
  }
  auto entry = reinterpret_cast<ShellWindowEntry>(dlsym(handle, "SHELL_RunWindow"));
  if (!entry) std::fprintf(stderr, "Morvane: %s has no window entry\n", path.c_str());
  return entry;
}

}  // namespace

int main(int argc, char** argv) { return SHELL_Main(argc, argv, LoadWindow); }
