// The hi-colour fade on the baseline and the AVX2 path against a per-pixel reference with the
// divisions spelt out: random pixels, odd widths, every weight class.

#include <random>

#include "gfx/colour_fade.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"

namespace {

using FadePaths = gfxtest::ModePathTest;

// One channel of the fade as the divisions give it.
std::uint32_t FadeField(std::uint32_t field, int maximum, int weight, int colour) {
  const int wide = static_cast<int>(field) * 255 / maximum;
  const int mixed = (wide * weight + colour * (256 - weight)) >> 8;
  return static_cast<std::uint32_t>(mixed * maximum / 255);
}

std::uint32_t Reference(std::uint32_t s, int weight, int r, int g, int b) {
  if (DDBpp == 32) {
    return (s & 0xFF000000u) | FadeField(s >> 16 & 0xFF, 255, weight, r) << 16 |
           FadeField(s >> 8 & 0xFF, 255, weight, g) << 8 | FadeField(s & 0xFF, 255, weight, b);
  }
  const DDPixelLayout& f = DDPixelFormat;
  const auto field = [&](int shift, int maximum, int colour) {
    return FadeField(s >> shift & static_cast<std::uint32_t>(maximum), maximum, weight, colour) << shift;
  };
  return field(f.nRedShift, f.nRedMax, r) | field(f.nGreenShift, f.nGreenMax, g) | field(f.nBlueShift, f.nBlueMax, b);
}

TEST_P(FadePaths, EveryPixelIsTheDivisionsResult) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  const std::uint32_t mask = DDBpp == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  for (int width : {1, 7, 16, 33, 49, 75}) {
    DDSURFACEDATA src, dst;
    ASSERT_TRUE(DDCreateSurface(&src, width, 3, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&dst, width, 3, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * 3);
    for (int weight : {0, 1, 77, 128, 255, 256}) {
      {
        cSurfaceLock lock(&src);
        ASSERT_NE(lock.m_lpBits, nullptr);
        for (int y = 0; y < 3; ++y) {
          for (int x = 0; x < width; ++x) {
            const std::uint32_t v = any(random) & mask;
            pixels[static_cast<std::size_t>(y * width + x)] = v;
            std::memcpy(lock.m_lpBits + (y * lock.m_nPitch + x) * lock.m_nBytes, &v,
                        static_cast<std::size_t>(lock.m_nBytes));
          }
        }
      }
      const int r = static_cast<int>(any(random) & 0xFF), g = static_cast<int>(any(random) & 0xFF),
                b = static_cast<int>(any(random) & 0xFF);
      ASSERT_EQ(DDFade_UnPal(&dst, weight, static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), &src), 1);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
          ASSERT_EQ(gfxtest::PixelOf(&dst, x, y),
                    Reference(pixels[static_cast<std::size_t>(y * width + x)], weight, r, g, b))
              << "width " << width << " weight " << weight << " at " << x << "," << y;
    }
    DDReleaseSurface(&src);
    DDReleaseSurface(&dst);
  }
}

constexpr gfxtest::Mode kDD16{"DD16", 0, 16, 1}, kDD32{"DD32", 0, 32, 1};
const gfxtest::ModePath kPaths[] = {
    {"R5G6B5", kDD16, false},         {"R5G6B5Avx2", kDD16, true},
    {"X1R5G5B5", kDD16, false, true}, {"X1R5G5B5Avx2", kDD16, true, true},
    {"X8R8G8B8", kDD32, false},       {"X8R8G8B8Avx2", kDD32, true},
};
INSTANTIATE_TEST_SUITE_P(Paths, FadePaths, testing::ValuesIn(kPaths), gfxtest::ModePathName);

}  // namespace
