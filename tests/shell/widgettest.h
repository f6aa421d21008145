// Shared by the widget tests of the character view and the window additions:
// typing text the way a keyboard and an input method deliver it, and the
// character view on a document with one small in-memory character to work on.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "model/current.h"
#include "settings/journal.h"
#include "shell/document.h"
#include "shell/views/charview.h"
#include "shell/views/grid.h"
#include "viewtest.h"

// Types text key by key; characters beyond ASCII go as key events carrying their
// text, as an input method delivers them.
inline void TypeText(QWidget* pWidget, const QString& text) {
  for (const QChar ch : text) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(pWidget, ch.toLatin1());
    } else {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(pWidget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(pWidget, &release);
    }
  }
}

// A shown character view with cells of 20 pixels for fonts of height 8, on its own
// document and services; the journal starts empty.
class CharViewFixture : public testing::Test {
 protected:
  CharViewFixture() : services(&doc), view(&doc) {
    view.resize(300, 8 * 20 + 2 * view.frameWidth());
    view.show();
    JOURNAL_Clear();
  }
  ~CharViewFixture() override { FONT_SetCurrent(nullptr); }

  // Installs a font with character A current and an empty journal.
  virtual Font* Install(FontPtr pFont) {
    doc.install(std::move(pFont), "");
    doc.setCurrentChar('A');
    JOURNAL_Clear();
    return doc.font();
  }
  // Installs a font of the type (16-bit codes, height 8, baseline 6) whose
  // character A is a box of w x rows (0: the font height) with its top boxTop
  // above the baseline and the pixels given as SetGlyph takes them.
  Font* InstallGlyph(int32_t type, int w, int rows, int boxTop, std::initializer_list<const char*> pixels = {}) {
    FontPtr pFont = MemoryFont(type, true);
    SetGlyph(pFont.get(), 'A', w, rows, boxTop, pixels);
    return Install(std::move(pFont));
  }
  int Pixel(int x, int y) const { return FONT_GetPixel(doc.font(), 'A', x, y); }
  // Interior of the cell of box pixel (x, y) of character A; y may lie outside the box.
  QRect Interior(int x, int y) const {
    return view.cellRect(x, y + GRID_BoxTopRow(doc.font(), 'A')).adjusted(1, 1, -1, -1);
  }

  // Character A now, a row of text per box row ('.' 0, a value in hex, 'o'
  // frame), the pixel cursor, then the journal lines written since the last call.
  std::string State() {
    std::string out;
    for (int y = 0; y < GRID_BoxRows(doc.font(), 'A'); y++) {
      out += "  ";
      for (int x = 0; x < FONT_GetCharWidth(doc.font(), 'A'); x++)
        out += Pixel(x, y) < 0 ? 'o' : Pixel(x, y) ? "0123456789abcdef"[Pixel(x, y)] : '.';
      out += "\n";
    }
    out += "  cursor " + std::to_string(view.pixelCursor().x()) + "," + std::to_string(view.pixelCursor().y()) + "\n";
    const std::string journal(JOURNAL_GetText(), JOURNAL_GetLength());
    for (size_t at = 0, end; at < journal.size(); at = end + 2) {
      end = std::min(journal.find("\r\n", at), journal.size());
      out += "  | " + journal.substr(at, end - at) + "\n";
    }
    JOURNAL_Clear();
    return out;
  }
  // Adds what the action just did to the transcript, under its label.
  void Log(const std::string& label) { transcript += "== " + label + "\n" + State(); }

  static constexpr unsigned kWhite = 0xFFFFFF, kBlack = 0x000000, kYellow = 0xFFFF80;

  Document doc;
  ViewServices services;
  CharView view;
  std::string transcript;  // what Log() gathered
};
