#include "fuzz/fuzzsupport.h"

#include <cstdlib>

#include "model/codetables.h"
#include "settings/journal.h"
#include "settings/services.h"

namespace {

class SilentServices : public PlatformServices {
 public:
  void MessageBox(const char*) override {}
  bool AskYesNo(const char*) override { return false; }
  int AskXbfType(int) override { return -1; }
  void SetStatusText(const char*) override {}
  void SetWaitCursor(bool) override {}
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}
};

SilentServices silent;

}  // namespace

void FUZZ_Init() {
  static bool done = false;
  if (!done) {
    // Settings from a folder without a settings file: the defaults.
    setenv("XDG_CONFIG_HOME", "/nonexistent/morvane-fuzz", 1);
    SJIS_Init();
    UNICODE_Init();
    SERVICES_Install(&silent);
    done = true;
  }
  JOURNAL_Clear();
}

std::string FUZZ_Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
