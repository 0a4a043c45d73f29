#include "platform/video/render_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/video/frame_mailbox.h"
#include "platform/video/texture_loader.h"
#include "platform/video/video_settings.h"

namespace {

using platform::BlendFactor;
using platform::DTVERTEX;
using platform::MemoryPool;
using platform::PixelFormat;
using platform::RenderDevice;
using platform::RenderSurface;
using platform::StageState;
using platform::TextureArg;
using platform::TextureOp;
using platform::TextureUsage;
using platform::VideoResult;

// Corners of a quad over target pixels x..x+w-1, y..y+h-1, texture edges as given (texels).
void Quad(DTVERTEX* v, int x, int y, int w, int h, float u0, float v0, float u1, float v1, float tw, float th,
          std::uint32_t diffuse = 0xFFFFFFFF) {
  const float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
  v[0] = {l, t, 0, 1, diffuse, u0 / tw, v0 / th};
  v[1] = {l, b, 0, 1, diffuse, u0 / tw, v1 / th};
  v[2] = {r, t, 0, 1, diffuse, u1 / tw, v0 / th};
  v[3] = {r, b, 0, 1, diffuse, u1 / tw, v1 / th};
}

class RenderDeviceTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::ResetVideoSettings();
    platform::PresentedFrames().Reset();
    Open(PixelFormat::Xrgb8888);
  }
  void TearDown() override {
    device_.reset();
    platform::ResetVideoSettings();
  }
  void Open(PixelFormat backBuffer) {
    device_.reset();
    platform::PresentParams params;
    params.backBufferWidth = 32;
    params.backBufferHeight = 8;
    params.backBufferFormat = backBuffer;
    std::unique_ptr<platform::RenderSystem> system = platform::RenderSystem::Create();
    ASSERT_EQ(system->CreateDevice(true, params, device_), VideoResult::Ok);
    device_->SetBlendState({true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha});
    device_->GetBackBuffer(back_);
  }
  // A 4 x 2 ARGB texture: opaque colours with one transparent texel at (1, 0).
  std::shared_ptr<platform::Texture> Pattern() {
    std::shared_ptr<platform::Texture> texture;
    EXPECT_EQ(device_->CreateTexture(4, 2, PixelFormat::Argb8888, TextureUsage::None, MemoryPool::Managed, texture),
              VideoResult::Ok);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) texture->Level()->Pixels().SetPixel(x, y, Texel(x, y));
    return texture;
  }
  static std::uint32_t Texel(int x, int y) {
    return x == 1 && y == 0 ? 0x00ABCDEF
                            : 0xFF000000u | static_cast<std::uint32_t>(0x10 * (x + 1)) << 16 |
                                  static_cast<std::uint32_t>(0x40 * (y + 1));
  }
  void Draw(const DTVERTEX* quad) {
    ASSERT_EQ(device_->BeginScene(), VideoResult::Ok);
    ASSERT_EQ(device_->DrawStrip(quad, 2), VideoResult::Ok);
    ASSERT_EQ(device_->EndScene(), VideoResult::Ok);
  }
  std::uint32_t At(int x, int y) const { return back_->Pixels().PixelAt(x, y); }

  std::unique_ptr<RenderDevice> device_;
  std::shared_ptr<RenderSurface> back_;
};

TEST_F(RenderDeviceTest, OneToOneAndMirroredQuadsCopyTexelsExactly) {
  device_->SetTexture(Pattern());
  const std::uint32_t background = 0x00555555;
  device_->Clear(nullptr, 0, background);
  DTVERTEX quad[4];
  Quad(quad, 2, 3, 4, 2, 0, 0, 4, 2, 4, 2);
  Draw(quad);
  Quad(quad, 9, 3, 4, 2, 4, 0, 0, 2, 4, 2);  // mirrored: right edge first
  Draw(quad);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const std::uint32_t straight = Texel(x, y) >> 24 == 0 ? background : Texel(x, y) & 0xFFFFFF;
      const std::uint32_t mirrored = Texel(3 - x, y) >> 24 == 0 ? background : Texel(3 - x, y) & 0xFFFFFF;
      EXPECT_EQ(At(2 + x, 3 + y), straight) << x << "," << y;
      EXPECT_EQ(At(9 + x, 3 + y), mirrored) << x << "," << y;
    }
  }
  // Nothing outside the quads.
  EXPECT_EQ(At(1, 3), background);
  EXPECT_EQ(At(6, 3), background);
  EXPECT_EQ(At(2, 5), background);
}

