#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A Windows bitmap as read from its file: 8 bits per pixel with a colour table, 24 bits (blue,
// green, red) or 32 bits (blue, green, red and a fourth byte). Rows are held top-down whatever
// order the file stores them in; each row keeps the file's own pixel bytes.
struct BmpImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int pitch = 0;                            // bytes per row as held here
  int colorCount = 0;                       // colour-table entries read (8-bit only)
  std::array<std::uint32_t, 256> colors{};  // colour table as XRGB8888; entries past colorCount are black
  std::vector<std::uint8_t> pixels;

  const std::uint8_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * pitch; }
  // The pixel's colour as XRGB8888 (top byte 0), whatever the depth.
  std::uint32_t ColorAt(int x, int y) const;
};

enum class BmpError {
  None,
  CannotRead,
  NotBitmap,          // too short for the headers, or no "BM" signature
  UnsupportedHeader,  // an information header other than the 40-, 108- and 124-byte forms
  UnsupportedDepth,   // not 8, 24 or 32 bits per pixel, or more than one plane
  Compressed,         // run-length or other compression, or 32-bit masks other than 8-8-8
  BadSize,            // width or height of 0 or below (a negative height is a top-down file)
  TooLarge,           // beyond what a surface can hold
  Truncated,          // the colour table or the pixels run past the end of the file
};

const char* BmpErrorText(BmpError error);

// Reads a bitmap from the bytes of a whole file. Every count and offset is checked against the
// bytes at hand before anything is allocated; on failure the image is left empty.
BmpError ParseBmp(std::string_view bytes, BmpImage& image);
// Reads a bitmap file (a host path).
BmpError LoadBmpFile(const std::string& hostPath, BmpImage& image);

}  // namespace platform
