// The Pixel index menu: its items (ids 680-682, 700-715 with their labels) and the
// rules that enable them, shared by the main menu and the character view's popup.
#pragma once

class QMenu;
struct Font;

// Appends the items to a menu; each action carries its command id as data.
void VIEWS_FillPixelIndexMenu(QMenu* pMenu);
// Enables or grays the items of a menu by the font's type and the keyboard
// target (items of other ids are left alone).
void VIEWS_ApplyPixelIndexState(QMenu* pMenu, const Font* pFont, int keyboardTarget);
// Whether a pixel-index command is enabled for that font and keyboard target.
bool VIEWS_IsPixelIndexCommandEnabled(int id, const Font* pFont, int keyboardTarget);
