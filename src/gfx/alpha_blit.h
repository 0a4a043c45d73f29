#pragma once

#include "gfx/surface_data.h"

// Translucent blits. nAlpha is a transparency (0 opaque, 255 invisible, clamped to that range),
// honoured by the Direct3D quad; every software path mixes half and half, 8-bit DirectDraw
// through the blend table. False only when a DirectDraw record cannot be locked.
bool DDBltAlpha(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
                const BYTE* lpTable, int nAlpha);
bool DDBltHalf(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
               const BYTE* lpTable);
