// The document: installing fonts, the signals of the shared view state, and pixel
// writes with their journal line and change notice.
#include "shell/document.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>

#include "model/current.h"
#include "settings/journal.h"
#include "viewtest.h"

namespace {

FontPtr SmallFont(int32_t type) {
  FontPtr pFont = MemoryFont(type, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0);
  return pFont;
}

class DocumentTest : public testing::Test {
 protected:
  void TearDown() override { FONT_SetCurrent(nullptr); }
  Document doc;
  ViewServices services{&doc};  // the core's notices reach the document
};

TEST_F(DocumentTest, InstallStoresThePathAndSignalsOnlyRealChanges) {
  QSignalSpy installed(&doc, &Document::fontInstalled);
  doc.install(nullptr, "ignored.c");
  EXPECT_EQ(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 0);
  doc.install(SmallFont(FONTTYPE_STD), "/tmp/fonts/Arial16.c");
  ASSERT_NE(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 1);
  EXPECT_STREQ(doc.font()->acFileName, "/tmp/fonts/Arial16.c");

  QSignalSpy moved(&doc, &Document::currentCharChanged);
  doc.setCurrentChar('B');
  doc.setCurrentChar('B');
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.at(0).at(0).toInt(), 'B');
  QSignalSpy target(&doc, &Document::keyboardTargetChanged);
  doc.setKeyboardTarget(5);
  doc.setKeyboardTarget(1);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  EXPECT_EQ(target.count(), 1);
  doc.setShowAllCharacters(0);
  EXPECT_EQ(doc.showAllCharacters(), 0);
}

}  // namespace
