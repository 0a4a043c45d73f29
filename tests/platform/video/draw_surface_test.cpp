#include "platform/video/draw_surface.h"

#include <gtest/gtest.h>

#include "platform/video/display.h"
#include "platform/video/draw_device.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/video_settings.h"

namespace {

using platform::DrawDevice;
using platform::DrawSurface;
using platform::MemoryPool;
using platform::PixelRect;
using platform::VideoResult;

class DrawSurfaceTest : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    platform::ResetVideoSettings();
    platform::CurrentVideoSettings().desktopBitsPerPixel = GetParam();
    platform::PresentedFrames().Reset();
    ASSERT_EQ(DrawDevice::Create(device_), VideoResult::Ok);
    ASSERT_EQ(device_->SetCooperativeLevel(platform::CooperativeLevel::Normal), VideoResult::Ok);
  }
  void TearDown() override { platform::ResetVideoSettings(); }

  std::shared_ptr<DrawSurface> Make(int w, int h, MemoryPool pool = MemoryPool::SystemMemory) {
    std::shared_ptr<DrawSurface> s;
    EXPECT_EQ(device_->CreateSurface(w, h, pool, s), VideoResult::Ok);
    return s;
  }
  // A different value at every position, within the pixel width.
  static std::uint32_t Value(int x, int y) { return static_cast<std::uint32_t>(1 + x + 16 * y) * 0x010101u; }
  std::uint32_t Mask() const { return GetParam() == 32 ? 0xFFFFFFFFu : (1u << GetParam()) - 1; }
  void FillPattern(DrawSurface& s) {
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) s.Pixels().SetPixel(x, y, Value(x, y) & Mask());
  }

  std::unique_ptr<DrawDevice> device_;
};

TEST_P(DrawSurfaceTest, ColourFillCoversExactlyTheRectangle) {
  auto s = Make(8, 6);
  const PixelRect rect{2, 1, 5, 4};
  ASSERT_EQ(s->Blt(&rect, nullptr, nullptr, platform::kBltColorFill, 0x5A5A5A & Mask()), VideoResult::Ok);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
      EXPECT_EQ(s->Pixels().PixelAt(x, y), inside ? (0x5A5A5A & Mask()) : 0u) << x << "," << y;
    }
  }
  const PixelRect outside{6, 0, 9, 2};
  EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, platform::kBltColorFill, 1), VideoResult::InvalidRect);
}

TEST_P(DrawSurfaceTest, KeyedFastBlitLeavesKeyPixelsOut) {
  auto source = Make(4, 4);
  auto target = Make(8, 8);
  FillPattern(*source);
  const std::uint32_t key = Value(1, 2) & Mask();
  ASSERT_EQ(source->SetColorKey(key, key), VideoResult::Ok);
  target->Blt(nullptr, nullptr, nullptr, platform::kBltColorFill, 0x777777 & Mask());
  const PixelRect from{1, 1, 4, 4};
  ASSERT_EQ(target->BltFast(3, 2, *source, &from, platform::kBltFastSrcColorKey), VideoResult::Ok);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint32_t s = Value(1 + x, 1 + y) & Mask();
      EXPECT_EQ(target->Pixels().PixelAt(3 + x, 2 + y), s == key ? (0x777777 & Mask()) : s) << x << "," << y;
    }
  }
  EXPECT_EQ(target->Pixels().PixelAt(2, 2), 0x777777 & Mask());
  // Unkeyed, the key colour is copied too.
  ASSERT_EQ(target->BltFast(3, 2, *source, &from, 0), VideoResult::Ok);
  EXPECT_EQ(target->Pixels().PixelAt(3, 3), key);
  EXPECT_EQ(target->BltFast(6, 6, *source, &from, 0), VideoResult::InvalidRect);
}

TEST_P(DrawSurfaceTest, StretchingRepeatsOrSkipsByTheSamplingRule) {
  auto source = Make(4, 2);
  FillPattern(*source);
  auto target = Make(8, 4);
  ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, 0), VideoResult::Ok);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(target->Pixels().PixelAt(x, y), Value(x / 2, y / 2) & Mask());
  // 4 -> 3: centres at 0.67, 2.0, 3.33 of the source: columns 0, 2, 3.
  auto narrow = Make(3, 2);
  ASSERT_EQ(narrow->Blt(nullptr, source.get(), nullptr, 0), VideoResult::Ok);
  const int columns[3] = {0, 2, 3};
  for (int x = 0; x < 3; ++x) EXPECT_EQ(narrow->Pixels().PixelAt(x, 1), Value(columns[x], 1) & Mask());
}

TEST_P(DrawSurfaceTest, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
  auto s = Make(6, 6);
  FillPattern(*s);
  const PixelRect from{0, 0, 4, 4};
  ASSERT_EQ(s->BltFast(1, 1, *s, &from, 0), VideoResult::Ok);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(s->Pixels().PixelAt(1 + x, 1 + y), Value(x, y) & Mask()) << x << "," << y;
}

TEST_P(DrawSurfaceTest, LostSurfacesRefuseWorkUntilRestoredBlank) {
  auto s = Make(4, 4);
  FillPattern(*s);
  s->MarkLost();
  platform::LockedRect locked;
  EXPECT_EQ(s->Lock(locked), VideoResult::SurfaceLost);
  EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, platform::kBltColorFill, 1), VideoResult::SurfaceLost);
  auto other = Make(4, 4);
  EXPECT_EQ(other->BltFast(0, 0, *s, nullptr, 0), VideoResult::SurfaceLost);
  EXPECT_EQ(s->Restore(), VideoResult::Ok);
  EXPECT_EQ(s->Pixels().PixelAt(3, 3), 0u);
  EXPECT_EQ(s->Lock(locked), VideoResult::Ok);
  EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, platform::kBltColorFill, 1), VideoResult::SurfaceBusy);
  EXPECT_EQ(s->Unlock(), VideoResult::Ok);
}

