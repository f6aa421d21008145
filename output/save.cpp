// The save dispatcher: opens the target through a replacement that is never seen
// half written, runs the writer of the format, and completes or abandons it.
#include "output/save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "model/font.h"
#include "output/internal/outbuf.h"
#include "settings/files.h"
#include "settings/messages.h"
#include "settings/services.h"
#include "settings/settings.h"

namespace {

// Whether the file can be opened for reading; a FIFO is not waited for.
bool FileExists(const char* path) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

int RunWriter(Font* pFont, int format, const Settings& settings) {
  switch (format) {
    case OUT_FORMAT_C: return FONT_WriteC(pFont, settings);
    case OUT_FORMAT_SIF: return OUT_WriteSIF(pFont, settings);
    case OUT_FORMAT_XBF: return OUT_WriteXBF(pFont, settings);
    default: return 1;
  }
}

}  // namespace

int OUT_Save(Font* pFont, int format, int ask) {
  Settings settings;
  SETTINGS_Load(&settings);
  char path[500];
  if (!FONT_GetFileName(pFont, path, sizeof(path))) path[0] = 0;
  PlatformServices* services = SERVICES_Get();
  if (ask && FileExists(path) && !services->AskYesNo("Overwrite existing file?")) return OUT_SAVE_DECLINED;

  // A target that cannot be written still runs the writer, whose output then goes
  // nowhere: its own messages ("Nothing to save!") come first, as with any failed
  // write.
  AtomicFile file;
  FILES_Open(&file, path);
  services->SetWaitCursor(true);
  OUT_Begin(file.pFile.get());
  const int result = RunWriter(pFont, format, settings);
  const int failures = OUT_End();
  int saved = OUT_SAVE_OK;
  if (result != 0) {
    FILES_Discard(&file);  // nothing saved: an existing file stays as it was
    saved = OUT_SAVE_NOTHING;
  } else if (failures || !FILES_Commit(&file)) {
    FILES_Discard(&file);
    ShowMessageBox("Writing error");
    saved = OUT_SAVE_FAILED;
  }
  services->SetStatusText("Ready");
  services->SetWaitCursor(false);

  if (settings.MagX + settings.MagY >= 3) {
    char text[160];
    std::snprintf(text, sizeof(text),
                  "The font file has been saved with\nthe following magnification factors:\n\nX: %d\nY: %d",
                  settings.MagX, settings.MagY);
    ShowNotice(text);
  }
  return saved;
}
