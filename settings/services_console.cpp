// Console implementation of the platform services: a run without a window never
// blocks on a dialog. Boxes and unanswerable questions go to stderr; the status text
// is a one-line progress display when stderr is a terminal.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "settings/settings.h"
#include "settings/services.h"

namespace {

class ConsoleServices : public PlatformServices {
 public:
  void MessageBox(const char* text) override {
    ClearStatus();
    std::fprintf(stderr, "%s: %s\n", PROGRAM_NAME, text);
  }
  bool AskYesNo(const char* text) override {
    ClearStatus();
    std::fprintf(stderr, "%s: %s\n(no window to ask in; answered No)\n", PROGRAM_NAME, text);
    return false;
  }
  int AskXbfType(int) override {
    ClearStatus();
    std::fprintf(stderr, "%s: the type of this XBF file must be chosen, but no window can ask; cancelled\n",
                 PROGRAM_NAME);
    return -1;
  }
  void SetStatusText(const char* text) override {
    if (status_ == text) return;
    status_ = text;
    if (!isatty(STDERR_FILENO)) return;
    if (status_ == "Ready") {
      ClearStatus();
    } else {
      std::fprintf(stderr, "\r%s\x1b[K", text);
      shown_ = true;
    }
    std::fflush(stderr);
  }
  void SetWaitCursor(bool) override {}
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}

 private:
  void ClearStatus() {
    if (!shown_) return;
    std::fprintf(stderr, "\r\x1b[K");
    shown_ = false;
  }
  std::string status_;
  bool shown_ = false;
};

ConsoleServices consoleServices;
PlatformServices* current = &consoleServices;

}  // namespace

void SERVICES_Install(PlatformServices* pServices) {
  current = pServices ? pServices : &consoleServices;
}

PlatformServices* SERVICES_Get() { return current; }
