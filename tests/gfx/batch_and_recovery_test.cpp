#include <atomic>
#include <thread>

#include "core/subsystem_links.h"
#include "core/timing.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_present.h"
#include "gfx/dd_surface.h"
#include "gfx/drawing_link.h"
#include "gfx/pixel_draw.h"
#include "gfx/fill_batch.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx/surface_reload.h"
#include "gfx_test_support.h"
#include "platform/clock.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/presenter.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

const Mode kDirect3DModes[] = {{"D3D32", 1, 32, 1}, {"D3D16", 1, 16, 0}};
const Mode kDirectDrawModes[] = {{"DD8", 0, 8, 0}, {"DD16", 0, 16, 1}, {"DD32", 0, 32, 1}};

class Drawing : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
  }
  void TearDown() override {
    DDTableRecords = nullptr;
    DDTableCount = 0;
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    LibraryTest::TearDown();
  }
  DDSURFACEDATA* Record(int w, int h, int keyed = 1, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, keyed, 0, memoryType, 0, 0));
    return &r;
  }
  DDSURFACEDATA* Painted(int n) {
    DDSURFACEDATA* r = Record(4, 4);
    DDFillRect(r, 0, 0, 4, 4, static_cast<DWORD>(n));
    return r;
  }
  DWORD Shown(int n) {
    DDFillRect(&SDBackBuffer, 639, 479, 1, 1, static_cast<DWORD>(n));
    return PixelOf(&SDBackBuffer, 639, 479);
  }
  DDSurfaceVector records_;
};

using Direct3DDrawing = Drawing;
using DirectDrawDrawing = Drawing;

TEST_P(Direct3DDrawing, LayerModeDrawsUnregisteredFirstThenLayersInRegistrationOrder) {
  DDSURFACEDATA* a = Painted(21);
  DDSURFACEDATA* b = Painted(22);
  DDSURFACEDATA* loose = Painted(23);
  struct Case {
    int mode;
    int top;
  };
  // Sprites queued B, A, unregistered at one spot: the last drawn is on top.
  for (const Case& c : {Case{1, 22}, Case{0, 23}}) {
    DDBeginBatch(c.mode);
    DDBatchAddLayer(a);
    DDBatchAddLayer(b);
    DDBatchAddLayer(a);  // registering again keeps the first key base
    DDBlt(&SDBackBuffer, 10, 10, 4, 4, b, 0, 0, 0);
    DDBlt(&SDBackBuffer, 10, 10, 4, 4, a, 0, 0, 0);
    DDBlt(&SDBackBuffer, 10, 10, 4, 4, loose, 0, 0, 0);
    EXPECT_EQ(DDSpriteBatch.Queue.size(), 3u);
    DDFlushBatch();
    EXPECT_EQ(DDSpriteBatch.bOpen, 0);
    EXPECT_EQ(PixelOf(&SDBackBuffer, 11, 11), Shown(c.top)) << "mode " << c.mode;
  }
}

int CountLines(const std::string& log, const std::string& line) {
  int count = 0;
  for (std::size_t at = log.find(line + "\n"); at != std::string::npos; at = log.find(line + "\n", at + 1)) ++count;
  return count;
}

TEST_P(Direct3DDrawing, FillsForTargetsABAMakeThreeRunsThatLandInOrder) {
  DDSURFACEDATA* a = Record(8, 8, 0);
  DDSURFACEDATA* b = Record(8, 8, 0);
  // Without vertex buffers every run fails once on its own: one line per run.
  platform::CurrentVideoSettings().Fail(platform::RenderFault::VertexBuffer);
  DDBeginFillBatch();
  DDFillRectRGB(a, 0, 0, 8, 8, 0xFF102030);
  DDFillRectRGB(b, 0, 0, 8, 8, 0xFF405060);
  DDFillRectRGB(a, 0, 0, 4, 4, 0xFF708090);
  DDFlushFillBatch();
  EXPECT_EQ(CountLines(ReportLog(), "CreateVertexBuffer Err"), 3);
  platform::CurrentVideoSettings().Fail(platform::RenderFault::VertexBuffer, false);
  DDBeginFillBatch();
  DDFillRectRGB(a, 0, 0, 8, 8, 0xFF102030);
  DDFillRectRGB(b, 0, 0, 8, 8, 0xFF405060);
  DDFillRectRGB(a, 0, 0, 4, 4, 0xFF708090);
  const DWORD queued = PixelOf(a, 1, 1);
  DDFlushFillBatch();
  EXPECT_NE(PixelOf(a, 1, 1), queued);
  EXPECT_NE(PixelOf(a, 1, 1), PixelOf(a, 6, 6)) << "the second fill of A lies over the first";
  EXPECT_NE(PixelOf(b, 1, 1), PixelOf(a, 6, 6));
}

