// Shared by the dialog tests: a private settings folder for the test process, the
// settings as stored, and a catcher that reads and closes the message boxes a
// dialog opens while a test drives it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/tempdir.h"

// Points the settings store at a fresh folder before anything loads them.
class SettingsTest : public testing::Test {
 protected:
  SettingsTest() { setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1); }
  // The settings as the store holds them now.
  static Settings Stored() {
    Settings s;
    SETTINGS_Load(&s);
    return s;
  }
  std::string IniText() const { return ReadFile(SETTINGS_GetFileName()); }
  TempDir dir;
};

// Shows a widget as the active window, as a user finds a dialog that just opened.
inline void ShowActive(QWidget* pWidget) {
  pWidget->show();
  QApplication::setActiveWindow(pWidget);
  ASSERT_TRUE(QTest::qWaitForWindowActive(pWidget));
}

// Replaces the text of a line edit as a user would: focus, select all, delete, type.
inline void Retype(QLineEdit* pEdit, const QString& text) {
  pEdit->setFocus();
  pEdit->selectAll();
  QTest::keyClick(pEdit, Qt::Key_Delete);
  QTest::keyClicks(pEdit, text);
}

struct CaughtMessage {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
};

// While alive, every message box that becomes the active modal window is
// recorded and closed with its OK button.
class MessageCatcher {
 public:
  MessageCatcher() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      messages.push_back({box->windowTitle(), box->text(), box->icon()});
      box->button(QMessageBox::Ok)->click();
    });
    timer_.start();
  }
  std::vector<CaughtMessage> messages;

 private:
  QTimer timer_;
};
