// Pictures of the window additions for the documentation (docs/*.png).
#pragma once

#include <QString>

// Writes preview-dark-on-light.png, preview-light-on-dark.png,
// flashsize-estimated.png and flashsize.png into dir; needs the DejaVu Sans face.
void SHOTS_Extras(const QString& dir);
