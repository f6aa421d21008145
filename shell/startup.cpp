// Start-up before the window: the order of the interactive program, with the window
// itself created only when the run goes on in it.
#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "cmdline/cmdline.h"
#include "generation/antialias.h"
#include "model/codetables.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

ShellCommandTarget commandTarget = nullptr;
bool sending = false;
bool exitSent = false;

// The services while no window exists: notices wait for the window (or go to stderr
// when none comes); questions get the answers of a run without a window, since
// nothing may block before it is known whether the run ends by itself.
class StartupServices : public PlatformServices {
 public:
  explicit StartupServices(PlatformServices* pConsole) : pConsole_(pConsole) {}
  void MessageBox(const char* text) override { pending_.emplace_back(text); }
  bool AskYesNo(const char* text) override { return pConsole_->AskYesNo(text); }
  int AskXbfType(int defaultType) override { return pConsole_->AskXbfType(defaultType); }
  void SetStatusText(const char* text) override { pConsole_->SetStatusText(text); }
  void SetWaitCursor(bool on) override { pConsole_->SetWaitCursor(on); }
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}
  // The messages that waited, handed on to the window or printed like the console does.
  std::vector<std::string> TakePending() { return std::move(pending_); }
  void FlushToConsole() {
    for (const std::string& text : pending_) pConsole_->MessageBox(text.c_str());
    pending_.clear();
  }

 private:
  PlatformServices* pConsole_;
  std::vector<std::string> pending_;
};

bool DisplayConfigured() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

bool HasTooLongArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strlen(argv[i]) >= CMDLINE_MAX_ARGUMENT) return true;
  return false;
}

}  // namespace

void SHELL_SetCommandTarget(ShellCommandTarget target) { commandTarget = target; }

bool SHELL_ExitSent() { return exitSent; }

void SHELL_SendCommand(int id, int) {
  if (sending) return;
  sending = true;
  if (commandTarget) {
    commandTarget(id);
  } else if (id == ID_FILE_EXIT) {
    exitSent = true;
  }
  CMDLINE_NextJob();
  sending = false;
}

int SHELL_Main(int argc, char** argv, ShellWindowEntry (*loadWindow)()) {
  // The current font is released before the font engine it was opened with.
  struct ReleaseFont {
    ~ReleaseFont() { FONT_SetCurrent(nullptr); }
  } releaseFont;
  StartupServices startupServices(SERVICES_Get());
  SERVICES_Install(&startupServices);
  struct Uninstall {
    ~Uninstall() { SERVICES_Install(nullptr); }
  } uninstall;

  Settings settings;
  SETTINGS_Load(&settings);
  SetMessageSuppression(settings.SuppressMessage);
  // The antialiasing tables, then the Shift_JIS and Unicode lookup tables.
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();

  CMDLINE_Init("Morvane.err", ID_FILE_EXIT, SHELL_SendCommand);
  const int scanResult = CMDLINE_ProcessArgs(argc, argv);
  // Leave command-line mode: from here on messages are the window's.
  CMDLINE_SetActive(false);
  const bool hidden = !CMDLINE_GetShowWindow();
  // The exit code tells a build script whether its commands did their work: 1 once
  // the command line reported a message (in the error file, the log file or a box),
  // and for a run that cannot go on because its scan stopped with nothing shown.
  auto exitCode = [&](bool scanStopped) { return MESSAGES_AnyReported() || scanStopped ? 1 : 0; };
  if (CMDLINE_QuitPosted()) {
    startupServices.FlushToConsole();
    return exitCode(scanResult != 0);
  }
  // An argument that is too long ends the scan before anything else is decided: the
  // run ends (with its message reported), rather than waiting in a window nobody asked
  // for.
  if (scanResult != 0 && HasTooLongArgument(argc, argv)) {
    startupServices.FlushToConsole();
    return exitCode(true);
  }
  // The first tick of the 20 ms timer finds command-line mode off: a queued exit is
  // sent at once, so such a run ends here without ever needing its window.
  while (CMDLINE_TimerRunning() && !SHELL_ExitSent()) CMDLINE_TimerTick();
  if (SHELL_ExitSent()) {
    startupServices.FlushToConsole();
    return exitCode(false);
  }
  // A hidden run has nothing left to wait for once its commands are done or its
  // scan stopped: no window and no other process can reach it. It ends.
  if (hidden) {
    startupServices.FlushToConsole();
    if (const char* stop = CMDLINE_GetStopArgument()) {
      std::fprintf(stderr, "Morvane: the commands stop at \"%s\" (no such command, or a second file); "
                           "the hidden run ends\n", stop);
    }
    return exitCode(scanResult != 0);
  }
  if (!DisplayConfigured()) {
    startupServices.FlushToConsole();
    std::fprintf(stderr,
                 "Morvane: no window can be opened: no display found (DISPLAY, WAYLAND_DISPLAY and "
                 "QT_QPA_PLATFORM are unset); for a run without a window use -hide ... -exit\n");
    return 1;
  }
  const bool failed = MESSAGES_AnyReported();
  ShellWindowEntry entry = loadWindow();
  if (!entry) {
    startupServices.FlushToConsole();
    return 1;
  }
  ShellStart start;
  start.pArgc = &argc;
  start.argv = argv;
  start.RunNew = argc <= 1;
  start.PendingMessages = startupServices.TakePending();
  SERVICES_Install(nullptr);
  const int windowResult = entry(&start);
  return failed ? 1 : windowResult;
}
