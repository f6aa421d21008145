// The text preview: the grabbed canvas against the glyphs' own pixels at device
// size and magnified, in both colour modes, placeholders and their count, edits
// followed at once, rendering limited to the text, and the remembered options.
#include "shell/views/previewpane.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QKeyEvent>
#include <QTest>
#include <cstdlib>
#include <string>

#include "generation/generation_fixture.h"
#include "settings/settings.h"
#include "model/codetables.h"
#include "model/current.h"
#include "output/savetest.h"
#include "shell/document.h"
#include "shell/views/previewsettings.h"
#include "support/tempdir.h"
#include "shell/dialogtest.h"
#include "widgettest.h"

namespace {

class PreviewTest : public SettingsTest {
 protected:
  // The current font goes before the font engine it was generated with.
  void TearDown() override { FONT_SetCurrent(nullptr); }
  void Install(int type) {
    CreateArgs args;
    args.Type = type;
    args.Height = 20;
    doc.install(CreateFont(args), "");
    ASSERT_NE(doc.font(), nullptr);
  }
  Document doc;
  ViewServices services{&doc};  // the core's notices reach the document
};

// Where a character's box starts on the line, the pen moved on; computed from the
// font's records as a device would.
struct Box {
  int X, Y;
};
std::vector<Box> Layout(const Font* pFont, const std::string& text, int* pTop) {
  const bool extended = FONT_IsExtendedType(pFont->Type);
  std::vector<Box> boxes;
  int pen = 0, top = 0;
  for (char ch : text) {
    const CharInfo& ci = pFont->aCharInfo[uint8_t(ch)];
    if (extended) {
      boxes.push_back({pen + ci.BoxLeft, pFont->Baseline - ci.BoxTop});
      top = std::min(top, pFont->Baseline - ci.BoxTop);
      pen += ci.CursorDist;
    } else {
      boxes.push_back({pen, 0});
      pen += ci.BoxWidth;
    }
  }
  for (Box& b : boxes) b.Y -= top;
  *pTop = top;
  return boxes;
}

// Compares every pixel of the glyphs of text (drawn first on the line) with the
// canvas at the origin and zoom given; returns the number of pixels compared.
int ExpectGlyphsOnCanvas(const QImage& canvas, Font* pFont, const std::string& text, QPoint origin, int zoom,
                         bool dark) {
  int top = 0, compared = 0;
  const std::vector<Box> boxes = Layout(pFont, text, &top);
  const int max = FONT_GetMaxPixelValue(pFont);
  const QColor bg = PREVIEW_Background(dark), ink = PREVIEW_Ink(dark);
  const auto lightness = [](QColor c) { return c.red() + c.green() + c.blue(); };
  for (size_t i = 0; i < text.size(); ++i) {
    const uint16_t code = uint8_t(text[i]);
    const CharInfo& ci = pFont->aCharInfo[code];
    const int height = FONT_IsExtendedType(pFont->Type) ? ci.BoxHeight : pFont->Height;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < ci.BoxWidth; ++x) {
        const int value = FONT_GetPixel(pFont, code, x, y);
        for (int dy = 0; dy < zoom; ++dy) {
          for (int dx = 0; dx < zoom; ++dx) {
            const QPoint at = origin + QPoint((boxes[i].X + x) * zoom + dx, (boxes[i].Y + y) * zoom + dy);
            const QColor seen = canvas.pixelColor(at);
            ++compared;
            QColor want = PREVIEW_Shade(dark, value, max);
            if (value <= 0) want = bg;
            else if (value == max) want = ink;
            // Intermediate values: a shade strictly between screen and ink.
            const int l = lightness(seen), lb = lightness(bg), li = lightness(ink);
            const bool between = value <= 0 || value == max || (l > std::min(lb, li) && l < std::max(lb, li));
            if (seen != want || !between) {
              ADD_FAILURE() << "character " << text[i] << " pixel " << x << "/" << y << " value " << value
                            << " zoom " << zoom << (dark ? " light on dark" : " dark on light") << ": seen "
                            << seen.name().toStdString() << ", expected " << want.name().toStdString();
              return -1;
            }
          }
        }
      }
    }
  }
  return compared;
}

