// The status bar's size figure: equal to the files saved at the same moment for a
// Unicode and a JIS font, following enabling and box edits through the document,
// and marked as an estimate until every enabled character is rendered.
#include "shell/flashsizelabel.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <regex>

#include "generation/generation_fixture.h"
#include "output/save.h"
#include "output/savetest.h"
#include "model/current.h"
#include "shell/document.h"

namespace {

uint64_t CArrayBytes(const std::string& source) {
  static const std::regex kArray(R"(unsigned char ac\w+_[0-9A-F]{4}\[ *(\d+)\])");
  uint64_t sum = 0;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), kArray); it != std::sregex_iterator(); ++it)
    sum += std::stoull((*it)[1].str());
  return sum;
}

QString Grouped(uint64_t n) { return QLocale(QLocale::English).toString(static_cast<qulonglong>(n)); }

class FlashSizeLabelTest : public testing::Test {
 protected:
  // The current font goes before the font engine it was generated with.
  void TearDown() override { FONT_SetCurrent(nullptr); }
  // Saves C and XBF now and compares them with the label's figures and text.
  void ExpectFiles(const FlashSizeLabel& label, const char* pWhat) {
    const uint64_t pixels = CArrayBytes(save.Save(doc.font(), "now.c", OUT_FORMAT_C));
    const uint64_t xbf = save.Save(doc.font(), "now.xbf", OUT_FORMAT_XBF).size();
    ASSERT_GT(pixels, 0u) << pWhat;
    EXPECT_EQ(label.figures().PixelBytes, pixels) << pWhat;
    EXPECT_EQ(label.figures().XbfBytes, xbf) << pWhat;
    EXPECT_TRUE(label.text().contains("Pixel data " + Grouped(pixels) + " bytes")) << label.text().toStdString();
    EXPECT_TRUE(label.text().contains("XBF " + Grouped(xbf) + " bytes")) << label.text().toStdString();
    EXPECT_FALSE(label.text().contains("~"));
  }
  SaveTest save;  // before the document: its services outlive the label's use
  Document doc;
};

TEST_F(FlashSizeLabelTest, EqualsTheSavedFilesAndFollowsTheDocument) {
  struct {
    int32_t Encoding;
    std::vector<uint16_t> Codes;
  } fonts[] = {{ENCODING_UC16, {0x20, 0x41, 0x42, 0x5A, 0xE9, 0x3042, 0x4E00}},
               {ENCODING_JIS, {0x20, 0x41, 0xB1, 0x82A0, 0x82A2, 0x889F, 0xEAA4}}};
  for (auto& f : fonts) {
    FontPtr pFont = NewFont(FONTTYPE_EXT_AA2, f.Encoding, 16);
    pFont->Baseline = 12;
    int i = 0;
    for (uint16_t code : f.Codes) {
      ++i;
      AddChar(pFont.get(), code, 3 + i * 2, 4 + i, [i](int x, int y) { return (x + y + i) % 4; }, 0, 10, 4 + i * 2);
    }
    doc.install(std::move(pFont), "");
    FlashSizeLabel label(&doc);
    ExpectFiles(label, "installed");

    // Disabling through a notice: the figures drop to the new files' sizes.
    FONT_EnableChar(doc.font(), f.Codes[0], 0);  // also the first code of the XBF index
    doc.notifyFontChanged({f.Codes[0], f.Codes[0], CHANGE_ENABLED});
    ExpectFiles(label, "disabled");
    // A wider box of one character.
    const uint16_t code = f.Codes[3];
    FONT_SetCharSize(doc.font(), code, 40, 9);
    doc.font()->aCharInfo[code].BoxHeight = 9;
    const uint64_t before = label.figures().PixelBytes;
    doc.notifyFontChanged({code, code, CHANGE_BOX | CHANGE_PIXELS});
    EXPECT_GT(label.figures().PixelBytes, before);
    ExpectFiles(label, "wider");
    // A pixel edit keeps the size.
    doc.setPixel(code, 1, 1, 3, false);
    ExpectFiles(label, "pixel");
  }
}

TEST_F(FlashSizeLabelTest, EstimateUntilEverythingIsRendered) {
  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  doc.install(CreateFont(args), "");
  ASSERT_NE(doc.font(), nullptr);
  FlashSizeLabel label(&doc);
  EXPECT_GT(label.figures().NumUnknown, 0u);
  EXPECT_TRUE(label.text().startsWith("Pixel data ~")) << label.text().toStdString();
  for (int code = 0; code < FONT_NUM_CODES; ++code)
    ASSERT_FALSE(FONT_IsCharRendered(doc.font(), uint16_t(code)));
  // The views render some characters on their own; the label notices them.
  FONT_RenderChar(doc.font(), 'A');
  label.refresh();
  EXPECT_EQ(label.figures().NumUnknown, label.figures().NumChars - 1);
  FONT_RenderPending(doc.font());
  label.refresh();
  EXPECT_EQ(label.figures().NumUnknown, 0u);
  ExpectFiles(label, "generated");
}

}  // namespace
