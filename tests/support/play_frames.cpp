#include "support/play_frames.h"

#include "input/input.h"
#include "world/scene_play.h"
#include "world/world_digest.h"

namespace testsupport {

std::vector<std::uint64_t> PlayFrames(cScenePlay& scene, int limit, WordsByFrame dir, WordsByFrame button) {
  std::vector<std::uint64_t> digests;
  scene.m_nState = kPlayRunning;
  for (int f = 0; f < limit && scene.m_nState == kPlayRunning; ++f) {
    PlayerInputs[0].m_wDir = dir(f);
    PlayerInputs[0].m_wButton = button(f);
    scene.StatePlay();
    if (scene.m_nState == kPlayRunning) digests.push_back(WorldDigest(scene));
  }
  return digests;
}

}  // namespace testsupport
