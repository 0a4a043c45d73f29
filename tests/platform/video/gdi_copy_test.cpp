#include "platform/video/gdi_copy.h"

#include <gtest/gtest.h>

#include "support/bmp_fixture.h"

namespace {

using platform::BmpImage;
using platform::PixelBuffer;
using platform::PixelFormat;

BmpImage Parse(const testsupport::BmpPicture& picture) {
  BmpImage image;
  EXPECT_EQ(platform::ParseBmp(testsupport::MakeBmp(picture), image), platform::BmpError::None);
  return image;
}

// Columns 0..5 with distinct colours, two rows.
BmpImage Strip(int bits) {
  testsupport::BmpPicture picture;
  picture.width = 6;
  picture.height = 2;
  picture.bits = bits;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) picture.pixels.push_back(static_cast<std::uint32_t>(0x102030 * (x + 1) + 0x000800 * y));
  return Parse(picture);
}

TEST(GdiCopy, CopiesConvertColoursIntoTheTargetFormat) {
  const BmpImage bitmap = Strip(24);
  for (PixelFormat format : {PixelFormat::Rgb565, PixelFormat::Rgb888, PixelFormat::Xrgb8888}) {
    PixelBuffer target;
    ASSERT_TRUE(target.Allocate(6, 2, format));
    platform::DeviceContext dc{&target};
    ASSERT_TRUE(platform::GdiBitBlt(dc, 0, 0, 6, 2, bitmap, 0, 0));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 6; ++x)
        EXPECT_EQ(target.PixelAt(x, y), platform::PackArgb(0xFF000000 | bitmap.ColorAt(x, y), format))
            << platform::FormatInfo(format).name;
  }
}

TEST(GdiCopy, NegativeExtentsMirrorWholeCellsAboutTheirOrigin) {
  const BmpImage bitmap = Strip(32);
  PixelBuffer target;
  ASSERT_TRUE(target.Allocate(6, 2, PixelFormat::Xrgb8888));
  platform::DeviceContext dc{&target};
  // Two cells of 3 columns, each mirrored left to right and top to bottom.
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(platform::GdiStretchBlt(dc, i * 3 + 2, 1, -3, -2, bitmap, i * 3, 0, 3, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) {
      const int cell = x / 3;
      EXPECT_EQ(target.PixelAt(x, y), bitmap.ColorAt(cell * 3 + 2 - x % 3, 1 - y)) << x << "," << y;
    }
  }
}

TEST(GdiCopy, PixelsOutsideTheTargetOrTheBitmapAreLeftOut) {
  const BmpImage bitmap = Strip(24);
  PixelBuffer target;
  ASSERT_TRUE(target.Allocate(4, 4, PixelFormat::Xrgb8888));
  platform::DeviceContext dc{&target};
  ASSERT_TRUE(platform::GdiBitBlt(dc, -2, 2, 10, 10, bitmap, 0, 0));
  EXPECT_EQ(target.PixelAt(0, 2), bitmap.ColorAt(2, 0));
  EXPECT_EQ(target.PixelAt(3, 3), bitmap.ColorAt(5, 1));
  EXPECT_EQ(target.PixelAt(0, 1), 0u);
  platform::DeviceContext none;
  EXPECT_FALSE(platform::GdiBitBlt(none, 0, 0, 1, 1, bitmap, 0, 0));
}

TEST(GdiCopy, ColoursEnterAnEightBitTargetAsTheNearestPaletteIndex) {
  platform::PaletteEntry entries[256] = {};
  entries[1] = {200, 0, 0, 0};
  entries[2] = {0, 0, 200, 0};
  entries[3] = {200, 0, 0, 0};  // the same as entry 1: the first one wins
  const platform::Palette palette(entries);
  testsupport::BmpPicture picture;
  picture.width = 3;
  picture.height = 1;
  picture.pixels = {0xF01010, 0x1010F0, 0x080808};
  const BmpImage bitmap = Parse(picture);
  PixelBuffer target;
  ASSERT_TRUE(target.Allocate(3, 1, PixelFormat::Indexed8));
  platform::DeviceContext dc{&target, &palette};
  ASSERT_TRUE(platform::GdiBitBlt(dc, 0, 0, 3, 1, bitmap, 0, 0));
  EXPECT_EQ(target.PixelAt(0, 0), 1u);
  EXPECT_EQ(target.PixelAt(1, 0), 2u);
  EXPECT_EQ(target.PixelAt(2, 0), 0u);
}

}  // namespace
