#pragma once

#include "gfx/surface_data.h"

// Reloading a lost DirectDraw surface's bitmap, and probing a bitmap's size.
bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp);
// 1 when the bitmap could be read (*lpFlag = 1 when it exceeds either limit, else 0); 0 with
// *lpFlag = 0 when it could not. Direct3D: 1 with the flag untouched.
int DDBitmapTooLarge(int* lpFlag, const char* szFileName, int nWidthLimit, int nHeightLimit);
