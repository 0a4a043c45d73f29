#pragma once

#include <cstdint>
#include <vector>

class cScenePlay;

namespace testsupport {

// Words the player holds, by frame.
using WordsByFrame = std::uint16_t (*)(int frame);
inline std::uint16_t AllKeys(int /*frame*/) { return 0xFFFF; }

// Frames of the play state, the first player's words given by frame: the scene's digest after
// each frame that ends still in play. Stops when the state leaves play (a death, a clear, the
// end of a playback) or after `limit` frames.
std::vector<std::uint64_t> PlayFrames(cScenePlay& scene, int limit, WordsByFrame dir, WordsByFrame button);

}  // namespace testsupport
