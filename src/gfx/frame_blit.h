#pragma once

#include "gfx/surface_data.h"

// Framed boxes and numbers drawn from a digit strip.

// A frame of thickness t inside the rectangle, in palette entry n.
void DDFrameRect(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int t, int n);
// The source's top-left w x h opaque, framed outside by t pixels of palette entry n.
void DDBltFrame(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int t, int n);
// Right-aligned (or, with bCenter, centred) in a field of nMinDigits digits, padded with
// nothing; a negative value draws as 0.
void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpStrip, int sx, int sy, int nFlags,
                  int nValue, int nMinDigits, int bCenter);
