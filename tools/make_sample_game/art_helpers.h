#pragma once

#include <cstdint>

#include "make_sample_game/pixel_canvas.h"
#include "make_sample_game/sample_palette.h"

namespace sample {

// A repeatable pseudo-random value for a pixel: texture without a random generator, so the
// same picture comes out on every run.
inline std::uint32_t Noise(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// A raised tile: base shade with lit top and left edges, shaded bottom and right edges.
inline void Bevel(Canvas& c, int x, int y, int w, int h, Ramp ramp, int base, int depth = 2) {
  c.FillRect(x, y, w, h, Shade(ramp, base));
  for (int i = 0; i < depth; ++i) {
    c.FillRect(x + i, y + i, w - 2 * i, 1, Shade(ramp, base + 4 - i));
    c.FillRect(x + i, y + i, 1, h - 2 * i, Shade(ramp, base + 3 - i));
    c.FillRect(x + i, y + h - 1 - i, w - 2 * i, 1, Shade(ramp, base - 4 + i));
    c.FillRect(x + w - 1 - i, y + i, 1, h - 2 * i, Shade(ramp, base - 3 + i));
  }
}

// A vertical blend from one shade to another of the same ramp, dithered.
inline void Gradient(Canvas& c, int x, int y, int w, int h, Ramp ramp, int topLevel, int bottomLevel) {
  for (int row = 0; row < h; ++row) {
    const int span = (bottomLevel - topLevel) * 16 * row / (h > 1 ? h - 1 : 1);
    for (int col = 0; col < w; ++col) {
      const int whole = span / 16;
      int frac = span % 16;
      int level = topLevel + whole;
      if (frac < 0) {
        frac += 16;
        level -= 1;
      }
      if (frac > DitherThreshold(x + col, y + row)) level += 1;
      c.Set(x + col, y + row, Shade(ramp, level));
    }
  }
}

}  // namespace sample
