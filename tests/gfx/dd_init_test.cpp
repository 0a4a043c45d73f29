#include "gfx/dd_init.h"

#include "gfx/dd_startup.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"
#include "platform/video/display.h"

namespace {

using gfxtest::Mode;
using platform::PixelFormat;

class DDInitModes : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {};

DDPixelLayout Layout(std::int32_t rs, std::int32_t gs, std::int32_t bs, std::int32_t as, std::int32_t rm,
                     std::int32_t gm, std::int32_t bm, std::int32_t am) {
  return DDPixelLayout{rs, gs, bs, as, rm, gm, bm, am};
}

TEST_P(DDInitModes, InitialisesOneBackendWithItsRecordsAndReleasesItTwiceHarmlessly) {
  const Mode mode = GetParam();
  ASSERT_TRUE(Init(mode));
  EXPECT_EQ(lpDTCon != nullptr, mode.backend == 1);
  EXPECT_EQ(DDCtx != nullptr, mode.backend == 0);
  EXPECT_EQ(DDInitialised, 1);
  EXPECT_EQ(DDBytesPerPixel, mode.bpp / 8);
  EXPECT_TRUE(Has(ReportLog(), "VSync : 0"));
  if (mode.backend == 1) {
    EXPECT_TRUE(Has(ReportLog(), "Device HAL-HARD"));
    EXPECT_STREQ(SDBackBuffer.szSurfaceType, "BackBuffer");
    EXPECT_STREQ(SDVirBackBuffer.szSurfaceType, "VirBackBuffer");
    EXPECT_STREQ(SDWorkSD.szSurfaceType, "WorkSD");
    EXPECT_EQ(SDBackBuffer.lpDT->nTextureId, 0);
    EXPECT_EQ(SDVirBackBuffer.lpDT->nTextureId, 1);
    EXPECT_EQ(SDWorkSD.lpDT->nTextureId, 2);
    // The resting render target is current, and the draw state is the default one.
    EXPECT_EQ(lpDTCon->lpRestRT, &SDVirBackBuffer);
    EXPECT_EQ(lpDevice->RenderTarget(), SDVirBackBuffer.lpDT->lpSurface);
    EXPECT_EQ(lpDTCon->nAlphaOp, D3DTOP_SELECTARG1);
    EXPECT_EQ(lpDTCon->nColorOp, D3DTOP_MODULATE);
    EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);
    if (mode.bpp == 32) {
      EXPECT_TRUE(Has(ReportLog(), "X8R8G8B8"));
      EXPECT_EQ(DDPixelFormat, Layout(16, 8, 0, 24, 255, 255, 255, 255));
      EXPECT_EQ(SDVirBackBuffer.lpDT->lpSurface->Format(), PixelFormat::Argb8888);
    } else {
      EXPECT_TRUE(Has(ReportLog(), "R5G6B5"));
      EXPECT_EQ(DDPixelFormat, Layout(10, 5, 0, 15, 31, 31, 31, 1));
      EXPECT_EQ(DDBackPixelFormat, Layout(11, 5, 0, 16, 31, 63, 31, 0));
      EXPECT_EQ(SDBackBuffer.lpDT->lpSurface->Format(), PixelFormat::Rgb565);
    }
  } else {
    platform::PixelFormat expected;
    ASSERT_TRUE(platform::SurfaceFormatForDepth(mode.bpp, expected));
    for (DDSURFACEDATA* sd : {&SDPrimary, &SDBackBuffer, &SDWork}) {
      ASSERT_NE(sd->lpDDraw, nullptr);
      EXPECT_EQ(sd->lpDDraw->lpSurface->Format(), expected);
      EXPECT_EQ(sd->nWidth, 640);
    }
    EXPECT_EQ(SDWork.nDDMemory, 1);
    ASSERT_NE(lpDDPalette, nullptr);
    EXPECT_EQ(SDPrimary.lpDDraw->lpSurface->AttachedPalette() != nullptr, mode.bpp == 8);
    if (mode.bpp == 16) {
      EXPECT_EQ(DDPixelFormat, Layout(11, 5, 0, 0, 31, 63, 31, 0));
    } else if (mode.bpp == 32) {
      EXPECT_EQ(DDPixelFormat, Layout(16, 8, 0, 0, 255, 255, 255, 0));
    }
  }

