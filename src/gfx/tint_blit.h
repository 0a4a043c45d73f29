#pragma once

#include "gfx/surface_data.h"

// The source drawn pulled toward palette colour ci by a strength level (the target's old pixels
// play no part). Only the low byte of ci counts; 8-bit DirectDraw mixes through DDBlendTable.
// False only when a DirectDraw record cannot be locked.
bool DDBltTint(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
               const PALETTEENTRY* lpPalette, const BYTE* lpTable, int nColorIndex, int nLevel);
// Direct3D: one quad over the whole target whose texels are multiplied by the colour and made
// transparent by nAlpha (clamped to 0..255). DirectDraw logs that it has none. Always 1.
int DDBltChangeColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int nAlpha, BYTE bRed,
                     BYTE bGreen, BYTE bBlue);
int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue);
