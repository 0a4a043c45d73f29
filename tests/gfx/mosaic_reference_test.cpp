// The averaging mosaic of DirectDraw's hi-colour modes, on the baseline and the AVX2 path,
// against a per-pixel reference that sums each block's counted pixels: random pixels with
// transparent ones, blocks cut by both records, blocks narrower and wider than a vector.

#include <cstring>
#include <random>
#include <vector>

#include "gfx/blur_mosaic.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

class MosaicReference : public gfxtest::ModePathTest {
 protected:
  void SetUp() override {
    ModePathTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    DDTransmitKey = DDBpp == 16 ? 0x1234u : 0x00123456u;
  }
};

TEST_P(MosaicReference, EveryBlockIsItsCountedPixelsAverage) {
  std::mt19937 random(3);
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  const std::uint32_t mask = DDBpp == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  constexpr int kW = 37, kH = 29;
  DDSURFACEDATA source, canvas;
  ASSERT_TRUE(DDCreateSurface(&source, kW, kH, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&canvas, kW, kH, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {DDBpp == 32 ? 16 : f.nRedShift, DDBpp == 32 ? 8 : f.nGreenShift, DDBpp == 32 ? 0 : f.nBlueShift};
  const int maxes[3] = {DDBpp == 32 ? 255 : f.nRedMax, DDBpp == 32 ? 255 : f.nGreenMax, DDBpp == 32 ? 255 : f.nBlueMax};
  struct Case {
    int x, y, w, h, b, sx, sy, keyed;
  };
  const Case cases[] = {
      {0, 0, 37, 29, 4, 0, 0, 1},  {-3, 2, 40, 30, 5, 2, -4, 1}, {5, -2, 20, 25, 3, 20, 8, 0},
      {0, 0, 37, 29, 40, 0, 0, 1}, {0, 0, 37, 29, 8, 0, 0, 1},   {-2, 1, 37, 29, 17, 3, 0, 1},
      {1, 0, 36, 29, 12, 0, 2, 0},  {-500, 0, 600, 29, 8, -500, 0, 1},
  };
  for (const Case& c : cases) {
    Pixels src(static_cast<std::size_t>(kW * kH)), dst(src.size());
    for (std::uint32_t& p : src) p = any(random) % 3 == 0 ? DDTransmitKey : any(random) & mask;
    for (std::uint32_t& p : dst) p = any(random) & mask;
    gfxtest::WritePixels(&source, src);
    gfxtest::WritePixels(&canvas, dst);
    ASSERT_TRUE(DDMosaicBlt(&canvas, c.x, c.y, c.w, c.h, c.b, &source, c.sx, c.sy, c.keyed));
    for (int bj = 0; bj < c.h; bj += c.b) {
      for (int bi = 0; bi < c.w; bi += c.b) {
        unsigned sum[3] = {0, 0, 0}, count = 0;
        for (int j = bj; j < std::min(bj + c.b, c.h); ++j) {
          for (int i = bi; i < std::min(bi + c.b, c.w); ++i) {
            const int px = c.sx + i, py = c.sy + j;
            if (px < 0 || py < 0 || px >= kW || py >= kH) continue;
            const std::uint32_t p = src[static_cast<std::size_t>(py * kW + px)];
            if (c.keyed == 1 && p == DDTransmitKey) continue;
            for (int k = 0; k < 3; ++k)
              sum[k] += ((p >> shifts[k]) & static_cast<unsigned>(maxes[k])) * 255 / static_cast<unsigned>(maxes[k]);
            ++count;
          }
        }
        if (count == 0) continue;
        std::uint32_t colour = 0;
        for (int k = 0; k < 3; ++k) colour |= (sum[k] / count * static_cast<unsigned>(maxes[k]) / 255) << shifts[k];
        if (c.keyed == 1 && colour == (DDTransmitKey & (DDBpp == 32 ? 0xFFFFFFu : 0xFFFFu))) continue;
        for (int j = bj; j < std::min(bj + c.b, c.h); ++j) {
          for (int i = bi; i < std::min(bi + c.b, c.w); ++i) {
            const int tx = c.x + i, ty = c.y + j;
            if (tx < 0 || ty < 0 || tx >= kW || ty >= kH) continue;
            std::uint32_t& out = dst[static_cast<std::size_t>(ty * kW + tx)];
            out = DDBpp == 32 ? (out & 0xFF000000u) | colour : colour;
          }
        }
      }
    }
    const Pixels after = gfxtest::ReadPixels(&canvas);
    for (std::size_t at = 0; at < after.size(); ++at)
      ASSERT_EQ(after[at], dst[at]) << "case " << (&c - cases) << " at " << at % kW << "," << at / kW;
  }
  DDReleaseSurface(&source);
  DDReleaseSurface(&canvas);
}

const gfxtest::ModePath kAveragingPaths[] = {
    {"DD16", {"DD16", 0, 16, 1}, false},
    {"DD16Avx2", {"DD16", 0, 16, 1}, true},
    {"X1R5G5B5", {"DD16", 0, 16, 1}, false, true},
    {"X1R5G5B5Avx2", {"DD16", 0, 16, 1}, true, true},
    {"DD32", {"DD32", 0, 32, 1}, false},
    {"DD32Avx2", {"DD32", 0, 32, 1}, true},
};
INSTANTIATE_TEST_SUITE_P(Paths, MosaicReference, testing::ValuesIn(kAveragingPaths), gfxtest::ModePathName);

}  // namespace
