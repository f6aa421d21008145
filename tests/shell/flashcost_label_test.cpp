// The status bar's figures in the window, following real key events: the pixel
// data, the C font as a 32-bit target holds it (pixel arrays, 12-byte character
// records, 12-byte range records, the 24-byte font record) and the XBF file, each
// worked out by hand, with the tooltip's breakdown.
#include <gtest/gtest.h>

#include "shell/flashsizelabel.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

using FlashCostLabel = WindowFixture;

TEST_F(FlashCostLabel, ShowsTheWholeCFontAndFollowsKeys) {
  // Height 8, one byte per row: A (width 5) and B (width 4), one range.
  FontPtr pFont = MemoryFont(FONTTYPE_STD, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#####"});
  SetGlyph(pFont.get(), 'B', 4, 0, 0, {"####"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");
  auto* pLabel = pWindow->findChild<FlashSizeLabel*>();
  ASSERT_NE(pLabel, nullptr);
  QWidget* pView = pWindow->fontView();
  pView->setFocus();

  const struct {
    const char* pWhat;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Times;
    const char* pText;
    const char* pRecords;  // in the tooltip
  } steps[] = {
      // 16 + 2 x 12 + 12 + 24; XBF 18 + 2 x 6 + 2 x (4 + 8) + 4.
      {"installed", Qt::Key_unknown, {}, 0, "Pixel data 16 bytes   C font 76 bytes   XBF 58 bytes",
       "character records: 2 x 12 = 24"},
      // B alone: 8 + 12 + 12 + 24; XBF 18 + 6 + 12 + 4.
      {"A disabled", Qt::Key_Space, {}, 1, "Pixel data 8 bytes   C font 56 bytes   XBF 40 bytes",
       "character records: 1 x 12 = 12"},
      {"A enabled", Qt::Key_Space, {}, 1, "Pixel data 16 bytes   C font 76 bytes   XBF 58 bytes",
       "range records: 1 x 12 = 12"},
      // A 9 wide: two bytes per row.
      {"A wider", Qt::Key_R, Qt::ControlModifier, 4, "Pixel data 24 bytes   C font 84 bytes   XBF 66 bytes",
       "2 codes, 12 bytes"},
  };
  for (const auto& s : steps) {
    for (int i = 0; i < s.Times; ++i) QTest::keyClick(pView, s.Key, s.Modifiers);
    EXPECT_EQ(pLabel->text().toStdString(), s.pText) << s.pWhat;
    EXPECT_TRUE(pLabel->toolTip().contains(s.pRecords)) << s.pWhat << "\n" << pLabel->toolTip().toStdString();
    EXPECT_TRUE(pLabel->toolTip().contains("font record: 24")) << s.pWhat;
  }
}

}  // namespace
