// Fonts built directly through the FONT_ operations, saved through the dispatcher
// into a temporary folder with settings of the test's own, and a record of what
// the save said through the platform services.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/font.h"
#include "settings/services.h"
#include "support/tempdir.h"

// Records boxes and answers questions with a preset answer.
class RecordingServices : public PlatformServices {
 public:
  void MessageBox(const char* text) override { boxes.push_back(text); }
  bool AskYesNo(const char* text) override {
    questions.push_back(text);
    return answer;
  }
  int AskXbfType(int defaultType) override {
    xbfQuestions.push_back(defaultType);
    return xbfAnswer;
  }
  void SetStatusText(const char* text) override { status.push_back(text); }
  void SetWaitCursor(bool) override {}
  void RedrawViews(int) override {}
  void FontChanged(const ChangeNotice&) override {}
  void ShowMainWindow(bool) override {}
  std::vector<std::string> boxes, questions, status;
  bool answer = false;
  std::vector<int> xbfQuestions;  // the preselected type of each XBF type question
  int xbfAnswer = -1;             // the type answered; -1 cancels
};

// A font of the type and encoding, without characters.
FontPtr NewFont(int32_t type, int32_t encoding, int32_t height);
// Adds an enabled, existing, rendered character of the box size whose pixel (x, y)
// is pixel(x, y); the extended fields as given.
void AddChar(Font* pFont, uint16_t code, int width, int height, const std::function<int(int, int)>& pixel,
             int boxLeft = 0, int boxTop = 0, int cursorDist = 0);

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
