#pragma once

#include "gfx/surface_data.h"

// Box blur over a 2rx x 2ry window (one pixel more up and left than down and right) and mosaic
// of b x b blocks, on locked pixels; the window and the blocks never read outside the blit
// rectangle. True at once for a zero radius or block; false when a record cannot be locked.
// A negative radius or block draws nothing.
bool DDBlurBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int rx, int ry, DDSURFACEDATA* lpSrc, int sx, int sy,
               int nFlags);
bool DDMosaicBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int b, DDSURFACEDATA* lpSrc, int sx, int sy,
                 int nFlags);
