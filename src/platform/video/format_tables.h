#pragma once

#include <cstdint>

#include "platform/video/pixel_format.h"

namespace platform {

// The ARGB8888 colour of every value of a 16-bit format (65536 entries, UnpackArgb of each),
// built once on first use. Null for a format that is not 16 bits wide.
const std::uint32_t* ArgbTable16(PixelFormat format);

// Field values of every 8-bit component for the maxima of the 16-bit formats (1, 31, 63),
// truncated (ComponentToField) and to the nearest value (ComponentToFieldNearest).
struct ComponentPackTable {
  std::uint8_t to1[256];
  std::uint8_t to5[256];
  std::uint8_t to6[256];
  std::uint8_t near1[256];
  std::uint8_t near5[256];
  std::uint8_t near6[256];
};
const ComponentPackTable& PackTable();


// Converts one row of pixels of any format to XRGB8888 (top byte 0xFF). An Indexed8 row is
// looked up in the 256 colours of `palette` (XRGB8888), which may be null for other formats.
void ConvertRowToXrgb(const std::uint8_t* source, PixelFormat format, int count, const std::uint32_t* palette,
                      std::uint32_t* out);

// Converts one row of ARGB8888 colours into a direct-colour format (PackArgb of each).
void PackRowFromArgb(const std::uint32_t* argb, int count, PixelFormat format, std::uint8_t* out);

}  // namespace platform
