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

TEST_F(DocumentTest, PixelWriteAddsTheJournalLineAndNotifiesThatCodeOnlyInsideTheBox) {
  doc.install(SmallFont(FONTTYPE_STD), "");
  JOURNAL_Clear();
  QSignalSpy changed(&doc, &Document::fontChanged);
  doc.setPixel('A', 3, 4, 1, true);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 3, 4), 1);
  const std::string journal = JOURNAL_GetText();
  EXPECT_EQ(journal.rfind("* Pixel index of character 0x41 (65) at 3/4 set to 1", 0), 0u) << journal;
  ASSERT_EQ(changed.count(), 1);
  const auto notice = changed.at(0).at(0).value<ChangeNotice>();
  EXPECT_EQ(notice.First, 'A');
  EXPECT_EQ(notice.Last, 'A');
  EXPECT_EQ(notice.What, CHANGE_PIXELS);
  // Without the journal flag, and outside the box, where nothing is written or said.
  doc.setPixel('A', 2, 2, 1, false);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 2, 2), 1);
  EXPECT_EQ(JOURNAL_GetText(), journal);
  for (const auto& [x, y] : {std::pair{5, 0}, {0, 8}, {-1, 0}, {0, -1}}) doc.setPixel('A', x, y, 1, true);
  EXPECT_EQ(changed.count(), 2);
  EXPECT_EQ(JOURNAL_GetText(), journal);
}

}  // namespace
