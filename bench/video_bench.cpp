// The software video layer's hot paths: a keyed 32 x 32 sprite blit, a full-screen opaque
// copy (against memcpy of the same bytes), and the conversion of a presented image to the
// 32-bit frame, for every pixel format the layer draws in.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>  // steady_clock
#include <vector>

#include "platform/video/draw_device.h"
#include "platform/video/frame.h"
#include "platform/video/render_device.h"
#include "platform/video/video_settings.h"

namespace {

using namespace platform;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

std::unique_ptr<DrawDevice> SurfaceDevice(int bits) {
  ResetVideoSettings();
  CurrentVideoSettings().desktopBitsPerPixel = bits;
  std::unique_ptr<DrawDevice> device;
  DrawDevice::Create(device);
  device->SetCooperativeLevel(CooperativeLevel::Normal);
  return device;
}

std::shared_ptr<DrawSurface> Surface(DrawDevice& device, int w, int h, MemoryPool pool) {
  std::shared_ptr<DrawSurface> surface;
  device.CreateSurface(w, h, pool, surface);
  return surface;
}

// A sprite cell: a disc of colour in a square of the key colour, as character cells look.
bool InDisc(int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 14 * 14; }

void DrawSpriteCell(PixelBuffer& pixels, std::uint32_t key, std::uint32_t mask) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels.SetPixel(x, y, InDisc(x, y) ? ((x * 7 + y * 13 + 1) & mask) : key);
}

// Positions that walk over the screen, so that no one cache line pattern repeats.
struct Walk {
  int step = 0;
  void Next(int& x, int& y, int w, int h) {
    x = (step * 37) % (kScreenWidth - w);
    y = (step * 53) % (kScreenHeight - h);
    ++step;
  }
};

void BM_KeyedBlit32x32(benchmark::State& state) {
  const int bits = static_cast<int>(state.range(0));
  auto device = SurfaceDevice(bits);
  auto target = Surface(*device, kScreenWidth, kScreenHeight, MemoryPool::Default);
  auto sprite = Surface(*device, 32, 32, MemoryPool::Default);
  const std::uint32_t mask = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  const std::uint32_t key = 0xF81FF81Fu & mask;
  DrawSpriteCell(sprite->Pixels(), key, mask);
  sprite->SetColorKey(key, key);
  Walk walk;
  for (auto _ : state) {
    int x, y;
    walk.Next(x, y, 32, 32);
    target->BltFast(x, y, *sprite, nullptr, kBltFastSrcColorKey);
  }
  benchmark::DoNotOptimize(target->Pixels().data());
  state.SetItemsProcessed(state.iterations() * 32 * 32);
  state.SetLabel(FormatInfo(sprite->Format()).name);
}
BENCHMARK(BM_KeyedBlit32x32)->Arg(8)->Arg(16)->Arg(24)->Arg(32);

struct QuadSetup {
  std::unique_ptr<RenderDevice> device;
  std::shared_ptr<Texture> texture;
};

QuadSetup QuadDevice(PixelFormat backBuffer, PixelFormat textureFormat, int tw, int th) {
  ResetVideoSettings();
  QuadSetup setup;
  PresentParams params;
  params.backBufferWidth = kScreenWidth;
  params.backBufferHeight = kScreenHeight;
  params.backBufferFormat = backBuffer;
  RenderSystem::Create()->CreateDevice(true, params, setup.device);
  setup.device->SetBlendState({true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha});
  setup.device->CreateTexture(tw, th, textureFormat, TextureUsage::None, MemoryPool::Managed, setup.texture);
  setup.device->SetTexture(setup.texture);
  setup.device->BeginScene();
  return setup;
}

void QuadAt(DTVERTEX* v, int x, int y, int w, int h, int tw, int th) {
  const float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
  const float u = static_cast<float>(w) / tw, vv = static_cast<float>(h) / th;
  v[0] = {l, t, 0, 1, 0xFFFFFFFF, 0, 0};
  v[1] = {l, b, 0, 1, 0xFFFFFFFF, 0, vv};
  v[2] = {r, t, 0, 1, 0xFFFFFFFF, u, 0};
  v[3] = {r, b, 0, 1, 0xFFFFFFFF, u, vv};
}

