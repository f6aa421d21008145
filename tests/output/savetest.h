// Fonts built directly through the FONT_ operations, saved through the dispatcher
// into a temporary folder with settings of the test's own, and a record of what
// the save said through the platform services.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/font.h"
#include "support/fontfixture.h"
#include "support/recordingservices.h"
#include "support/tempdir.h"

class SaveTest {
 public:
  SaveTest();  // points the settings at the folder and installs the recorder
  ~SaveTest();
  // Settings lines such as "MagX=2\n".
  void UseSettings(const std::string& body);
  // Saves under the name in the folder; returns the file's contents.
  std::string Save(Font* pFont, const std::string& name, int format, int ask = 0, int* pResult = nullptr);
  TempDir dir;
  RecordingServices services;
};

// Runs 'body' in a child process, so that limits, mounts and a save that would wait
// for ever stay there (an alarm ends it after 180 seconds); unprivileged, as the user
// nobody when this runs as root, whom file permissions do not stop. Gives its exit
// code (-1 when it was killed).
int InChild(const std::function<int()>& body, bool unprivileged = false);
