#pragma once

#include <cstdint>

// Small value records of the game objects and collisions. They are plain and copied by value;
// every member starts at zero so that no record is ever read before it is set.

struct Int3 {
  std::int32_t v[3] = {};

  bool operator==(const Int3&) const = default;
};

struct IntBox {
  std::int32_t x0 = 0;
  std::int32_t y0 = 0;
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;

  bool operator==(const IntBox&) const = default;
};

// Left, top, right and bottom in map pixels.
struct RectD {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;

  // Closed intervals: rectangles that only touch along an edge or at a corner overlap.
  static bool Overlaps(const RectD& a, const RectD& b) {
    return a.x0 <= b.x1 && a.x1 >= b.x0 && a.y0 <= b.y1 && a.y1 >= b.y0;
  }

  bool operator==(const RectD&) const = default;
};

struct Int16 {
  std::int32_t v[16] = {};

  bool operator==(const Int16&) const = default;
};
