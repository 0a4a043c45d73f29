#include "gfx/colour_fade.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

class ColourFade : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(DDCreateSurface(&src_, 4, 2, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&dst_, 4, 2, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  }
  void TearDown() override {
    DDReleaseSurface(&src_);
    DDReleaseSurface(&dst_);
    LibraryTest::TearDown();
  }
  static void Put(DDSURFACEDATA* r, DWORD value) {
    cSurfaceLock lock(r);
    ASSERT_NE(lock.m_lpBits, nullptr);
    for (int y = 0; y < r->nHeight; ++y)
      for (int x = 0; x < r->nWidth; ++x)
        std::memcpy(lock.m_lpBits + (y * lock.m_nPitch + x) * lock.m_nBytes, &value,
                    static_cast<std::size_t>(lock.m_nBytes));
  }
  DDSURFACEDATA src_, dst_;
};

TEST_P(ColourFade, PullsTheSourceTowardTheColourByWeight) {
  const int bpp = GetParam().bpp;
  const bool hiColourDirectDraw = GetParam().backend == 0 && (bpp == 16 || bpp == 32);
  const DWORD source = bpp == 32 ? 0x7FC8C8C8u : bpp == 16 ? 0xFFFFu : 0x55u;  // bytes of 200; white; an index
  Put(&src_, source);
  Put(&dst_, 0x11u);
  struct Case {
    int weight;
    BYTE r, g, b;
    DWORD expected32, expected16;
  };
  // 5-6-5: white widened to 255 per channel; a weight of 0 gives the colour's own fields.
  const Case cases[] = {
      {128, 0, 0, 0, 0x7F646464u, 0x7BEFu},
      {256, 9, 9, 9, 0x7FC8C8C8u, 0xFFFFu},
      {0, 255, 0, 128, 0x7FFF0080u, 0xF80Fu},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DDFade_UnPal(&dst_, c.weight, c.r, c.g, c.b, &src_), 1);
    const DWORD expected = !hiColourDirectDraw ? 0x11u : bpp == 32 ? c.expected32 : c.expected16;
    EXPECT_EQ(PixelOf(&dst_, 3, 1), expected) << "weight " << c.weight;
  }
  if (GetParam().backend == 1) {
    EXPECT_TRUE(Has(ErrorLog(), "D3DではDDFade_UnPalは未対応"));
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ColourFade, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
