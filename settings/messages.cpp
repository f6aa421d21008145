#include "settings/messages.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "settings/services.h"
#include "settings/settings.h"

namespace {
int suppressMessages = 0;
int reportDepth = 0;
int messageBoxDepth = 0;
MessageSink commandLineSink = nullptr;

std::string ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}
}  // namespace

int GetMessageSuppression() { return suppressMessages; }

int SetMessageSuppression(int on) {
  int previous = suppressMessages;
  suppressMessages = on;
  return previous;
}

void MESSAGES_SetCommandLineSink(MessageSink sink) { commandLineSink = sink; }

int ReportMessage(const char* text) {
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

void ShowMessageBox(const char* text) {
  if (messageBoxDepth++ == 0) SERVICES_Get()->MessageBox(text);
  --messageBoxDepth;
}

void WriteLogFile(const char* text) {
  if (!text) return;
  std::filesystem::path exe(ExecutablePath());
  if (exe.empty()) return;
  Settings settings;
  SETTINGS_Load(&settings);
  std::filesystem::path dir = exe.parent_path();
  if (settings.LogInWorkingDir) {
    std::error_code ec;
    dir = std::filesystem::current_path(ec);
    if (ec) return;
  }
  std::filesystem::path logName = dir / (exe.stem().string() + ".log");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(logName.c_str(), "ab"), std::fclose);
  if (!f) return;
  std::fputs(text, f.get());
  std::fputs("\r\n", f.get());
}