TEST_P(Direct3DDrawing, SoftwareKeyedCopyTestsTheDepthsTransparencyBits) {
  DDSURFACEDATA* source = Record(2, 1, 1, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* target = Record(2, 1, 0, DTMEMORYTYPE_SYSTEM);
  // 16 bits: bits 15 and 13 both clear is transparent, bit 13 alone is not.
  // 32 bits: an alpha byte of 0 is transparent.
  const bool wide = DDBpp == 32;
  const DWORD shown = wide ? 0x01000000u : 0x2000u;
  const DWORD hidden = wide ? 0x00FFFFFFu : 0x5FFFu;
  const DWORD old = wide ? 0xFF123456u : 0x9234u;
  auto put = [](DDSURFACEDATA* r, DWORD p0, DWORD p1) {
    cSurfaceLock lock(r);
    ASSERT_NE(lock.m_lpBits, nullptr);
    std::memcpy(lock.m_lpBits, &p0, static_cast<std::size_t>(lock.m_nBytes));
    std::memcpy(lock.m_lpBits + lock.m_nBytes, &p1, static_cast<std::size_t>(lock.m_nBytes));
  };
  put(source, shown, hidden);
  put(target, old, old);
  DDBlt(target, 0, 0, 2, 1, source, 0, 0, 1);
  EXPECT_EQ(PixelOf(target, 0, 0), shown);
  EXPECT_EQ(PixelOf(target, 1, 0), old);
}

TEST_P(Direct3DDrawing, BeginningAgainDropsQueuedSpritesAndSoftwareTargetsAreNeverQueued) {
  DDSURFACEDATA* a = Painted(21);
  DDSURFACEDATA* plain = Record(8, 8, 0, DTMEMORYTYPE_SYSTEM);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  DDFillRect(plain, 0, 0, 8, 8, 1);
  DDBeginBatch(0);
  DDBlt(&SDBackBuffer, 0, 0, 4, 4, a, 0, 0, 0);
  DDBeginBatch(0);
  DDBlt(plain, 0, 0, 4, 4, a, 0, 0, 0);
  EXPECT_TRUE(DDSpriteBatch.Queue.empty());
  EXPECT_EQ(PixelOf(plain, 1, 1), PixelOf(a, 1, 1));
  DDFlushBatch();
  EXPECT_EQ(PixelOf(&SDBackBuffer, 1, 1), Shown(1));
}

TEST_P(Direct3DDrawing, SoftwarePathCopiesAMirroredSourceRightToLeftAndSkipsWhatLiesOutside) {
  DDSURFACEDATA* strip = Record(4, 1, 0, DTMEMORYTYPE_SYSTEM);
  for (int i = 0; i < 4; ++i) DDFillRect(strip, i, 0, 1, 1, static_cast<DWORD>(30 + i));
  DDSURFACEDATA* target = Record(6, 1, 0, DTMEMORYTYPE_SYSTEM);
  DDFillRect(target, 0, 0, 6, 1, 1);
  DDBltStretch(target, 2, 0, 4, 1, strip, 4, 0, -4, 1, 0);
  DDSURFACEDATA* reference = Record(1, 1, 0, DTMEMORYTYPE_SYSTEM);
  auto palette = [&](int n) {
    DDFillRect(reference, 0, 0, 1, 1, static_cast<DWORD>(n));
    return PixelOf(reference, 0, 0);
  };
  EXPECT_EQ(PixelOf(target, 1, 0), palette(1));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(target, 2 + i, 0), palette(33 - i)) << i;
  // Reaching past the target's right edge: what lies outside is skipped, the rest copied.
  DDBlt(target, 4, 0, 4, 1, strip, 0, 0, 0);
  EXPECT_EQ(PixelOf(target, 4, 0), palette(30));
  EXPECT_EQ(PixelOf(target, 5, 0), palette(31));
}

TEST_P(Direct3DDrawing, VirtualBackBufferSwitchedOffMidFrameMovesTheHalfFrame) {
  DDSURFACEDATA* red = Painted(50);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  const DWORD before = PixelOf(&SDBackBuffer, 20, 20);
  DDSetVirtualBackBuffer(1);
  DDBlt(&SDBackBuffer, 20, 20, 4, 4, red, 0, 0, 0);
  const platform::PixelBuffer& device = SDBackBuffer.lpDT->lpSurface->Pixels();
  EXPECT_EQ(device.PixelAt(20, 20), before) << "drawn into the virtual back buffer only";
  DDSetVirtualBackBuffer(0);
  EXPECT_EQ(lpDTCon->lpRestRT, &SDVirBackBuffer);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 21, 21), Shown(50));
}

