#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/subsystem_links.h"

// The frame-rate read-out: the frames of the last second, the last frame's time and the
// average time of the last 16 frames, which changes once every 16 recorded frames.
struct cFpsReadout {
  static constexpr int kRingSize = 16;

  int Fps = 0;
  int FrameMs = 0;
  std::array<int, kRingSize> Ring{};
  int Index = 0;
  int Average = 0;

  // Writes the frame time into the ring; a full turn of the ring sets the average.
  void Record(int frameMs);
  std::string Text() const;
  void Reset() { *this = cFpsReadout(); }
};

extern cFpsReadout FpsReadout;

// Where the read-out goes: ShowFps 2 is the small plain text, any other on value the boxed one.
FpsTextLayout FpsLayout(int showFps);
