#pragma once

#include "gfx/surface_data.h"

// The Direct3D core blit's pixel copy, for targets that are not render targets and sources in
// system memory: no clipping, each pixel tested against both records' bounds instead.
void DDSoftwareBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                   int sh, int nFlags);
