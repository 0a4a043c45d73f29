#pragma once

// The sounds the game world asks for: system sounds by id (0 to 16) and project sounds by
// their number. The sound subsystem registers its player; the default plays nothing.
class cWorldSoundLink {
 public:
  virtual ~cWorldSoundLink() = default;
  virtual void PlaySE(int /*id*/) {}
  virtual void PlayUserSE(int /*number*/) {}
};

void SetWorldSoundLink(cWorldSoundLink* link);
cWorldSoundLink& WorldSound();

// System sound ids the world plays.
enum : int {
  kSoundHurt = 7,
  kSoundHeroDown = 8,
  kSoundCharaDown = 9,
  kSoundSpring = 10,
};
