#pragma once

#include "gfx/surface_data.h"

// The game's surface table (registered with DDInit) and the surface containers of the scenes.

bool DDLoadSurfaceTable(DDSURFACEDATA* lpRecords, const int* lpRows, int nCount);

bool DDCreateSurfaceInVector(DDSurfaceVector& records, SurfaceDefVector& defs, int nWidth, int nHeight, int nColorKey,
                             int nDDMemory, int nMemoryType, int bNoTexture);
bool DDCreateSurfaceInList(DDSurfaceList& records, SurfaceDefList& defs, int nWidth, int nHeight, int nColorKey,
                           int nDDMemory, int nMemoryType, int bNoTexture);
int DDDeleteSurfaceFromList(DDSurfaceList& records, SurfaceDefList& defs, DDSURFACEDATA* lpSD);

void DDReleaseSurfaceVector(DDSurfaceVector& records);
void DDReleaseSurfaceList(DDSurfaceList& records);
