#pragma once

#include "gfx/surface_data.h"

// Clipping of a blit's two rectangles, and the mirrored cells of alias records.

// Cuts the rectangles to what lies inside both records; 1 when something remains to draw.
int DDClipBlt(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw,
              int* sh);
// Turns a source rectangle of a record with mirror cells into the mirrored rectangle of the
// alias source's texture (Direct3D; records without an alias source are left alone).
void DDMirrorCellRect(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw, int* sh);
