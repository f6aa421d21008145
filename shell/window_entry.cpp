// The window module's entry: the application, the main window and the message loop,
// after the command line has run.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cmdline/cmdline.h"
#include "settings/messages.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "shell/startup.h"
#include "shell/toolbaricons.h"

namespace {

// While the application connects to the display, the toolkit's messages are held
// back: when it cannot connect, one line says so instead of the toolkit's abort.
std::vector<std::string> heldMessages;

void HoldMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr,
                 "Morvane: no window can be opened: the display cannot be reached; for a run without a "
                 "window use -hide ... -exit\n");
    std::_Exit(1);
  }
  // Noise of a session without a runtime folder.
  if (text.startsWith("QStandardPaths: XDG_RUNTIME_DIR")) return;
  heldMessages.push_back(text.toStdString());
}

// With MORVANE_EXIT_AFTER_FIRST_PAINT set, the window closes itself right after its
// first paint, so bench/bench_startup.py can time start-up to a painted window.
class FirstPaintExit : public QObject {
 public:
  explicit FirstPaintExit(QWidget* pWindow) : pWindow_(pWindow) {
    if (std::getenv("MORVANE_EXIT_AFTER_FIRST_PAINT")) pWindow->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* pEvent) override {
    if (pEvent->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, pWindow_, [this] { pWindow_->close(); });
    }
    return false;
  }

 private:
  QWidget* pWindow_;
  bool done_ = false;
};

}  // namespace

extern "C" Q_DECL_EXPORT int SHELL_RunWindow(ShellStart* pStart) {
  QtMessageHandler previous = qInstallMessageHandler(HoldMessages);
  // The class of the window (WM_CLASS) the desktop entry's StartupWMClass names,
  // whatever name the program was started by; the entry itself for Wayland.
  QCoreApplication::setApplicationName("Morvane");
  QGuiApplication::setDesktopFileName("morvane");
  QApplication app(*pStart->pArgc, pStart->argv);
  qInstallMessageHandler(previous);
  for (const std::string& text : heldMessages) std::fprintf(stderr, "%s\n", text.c_str());
  QApplication::setWindowIcon(SHELL_AppIcon());

  Document document;
  MainWindow window(&document);
  QtServices services(&window, &document);
  window.adoptCurrentFont();
  window.show();

  // The 20 ms timer of the job queue, while the queue has work.
  QTimer jobTimer;
  QObject::connect(&jobTimer, &QTimer::timeout, [&jobTimer] {
    CMDLINE_TimerTick();
    if (!CMDLINE_TimerRunning()) jobTimer.stop();
  });
  if (CMDLINE_TimerRunning()) jobTimer.start(20);

  // Notices of the command line, then New when the program was started without
  // arguments.
  const std::vector<std::string> pending = pStart->PendingMessages;
  const bool runNew = pStart->RunNew;
  QTimer::singleShot(0, &window, [&window, pending, runNew] {
    for (const std::string& text : pending) ShowMessageBox(text.c_str());
    if (runNew) window.runCommand(ID_NEW);
  });
  // For the start-up benchmark: end once the window has painted for the first time.
  FirstPaintExit firstPaintExit(&window);
  app.exec();
  return 0;
}
