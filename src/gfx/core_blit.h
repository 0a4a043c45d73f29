#pragma once

#include "gfx/surface_data.h"

// The blit entry and the core blit every bitmap reaches its target through.

// Blit flags.
constexpr int DDBLT_KEYED = 1;  // leave out the source's transparent pixels
constexpr int DDBLT_OPAQUE = 0;

// A per-call draw state.
struct DTDRAWSTATE {
  D3DCOLOR dwDiffuse = 0xFFFFFFFF;
  D3DTEXTUREOP nColorOp = D3DTOP_MODULATE;
};

void DDBltStretch(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int nFlags);
// A 1:1 blit. DirectDraw: the result of the surface copy, or 0 when clipped away.
int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags);
void DDBltWithState(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                    int nFlags, const DTDRAWSTATE* lpState);
void DDBltStretchWithState(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                           int sw, int sh, int nFlags, const DTDRAWSTATE* lpState);
