// The play scene's whole frame on a busy stage: 200 x 100 blocks at hit level 10, 300
// characters (30 of them block characters) moved by flows that only set speeds, 500 shots kept
// topped up, the hero running so the view scrolls, and the field drawn at 640 x 480 in
// Direct3D 32 and DirectDraw 32 (every picture a blank sheet of its size). The goal is 2 ms
// for the frame on one core; PhysicsOnly and DrawOnly split it. SetUp is the stage set-up of
// the same stage (goal 20 ms).

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "data/surface_defs.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/surface_records.h"
#include "platform/video/video_settings.h"
#include "world/scene_play.h"
#include "world/world_demo.h"

namespace {

struct Mode {
  const char* name;
  int backend;
  int bpp;
};
constexpr Mode kModes[] = {{"D3D32", 1, 32}, {"DD32", 0, 32}};

bool StartMode(const Mode& mode) {
  setenv("KESTREL_HEADLESS", "1", 0);
  platform::ResetVideoSettings();
  if (mode.backend == 0) platform::CurrentVideoSettings().desktopBitsPerPixel = mode.bpp;
  if (!DDInit(mode.backend, nullptr, 640, 480, mode.bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) return false;
  for (int n = 0; n < 256; ++n) {
    DDPalette[n] = PALETTEENTRY{static_cast<BYTE>(n), static_cast<BYTE>(255 - n), static_cast<BYTE>(n * 7), 0};
    DDPaletteSaved[n] = DDPalette[n];
  }
  // The play scene's sheets as blank pictures with a few colours in them.
  for (int row : surface_rows::kPlayScene) {
    const bool background = row >= kBackgroundFirstRow && row < kBackgroundFirstRow + kBackgroundRowCount;
    if (background) continue;
    DDSURFACEDATA* record = &SurfaceRecords[row];
    if (!DDCreateSurface(record, 640, 960, 1, 0, 0, 0, 0)) return false;
    DDFillRect(record, 0, 0, 640, 960, 40 + row);
    DDFillRect(record, 0, 0, 640, 16, 0);
  }
  return true;
}

void EndMode() {
  for (int row : surface_rows::kPlayScene) DDReleaseSurface(&SurfaceRecords[row]);
  DDUnInit();
}

DemoSpec BusyStage() {
  DemoSpec spec;
  spec.width = 200;
  spec.height = 100;
  spec.walkers = 270;
  spec.blockCharas = 30;
  spec.groups = 4;
  spec.hitLevel = 10;
  return spec;
}

// part: 0 the whole frame, 1 physics only, 2 drawing only.
void PlayFrame(benchmark::State& state, const Mode& mode, int part) {
  if (!StartMode(mode)) {
    state.SkipWithError("the drawing library did not start");
    return;
  }
  cStageData stage;
  BuildDemoStage(stage, BusyStage());
  cDemoFlowLink flows(false);
  SetFlowLink(&flows);
  {
    cScenePlay scene(stage);
    scene.SetupField(3);
    for (int i = 0; i < 60; ++i) scene.StepPlayFrame();
    std::uint32_t seed = 7;
    for (auto _ : state) {
      TopUpDemoShots(scene, seed, 500, false);
      // The view follows a run across the stage and back.
      scene.ScrollX.dPos = 320 + (state.iterations() * 3) % 5000;
      scene.ScrollY.dPos = 320 + (state.iterations() * 2) % 2500;
      if (part != 2 && scene.StepPlayFrame() != 0) {
        state.SkipWithError("the hero died");
        break;
      }
      if (part != 1) scene.Draw(1, 0, 1, 1);
    }
    state.counters["characters"] = static_cast<double>(scene.CharaList.size());
    state.counters["shots"] = static_cast<double>(scene.ShotList.size());
  }
  SetFlowLink(nullptr);
  EndMode();
}

void SetUp(benchmark::State& state) {
  cStageData stage;
  BuildDemoStage(stage, BusyStage());
  cDemoFlowLink flows(false);
  SetFlowLink(&flows);
  for (auto _ : state) {
    cScenePlay scene(stage);
    scene.SetupField(3);
    benchmark::DoNotOptimize(scene.BlockMap.size());
  }
  SetFlowLink(nullptr);
}

const int kRegistered = [] {
  for (const Mode& mode : kModes) {
    for (int part = 0; part < 3; ++part) {
      static const char* const kParts[] = {"Frame", "PhysicsOnly", "DrawOnly"};
      benchmark::RegisterBenchmark((std::string(kParts[part]) + "/" + mode.name).c_str(),
                                   [mode, part](benchmark::State& state) { PlayFrame(state, mode, part); })
          ->Unit(benchmark::kMicrosecond);
    }
  }
  benchmark::RegisterBenchmark("SetUp/200x100", SetUp)->Unit(benchmark::kMillisecond);
  return 0;
}();

}  // namespace
