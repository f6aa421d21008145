// The text preview with real keys: the glyphs' pixels at both sizes and in both
// colour modes, each line's width against the display's edge, placeholders, the
// font's encoding, edits followed, rendering limited to the text, and the options
// remembered from one start to the next.
#include "shell/views/previewpane.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <string>
#include <vector>

#include "generation/generation_fixture.h"
#include "golden.h"
#include "model/codetables.h"
#include "model/current.h"
#include "output/savetest.h"
#include "settings/settings.h"
#include "shell/dialogtest.h"
#include "shell/document.h"
#include "shell/views/previewsettings.h"
#include "support/tempdir.h"
#include "widgettest.h"

namespace {

class PreviewTest : public SettingsTest {
 protected:
  // The current font goes before the font engine it was generated with.
  void TearDown() override { FONT_SetCurrent(nullptr); }
  void Install(int type) {
    CreateArgs args;
    args.Type = type;
    doc.install(CreateFont(args), "");
    ASSERT_NE(doc.font(), nullptr);
  }
  Document doc;
  ViewServices services{&doc};  // the core's notices reach the document
};

// The width of a line as a device adds it up: the advances of its characters.
int Advances(const Font* pFont, const std::string& text) {
  int pen = 0;
  for (char ch : text) {
    const CharInfo& ci = pFont->aCharInfo[uint8_t(ch)];
    pen += FONT_IsExtendedType(pFont->Type) ? ci.CursorDist : ci.BoxWidth;
  }
  return pen;
}

QImage Grab(PreviewPane& pane) {
  QApplication::processEvents();
  return pane.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Replaces the pane's text with lines typed key by key.
void TypeLines(PreviewPane& pane, const QStringList& lines) {
  pane.textEdit()->setFocus();
  QTest::keyClick(pane.textEdit(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(pane.textEdit(), Qt::Key_Delete);
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(pane.textEdit(), Qt::Key_Return);
    TypeText(pane.textEdit(), lines[i]);
  }
}

void TypeDisplayWidth(PreviewPane& pane, int width) {
  pane.displayWidthBox()->setFocus();
  QTest::keyClick(pane.displayWidthBox(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(pane.displayWidthBox(), QString::number(width));
  QTest::keyClick(pane.displayWidthBox(), Qt::Key_Return);
}

// Two lines, the second one pixel too wide for the display, for three types in both
// colour modes at zoom 1 and 3: the canvases one below the other are compared with
// tests/data/shell/preview_lines.png (the glyphs at device size and magnified, the
// edge from above the first line to below the last, the mark left of the line too
// wide), the width texts with the advances added up by hand.
TEST_F(PreviewTest, LinesShowTheirWidthsAgainstTheDisplayEdgeInBothModes) {
  PreviewPane pane(&doc);
  pane.resize(900, 600);
  pane.show();
  const std::string text[] = {"AiBge", "gAiBeWA"};
  std::vector<QImage> canvases;
  for (int type : {FONTTYPE_STD, FONTTYPE_EXT_AA4, FONTTYPE_AA2}) {
    SCOPED_TRACE(type);
    Install(type);  // the pane follows the new font at once
    // A's box reaches past its advance, as an italic's does: the width is the
    // advances, not the ink.
    FONT_RenderChar(doc.font(), 'A');
    CharInfo& a = doc.font()->aCharInfo['A'];
    if (FONT_IsExtendedType(type)) a.CursorDist = a.BoxLeft + a.BoxWidth - 2;
    TypeLines(pane, {"AiBge", "gAiBeWA"});
    ASSERT_EQ(pane.lineCount(), 2);
    // Nothing but the characters of the texts shown is rendered (the remembered text first).
    for (int code = 0; code < FONT_NUM_CODES; ++code)
      EXPECT_TRUE(!FONT_IsCharRendered(doc.font(), uint16_t(code)) ||
                  (PreviewSettings().Text + text[1]).find(char(code)) != std::string::npos)
          << code;
    const int widths[2] = {Advances(doc.font(), text[0]), Advances(doc.font(), text[1])};
    ASSERT_GT(widths[1] - 1, widths[0]);
    // One pixel too narrow for the second line, then just wide enough.
    TypeDisplayWidth(pane, widths[1] - 1);
    EXPECT_EQ(pane.widthText(0), QString("%1 px").arg(widths[0]));
    EXPECT_EQ(pane.widthText(1), QString("%1 px, 1 px too wide").arg(widths[1]));
    EXPECT_FALSE(pane.tooWide(0));
    EXPECT_TRUE(pane.tooWide(1));
    for (bool dark : {false, true}) {
      if (pane.lightOnDarkBox()->isChecked() != dark) QTest::mouseClick(pane.lightOnDarkBox(), Qt::LeftButton);
      ASSERT_EQ(pane.lightOnDarkBox()->isChecked(), dark);
      for (int zoom : {1, 3}) {
        pane.zoomBox()->setValue(zoom);
        // The edge is the first column the display lacks, at device size and magnified.
        for (bool zoomed : {false, true})
          EXPECT_EQ(pane.limitColumn(zoomed), pane.penPosition(0, zoomed).x() + (zoomed ? zoom : 1) * (widths[1] - 1));
        canvases.push_back(Grab(pane).copy(0, 0, pane.penPosition(0, true).x() + zoom * (widths[1] + 2),
                                           pane.lineRect(1, true).bottom() + 4));
      }
    }
    // One more pixel fits the line: no mark; without a width, no edge.
    pane.displayWidthBox()->setFocus();
    QTest::keyClick(pane.displayWidthBox(), Qt::Key_Up);
    EXPECT_EQ(pane.widthText(1), QString("%1 px").arg(widths[1]));
    EXPECT_EQ(Grab(pane).pixelColor(3, pane.lineRect(1, false).center().y()), PREVIEW_Background(true));
    TypeDisplayWidth(pane, 0);
    EXPECT_EQ(pane.limitColumn(false), -1);
    EXPECT_EQ(Grab(pane).pixelColor(pane.penPosition(0, false).x() + widths[1], 2), PREVIEW_Background(true));
  }
  ExpectGoldenImage("preview_lines.png", Stacked(canvases));
}

TEST_F(PreviewTest, PlaceholdersTakeTheirFrameWidthAndAreCountedInTheFontsEncoding) {
  SJIS_Init();  // as the program does at start
  // A Shift_JIS font built by hand: A, and あ at its Shift_JIS code.
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_JIS, 6);
  AddChar(pFont.get(), 'A', 3, 6, [](int x, int) { return x == 1; });
  AddChar(pFont.get(), 0x82A0, 6, 6, [](int x, int y) { return x == y; });
  doc.install(std::move(pFont), "");
  PreviewPane pane(&doc);
  pane.resize(400, 300);
  pane.show();
  TypeLines(pane, {QString::fromUtf8("Aあ"), QString::fromUtf8("€A")});  // Shift_JIS has no €
  EXPECT_EQ(pane.missingLabel()->text(), "1 character missing");
  // At device size, compared with tests/data/shell/preview_placeholders.png: あ
  // follows A's 3 columns; € is a frame of 4 columns in the placeholder colour.
  const QRect lines(pane.penPosition(0, false), pane.penPosition(1, false) + QPoint(9, 5));
  ExpectGoldenImage("preview_placeholders.png", Grab(pane).copy(lines));
  EXPECT_EQ(pane.widthText(0), "9 px");
  EXPECT_EQ(pane.widthText(1), "7 px");
  // Disabling a character of the text is followed at once.
  FONT_EnableChar(doc.font(), 'A', 0);
  doc.notifyFontChanged({'A', 'A', CHANGE_ENABLED});
  EXPECT_EQ(pane.missingLabel()->text(), "3 characters missing");
  EXPECT_EQ(pane.widthText(0), "10 px");
}

TEST_F(PreviewTest, OptionsComeBackAtTheNextStartAndAreBoundedWhenEdited) {
  Install(FONTTYPE_STD);
  {
    PreviewPane pane(&doc);
    EXPECT_TRUE(pane.isHidden());  // hidden at first
    pane.toggleAction()->trigger();
    QTest::mouseClick(pane.lightOnDarkBox(), Qt::LeftButton);
    pane.zoomBox()->setValue(5);
    TypeLines(pane, {"Hello", "a\\n b"});
    TypeDisplayWidth(pane, 128);
  }
  // The next start, with other sections and the options record in the same file.
  WriteFile(SETTINGS_GetFileName(), "[Other]\nZoom=2\n" + ReadFile(SETTINGS_GetFileName()));
  Settings settings;
  settings.MagY = 3;
  ASSERT_EQ(SETTINGS_Save(&settings), 0);
  EXPECT_TRUE(PreviewPane::shownInSettings());
  {
    QWidget window;  // placed in a window, the pane shows as remembered
    auto* pPane = new PreviewPane(&doc, &window);
    window.show();
    EXPECT_TRUE(pPane->isVisible() && pPane->toggleAction()->isChecked() && pPane->lightOnDarkBox()->isChecked());
    EXPECT_EQ(QString("%1 %2 %3 %4").arg(pPane->zoomBox()->value()).arg(pPane->displayWidthBox()->value())
                  .arg(pPane->textEdit()->toPlainText()).arg(pPane->lineCount()),
              "5 128 Hello\na\\n b 2");
    pPane->toggleAction()->trigger();
  }
  EXPECT_FALSE(PreviewPane::shownInSettings());
  EXPECT_EQ(Stored().MagY, 3);
  EXPECT_NE(IniText().find("[Other]\nZoom=2\n"), std::string::npos);
  // An edited file: values out of range are brought into it; an old backslash stays.
  // Read through the options' bounded reader: a file one byte over 64 kilobytes gives
  // the defaults, as a FIFO or an endless device would, instead of a start that waits.
  const std::string filler = "[V1]\n" + std::string(64 * 1024 - 17 - 6, ';') + "\n";
  const struct {
    std::string File, Text;
    int Zoom, Width;
  } cases[] = {{"[Preview]\nZoom=99\r\nDisplayWidth=99999\r\nText=x\\y\\nz\r\n", "x\\y\nz", 8, 4096},
               {"[Preview]\nZoom=-3\nDisplayWidth=-1\nText=" + std::string(5000, 'w'), std::string(4000, 'w'), 1, 0},
               {filler + "[Preview]\nZoom=7\n", PreviewSettings().Text, 7, 0},
               {";" + filler + "[Preview]\nZoom=7\n", PreviewSettings().Text, PreviewSettings().Zoom, 0}};
  for (const auto& c : cases) {
    WriteFile(SETTINGS_GetFileName(), c.File);
    PreviewSettings options;
    PREVIEW_LoadSettings(&options);
    EXPECT_EQ(options.Zoom, c.Zoom) << c.File.size();
    EXPECT_EQ(options.DisplayWidth, c.Width);
    EXPECT_EQ(options.Text, c.Text);
  }
}

}  // namespace
