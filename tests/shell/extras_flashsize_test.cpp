// The status bar's size figure of a generated font: marked as an estimate until
// every enabled character is rendered, then equal to the files saved at the same
// moment, following rendering and saved options through their notices. (The
// figures themselves for every type and encoding and after edits: FlashSizeTest.*;
// the label following key edits: FlashCostLabel.*.)
#include "shell/flashsizelabel.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <regex>

#include "generation/generation_fixture.h"
#include "output/save.h"
#include "output/savetest.h"
#include "model/current.h"
#include "settings/settings.h"
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

// Passes the core's notices to the document, as the window's services do.
class ForwardingServices : public RecordingServices {
 public:
  explicit ForwardingServices(Document* pDocument) : pDocument_(pDocument) { SERVICES_Install(this); }
  ~ForwardingServices() override { SERVICES_Install(nullptr); }
  void FontChanged(const ChangeNotice& notice) override { pDocument_->notifyFontChanged(notice); }
  void SettingsChanged() override { pDocument_->notifySettingsChanged(); }

 private:
  Document* pDocument_;
};

// An estimate until every enabled character is rendered; a character rendered for
// the first time and saved options show in the figures at once, by their notices.
TEST_F(FlashSizeLabelTest, EstimateUntilEverythingIsRenderedAndNoticesShowAtOnce) {
  ForwardingServices services(&doc);
  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  doc.install(CreateFont(args), "");
  ASSERT_NE(doc.font(), nullptr);
  FlashSizeLabel label(&doc);
  const uint32_t unknown = label.figures().NumUnknown;
  EXPECT_EQ(unknown, label.figures().NumChars);  // nothing rendered yet
  EXPECT_TRUE(label.text().startsWith("Pixel data ~")) << label.text().toStdString();
  FONT_RenderChar(doc.font(), 'A');  // as a view does to show it
  EXPECT_EQ(label.figures().NumUnknown, unknown - 1);
  FONT_RenderPending(doc.font());  // as a save does
  EXPECT_EQ(label.figures().NumUnknown, 0u);
  ExpectFiles(label, "generated");
  Settings settings;
  SETTINGS_Load(&settings);
  settings.MagX = 2;
  settings.MagY = 3;
  ASSERT_EQ(SETTINGS_Save(&settings), 0);
  ExpectFiles(label, "magnified");
  settings.MagX = settings.MagY = 1;  // the process keeps the saved copy for later tests
  SETTINGS_Save(&settings);
}

}  // namespace
