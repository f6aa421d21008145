// One emblem everywhere: the window icon and the About box's emblem show the design
// of the installed icons.
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "shell/dialogs/logo.h"
#include "shell/toolbaricons.h"

namespace {

// Largest difference of the red, green and blue values of two colours.
int Distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(Identity, WindowIconAndAboutEmblemAreTheInstalledIcon) {
  const QString data = QStringLiteral(MORVANE_TEST_DATA "/../../data");
  for (int size : {64, 256}) {
    SCOPED_TRACE(size);
    const QImage installed(data + QString("/icons/hicolor/%1x%1/apps/morvane.png").arg(size));
    ASSERT_FALSE(installed.isNull());
    const QImage window = SHELL_AppIcon().pixmap(size, size).toImage();
    const QImage emblem = SHELL_EmblemPixmap(size).toImage();
    ASSERT_EQ(window.size(), installed.size());
    // The middle of each of the 7 x 7 cells of the design (64 units, cells of 6 at
    // 8 + 7 n) and of the tile between them.
    const double unit = size / 64.0;
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 7; ++col)
        for (const double offset : {3.0, 6.5}) {
          const int x = int((8 + 7 * col + offset) * unit), y = int((8 + 7 * row + offset) * unit);
          EXPECT_LE(Distance(window.pixel(x, y), installed.pixel(x, y)), 8) << "window icon at " << x << "," << y;
          EXPECT_LE(Distance(emblem.pixel(x, y), installed.pixel(x, y)), 8) << "emblem at " << x << "," << y;
        }
  }
}

}  // namespace
