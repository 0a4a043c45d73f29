// One play frame of a busy stage without drawing: 300 characters (30 of them block
// characters, in four groups) at hit level 10, moved by flows that only set speeds, through
// every pass of the sub-steps. Naive: the object passes test every pair; indexed: they ask
// the spatial index for the objects near each box.

#include <benchmark/benchmark.h>

#include "core/game_random.h"
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
    for (auto _ : state) {
      if (scene.StepPlayFrame() != 0) {
        state.SkipWithError("the hero died");
        break;
      }
    }
    state.counters["characters"] = static_cast<double>(scene.CharaList.size());
  }
  SetFlowLink(nullptr);
}

}  // namespace

BENCHMARK(WorldFrame)->Arg(0)->Arg(1)->ArgName("indexed")->Unit(benchmark::kMicrosecond);
