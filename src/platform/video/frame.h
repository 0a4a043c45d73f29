#pragma once

#include <cstdint>
#include <vector>

#include "platform/video/palette.h"
#include "platform/video/pixel_buffer.h"

namespace platform {

// One presented image: XRGB8888 pixels, rows top-down, `width` pixels per row.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint64_t serial = 0;  // 1 for the first frame posted, growing by one per frame

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Converts a device's image into a frame; an 8-bit image is seen through its palette (black
// without one). Reuses the frame's storage.
void ConvertToFrame(const PixelBuffer& image, const Palette* palette, Frame& frame);

}  // namespace platform
