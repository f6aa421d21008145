// Qt actions built from the command registry (shell/commandtable.h): the views'
// popup menus and the state rules applied to a menu as it opens. Every action made
// here carries its command id in the property "commandId".
#pragma once

#include "shell/commandtable.h"

class QAction;
class QMenu;

// The command id an action carries; 0 for none.
int SHELL_CommandIdOf(const QAction* pAction);
// Marks an action with its command id.
void SHELL_SetCommandId(QAction* pAction, int id);
// Appends the commands of a popup (CommandPopup) to a menu in registry order, with
// the separators their rows ask for, enabled by the menu's rules in that state. The
// font view's popup shows the labels without their key text.
void SHELL_FillPopup(QMenu* pMenu, int popup, const ShellState& state);
// Enables, grays and checks the command items of a menu by the menu's rules.
void SHELL_ApplyMenuState(QMenu* pMenu, const ShellState& state);
