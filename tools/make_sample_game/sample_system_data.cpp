#include <array>

#include "make_sample_game/sample_records.h"
#include "make_sample_game/sound_effects.h"
#include "make_sample_game/tunes.h"

namespace sample {

void BuildSystemData(cSystemData& system) {
  system.SetDefaults();
  system.strTitle = "Kestrel Quest";
  // The title's band of entries 208-239 cycles in 8 bits.
  system.bPaletteCycle = 1;
  // An extra life for every 500 points; five lives in the story, three for a challenge and in
  // free play.
  system.bExtraLife = 1;
  system.nExtraLifeScore = 500;
  system.StartLives[0] = 5;
  system.StartLives[1] = 3;
  system.StartLives[2] = 3;
  system.InfiniteLives[0] = 0;
  system.InfiniteLives[1] = 0;
  system.InfiniteLives[2] = 0;
  // Two stages on the challenge list; the second opens once the first is cleared.
  system.nChallengeStages = 2;
  system.bChallengeAllOpen = 0;
  // From Meadow into Dusk the hero keeps its HP, its maximum HP and the lives.
  system.CarryFlags.assign(kCarryFlagCount, 0);
  for (int group : {11, 13, 23}) system.CarryFlags[group] = 1;
  for (int i = 0; i < kSystemSoundCount; ++i) system.SystemSounds[i] = SystemSoundEffects()[static_cast<std::size_t>(i)].file;
  // Title, world map, stage select, options.
  constexpr std::array<int, kMenuMusicCount> kMenuMusic = {bgm::kTitle, bgm::kWorldMap, bgm::kCamp, bgm::kCamp};
  for (int slot = 0; slot < kMenuMusicCount; ++slot) {
    system.MenuMusic[slot] = kMenuMusic[static_cast<std::size_t>(slot)];
    system.MenuMusicLoop[slot] = 1;
  }
}

}  // namespace sample
