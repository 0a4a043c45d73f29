#include "input/dialogs/dialog_canvas.h"

#include <algorithm>

void DialogCanvas::Fill(const DialogRect& rect, std::uint32_t argb) {
  const int left = std::max(rect.x, 0), right = std::min(rect.x + rect.width, kWidth);
  const int top = std::max(rect.y, 0), bottom = std::min(rect.y + rect.height, kHeight);
  for (int y = top; y < bottom; ++y) {
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * kWidth + left,
              pixels_.begin() + static_cast<std::ptrdiff_t>(y) * kWidth + right, argb);
  }
}

void DialogCanvas::Outline(const DialogRect& rect, std::uint32_t argb, bool dotted) {
  const int right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
  for (int x = rect.x; x <= right; ++x) {
    if (dotted && (x & 1) != 0) continue;
    Pixel(x, rect.y, argb);
    Pixel(x, bottom, argb);
  }
  for (int y = rect.y; y <= bottom; ++y) {
    if (dotted && (y & 1) != 0) continue;
    Pixel(rect.x, y, argb);
    Pixel(right, y, argb);
  }
}

void DialogCanvas::Bevel(const DialogRect& rect, bool raised) {
  using namespace dialog_colours;
  const std::uint32_t topLeft = raised ? kLight : kShadow;
  const std::uint32_t bottomRight = raised ? kDark : kLight;
  const int right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
  for (int x = rect.x; x <= right; ++x) {
    Pixel(x, rect.y, topLeft);
    Pixel(x, bottom, bottomRight);
  }
  for (int y = rect.y; y <= bottom; ++y) {
    Pixel(rect.x, y, topLeft);
    Pixel(right, y, bottomRight);
  }
}
