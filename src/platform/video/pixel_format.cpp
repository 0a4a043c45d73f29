#include "platform/video/pixel_format.h"

#include <iterator>

namespace platform {
namespace {

// Indexed by PixelFormat.
constexpr PixelFormatInfo kFormats[] = {
    {1, 8, {{0, 0, 0, 0}, {0, 0, 0, 0}}, "P8"},
    {2, 16, {{11, 5, 0, 0}, {31, 63, 31, 0}}, "R5G6B5"},
    {2, 16, {{10, 5, 0, 0}, {31, 31, 31, 0}}, "X1R5G5B5"},
    {2, 16, {{10, 5, 0, 15}, {31, 31, 31, 1}}, "A1R5G5B5"},
    {3, 24, {{16, 8, 0, 0}, {255, 255, 255, 0}}, "R8G8B8"},
    {4, 32, {{16, 8, 0, 0}, {255, 255, 255, 0}}, "X8R8G8B8"},
    {4, 32, {{16, 8, 0, 24}, {255, 255, 255, 255}}, "A8R8G8B8"},
};

constexpr bool BytesAgree() {
  for (int i = 0; i < static_cast<int>(std::size(kFormats)); ++i) {
    if (kFormats[i].bytesPerPixel != BytesPerPixel(static_cast<PixelFormat>(i))) return false;
  }
  return true;
}
static_assert(BytesAgree(), "BytesPerPixel and the format table differ");

}  // namespace

const PixelFormatInfo& FormatInfo(PixelFormat format) { return kFormats[static_cast<int>(format)]; }

bool SurfaceFormatForDepth(int bitsPerPixel, PixelFormat& format) {
  switch (bitsPerPixel) {
    case 8: format = PixelFormat::Indexed8; return true;
    case 16: format = PixelFormat::Rgb565; return true;
    case 24: format = PixelFormat::Rgb888; return true;
    case 32: format = PixelFormat::Xrgb8888; return true;
    default: return false;
  }
}

PixelMasks MasksOf(PixelFormat format) {
  const PixelFormatInfo& info = FormatInfo(format);
  PixelMasks masks;
  masks.rgbBitCount = info.bitsPerPixel;
  if (format == PixelFormat::Indexed8) return masks;
  std::uint32_t* fields[4] = {&masks.red, &masks.green, &masks.blue, &masks.alpha};
  for (int c = 0; c < 4; ++c) {
    *fields[c] = static_cast<std::uint32_t>(info.layout.maximum[c]) << info.layout.shift[c];
  }
  return masks;
}

namespace {

template <std::uint32_t (*Quantise)(int, int)>
std::uint32_t Pack(std::uint32_t argb, PixelFormat format) {
  if (format == PixelFormat::Indexed8) return 0;
  const ChannelLayout& layout = FormatInfo(format).layout;
  const int components[4] = {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                             static_cast<int>(argb & 0xFF), static_cast<int>(argb >> 24)};
  std::uint32_t pixel = 0;
  for (int c = 0; c < 4; ++c) {
    if (layout.maximum[c] == 0) continue;
    pixel |= Quantise(components[c], layout.maximum[c]) << layout.shift[c];
  }
  return pixel;
}

constexpr std::uint32_t Truncated(int c, int maximum) { return ComponentToField(c, maximum); }
constexpr std::uint32_t Nearest(int c, int maximum) { return ComponentToFieldNearest(c, maximum); }

}  // namespace

std::uint32_t PackArgb(std::uint32_t argb, PixelFormat format) { return Pack<Truncated>(argb, format); }
std::uint32_t PackArgbNearest(std::uint32_t argb, PixelFormat format) { return Pack<Nearest>(argb, format); }

std::uint32_t UnpackArgb(std::uint32_t pixel, PixelFormat format) {
  if (format == PixelFormat::Indexed8) return 0;
  const ChannelLayout& layout = FormatInfo(format).layout;
  int components[4] = {0, 0, 0, 255};
  for (int c = 0; c < 4; ++c) {
    const int maximum = layout.maximum[c];
    if (maximum == 0) continue;
    components[c] = FieldToComponent((pixel >> layout.shift[c]) & static_cast<std::uint32_t>(maximum), maximum);
  }
  return static_cast<std::uint32_t>(components[3]) << 24 | static_cast<std::uint32_t>(components[0]) << 16 |
         static_cast<std::uint32_t>(components[1]) << 8 | static_cast<std::uint32_t>(components[2]);
}

}  // namespace platform
