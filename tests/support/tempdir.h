// A fresh temporary directory per test, removed afterwards, and a way to run the
// program in it with a private settings folder.
#pragma once

#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Reads a whole file; empty when missing. 'exists' tells whether it was there.
std::string ReadFile(const std::string& path, bool* exists = nullptr);
void WriteFile(const std::string& path, const std::string& data);

struct RunResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs build/Morvane with the arguments in 'dir' as working directory and
// XDG_CONFIG_HOME=<dir>/config and no display (DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM unset), capturing its output.
RunResult RunMorvane(const TempDir& dir, const std::vector<std::string>& args);

// An error file's text with each time-stamp line replaced by "|".
std::string WithoutStamps(const std::string& errorText);
// The entries of the program's error file in 'dir' (Morvane.err), as WithoutStamps
// gives them; "" when there is no such file.
std::string ErrorFileEntries(const TempDir& dir);

// Writes an INI settings file for RunMorvane's settings folder.
void WriteSettingsFile(const TempDir& dir, const std::string& sectionBody);
