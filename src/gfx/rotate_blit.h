#pragma once

#include "gfx/surface_data.h"

// A cell (sx, sy, w, h) turned by whole degrees about its pivot (ox, oy), the pivot landing on
// (x, y). Direct3D draws a quad; every other path maps the rotated box back into the cell in
// 10-bit fixed point. False when a record cannot be locked; a null record draws nothing.
bool DDBltRotate(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int ox, int oy, int nAngle, DDSURFACEDATA* lpSrc,
                 int sx, int sy, int nFlags);
