// The platform services of the windowed program: message boxes and questions owned
// by the main window, the status bar, the wait cursor, and the core's change notices
// passed to the document. Installing it also makes the main window the target of the
// command sender.
#pragma once

#include <QElapsedTimer>

#include "settings/services.h"

class Document;
class MainWindow;

class QtServices : public PlatformServices {
 public:
  QtServices(MainWindow* pWindow, Document* pDocument);
  ~QtServices() override;

  void MessageBox(const char* text) override;
  bool AskYesNo(const char* text) override;
  int AskXbfType(int defaultType) override;
  void SetStatusText(const char* text) override;
  void SetWaitCursor(bool on) override;
  void RedrawViews(int viewMask) override;
  void FontChanged(const ChangeNotice& notice) override;
  void ShowMainWindow(bool show) override;
  void SettingsChanged() override;

 private:
  MainWindow* pWindow_;
  Document* pDocument_;
  int waitDepth_ = 0;
  QElapsedTimer sincePaint_;
};
