#pragma once

#include <cstdint>

// A character's body or attack box: its extents in map pixels and where it sits in the
// picture, now and at scale 1.
struct HitBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t offX = 0, offY = 0, width = 0, height = 0;
  std::int32_t baseOffX = 0, baseOffY = 0, baseWidth = 0, baseHeight = 0;

  void SetBoth(int ox, int oy, int w, int h) {
    offX = baseOffX = ox;
    offY = baseOffY = oy;
    width = baseWidth = w;
    height = baseHeight = h;
  }
};

// A box in map pixels, edges included.
struct WorldBox {
  double left = 0, top = 0, right = 0, bottom = 0;

  bool Overlaps(const WorldBox& o) const {
    return left <= o.right && right >= o.left && top <= o.bottom && bottom >= o.top;
  }
  bool Contains(double px, double py) const { return px >= left && px <= right && py >= top && py <= bottom; }
};
