#pragma once

#include <cstdint>

#include "platform/video/pixel_buffer.h"
#include "platform/video/sampling.h"

namespace platform {

// Rectangle operations on raw pixels of one format (no colour conversion). The caller clips
// first; every rectangle given here lies inside its buffer. Each operation picks the row loop
// for the pixel width once, so the inner loops hold neither a format switch nor an indirect
// call.

void FillPixels(PixelBuffer& target, const PixelRect& rect, std::uint32_t value);

// Copies source rectangle `from` to (x, y) of the target; the two may be the same buffer, even
// overlapping. With a key, source pixels equal to it are left out.
void CopyPixels(PixelBuffer& target, int x, int y, const PixelBuffer& source, const PixelRect& from);
void CopyPixelsKeyed(PixelBuffer& target, int x, int y, const PixelBuffer& source, const PixelRect& from,
                     std::uint32_t key);

// Fills `to` from the source runs by the sampling rule, writing only the part inside `clip`
// (which lies inside `to`). Every source index of the runs must lie inside the source.
struct StretchCopy {
  PixelRect to;
  PixelRect clip;
  SampleRun columns;
  SampleRun rows;
  bool keyed = false;
  std::uint32_t key = 0;
};
void StretchPixels(PixelBuffer& target, const PixelBuffer& source, const StretchCopy& copy);

}  // namespace platform