INSTANTIATE_TEST_SUITE_P(Depths, DrawSurfaceTest, testing::Values(8, 16, 24, 32));

TEST(DrawDevice, VideoMemoryRunsOutAndSystemMemoryDoesNot) {
  platform::ResetVideoSettings();
  platform::CurrentVideoSettings().videoMemoryBytes = 64 * 64 * 4 + 100;
  std::unique_ptr<DrawDevice> device;
  ASSERT_EQ(DrawDevice::Create(device), VideoResult::Ok);
  std::shared_ptr<DrawSurface> a, b, c;
  EXPECT_EQ(device->CreateSurface(64, 64, MemoryPool::Default, a), VideoResult::Ok);
  EXPECT_EQ(device->CreateSurface(64, 64, MemoryPool::Default, b), VideoResult::OutOfVideoMemory);
  EXPECT_EQ(device->CreateSurface(64, 64, MemoryPool::SystemMemory, c), VideoResult::Ok);
  a.reset();
  EXPECT_EQ(device->CreateSurface(64, 64, MemoryPool::Default, b), VideoResult::Ok);
  EXPECT_EQ(device->LiveObjects(), 2);
  platform::ResetVideoSettings();
}

TEST(DrawDevice, FullScreenPrimaryFlipsThroughItsBuffersAndShowsEveryFrame) {
  platform::ResetVideoSettings();
  platform::PresentedFrames().Reset();
  std::unique_ptr<DrawDevice> device;
  ASSERT_EQ(DrawDevice::Create(device), VideoResult::Ok);
  ASSERT_EQ(device->SetCooperativeLevel(platform::CooperativeLevel::FullScreen), VideoResult::Ok);
  EXPECT_EQ(device->SetDisplayMode(320, 240, 8, 75), VideoResult::RefreshRateRefused);
  ASSERT_EQ(device->SetDisplayMode(320, 240, 8, 60), VideoResult::Ok);
  EXPECT_TRUE(platform::CurrentDisplayRequest().fullScreen);
  std::shared_ptr<DrawSurface> primary, back;
  ASSERT_EQ(device->CreatePrimary(2, primary), VideoResult::Ok);
  ASSERT_EQ(primary->GetAttachedBackBuffer(back), VideoResult::Ok);
  EXPECT_EQ(primary->Width(), 320);

  platform::PaletteEntry colors[256] = {};
  colors[7] = {10, 20, 30, 0};
  std::shared_ptr<platform::DrawPalette> palette;
  ASSERT_EQ(device->CreatePalette(colors, palette), VideoResult::Ok);
  ASSERT_EQ(primary->SetPalette(palette), VideoResult::Ok);
  back->Blt(nullptr, nullptr, nullptr, platform::kBltColorFill, 7);
  ASSERT_EQ(primary->Flip(), VideoResult::Ok);
  EXPECT_EQ(primary->Pixels().PixelAt(5, 5), 7u);
  platform::Frame frame;
  ASSERT_TRUE(platform::PresentedFrames().TakeNewest(frame));
  EXPECT_EQ(frame.At(5, 5), 0xFF0A141Eu);
  // Three buffers: three more flips bring the picture round again, and not fewer.
  primary->Flip();
  primary->Flip();
  EXPECT_EQ(primary->Pixels().PixelAt(5, 5), 0u);
  primary->Flip();
  EXPECT_EQ(primary->Pixels().PixelAt(5, 5), 7u);
  EXPECT_EQ(platform::PresentedFrames().PostedCount(), 4u);
  primary.reset();
  back.reset();
  palette.reset();
  device.reset();
  EXPECT_FALSE(platform::CurrentDisplayRequest().fullScreen);
}

TEST(DrawDevice, AClipperKeepsBlitsOnTheWindowedPrimaryInside) {
  platform::ResetVideoSettings();
  std::unique_ptr<DrawDevice> device;
  ASSERT_EQ(DrawDevice::Create(device), VideoResult::Ok);
  std::shared_ptr<DrawSurface> primary, source;
  ASSERT_EQ(device->CreatePrimary(0, primary), VideoResult::Ok);
  ASSERT_EQ(device->CreateSurface(100, 100, MemoryPool::SystemMemory, source), VideoResult::Ok);
  source->Blt(nullptr, nullptr, nullptr, platform::kBltColorFill, 0x112233);
  const PixelRect to{600, 440, 700, 540};
  EXPECT_EQ(primary->Blt(&to, source.get(), nullptr, 0), VideoResult::InvalidRect);
  std::shared_ptr<platform::Clipper> clipper;
  ASSERT_EQ(device->CreateClipper(clipper), VideoResult::Ok);
  ASSERT_EQ(primary->SetClipper(clipper), VideoResult::Ok);
  ASSERT_EQ(primary->Blt(&to, source.get(), nullptr, 0), VideoResult::Ok);
  EXPECT_EQ(primary->Pixels().PixelAt(639, 479), 0x112233u);
  EXPECT_EQ(primary->Pixels().PixelAt(599, 479), 0u);
}

}  // namespace