QImage Grab(PreviewPane& pane) {
  QApplication::processEvents();
  return pane.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(PreviewTest, CanvasShowsTheGlyphPixelsInBothModesAtZoomOneAndThree) {
  for (int type : {FONTTYPE_STD, FONTTYPE_EXT_AA4, FONTTYPE_AA2}) {
    Install(type);
    PreviewPane pane(&doc);
    pane.resize(900, 400);
    pane.show();
    const std::string text = "AiBge";
    pane.textEdit()->clear();
    TypeText(pane.textEdit(), QString::fromStdString(text));
    for (bool dark : {false, true}) {
      if (pane.lightOnDarkBox()->isChecked() != dark) QTest::mouseClick(pane.lightOnDarkBox(), Qt::LeftButton);
      ASSERT_EQ(pane.lightOnDarkBox()->isChecked(), dark);
      for (int zoom : {1, 3}) {
        pane.zoomBox()->setValue(zoom);
        const QImage canvas = Grab(pane);
        EXPECT_GT(ExpectGlyphsOnCanvas(canvas, doc.font(), text, pane.devicePosition(), 1, dark), 100);
        EXPECT_GT(ExpectGlyphsOnCanvas(canvas, doc.font(), text, pane.zoomedPosition(), zoom, dark), 100);
        EXPECT_EQ(canvas.pixelColor(1, 1), PREVIEW_Background(dark));
      }
    }
    EXPECT_EQ(pane.missingCount(), 0);
    EXPECT_TRUE(pane.missingLabel()->text().isEmpty());
  }
}

TEST_F(PreviewTest, MissingAndDisabledCharactersArePlaceholdersAndCounted) {
  Install(FONTTYPE_EXT);
  PreviewPane pane(&doc);
  pane.resize(900, 400);
  pane.show();
  pane.textEdit()->clear();
  TypeText(pane.textEdit(), QString::fromUtf8("AeZあ"));  // the face has neither Z nor あ
  EXPECT_EQ(pane.missingCount(), 2);
  EXPECT_EQ(pane.missingLabel()->text(), "2 characters missing");
  // Disabling a character of the text is followed at once.
  FONT_EnableChar(doc.font(), 'e', 0);
  doc.notifyFontChanged({'e', 'e', CHANGE_ENABLED});
  EXPECT_EQ(pane.missingCount(), 3);
  EXPECT_EQ(pane.missingLabel()->text(), "3 characters missing");
  // The placeholders are visible right of 'A', in their own colour.
  const QImage canvas = Grab(pane);
  int top = 0;
  Layout(doc.font(), "A", &top);
  const int start = pane.devicePosition().x() + doc.font()->aCharInfo['A'].CursorDist;
  int placeholderPixels = 0;
  for (int y = pane.devicePosition().y(); y < pane.devicePosition().y() + pane.line().height(); ++y)
    for (int x = start; x < pane.devicePosition().x() + pane.line().width(); ++x)
      placeholderPixels += canvas.pixelColor(x, y) == PREVIEW_Placeholder();
  EXPECT_GT(placeholderPixels, 3 * 2 * 8);  // three frames, each at least two sides of 8 pixels
  QTest::keyClick(pane.textEdit(), Qt::Key_Backspace);
  QTest::keyClick(pane.textEdit(), Qt::Key_Backspace);
  EXPECT_EQ(pane.missingLabel()->text(), "1 character missing");
}

TEST_F(PreviewTest, FollowsEditsAndRendersOnlyTheText) {
  Install(FONTTYPE_EXT_AA4);
  EXPECT_FALSE(FONT_IsCharRendered(doc.font(), 'A'));
  PreviewPane pane(&doc);
  pane.resize(900, 400);
  pane.show();
  pane.textEdit()->setText("AB");
  EXPECT_TRUE(FONT_IsCharRendered(doc.font(), 'A'));
  EXPECT_TRUE(FONT_IsCharRendered(doc.font(), 'B'));
  // Nothing but the characters of the texts shown (the remembered one first).
  const std::string shown = PreviewSettings().Text + "AB";
  int rendered = 0;
  for (int code = 0; code < FONT_NUM_CODES; ++code) {
    if (!FONT_IsCharRendered(doc.font(), uint16_t(code))) continue;
    ++rendered;
    EXPECT_NE(shown.find(char(code)), std::string::npos) << code;
  }
  EXPECT_GT(rendered, 2);
  EXPECT_FALSE(FONT_IsCharRendered(doc.font(), 'g'));
  // Find an ink pixel of A and clear it through the document.
  const CharInfo& a = doc.font()->aCharInfo['A'];
  int inkX = -1, inkY = -1;
  for (int y = 0; y < a.BoxHeight && inkX < 0; ++y)
    for (int x = 0; x < a.BoxWidth && inkX < 0; ++x)
      if (FONT_GetPixel(doc.font(), 'A', x, y) == 15) inkX = x, inkY = y;
  ASSERT_GE(inkX, 0);
  const QPoint at = pane.devicePosition() + QPoint(a.BoxLeft + inkX, doc.font()->Baseline - a.BoxTop + inkY);
  EXPECT_EQ(Grab(pane).pixelColor(at), PREVIEW_Ink(false));
  doc.setPixel('A', inkX, inkY, 0, false);
  EXPECT_EQ(Grab(pane).pixelColor(at), PREVIEW_Background(false));
  EXPECT_EQ(ExpectGlyphsOnCanvas(Grab(pane), doc.font(), "AB", pane.devicePosition(), 1, false) > 0, true);
  // A new font replaces the line at once.
  Install(FONTTYPE_STD);
  EXPECT_EQ(pane.line().height(), doc.font()->Height);
  EXPECT_GT(ExpectGlyphsOnCanvas(Grab(pane), doc.font(), "AB", pane.devicePosition(), 1, false), 0);
}

TEST_F(PreviewTest, TypedTextGoesThroughTheFontsEncoding) {
  SJIS_Init();  // as the program does at start
  // A Shift_JIS font built by hand: A, and あ at its Shift_JIS code.
  FontPtr pFont = NewFont(FONTTYPE_STD, ENCODING_JIS, 6);
  AddChar(pFont.get(), 'A', 3, 6, [](int x, int) { return x == 1; });
  AddChar(pFont.get(), 0x82A0, 6, 6, [](int x, int y) { return x == y; });
  doc.install(std::move(pFont), "");
  PreviewPane pane(&doc);
  pane.resize(400, 200);
  pane.show();
  pane.textEdit()->clear();
  TypeText(pane.textEdit(), QString::fromUtf8("Aあ"));
  EXPECT_EQ(pane.missingCount(), 0);
  const QImage canvas = Grab(pane);
  const QPoint origin = pane.devicePosition();
  for (int y = 0; y < 6; ++y) {
    EXPECT_EQ(canvas.pixelColor(origin + QPoint(1, y)), PREVIEW_Ink(false)) << y;  // A's stem
    EXPECT_EQ(canvas.pixelColor(origin + QPoint(0, y)), PREVIEW_Background(false)) << y;
    for (int x = 0; x < 6; ++x)  // the diagonal of あ after A's 3 columns
      EXPECT_EQ(canvas.pixelColor(origin + QPoint(3 + x, y)), x == y ? PREVIEW_Ink(false) : PREVIEW_Background(false));
  }
  EXPECT_EQ(pane.line().width(), 9);
  // A character Shift_JIS has no code for is missing.
  TypeText(pane.textEdit(), QString::fromUtf8("€"));
  EXPECT_EQ(pane.missingCount(), 1);
}

TEST_F(PreviewTest, OptionsFromAnEditedFileAreBounded) {
  WriteSettingsFile(dir, "MagX=2\n");
  WriteFile(SETTINGS_GetFileName(), ReadFile(SETTINGS_GetFileName()) +
                                        "[Preview]\r\nVisible=7\r\nZoom=99\r\nnonsense\r\nText=a=b\r\n[Other]\nZoom=2\n");
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);
  EXPECT_EQ(options.Visible, 1);
  EXPECT_EQ(options.Zoom, 8);
  EXPECT_EQ(options.Text, "a=b");
  options.Zoom = 2;
  options.Text = "two\nlines";
  ASSERT_EQ(PREVIEW_SaveSettings(options), 0);
  const std::string file = ReadFile(SETTINGS_GetFileName());
  EXPECT_NE(file.find("MagX=2"), std::string::npos);
  EXPECT_NE(file.find("[Other]\nZoom=2\n"), std::string::npos);  // other sections kept
  EXPECT_EQ(file.find("nonsense"), std::string::npos);             // the old section replaced
  PREVIEW_LoadSettings(&options);
  EXPECT_EQ(options.Zoom, 2);
  EXPECT_EQ(options.Text, "two lines");
  WriteFile(SETTINGS_GetFileName(), "[Preview]\nZoom=-3\n");
  PREVIEW_LoadSettings(&options);
  EXPECT_EQ(options.Zoom, 1);
  EXPECT_EQ(options.Visible, 0);
}

