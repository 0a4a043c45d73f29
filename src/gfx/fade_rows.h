#pragma once

#include "gfx/surface_lock.h"

// The hi-colour fade of the usual layouts (R5G6B5, X1R5G5B5, 32 bits) for weights 0 to 256,
// without divisions and in baseline or AVX2 versions; the same pixels as the general fade. False
// when the layout or the weight has no fast version (nothing is drawn then).
bool DDFadeFast(const cSurfaceLock& dst, const cSurfaceLock& src, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue);
