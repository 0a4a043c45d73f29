#pragma once

#include "gfx/surface_data.h"

// Copying a bitmap file into a DirectDraw record, and mirroring the cells of a Direct3D one.
bool CopyBitmap(DDSURFACEDATA* lpSD, const char* szFileName, int nBpp, int bIndexMap, int nMirrorWidth,
                int nMirrorHeight);
bool CreateMirror(DDSURFACEDATA* lpSD, DDSURFACEDATA* lpSrc, int nMirrorWidth, int nMirrorHeight);
