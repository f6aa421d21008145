// The window's menus, keys and toolbar as one text compared with
// tests/data/shell/window_tables.txt: every item with its label, key text and help
// text, the window's shortcuts, the toolbar's buttons, and which items and buttons
// are enabled (and checked) for each font type and keyboard target, with each menu
// brought up to date as it is when it opens.
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <map>

#include "shell/commandmenus.h"
#include "shell/commandtable.h"
#include "support/fontfixture.h"
#include "windowtest.h"

namespace {

std::string Text(const QString& s) { return s.toStdString(); }

void DumpMenu(QMenu* pMenu, const std::string& indent, std::string* pOut) {
  for (QAction* pAction : pMenu->actions()) {
    if (pAction->isSeparator()) {
      *pOut += indent + "-\n";
      continue;
    }
    const int id = SHELL_CommandIdOf(pAction);
    const char* pHelp = SHELL_GetHelpText(id);
    *pOut += indent + Text(pAction->text()) + (pAction->menu() ? "" : "  [" + std::to_string(id) + "]") +
             (pHelp ? std::string("  \"") + pHelp + "\"" : "") + "\n";
    if (pAction->menu()) DumpMenu(pAction->menu(), indent + "  ", pOut);
  }
}

// Opens every menu (its state rules run) and lists the enabled and checked items.
void DumpState(QMenu* pMenu, std::string* pEnabled, std::string* pChecked) {
  emit pMenu->aboutToShow();
  for (QAction* pAction : pMenu->actions()) {
    if (pAction->menu()) {
      DumpState(pAction->menu(), pEnabled, pChecked);
    } else if (!pAction->isSeparator()) {
      const std::string id = " " + std::to_string(SHELL_CommandIdOf(pAction));
      if (pAction->isEnabled()) *pEnabled += id;
      if (pAction->isChecked()) *pChecked += id;
    }
  }
}

class WindowTables : public WindowFixture {};

TEST_F(WindowTables, MenusKeysToolbarAndTheirStatesPerFontType) {
  std::string out = "Menus\n";
  for (QAction* pTitle : pWindow->menuBar()->actions()) {
    out += Text(pTitle->text()) + "\n";
    DumpMenu(pTitle->menu(), "  ", &out);
  }
  // The accelerator table and nothing else: no key only shown in a menu is a shortcut.
  std::map<std::string, int> keys;
  for (QAction* pAction : pWindow->findChildren<QAction*>())
    for (const QKeySequence& key : pAction->shortcuts())
      keys[Text(key.toString(QKeySequence::PortableText))] = SHELL_CommandIdOf(pAction);
  out += "\nShortcuts\n";
  for (const auto& [key, id] : keys) out += "  " + key + "  [" + std::to_string(id) + "]\n";
  out += "\nToolbar\n";
  for (QAction* pAction : pWindow->toolBar()->actions())
    out += pAction->isSeparator() ? "  -\n"
                                  : "  [" + std::to_string(SHELL_CommandIdOf(pAction)) + "]  \"" +
                                        Text(pAction->toolTip()) + "\"\n";

  struct Row {
    const char* pName;
    int Type;  // -1: no font
    int KeyboardTarget;
  } const rows[] = {
      {"no font", -1, 0},           {"STD, font view", FONTTYPE_STD, 0}, {"STD, character view", FONTTYPE_STD, 1},
      {"AA2, character view", FONTTYPE_AA2, 1}, {"AA4, character view", FONTTYPE_AA4, 1},
      {"EXT, font view", FONTTYPE_EXT, 0},      {"EXT_FRM, font view", FONTTYPE_EXT_FRM, 0},
      {"EXT_AA2, font view", FONTTYPE_EXT_AA2, 0}, {"EXT_AA4, character view", FONTTYPE_EXT_AA4, 1},
  };
  for (const Row& row : rows) {
    if (row.Type >= 0) {
      FontPtr pFont = NewFont(row.Type, ENCODING_UC16, 8);
      AddChar(pFont.get(), 'A', 5, 8, [](int x, int y) { return x == y; });
      FONT_SetCurrentChar(pFont.get(), 'A');
      doc.install(std::move(pFont), "");
      doc.setKeyboardTarget(row.KeyboardTarget);
    }
    std::string enabled, checked, buttons;
    for (QAction* pTitle : pWindow->menuBar()->actions()) DumpState(pTitle->menu(), &enabled, &checked);
    for (QAction* pAction : pWindow->toolBar()->actions())
      if (!pAction->isSeparator() && pAction->isEnabled()) buttons += " " + std::to_string(SHELL_CommandIdOf(pAction));
    out += std::string("\n") + row.pName + "\n  menu enabled:" + enabled + "\n  menu checked:" + checked +
           "\n  buttons enabled:" + buttons + "\n";
  }
  ExpectGolden("window_tables.txt", out);
}

}  // namespace
