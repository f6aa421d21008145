#include "shell/windowstate.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "shell/views/previewpane.h"
#include "shell/mainwindow.h"
#include "shell/settingsection.h"

namespace {

const char kSection[] = "[Window]";
constexpr int kDefaultWidth = 800, kDefaultHeight = 640;
constexpr int kBar = 3;       // splitter bars
constexpr int kMinPane = 4;   // no pane is smaller

struct Field {
  const char* pName;
  int WindowPlacement::*pValue;
};
const Field kFields[] = {{"X", &WindowPlacement::X},
                         {"Y", &WindowPlacement::Y},
                         {"Width", &WindowPlacement::Width},
                         {"Height", &WindowPlacement::Height},
                         {"Maximized", &WindowPlacement::Maximized},
                         {"FontPaneHeight", &WindowPlacement::FontPaneHeight},
                         {"CharViewWidth", &WindowPlacement::CharViewWidth},
                         {"PreviewHeight", &WindowPlacement::PreviewHeight}};

// Set on the window when it was given its saved place at this start.
const char* const kStateProperty = "windowStateRestored";

QSplitter* UpperSplitter(MainWindow* pWindow) {
  return pWindow->previewPane() ? qobject_cast<QSplitter*>(pWindow->previewPane()->parentWidget()) : nullptr;
}

WindowPlacement Capture(MainWindow* pWindow) {
  WindowPlacement placement;
  WINDOWSTATE_Load(&placement);  // keeps what cannot be seen now (a hidden preview's height)
  // The frame's corner and the inside's size, as move() and resize() take them; a
  // maximised window keeps the place it comes back to when restored.
  const bool maximized = pWindow->windowState() & Qt::WindowMaximized;
  const QRect normal = maximized ? pWindow->normalGeometry() : QRect(pWindow->pos(), pWindow->size());
  if (normal.isValid()) {
    placement.X = normal.x();
    placement.Y = normal.y();
    placement.Width = normal.width();
    placement.Height = normal.height();
  }
  placement.Maximized = maximized ? 1 : 0;
  placement.FontPaneHeight = pWindow->frameSplitter()->sizes().value(0);
  placement.CharViewWidth = pWindow->lowerSplitter()->sizes().value(0);
  if (pWindow->previewPane() && pWindow->previewPane()->isVisible())
    placement.PreviewHeight = pWindow->previewPane()->height();
  return placement;
}

// Makes a window whose frame reaches beyond its screen's free area smaller, so
// that it fits, and moves it inside.
void FitToScreen(QWidget* pWindow) {
  if (pWindow->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  QScreen* pScreen = pWindow->screen();
  if (!pScreen) return;
  const QRect area = pScreen->availableGeometry();
  const QRect frame = pWindow->frameGeometry();
  if (area.contains(frame)) return;
  const QSize extra = frame.size() - pWindow->size();
  pWindow->resize(pWindow->size().boundedTo(area.size() - extra));
  const QRect fitted = pWindow->frameGeometry();
  pWindow->move(std::clamp(fitted.x(), area.left(), std::max(area.left(), area.right() + 1 - fitted.width())),
                std::clamp(fitted.y(), area.top(), std::max(area.top(), area.bottom() + 1 - fitted.height())));
}

// Saves the state when the window closes. The frame round the window is known
// only once the window is shown: the window is fitted to the screen then, before
// the panes are first laid out, and once more after the window manager has had
// its say.
class WindowStateKeeper : public QObject {
 public:
  explicit WindowStateKeeper(MainWindow* pWindow) : QObject(pWindow), pWindow_(pWindow) {
    pWindow->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
    if (pWatched != pWindow_) return false;
    if (pEvent->type() == QEvent::Close) {
      WINDOWSTATE_Save(Capture(pWindow_));
    } else if (pEvent->type() == QEvent::Show && !shown_) {
      shown_ = true;
      FitToScreen(pWindow_);
      QPointer<MainWindow> pWindow = pWindow_;
      QTimer::singleShot(0, pWindow_, [pWindow] {
        if (pWindow) FitToScreen(pWindow);
      });
    }
    return false;
  }

 private:
  MainWindow* pWindow_;
  bool shown_ = false;
};

}  // namespace

void WINDOWSTATE_Load(WindowPlacement* pPlacement) {
  *pPlacement = WindowPlacement();
  for (const auto& [name, text] : SHELL_ReadSection(kSection)) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    // Far beyond any screen: a damaged file rather than a place.
    if (value < -100000 || value > 100000) continue;
    for (const Field& field : kFields)
      if (name == field.pName) pPlacement->*field.pValue = int(value);
  }
}

int WINDOWSTATE_Save(const WindowPlacement& placement) {
  std::string lines;
  for (const Field& field : kFields) lines += std::string(field.pName) + "=" + std::to_string(placement.*field.pValue) + "\n";
  return SHELL_WriteSection(kSection, lines);
}

QRect WINDOWSTATE_StartGeometry(const WindowPlacement& placement, const QList<QRect>& areas, bool* pRestored) {
  *pRestored = false;
  const QRect saved(placement.X, placement.Y, placement.Width, placement.Height);
  if (placement.Width > 0 && placement.Height > 0) {
    for (const QRect& area : areas) {
      if (area.contains(saved)) {
        *pRestored = true;
        return saved;
      }
    }
  }
  const QRect area = areas.isEmpty() ? QRect(0, 0, kDefaultWidth, kDefaultHeight) : areas.first();
  return QRect(area.topLeft(), QSize(kDefaultWidth, kDefaultHeight).boundedTo(area.size()));
}

void WINDOWSTATE_Attach(MainWindow* pWindow) {
  WindowPlacement placement;
  WINDOWSTATE_Load(&placement);
  QList<QRect> areas;
  if (QScreen* pPrimary = QGuiApplication::primaryScreen()) areas << pPrimary->availableGeometry();
  for (QScreen* pScreen : QGuiApplication::screens())
    if (pScreen != QGuiApplication::primaryScreen()) areas << pScreen->availableGeometry();
  bool restored = false;
  const QRect geometry = WINDOWSTATE_StartGeometry(placement, areas, &restored);
  pWindow->move(geometry.topLeft());
  pWindow->resize(geometry.size());
  if (restored && placement.Maximized) pWindow->setWindowState(pWindow->windowState() | Qt::WindowMaximized);
  pWindow->setProperty(kStateProperty, restored);
  new WindowStateKeeper(pWindow);
}

bool WINDOWSTATE_RestorePanes(MainWindow* pWindow) {
  if (!pWindow->property(kStateProperty).toBool()) return false;
  WindowPlacement placement;
  WINDOWSTATE_Load(&placement);
  QSplitter* pFrame = pWindow->frameSplitter();
  QSplitter* pLower = pWindow->lowerSplitter();
  const int h = pFrame->height(), w = pFrame->width();
  const int upper = placement.FontPaneHeight, left = placement.CharViewWidth;
  if (upper < kMinPane || upper > h - kBar - kMinPane || left < kMinPane || left > w - kBar - kMinPane) return false;
  pFrame->setSizes({upper, h - kBar - upper});
  pLower->setSizes({left, w - kBar - left});
  QSplitter* pUpper = UpperSplitter(pWindow);
  const int preview = placement.PreviewHeight;
  if (pUpper && pWindow->previewPane()->isVisibleTo(pWindow) && preview >= pWindow->previewPane()->minimumSizeHint().height() &&
      preview <= upper - kBar - kMinPane)
    pUpper->setSizes({upper - kBar - preview, preview});
  return true;
}
