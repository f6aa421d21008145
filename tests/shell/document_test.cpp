// The document: installing fonts, selection, the shared view state and pixel writes
// with their journal line and change notice.
#include "shell/document.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>

#include "model/current.h"
#include "settings/journal.h"

namespace {

FontPtr SmallFont(int32_t type) {
  FontPtr pFont = FONT_Alloc();
  pFont->Type = type;
  pFont->Height = 8;
  pFont->NumBlocks = FONT_NUM_BLOCKS_MAX;
  pFont->Has16BitCodes = 1;
  FONT_SetCharSize(pFont.get(), 'A', 5, 8);
  pFont->aCharInfo['A'].BoxHeight = 8;
  FONT_EnableChar(pFont.get(), 'A', 1);
  return pFont;
}

class DocumentTest : public testing::Test {
 protected:
  void TearDown() override { FONT_SetCurrent(nullptr); }
  Document doc;
};

TEST_F(DocumentTest, InstallReplacesTheFontAndStoresThePath) {
  QSignalSpy installed(&doc, &Document::fontInstalled);
  doc.install(nullptr, "ignored.c");
  EXPECT_EQ(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 0);
  doc.install(SmallFont(FONTTYPE_STD), "/tmp/fonts/Arial16.c");
  ASSERT_NE(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 1);
  EXPECT_STREQ(doc.font()->acFileName, "/tmp/fonts/Arial16.c");
}

TEST_F(DocumentTest, SelectionSignalsOnlyRealMoves) {
  doc.install(SmallFont(FONTTYPE_STD), "");
  QSignalSpy moved(&doc, &Document::currentCharChanged);
  doc.setCurrentChar('A');
  doc.setCurrentChar('A');
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved.at(0).at(0).toInt(), 'A');
  doc.setKeyboardTarget(5);
  EXPECT_EQ(doc.keyboardTarget(), 1);
  doc.setShowAllCharacters(0);
  EXPECT_EQ(doc.showAllCharacters(), 0);
}

TEST_F(DocumentTest, PixelWriteAddsTheJournalLineAndNotifiesThatCode) {
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
  // Outside the box nothing is written and nothing is said.
  doc.setPixel('A', 5, 0, 1, true);
  doc.setPixel('A', 0, 8, 1, true);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(DocumentTest, FramedFontsGetTheirFrameRebuilt) {
  doc.install(SmallFont(FONTTYPE_EXT_FRM), "");
  doc.setPixel('A', 2, 3, 1, false);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 2, 3), 1);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 1, 3), FONT_FRAME_PIXEL);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 2, 2), FONT_FRAME_PIXEL);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 1, 2), 0);
}

}  // namespace
