// Shared by the tests of the main window: the shown window on its own document and
// Qt services, answering the next modal window from the event loop it runs, and
// whole texts compared with their saved copy under tests/data/shell.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "model/current.h"
#include "shell/document.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "support/tempdir.h"

// Runs 'act' on the next modal window, from the event loop that window runs.
inline void OnNextModal(std::function<void(QWidget*)> act) {
  auto* pTimer = new QTimer;
  pTimer->setInterval(5);
  QObject::connect(pTimer, &QTimer::timeout, [pTimer, act] {
    QWidget* pModal = QApplication::activeModalWidget();
    if (!pModal || !pModal->isVisible()) return;
    pTimer->stop();
    pTimer->deleteLater();
    act(pModal);
  });
  pTimer->start();
}

// Compares a whole text with tests/data/shell/<name>; MORVANE_UPDATE_GOLDEN=1 rewrites
// the file instead (tools/update-golden.sh), to be reviewed before it is committed.
inline void ExpectGolden(const std::string& name, const std::string& text) {
  const std::string path = std::string(MORVANE_TEST_DATA) + "/shell/" + name;
  if (std::getenv("MORVANE_UPDATE_GOLDEN")) {
    WriteFile(path, text);
    GTEST_SKIP() << path << " rewritten";
  }
  bool exists = false;
  const std::string golden = ReadFile(path, &exists);
  ASSERT_TRUE(exists) << path;
  size_t at = 0;
  while (at < golden.size() && at < text.size() && golden[at] == text[at]) ++at;
  EXPECT_TRUE(golden == text) << name << " differs at byte " << at << ": \"" << text.substr(at, 120)
                              << "\" instead of \"" << golden.substr(at, 120) << "\"";
}

// The main window shown on its document, with the Qt services the program uses.
class WindowFixture : public testing::Test {
 protected:
  void SetUp() override {
    FILEDLG_Reset();
    pWindow = std::make_unique<MainWindow>(&doc);
    pServices = std::make_unique<QtServices>(pWindow.get(), &doc);
    pWindow->show();
    pWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pWindow.get()));
  }
  void TearDown() override {
    pServices.reset();
    pWindow.reset();
    FONT_SetCurrent(nullptr);
  }

  Document doc;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<QtServices> pServices;
};
