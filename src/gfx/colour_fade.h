#pragma once

#include "gfx/surface_data.h"

// The hi-colour DirectDraw fade: the source drawn into the target pulled toward one colour.
// nWeight is the source's share in 256ths (0..256). 1 done (or Direct3D, which fades with a
// quad instead), 0 when a surface cannot be locked.
int DDFade_UnPal(DDSURFACEDATA* lpDst, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, DDSURFACEDATA* lpSrc);
