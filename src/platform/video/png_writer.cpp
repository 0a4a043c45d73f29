#include "platform/video/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <vector>

#include "platform/files/file_replace.h"

namespace platform {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// libpng reports errors by a long jump back here: everything with a destructor is made before
// the jump target, so nothing is skipped.
bool EncodePng(const Frame& frame, std::vector<png_byte>& row, std::string& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const std::uint32_t c = frame.At(x, y);
      row[static_cast<std::size_t>(3 * x)] = static_cast<png_byte>(c >> 16);
      row[static_cast<std::size_t>(3 * x + 1)] = static_cast<png_byte>(c >> 8);
      row[static_cast<std::size_t>(3 * x + 2)] = static_cast<png_byte>(c);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& hostPath, const Frame& frame) {
  if (frame.width <= 0 || frame.height <= 0 ||
      frame.pixels.size() < static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) {
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(frame.width) * 3);
  std::string bytes;
  if (!EncodePng(frame, row, bytes)) return false;
  return ReplaceFileContents(hostPath, bytes);
}

}  // namespace platform
