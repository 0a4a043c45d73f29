#pragma once

#include "gfx/surface_data.h"

// The part of a source cell inside a disc, as horizontal spans of `band` rows; the box of half
// width hx and half height hy around the source centre limits what is taken.
void DDBltCircle(DDSURFACEDATA* lpDst, int dcx, int dcy, int hx, int hy, int nRadius, int nBand, DDSURFACEDATA* lpSrc,
                 int scx, int scy, int nFlags);
// A magnifying lens of radius r over a sphere cap of depth k. False when nothing can be drawn or
// a record cannot be locked.
bool DDBltLens(DDSURFACEDATA* lpDst, int cx, int cy, int r, int k, DDSURFACEDATA* lpSrc, int scx, int scy, int nFlags,
               int bClearOutside);
