#include "make_sample_game/pixel_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace sample {

Canvas::Canvas(int width, int height, std::uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Canvas::FillRect(int x, int y, int w, int h, std::uint8_t color) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + w, width_);
  const int bottom = std::min(y + h, height_);
  for (int row = top; row < bottom; ++row) {
    for (int col = left; col < right; ++col) pixels_[Index(col, row)] = color;
  }
}

void Canvas::FrameRect(int x, int y, int w, int h, std::uint8_t color) {
  if (w <= 0 || h <= 0) return;
  FillRect(x, y, w, 1, color);
  FillRect(x, y + h - 1, w, 1, color);
  FillRect(x, y, 1, h, color);
  FillRect(x + w - 1, y, 1, h, color);
}

void Canvas::FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t color) {
  if (rx <= 0 || ry <= 0) return;
  const long long rx2 = static_cast<long long>(rx) * rx;
  const long long ry2 = static_cast<long long>(ry) * ry;
  for (int dy = -ry; dy <= ry; ++dy) {
    for (int dx = -rx; dx <= rx; ++dx) {
      // Inside when (dx/rx)^2 + (dy/ry)^2 <= 1, in integers.
      if (dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2) Set(cx + dx, cy + dy, color);
    }
  }
}

void Canvas::Line(int x0, int y0, int x1, int y1, std::uint8_t color) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(x0, y0, color);
    if (x0 == x1 && y0 == y1) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void Canvas::Blit(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy, bool keyed, bool mirrored) {
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const int from = mirrored ? sx + w - 1 - col : sx + col;
      if (!source.Inside(from, sy + row)) continue;
      const std::uint8_t c = source.At(from, sy + row);
      if (keyed && c == 0) continue;
      Set(dx + col, dy + row, c);
    }
  }
}

void Canvas::BlitScaled(const Canvas& source, int dx, int dy, int scale, bool keyed) {
  for (int row = 0; row < source.height_; ++row) {
    for (int col = 0; col < source.width_; ++col) {
      const std::uint8_t c = source.At(col, row);
      if (keyed && c == 0) continue;
      FillRect(dx + col * scale, dy + row * scale, scale, scale, c);
    }
  }
}

void Canvas::Outline(std::uint8_t color) {
  const Canvas before = *this;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (before.At(x, y) != 0) continue;
      const bool touches = before.At(x - 1, y) != 0 || before.At(x + 1, y) != 0 || before.At(x, y - 1) != 0 ||
                           before.At(x, y + 1) != 0;
      if (touches) pixels_[Index(x, y)] = color;
    }
  }
}

void Canvas::Recolor(int x, int y, int w, int h, std::uint8_t from, std::uint8_t to) {
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      if (Inside(col, row) && pixels_[Index(col, row)] == from) pixels_[Index(col, row)] = to;
    }
  }
}

int DitherThreshold(int x, int y) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return kBayer[y & 3][x & 3];
}

}  // namespace sample
