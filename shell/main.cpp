// Start-up of the program without a window: settings, tables, the command line and
// the job queue, in the order the windowed program follows.
#include <cstdio>

#include "cmdline/cmdline.h"
#include "generation/antialias.h"
#include "model/codetables.h"
#include "model/current.h"
#include "settings/messages.h"
#include "settings/settings.h"

namespace {

bool exitDispatched = false;
bool dispatching = false;

// Stands in for the main window's command sender: the only deferred command is Exit.
void SendCommand(int id, int) {
  if (dispatching) return;
  dispatching = true;
  if (id == ID_FILE_EXIT) exitDispatched = true;
  CMDLINE_NextJob();
  dispatching = false;
}

}  // namespace

int main(int argc, char** argv) {
  // The current font is released before the font engine it was opened with.
  struct ReleaseFont {
    ~ReleaseFont() { FONT_SetCurrent(nullptr); }
  } releaseFont;
  Settings settings;
  SETTINGS_Load(&settings);
  SetMessageSuppression(settings.SuppressMessage);
  // The antialiasing tables, then the Shift_JIS and Unicode lookup tables.
  AA_InitGammaTables();
  SJIS_Init();
  UNICODE_Init();

  CMDLINE_Init("Morvane.err", ID_FILE_EXIT, SendCommand);
  CMDLINE_ProcessArgs(argc, argv);
  CMDLINE_SetActive(false);
  if (CMDLINE_QuitPosted()) return 0;

  // The 20 ms timer of the job queue; its first tick finds command-line mode off.
  while (CMDLINE_TimerRunning() && !exitDispatched) CMDLINE_TimerTick();
  if (exitDispatched) return 0;

  std::fprintf(stderr,
               "Morvane: this build has no window to continue in; ending. "
               "End command-line runs with -exit.\n");
  return 0;
}
