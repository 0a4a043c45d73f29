#pragma once

#include "gfx/surface_data.h"

// Screen fades, one call per frame until true. Each draws the state of its angle (degrees),
// then moves it by the speed; the call that finds the angle at its end draws the end state,
// re-arms the angle and returns true. The reset flag jumps to the end. Direct3D lays black over
// "BackBuffer"; DirectDraw blends the palette (8 bits) or pulls a snapshot of the screen taken
// at the fade's start toward the colour.
bool DDFadeOut(PALETTEENTRY* lpDst, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, double dSpeed,
               const PALETTEENTRY* lpSrc, int bReset);
bool DDFadeIn(PALETTEENTRY* lpDst, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, double dSpeed,
              const PALETTEENTRY* lpSrc, int bReset);
// Both fades back to their start angles (a new library).
void DDResetFades();