  DDUnInit();
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_EQ(DDCtx, nullptr);
  EXPECT_EQ(lpDD, nullptr);
  EXPECT_EQ(lpDevice, nullptr);
  EXPECT_EQ(SDBackBuffer.lpDT, nullptr);
  EXPECT_EQ(SDBackBuffer.lpDDraw, nullptr);
  EXPECT_EQ(SDBackBuffer.nWidth, 640);  // records keep their sizes
  EXPECT_TRUE(SurfaceList.empty());
  DDUnInit();
  EXPECT_EQ(DDCtx, nullptr);
  EXPECT_TRUE(boxes_.empty()) << boxes_.front();
}

INSTANTIATE_TEST_SUITE_P(Modes, DDInitModes, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

class DDStartUp : public gfxtest::LibraryTest {};

TEST_F(DDStartUp, AFailingDirect3DFallsBackToDirectDrawWithOneContextLive) {
  struct Case {
    const char* what;
    platform::RenderFault fault;
    int bpp;
    const char* line;  // in the error log
  };
  const Case cases[] = {
      {"no device", platform::RenderFault::HardwareDevice, 32, "CreateDevice Err"},
      {"no device system", platform::RenderFault::CreateSystem, 32, ""},
      {"no 24-bit Direct3D", platform::RenderFault::kCount, 24, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::ResetVideoSettings();
    if (c.fault == platform::RenderFault::HardwareDevice) {
      platform::CurrentVideoSettings().Fail(platform::RenderFault::HardwareDevice);
      platform::CurrentVideoSettings().Fail(platform::RenderFault::SoftwareDevice);
    } else if (c.fault != platform::RenderFault::kCount) {
      platform::CurrentVideoSettings().Fail(c.fault);
    }
    DDStartRequest request;
    request.nBpp = c.bpp;
    int shown = 0;
    ASSERT_TRUE(DDStartBackend(request, [&] { ++shown; }));
    EXPECT_EQ(request.nBackend, 0);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_NE(DDCtx, nullptr);
    EXPECT_EQ(lpDevice, nullptr);
    EXPECT_EQ(lpD3D, nullptr);
    EXPECT_NE(lpDD, nullptr);
    if (c.line[0] != '\0') {
      EXPECT_TRUE(Has(ErrorLog(), c.line));
    }
    DDUnInit();
  }
  EXPECT_TRUE(Has(ReportLog(), "Device HAL-SOFT"));
  EXPECT_FALSE(Has(ErrorLog(), "DDInit失敗"));
}

TEST_F(DDStartUp, WhenDirectDrawFailsTooTheStartReportsIt) {
  platform::CurrentVideoSettings().Fail(platform::RenderFault::CreateSystem);
  platform::CurrentVideoSettings().Fail(platform::DrawFault::CreateObject);
  DDStartRequest request;
  EXPECT_FALSE(DDStartBackend(request, nullptr));
  EXPECT_TRUE(Has(ErrorLog(), "DDInit失敗"));
  EXPECT_TRUE(Has(ErrorLog(), "CREATEEX_ERR"));
  DDUnInit();
  EXPECT_EQ(DDCtx, nullptr);
  EXPECT_EQ(lpDTCon, nullptr);
}

TEST_F(DDStartUp, EachDirectDrawSetUpStepFailsWithItsCodeAndLeavesNothingBehind) {
  struct Case {
    platform::DrawFault fault;
    int windowed;
    const char* report;
    const char* code;
  };
  const Case cases[] = {
      {platform::DrawFault::CreateObject, 0, "DirectDrawCreateEx Err", "CREATEEX_ERR"},
      {platform::DrawFault::CooperativeLevel, 1, "SetCooperativeLevel Err", "SETCOOPLEVEL_ERR"},
      {platform::DrawFault::DisplayMode, 0, "SetDisplayMode Err", "SETDISPLAYMODE_ERR"},
      {platform::DrawFault::CreatePrimary, 1, "Primary CreateSurface Err", "CREATESURFACE_ERR"},
      {platform::DrawFault::AttachedSurface, 0, "GetAttachedSurface Err", "GETATTACHEDSURFACE_ERR"},
      {platform::DrawFault::CreatePalette, 0, "CreatePalette Err", "CREATEPALETTE_ERR"},
      {platform::DrawFault::AttachPalette, 0, "SetPalette Err", "SETPALETTE_ERR"},
      {platform::DrawFault::CreateClipper, 1, "CreateClipper Err", "CLIPPER_ERR"},
      {platform::DrawFault::ClipperWindow, 1, "SetHWnd Err", "SETHWND_ERR"},
      {platform::DrawFault::AttachClipper, 1, "SetClipper Err", "SETCLIPPER_ERR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    platform::ResetVideoSettings();
    platform::CurrentVideoSettings().desktopBitsPerPixel = 8;
    platform::CurrentVideoSettings().Fail(c.fault);
    EXPECT_FALSE(DDInit(0, nullptr, 640, 480, 8, 0, c.windowed, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_TRUE(Has(ReportLog(), c.report));
    EXPECT_TRUE(Has(ErrorLog(), c.code));
    DDUnInit();
    EXPECT_EQ(DDCtx, nullptr);
    EXPECT_EQ(lpDD, nullptr);
  }
  EXPECT_TRUE(boxes_.empty()) << boxes_.front();
}

TEST_F(DDStartUp, TheRefreshRateIsNeverChangedOnlyRead) {
  platform::CurrentVideoSettings().refreshRateHz = 75;
  // Full-screen DirectDraw asking for 60 Hz retries with the display's own rate.
  ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 16, 1, 0, 2, 60, 1, nullptr, nullptr, 0));
  EXPECT_TRUE(platform::CurrentDisplayRequest().fullScreen);
  DDUnInit();
  EXPECT_FALSE(platform::CurrentDisplayRequest().fullScreen);

  // A windowed Direct3D screen with vsync on a 75 Hz display runs without vsync.
  ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 1, nullptr, nullptr, 0));
  EXPECT_EQ(DDVSync, 0);
  EXPECT_FALSE(lpDTCon->PresentParams.vsync);
  const std::string log = ReportLog();
  EXPECT_TRUE(Has(log, "ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL"));
  EXPECT_TRUE(Has(log, "RefreshRate : 75"));
  EXPECT_TRUE(Has(log, "リフレッシュレートの変更に失敗しました！垂直同期が無効になります！"));
}

TEST_F(DDStartUp, ASurfaceStillHeldAtReleaseIsReported) {
  ASSERT_TRUE(Init(gfxtest::kModes[4]));
  DDSURFACEDATA forgotten;
  ASSERT_TRUE(DDCreateSurface(&forgotten, 8, 8, 0, 1, 0, 0, 0));
  DDUnInit();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "[DirectDraw] 解放漏れがあります");
  DDReleaseSurface(&forgotten);  // released after its device: harmless
}

TEST_F(DDStartUp, SetUpErrorTextsAreOnlyForSetUpCodes) {
  EXPECT_TRUE(DDErrorText(0));
  EXPECT_TRUE(DDErrorText(8));
  EXPECT_TRUE(DDErrorText(13));
  EXPECT_FALSE(DDErrorText(12));
  EXPECT_TRUE(Has(ErrorLog(), "SETCLIPPER_ERR"));
}

}  // namespace
