#include "platform/video/pixel_format.h"

#include <gtest/gtest.h>

#include "platform/video/format_tables.h"

namespace {

using platform::PixelFormat;

struct PackCase {
  PixelFormat format;
  std::uint32_t argb;
  std::uint32_t pixel;
};

// Components enter a field as c * max / 255, truncated: 0x84 red is 16 of 31, 0x80 only 15.
TEST(PixelFormat, ColoursPackWithTruncationAndReadBackWidened) {
  const PackCase cases[] = {
      {PixelFormat::Rgb565, 0xFFFF00FF, 0xF81F},
      {PixelFormat::Rgb565, 0xFF848484, 0x8410},  // 16, 32, 16
      {PixelFormat::Rgb565, 0xFF808080, 0x7BEF},  // 15, 31, 15
      {PixelFormat::Argb1555, 0xFFFF00FF, 0xFC1F},
      {PixelFormat::Argb1555, 0xFEFF00FF, 0x7C1F},  // alpha below 255 is 0 of 1
      {PixelFormat::Xrgb1555, 0xFFFFFFFF, 0x7FFF},
      {PixelFormat::Rgb888, 0xFF123456, 0x123456},
      {PixelFormat::Xrgb8888, 0xFF123456, 0x00123456},
      {PixelFormat::Argb8888, 0x80123456, 0x80123456},
  };
  for (const PackCase& c : cases) {
    EXPECT_EQ(platform::PackArgb(c.argb, c.format), c.pixel) << platform::FormatInfo(c.format).name;
  }
  // Fields widen as f * 255 / max: 16 of 31 reads back 131, not 128.
  EXPECT_EQ(platform::UnpackArgb(0x8410, PixelFormat::Rgb565), 0xFF838183u);
  EXPECT_EQ(platform::UnpackArgb(0x7C1F, PixelFormat::Argb1555), 0x00FF00FFu);
  EXPECT_EQ(platform::UnpackArgb(0x00123456, PixelFormat::Xrgb8888), 0xFF123456u);
}

TEST(PixelFormat, SixteenBitTablesAgreeWithTheConversionForEveryValue) {
  for (PixelFormat format : {PixelFormat::Rgb565, PixelFormat::Xrgb1555, PixelFormat::Argb1555}) {
    const std::uint32_t* table = platform::ArgbTable16(format);
    ASSERT_NE(table, nullptr);
    for (std::uint32_t v = 0; v < 65536; ++v) {
      ASSERT_EQ(table[v], platform::UnpackArgb(v, format)) << platform::FormatInfo(format).name << " " << v;
    }
    std::uint32_t argb[3] = {0xFF000000, 0xFFFFFFFF, 0x80FF8040};
    std::uint8_t packed[6];
    platform::PackRowFromArgb(argb, 3, format, packed);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(static_cast<std::uint32_t>(packed[2 * i] | packed[2 * i + 1] << 8),
                platform::PackArgb(argb[i], format));
    }
  }
}

TEST(PixelFormat, ScreenDepthsAndMasks) {
  PixelFormat format;
  EXPECT_FALSE(platform::SurfaceFormatForDepth(15, format));
  ASSERT_TRUE(platform::SurfaceFormatForDepth(16, format));
  const platform::PixelMasks masks = platform::MasksOf(format);
  EXPECT_EQ(masks.red, 0xF800u);
  EXPECT_EQ(masks.green, 0x07E0u);
  EXPECT_EQ(masks.blue, 0x001Fu);
  EXPECT_EQ(masks.rgbBitCount, 16);
  ASSERT_TRUE(platform::SurfaceFormatForDepth(8, format));
  EXPECT_EQ(platform::MasksOf(format).red, 0u);
}

}  // namespace
