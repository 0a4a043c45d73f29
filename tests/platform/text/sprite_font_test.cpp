#include "platform/text/sprite_font.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/video/frame_mailbox.h"
#include "platform/video/video_settings.h"

namespace {

using platform::PixelFormat;
using platform::PixelRect;
using platform::VideoResult;

// The device's font on a small back buffer, beside the GDI font of the same face.
class SpriteFontTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::ResetVideoSettings();
    platform::PresentedFrames().Reset();
    platform::PresentParams params;
    params.backBufferWidth = 64;
    params.backBufferHeight = 24;
    params.backBufferFormat = PixelFormat::Xrgb8888;
    ASSERT_EQ(platform::RenderSystem::Create()->CreateDevice(true, params, device_), VideoResult::Ok);
    device_->SetBlendState({true, platform::BlendFactor::SrcAlpha, platform::BlendFactor::InvSrcAlpha});
    ASSERT_EQ(device_->GetBackBuffer(back_), VideoResult::Ok);
    ASSERT_EQ(device_->CreateSprite(sprite_), VideoResult::Ok);
    font_ = platform::SpriteFont::Create(device_.get(), "ＭＳ ゴシック", 16, 0);
    ASSERT_TRUE(font_->HasFace());
  }
  void TearDown() override {
    font_.reset();
    sprite_.reset();
    back_.reset();
    device_.reset();
    platform::ResetVideoSettings();
  }
  void Draw(const char* text, PixelRect rect, unsigned format) {
    back_->Pixels().Clear();
    ASSERT_EQ(device_->BeginScene(), VideoResult::Ok);
    ASSERT_EQ(sprite_->Begin(platform::kSpriteAlphaBlend), VideoResult::Ok);
    font_->DrawText(sprite_.get(), text, -1, &rect, format, 0xFF336699);
    ASSERT_EQ(sprite_->End(), VideoResult::Ok);
    ASSERT_EQ(device_->EndScene(), VideoResult::Ok);
  }
  // The same text through the GDI font on pixels of the back buffer's format.
  platform::PixelBuffer ThroughContext(const char* text, int x, int y) {
    platform::PixelBuffer pixels;
    EXPECT_TRUE(pixels.Allocate(64, 24, PixelFormat::Xrgb8888));
    platform::DeviceContext dc{&pixels, nullptr, 0x336699, true};
    font_->Font().TextOut(dc, x, y, text, static_cast<int>(std::strlen(text)));
    return pixels;
  }
  static int Differences(const platform::PixelBuffer& a, const platform::PixelBuffer& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += (a.PixelAt(x, y) & 0xFFFFFF) != (b.PixelAt(x, y) & 0xFFFFFF) ? 1 : 0;
    return n;
  }
  static int Ink(const platform::PixelBuffer& a) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += (a.PixelAt(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
    return n;
  }

  std::unique_ptr<platform::RenderDevice> device_;
  std::shared_ptr<platform::RenderSurface> back_;
  std::unique_ptr<platform::Sprite> sprite_;
  std::unique_ptr<platform::SpriteFont> font_;
};

TEST_F(SpriteFontTest, DrawsTheSamePixelsAsTheContextFont) {
  Draw("漢Ag", {3, 2, 3, 2}, platform::kTextNoClip);
  EXPECT_GT(Ink(back_->Pixels()), 40);
  EXPECT_EQ(Differences(back_->Pixels(), ThroughContext("漢Ag", 3, 2)), 0);
}

TEST_F(SpriteFontTest, CalcRectMeasuresWithoutDrawingAndAClippedRectangleDrawsOnlyWhatFits) {
  PixelRect rect{5, 4, 5, 4};
  EXPECT_EQ(font_->DrawText(sprite_.get(), "漢A", -1, &rect, platform::kTextCalcRect, 0xFFFFFFFF), 16);
  EXPECT_EQ(rect, (PixelRect{5, 4, 5 + 24, 4 + 16}));
  Draw("AB", {0, 0, 0, 0}, 0);
  EXPECT_EQ(Ink(back_->Pixels()), 0) << "without NOCLIP nothing outside the rectangle";
  Draw("AB", {0, 0, 8, 16}, 0);
  EXPECT_EQ(Differences(back_->Pixels(), ThroughContext("A", 0, 0)), 0) << "A fits, B does not";
}

TEST_F(SpriteFontTest, GlyphsSurviveALostAndResetDevice) {
  Draw("あ", {1, 1, 1, 1}, platform::kTextNoClip);
  const platform::PixelBuffer before = back_->Pixels();
  EXPECT_EQ(font_->OnLostDevice(), VideoResult::Ok);
  EXPECT_EQ(sprite_->OnLostDevice(), VideoResult::Ok);
  device_->MarkLost();
  device_->AllowReset();
  back_.reset();
  ASSERT_EQ(device_->Reset(device_->Params()), VideoResult::Ok);
  ASSERT_EQ(device_->GetBackBuffer(back_), VideoResult::Ok);
  device_->SetBlendState({true, platform::BlendFactor::SrcAlpha, platform::BlendFactor::InvSrcAlpha});
  EXPECT_EQ(font_->OnResetDevice(), VideoResult::Ok);
  EXPECT_EQ(sprite_->OnResetDevice(), VideoResult::Ok);
  Draw("あ", {1, 1, 1, 1}, platform::kTextNoClip);
  EXPECT_EQ(Differences(back_->Pixels(), before), 0);
}

}  // namespace
