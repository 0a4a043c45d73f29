// A whole frame through the drawing library in each screen mode: 600 tile blits and 300 keyed
// sprites on a 640 x 480 back buffer, then the present (Direct3D inside one sprite batch, as
// the play field draws; DirectDraw blit by blit).

#include <benchmark/benchmark.h>

#include <cstdlib>

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

}  // namespace
