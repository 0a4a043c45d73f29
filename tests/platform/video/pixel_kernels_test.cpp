// The pixel kernels against plain per-pixel references, on the baseline and the AVX2 path: rows
// of random pixels, every width up to a few vector lengths and every start alignment.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/video/kernel_choice.h"
#include "platform/video/pixel_rows.h"

namespace {

using platform::PixelBuffer;
using platform::PixelFormat;
using platform::PixelRect;

// The kernel path of the case; the processor's own choice comes back afterwards.
class KernelPaths : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    saved_ = platform::Avx2Kernels();
    if (GetParam() && !platform::ProcessorHasAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
    platform::UseAvx2Kernels(GetParam());
    ASSERT_EQ(platform::Avx2Kernels(), GetParam());
  }
  void TearDown() override { platform::UseAvx2Kernels(saved_); }
  bool saved_ = false;
};

std::string PathName(const testing::TestParamInfo<bool>& info) { return info.param ? "Avx2" : "Baseline"; }

// Pixels drawn from few values, so that the key is common, in runs and alone.
void Scatter(PixelBuffer& buffer, std::mt19937& random, std::uint32_t key) {
  const std::uint32_t mask = buffer.bytesPerPixel() == 4 ? 0xFFFFFFFFu : (1u << (8 * buffer.bytesPerPixel())) - 1;
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  for (int y = 0; y < buffer.height(); ++y) {
    for (int x = 0; x < buffer.width(); ++x) {
      const std::uint32_t roll = any(random);
      // A quarter key, a quarter one bit off it, the rest anything.
      std::uint32_t v = roll % 4 == 0 ? key : roll % 4 == 1 ? key ^ (1u << (roll >> 8) % (8 * buffer.bytesPerPixel()))
                                                            : any(random);
      buffer.SetPixel(x, y, v & mask);
    }
  }
}

TEST_P(KernelPaths, KeyedCopiesLeaveOutExactlyTheKeyAtEveryWidthAndAlignment) {
  const PixelFormat formats[] = {PixelFormat::Indexed8, PixelFormat::Rgb565, PixelFormat::Rgb888,
                                 PixelFormat::Xrgb8888};
  std::mt19937 random(1234);
  for (PixelFormat format : formats) {
    PixelBuffer source, target;
    ASSERT_TRUE(source.Allocate(120, 3, format));
    ASSERT_TRUE(target.Allocate(120, 3, format));
    const std::uint32_t key = format == PixelFormat::Indexed8 ? 0x5Au
                              : format == PixelFormat::Rgb565 ? 0xF81Fu
                                                              : 0x00FF00FFu;
    for (int width = 1; width <= 70; ++width) {
      for (int from = 0; from < 34; from += width % 3 == 0 ? 1 : 5) {
        const int to = (from * 7 + width) % (120 - width);
        if (from + width > 120) continue;
        Scatter(source, random, key);
        Scatter(target, random, key);
        PixelBuffer expected = target;
        for (int y = 0; y < 3; ++y) {
          for (int i = 0; i < width; ++i) {
            const std::uint32_t v = source.PixelAt(from + i, y);
            if (v != key) expected.SetPixel(to + i, y, v);
          }
        }
        platform::CopyPixelsKeyed(target, to, 0, source, PixelRect{from, 0, from + width, 3}, key);
        for (int y = 0; y < 3; ++y)
          for (int x = 0; x < 120; ++x)
            ASSERT_EQ(target.PixelAt(x, y), expected.PixelAt(x, y))
                << platform::FormatInfo(format).name << " width " << width << " from " << from << " to " << to
                << " at " << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, KernelPaths, testing::Bool(), PathName);

}  // namespace
