#pragma once

#include "gfx/dd_state.h"

// A 16-bit texture pixel as the full-screen 16-bit back buffer holds it: each field moved from
// the screen's texture layout to the back buffer's, green doubled into its sixth bit. The two
// layouts are read once, so that a pixel loop reads no globals.
struct cBackPixel16 {
  unsigned redShift, greenShift, blueShift, redMax, greenMax, blueMax, backRed, backGreen, backBlue;

  static cBackPixel16 Current() {
    const DDPixelLayout& t = DDPixelFormat;
    const DDPixelLayout& b = DDBackPixelFormat;
    return {static_cast<unsigned>(t.nRedShift), static_cast<unsigned>(t.nGreenShift),
            static_cast<unsigned>(t.nBlueShift), static_cast<unsigned>(t.nRedMax),
            static_cast<unsigned>(t.nGreenMax), static_cast<unsigned>(t.nBlueMax),
            static_cast<unsigned>(b.nRedShift), static_cast<unsigned>(b.nGreenShift),
            static_cast<unsigned>(b.nBlueShift)};
  }

  unsigned operator()(unsigned pixel) const {
    const unsigned r = (pixel >> redShift) & redMax;
    const unsigned g = (pixel >> greenShift) & greenMax;
    const unsigned b = (pixel >> blueShift) & blueMax;
    return r << backRed | (g << 1) << backGreen | b << backBlue;
  }
};