TEST_P(Direct3DDrawing, FlipWithTheVirtualBackBufferOnShowsItsFrame) {
  DDSURFACEDATA* red = Painted(50);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  const DWORD shown = Shown(50);
  DDSetVirtualBackBuffer(1);
  DDBlt(&SDBackBuffer, 20, 20, 4, 4, red, 0, 0, 0);
  ASSERT_EQ(DDFlip(0, 0, 0), 1);
  DDSetVirtualBackBuffer(0);
  platform::CapturePresenter capture;
  ASSERT_TRUE(platform::PresentNewestFrame(capture));
  const platform::PixelFormat format = SDBackBuffer.lpDT->lpSurface->Format();
  EXPECT_EQ(capture.LastFrame().At(21, 21) & 0xFFFFFF, platform::UnpackArgb(shown, format) & 0xFFFFFF);
}

// Time that passes only while the caller sleeps.
class SleepClock : public platform::ClockSource {
 public:
  std::uint32_t NowMs() override { return now; }
  void Sleep(std::uint32_t ms) override { now += ms; }
  std::uint32_t now = 1000;
};

TEST_P(Direct3DDrawing, FlipWithoutVsyncWaitsForTheFrameLimiter) {
  SleepClock clock;
  platform::SetClockSource(&clock);
  ResetTiming();
  SetFpsLimiterActive(true);
  EXPECT_EQ(DDFlip(50, 0, 0), 1);
  EXPECT_EQ(clock.now, 1000u);
  EXPECT_EQ(DDFlip(50, 0, 0), 1);
  EXPECT_EQ(clock.now, 1020u) << "the second of 50 frames a second shows 20 ms after the first";
  ResetTiming();
  platform::SetClockSource(nullptr);
}

// Whatever the display does, the game runs at its frame rate: a second of the program's time
// holds 60 frames with vertical sync on and off.
TEST_P(Direct3DDrawing, FlipPacesSixtyFramesASecondWithAndWithoutVsync) {
  const int savedVSync = DDVSync;
  for (int vsync : {0, 1}) {
    SleepClock clock;
    platform::SetClockSource(&clock);
    ResetTiming();
    SetFpsLimiterActive(true);
    DDVSync = vsync;
    int frames = 0;  // shown within the second from 1000 ms; an unpaced flip stops at 200
    while (frames < 200) {
      ASSERT_EQ(DDFlip(60, 0, 0), 1);
      if (clock.now >= 2000) break;
      ++frames;
    }
    EXPECT_NEAR(frames, 60, 1) << "vsync " << vsync;  // the limiter restarts its group on the 60th
  }
  DDVSync = savedVSync;
  ResetTiming();
  platform::SetClockSource(nullptr);
}

