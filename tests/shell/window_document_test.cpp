// The window and its document: installing fonts and the signals of the shared view
// state, every command's edit announced once.
#include <QSignalSpy>

#include "shell/commandtable.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

// An EXT font of height 8 with 'A' and 'B' enabled and 'A' current.
FontPtr TwoCharFont() {
  FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#...#"});
  SetGlyph(pFont.get(), 'B', 4, 0, 0, {"####"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

class WindowDocumentTest : public WindowFixture {};

TEST_F(WindowDocumentTest, InstallStoresThePathAndSignalsOnlyRealChanges) {
  QSignalSpy installed(&doc, &Document::fontInstalled);
  doc.install(nullptr, "ignored.c");
  EXPECT_EQ(doc.font(), nullptr);
  EXPECT_EQ(installed.count(), 0);
  doc.install(TwoCharFont(), "/tmp/fonts/Arial16.c");
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
}

TEST_F(WindowDocumentTest, EveryEditIsAnnouncedOnce) {
  for (int id : {ID_INSERT_RIGHT, ID_DELETE_TOP, ID_SHIFT_LEFT, ID_MOVE_UP, ID_CURSOR_INC, ID_HEIGHT_INSERT_BOTTOM,
                 ID_TOGGLE_CHAR, ID_DISABLE_BLOCK, ID_DISABLE_ALL}) {
    doc.install(TwoCharFont(), "");
    QSignalSpy changed(&doc, &Document::fontChanged);
    pWindow->runCommand(id);
    EXPECT_EQ(changed.count(), 1) << id;
  }
  // A pixel typed into the character view.
  doc.install(TwoCharFont(), "");
  doc.setKeyboardTarget(1);
  QSignalSpy changed(&doc, &Document::fontChanged);
  QTest::keyClick(pWindow->charView(), Qt::Key_1);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(FONT_GetPixel(doc.font(), 'A', 0, 0), 1);
}

}  // namespace
