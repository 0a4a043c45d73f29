#pragma once

#include "gfx/font.h"

// The program's three fonts (0 the small font, 1 the menu font, 2 the large font) and the digit
// sheets drawn with them.
constexpr int kGameFontCount = 3;
extern Font GameFonts[kGameFontCount];
extern DDSURFACEDATA NumberSheets[kGameFontCount];

// Redraws the digit sheets that a recovery brought back blank.
void DDRedrawLostNumberSheets();
