#include "support/tempdir.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

TempDir::TempDir() {
  char pattern[] = "/tmp/morvane-test-XXXXXX";
  path_ = mkdtemp(pattern);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

RunResult RunMorvane(const TempDir& dir, const std::vector<std::string>& args) {
  std::string outFile = dir.file(".stdout"), errFile = dir.file(".stderr");
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(127);
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    // As on a build server: no display, so a run that would go on in its window ends.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    if (!freopen(outFile.c_str(), "wb", stdout) || !freopen(errFile.c_str(), "wb", stderr)) _exit(127);
    // A run that never ends (a hidden run waiting for a signal) fails the test
    // instead of holding the suite: the alarm outlives the exec.
    alarm(120);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(MORVANE_EXE));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(MORVANE_EXE, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  RunResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFile(outFile);
  r.err = ReadFile(errFile);
  std::remove(outFile.c_str());
  std::remove(errFile.c_str());
  return r;
}

std::string WithoutStamps(const std::string& errorText) {
  static const std::regex stamp("\r\n\\* \\d{4}-\\d\\d-\\d\\d, \\d\\d:\\d\\d:\\d\\d\r\n");
  return std::regex_replace(errorText, stamp, "|");
}

std::string ErrorFileEntries(const TempDir& dir) { return WithoutStamps(ReadFile(dir.file("Morvane.err"))); }

void WriteSettingsFile(const TempDir& dir, const std::string& sectionBody) {
  std::filesystem::create_directories(dir.file("config/VANTOR"));
  WriteFile(dir.file("config/VANTOR/Font Converter for Tavro.ini"), "[V6.32c]\n" + sectionBody);
}
