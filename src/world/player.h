#pragma once

#include <cstdint>

#include "world/chara_base.h"

// The hero's part that the collisions and block effects read and write; input, jumps,
// flight changes and the camera's other duties come with the hero.
class cPlayer : public cCharaBase {
 public:
  cPlayer() = default;
  cPlayer(const cPlayer&) = default;
  cPlayer& operator=(const cPlayer&) = default;

  int OnMovedX() override;
  int OnMovedY() override;
  int StepX() override;
  int StepY() override;
  int Act(int dyingOnly) override;

  void Init(int number, const cEdChara& def, double startX, double startY);
  void RememberRide() { nPrevLandCell = nLandCell; }

  std::int32_t bJumpReady = 1;
  std::int32_t nJumpHold = 0;
  std::int32_t bJumpCut = 0;
  std::int32_t nBlockEffect = 0;
  double dBlockFactor = 0;
  std::int32_t nBlockEffectLeft = 0;
  std::int32_t nBlockEventCooldown = 0;
};
