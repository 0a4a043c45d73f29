// The box blur on the baseline and the AVX2 path against a per-pixel reference that sums each
// window and divides: random pixels with transparent places, rectangles cut by both records,
// odd radii and windows wider than the rectangle.

#include <random>
#include <vector>

#include "gfx/blur_mosaic.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/blend_table.h"
#include "gfx_test_support.h"

namespace {

class BlurPaths : public gfxtest::ModePathTest {
 protected:
  void SetUp() override {
    ModePathTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (lpDTCon == nullptr) DDTransmitKey = DDBpp == 16 ? 0x1234u : 0x00123456u;
  }
};

using Pixels = std::vector<std::uint32_t>;

// The blur of one target pixel as the rules give it, or the old pixel where nothing is drawn.
std::uint32_t Reference(const Pixels& src, int sw, int sh, std::uint32_t old, int i, int j, int w, int h, int rx,
                        int ry, int sx, int sy, bool keyed, bool toBack) {
  const bool direct3D = lpDTCon != nullptr;
  const auto absent = [&](long long a, long long b) {
    if (a < 0 || b < 0 || a >= sw || b >= sh) return true;
    const std::uint32_t p = src[static_cast<std::size_t>(b * sw + a)];
    if (!keyed) return false;
    if (!direct3D) return p == DDTransmitKey;
    return DDBpp == 16 ? (p & 0xA000u) == 0 : (p >> 24) == 0;
  };
  if (keyed && absent(sx + i, sy + j)) return old;
  const DDPixelLayout& f = DDPixelFormat;
  const int shift[3] = {DDBpp == 32 ? 16 : f.nRedShift, DDBpp == 32 ? 8 : f.nGreenShift, DDBpp == 32 ? 0 : f.nBlueShift};
  const int max[3] = {DDBpp == 32 ? 255 : f.nRedMax, DDBpp == 32 ? 255 : f.nGreenMax, DDBpp == 32 ? 255 : f.nBlueMax};
  std::uint64_t sum[3] = {0, 0, 0}, count = 0;
  for (int b = std::max(0, j - ry); b < std::min(h, j + ry); ++b) {
    for (int a = std::max(0, i - rx); a < std::min(w, i + rx); ++a) {
      if (absent(sx + a, sy + b)) continue;
      const std::uint32_t p = src[static_cast<std::size_t>((sy + b) * sw + sx + a)];
      for (int k = 0; k < 3; ++k) sum[k] += (p >> shift[k]) & static_cast<std::uint32_t>(max[k]);
      ++count;
    }
  }
  if (count == 0) return old;
  std::uint32_t c[3];
  for (int k = 0; k < 3; ++k) c[k] = static_cast<std::uint32_t>(sum[k] / count);
  if (DDBpp == 32) return (direct3D ? 0xFF000000u : (old & 0xFF000000u)) | c[0] << 16 | c[1] << 8 | c[2];
  if (toBack) {
    const DDPixelLayout& back = DDBackPixelFormat;
    return c[0] << back.nRedShift | (c[1] * 2) << back.nGreenShift | c[2] << back.nBlueShift;
  }
  std::uint32_t p = c[0] << f.nRedShift | c[1] << f.nGreenShift | c[2] << f.nBlueShift;
  if (direct3D) p |= (static_cast<std::uint32_t>(f.nAlphaMax) & 1) << f.nAlphaShift;
  return p;
}

TEST_P(BlurPaths, EveryPixelIsTheWindowsAverage) {
  std::mt19937 random(11);
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  const std::uint32_t mask = DDBpp == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  DDSURFACEDATA source, canvas;
  ASSERT_TRUE(DDCreateSurface(&source, 37, 23, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&canvas, 29, 19, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  struct Case {
    int x, y, w, h, rx, ry, sx, sy, keyed;
    int into;  // 0 a canvas, 1 the back buffer
  };
  const Case cases[] = {
      {0, 0, 29, 19, 1, 1, 0, 0, 0, 0},  {0, 0, 29, 19, 2, 3, 4, 2, 1, 0}, {-5, 3, 33, 20, 3, 1, -2, 5, 1, 0},
      {4, -6, 17, 25, 40, 2, 20, -3, 0, 0}, {7, 2, 31, 11, 5, 30, 9, 9, 1, 0}, {0, 0, 37, 23, 2, 2, 0, 0, 1, 1},
      {-3, -2, 40, 30, 7, 4, 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    DDSURFACEDATA* target = c.into == 0 ? &canvas : &SDBackBuffer;
    Pixels src(static_cast<std::size_t>(37 * 23));
    for (std::uint32_t& p : src) p = (any(random) % 4 == 0) ? (lpDTCon == nullptr ? DDTransmitKey : 0u) : any(random) & mask;
    gfxtest::WritePixels(&source, src);
    // The back buffer is compared over the corner the cases reach.
    Pixels before = gfxtest::ReadPixels(target);
    for (std::uint32_t& p : before) p = any(random) & mask;
    gfxtest::WritePixels(target, before);
    before = gfxtest::ReadPixels(target);
    ASSERT_TRUE(DDBlurBlt(target, c.x, c.y, c.w, c.h, c.rx, c.ry, &source, c.sx, c.sy, c.keyed));
    const Pixels after = gfxtest::ReadPixels(target);
    const bool toBack = lpDTCon != nullptr && DDBpp == 16 && DDIsFullScreenBackBuffer(target);
    const int tw = target->nWidth;
    for (int y = 0; y < target->nHeight; ++y) {
      for (int x = 0; x < tw; ++x) {
        const std::size_t at = static_cast<std::size_t>(y * tw + x);
        const int i = x - c.x, j = y - c.y;
        std::uint32_t expected = before[at];
        if (i >= 0 && j >= 0 && i < c.w && j < c.h)
          expected = Reference(src, 37, 23, before[at], i, j, c.w, c.h, c.rx, c.ry, c.sx, c.sy, c.keyed == 1, toBack);
        ASSERT_EQ(after[at], expected) << "case " << (&c - cases) << " at " << x << "," << y;
      }
    }
  }
  DDReleaseSurface(&source);
  DDReleaseSurface(&canvas);
}

const gfxtest::ModePath kPaths[] = {
    {"D3D32", {"D3D32", 1, 32, 1}, false}, {"D3D32Avx2", {"D3D32", 1, 32, 1}, true},
    {"D3D16", {"D3D16", 1, 16, 0}, false}, {"D3D16Avx2", {"D3D16", 1, 16, 0}, true},
    {"DD16", {"DD16", 0, 16, 1}, false},   {"DD16Avx2", {"DD16", 0, 16, 1}, true},
    {"DD32", {"DD32", 0, 32, 1}, false},   {"DD32Avx2", {"DD32", 0, 32, 1}, true},
};
INSTANTIATE_TEST_SUITE_P(Paths, BlurPaths, testing::ValuesIn(kPaths), gfxtest::ModePathName);

}  // namespace
