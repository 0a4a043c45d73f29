#pragma once

// Loading the game's bitmaps through the runtime's reader, and where rectangles lie on them.

#include <gtest/gtest.h>

#include <string>

#include "gfx/bitmap_file.h"

namespace sampletest {

inline platform::BmpImage Load(const std::string& gamePath) {
  platform::BmpImage image;
  EXPECT_TRUE(DDLoadBitmapFile(gamePath.c_str(), image)) << gamePath << " does not load";
  return image;
}

// The whole rectangle lies on the picture.
inline ::testing::AssertionResult Inside(const platform::BmpImage& image, int x, int y, int w, int h) {
  if (x >= 0 && y >= 0 && x + w <= image.width && y + h <= image.height) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << x << ", " << y << ", " << w << " x " << h << ") outside " << image.width
                                       << " x " << image.height;
}

}  // namespace sampletest