TEST_F(RenderDeviceTest, OneToOneQuadsCutByTheTargetOrWrappingTheTextureDrawAsTheGeneralAxesDo) {
  // Each quad is drawn as given (whole-number edges) and nudged by less than the edge snap,
  // which leaves it to the general axis set-up: the two must leave the same pixels.
  struct Case {
    int x, y, w, h;
    float u0, v0;
  };
  const Case cases[] = {
      {-2, 1, 4, 2, 0, 0},  {30, 1, 4, 2, 0, 0}, {3, -1, 4, 2, 0, 0}, {3, 7, 4, 2, 0, 0},
      {-3, -1, 40, 10, 0, 0}, {5, 2, 4, 2, 2, 0},  {5, 2, 4, 2, 0, 1},  {5, 2, 3, 2, -1, 0},
  };
  device_->SetTexture(Pattern());
  for (const Case& c : cases) {
    std::vector<std::uint32_t> drawn[2];
    for (int nudged = 0; nudged < 2; ++nudged) {
      device_->Clear(nullptr, 0, 0x00555555);
      DTVERTEX quad[4];
      Quad(quad, c.x, c.y, c.w, c.h, c.u0, c.v0, c.u0 + c.w, c.v0 + c.h, 4, 2);
      if (nudged != 0) {
        for (DTVERTEX& corner : quad) corner.x += 1.0f / 4096;
      }
      Draw(quad);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x) drawn[nudged].push_back(At(x, y));
    }
    EXPECT_EQ(drawn[0], drawn[1]) << c.x << "," << c.y << " " << c.w << "x" << c.h << " from " << c.u0 << "," << c.v0;
  }
}

TEST_F(RenderDeviceTest, StretchedQuadsSampleLikeStretchedBlits) {
  device_->SetTexture(Pattern());
  DTVERTEX quad[4];
  Quad(quad, 0, 0, 8, 4, 0, 0, 4, 2, 4, 2);
  Draw(quad);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      if (Texel(x / 2, y / 2) >> 24 != 0) {
        EXPECT_EQ(At(x, y), Texel(x / 2, y / 2) & 0xFFFFFF) << x << "," << y;
      }
    }
  }
}

