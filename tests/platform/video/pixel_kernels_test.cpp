// The pixel kernels against plain per-pixel references, on the baseline and the AVX2 path: rows
// of random pixels, every width up to a few vector lengths and every start alignment.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/video/format_tables.h"
#include "platform/video/pixel_rows.h"
#include "platform/video/render_device.h"
#include "platform/video/video_settings.h"
#include "support/kernel_paths.h"

namespace {

using platform::PixelBuffer;
using platform::PixelFormat;
using platform::PixelRect;

using kerneltest::KernelPaths;
using kerneltest::PathName;

// Pixels drawn from few values, so that the key is common, in runs and alone.
void Scatter(PixelBuffer& buffer, std::mt19937& random, std::uint32_t key) {
  const std::uint32_t mask = buffer.bytesPerPixel() == 4 ? 0xFFFFFFFFu : (1u << (8 * buffer.bytesPerPixel())) - 1;
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  for (int y = 0; y < buffer.height(); ++y) {
    for (int x = 0; x < buffer.width(); ++x) {
      const std::uint32_t roll = any(random);
      // A quarter key, a quarter one bit off it, the rest anything.
      std::uint32_t v = roll % 4 == 0 ? key : roll % 4 == 1 ? key ^ (1u << (roll >> 8) % (8 * buffer.bytesPerPixel()))
                                                            : any(random);
      buffer.SetPixel(x, y, v & mask);
    }
  }
}

TEST_P(KernelPaths, KeyedCopiesLeaveOutExactlyTheKeyAtEveryWidthAndAlignment) {
  const PixelFormat formats[] = {PixelFormat::Indexed8, PixelFormat::Rgb565, PixelFormat::Rgb888,
                                 PixelFormat::Xrgb8888};
  std::mt19937 random(1234);
  for (PixelFormat format : formats) {
    PixelBuffer source, target;
    ASSERT_TRUE(source.Allocate(120, 3, format));
    ASSERT_TRUE(target.Allocate(120, 3, format));
    const std::uint32_t key = format == PixelFormat::Indexed8 ? 0x5Au
                              : format == PixelFormat::Rgb565 ? 0xF81Fu
                                                              : 0x00FF00FFu;
    for (int width = 1; width <= 70; ++width) {
      for (int from = 0; from < 34; from += width % 3 == 0 ? 1 : 5) {
        const int to = (from * 7 + width) % (120 - width);
        if (from + width > 120) continue;
        Scatter(source, random, key);
        Scatter(target, random, key);
        PixelBuffer expected = target;
        for (int y = 0; y < 3; ++y) {
          for (int i = 0; i < width; ++i) {
            const std::uint32_t v = source.PixelAt(from + i, y);
            if (v != key) expected.SetPixel(to + i, y, v);
          }
        }
        platform::CopyPixelsKeyed(target, to, 0, source, PixelRect{from, 0, from + width, 3}, key);
        for (int y = 0; y < 3; ++y)
          for (int x = 0; x < 120; ++x)
            ASSERT_EQ(target.PixelAt(x, y), expected.PixelAt(x, y))
                << platform::FormatInfo(format).name << " width " << width << " from " << from << " to " << to
                << " at " << x << "," << y;
      }
    }
  }
}

// The per-pixel rule of a keyed or alpha texel drawn 1:1 with source-alpha blending.
std::uint32_t Blended(std::uint32_t texel, std::uint32_t old, PixelFormat texture, PixelFormat target) {
  const std::uint32_t colour = platform::UnpackArgb(texel, texture);
  const std::uint32_t a = colour >> 24;
  if (a == 0) return old;
  if (a == 255) return platform::PackArgbNearest(colour, target);
  const std::uint32_t below = platform::UnpackArgb(old, target);
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= ((colour >> shift & 0xFF) * a + (below >> shift & 0xFF) * (255 - a) + 127) / 255 << shift;
  }
  return platform::PackArgbNearest(out, target);
}

