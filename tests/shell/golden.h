// Whole outputs of the window tests compared with their saved copy under
// tests/data/shell: texts byte for byte, grabbed images pixel for pixel.
// MORVANE_UPDATE_GOLDEN=1 rewrites the copies instead (tools/update-golden.sh);
// review them before they are committed.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/tempdir.h"

inline std::string GoldenPath(const std::string& name) { return std::string(MORVANE_TEST_DATA) + "/shell/" + name; }

inline void ExpectGolden(const std::string& name, const std::string& text) {
  if (std::getenv("MORVANE_UPDATE_GOLDEN")) {
    WriteFile(GoldenPath(name), text);
    GTEST_SKIP() << name << " rewritten";
  }
  bool exists = false;
  const std::string golden = ReadFile(GoldenPath(name), &exists);
  ASSERT_TRUE(exists) << GoldenPath(name);
  size_t at = 0;
  while (at < golden.size() && at < text.size() && golden[at] == text[at]) ++at;
  EXPECT_TRUE(golden == text) << name << " differs at byte " << at << ": \"" << text.substr(at, 120)
                              << "\" instead of \"" << golden.substr(at, 120) << "\"";
}

// The images one below the other, on white, as one picture.
inline QImage Stacked(const std::vector<QImage>& images) {
  int w = 0, h = 0;
  for (const QImage& image : images) {
    w = std::max(w, image.width());
    h += image.height();
  }
  QImage all(w, h, QImage::Format_RGB32);
  all.fill(Qt::white);
  QPainter painter(&all);
  int y = 0;
  for (const QImage& image : images) {
    painter.drawImage(0, y, image);
    y += image.height();
  }
  return all;
}

// Compares an image with tests/data/shell/<name> (a PNG); a differing image is left
// in the build folder beside the test's working directory as <name>.
inline void ExpectGoldenImage(const std::string& name, const QImage& image) {
  const QImage actual = image.convertToFormat(QImage::Format_ARGB32);
  const QImage golden = QImage(QString::fromStdString(GoldenPath(name))).convertToFormat(QImage::Format_ARGB32);
  if (std::getenv("MORVANE_UPDATE_GOLDEN")) {
    if (golden != actual) actual.save(QString::fromStdString(GoldenPath(name)));  // same pixels: no new bytes
    GTEST_SKIP() << name << " rewritten";
  }
  ASSERT_FALSE(golden.isNull()) << GoldenPath(name);
  if (golden == actual) return;
  actual.save(QString::fromStdString(name));
  ASSERT_EQ(actual.size(), golden.size()) << name;
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != golden.pixel(x, y)) {
        ADD_FAILURE() << name << " differs first at " << x << "," << y << ": " << std::hex
                      << actual.pixel(x, y) << " instead of " << golden.pixel(x, y);
        return;
      }
}

// The state a user sees in a window, as text: each named widget with its label or
// text, its list entries (the current one marked ">"), and whether it is checked,
// grayed or hidden; then the order Tab visits the named widgets in.
inline std::string DumpWidgets(QWidget* pWindow) {
  std::string out;
  for (QWidget* pWidget : pWindow->findChildren<QWidget*>()) {
    if (pWidget->objectName().isEmpty() || pWidget->objectName().startsWith("qt_")) continue;
    out += pWidget->objectName().toStdString();
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
      out += " \"" + pButton->text().toStdString() + "\"";
      if (pButton->isChecked()) out += " checked";
    } else if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
      out += " \"" + pEdit->text().toStdString() + "\"";
    } else if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
      out += " \"" + pLabel->text().toStdString() + "\"";
    } else if (auto* pList = qobject_cast<QListWidget*>(pWidget)) {
      for (int i = 0; i < pList->count(); ++i)
        out += std::string(i == pList->currentRow() ? " >" : " ") + "\"" + pList->item(i)->text().toStdString() + "\"";
    }
    if (!pWidget->isEnabled()) out += " grayed";
    if (pWidget->isHidden()) out += " hidden";
    out += "\n";
  }
  out += "Tab:";
  QWidget* pFirst = pWindow->nextInFocusChain();
  for (QWidget* pWidget = pFirst;;) {
    if (pWidget->focusPolicy() & Qt::TabFocus && !pWidget->objectName().isEmpty() && pWidget->isEnabled())
      out += " " + pWidget->objectName().toStdString();
    pWidget = pWidget->nextInFocusChain();
    if (pWidget == pFirst || pWidget == pWindow) break;
  }
  return out + "\n";
}
