// Items and state rules of the Pixel index menu.
#include "shell/views/pixelmenu.h"

#include <QAction>
#include <QMenu>

#include "model/font.h"

void VIEWS_FillPixelIndexMenu(QMenu* pMenu) {
  const auto add = [pMenu](const QString& label, int id) { pMenu->addAction(label)->setData(id); };
  add(QStringLiteral("&Increase index\t+"), 680);
  add(QStringLiteral("Dec&rease index\t-"), 681);
  add(QStringLiteral("In&vert index\tSpace"), 682);
  pMenu->addSeparator();
  for (int n = 0; n <= 9; n++) add(QString::asprintf("Set index to &%d\t%d", n, n), 700 + n);
  for (int n = 10; n <= 15; n++) add(QString::asprintf("Set index to %d\t&%c", n, 'A' + n - 10), 700 + n);
}

bool VIEWS_IsPixelIndexCommandEnabled(int id, const Font* pFont, int keyboardTarget) {
  if (!pFont || keyboardTarget == 0) return false;
  const int type = FONT_GetType(pFont);
  const bool twoBits = type == FONTTYPE_AA2 || type == FONTTYPE_EXT_AA2;
  const bool fourBits = type == FONTTYPE_AA4 || type == FONTTYPE_EXT_AA4;
  if ((id >= 680 && id <= 682) || id == 700 || id == 701) return true;
  if (id == 702 || id == 703) return twoBits || fourBits;
  if (id >= 704 && id <= 715) return fourBits;
  return false;
}

void VIEWS_ApplyPixelIndexState(QMenu* pMenu, const Font* pFont, int keyboardTarget) {
  for (QAction* pAction : pMenu->actions()) {
    bool ok = false;
    const int id = pAction->data().toInt(&ok);
    if (ok && ((id >= 680 && id <= 682) || (id >= 700 && id <= 715)))
      pAction->setEnabled(VIEWS_IsPixelIndexCommandEnabled(id, pFont, keyboardTarget));
  }
}
