// Pictures of the three views for the documentation, taken offscreen.
#pragma once

#include <QString>

// Renders an 800 x 640 layout of the font, character and properties views with
// an AA4 Unicode font, an EXT_FRM font whose character view holds the keyboard and
// a Shift_JIS font, into views-aa4-unicode.png, views-ext-frm.png and
// views-jis.png in dir. Fonts that are not installed are left out.
void SHOTS_Views(const QString& dir);