TEST_P(KernelPaths, TexturedQuadsDrawnOneToOneFollowThePerPixelRule) {
  struct Case {
    PixelFormat texture, target;
  };
  const Case cases[] = {{PixelFormat::Argb8888, PixelFormat::Xrgb8888},
                        {PixelFormat::Argb1555, PixelFormat::Rgb565},
                        {PixelFormat::Argb1555, PixelFormat::Argb1555}};
  std::mt19937 random(99);
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
  for (const Case& c : cases) {
    platform::ResetVideoSettings();
    platform::PresentParams params;
    params.backBufferWidth = 100;
    params.backBufferHeight = 2;
    params.backBufferFormat = c.target;
    std::unique_ptr<platform::RenderSystem> system = platform::RenderSystem::Create();
    std::unique_ptr<platform::RenderDevice> device;
    ASSERT_EQ(system->CreateDevice(true, params, device), platform::VideoResult::Ok);
    device->SetBlendState({true, platform::BlendFactor::SrcAlpha, platform::BlendFactor::InvSrcAlpha});
    std::shared_ptr<platform::RenderSurface> back;
    device->GetBackBuffer(back);
    std::shared_ptr<platform::Texture> texture;
    ASSERT_EQ(device->CreateTexture(128, 2, c.texture, platform::TextureUsage::None, platform::MemoryPool::Managed,
                                    texture),
              platform::VideoResult::Ok);
    PixelBuffer& texels = texture->Level()->Pixels();
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 128; ++x) {
        std::uint32_t v = any(random);
        // Mostly transparent or opaque, as sprites are; some texels in between at 32 bits.
        if (c.texture == PixelFormat::Argb8888) v = (v & 0xFFFFFF) | (v % 5 == 0 ? v >> 24 << 24 : v % 2 ? 0xFF000000u : 0);
        texels.SetPixel(x, y, v & (c.texture == PixelFormat::Argb8888 ? 0xFFFFFFFFu : 0xFFFFu));
      }
    }
    device->SetTexture(texture);
    ASSERT_EQ(device->BeginScene(), platform::VideoResult::Ok);
    for (int width = 1; width <= 70; ++width) {
      const int from = (width * 5) % (128 - width);
      const int to = (width * 3) % (100 - width);
      PixelBuffer& pixels = back->Pixels();
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 100; ++x) pixels.SetPixel(x, y, any(random) & (c.target == PixelFormat::Xrgb8888 ? 0xFFFFFFu : 0xFFFFu));
      const PixelBuffer before = pixels;
      const float l = to - 0.5f, r = to + width - 0.5f, t = -0.5f, b = 1.5f;
      const float u0 = from / 128.0f, u1 = (from + width) / 128.0f;
      const platform::DTVERTEX quad[4] = {{l, t, 0, 1, 0xFFFFFFFF, u0, 0},
                                          {l, b, 0, 1, 0xFFFFFFFF, u0, 1},
                                          {r, t, 0, 1, 0xFFFFFFFF, u1, 0},
                                          {r, b, 0, 1, 0xFFFFFFFF, u1, 1}};
      ASSERT_EQ(device->DrawStrip(quad, 2), platform::VideoResult::Ok);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 100; ++x) {
          const bool inside = x >= to && x < to + width;
          const std::uint32_t expected =
              inside ? Blended(texels.PixelAt(from + x - to, y), before.PixelAt(x, y), c.texture, c.target)
                     : before.PixelAt(x, y);
          ASSERT_EQ(pixels.PixelAt(x, y), expected) << platform::FormatInfo(c.target).name << " width " << width
                                                    << " at " << x << "," << y;
        }
      }
    }
    device->EndScene();
  }
  platform::ResetVideoSettings();
}

// Every 16-bit value of each format, converted from every start within a vector and in rows of
// odd lengths, is the colour UnpackArgb gives, opaque.
TEST_P(KernelPaths, SixteenBitRowsConvertToTheColoursOfTheirFields) {
  std::vector<std::uint16_t> values(65536 + 64);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint16_t>(i * 40503u);
  std::vector<std::uint32_t> out(values.size());
  for (PixelFormat format : {PixelFormat::Rgb565, PixelFormat::Xrgb1555, PixelFormat::Argb1555}) {
    for (int start = 0; start < 17; ++start) {
      const int count = 65536 + (start * 7) % 31;
      std::fill(out.begin(), out.end(), 0x12345678u);
      platform::ConvertRowToXrgb(reinterpret_cast<const std::uint8_t*>(values.data() + start), format, count, nullptr,
                                 out.data());
      for (int i = 0; i < count; ++i) {
        ASSERT_EQ(out[static_cast<std::size_t>(i)],
                  0xFF000000u | platform::UnpackArgb(values[static_cast<std::size_t>(start + i)], format))
            << platform::FormatInfo(format).name << " start " << start << " pixel " << i;
      }
      ASSERT_EQ(out[static_cast<std::size_t>(count)], 0x12345678u) << "written past the row";
    }
  }
}

TEST_P(KernelPaths, IndexedRowsTakeTheirPaletteColoursOpaque) {
  std::uint32_t palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = static_cast<std::uint32_t>(i) * 0x010305u;
  std::vector<std::uint8_t> indices(300);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i * 97 + 5);
  std::vector<std::uint32_t> out(indices.size() + 1);
  for (int start = 0; start < 33; ++start) {
    const int count = 257 - start;
    out.back() = 7;
    platform::ConvertRowToXrgb(indices.data() + start, PixelFormat::Indexed8, count, palette, out.data());
    for (int i = 0; i < count; ++i)
      ASSERT_EQ(out[static_cast<std::size_t>(i)], 0xFF000000u | palette[indices[static_cast<std::size_t>(start + i)]])
          << start << " " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, KernelPaths, testing::Bool(), PathName);

}  // namespace