TEST_F(RenderDeviceTest, BlendingMixesByAlphaAndTheStageCombinesItsArguments) {
  device_->Clear(nullptr, 0, 0x00204060);
  DTVERTEX quad[4];
  StageState stage;
  stage.colorOp = stage.alphaOp = TextureOp::SelectArg2;
  stage.colorArg2 = stage.alphaArg2 = TextureArg::TFactor;
  device_->SetStageState(stage);
  device_->SetTextureFactor(0x80FFFFFF);
  Quad(quad, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
  Draw(quad);
  // (255 * 128 + 0x20 * 127 + 127) / 255 and likewise.
  EXPECT_EQ(At(0, 0), 0x0090A0B0u);

  struct Case {
    TextureOp op;
    std::uint32_t expected;
  };
  // Texel 0xFF100040 (pattern at 0, 0), diffuse 0xFF808080.
  const Case cases[] = {
      {TextureOp::Modulate, 0x00080020},  // (16 * 128 + 127) / 255 = 8, (64 * 128 + 127) / 255 = 32
      {TextureOp::Add, 0x009080C0},        {TextureOp::Subtract, 0x00000000}, {TextureOp::SelectArg1, 0x00100040},
      {TextureOp::SelectArg2, 0x00808080}, {TextureOp::Disable, 0x00808080},
  };
  device_->SetTexture(Pattern());
  for (const Case& c : cases) {
    StageState s;
    s.colorOp = c.op;
    s.colorArg1 = TextureArg::Texture;
    s.colorArg2 = TextureArg::Diffuse;
    s.alphaOp = TextureOp::SelectArg1;
    device_->SetStageState(s);
    Quad(quad, 0, 0, 1, 1, 0, 0, 1, 1, 4, 2, 0xFF808080);
    Draw(quad);
    EXPECT_EQ(At(0, 0), c.expected) << static_cast<int>(c.op);
  }
  StageState s;
  s.colorOp = TextureOp::BlendFactorAlpha;
  s.colorArg1 = TextureArg::Texture;
  s.colorArg2 = TextureArg::TFactor;
  device_->SetStageState(s);
  device_->SetTextureFactor(0x00FFFFFF);  // weight 0: the factor's colour alone
  Draw(quad);
  EXPECT_EQ(At(0, 0), 0x00FFFFFFu);
}

TEST_F(RenderDeviceTest, ConstantAlphaQuadsMatchTheGeneralCombiner) {
  // Diffuse white with alpha: the texture stage's fast path must give what the slow one gives.
  device_->SetTexture(Pattern());
  DTVERTEX quad[4];
  for (std::uint32_t alpha : {0u, 1u, 127u, 128u, 254u, 255u}) {
    device_->Clear(nullptr, 0, 0x00C08040);
    StageState modulate;
    modulate.colorOp = modulate.alphaOp = TextureOp::Modulate;
    modulate.colorArg2 = modulate.alphaArg2 = TextureArg::Diffuse;
    device_->SetStageState(modulate);
    Quad(quad, 0, 0, 4, 2, 0, 0, 4, 2, 4, 2, alpha << 24 | 0xFFFFFF);
    Draw(quad);
    const std::uint32_t fast = At(0, 1);
    device_->Clear(nullptr, 0, 0x00C08040);
    modulate.colorOp = TextureOp::Add;  // texel + black diffuse colour: the same colour, slow path
    device_->SetStageState(modulate);
    Quad(quad, 0, 0, 4, 2, 0, 0, 4, 2, 4, 2, alpha << 24);
    device_->SetTextureFactor(0);
    Draw(quad);
    EXPECT_EQ(At(0, 1), fast) << alpha;
  }
}

TEST_F(RenderDeviceTest, RotatedQuadsCoverEveryPixelOnceAcrossTheirDiagonal) {
  // A half-transparent quad split along its diagonal must blend every pixel exactly once.
  device_->Clear(nullptr, 0, 0);
  StageState stage;
  stage.colorOp = stage.alphaOp = TextureOp::SelectArg2;
  stage.colorArg2 = stage.alphaArg2 = TextureArg::Diffuse;
  device_->SetStageState(stage);
  // The same square as a quad turned a quarter: corners in another order than the library's.
  const float l = 1.5f, t = 0.5f, r = 5.5f, b = 4.5f;
  const DTVERTEX quad[4] = {{r, t, 0, 1, 0x80FF0000, 0, 0},
                            {l, t, 0, 1, 0x80FF0000, 0, 0},
                            {r, b, 0, 1, 0x80FF0000, 0, 0},
                            {l, b, 0, 1, 0x80FF0000, 0, 0}};
  Draw(quad);
  int covered = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (At(x, y) == 0) continue;
      ++covered;
      EXPECT_EQ(At(x, y), 0x00800000u) << x << "," << y;
    }
  }
  EXPECT_EQ(covered, 16);
}

TEST_F(RenderDeviceTest, SixteenBitTargetsStoreByTheComponentConversion) {
  Open(PixelFormat::Rgb565);
  device_->Clear(nullptr, 0, 0xFFFF00FF);
  EXPECT_EQ(At(0, 0), 0xF81Fu);
  const platform::PixelRect rects[2] = {{-4, -4, 2, 1}, {14, 6, 40, 40}};
  device_->Clear(rects, 2, 0xFF000000);
  EXPECT_EQ(At(1, 0), 0u);
  EXPECT_EQ(At(2, 0), 0xF81Fu);
  EXPECT_EQ(At(15, 7), 0u);
  EXPECT_EQ(At(13, 7), 0xF81Fu);
  EXPECT_EQ(At(16, 7), 0u);

  std::shared_ptr<platform::Texture> texture;
  ASSERT_EQ(device_->CreateTexture(2, 1, PixelFormat::Argb1555, TextureUsage::None, MemoryPool::Managed, texture),
            VideoResult::Ok);
  texture->Level()->Pixels().SetPixel(0, 0, 0x7FFF);  // white, alpha bit clear: transparent
  texture->Level()->Pixels().SetPixel(1, 0, 0x83E0);  // green, opaque
  device_->SetTexture(texture);
  DTVERTEX quad[4];
  Quad(quad, 4, 4, 2, 1, 0, 0, 2, 1, 2, 1);
  Draw(quad);
  EXPECT_EQ(At(4, 4), 0xF81Fu);
  EXPECT_EQ(At(5, 4), 0x07E0u);  // 31 of 31 green widened to 255, then 63 of 63
}

