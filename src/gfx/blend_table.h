#pragma once

#include "gfx/surface_data.h"

// The 8-bit translucency table: entry a * 256 + b is the palette index drawn where colour b is
// mixed over colour a. Zero until a table is loaded (8-bit DirectDraw only).
constexpr int kBlendTableSize = 65536;
extern BYTE DDBlendTable[kBlendTableSize];

// Under Direct3D true without reading. False when the file cannot be read or is not exactly
// 65536 bytes long; the table is then left as it was.
bool DDLoadBlendTable(BYTE* lpTable, const char* szFileName);

// 1 when the record is "BackBuffer" and the display is full screen.
int DDIsFullScreenBackBuffer(const DDSURFACEDATA* lpSD);
