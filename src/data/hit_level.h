#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// A frame of play runs in sub-steps; a stage's hit level chooses how many. Levels 11 to 19
// run level - 10 sub-steps at the speed limit of level 10.
struct HitLevelUnits {
  std::int32_t subSteps = 1;        // b
  std::int32_t subSteps6 = 6;       // 6 b: the sub-steps of a tenth of a second
  std::int32_t subSteps8 = 8;       // 8 b
  double dSubSteps = 1.0;           // b
  double dSubStepsSquared = 1.0;    // b × b
  double dSpeedLimit = 6.0;         // pixels per frame
  double dGravityPerStep = 0.0;     // gravity / (b × b)
  double dSpeedLimitPerStep = 6.0;  // speed limit / b
};

// Levels below 1 run one sub-step; levels beyond the cap run the cap, so that a frame always
// ends.
constexpr std::int32_t kMaxSubSteps = 100;

HitLevelUnits HitLevelUnitsOf(std::int32_t level, double gravity);

// Which of the b sub-steps of a frame test shots against characters: count 0 every one;
// otherwise count of them spread over the frame, the last sub-step among them when the spread
// falls short. A negative count flags none.
cVector<std::int32_t> SubStepSchedule(std::int32_t subSteps, std::int32_t count);