// The device backend's keyed sprite: a quad of a texture whose key texels have alpha 0.
void BM_KeyedQuad32x32(benchmark::State& state) {
  const bool sixteen = state.range(0) == 16;
  QuadSetup setup = QuadDevice(sixteen ? PixelFormat::Rgb565 : PixelFormat::Xrgb8888,
                               sixteen ? PixelFormat::Argb1555 : PixelFormat::Argb8888, 32, 32);
  PixelBuffer& texels = setup.texture->Level()->Pixels();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      texels.SetPixel(x, y,
                      PackArgb(InDisc(x, y) ? 0xFF000000u | static_cast<std::uint32_t>(x * 0x0701 + y * 0x130000) : 0,
                               texels.format()));
  Walk walk;
  DTVERTEX quad[4];
  for (auto _ : state) {
    int x, y;
    walk.Next(x, y, 32, 32);
    QuadAt(quad, x, y, 32, 32, 32, 32);
    setup.device->DrawStrip(quad, 2);
  }
  state.SetItemsProcessed(state.iterations() * 32 * 32);
  state.SetLabel(sixteen ? "A1R5G5B5 -> R5G6B5" : "A8R8G8B8 -> X8R8G8B8");
}
BENCHMARK(BM_KeyedQuad32x32)->Arg(16)->Arg(32);

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One memcpy of the same bytes between the same two buffers, timed over as many rounds.
double MemcpySeconds(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes, std::int64_t rounds) {
  const auto start = std::chrono::steady_clock::now();
  for (std::int64_t i = 0; i < rounds; ++i) {
    std::memcpy(to, from, bytes);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(to);
  return SecondsSince(start);
}

// Counters: the copy's time as a multiple of memcpy's (x_memcpy) and memcpy's own time.
void ReportAgainstMemcpy(benchmark::State& state, double seconds, PixelBuffer& to, const PixelBuffer& from) {
  const std::size_t bytes = std::min(to.byteCount(), from.byteCount());
  const double memcpySeconds = MemcpySeconds(to.data(), from.data(), bytes, state.iterations());
  state.counters["x_memcpy"] = memcpySeconds > 0 ? seconds / memcpySeconds : 0.0;
  state.counters["memcpy_us"] = memcpySeconds / static_cast<double>(state.iterations()) * 1e6;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(to.byteCount()));
}

void BM_FullScreenOpaqueBlit(benchmark::State& state) {
  const int bits = static_cast<int>(state.range(0));
  auto device = SurfaceDevice(bits);
  auto target = Surface(*device, kScreenWidth, kScreenHeight, MemoryPool::Default);
  auto source = Surface(*device, kScreenWidth, kScreenHeight, MemoryPool::SystemMemory);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) target->BltFast(0, 0, *source, nullptr, 0);
  const double seconds = SecondsSince(start);
  benchmark::DoNotOptimize(target->Pixels().data());
  ReportAgainstMemcpy(state, seconds, target->Pixels(), source->Pixels());
  state.SetLabel(FormatInfo(target->Format()).name);
}
BENCHMARK(BM_FullScreenOpaqueBlit)->Arg(8)->Arg(16)->Arg(24)->Arg(32);

// The device backend's full-screen copy: an opaque quad of a screen-sized texture.
void BM_FullScreenOpaqueQuad(benchmark::State& state) {
  const bool sixteen = state.range(0) == 16;
  QuadSetup setup = QuadDevice(sixteen ? PixelFormat::Argb1555 : PixelFormat::Xrgb8888,
                               sixteen ? PixelFormat::Argb1555 : PixelFormat::Argb8888, 1024, 512);
  PixelBuffer& texels = setup.texture->Level()->Pixels();
  for (int y = 0; y < texels.height(); ++y)
    for (int x = 0; x < texels.width(); ++x)
      texels.SetPixel(x, y, PackArgb(0xFF000000u | static_cast<std::uint32_t>(x * 31 + y), texels.format()));
  DTVERTEX quad[4];
  QuadAt(quad, 0, 0, kScreenWidth, kScreenHeight, 1024, 512);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) setup.device->DrawStrip(quad, 2);
  const double seconds = SecondsSince(start);
  std::shared_ptr<RenderSurface> back;
  setup.device->GetBackBuffer(back);
  // The texture's rows are longer than the screen's: the same number of bytes from its start.
  ReportAgainstMemcpy(state, seconds, back->Pixels(), texels);
  state.SetLabel(sixteen ? "A1R5G5B5 -> A1R5G5B5" : "A8R8G8B8 -> X8R8G8B8");
}
BENCHMARK(BM_FullScreenOpaqueQuad)->Arg(16)->Arg(32);

void BM_PresentConversion(benchmark::State& state) {
  const auto format = static_cast<PixelFormat>(state.range(0));
  PixelBuffer image;
  image.Allocate(kScreenWidth, kScreenHeight, format);
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) image.SetPixel(x, y, static_cast<std::uint32_t>(x * 2654435761u + y));
  PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
  const Palette palette(entries);
  Frame frame;
  for (auto _ : state) {
    ConvertToFrame(image, &palette, frame);
    benchmark::DoNotOptimize(frame.pixels.data());
  }
  // Against a memcpy of the frame it writes (32 bits a pixel), in the same run.
  std::vector<std::uint8_t> from(frame.pixels.size() * 4, 1), to(frame.pixels.size() * 4);
  const auto start = std::chrono::steady_clock::now();
  for (std::int64_t i = 0; i < state.iterations(); ++i) ConvertToFrame(image, &palette, frame);
  const double seconds = SecondsSince(start);
  const double memcpySeconds = MemcpySeconds(to.data(), from.data(), to.size(), state.iterations());
  state.counters["x_memcpy"] = memcpySeconds > 0 ? seconds / memcpySeconds : 0.0;
  state.SetItemsProcessed(state.iterations() * kScreenWidth * kScreenHeight);
  state.SetLabel(FormatInfo(format).name);
}
BENCHMARK(BM_PresentConversion)
    ->Arg(static_cast<int>(PixelFormat::Indexed8))
    ->Arg(static_cast<int>(PixelFormat::Rgb565))
    ->Arg(static_cast<int>(PixelFormat::Argb1555))
    ->Arg(static_cast<int>(PixelFormat::Rgb888))
    ->Arg(static_cast<int>(PixelFormat::Xrgb8888));

}  // namespace
