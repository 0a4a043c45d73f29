#pragma once

#include <vector>

#include "gfx/surface_data.h"

// Fills by palette index and by colour, and the palette index map.
void DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwPalNum);
void DDFillSurface(DDSURFACEDATA* lpSD, DWORD dwPalNum);
void DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwColor);
void DDFillSurfaceRGB(DDSURFACEDATA* lpSD, DWORD dwColor);
int DDBuildIndexMap(std::vector<BYTE>* lpMap, DDSURFACEDATA* lpSD);
