#pragma once

#include <vector>

#include "make_sample_game/tone_synth.h"

namespace sample {

struct SoundEffect {
  const char* file;  // game path
  const char* name;  // shown by the authoring tool only
  std::vector<Tone> tones;
};

// The seventeen system sounds, by their number (cursor, decide, cancel ...).
const std::vector<SoundEffect>& SystemSoundEffects();
// The sounds of the sound database, from entry 1 on.
const std::vector<SoundEffect>& GameSoundEffects();

// Sound database entries the stages use.
namespace sfx {
enum : int { kNone = 0, kJump = 1, kShot = 2, kCoin = 3, kPowerUp = 4, kStomp = 5, kGem = 6, kEnemyShot = 7, kGoal = 8 };
}

}  // namespace sample
