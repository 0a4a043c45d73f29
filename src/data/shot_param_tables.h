#pragma once

#include <cstdint>

// One adjustable parameter of a shot formation or trajectory: its caption, the limits the
// arrange command keeps a changed value within, and the authoring tool's default. A row with
// an empty caption stands for no parameter.
struct ShotParamRow {
  const char* name;
  std::int16_t minimum;
  std::int16_t maximum;
  std::int16_t initial;
};

constexpr int kShotParamsPerRow = 3;
constexpr int kFormationKinds = 6;
constexpr int kTrajectoryKinds = 10;

// Formation f, parameter j at row 3f + j.
extern const ShotParamRow ShotFormationParams[kFormationKinds * kShotParamsPerRow];
// Trajectory t, parameter j at row 3t + j.
extern const ShotParamRow ShotTrajectoryParams[kTrajectoryKinds * kShotParamsPerRow];

// The row of parameter j of a formation or trajectory; an empty row for anything outside the
// tables.
const ShotParamRow& FormationParamRow(int formation, int parameter);
const ShotParamRow& TrajectoryParamRow(int trajectory, int parameter);
