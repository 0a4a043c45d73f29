#pragma once

#include <cstdint>

namespace platform {

// Every pixel layout the drawing library uses. Surfaces of the surface backend take the
// screen's format (8-bit palettised, 16-bit 565, 24-bit, 32-bit); textures and render targets
// of the device backend are ARGB8888 or ARGB1555, its back buffer XRGB8888, RGB565 or
// ARGB1555.
enum class PixelFormat : std::uint8_t {
  Indexed8,
  Rgb565,
  Xrgb1555,
  Argb1555,
  Rgb888,  // three bytes per pixel: blue, green, red
  Xrgb8888,
  Argb8888,
};

enum Channel { kRed = 0, kGreen = 1, kBlue = 2, kAlpha = 3 };

// Shift and maximum of each channel (red, green, blue, alpha). A channel that a format does not
// store has maximum 0.
struct ChannelLayout {
  int shift[4] = {};
  int maximum[4] = {};
};

struct PixelFormatInfo {
  int bytesPerPixel = 0;
  int bitsPerPixel = 0;
  ChannelLayout layout;
  const char* name = "";
};

const PixelFormatInfo& FormatInfo(PixelFormat format);
// Inline, as rows and pixels are addressed by it in every drawing call; FormatInfo agrees.
constexpr int BytesPerPixel(PixelFormat format) {
  constexpr std::uint8_t kBytes[] = {1, 2, 2, 2, 3, 4, 4};
  return kBytes[static_cast<int>(format)];
}

// The format of the screen's surfaces for a colour depth of 8, 16, 24 or 32; false for any
// other depth.
bool SurfaceFormatForDepth(int bitsPerPixel, PixelFormat& format);

// The masks a surface reports for its format (red, green, blue, alpha) and its bit count.
struct PixelMasks {
  std::uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  int rgbBitCount = 0;
};
PixelMasks MasksOf(PixelFormat format);

// The component conversions of the whole layer: an 8-bit component c enters a field of maximum
// m as c * m / 255 (integer division) and a field f is read back as f * 255 / m. Pure white and
// black survive both ways; every other value is truncated, never rounded.
constexpr std::uint32_t ComponentToField(int c, int maximum) { return static_cast<std::uint32_t>(c * maximum / 255); }
constexpr int FieldToComponent(std::uint32_t field, int maximum) {
  return maximum == 0 ? 0 : static_cast<int>(field) * 255 / maximum;
}

// The device backend's quantisation: to the nearest field value, (c * m + 127) / 255. A field
// widened by FieldToComponent comes back unchanged, so a texel drawn 1:1 keeps its value.
constexpr std::uint32_t ComponentToFieldNearest(int c, int maximum) {
  return static_cast<std::uint32_t>((c * maximum + 127) / 255);
}

// ARGB8888 colour (alpha in the top byte) to and from a pixel value of a direct-colour format.
// A format without alpha reads back as opaque (alpha 255) and drops the alpha it is given.
// Indexed8 has no colours of its own: both return 0 for it.
std::uint32_t PackArgb(std::uint32_t argb, PixelFormat format);
// As PackArgb with the device backend's quantisation.
std::uint32_t PackArgbNearest(std::uint32_t argb, PixelFormat format);
std::uint32_t UnpackArgb(std::uint32_t pixel, PixelFormat format);

}  // namespace platform
