#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace testsupport {

// Bitmap files written byte by byte for fixtures, independently of the bitmap reader.
struct BmpPicture {
  int width = 0;
  int height = 0;
  int bits = 24;                      // 8, 24 or 32
  bool topDown = false;               // stored top row first (negative height)
  std::vector<std::uint32_t> colors;  // 8-bit colour table, XRGB
  std::vector<std::uint32_t> pixels;  // top row first: palette indices (8-bit) or XRGB colours
};

inline std::string MakeBmp(const BmpPicture& picture) {
  const int stride = (picture.width * picture.bits + 31) / 32 * 4;
  const int tableBytes = picture.bits == 8 ? 4 * static_cast<int>(picture.colors.size()) : 0;
  const int offset = 14 + 40 + tableBytes;
  ByteBuilder b;
  b.raw("BM")
      .u32(static_cast<std::uint32_t>(offset + stride * picture.height))
      .u32(0)
      .u32(static_cast<std::uint32_t>(offset));
  b.u32(40)
      .i32(picture.width)
      .i32(picture.topDown ? -picture.height : picture.height)
      .u16(1)
      .u16(static_cast<std::uint16_t>(picture.bits));
  b.u32(0).u32(static_cast<std::uint32_t>(stride * picture.height)).i32(2835).i32(2835);
  b.u32(picture.bits == 8 ? static_cast<std::uint32_t>(picture.colors.size()) : 0).u32(0);
  if (picture.bits == 8) {
    for (std::uint32_t c : picture.colors) b.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF).u8(0);
  }
  for (int i = 0; i < picture.height; ++i) {
    const int y = picture.topDown ? i : picture.height - 1 - i;
    int written = 0;
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
      if (picture.bits == 8) {
        b.u8(static_cast<std::uint8_t>(p));
        written += 1;
      } else {
        b.u8(p & 0xFF).u8((p >> 8) & 0xFF).u8((p >> 16) & 0xFF);
        written += 3;
        if (picture.bits == 32) {
          b.u8(0x7F);  // the fourth byte: nothing may read it as alpha
          written += 1;
        }
      }
    }
    for (; written < stride; ++written) b.u8(0xEE);  // row padding
  }
  return b.bytes();
}

// A bitmap of one colour (direct colour) or one index (8-bit).
inline std::string MakeSolidBmp(int width, int height, int bits, std::uint32_t value,
                                std::vector<std::uint32_t> colors = {}) {
  BmpPicture picture;
  picture.width = width;
  picture.height = height;
  picture.bits = bits;
  picture.colors = std::move(colors);
  picture.pixels.assign(static_cast<std::size_t>(width * height), value);
  return MakeBmp(picture);
}

}  // namespace testsupport
