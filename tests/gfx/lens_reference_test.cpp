// The lens against a per-pixel reference that bends each offset by its own square root and
// divisions: random pixels, centres near and across the edges, depths with and without a rim.

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "gfx/circle_lens.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

class LensReference : public gfxtest::LibraryTest, public testing::WithParamInterface<gfxtest::Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(Init(GetParam()));
    if (lpDTCon == nullptr) DDTransmitKey = DDBpp == 8 ? 7u : DDBpp == 16 ? 0x1234u : 0x00123456u;
  }
};

// The lens on a canvas (never the full-screen back buffer) pixel by pixel.
void Reference(Pixels& dst, int dw, int dh, const Pixels& src, int sw, int sh, int cx, int cy, int r, int k, int scx,
               int scy, int flags, int clearOutside) {
  const long long r2 = static_cast<long long>(r) * r;
  const long long big = static_cast<long long>(std::trunc(std::sqrt(static_cast<double>(r2) + static_cast<double>(k) * k)));
  const long long R2 = big * big;
  const bool d3d = lpDTCon != nullptr;
  const bool clear = d3d && DDBpp == 32 && clearOutside != 0;
  const std::uint32_t mask = DDBpp == 32 ? 0xFFFFFFFFu : (1u << DDBpp) - 1;
  for (long long dy = -r; dy <= r; ++dy) {
    for (long long dx = -r; dx <= r; ++dx) {
      const long long tx = cx + dx, ty = cy + dy;
      if (tx < 0 || ty < 0 || tx >= dw || ty >= dh) continue;
      std::uint32_t& out = dst[static_cast<std::size_t>(ty * dw + tx)];
      const long long d2 = dx * dx + dy * dy;
      if (d2 > r2) {
        if (clear) out = 0;
        continue;
      }
      long long ox = dx, oy = dy;
      const double s = std::sqrt(static_cast<double>(R2 - d2));
      if (s != 0.0) {
        ox = static_cast<long long>(std::trunc(static_cast<double>(dx) * k / s + 0.5));
        oy = static_cast<long long>(std::trunc(static_cast<double>(dy) * k / s + 0.5));
      }
      const long long px = scx + ox, py = scy + oy;
      const bool inside = px >= 0 && px < sw && py >= 0 && py < sh;
      const std::uint32_t p = inside ? src[static_cast<std::size_t>(py * sw + px)] : 0;
      if (d3d && DDBpp == 32) {
        if (inside && (p >> 24) != 0) {
          out = p;
        } else if (clear) {
          out = 0;
        }
      } else if (d3d) {
        if (inside && !(flags == 1 && (p & 0xA000) == 0)) out = p;
      } else if (inside && p != (DDTransmitKey & mask)) {
        out = p;
      }
    }
  }
}

TEST_P(LensReference, EveryPixelIsTheBentOffsetsSource) {
  std::mt19937 random(5);
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  const std::uint32_t mask = DDBpp == 32 ? 0xFFFFFFFFu : (1u << DDBpp) - 1;
  constexpr int kW = 41, kH = 33;
  DDSURFACEDATA source, canvas;
  ASSERT_TRUE(DDCreateSurface(&source, kW, kH, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&canvas, kW, kH, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  struct Case {
    int cx, cy, r, k, scx, scy, flags, clear;
  };
  const Case cases[] = {
      {20, 16, 12, 7, 20, 16, 1, 0}, {20, 16, 12, 7, 20, 16, 1, 1}, {2, 30, 15, 20, 35, 3, 0, 1},
      {-5, 8, 14, 3, 10, 10, 1, 0},  {40, -3, 9, 0, 5, 28, 1, 1},   {20, 16, 30, 12, 20, 16, 0, 0},
  };
  for (const Case& c : cases) {
    Pixels src(static_cast<std::size_t>(kW * kH)), dst(src.size());
    for (std::uint32_t& p : src) p = (any(random) % 5 == 0) ? (lpDTCon == nullptr ? DDTransmitKey : 0u) : any(random) & mask;
    for (std::uint32_t& p : dst) p = any(random) & mask;
    gfxtest::WritePixels(&source, src);
    gfxtest::WritePixels(&canvas, dst);
    src = gfxtest::ReadPixels(&source);
    dst = gfxtest::ReadPixels(&canvas);
    ASSERT_TRUE(DDBltLens(&canvas, c.cx, c.cy, c.r, c.k, &source, c.scx, c.scy, c.flags, c.clear));
    Reference(dst, kW, kH, src, kW, kH, c.cx, c.cy, c.r, c.k, c.scx, c.scy, c.flags, c.clear);
    const Pixels after = gfxtest::ReadPixels(&canvas);
    for (std::size_t at = 0; at < after.size(); ++at)
      ASSERT_EQ(after[at], dst[at]) << "case " << (&c - cases) << " at " << at % kW << "," << at / kW;
  }
  DDReleaseSurface(&source);
  DDReleaseSurface(&canvas);
}

INSTANTIATE_TEST_SUITE_P(Modes, LensReference, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
