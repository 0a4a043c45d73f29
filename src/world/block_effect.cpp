// What the special block under the hero's feet does to the hero.
#include "world/scene_play.h"
#include "core/world_math.h"
#include "world/world_sound.h"

namespace {

enum : int {
  kEffectSpring = 1,
  kEffectNoJump = 2,
  kEffectSpeed = 3,
  kEffectCarryLeft = 4,
  kEffectCarryRight = 5,
};

}  // namespace

int cScenePlay::ApplyBlockEffect(cPlayer& hero) {
  if (hero.Flies()) return 0;
  const cEdBlock* cell = hero.nFootCell >= 0 ? CellBlock(hero.nFootCell) : nullptr;
  if (cell != nullptr && hero.nBlockEffectLeft == 0 && HitKind(hero.nFootCell, hero.nGroup) != 0) {
    const int value = cell->nBlockEffectValue;
    switch (cell->nBlockEffect) {
      case kEffectSpring: {
        WorldSound().PlaySE(kSoundSpring);
        hero.vy = hero.JumpSpeed(static_cast<std::int8_t>(value & 0xFF));
        hero.bInJump = 1;
        hero.bAscending = 1;
        hero.bJumpReady = 0;
        const double g = Units.dGravityPerStep;
        hero.nJumpHold = TruncToInt(Units.subSteps - (g != 0 ? hero.vy / g : 0.0));
        break;
      }
      case kEffectNoJump: hero.bJumpCut = 1; break;
      case kEffectSpeed:
        hero.nBlockEffect = kEffectSpeed;
        hero.dBlockFactor = value * 0.01;
        hero.nBlockEffectLeft = Units.subSteps;
        break;
      case kEffectCarryLeft:
      case kEffectCarryRight:
        hero.nBlockEffect = cell->nBlockEffect;
        hero.dBlockFactor = value * 0.1 / Units.dSubSteps;
        hero.nBlockEffectLeft = Units.subSteps;
        break;
      default: break;
    }
    if (cell->nBlockEffect != kEffectNoJump) hero.bJumpCut = 0;
  }
  if (hero.nBlockEffectLeft > 0) {
    switch (hero.nBlockEffect) {
      case kEffectSpeed: hero.vx *= hero.dBlockFactor; break;
      case kEffectCarryLeft:
        hero.vx -= hero.dBlockFactor;
        if (hero.ax > 0) hero.ax = 0;
        break;
      case kEffectCarryRight:
        hero.vx += hero.dBlockFactor;
        if (hero.ax < 0) hero.ax = 0;
        break;
      default: break;
    }
    if (--hero.nBlockEffectLeft == 0 && hero.vy >= 0) hero.vy += 1;
  }
  return 0;
}
