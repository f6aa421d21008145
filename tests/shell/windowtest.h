// Shared by the tests of the main window: the shown window on its own document and
// Qt services, and answering the next modal window from the event loop it runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "golden.h"
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
