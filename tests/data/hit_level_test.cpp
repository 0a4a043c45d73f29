#include "data/hit_level.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/stage_data.h"

namespace {

TEST(HitLevelTest, LevelsGiveTheirSubStepsAndExactPhysicsValues) {
  struct Row {
    std::int32_t level;
    std::int32_t steps;
    double speedLimit;
    double speedPerStep;
    double gravityPerStep;
  };
  const Row rows[] = {
      {10, 10, 60.0, 6.0, 0.004},
      {11, 1, 60.0, 60.0, 0.4},
      {19, 9, 60.0, 60.0 / 9.0, 0.4 / 81.0},
      {20, 20, 120.0, 6.0, 0.4 / 400.0},
      {1, 1, 6.0, 6.0, 0.4},
      // Levels the authoring tool never offers still give at least one and at most the cap.
      {0, 1, 6.0, 6.0, 0.4},
      {-7, 1, 6.0, 6.0, 0.4},
      {1000000, kMaxSubSteps, 6.0 * kMaxSubSteps, 6.0, 0.4 / (kMaxSubSteps * kMaxSubSteps)},
  };
  for (const Row& row : rows) {
    cStageData stage;
    stage.dGravity = 0.4;
    stage.SetHitLevel(row.level);
    EXPECT_EQ(stage.nHitLevel, row.level);
    EXPECT_EQ(stage.nSubSteps, row.steps) << row.level;
    EXPECT_EQ(stage.dSubSteps, static_cast<double>(row.steps)) << row.level;
    EXPECT_EQ(stage.dSubStepsSquared, static_cast<double>(row.steps) * row.steps) << row.level;
    EXPECT_EQ(stage.dSpeedLimit, row.speedLimit) << row.level;
    EXPECT_EQ(stage.dSpeedLimitPerStep, row.speedPerStep) << row.level;
    EXPECT_EQ(stage.dGravityPerStep, row.gravityPerStep) << row.level;
    EXPECT_EQ(stage.nSubSteps8, 8 * row.steps) << row.level;
    EXPECT_EQ(stage.nSubSteps6, 6 * row.steps) << row.level;
  }
}

std::vector<int> Flagged(const cVector<std::int32_t>& schedule) {
  std::vector<int> flagged;
  for (std::size_t i = 0; i < schedule.size(); ++i) {
    if (schedule[static_cast<int>(i)] != 0) flagged.push_back(static_cast<int>(i));
  }
  return flagged;
}

TEST(HitLevelTest, TheShotTestScheduleSpreadsItsSubStepsOverTheFrame) {
  struct Row {
    std::int32_t steps;
    std::int32_t count;
    std::vector<int> flagged;
  };
  const Row rows[] = {
      {10, 3, {0, 3, 6}},  // the fourth x is exactly 10.0
      {10, 4, {0, 2, 5, 7}},
      {10, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {4, 3, {0, 1, 2}},
      // The step is added up in doubles: the sixth x falls just short of 8.
      {8, 6, {0, 1, 2, 4, 5, 6, 7}},
      {3, 1, {0}},
      {3, 7, {0, 1, 2}},
      {10, -1, {}},
      {1, 0, {0}},
  };
  for (const Row& row : rows) {
    const cVector<std::int32_t> schedule = SubStepSchedule(row.steps, row.count);
    EXPECT_EQ(schedule.size(), static_cast<std::size_t>(row.steps));
    EXPECT_EQ(Flagged(schedule), row.flagged) << row.steps << " sub-steps, " << row.count;
  }
}

TEST(HitLevelTest, LevelZeroAndANegativeCountStillEnd) {
  const HitLevelUnits units = HitLevelUnitsOf(0, 0.4);
  EXPECT_EQ(Flagged(SubStepSchedule(units.subSteps, 2)), std::vector<int>{0});
  EXPECT_EQ(Flagged(SubStepSchedule(units.subSteps, -1)), std::vector<int>{});
  EXPECT_EQ(Flagged(SubStepSchedule(0, 3)), std::vector<int>{});
  EXPECT_EQ(SubStepSchedule(kMaxSubSteps, 2147483647).size(), static_cast<std::size_t>(kMaxSubSteps));
}

}  // namespace
