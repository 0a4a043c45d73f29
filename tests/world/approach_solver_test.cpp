#include "world/approach_solver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ApproachInput Aim(double fx, double fy, double tx, double ty, double v) {
  ApproachInput in;
  in.fx = fx;
  in.fy = fy;
  in.tx = tx;
  in.ty = ty;
  in.v = v;
  return in;
}

TEST(ApproachSolverTest, TheStartPointItselfGivesNoVelocityAndArrives) {
  ApproachInput in = Aim(50, 50, 50, 50, 3);
  in.stopAtTarget = true;
  const ApproachResult r = SolveApproach(in);
  EXPECT_EQ(r.vx, 0);
  EXPECT_EQ(r.vy, 0);
  EXPECT_TRUE(r.arrived);
  EXPECT_EQ(r.direction, 0);
}

TEST(ApproachSolverTest, ANegativeSpeedFleesDiagonallyAndNeverArrives) {
  ApproachInput in = Aim(0, 0, 100, 30, -2);
  in.stopAtTarget = true;
  const ApproachResult r = SolveApproach(in);
  EXPECT_DOUBLE_EQ(r.vx, -2 * 0.7071067811865476);
  EXPECT_DOUBLE_EQ(r.vy, -2 * 0.7071067811865476);
  EXPECT_EQ(r.direction, 1);
  EXPECT_FALSE(r.arrived);
}

TEST(ApproachSolverTest, AutoScrollCorrectionByWhoFollowsTheScreen) {
  struct Case {
    bool all, mover, target;
    double expectVx;
  };
  // Straight down at speed 2 with the screen scrolling right at 1.
  const Case cases[] = {
      {true, false, false, 1.0},   // A: everything rides the screen
      {false, false, false, -1.0}, // neither: counter the screen
      {false, true, false, -1.0},  // the mover only
      {false, true, true, 0.0},    // both: nothing changes
  };
  for (const Case& c : cases) {
    ApproachInput in = Aim(0, 0, 0, 100, 2);
    in.hasTarget = true;
    in.allFollow = c.all;
    in.moverFollows = c.mover;
    in.targetFollows = c.target;
    in.scrollX = 1;
    EXPECT_DOUBLE_EQ(SolveApproach(in).vx, c.expectVx) << c.all << c.mover << c.target;
  }
}

TEST(ApproachSolverTest, InterceptsATargetThatRidesTheScreen) {
  // Worked by hand: the target 100 below drifts right at 1 per step; at speed 2 the mover
  // matches the drift and keeps sqrt(3) downwards.
  ApproachInput in = Aim(0, 0, 0, 100, 2);
  in.hasTarget = true;
  in.targetFollows = true;
  in.scrollX = 1;
  const ApproachResult r = SolveApproach(in);
  EXPECT_FALSE(r.gaveUp);
  EXPECT_DOUBLE_EQ(r.vy, std::sqrt(3.0));
  EXPECT_NEAR(r.vx, 1.0, 1e-12);
  EXPECT_EQ(r.direction, 2);
}

TEST(ApproachSolverTest, AnUnreachableInterceptionGivesUpWithTheStraightVelocity) {
  // The screen outruns the mover: the quadratic has no real root.
  ApproachInput in = Aim(0, 0, 0, 100, 2);
  in.hasTarget = true;
  in.targetFollows = true;
  in.scrollX = 3;
  const ApproachResult r = SolveApproach(in);
  EXPECT_TRUE(r.gaveUp);
  EXPECT_TRUE(std::isfinite(r.vx) && std::isfinite(r.vy));
  EXPECT_EQ(r.vx, 0);
  EXPECT_EQ(r.vy, 2);
  EXPECT_FALSE(r.arrived);
}

TEST(ApproachSolverTest, OneAxisSolvers) {
  ApproachInput in = Aim(10, 0, 5, 40, 3);
  in.stopAtTarget = true;
  ApproachResult r = SolveApproachX(in);
  EXPECT_EQ(r.vx, -3);
  EXPECT_EQ(r.direction, 1);
  EXPECT_FALSE(r.arrived);
  in.tx = 8;
  EXPECT_TRUE(SolveApproachX(in).arrived);
  r = SolveApproachY(in);
  EXPECT_EQ(r.vy, 3);
  EXPECT_EQ(r.vx, 0);
}

}  // namespace
