// The documentation pictures: every writer leaves each of its files, of a sensible
// size and showing its subject (the colours that only that picture may hold).
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/current.h"
#include "screenshots/shots.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/newfont.h"
#include "shell/dialogtest.h"
#include "shell/views/previewpane.h"
#include "viewtest.h"

namespace {

int CountColour(const QImage& image, QRgb rgb) {
  int n = 0;
  for (int y = 0; y < image.height(); y++)
    for (int x = 0; x < image.width(); x++) n += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
  return n;
}

struct Colour {
  QRgb Rgb;
  int Min, Max;  // pixels of that colour the picture holds
};

struct Picture {
  std::string Name;
  int MinWidth, MinHeight;  // negative: exactly that size
  std::vector<Colour> Colours;
};

using ShotsTest = SettingsTest;

TEST_F(ShotsTest, EveryPictureIsWrittenAndShowsItsSubject) {
  if (!GeneratedFont("DejaVu Sans Mono", 16, FONTTYPE_AA4, ENCODING_UC16) ||
      !GeneratedFont("IPAGothic", 16, FONTTYPE_STD, ENCODING_JIS))
    GTEST_SKIP() << "DejaVu Sans Mono or IPAGothic is not installed";
  const QString out = QString::fromStdString(dir.file("shots"));
  SHOTS_Views(out);
  SHOTS_NewFontDialogs(out);
  SHOTS_Dialogs(out);
  SHOTS_Extras(out);
  SHOTS_GoToBlock(out);
  FONT_SetCurrent(nullptr);

  constexpr QRgb kYellow = 0xFFFF80, kCyan = 0x80FFFF, kGray = 0xAAAAAA, kBlack = 0;
  constexpr int kMany = 1 << 30;
  std::vector<Picture> pictures = {
      // Light-yellow rows outside the box and light-cyan frame pixels only in the
      // framed font's picture; blocks without characters as gray cells.
      {"views-aa4-unicode.png", -800, -640, {{kYellow, 0, 0}, {kGray, 1001, kMany}}},
      {"views-ext-frm.png", -800, -640, {{kYellow, 101, kMany}, {kCyan, 101, kMany}}},
      {"views-jis.png", -800, -640, {{kCyan, 0, 0}}},
      {"generation-dialog.png", 151, 151, {}},
      {"font-chooser.png", 151, 151, {{kBlack, 51, kMany}}},  // a sample in black ink
      {"flashsize-estimated.png", 301, 10, {}},
      {"flashsize.png", 301, 10, {}},
      {"goto-block.png", -800, -640, {}},
  };
  for (bool dark : {false, true})
    pictures.push_back({dark ? "preview-light-on-dark.png" : "preview-dark-on-light.png", 301, 50,
                        {{PREVIEW_Ink(dark).rgb(), 201, kMany},           // glyphs at both sizes
                         {PREVIEW_Placeholder().rgb(), 21, kMany},        // the missing あ
                         {PREVIEW_Background(dark).rgb(), 10001, kMany}}});  // the screen
  pictures.push_back({"preview-limit.png", 301, 50,
                      {{PREVIEW_Limit().rgb(), 80, kMany}, {PREVIEW_Overflow().rgb(), 60, kMany}}});  // edge, mark
  for (const char* pName : {"compatibility", "magnification", "logging", "antialiasing", "xbf-options",
                            "measurement", "xbf-type", "range", "about", "cmd-help"})
    pictures.push_back({std::string("dialog-") + pName + ".png", 200, 100, {}});

  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.Name);
    const QImage image(out + "/" + QString::fromStdString(picture.Name));
    ASSERT_FALSE(image.isNull());
    if (picture.MinWidth < 0) {
      EXPECT_EQ(image.size(), QSize(-picture.MinWidth, -picture.MinHeight));
    } else {
      EXPECT_GE(image.width(), picture.MinWidth);
      EXPECT_GE(image.height(), picture.MinHeight);
    }
    std::set<QRgb> colours;  // text and controls, not an empty window
    for (int y = 0; y < image.height(); y += 3)
      for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 4u);
    for (const Colour& c : picture.Colours) {
      const int n = CountColour(image, c.Rgb);
      EXPECT_GE(n, c.Min) << std::hex << c.Rgb;
      EXPECT_LE(n, c.Max) << std::hex << c.Rgb;
    }
  }
}

}  // namespace