TEST_F(RenderDeviceTest, SixteenBitTexelsDrawnOneToOneKeepTheirValues) {
  // Every 5-bit value on each channel, drawn by the keyed fast path and by the general
  // combiner (texel plus black), into targets of the texture's format and of 5-6-5.
  std::shared_ptr<platform::Texture> texture;
  ASSERT_EQ(device_->CreateTexture(32, 3, PixelFormat::Argb1555, TextureUsage::None, MemoryPool::Managed, texture),
            VideoResult::Ok);
  for (int i = 0; i < 32; ++i)
    for (int c = 0; c < 3; ++c)
      texture->Level()->Pixels().SetPixel(i, c, 0x8000u | static_cast<std::uint32_t>(i) << (10 - 5 * c));
  for (PixelFormat target : {PixelFormat::Argb1555, PixelFormat::Rgb565}) {
    Open(target);
    device_->SetTexture(texture);
    DTVERTEX quad[4];
    Quad(quad, 0, 0, 32, 3, 0, 0, 32, 3, 32, 3);
    Draw(quad);
    StageState add;
    add.colorOp = TextureOp::Add;
    add.colorArg2 = TextureArg::Diffuse;
    device_->SetStageState(add);
    Quad(quad, 0, 4, 32, 3, 0, 0, 32, 3, 32, 3, 0xFF000000);
    Draw(quad);
    for (int i = 0; i < 32; ++i) {
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t texel = texture->Level()->Pixels().PixelAt(i, c);
        const std::uint32_t expected =
            target == PixelFormat::Argb1555
                ? texel
                : platform::PackArgbNearest(platform::UnpackArgb(texel, PixelFormat::Argb1555), target);
        EXPECT_EQ(At(i, c), expected) << platform::FormatInfo(target).name << " " << i << "," << c;
        EXPECT_EQ(At(i, 4 + c), expected) << platform::FormatInfo(target).name << " " << i << "," << c;
      }
    }
    // Widened and narrowed again, a 5-bit green is the same step of 6 bits.
    if (target == PixelFormat::Rgb565) {
      EXPECT_EQ(At(16, 1), 32u << 5);
    }
  }
}

TEST_F(RenderDeviceTest, DrawsWithTheSameStatesFollowEachTextureAndTargetFormatInTurn) {
  // Consecutive draws that set the same states again keep their set-up; a texture or target of
  // another format in between must still be drawn by its own conversion.
  std::shared_ptr<platform::Texture> keyed;
  ASSERT_EQ(device_->CreateTexture(4, 2, PixelFormat::Argb1555, TextureUsage::None, MemoryPool::Managed, keyed),
            VideoResult::Ok);
  keyed->Level()->Pixels().SetPixel(0, 0, 0x8000u | 18u << 5 | 7u);  // green 18 widens to 37 of 63
  std::shared_ptr<platform::Texture> target;
  ASSERT_EQ(device_->CreateTexture(8, 8, PixelFormat::Rgb565, TextureUsage::RenderTarget, MemoryPool::Default, target),
            VideoResult::Ok);
  const std::uint32_t argb1555Texel = platform::UnpackArgb(0x8000u | 18u << 5 | 7u, PixelFormat::Argb1555);
  DTVERTEX quad[4];
  Quad(quad, 0, 0, 1, 1, 0, 0, 1, 1, 4, 2);
  for (int round = 0; round < 2; ++round) {
    device_->SetRenderTarget(back_);
    device_->SetStageState(StageState{});
    device_->SetTexture(Pattern());
    Draw(quad);
    EXPECT_EQ(At(0, 0), Texel(0, 0) & 0xFFFFFFu);
    device_->SetStageState(StageState{});
    device_->SetTexture(keyed);
    Draw(quad);
    EXPECT_EQ(At(0, 0), argb1555Texel & 0xFFFFFFu);
    std::shared_ptr<RenderSurface> level = target->Level();
    device_->SetRenderTarget(level);
    Draw(quad);
    EXPECT_EQ(level->Pixels().PixelAt(0, 0), platform::PackArgbNearest(argb1555Texel, PixelFormat::Rgb565));
    EXPECT_EQ(level->Pixels().PixelAt(0, 0) >> 5 & 63u, 37u);
  }
}

