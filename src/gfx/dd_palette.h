#pragma once

#include "gfx/surface_data.h"

// The game's palette and its transparent colour.
extern PALETTEENTRY DDPalette[256];
extern PALETTEENTRY DDPaletteSaved[256];
extern DWORD DDTransmitKey;

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* szFileName);
// The start-up's form with the windowed flag, which the load does not need.
inline bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* szFileName, int /*bWindowed*/) {
  return DDLoadPaletteFromFile(lpPalette, szFileName);
}
int DDSetTransmit(const char* szFileName);
void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue);
DWORD PalNumToRGB(DWORD dwPalNum);
WORD DDPalToRGB16(const PALETTEENTRY* lpEntry);
// Fills the table from the 16 x 16 colour block of a hi-colour record holding the palette bitmap.
int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD);
