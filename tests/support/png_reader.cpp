#include "support/png_reader.h"

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace testsupport {

bool ReadPng(const std::filesystem::path& path, platform::Frame& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return false;
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels = std::move(pixels);
  return true;
}

}  // namespace testsupport
