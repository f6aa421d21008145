// The one fake of the platform services for the tests: records everything the
// core shows the user and answers questions with preset answers.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "settings/services.h"

class RecordingServices : public PlatformServices {
 public:
  void MessageBox(const char* text) override {
    boxes.push_back(text);
    if (onMessageBox) onMessageBox(text);
  }
  bool AskYesNo(const char* text) override {
    questions.push_back(text);
    return answer;
  }
  int AskXbfType(int defaultType) override {
    xbfQuestions.push_back(defaultType);
    return xbfAnswer;
  }
  void SetStatusText(const char* text) override { status.push_back(text); }
  void SetWaitCursor(bool on) override { waitCursor.push_back(on); }
  void RedrawViews(int viewMask) override { redraws.push_back(viewMask); }
  void FontChanged(const ChangeNotice& notice) override { notices.push_back(notice); }
  void ShowMainWindow(bool show) override { windowShown.push_back(show); }

  std::vector<std::string> boxes, questions, status;
  std::vector<bool> waitCursor, windowShown;
  std::vector<int> redraws;              // view masks
  std::vector<ChangeNotice> notices;     // font data changes
  bool answer = false;                   // the answer to yes/no questions
  std::vector<int> xbfQuestions;         // the preselected type of each XBF type question
  int xbfAnswer = -1;                    // the type answered; -1 cancels
  std::function<void(const char*)> onMessageBox;  // runs inside a message box

  // The notices so far as "FIRST-LAST:WHAT" (hexadecimal codes, decimal flags), compared whole.
  std::vector<std::string> noticeTexts() const {
    std::vector<std::string> texts;
    char text[40];
    for (const ChangeNotice& n : notices) texts.push_back((std::snprintf(text, sizeof text, "%X-%X:%d", n.First, n.Last, n.What), text));
    return texts;
  }
};

// Installs a recorder for the life of the object.
class ScopedServices {
 public:
  ScopedServices() { SERVICES_Install(&services); }
  ~ScopedServices() { SERVICES_Install(nullptr); }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;
  RecordingServices services;
};
