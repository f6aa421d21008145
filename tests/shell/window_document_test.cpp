// The window and its document: every command's edit is announced once, a save
// that wrote nothing leaves the font modified, and a file that cannot be read says
// why in a message box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "model/current.h"
#include "shell/commandtable.h"
#include "shell/document.h"
#include "shell/mainwindow.h"
#include "shell/services_qt.h"
#include "support/tempdir.h"
#include "viewtest.h"

namespace {

// An EXT font of height 8 with 'A' and 'B' enabled and 'A' current.
FontPtr TwoCharFont() {
  FontPtr pFont = MemoryFont(FONTTYPE_EXT, true);
  SetGlyph(pFont.get(), 'A', 5, 0, 0, {"#...#"});
  SetGlyph(pFont.get(), 'B', 4, 0, 0, {"####"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  return pFont;
}

class WindowDocumentTest : public testing::Test {
 protected:
  void SetUp() override {
    pWindow = std::make_unique<MainWindow>(&doc);
    pServices = std::make_unique<ViewServices>(&doc);
    pWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pWindow.get()));
  }
  void TearDown() override {
    pServices.reset();
    pWindow.reset();
    FONT_SetCurrent(nullptr);
  }
  bool TitleMarksChanges() const { return pWindow->windowTitle().endsWith("*"); }

  Document doc;
  std::unique_ptr<MainWindow> pWindow;
  std::unique_ptr<ViewServices> pServices;
};

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

TEST_F(WindowDocumentTest, ASaveThatWroteNothingLeavesTheFontModified) {
  TempDir dir;
  const std::string path = dir.file("tiny.c");
  doc.install(TwoCharFont(), QString::fromStdString(path));
  EXPECT_FALSE(TitleMarksChanges());
  pWindow->runCommand(ID_DISABLE_ALL);
  EXPECT_TRUE(TitleMarksChanges());
  pWindow->runCommand(ID_SAVE);
  EXPECT_EQ(pServices->lastMessage, "Nothing to save!");
  bool exists = true;
  ReadFile(path, &exists);
  EXPECT_FALSE(exists);
  EXPECT_TRUE(TitleMarksChanges());
  EXPECT_TRUE(doc.isModified());

  pWindow->runCommand(ID_TOGGLE_CHAR);  // 'A' again
  pWindow->runCommand(ID_SAVE);
  ReadFile(path, &exists);
  EXPECT_TRUE(exists);
  EXPECT_FALSE(TitleMarksChanges());
  EXPECT_EQ(pWindow->windowTitle(), "Font Converter for Tavro V6.32c - tiny");
}

}  // namespace
