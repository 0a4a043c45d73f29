#pragma once

#include "gfx/surface_data.h"

// Distortions and transitions built from the core blit; each call draws its parts as one
// sprite batch under Direct3D, so none may be called while the caller holds a batch open.

// Slices of `band` rows (columns with bVertical) moved by amplitude x sin of an angle that runs
// over `cycles` periods from `phase` degrees.
void DDWaveBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nCycles, double dAmplitude, int nPhase, int nBand,
               DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags, int bVertical);
// Whole bands moved alternately by +shift and -shift (odd bands first); band 0: a plain blit.
void DDInterlaceBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nBand, int nShift, DDSURFACEDATA* lpSrc,
                    int sx, int sy, int nFlags, int bVertical);
// A card turning over: face A or B squeezed about the vertical (mode 0) or horizontal (mode 1)
// axis by the counter; a turn takes 2 x the size counts. Sizes below 2 draw nothing.
void DDFlipBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrcA, int sxA, int syA,
               DDSURFACEDATA* lpSrcB, int sxB, int syB, int sw, int sh, int nFlags, int nCounter, int nMode);
// The four quarters moved outward by the gap.
void DDSplitBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nGap,
                int nFlags);
