// The status bar's size figure follows notices, not a timer: a character rendered
// for the first time and saved options show in the figures at once.
#include <gtest/gtest.h>

#include "generation/generation_fixture.h"
#include "model/current.h"
#include "settings/settings.h"
#include "shell/dialogtest.h"
#include "shell/document.h"
#include "shell/flashsizelabel.h"
#include "support/recordingservices.h"

namespace {

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

using FlashSizeNotices = SettingsTest;

TEST_F(FlashSizeNotices, RenderedCharactersAndSavedOptionsShowAtOnce) {
  Document doc;
  ForwardingServices services(&doc);
  CreateArgs args;
  args.Type = FONTTYPE_EXT;
  doc.install(CreateFont(args), "");
  ASSERT_NE(doc.font(), nullptr);
  FlashSizeLabel label(&doc);
  const uint32_t unknown = label.figures().NumUnknown;
  ASSERT_GT(unknown, 1u);
  FONT_RenderChar(doc.font(), 'A');  // as a view does to show it
  EXPECT_EQ(label.figures().NumUnknown, unknown - 1);
  FONT_RenderPending(doc.font());  // as a save does
  EXPECT_EQ(label.figures().NumUnknown, 0u);
  EXPECT_FALSE(label.text().contains("~"));

  const uint64_t plain = label.figures().PixelBytes;
  Settings settings;
  SETTINGS_Load(&settings);
  settings.MagX = 2;
  settings.MagY = 3;
  ASSERT_EQ(SETTINGS_Save(&settings), 0);
  EXPECT_GT(label.figures().PixelBytes, plain * 3);  // six times the pixels, rows rounded to bytes
  FONT_SetCurrent(nullptr);
}

}  // namespace
