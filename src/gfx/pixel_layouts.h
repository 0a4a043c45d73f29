#pragma once

#include "gfx/dd_types.h"

// The two 16-bit layouts the vector kernels are written for, by their colour fields alone (the
// spare or alpha bit of 1-5-5-5 is not looked at).

// R5G6B5.
inline bool IsLayout565(const DDPixelLayout& f) {
  return f.nRedShift == 11 && f.nGreenShift == 5 && f.nBlueShift == 0 && f.nRedMax == 31 && f.nGreenMax == 63 &&
         f.nBlueMax == 31;
}

// X1R5G5B5 or A1R5G5B5.
inline bool IsLayout555(const DDPixelLayout& f) {
  return f.nRedShift == 10 && f.nGreenShift == 5 && f.nBlueShift == 0 && f.nRedMax == 31 && f.nGreenMax == 31 &&
         f.nBlueMax == 31;
}
