#include "data/hit_level.h"

#include <algorithm>

namespace {

constexpr double kSpeedPerSubStep = 6.0;  // pixels per frame that each sub-step allows
constexpr double kFixedSpeedSteps = 10.0;

bool FixedSpeedLevel(std::int32_t level) { return level >= 11 && level <= 19; }

}  // namespace

HitLevelUnits HitLevelUnitsOf(std::int32_t level, double gravity) {
  const std::int32_t steps = FixedSpeedLevel(level) ? level - 10 : level;
  HitLevelUnits units;
  units.subSteps = std::clamp(steps, 1, kMaxSubSteps);
  units.subSteps6 = 6 * units.subSteps;
  units.subSteps8 = 8 * units.subSteps;
  units.dSubSteps = units.subSteps;
  units.dSubStepsSquared = units.dSubSteps * units.dSubSteps;
  units.dSpeedLimit = FixedSpeedLevel(level) ? kSpeedPerSubStep * kFixedSpeedSteps : kSpeedPerSubStep * units.dSubSteps;
  units.dGravityPerStep = gravity / units.dSubStepsSquared;
  units.dSpeedLimitPerStep = units.dSpeedLimit / units.dSubSteps;
  return units;
}

cVector<std::int32_t> SubStepSchedule(std::int32_t subSteps, std::int32_t count) {
  const std::int32_t steps = std::clamp(subSteps, 0, kMaxSubSteps);
  cVector<std::int32_t> flags(static_cast<std::size_t>(steps), 0);
  if (steps == 0 || count < 0) return flags;
  // A step of at most one sub-step lands on every one of them.
  if (count == 0 || count >= steps) {
    flags.Fill(1);
    return flags;
  }
  const double step = static_cast<double>(steps) / count;
  double x = 0.0;
  std::int32_t set = 0;
  do {
    flags[static_cast<int>(x)] = 1;
    x += step;
    ++set;
  } while (static_cast<std::int32_t>(x) < steps);
  if (set < count) flags[steps - 1] = 1;
  return flags;
}
