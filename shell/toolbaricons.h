// The program's own images, drawn at run time for the screen's pixel density: the
// 25 toolbar images (16 x 15 logical pixels each, in the order of the toolbar's
// image indices), the Undo and Redo images after them and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

// The number of images: the strip of 25, then Undo and Redo.
enum { SHELL_NUM_IMAGES = 27 };

// Image 'index' (0..26) at the given device pixel ratio; crisp at 1 and 2.
QPixmap SHELL_DrawToolbarImage(int index, qreal devicePixelRatio);
// The image at 1x and 2x, for a toolbar button.
QIcon SHELL_ToolbarIcon(int index);
// The window icon: the emblem of the installed icons and the About box, 16 to 256 pixels.
QIcon SHELL_AppIcon();