// A display that waits for its blank shows each frame before the next one is drawn.
TEST_P(Direct3DDrawing, WithAPacingDisplayAFlipReturnsOnceItsFrameIsShown) {
  const int savedVSync = DDVSync;
  DDVSync = 1;
  platform::FrameMailbox& frames = platform::PresentedFrames();
  frames.SetDisplayPaced(true);
  std::atomic<bool> stop{false};
  std::atomic<std::uint64_t> shownBeforeReturn{0};
  std::thread display([&] {
    platform::Frame frame;
    while (!stop) {
      if (frames.TakeNewest(frame)) frames.MarkShown(frame.serial);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(DDFlip(60, 0, 0), 1);
    EXPECT_TRUE(frames.WaitShown(frames.PostedCount(), 0)) << "frame " << i << " returned before it was shown";
  }
  // A display that stops pacing lets the waiting flip go at once.
  frames.SetDisplayPaced(false);
  EXPECT_FALSE(frames.WaitShown(frames.PostedCount() + 1, 5000));
  stop = true;
  display.join();
  DDVSync = savedVSync;
}

TEST_P(Direct3DDrawing, FrameStepPresentsThroughFlipAndRecoversAfterALoss) {
  DDInstallDrawingLink();
  EXPECT_TRUE(DrawingLink().PacesFrames());
  lpDevice->MarkLost();
  EXPECT_FALSE(DrawingLink().Present());
  lpDevice->AllowReset();
  DDRestoreSurface();
  EXPECT_TRUE(Has(ErrorLog(), "Restore Out"));
  EXPECT_TRUE(DrawingLink().Present());
  DDRemoveDrawingLink();
}

TEST_P(Direct3DDrawing, ApplicationBoxesGoThroughTheLibraryOnlyInFullScreen) {
  DDConnectBoxPresenter();
  ASSERT_EQ(DDBeginScene(), 1);
  AppMessageBox("text", "caption", BoxButtons::Ok);
  // Full screen the box needs the dialog-box mode, which closes the scene first.
  EXPECT_EQ(lpDTCon->bInScene, DDWindowed ? 1 : 0);
  EXPECT_EQ(boxes_.size(), 1u);
  SetFullScreenBoxPresenter(nullptr);
}

TEST_P(Direct3DDrawing, RenderTargetLockWritesBackOnRelease) {
  DDSURFACEDATA* target = Record(8, 8, 0);
  DDFillRect(target, 0, 0, 8, 8, 1);
  DWORD written = 0;
  {
    cSurfaceLock lock(target);
    ASSERT_NE(lock.m_lpBits, nullptr);
    written = 0x7C1F;  // a value of either texture depth that no fill above made
    std::memcpy(lock.m_lpBits, &written, static_cast<std::size_t>(lock.m_nBytes));
    EXPECT_NE(target->lpDT->lpSurface->Pixels().PixelAt(0, 0), written) << "only the shadow holds it";
  }
  EXPECT_EQ(target->lpDT->lpSurface->Pixels().PixelAt(0, 0), written);
}

TEST_P(Direct3DDrawing, LostDeviceIsRecoveredWithFilesReloadedSystemTexturesKeptAndTargetsMarked) {
  testsupport::BmpPicture picture;
  picture.width = 4;
  picture.height = 4;
  picture.pixels.assign(16, 0x123456);
  WriteFile("bmp/Tile.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA& file = records_.emplace_back();
  ASSERT_EQ(DDCreateSurfaceFromFile(&file, "bmp\\Tile.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  DDSURFACEDATA* kept = Record(4, 4, 0, DTMEMORYTYPE_SYSTEM);
  DDFillRect(kept, 0, 0, 4, 4, 60);
  DDSURFACEDATA* target = Record(4, 4, 0);
  const DWORD filePixel = PixelOf(&file, 1, 1), keptPixel = PixelOf(kept, 1, 1);
  DDBlt(&SDBackBuffer, 0, 0, 4, 4, kept, 0, 0, 0);
  const DWORD drawnBefore = PixelOf(&SDBackBuffer, 1, 1);

  lpDevice->MarkLost();
  EXPECT_EQ(DDFlip(60, 0, 0), 0);
  EXPECT_EQ(DDRestoreSurface(), 0);
  EXPECT_TRUE(Has(ErrorLog(), "復旧失敗…リセット可能な状態ではありません…"));
  lpDevice->AllowReset();
  ASSERT_EQ(DDRestoreSurface(), 1);
  EXPECT_TRUE(Has(ErrorLog(), "Restore Out"));
  EXPECT_EQ(PixelOf(&file, 1, 1), filePixel);
  EXPECT_EQ(PixelOf(kept, 1, 1), keptPixel);
  EXPECT_EQ(target->bLost, 1);
  EXPECT_EQ(file.bLost, 0);
  DDBlt(&SDBackBuffer, 10, 10, 4, 4, kept, 0, 0, 0);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 11, 11), drawnBefore);
  EXPECT_EQ(DDFlip(60, 0, 0), 1);
}

TEST_P(DirectDrawDrawing, LostSurfacesAreRestoredReloadedAndThePaletteSetFromTheShownOne) {
  testsupport::BmpPicture picture;
  picture.width = 4;
  picture.height = 4;
  picture.bits = 8;
  for (int n = 0; n < 256; ++n) picture.colors.push_back(gfxtest::PaletteColor(n));
  picture.pixels.assign(16, 77);
  WriteFile("bmp/Tile.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA table[2];
  ASSERT_EQ(DDCreateSurfaceFromFile(&table[0], "bmp\\Tile.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_TRUE(DDCreateSurface(&table[1], 4, 4, 0, 0, 0, 0, 0));
  DDTableRecords = table;
  DDTableCount = 2;
  const DWORD tilePixel = PixelOf(&table[0], 2, 2);
  DDPaletteSaved[5] = PALETTEENTRY{1, 2, 3, 0};

  SDPrimary.lpDDraw->lpSurface->MarkLost();
  table[0].lpDDraw->lpSurface->MarkLost();
  table[1].lpDDraw->lpSurface->MarkLost();
  EXPECT_TRUE(DDRestore());
  EXPECT_FALSE(SDPrimary.lpDDraw->lpSurface->IsLost());
  EXPECT_EQ(PixelOf(&table[0], 2, 2), tilePixel);
  EXPECT_EQ(table[0].bLost, 0);
  EXPECT_EQ(table[1].bLost, 1);
  if (DDBpp == 8) {
    const platform::PaletteEntry& e = lpDDPalette->Entry(5);
    EXPECT_EQ((std::array<int, 3>{e.red, e.green, e.blue}), (std::array<int, 3>{1, 2, 3}));
  }
  for (DDSURFACEDATA& r : table) DDReleaseSurface(&r);
}

TEST_P(Direct3DDrawing, AliasWithMirrorCellsDrawsItsSourcesCellsMirrored) {
  testsupport::BmpPicture picture;
  picture.width = 64;
  picture.height = 8;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 64; ++x) picture.pixels.push_back(static_cast<std::uint32_t>(x * 4) << 16 | 0x0000FF);
  WriteFile("bmp/Cells.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA& plain = records_.emplace_back();
  DDSURFACEDATA& flipped = records_.emplace_back();
  ASSERT_EQ(DDCreateSurfaceFromFile(&plain, "bmp\\Cells.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&flipped, "bmp\\Cells.bmp", 0, DDBpp, 0, 0, 0, 0, 32, 0, 0), 0);
  DDSURFACEDATA alias;
  alias.lpAliasSrc = &plain;
  alias.nWidth = 64;
  alias.nHeight = 8;
  alias.nMirrorWidth = 32;
  // A whole cell and a part of one, each against the cells mirrored at load.
  DDBlt(&SDBackBuffer, 0, 0, 32, 8, &alias, 32, 0, 0);
  DDBlt(&SDBackBuffer, 0, 10, 32, 8, &flipped, 32, 0, 0);
  DDBlt(&SDBackBuffer, 100, 0, 10, 8, &alias, 36, 0, 0);
  DDBlt(&SDBackBuffer, 100, 10, 10, 8, &flipped, 36, 0, 0);
  for (int x : {0, 1, 17, 31, 100, 105, 109})
    EXPECT_EQ(PixelOf(&SDBackBuffer, x, 3), PixelOf(&SDBackBuffer, x, 13)) << x;
  EXPECT_NE(PixelOf(&SDBackBuffer, 0, 3), PixelOf(&SDBackBuffer, 31, 3));
}

TEST_P(Direct3DDrawing, DirectDrawLockIsRefusedPolitely) {
  DDSURFACEDESC2 desc;
  BYTE* bits = reinterpret_cast<BYTE*>(&desc);
  EXPECT_TRUE(DDLock(&SDBackBuffer, &desc, &bits, DDBpp));
  EXPECT_EQ(bits, nullptr);
  EXPECT_TRUE(Has(ErrorLog(), "D3DではDDLockは未対応"));
}

TEST_P(DirectDrawDrawing, LockGivesTheSurfacesPixels) {
  DDSURFACEDATA* r = Record(8, 4, 0);
  DDFillRect(r, 0, 0, 8, 4, 9);
  DDSURFACEDESC2 desc;
  BYTE* bits = nullptr;
  ASSERT_TRUE(DDLock(r, &desc, &bits, DDBpp));
  EXPECT_EQ(desc.dwSize, 124u);
  EXPECT_EQ(desc.dwWidth, 8u);
  ASSERT_NE(bits, nullptr);
  DWORD first = 0;
  std::memcpy(&first, bits, static_cast<std::size_t>(DDBpp / 8));
  DDUnlock(r);
  EXPECT_EQ(first, PixelOf(r, 7, 3));
  EXPECT_EQ(first, PalNumToRGB(9));
}

TEST_P(DirectDrawDrawing, BitmapSizeProbeTellsTooLargeAndMissing) {
  testsupport::BmpPicture picture;
  picture.width = 40;
  picture.height = 10;
  picture.pixels.assign(400, 0);
  WriteFile("bmp/Big.bmp", testsupport::MakeBmp(picture));
  int flag = 7;
  EXPECT_EQ(DDBitmapTooLarge(&flag, "bmp\\Big.bmp", 32, 32), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(DDBitmapTooLarge(&flag, "bmp\\Big.bmp", 40, 10), 1);
  EXPECT_EQ(flag, 0);
  flag = 7;
  EXPECT_EQ(DDBitmapTooLarge(&flag, "bmp\\Missing.bmp", 40, 10), 0);
  EXPECT_EQ(flag, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, Direct3DDrawing, testing::ValuesIn(kDirect3DModes), gfxtest::PrintMode);
INSTANTIATE_TEST_SUITE_P(Modes, DirectDrawDrawing, testing::ValuesIn(kDirectDrawModes), gfxtest::PrintMode);

}  // namespace
