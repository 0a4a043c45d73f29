// The effect blits at 640 x 480 in each screen mode, each beside a plain full-screen blit of the
// same picture in the same run, and a screen of cached text beside as many keyed 16 x 16 blits.
// Compare each effect's time with BM_PlainBlit of its mode (the issue asks for at most 4x; the
// text at most 2x the blits).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/blur_mosaic.h"
#include "gfx/circle_lens.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/font.h"
#include "gfx/rotate_blit.h"
#include "gfx/screen_effects.h"
#include "gfx/sprite_batch.h"
#include "gfx/tint_blit.h"
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
    DDPaletteSaved[n] = DDPalette[n];
  }
  DDPalette[0] = PALETTEENTRY{255, 0, 255, 0};
  if (lpDTCon != nullptr && mode.bpp == 32) DDSetTransmit(255, 0, 255);
  if (lpDTCon == nullptr) DDTransmitKey = PalNumToRGB(0);
  for (int i = 0; i < kBlendTableSize; ++i) DDBlendTable[i] = static_cast<BYTE>((i >> 8) + (i & 0xFF));
  return true;
}

// A picture of stripes with transparent holes, in video memory (quads) and system memory.
struct Pictures {
  DDSURFACEDATA video, system;
  Pictures() {
    for (DDSURFACEDATA* r : {&video, &system}) {
      DDCreateSurface(r, 640, 480, 1, r == &system ? 1 : 0, r == &system ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT,
                      0, 0);
      for (int i = 0; i < 80; ++i) DDFillRect(r, i * 8, 0, 8, 480, static_cast<DWORD>(20 + i * 3));
      for (int j = 0; j < 480; j += 32) DDFillRect(r, 0, j, 640, 4, 0);
    }
  }
  ~Pictures() {
    DDReleaseSurface(&video);
    DDReleaseSurface(&system);
  }
};

using Effect = std::function<void(Pictures&)>;

struct NamedEffect {
  const char* name;
  Effect run;
};

const NamedEffect kEffects[] = {
    {"PlainBlit", [](Pictures& p) { DDBlt(&SDBackBuffer, 0, 0, 640, 480, &p.video, 0, 0, 1); }},
    {"Alpha", [](Pictures& p) { DDBltAlpha(&SDBackBuffer, 0, 0, 640, 480, &p.system, 0, 0, 1, DDBlendTable, 100); }},
    {"Tint", [](Pictures& p) { DDBltTint(&SDBackBuffer, 0, 0, 640, 480, &p.system, 0, 0, 1, DDPaletteSaved, DDBlendTable, 9, 2); }},
    {"Blur", [](Pictures& p) { DDBlurBlt(&SDBackBuffer, 0, 0, 640, 480, 2, 2, &p.system, 0, 0, 1); }},
    {"Mosaic", [](Pictures& p) { DDMosaicBlt(&SDBackBuffer, 0, 0, 640, 480, 8, &p.system, 0, 0, 1); }},
    {"Rotate", [](Pictures& p) { DDBltRotate(&SDBackBuffer, 320, 240, 640, 480, 320, 240, 30, &p.system, 0, 0, 1); }},
    {"Lens", [](Pictures& p) { DDBltLens(&SDBackBuffer, 320, 240, 200, 120, &p.system, 320, 240, 1, 0); }},
    {"Wave", [](Pictures& p) { DDWaveBlt(&SDBackBuffer, 0, 0, 640, 480, 2, 8.0, 0, 2, &p.video, 0, 0, 1, 0); }},
    {"Interlace", [](Pictures& p) { DDInterlaceBlt(&SDBackBuffer, 0, 0, 640, 480, 2, 3, &p.video, 0, 0, 1, 0); }},
    {"Circle", [](Pictures& p) { DDBltCircle(&SDBackBuffer, 320, 240, 320, 240, 240, 1, &p.video, 320, 240, 1); }},
};

void BM_Effect(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  const NamedEffect& effect = kEffects[state.range(1)];
  state.SetLabel(std::string(mode.name) + " " + effect.name);
  if (!StartMode(mode)) {
    state.SkipWithError("DDInit failed");
    return;
  }
  {
    Pictures pictures;
    for (auto _ : state) effect.run(pictures);
  }
  DDUnInit();
}

// 1200 cached glyphs (a full screen of 16-dot text) against 1200 keyed 16 x 16 blits.
void BM_Text(benchmark::State& state) {
  const Mode& mode = kModes[state.range(0)];
  const bool text = state.range(1) == 1;
  state.SetLabel(std::string(mode.name) + (text ? " cached text" : " keyed 16x16 blits"));
  if (!StartMode(mode)) {
    state.SkipWithError("DDInit failed");
    return;
  }
  {
    Font font;
    if (!font.Create("ＭＳ ゴシック", 0, 16, 16, 16, 200, nullptr, 0, 0, nullptr, 1)) {
      state.SkipWithError("no font");
      return;
    }
    std::string screen;
    for (int row = 0; row < 30; ++row) {
      for (int i = 0; i < 20; ++i) screen += (i % 2 != 0) ? "あ" : "AB";
      screen += '\n';
    }
    for (auto _ : state) {
      if (text) {
        font.Draw(&SDBackBuffer, 0, 0, screen.c_str(), 0);
      } else {
        DDBeginBatch(1);
        for (int i = 0; i < 1200; ++i) {
          DDBlt(&SDBackBuffer, (i % 40) * 16, (i / 40) * 16, 16, 16, &font.m_lpFastFont_Half->m_SD, 16, 64, 1);
        }
        DDFlushBatch();
      }
    }
    font.Release();
  }
  DDUnInit();
}

}  // namespace

BENCHMARK(BM_Effect)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Text)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})->Unit(benchmark::kMicrosecond);
