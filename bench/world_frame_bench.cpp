// One play frame of a busy stage without drawing: 300 characters (30 of them block
// characters, in four groups) at hit level 10, moved by flows that only set speeds, through
// every pass of the sub-steps, with no shots or with 500 in four groups (a third of them
// erasable, some homing on the hero and some waving) kept topped up as they are erased. Naive:
// the object passes test every pair; indexed: they ask the spatial index for the objects near
// each box.

#include <benchmark/benchmark.h>

#include "world/scene_play.h"
#include "world/world_demo.h"

namespace {


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
      TopUpDemoShots(scene, seed, static_cast<int>(state.range(1)), false);
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
