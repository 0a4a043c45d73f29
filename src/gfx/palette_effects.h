#pragma once

#include "gfx/surface_data.h"

// Palette blending and rotation.

// Entries first..last of the source, each channel mixed with the colour by weight in 256ths
// (256 the source, 0 the colour), written to the target with flags 1.
void DDPalBlend(PALETTEENTRY* lpDst, int nFirst, int nLast, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue,
                const PALETTEENTRY* lpSrc);
// Copies the source palette, then rotates entries first..last by n places: direction 0 up (the
// top n to the bottom), 1 down (the bottom n to the top), others not at all. n is taken modulo
// the range's size.
void DDPalRotate(PALETTEENTRY* lpDst, int nFirst, int nLast, int n, int nDirection, const PALETTEENTRY* lpSrc);
// The 256 entries shown by the display's palette (8-bit DirectDraw); nothing without one.
void DDShowPalette(const PALETTEENTRY* lpPalette);
