#pragma once

#include <array>

#include "gfx/surface_data.h"

// The player's choice of translucency table with its palette shift, and the slow colour
// animation the scenes run while they draw.

// A pulse colour that characters can draw with: ARGB and the texture colour operation it is
// combined with (7 brightens, 10 darkens).
struct PulseColor {
  D3DCOLOR dwColor = 0;
  int nBlendMode = 0;
};
// Indexed 1 to 9; entry 0 ("none") stays empty.
extern std::array<PulseColor, 10> PulseColors;

// Translucency table n (clamped to 0..23) and the palette shift that goes with it; 8-bit
// DirectDraw only (1 at once otherwise). 0 when the table or the palette cannot be read (said).
int LoadHbtPalette(int nNumber);
// One step of the colour animation (once per drawn frame).
void AnimatePalette();
// Moves the value between the bounds; 1 when the falling value reached the bottom.
int PingPongStep(int* lpValue, int* lpDir, int nStep, int nMin, int nMax);
// Back to the start state (counter, channels, phase).
void ResetPaletteAnimation();
