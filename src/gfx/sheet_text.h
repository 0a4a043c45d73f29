#pragma once

#include "core/format.h"
#include "gfx/surface_data.h"

// Fixed-cell text from a 16-column character sheet (the debug and frame-rate read-outs).
void DDDrawSheetText(DDSURFACEDATA* lpDst, int x, int y, int nCellW, int nCellH, DDSURFACEDATA* lpSheet,
                     const char* szText);
// The formatted text is cut on a character boundary at 255 bytes.
void DDDrawSheetTextF(DDSURFACEDATA* lpDst, int x, int y, int nCellW, int nCellH, DDSURFACEDATA* lpSheet,
                      const char* szFormat, ...) KESTREL_PRINTF(7, 8);
// The sheet row of a byte.
int DDSheetRow(unsigned char c);
