// The program's own emblem: a letter M as an outline and as the pixels this
// program makes of it, on a dark teal tile.
#pragma once

#include <QPixmap>

// The square application emblem (the pixel M alone) at 'size' pixels.
QPixmap SHELL_EmblemPixmap(int size);
// The About box's logo, 138 x 69 pixels: outline M, arrow, pixel M.
QPixmap SHELL_AboutLogo();
