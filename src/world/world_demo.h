#pragma once

#include <cstdint>

#include "data/stage_data.h"
#include "world/flow_link.h"

class cScenePlay;

// A generated stage and a scripted stand-in for flows that only set speeds, for the preview
// tool, the frame benchmark and the determinism tests: walkers patrol and hop, block
// characters sway, the hero runs and jumps. With chaos on, flows also summon, warp and kill
// characters in the middle of a pass.
struct DemoSpec {
  int width = 60;
  int height = 15;
  int walkers = 20;
  int blockCharas = 4;
  int groups = 4;
  int hitLevel = 10;
  bool chaos = false;
  std::uint32_t layoutSeed = 1;
};

void BuildDemoStage(cStageData& stage, const DemoSpec& spec);

// A volley of the demo's actors at the hero: kind 0 an aimed spread of three, 1 a homing orb,
// 2 a wave; drawn with the shot sheet's picture `picture`.
void DemoVolley(cCharaBase& shooter, int kind, int picture);

// Fills the field up to `shots` shots in four groups of their own, fired from the first
// character: slow, passing through blocks, a third of them erasable at five strengths, some
// homing on the hero and some waving. Harmless ones pierce and only touch; harmful ones
// also hurt, push, and some stop at the first character they hit. `seed` walks the
// placements.
void TopUpDemoShots(cScenePlay& scene, std::uint32_t& seed, int shots, bool harmful);

class cDemoFlowLink : public cFlowLink {
 public:
  // With actors on, some walkers fire volleys at the hero in turn: an aimed three-shot
  // spread, a homing orb and a wave shot.
  explicit cDemoFlowLink(bool chaos, bool actors = false) : chaos_(chaos), actors_(actors) {}
  int RunFlowFrameStep(cCharaBase& chara, int dyingOnly) override;

 private:
  void Chaos(cCharaBase& chara);
  void Fire(cCharaBase& chara);
  bool chaos_;
  bool actors_;
};

// The stage set up as a play field, its characters moved by the chaotic demo flows, and played
// for up to the given number of frames: what the fuzzers run on the stages they make or read.
void PlayDemoFrames(cStageData& stage, std::uint32_t seed, int frames);
