// One play frame of a busy stage without drawing: 300 characters (30 of them block
// characters, in four groups) at hit level 10, moved by flows that only set speeds, through
// every pass of the sub-steps, with no shots or with 500 in four groups (a third of them
// erasable, some homing on the hero and some waving) kept topped up as they are erased. Naive:
// the object passes test every pair; indexed: they ask the spatial index for the objects near
// each box.

#include <benchmark/benchmark.h>

#include "core/game_random.h"
#include "world/scene_play.h"
#include "world/world_demo.h"

namespace {


// Fills the field up to `shots` shots: slow, piercing, harmless, passing through blocks.
void TopUpShots(cScenePlay& scene, std::uint32_t& seed, int shots) {
  if (scene.CharaList.empty()) return;
  const cCharaBase& shooter = scene.CharaList.front();
  const int mapW = scene.ScrollX.nMapPixels;
  const int mapH = scene.ScrollY.nMapPixels;
  while (static_cast<int>(scene.ShotList.size()) < shots) {
    seed = seed * 1103515245u + 12345u;
    const int n = scene.nShotNumber;
    cEdShot rec;
    rec.nScale = 1;
    rec.bTakeGroup = 0;
    rec.nGroup = static_cast<std::uint8_t>(4 + n % 4);
    rec.bThroughBlocks = 1;
    rec.bPierceChara = 1;
    rec.bPierceBlockChara = 1;
    rec.bErasable = n % 3 == 0 ? 1 : 0;
    rec.nEraseLevel = static_cast<std::uint8_t>(n % 5);
    rec.nSpeed = 5;
    if (n % 7 == 1) {
      rec.nTrajectory = 4;
      rec.nTrajParam[1] = 999;
    } else if (n % 7 == 2) {
      rec.nTrajectory = 8;
      rec.nTrajParam[0] = 2;
      rec.nTrajParam[1] = 20;
    }
    ShotSpawn p;
    p.x = 40 + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(mapW - 80));
    p.y = 40 + static_cast<int>((seed >> 4) % static_cast<std::uint32_t>(mapH - 80));
    p.vx = (static_cast<int>(seed % 11) - 5) * 0.1;
    p.vy = (static_cast<int>((seed >> 16) % 11) - 5) * 0.1;
    cShotObj shot;
    shot.Init(n, shooter, kMakeShot, rec, p);
    AddShotObj(scene, shot);
    ++scene.nShotNumber;
  }
}

void WorldFrame(benchmark::State& state) {
  DemoSpec spec;
  spec.width = 120;
  spec.height = 15;
  spec.walkers = 270;
  spec.blockCharas = 30;
  spec.groups = 4;
  spec.hitLevel = 10;
  cStageData stage;
  BuildDemoStage(stage, spec);
  cDemoFlowLink flows(false);
  SetFlowLink(&flows);
  {
    cScenePlay scene(stage);
    scene.bUseIndex = state.range(0) != 0;
    scene.SetupField(3);
    // Let the field settle first: characters land and spread.
    for (int i = 0; i < 60; ++i) scene.StepPlayFrame();
    std::uint32_t seed = 7;
    for (auto _ : state) {
      TopUpShots(scene, seed, static_cast<int>(state.range(1)));
      if (scene.StepPlayFrame() != 0) {
        state.SkipWithError("the hero died");
        break;
      }
    }
    state.counters["characters"] = static_cast<double>(scene.CharaList.size());
    state.counters["shots"] = static_cast<double>(scene.ShotList.size());
  }
  SetFlowLink(nullptr);
}

}  // namespace

// With no shots the frame is the characters' passes alone.
BENCHMARK(WorldFrame)
    ->ArgsProduct({{0, 1}, {0, 500}})
    ->ArgNames({"indexed", "shots"})
    ->Unit(benchmark::kMicrosecond);
