#pragma once

#include <cstdint>

#include "platform/video/bmp_image.h"
#include "platform/video/palette.h"
#include "platform/video/pixel_buffer.h"

namespace platform {

// A drawing context lent out by a surface for GDI-style work: the bitmap copies below and, with
// the fonts, text. It points into the surface's pixels and is valid until the surface takes it
// back.
struct DeviceContext {
  PixelBuffer* pixels = nullptr;
  const Palette* palette = nullptr;  // colours of an 8-bit target, for converting colours into it
  std::uint32_t textColor = 0;       // XRGB8888
  bool transparentBackground = false;
};

// Copies the bitmap rectangle (sx, sy, w, h) to (x, y) of the context's pixels. Colours are
// converted into the target's format with the layer's component conversion; into an 8-bit
// target an 8-bit bitmap's indices go unchanged and any other colour becomes the nearest
// palette entry (the first of equally near ones). Pixels outside the target or the bitmap are
// left out. False when the context has no pixels.
bool GdiBitBlt(DeviceContext& context, int x, int y, int w, int h, const BmpImage& bitmap, int sx, int sy);

// Stretches the bitmap rectangle at (sx, sy) of extents (sw, sh) onto the target rectangle at
// (x, y) of extents (w, h), by the layer's sampling rule and with the colour conversion of
// GdiBitBlt. An extent below 0 runs from its origin pixel toward smaller coordinates, so an
// origin of x + W - 1 with extent -W covers the W pixels from x, mirrored.
bool GdiStretchBlt(DeviceContext& context, int x, int y, int w, int h, const BmpImage& bitmap, int sx, int sy, int sw,
                   int sh);

// The index of the palette entry nearest to an XRGB8888 colour (squared distance over red,
// green and blue; the first of equally near entries).
std::uint8_t NearestPaletteIndex(const Palette& palette, std::uint32_t xrgb);

}  // namespace platform
