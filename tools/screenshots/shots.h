// The scenes of the documentation pictures (docs/*.png), each writing its files
// into a folder; the screenshot tool runs them all, the tests check what they write.
#pragma once

#include <QString>

#include "model/font.h"

class QWidget;

// An 800 x 640 layout of the font, character and properties views with an AA4
// Unicode font, an EXT_FRM font whose character view holds the keyboard and a
// Shift_JIS font: views-aa4-unicode.png, views-ext-frm.png and views-jis.png. Fonts
// that are not installed are left out.
void SHOTS_Views(const QString& dir);
// The New command's dialogs as New shows them for a 16-pixel extended font:
// generation-dialog.png and font-chooser.png.
void SHOTS_NewFontDialogs(const QString& dir);
// Every dialog and the About box.
void SHOTS_Dialogs(const QString& dir);
// preview-dark-on-light.png, preview-light-on-dark.png, preview-limit.png (a display
// width and a line too wide for it), flashsize-estimated.png and flashsize.png;
// needs the DejaVu Sans face.
void SHOTS_Extras(const QString& dir);
// goto-block.png: the window scrolled to the Cyrillic block with the Go to block
// list over it; needs the DejaVu Sans face.
void SHOTS_GoToBlock(const QString& dir);
// The character view zoomed with its guides and the brush palette of a 4-bit
// font: editor-zoom-guides.png and palette.png; needs the DejaVu Sans face.
void SHOTS_Editor(const QString& dir);

// Shared by the scenes: a DejaVu Sans font of the type and cell height with 16-bit
// codes (null when the face is missing), and a widget shown and its picture written
// to path (a line on stderr says which).
FontPtr SHOTS_DejaVuFont(int type, int height);
bool SHOTS_Save(QWidget* pWidget, const QString& path);
