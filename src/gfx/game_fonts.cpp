#include "gfx/game_fonts.h"

Font GameFonts[kGameFontCount];
DDSURFACEDATA NumberSheets[kGameFontCount];

void DDRedrawLostNumberSheets() {
  for (int i = 0; i < kGameFontCount; ++i) {
    if (!NumberSheets[i].bLost) continue;
    DDDrawNumberSheet(&NumberSheets[i], &GameFonts[i]);
    NumberSheets[i].bLost = 0;
  }
}
