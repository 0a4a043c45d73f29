#include "platform/video/bmp_image.h"

#include <gtest/gtest.h>

#include "support/bmp_fixture.h"
#include "support/byte_builder.h"

namespace {

using platform::BmpError;
using platform::BmpImage;
using testsupport::BmpPicture;
using testsupport::MakeBmp;

BmpPicture Pattern(int bits, bool topDown) {
  BmpPicture picture;
  picture.width = 3;  // rows of 3 pixels need padding at 8 and 24 bits
  picture.height = 2;
  picture.bits = bits;
  picture.topDown = topDown;
  if (bits == 8) {
    picture.colors = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    picture.pixels = {1, 2, 3, 4, 0, 1};
  } else {
    picture.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0x000000, 0xFFFFFF};
  }
  return picture;
}

TEST(BmpImage, ReadsEveryDepthInEitherRowOrderTopRowFirst) {
  for (int bits : {8, 24, 32}) {
    for (bool topDown : {false, true}) {
      const BmpPicture picture = Pattern(bits, topDown);
      BmpImage image;
      ASSERT_EQ(platform::ParseBmp(MakeBmp(picture), image), BmpError::None) << bits << " " << topDown;
      EXPECT_EQ(image.width, 3);
      EXPECT_EQ(image.height, 2);
      EXPECT_EQ(image.bitsPerPixel, bits);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
          const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y * 3 + x)];
          const std::uint32_t expected = bits == 8 ? picture.colors[p] : p;
          EXPECT_EQ(image.ColorAt(x, y), expected) << bits << " " << topDown << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(BmpImage, AShortColourTableLeavesTheOtherEntriesBlack) {
  BmpImage image;
  ASSERT_EQ(platform::ParseBmp(MakeBmp(Pattern(8, false)), image), BmpError::None);
  EXPECT_EQ(image.colorCount, 5);
  EXPECT_EQ(image.Row(0)[2], 3);
  EXPECT_EQ(image.colors[200], 0u);
}

std::string Header(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression,
                   std::uint32_t offset = 54) {
  testsupport::ByteBuilder b;
  b.raw("BM").u32(0).u32(0).u32(offset);
  b.u32(40).i32(width).i32(height).u16(1).u16(bits).u32(compression).u32(0).i32(0).i32(0).u32(0).u32(0);
  return b.bytes();
}

TEST(BmpImage, RefusesMalformedFilesWithoutReadingPastThem) {
  std::string pixelsCut = MakeBmp(Pattern(24, false));
  pixelsCut.resize(pixelsCut.size() - 1);
  std::string tableCut = MakeBmp(Pattern(8, false));
  tableCut.resize(14 + 40 + 8);
  std::string badSignature = MakeBmp(Pattern(24, false));
  badSignature[0] = 'X';
  struct Case {
    const char* what;
    std::string bytes;
    BmpError error;
  };
  const Case cases[] = {
      {"empty", "", BmpError::NotBitmap},
      {"signature", badSignature, BmpError::NotBitmap},
      {"pixels cut short", pixelsCut, BmpError::Truncated},
      {"colour table cut short", tableCut, BmpError::Truncated},
      {"16 bits", Header(2, 2, 16, 0), BmpError::UnsupportedDepth},
      {"run-length", Header(2, 2, 8, 1), BmpError::Compressed},
      {"zero width", Header(0, 2, 24, 0), BmpError::BadSize},
      {"negative width", Header(-4, 2, 24, 0), BmpError::BadSize},
      {"zero height", Header(4, 0, 24, 0), BmpError::BadSize},
      {"huge, no pixels", Header(30000, 30000, 32, 0), BmpError::TooLarge},
      {"pixel offset far away", Header(1, 1, 24, 0, 0x7FFFFFF0) + std::string(4, '\0'), BmpError::Truncated},
  };
  for (const Case& c : cases) {
    BmpImage image;
    EXPECT_EQ(platform::ParseBmp(c.bytes, image), c.error) << c.what;
    EXPECT_TRUE(image.pixels.empty()) << c.what;
  }
}

TEST(BmpImage, ThirtyTwoBitsWithPlainMasksAreRead) {
  testsupport::ByteBuilder b;
  b.raw("BM").u32(0).u32(0).u32(14 + 40 + 12);
  b.u32(40).i32(1).i32(1).u16(1).u16(32).u32(3).u32(4).i32(0).i32(0).u32(0).u32(0);
  b.u32(0x00FF0000).u32(0x0000FF00).u32(0x000000FF);
  b.u8(0x56).u8(0x34).u8(0x12).u8(0);
  BmpImage image;
  ASSERT_EQ(platform::ParseBmp(b.bytes(), image), BmpError::None);
  EXPECT_EQ(image.ColorAt(0, 0), 0x123456u);

  std::string otherMasks = b.bytes();
  otherMasks[14 + 40] = 0x1F;  // a 5-6-5 style red mask
  EXPECT_EQ(platform::ParseBmp(otherMasks, image), BmpError::Compressed);
}

TEST(BmpImage, AMissingFileCannotBeRead) {
  BmpImage image;
  EXPECT_EQ(platform::LoadBmpFile("/nonexistent/kestrel/none.bmp", image), BmpError::CannotRead);
}

}  // namespace
