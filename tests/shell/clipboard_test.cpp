// The glyph clipboard and the mirror images in the window, driven by keys: Ctrl+C
// on one character and Ctrl+V on another make them equal, also across font types;
// an image from another program becomes indexes of the font's type; the flips run
// from the Edit menu; each change is one step that Ctrl+Z takes back exactly.
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

#include "edit/record.h"
#include "settings/journal.h"
#include "shell/commandtable.h"
#include "shell/glyphclipboard.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

using Lines = std::vector<std::string>;

// The character's rows as index digits, with its box and advance.
Lines Glyph(const Font* pFont, uint16_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  Lines rows{std::to_string(ci.BoxWidth) + "x" + std::to_string(ci.BoxHeight) + " top " + std::to_string(ci.BoxTop) +
             " advance " + std::to_string(ci.CursorDist)};
  for (int y = 0; y < ci.BoxHeight; ++y) {
    std::string row;
    for (int x = 0; x < ci.BoxWidth; ++x) row += "0123456789ABCDEF"[FONT_GetPixel(pFont, code, x, y)];
    rows.push_back(row);
  }
  return rows;
}

// The journal's last line without its padding and closing star.
std::string LastJournalLine() {
  std::string text(JOURNAL_GetText(), JOURNAL_GetLength());
  if (text.size() < 3) return "";
  text.resize(text.size() - 3);  // "*\r\n"
  const size_t start = text.rfind('\n');
  std::string line = text.substr(start == std::string::npos ? 0 : start + 1);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

class Clipboard : public WindowFixture {
 protected:
  void TearDown() override {
    QApplication::clipboard()->clear();
    WindowFixture::TearDown();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(pWindow.get(), key, modifiers);
  }
  // The Edit menu's item of a command, brought up to date as when the menu opens.
  bool MenuEnabled(int id) {
    QAction* pItem = pWindow->menuAction(id);
    emit qobject_cast<QMenu*>(pItem->parent())->aboutToShow();
    return pItem->isEnabled();
  }
};

TEST_F(Clipboard, CopyPasteBetweenCharactersAndFontTypesIsOneStepWithAPicture) {
  FontPtr pFont = MemoryFont(FONTTYPE_AA4, true);
  SetGlyph(pFont.get(), 'A', 3, 0, 6, {"#8.", ".3#", "", "", "", "", "", "f.1"});
  SetGlyph(pFont.get(), 'B', 2, 0, 6, {"##", "##"});
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");
  EXPECT_FALSE(MenuEnabled(ID_PASTE_CHAR));

  // Ctrl+C while the character view holds the keyboard copies; C sets no index.
  Key(Qt::Key_Tab);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_Tab);
  const Lines a = Glyph(doc.font(), 'A');
  EXPECT_EQ(a, (Lines{"3x8 top 6 advance 3", "F80", "03F", "000", "000", "000", "000", "000", "F01"}));
  const QMimeData* pData = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(pData->hasFormat(SHELL_GLYPH_MIME));
  // The picture: ink black on white, greys as grey levels.
  QImage png;
  ASSERT_TRUE(png.loadFromData(pData->data("image/png"), "PNG"));
  ASSERT_EQ(png.size(), QSize(3, 8));
  EXPECT_EQ(qGray(png.pixel(0, 0)), 0);
  EXPECT_EQ(qGray(png.pixel(1, 0)), 255 - 8 * 17);
  EXPECT_EQ(qGray(png.pixel(2, 0)), 255);
  EXPECT_TRUE(MenuEnabled(ID_PASTE_CHAR));

  Key(Qt::Key_Right);
  ASSERT_EQ(doc.currentChar(), 'B');
  CharInfo before;
  ASSERT_TRUE(EDIT_CopyCharInfo(doc.font()->aCharInfo['B'], &before));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Glyph(doc.font(), 'B'), a);
  EXPECT_EQ(LastJournalLine(), "* Edit/Paste            at character 0x42 (66)");
  EXPECT_EQ(doc.undoStack()->undoText(), "Paste character");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(EDIT_SameCharInfo(doc.font()->aCharInfo['B'], before));
  EXPECT_FALSE(doc.undoStack()->canUndo());

  // The same clipboard into a 1-bit font: half ink and more is ink.
  FontPtr pStd = MemoryFont(FONTTYPE_STD, true);
  FONT_SetCurrentChar(pStd.get(), 'A');
  doc.install(std::move(pStd), "");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Glyph(doc.font(), 'A'), (Lines{"3x8 top 0 advance 3", "110", "001", "000", "000", "000", "000", "000", "100"}));
}