TEST_F(RenderDeviceTest, LostDevicesDropWorkAndResetOnceDefaultPoolObjectsAreGone) {
  std::shared_ptr<platform::Texture> target;
  ASSERT_EQ(
      device_->CreateTexture(8, 8, PixelFormat::Argb8888, TextureUsage::RenderTarget, MemoryPool::Default, target),
      VideoResult::Ok);
  ASSERT_EQ(device_->Present(), VideoResult::Ok);
  device_->MarkLost();
  EXPECT_EQ(device_->Present(), VideoResult::DeviceLost);
  device_->Clear(nullptr, 0, 0xFFFFFFFF);
  EXPECT_EQ(At(0, 0), 0u);
  EXPECT_EQ(device_->TestCooperativeLevel(), VideoResult::DeviceLost);
  EXPECT_EQ(device_->Reset(device_->Params()), VideoResult::DeviceLost);
  device_->AllowReset();
  EXPECT_EQ(device_->TestCooperativeLevel(), VideoResult::DeviceNotReset);
  EXPECT_EQ(device_->Reset(device_->Params()), VideoResult::InvalidCall);  // the render target is still held
  target.reset();
  EXPECT_EQ(device_->Reset(device_->Params()), VideoResult::InvalidCall);  // and so is the old back buffer
  back_.reset();
  ASSERT_EQ(device_->Reset(device_->Params()), VideoResult::Ok);
  EXPECT_EQ(device_->TestCooperativeLevel(), VideoResult::Ok);
  EXPECT_EQ(device_->Present(), VideoResult::Ok);
  EXPECT_EQ(platform::PresentedFrames().PostedCount(), 2u);
}

TEST_F(RenderDeviceTest, VideoMemoryLimitAppliesToRenderTargetsAndManagedTexturesOnly) {
  platform::CurrentVideoSettings().videoMemoryBytes = 32 * 32 * 4;
  Open(PixelFormat::Xrgb8888);
  std::shared_ptr<platform::Texture> a, b, c;
  EXPECT_EQ(device_->CreateTexture(32, 32, PixelFormat::Argb8888, TextureUsage::RenderTarget, MemoryPool::Default, a),
            VideoResult::Ok);
  EXPECT_EQ(device_->CreateTexture(1, 1, PixelFormat::Argb8888, TextureUsage::None, MemoryPool::Managed, b),
            VideoResult::OutOfVideoMemory);
  EXPECT_EQ(device_->CreateTexture(32, 32, PixelFormat::Argb8888, TextureUsage::Dynamic, MemoryPool::SystemMemory, c),
            VideoResult::Ok);
}

TEST_F(RenderDeviceTest, BitmapTexturesKeyTheirColourAndPadWithTransparentBlack) {
  platform::BmpImage bitmap;
  bitmap.width = 3;
  bitmap.height = 1;
  bitmap.bitsPerPixel = 24;
  bitmap.pitch = 12;
  bitmap.pixels = {0xFF, 0x00, 0xFF, 0x01, 0x02, 0x03, 0xFF, 0x00, 0xFE, 0, 0, 0};  // magenta, 030201, FE00FF
  std::shared_ptr<platform::Texture> texture;
  ASSERT_EQ(platform::CreateTextureFromBitmap(*device_, bitmap, 4, 2, PixelFormat::Argb8888, TextureUsage::None,
                                              MemoryPool::Managed, 0xFFFF00FF, texture),
            VideoResult::Ok);
  const platform::PixelBuffer& texels = texture->Level()->Pixels();
  EXPECT_EQ(texels.PixelAt(0, 0), 0u);
  EXPECT_EQ(texels.PixelAt(1, 0), 0xFF030201u);
  EXPECT_EQ(texels.PixelAt(2, 0), 0xFFFE00FFu);  // near the key is not the key
  EXPECT_EQ(texels.PixelAt(3, 0), 0u);
  EXPECT_EQ(texels.PixelAt(0, 1), 0u);
}

TEST_F(RenderDeviceTest, SpritesDrawTheirRectanglesModulatedAndLeaveTheStatesAlone) {
  device_->Clear(nullptr, 0, 0);
  std::unique_ptr<platform::Sprite> sprite;
  ASSERT_EQ(device_->CreateSprite(sprite), VideoResult::Ok);
  const StageState before = device_->GetStageState();
  ASSERT_EQ(device_->BeginScene(), VideoResult::Ok);
  ASSERT_EQ(sprite->Begin(platform::kSpriteAlphaBlend), VideoResult::Ok);
  const platform::PixelRect source{2, 0, 4, 2};
  ASSERT_EQ(sprite->Draw(Pattern(), &source, 10, 3, 0xFFFFFFFF), VideoResult::Ok);
  ASSERT_EQ(sprite->End(), VideoResult::Ok);
  device_->EndScene();
  EXPECT_EQ(At(10, 3), Texel(2, 0) & 0xFFFFFF);
  EXPECT_EQ(At(11, 4), Texel(3, 1) & 0xFFFFFF);
  EXPECT_EQ(At(12, 3), 0u);
  EXPECT_EQ(device_->GetStageState().colorOp, before.colorOp);
  device_.reset();
  EXPECT_EQ(sprite->Begin(0), VideoResult::InvalidCall);  // the device is gone, safely
}

}  // namespace
