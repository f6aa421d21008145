// The documentation pictures of the window additions: written, of a sensible
// size, and showing what they are about (ink, placeholders, the size figure).
// With MORVANE_SHOTS_DIR set they go there (docs/) instead of a temporary folder.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "model/current.h"
#include "shell/dialogtest.h"
#include "shell/extras/extras_shots.h"
#include "shell/extras/previewpane.h"
#include "support/tempdir.h"

namespace {

int CountColour(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
  return n;
}

using ExtrasShotsTest = SettingsTest;

TEST_F(ExtrasShotsTest, PicturesShowThePreviewAndTheSizeFigure) {
  const char* pTarget = std::getenv("MORVANE_SHOTS_DIR");
  const QString out = pTarget && *pTarget ? QString(pTarget) : QString::fromStdString(dir.file("shots"));
  SHOTS_Extras(out);
  FONT_SetCurrent(nullptr);
  for (bool dark : {false, true}) {
    const QImage image(out + (dark ? "/preview-light-on-dark.png" : "/preview-dark-on-light.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 300);
    EXPECT_GT(CountColour(image, PREVIEW_Ink(dark)), 200);           // glyphs at both sizes
    EXPECT_GT(CountColour(image, PREVIEW_Placeholder()), 20);        // the missing あ
    EXPECT_GT(CountColour(image, PREVIEW_Background(dark)), 10000);  // the screen
  }
  for (const char* pName : {"/flashsize-estimated.png", "/flashsize.png"}) {
    const QImage image(out + pName);
    ASSERT_FALSE(image.isNull()) << pName;
    EXPECT_GT(image.width(), 300);
  }
}

}  // namespace
