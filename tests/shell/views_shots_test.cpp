// The documentation pictures: three 800 x 640 images whose panes show what each
// is meant to show.
#include "shell/views/views_shots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "support/tempdir.h"
#include "viewtest.h"

namespace {

int CountColor(const QImage& image, QRgb rgb) {
  int n = 0;
  for (int y = 0; y < image.height(); y++)
    for (int x = 0; x < image.width(); x++) n += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
  return n;
}

TEST(ViewsShots, WritesTheThreeLayouts) {
  if (!GeneratedFont("DejaVu Sans Mono", 16, FONTTYPE_AA4, ENCODING_UC16) ||
      !GeneratedFont("IPAGothic", 16, FONTTYPE_STD, ENCODING_JIS))
    GTEST_SKIP() << "DejaVu Sans Mono or IPAGothic is not installed";
  TempDir dir;
  const QString path = QString::fromStdString(dir.path());
  SHOTS_Views(path);
  QImage images[3];
  const char* names[3] = {"views-aa4-unicode.png", "views-ext-frm.png", "views-jis.png"};
  for (int i = 0; i < 3; i++) {
    ASSERT_TRUE(images[i].load(QDir(path).filePath(names[i]))) << names[i];
    EXPECT_EQ(images[i].size(), QSize(800, 640)) << names[i];
  }
  // Light-yellow rows outside the box and light-cyan frame pixels appear only in
  // the framed font's picture, whose character view holds the keyboard.
  EXPECT_GT(CountColor(images[1], qRgb(255, 255, 128)), 100);
  EXPECT_GT(CountColor(images[1], qRgb(128, 255, 255)), 100);
  EXPECT_EQ(CountColor(images[0], qRgb(255, 255, 128)), 0);
  EXPECT_EQ(CountColor(images[2], qRgb(128, 255, 255)), 0);
  // Blocks without characters show as gray cells.
  EXPECT_GT(CountColor(images[0], qRgb(170, 170, 170)), 1000) ;
}

}  // namespace
