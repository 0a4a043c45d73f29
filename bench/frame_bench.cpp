// A whole frame through the drawing library in each screen mode: 600 tile blits and 300 keyed
// sprites on a 640 x 480 back buffer, then the present (Direct3D inside one sprite batch, as
// the play field draws; DirectDraw blit by blit). And one layer of 300 keyed tiles that covers
// the screen, against a memcpy of the screen's bytes in the same run: the fixed cost of a blit.

#include <benchmark/benchmark.h>

#include <thread>  // steady_clock (<chrono> alone does not build under the CP932 execution set)
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/colour_fade.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_present.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/sprite_batch.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/video_settings.h"

namespace {

struct Mode {
  const char* name;
  int backend;
  int bpp;
  int windowed;
};
constexpr Mode kModes[] = {
    {"D3D32", 1, 32, 1}, {"D3D16", 1, 16, 0}, {"DD8", 0, 8, 0}, {"DD16", 0, 16, 1}, {"DD32", 0, 32, 1},
};

bool StartMode(const Mode& mode) {
  setenv("KESTREL_HEADLESS", "1", 0);
  platform::ResetVideoSettings();
  if (mode.backend == 0 && mode.windowed) platform::CurrentVideoSettings().desktopBitsPerPixel = mode.bpp;
  if (!DDInit(mode.backend, nullptr, 640, 480, mode.bpp, 0, mode.windowed, 1, 60, 0, nullptr, nullptr, 0)) return false;
  for (int n = 0; n < 256; ++n) {
    DDPalette[n] = PALETTEENTRY{static_cast<BYTE>(n), static_cast<BYTE>(255 - n), static_cast<BYTE>(n * 7), 0};
  }
  DDPalette[0] = PALETTEENTRY{255, 0, 255, 0};
  if (lpDTCon != nullptr && mode.bpp == 32) DDSetTransmit(255, 0, 255);
  if (lpDTCon == nullptr) DDTransmitKey = PalNumToRGB(0);
  return true;
}

void PaintTiles(DDSURFACEDATA* tiles) {
  for (int i = 0; i < 8; ++i) DDFillRect(tiles, i * 8, 0, 8, 32, static_cast<DWORD>(20 + i * 3));
}

void PaintSprite(DDSURFACEDATA* sprite) {
  DDFillRect(sprite, 0, 0, 32, 32, 0);
  for (int y = 2; y < 30; ++y) {
    const int half = 14 - (y < 16 ? 16 - y : y - 15) / 2;
    DDFillRect(sprite, 16 - half, y, 2 * half, 1, static_cast<DWORD>(100 + y));
  }
}

void BM_Frame600Tiles300Sprites(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  state.SetLabel(mode.name);
  if (!StartMode(mode)) {
    state.SkipWithError("DDInit failed");
    return;
  }
  DDSURFACEDATA tiles, sprite;
  DDCreateSurface(&tiles, 64, 32, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  DDCreateSurface(&sprite, 32, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  PaintTiles(&tiles);
  PaintSprite(&sprite);
  int frame = 0;
  for (auto _ : state) {
    DDBeginBatch(0);
    for (int i = 0; i < 600; ++i) {
      const int cell = i % 300;
      DDBlt(&SDBackBuffer, (cell % 20) * 32, (cell / 20) * 32, 32, 32, &tiles, (i / 300) * 32, 0, 0);
    }
    for (int i = 0; i < 300; ++i) {
      const int step = i + frame;
      DDBlt(&SDBackBuffer, (step * 37) % 608, (step * 53) % 448, 32, 32, &sprite, 0, 0, 1);
    }
    DDFlushBatch();
    if (lpDTCon != nullptr) {
      DDFlip(0, 0, 0);
    } else {
      DDPresentDirectDraw();
    }
    ++frame;
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frame), benchmark::Counter::kIsRate);
  DDReleaseSurface(&tiles);
  DDReleaseSurface(&sprite);
  DDUnInit();
  platform::PresentedFrames().Reset();
}
BENCHMARK(BM_Frame600Tiles300Sprites)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// A tile whose left third is the transparent colour.
void PaintKeyedTile(DDSURFACEDATA* tile) {
  DDFillRect(tile, 0, 0, 11, 32, 0);
  for (int y = 0; y < 32; ++y) DDFillRect(tile, 11, y, 21, 1, static_cast<DWORD>(30 + y));
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Modes 0-4 drawn blit by blit; 5 and 6 are Direct3D 32 and 16 bits inside one sprite batch.
// x_memcpy: the layer's time over a memcpy of the screen's bytes, the two timed in alternating
// rounds of the same run.
void BM_KeyedTileLayer(benchmark::State& state) {
  const int arg = static_cast<int>(state.range(0));
  const bool batched = arg >= 5;
  const Mode& mode = kModes[batched ? arg - 5 : arg];
  state.SetLabel(std::string(mode.name) + (batched ? " batched" : ""));
  if (!StartMode(mode)) {
    state.SkipWithError("DDInit failed");
    return;
  }
  DDSURFACEDATA tile;
  DDCreateSurface(&tile, 32, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  PaintKeyedTile(&tile);
  const std::size_t bytes = static_cast<std::size_t>(640 * 480 * (mode.bpp / 8));
  std::vector<unsigned char> from(bytes, 1), to(bytes, 2);
  // Each iteration is a round of layers followed by as many memcpys, so that each is timed
  // with its own data warm, as it would be in a loop of its own.
  constexpr int kRound = 16;
  double layerSeconds = 0.0, memcpySeconds = 0.0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < kRound; ++r) {
      if (batched) DDBeginBatch(0);
      for (int i = 0; i < 300; ++i) DDBlt(&SDBackBuffer, (i % 20) * 32, (i / 20) * 32, 32, 32, &tile, 0, 0, 1);
      if (batched) DDFlushBatch();
    }
    layerSeconds += SecondsSince(start);
    start = std::chrono::steady_clock::now();
    for (int r = 0; r < kRound; ++r) {
      std::memcpy(to.data(), from.data(), bytes);
      benchmark::ClobberMemory();
    }
    memcpySeconds += SecondsSince(start);
  }
  const double n = static_cast<double>(state.iterations()) * kRound;
  state.counters["x_memcpy"] = memcpySeconds > 0 ? layerSeconds / memcpySeconds : 0.0;
  state.counters["layer_us"] = layerSeconds / n * 1e6;
  state.counters["memcpy_us"] = memcpySeconds / n * 1e6;
  state.counters["ns_per_blit"] = layerSeconds / n / 300 * 1e9;
  DDReleaseSurface(&tile);
  DDUnInit();
  platform::PresentedFrames().Reset();
}
BENCHMARK(BM_KeyedTileLayer)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

// The hi-colour fade of a full screen (modes DD16 and DD32) against a memcpy of the screen's
// bytes, timed in alternating rounds as the tile layer is.
void BM_FadeUnPal(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  state.SetLabel(mode.name);
  if (!StartMode(mode)) {
    state.SkipWithError("DDInit failed");
    return;
  }
  DDSURFACEDATA from, to;
  DDCreateSurface(&from, 640, 480, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0);
  DDCreateSurface(&to, 640, 480, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0);
  for (int i = 0; i < 40; ++i) DDFillRect(&from, i * 16, 0, 16, 480, static_cast<DWORD>(i * 6));
  const std::size_t bytes = static_cast<std::size_t>(640 * 480 * (mode.bpp / 8));
  std::vector<unsigned char> a(bytes, 1), b(bytes, 2);
  constexpr int kRound = 8;
  double fadeSeconds = 0.0, memcpySeconds = 0.0;
  int weight = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < kRound; ++r) DDFade_UnPal(&to, (weight++ * 7) % 257, 30, 60, 90, &from);
    fadeSeconds += SecondsSince(start);
    start = std::chrono::steady_clock::now();
    for (int r = 0; r < kRound; ++r) {
      std::memcpy(b.data(), a.data(), bytes);
      benchmark::ClobberMemory();
    }
    memcpySeconds += SecondsSince(start);
  }
  const double n = static_cast<double>(state.iterations()) * kRound;
  state.counters["x_memcpy"] = memcpySeconds > 0 ? fadeSeconds / memcpySeconds : 0.0;
  state.counters["fade_us"] = fadeSeconds / n * 1e6;
  state.counters["memcpy_us"] = memcpySeconds / n * 1e6;
  DDReleaseSurface(&from);
  DDReleaseSurface(&to);
  DDUnInit();
}
BENCHMARK(BM_FadeUnPal)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
