// Parses arbitrary bytes as a bitmap file. Besides ending without a crash, a hang or an
// outsized allocation, a refused file must leave no pixels behind, and an accepted one must
// hold exactly its rows with every pixel's colour readable.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/video/bmp_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::BmpImage image;
  const platform::BmpError error =
      platform::ParseBmp(std::string_view(reinterpret_cast<const char*>(data), size), image);
  if (error != platform::BmpError::None) {
    if (!image.pixels.empty() || image.width != 0) std::abort();
    return 0;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.bitsPerPixel / 8);
  if (image.width <= 0 || image.height <= 0 || static_cast<std::size_t>(image.pitch) < rowBytes ||
      image.pixels.size() != static_cast<std::size_t>(image.pitch) * static_cast<std::size_t>(image.height)) {
    std::abort();
  }
  std::uint32_t mix = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) mix ^= image.ColorAt(x, y);
  if ((mix & 0xFF000000u) != 0) std::abort();  // colours are XRGB with the top byte clear
  return 0;
}
