#include "settings/messages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "settings/services.h"
#include "settings/settings.h"

namespace {
int suppressMessages = 0;
int reportDepth = 0;
int messageBoxDepth = 0;
bool anyReported = false;
MessageSink commandLineSink = nullptr;

std::string ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

// Folders that hold installed programs; nothing a program writes belongs there.
bool IsSystemFolder(const std::string& dir) {
  for (const char* root : {"/usr", "/bin", "/sbin", "/lib", "/opt"}) {
    const size_t n = std::strlen(root);
    if (dir.compare(0, n, root) == 0 && (dir.size() == n || dir[n] == '/')) return true;
  }
  return false;
}

// ${XDG_STATE_HOME:-$HOME/.local/state}/VANTOR; a relative XDG_STATE_HOME is ignored.
std::string StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/VANTOR";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/VANTOR";
  return std::string();
}

// Creates the folder and its missing parents, private to the user.
void MakeFolders(const std::string& dir) {
  for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    const std::string part = dir.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (slash == std::string::npos) return;
  }
}

// Appends the text to a regular file; a FIFO, a device or a symbolic link of
// that name is left alone, and nothing waits for a reader.
void AppendTo(const std::string& name, const char* text) {
  const int fd = open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                      0666);
  if (fd < 0) return;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    std::string line = text;
    line += "\r\n";
    const char* p = line.data();
    size_t left = line.size();
    while (left > 0) {
      const ssize_t n = write(fd, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  close(fd);
}
}  // namespace

int GetMessageSuppression() { return suppressMessages; }

int SetMessageSuppression(int on) {
  int previous = suppressMessages;
  suppressMessages = on;
  return previous;
}

void MESSAGES_SetCommandLineSink(MessageSink sink) { commandLineSink = sink; }

bool MESSAGES_AnyReported() { return anyReported; }
void MESSAGES_NoteReported() { anyReported = true; }

int ReportMessage(const char* text) {
  anyReported = true;
  if (reportDepth++ == 0) {
    if (suppressMessages) {
      WriteLogFile(text);
    } else if (!commandLineSink || !commandLineSink(text)) {
      ShowMessageBox(text);
    }
  }
  --reportDepth;
  return 0;
}

void ShowNotice(const char* text) {
  if (messageBoxDepth++ == 0) SERVICES_Get()->MessageBox(text);
  --messageBoxDepth;
}

void ShowMessageBox(const char* text) {
  anyReported = true;
  ShowNotice(text);
}

std::string MESSAGES_LogFileName(const std::string& exePath, int logInWorkingDir, const std::string& workingDir) {
  const std::filesystem::path exe(exePath);
  if (exe.empty()) return std::string();
  const std::string base = exe.stem().string() + ".log";
  if (logInWorkingDir) return workingDir.empty() ? std::string() : workingDir + "/" + base;
  const std::string dir = exe.parent_path().string();
  if (!IsSystemFolder(dir) && faccessat(AT_FDCWD, dir.c_str(), W_OK, AT_EACCESS) == 0) return dir + "/" + base;
  const std::string state = StateFolder();
  return state.empty() ? std::string() : state + "/" + base;
}

void WriteLogFile(const char* text) {
  if (!text) return;
  Settings settings;
  SETTINGS_Load(&settings);
  std::string workingDir;
  if (settings.LogInWorkingDir) {
    std::error_code ec;
    workingDir = std::filesystem::current_path(ec).string();
    if (ec) return;
  }
  const std::string name = MESSAGES_LogFileName(ExecutablePath(), settings.LogInWorkingDir, workingDir);
  if (name.empty()) return;
  if (!settings.LogInWorkingDir) MakeFolders(std::filesystem::path(name).parent_path().string());
  AppendTo(name, text);
}
