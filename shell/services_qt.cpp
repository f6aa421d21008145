// Qt implementation of the platform services.
#include "shell/services_qt.h"

#include <QApplication>
#include <QMessageBox>

#include "generation/workers.h"
#include "settings/settings.h"
#include "shell/dialogs/dialogs.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

namespace {

MainWindow* pCommandWindow = nullptr;

void SendToWindow(int id) {
  if (pCommandWindow) pCommandWindow->runCommandLineCommand(id);
}

}  // namespace

QtServices::QtServices(MainWindow* pWindow, Document* pDocument) : pWindow_(pWindow), pDocument_(pDocument) {
  sincePaint_.start();
  SERVICES_Install(this);
  pCommandWindow = pWindow;
  SHELL_SetCommandTarget(SendToWindow);
}

QtServices::~QtServices() {
  while (waitDepth_ > 0) SetWaitCursor(false);
  SHELL_SetCommandTarget(nullptr);
  pCommandWindow = nullptr;
  SERVICES_Install(nullptr);
}

void QtServices::MessageBox(const char* text) {
  QMessageBox box(QMessageBox::Warning, PROGRAM_NAME, QString::fromLocal8Bit(text), QMessageBox::Ok, pWindow_);
  box.setObjectName("MessageBox");
  box.exec();
}

bool QtServices::AskYesNo(const char* text) {
  // The one question the core asks is whether to overwrite a file.
  QMessageBox box(QMessageBox::Question, "Question", QString::fromLocal8Bit(text),
                  QMessageBox::Yes | QMessageBox::No, pWindow_);
  box.setObjectName("QuestionBox");
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtServices::AskXbfType(int defaultType) {
  return SHELL_AskXbfTypeDialog(pWindow_, defaultType);
}

// Long work runs on this thread and reports its phases here: the window is given a
// chance to paint (no input is taken) at most every 50 ms. Only long work does
// that; it shows the wait cursor. A view that sets the text while it paints must
// not have other paint events run inside its own.
void QtServices::SetStatusText(const char* text) {
  pWindow_->setStatusText(text);
  // A long task shows its progress by letting the window paint now and then. While
  // worker threads run, only the status text paints: a view's paint renders the
  // characters it shows, and the workers may be rendering those (a save renders
  // while it writes); nor may a timer start other work then.
  if (waitDepth_ > 0 && sincePaint_.elapsed() >= 50) {
    sincePaint_.restart();
    if (WORKERS_InJob())
      pWindow_->paintStatusOnly();
    else
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void QtServices::SetWaitCursor(bool on) {
  if (on) {
    if (waitDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (waitDepth_ > 0) {
    if (--waitDepth_ == 0) QApplication::restoreOverrideCursor();
  }
}

void QtServices::RedrawViews(int viewMask) { pDocument_->notifyRedraw(viewMask); }

void QtServices::FontChanged(const ChangeNotice& notice) { pDocument_->notifyFontChanged(notice); }

void QtServices::ShowMainWindow(bool show) { pWindow_->setVisible(show); }

void QtServices::SettingsChanged() { pDocument_->notifySettingsChanged(); }