TEST_F(Clipboard, AnImageBecomesIndexesOfTheType) {
  // Black, white, three greys and a transparent black pixel.
  QImage image(6, 2, QImage::Format_ARGB32);
  image.fill(Qt::white);
  const QRgb row[6] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(64, 64, 64), qRgb(128, 128, 128),
                       qRgb(191, 191, 191), qRgba(0, 0, 0, 0)};
  for (int x = 0; x < 6; ++x) image.setPixel(x, 0, row[x]);
  QApplication::clipboard()->setImage(image);
  const struct {
    int32_t Type;
    const char* Row;
  } aCase[] = {{FONTTYPE_STD, "101000"}, {FONTTYPE_AA2, "302110"}, {FONTTYPE_AA4, "F0B740"}, {FONTTYPE_EXT_AA4, "F0B740"}};
  for (const auto& c : aCase) {
    FontPtr pFont = MemoryFont(c.Type, true);
    FONT_SetCurrentChar(pFont.get(), 'A');
    doc.install(std::move(pFont), "");
    Key(Qt::Key_V, Qt::ControlModifier);
    const Lines glyph = Glyph(doc.font(), 'A');
    ASSERT_GE(glyph.size(), 3u) << c.Type;
    // The image's top row at the font's top; a standard character keeps the font's rows.
    EXPECT_EQ(glyph[0], FONT_IsExtendedType(c.Type) ? "6x2 top 6 advance 6" : "6x8 top 0 advance 6") << c.Type;
    EXPECT_EQ(glyph[1], c.Row) << c.Type;
    EXPECT_EQ(glyph[2], "000000") << c.Type;
  }
  QApplication::clipboard()->clear();
  EXPECT_FALSE(MenuEnabled(ID_PASTE_CHAR));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(pWindow->statusText(), "The clipboard holds no character and no image");
}

TEST_F(Clipboard, FlipsFromTheEditMenuAreStepsThatUndoRestores) {
  FontPtr pFont = MemoryFont(FONTTYPE_EXT_AA2, true);
  SetGlyph(pFont.get(), 'A', 3, 3, 4, {"12.", "..3", "..."});
  FONT_SetCurrentChar(pFont.get(), 'A');
  doc.install(std::move(pFont), "");
  CharInfo before;
  ASSERT_TRUE(EDIT_CopyCharInfo(doc.font()->aCharInfo['A'], &before));
  auto menuKey = [&](Qt::Key key) {
    Key(Qt::Key_E, Qt::AltModifier);
    QWidget* pPopup = QApplication::activePopupWidget();
    ASSERT_NE(pPopup, nullptr);
    QTest::keyClick(pPopup, key);
  };
  menuKey(Qt::Key_Z);
  EXPECT_EQ(Glyph(doc.font(), 'A'), (Lines{"3x3 top 4 advance 3", "021", "300", "000"}));
  EXPECT_EQ(LastJournalLine(), "* Edit/Flip/Horizontal  at character 0x41 (65)");
  menuKey(Qt::Key_V);
  EXPECT_EQ(Glyph(doc.font(), 'A'), (Lines{"3x3 top 4 advance 3", "000", "300", "021"}));
  EXPECT_EQ(doc.undoStack()->undoText(), "Flip vertically");
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(EDIT_SameCharInfo(doc.font()->aCharInfo['A'], before));
}

}  // namespace
