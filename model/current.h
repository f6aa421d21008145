// The one current font of the program: the font the views show, the command
// handlers edit and the writers save. This module owns it.
#pragma once

#include "model/font.h"

// The current font; null before the first font was created or read.
Font* FONT_GetCurrent();
// Installs pFont as the current font; the previous one is deleted (FONT_Delete)
// after the new one is in place. A null pFont leaves no current font.
void FONT_SetCurrent(FontPtr pFont);
