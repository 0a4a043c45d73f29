#pragma once

#include <cstdint>

namespace platform {

// The one sampling rule of every stretched, shrunk or mirrored copy of the layer: surface blits,
// GDI copies and textured quads alike.
//
// A run is a line of pixels with a first pixel, a direction (+1 or -1) and a length. The k-th
// pixel of a destination run of n pixels takes the pixel at offset floor((2k + 1) * m / (2n))
// of a source run of m pixels: the source pixel under the destination pixel's centre. So a 1:1
// run copies pixel for pixel, a mirrored run (direction -1) is exactly the mirror image of the
// unmirrored one, and doubling repeats every source pixel twice. Integer arithmetic only, so the
// result never depends on rounding.
struct SampleRun {
  int first = 0;
  int step = 1;  // +1 or -1
  int length = 0;

  int Last() const { return first + step * (length - 1); }
};

// Offset of destination pixel k of n into a source run of m pixels.
constexpr int SampleOffset(int k, int m, int n) {
  return static_cast<int>((static_cast<std::int64_t>(2 * k + 1) * m) / (2 * static_cast<std::int64_t>(n)));
}

// Source index of destination pixel k of n.
constexpr int SampleIndex(const SampleRun& source, int k, int n) {
  return source.first + source.step * SampleOffset(k, source.length, n);
}

// A run that starts at `start` and covers `extent` pixels: toward larger indices for a positive
// extent, and for a negative one from start - 1 toward smaller indices (a mirrored span given by
// its two edges, as texture coordinates and mirrored cells give it).
constexpr SampleRun RunFromEdges(int start, int extent) {
  return extent >= 0 ? SampleRun{start, 1, extent} : SampleRun{start - 1, -1, -extent};
}

}  // namespace platform
