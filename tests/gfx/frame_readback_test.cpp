#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/fill_batch.h"
#include "gfx/render_target.h"
#include "gfx_test_support.h"
#include "platform/video/presenter.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

class FrameReadBack : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
  }
  // What the screen shows of palette colour n in this mode: the colour through the
  // conversions of the mode's pixel format.
  std::uint32_t Shown(int n) const {
    const std::uint32_t c = gfxtest::PaletteColor(n);
    const Mode mode = GetParam();
    const platform::PixelFormat rgb565 = platform::PixelFormat::Rgb565;
    if (mode.bpp == 16 && mode.backend == 1) {
      // The ARGB colour of the fill, drawn into the 5-6-5 back buffer and widened again.
      return platform::UnpackArgb(platform::PackArgbNearest(PalNumToRGB(static_cast<DWORD>(n)), rgb565), rgb565);
    }
    if (mode.bpp == 16) return platform::UnpackArgb(PalNumToRGB(static_cast<DWORD>(n)), rgb565);  // a 5-6-5 pixel
    return 0xFF000000u | c;
  }
  // Shows the back buffer as the frame step does for the mode.
  void Present() {
    if (lpDTCon != nullptr) {
      DDEndScene();
      ASSERT_EQ(lpDevice->Present(), platform::VideoResult::Ok);
    } else if (DDWindowed) {
      ASSERT_EQ(SDPrimary.lpDDraw->lpSurface->Blt(&DDClientRect, SDBackBuffer.lpDDraw->lpSurface.get(), nullptr,
                                                  platform::kBltWait),
                platform::VideoResult::Ok);
    } else {
      ASSERT_EQ(SDPrimary.lpDDraw->lpSurface->Flip(), platform::VideoResult::Ok);
    }
  }
};

TEST_P(FrameReadBack, FilledBarsReachTheCapturePresenterAsTheScreenShowsThem) {
  for (int bar = 0; bar < 4; ++bar)
    DDFillRect(&SDBackBuffer, bar * 160, 0, 160, 480, static_cast<DWORD>(40 + bar * 50));
  DDFillRect(&SDBackBuffer, 300, 200, 40, 80, 255);
  Present();
  platform::CapturePresenter capture;
  ASSERT_TRUE(platform::PresentNewestFrame(capture));
  const platform::Frame& frame = capture.LastFrame();
  ASSERT_EQ(frame.width, 640);
  ASSERT_EQ(frame.height, 480);
  EXPECT_EQ(frame.At(0, 0), Shown(40));
  EXPECT_EQ(frame.At(159, 479), Shown(40));
  EXPECT_EQ(frame.At(160, 0), Shown(90));
  EXPECT_EQ(frame.At(639, 479), Shown(190));
  EXPECT_EQ(frame.At(300, 200), Shown(255));
  EXPECT_EQ(frame.At(339, 279), Shown(255));
  EXPECT_EQ(frame.At(340, 279), Shown(140));
  EXPECT_EQ(capture.FrameCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Modes, FrameReadBack, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

class FillBatch : public gfxtest::LibraryTest {};

TEST_F(FillBatch, QueuedFillsAreDrawnAtTheFlushInOrderPerTarget) {
  ASSERT_TRUE(Init(gfxtest::kModes[0]));
  DDSURFACEDATA a, b;
  ASSERT_TRUE(DDCreateSurface(&a, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&b, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  DDBeginFillBatch();
  DDFillRectRGB(&a, 0, 0, 4, 4, 0xFF111111);
  DDFillRectRGB(&b, 2, 2, 4, 4, 0xFF222222);
  DDFillRectRGB(&a, 3, 3, 4, 4, 0xFF333333);
  EXPECT_EQ(DDFillBatch.Queue.size(), 3u);
  EXPECT_EQ(PixelOf(&a, 0, 0), 0u);  // nothing drawn before the flush
  DDFlushFillBatch();
  EXPECT_EQ(DDFillBatch.bOpen, 0);
  EXPECT_TRUE(DDFillBatch.Queue.empty());
  EXPECT_EQ(PixelOf(&a, 0, 0), 0xFF111111u);
  EXPECT_EQ(PixelOf(&a, 3, 3), 0xFF333333u);  // the later fill on top
  EXPECT_EQ(PixelOf(&a, 6, 6), 0xFF333333u);
  EXPECT_EQ(PixelOf(&b, 2, 2), 0xFF222222u);
  EXPECT_EQ(PixelOf(&b, 1, 1), 0u);
  EXPECT_EQ(lpDevice->RenderTarget(), lpDTCon->lpRestRT->lpDT->lpSurface);
  DDReleaseSurface(&a);
  DDReleaseSurface(&b);
}

}  // namespace
