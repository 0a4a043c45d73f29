#include "platform/video/frame.h"

#include <array>

#include "platform/video/format_tables.h"

namespace platform {

void ConvertToFrame(const PixelBuffer& image, const Palette* palette, Frame& frame) {
  static const std::array<std::uint32_t, Palette::kSize> kBlack{};
  const std::uint32_t* colors = palette != nullptr ? palette->Xrgb().data() : kBlack.data();
  frame.width = image.width();
  frame.height = image.height();
  frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
  for (int y = 0; y < frame.height; ++y) {
    ConvertRowToXrgb(image.Row(y), image.format(), frame.width, colors,
                     frame.pixels.data() + static_cast<std::size_t>(y) * frame.width);
  }
}

}  // namespace platform