TEST_F(PreviewTest, OptionsAreRememberedBesideTheSettings) {
  Settings settings;
  settings.MagY = 3;
  ASSERT_EQ(SETTINGS_Save(&settings), 0);
  Install(FONTTYPE_STD);
  {
    PreviewPane pane(&doc);
    EXPECT_FALSE(PreviewPane::shownInSettings());  // hidden at start
    EXPECT_FALSE(pane.toggleAction()->isChecked());
    EXPECT_TRUE(pane.isHidden());
    pane.toggleAction()->trigger();
    EXPECT_TRUE(pane.toggleAction()->isChecked());
    pane.zoomBox()->setValue(5);
    QTest::mouseClick(pane.lightOnDarkBox(), Qt::LeftButton);
    pane.textEdit()->clear();
    TypeText(pane.textEdit(), "Hello");
    QTest::keyClick(pane.textEdit(), Qt::Key_Return);
  }
  EXPECT_TRUE(PreviewPane::shownInSettings());
  PreviewPane again(&doc);
  EXPECT_TRUE(again.toggleAction()->isChecked());
  EXPECT_EQ(again.zoomBox()->value(), 5);
  EXPECT_TRUE(again.lightOnDarkBox()->isChecked());
  EXPECT_EQ(again.textEdit()->text(), "Hello");
  // The options record's own section is untouched, and the preview's section
  // survives the record's next save.
  EXPECT_EQ(Stored().MagY, 3);
  ASSERT_EQ(SETTINGS_Save(&settings), 0);
  PreviewSettings options;
  PREVIEW_LoadSettings(&options);
  EXPECT_EQ(options.Visible, 1);
  EXPECT_EQ(options.Zoom, 5);
  {
    // Placed in a window, the pane shows as remembered.
    QWidget window;
    auto* pPane = new PreviewPane(&doc, &window);
    window.show();
    EXPECT_TRUE(pPane->isVisible());
  }
  again.toggleAction()->trigger();
  EXPECT_FALSE(PreviewPane::shownInSettings());
  QWidget window;
  auto* pPane = new PreviewPane(&doc, &window);
  window.show();
  EXPECT_FALSE(pPane->isVisible());
  EXPECT_FALSE(pPane->toggleAction()->isChecked());
}

}  // namespace
