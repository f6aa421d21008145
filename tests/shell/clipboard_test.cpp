// The glyph clipboard and the mirror images in the window, driven by keys and the
// Edit menu by the steps of tests/data/shell/clipboard.txt: Ctrl+C on one character
// and Ctrl+V on another make them equal, also across font types, with a picture for
// other programs; an image from another program becomes indexes of the font's type;
// each change is one step that Ctrl+Z takes back exactly, and the journal names it.
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

#include "dialogscript.h"
#include "settings/journal.h"
#include "shell/commandtable.h"
#include "shell/glyphclipboard.h"
#include "viewtest.h"
#include "windowtest.h"

namespace {

// The character's box, advance and rows as index digits.
std::string Glyph(const Font* pFont, uint16_t code) {
  const CharInfo& ci = pFont->aCharInfo[code];
  std::string out = std::to_string(ci.BoxWidth) + "x" + std::to_string(ci.BoxHeight) + " top " +
                    std::to_string(ci.BoxTop) + " advance " + std::to_string(ci.CursorDist);
  for (int y = 0; y < ci.BoxHeight; ++y) {
    out += y ? " " : " | ";
    for (int x = 0; x < ci.BoxWidth; ++x) out += "0123456789ABCDEF"[FONT_GetPixel(pFont, code, x, y)];
  }
  return out;
}

// The journal's last line without its padding and closing star.
std::string LastJournalLine() {
  std::string text(JOURNAL_GetText(), JOURNAL_GetLength());
  if (text.size() < 3) return "";
  text.resize(text.size() - 3);  // "*\r\n"
  std::string line = text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  return line.erase(line.find_last_not_of(' ') + 1);
}

class Clipboard : public WindowFixture {
 protected:
  void TearDown() override {
    QApplication::clipboard()->clear();
    WindowFixture::TearDown();
  }
  // What the user sees after a step: the current character, the Edit menu's Paste
  // item as the menu brings it up to date, the undo step, the journal, the status
  // bar, and a character copied with its picture (ink black, greys as grey levels).
  std::string State() {
    QAction* pPaste = pWindow->menuAction(ID_PASTE_CHAR);
    emit qobject_cast<QMenu*>(pPaste->parent())->aboutToShow();
    std::string out = std::to_string(doc.currentChar()) + ": " + Glyph(doc.font(), doc.currentChar()) +
                      (pPaste->isEnabled() ? "\n  paste" : "\n  no paste") + " | undo \"" +
                      doc.undoStack()->undoText().toStdString() + "\" | " + LastJournalLine() + " | " +
                      pWindow->statusText().toStdString();
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    QImage png;
    if (pData && pData->hasFormat(SHELL_GLYPH_MIME) && png.loadFromData(pData->data("image/png"), "PNG")) {
      out += " | copied, picture " + std::to_string(png.width()) + "x" + std::to_string(png.height()) + ":";
      for (int x = 0; x < png.width(); ++x) out += " " + std::to_string(qGray(png.pixel(x, 0)));
    }
    return out + "\n";
  }
  // "font T": an empty font of type T with A current; "glyph C W TOP ROWS...": a
  // character's box and pixels; "image": black, white, three greys and a transparent
  // black pixel as another program's image; "clear"; "menu K": the Edit menu's item
  // of access key K; "press K": a key pressed in the window.
  void Act(const std::string& args) {
    std::istringstream in(args);
    std::string verb, word;
    in >> verb;
    if (verb == "font") {
      int type = 0;
      in >> type;
      FontPtr pFont = MemoryFont(type, true);
      FONT_SetCurrentChar(pFont.get(), 'A');
      doc.install(std::move(pFont), "");
    } else if (verb == "glyph") {
      char code = 0;
      int width = 0, top = 0, y = 0;
      in >> code >> width >> top;
      std::vector<std::string> rows;
      while (in >> word) rows.push_back(word);
      SetGlyph(doc.font(), uint16_t(code), width, int(rows.size()), top);
      for (const std::string& row : rows) {
        for (int x = 0; x < width; ++x)
          FONT_SetPixel(doc.font(), uint16_t(code), x, y, std::stoi(row.substr(size_t(x), 1), nullptr, 16));
        ++y;
      }
    } else if (verb == "image") {
      QImage image(6, 2, QImage::Format_ARGB32);
      image.fill(Qt::white);
      const QRgb row[6] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(64, 64, 64), qRgb(128, 128, 128),
                           qRgb(191, 191, 191), qRgba(0, 0, 0, 0)};
      for (int x = 0; x < 6; ++x) image.setPixel(x, 0, row[x]);
      QApplication::clipboard()->setImage(image);
    } else if (verb == "clear") {
      QApplication::clipboard()->clear();
    } else if (verb == "menu") {
      in >> word;
      QTest::keyClick(pWindow.get(), Qt::Key_E, Qt::AltModifier);
      ASSERT_NE(QApplication::activePopupWidget(), nullptr);
      QTest::keyClick(QApplication::activePopupWidget(), QKeySequence(QString::fromStdString(word))[0].key());
    } else if (verb == "press") {
      in >> word;
      const QKeyCombination key = QKeySequence(QString::fromStdString(word))[0];
      QTest::keyClick(pWindow.get(), key.key(), key.keyboardModifiers());
    }
  }
};

TEST_F(Clipboard, CopyPasteImagesAndFlipsAreStepsThatUndoRestores) {
  JOURNAL_Clear();  // the lines of earlier tests in the process
  DialogScript script;
  script.Window = [] { return nullptr; };
  script.Other = [this](const std::string& args) { Act(args); };
  script.State = [this] { return State(); };
  ExpectScript("clipboard.txt", script);
}

}  // namespace
