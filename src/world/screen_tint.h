#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// The whole screen tinted toward a colour, faded in over a time, blinking, or faded back to the
// picture from the previous tint; the drawing applies it at the end of every frame.
struct cScreenTint {
  // The change-screen-colour command's parameters 0 to 7: red, green, blue, strength (percent),
  // fade back, duration (tenths), blink, repeats.
  void Set(const cVector<std::int32_t>& params);
  // The frame's tint over the finished picture; frozen drawing keeps its time.
  void Apply(bool freeze);
  // The picture's weight this frame: toward the colour over the duration, or back from the
  // previous tint's.
  int TargetAlpha() const;

  std::int32_t bSteady = 0;  // a tint toward a colour was set (the 8-bit fade-back needs it)
  std::uint8_t nRed = 0, nGreen = 0, nBlue = 0;
  std::int32_t nStrength = 0;
  std::int32_t bFadeBack = 0;
  std::int32_t nDuration = 0;  // frames
  std::int32_t bBlink = 0;
  std::int32_t nRepeats = 0;
  std::int32_t bActive = 0;
  std::int32_t nCounter = 0;
  std::int32_t nCycles = 0;
  std::int32_t nAlpha = 255;  // the picture's weight, 255 untinted
  std::uint8_t nPrevRed = 0, nPrevGreen = 0, nPrevBlue = 0;
  std::int32_t nPrevStrength = 0;
  std::int32_t nPrevAlpha = 255;
};
