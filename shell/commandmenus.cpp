// Popup menus and menu state from the command registry.
#include "shell/commandmenus.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace {

const char* const kIdProperty = "commandId";

}  // namespace

int SHELL_CommandIdOf(const QAction* pAction) {
  const QVariant v = pAction->property(kIdProperty);
  return v.isValid() ? v.toInt() : 0;
}

void SHELL_SetCommandId(QAction* pAction, int id) { pAction->setProperty(kIdProperty, id); }

void SHELL_FillPopup(QMenu* pMenu, int popup, const ShellState& state) {
  bool separator = false;
  for (const ShellCommand& c : SHELL_Commands()) {
    if (!(c.Popups & popup)) continue;
    if ((separator || c.Separator == SEP_BEFORE) && !pMenu->isEmpty()) pMenu->addSeparator();
    QString label = QString::fromUtf8(c.pLabel);
    if (popup == POPUP_FONT_VIEW) label = label.section('\t', 0, 0);
    QAction* pAction = pMenu->addAction(label);
    SHELL_SetCommandId(pAction, c.Id);
    pAction->setObjectName(QString("popup%1").arg(c.Id));
    separator = c.Separator == SEP_AFTER;
  }
  SHELL_ApplyMenuState(pMenu, state);
}

void SHELL_ApplyMenuState(QMenu* pMenu, const ShellState& state) {
  for (QAction* pAction : pMenu->actions()) {
    const int id = SHELL_CommandIdOf(pAction);
    const ShellCommand* pCommand = SHELL_FindCommand(id);
    if (!pCommand) continue;
    pAction->setEnabled(SHELL_IsMenuItemEnabled(id, state));
    if (pCommand->Check != CHECK_NONE) {
      pAction->setCheckable(true);
      pAction->setChecked(SHELL_IsMenuItemChecked(id, state));
    }
  }
}
