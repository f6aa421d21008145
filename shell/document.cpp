// The document: installs fonts, forwards the core's notices, writes pixels.
#include "shell/document.h"

#include <cstdio>

#include "model/current.h"
#include "settings/journal.h"

Document::Document(QObject* parent) : QObject(parent) { qRegisterMetaType<ChangeNotice>(); }

Font* Document::font() const { return FONT_GetCurrent(); }

void Document::install(FontPtr pFont, const QString& path) {
  if (!pFont) return;
  FONT_SetFileName(pFont.get(), path.toLocal8Bit().constData());
  FONT_SetCurrent(std::move(pFont));
  emit fontInstalled();
}

int Document::currentChar() const {
  const Font* pFont = font();
  return pFont ? FONT_GetCurrentChar(pFont) : 0;
}

void Document::setCurrentChar(int code) {
  Font* pFont = font();
  if (!pFont || code < 0) return;
  const int before = FONT_GetCurrentChar(pFont);
  FONT_SetCurrentChar(pFont, static_cast<uint32_t>(code));
  if (FONT_GetCurrentChar(pFont) != before) emit currentCharChanged(FONT_GetCurrentChar(pFont));
}

void Document::setKeyboardTarget(int target) {
  target = target ? 1 : 0;
  if (target == keyboardTarget_) return;
  keyboardTarget_ = target;
  emit keyboardTargetChanged(target);
}

void Document::setShowAllCharacters(int on) {
  on = on ? 1 : 0;
  if (on == showAllCharacters_) return;
  showAllCharacters_ = on;
  emit showAllCharactersChanged(on);
}

void Document::setPixel(int code, int x, int y, int value, bool journal) {
  Font* pFont = font();
  if (!pFont || code < 0 || code >= FONT_NUM_CODES) return;
  const uint16_t c = static_cast<uint16_t>(code);
  const int rows = FONT_GetCharHeight(pFont, c) ? FONT_GetCharHeight(pFont, c) : FONT_GetHeight(pFont);
  if (x < 0 || y < 0 || x >= FONT_GetCharWidth(pFont, c) || y >= rows) return;
  if (journal) {
    char line[128];
    std::snprintf(line, sizeof line, "* Pixel index of character 0x%X (%d) at %d/%d set to %d", code, code, x,
                  y, value);
    JOURNAL_FormatLine(line, sizeof line);
    JOURNAL_Add(line);
  }
  FONT_SetPixel(pFont, c, x, y, value);
  if (FONT_GetType(pFont) == FONTTYPE_EXT_FRM) FONT_RecalcFrame(pFont, c);
  emit fontChanged(ChangeNotice{code, code, CHANGE_PIXELS});
}

void Document::notifyFontChanged(const ChangeNotice& notice) { emit fontChanged(notice); }

void Document::notifyRedraw(int viewMask) { emit redrawRequested(viewMask); }
