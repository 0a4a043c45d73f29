#pragma once

#include "gfx/surface_data.h"

// Surfaces and textures: creating records blank or from a bitmap file, sizing textures, and
// releasing records.

// Results of DDCreateSurfaceFromFile besides 0 (success) and a negative code (a Direct3D
// failure).
constexpr int DDSURF_CREATESURFACE_ERR = 4;
constexpr int DDSURF_LOADIMAGE_ERR = 8;
constexpr int DDSURF_SETCOLORKEY_ERR = 9;
constexpr int DDSURF_MIRROR_ERR = 1;

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int nColorKey, int nDDMemory, int nMemoryType,
                     int bNoTexture, int bRestore);
int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szFileName, int nColorKey, int nBpp, int nDDMemory,
                            int nMemoryType, int bAlias, int bIndexMap, int nMirrorWidth, int nMirrorHeight,
                            int bRestore);
bool DDSurfaceErrorText(int nCode);

void DDReleaseSurface(DDSURFACEDATA* lpSD);
void DDDestroySurface(DDSURFACEDATA* lpSD);

void DDRoundTextureSize(int* lpWidth, int* lpHeight);
bool DDCheckTextureSize(int nWidth, int nHeight);
