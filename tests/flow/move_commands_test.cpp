// The movement and facing commands over a recording character: the velocity each hands over,
// where it turns, and how the targeted movements aim.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <cmath>
#include <string>

#include "data/command_tables.h"
#include "data/ed_move.h"
#include "data/system_data.h"
#include "fake_actor.h"
#include "flow/command_exec.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FakeWorld;
using flowtest::FlowOf;

constexpr double kDiag = 0.7071067811865476;

// A movement command of `kind` with a record; speed in tenths of a dot per frame.
cEdCommand MoveCommand(int kind, int tenths, const cEdMove& move) {
  cEdCommand c = Command(kind, tenths);
  c.pMove = boost::make_shared<cEdMove>(move);
  return c;
}

cEdMove Move(int speed, int direction) {
  cEdMove m;
  m.nSpeed = static_cast<std::int16_t>(speed);
  m.nDirection = static_cast<std::uint8_t>(direction);
  return m;
}

using Rig = flowtest::OneFlowRig;

TEST(MoveCommandsTest, StraightMovementHandsOverTheVelocityOfItsDirectionOrAngle) {
  struct Case {
    const char* name;
    int direction, angle;
    bool flying, fixedFacing;
    int facing;  // before
    double vx, vy;
    int facingAfter;
  };
  const double s = 1.0;  // 10 tenths a frame at b = 1
  const Case cases[] = {
      {"forward, facing right", 0, 0, false, false, 1, s, 0, 1},
      {"backward turns round", 1, 0, false, false, 1, -s, 0, 0},
      {"up on the ground: nothing", 6, 0, false, false, 0, 0, 0, 0},
      {"up in flight", 6, 0, true, false, 0, 0, -s, 0},
      {"down-left in flight", 9, 0, true, false, 1, -s * kDiag, s * kDiag, 0},
      {"down-left on the ground keeps only x", 9, 0, false, false, 1, -s * kDiag, 0, 0},
      {"angle 90 from left is up in flight", 2, 90, true, false, 1, -std::cos(M_PI / 2), -s, 0},
      {"up-right turned by 10 degrees", 10, 10, true, false, 0, -std::cos(145 * M_PI / 180),
       -std::sin(145 * M_PI / 180), 1},
      {"a fixed facing is kept", 3, 0, false, true, 0, s, 0, 0},
  };
  for (const Case& c : cases) {
    cEdMove move = Move(10, c.direction);
    move.nAngle = static_cast<std::int16_t>(c.angle);
    Rig rig({MoveCommand(kCmdMoveStraight, 10, move)});
    rig.actor.flying = c.flying;
    rig.actor.flags[2] = c.fixedFacing ? 1 : 0;
    rig.actor.facingNow = c.facing;
    rig.Step();
    EXPECT_NEAR(rig.actor.speed[0], c.vx, 1e-12) << c.name;
    EXPECT_NEAR(rig.actor.speed[1], c.vy, 1e-12) << c.name;
    EXPECT_EQ(rig.actor.facingNow, c.facingAfter) << c.name;
    EXPECT_EQ(rig.actor.movingShown, 1) << c.name;
    EXPECT_GE(rig.actor.stepMoveClears, 1) << c.name;
  }
}

TEST(MoveCommandsTest, TheKeyDirectionIsTheOneTheFlowStartedWith) {
  // Choice 5 is up-left: on the ground it becomes left, in flight it stays diagonal.
  for (const bool flying : {false, true}) {
    Rig rig({MoveCommand(kCmdMoveStraight, 10, Move(10, 12))});
    rig.actor.FlowState().Flows[0].nFirstKey = 5;
    rig.actor.flying = flying;
    rig.Step();
    EXPECT_NEAR(rig.actor.speed[0], flying ? -kDiag : -1.0, 1e-12);
    EXPECT_NEAR(rig.actor.speed[1], flying ? -kDiag : 0.0, 1e-12);
  }
}

TEST(MoveCommandsTest, InertiaAcceleratesUpToTheLimitAndTurnsSlowerAgainstItsDrift) {
  cEdMove move = Move(60, 3);  // 6 dots a sub-step at b = 1
  move.bInertia = 1;
  move.nMaxSpeed = 1;  // 0.1 dots a sub-step
  move.dTurnFactor = 0.5;
  move.bKeepMotion = 1;
  Rig rig({MoveCommand(kCmdMoveStraight, 100, move)});
  rig.actor.inertia[0] = -0.05;
  rig.Step();
  // Against the drift: half of 6 / 60.
  EXPECT_DOUBLE_EQ(rig.actor.inertia[0], -0.05 + 0.05);
  EXPECT_TRUE(rig.actor.turning[0]);
  rig.Step(2);
  EXPECT_DOUBLE_EQ(rig.actor.inertia[0], 0.1);  // clamped
  EXPECT_FALSE(rig.actor.turning[0]);
  EXPECT_EQ(rig.actor.speed[0], 0);
  EXPECT_EQ(rig.actor.movingShown, 0);
}

TEST(MoveCommandsTest, MovementTowardAPointEndsOnTheSubStepItArrives) {
  cEdMove move = Move(20, 0);  // 1 dot a sub-step at b = 2
  move.nSpecMode = 1;
  move.nCoordMode = 1;  // relative to the character
  move.nTargetX = 1;    // 32 dots
  move.nTargetXDots = 8;
  move.bAxisX = 1;
  move.bTimeToTarget = 1;
  Rig rig({MoveCommand(kCmdMoveStraight, 100, move), Command(kCmdWait, 100)}, 2);
  int steps = 0;
  while (rig.Cmd(0).nLeft > 0 || steps == 0) {
    rig.Step();
    ++steps;
    if (rig.actor.FlowState().Flows[0].nCurrent != 0) break;
  }
  EXPECT_EQ(steps, 40);
  EXPECT_DOUBLE_EQ(rig.actor.speed[0], 40.0);
  EXPECT_EQ(rig.actor.facingNow, 1);
}

TEST(MoveCommandsTest, GroundTurnBackTurnsAtWallsAndLedges) {
  struct Case {
    const char* name;
    int facing;
    bool wall, ridesChara;
    double shift;
    bool solidLeft, solidRight;
    double vx;
    int facingAfter;
  };
  const Case cases[] = {
      {"walks on", 1, false, false, 0, true, true, 1, 1},
      {"turns at a wall", 1, true, false, 0, true, true, -1, 0},
      {"turns at a ledge on its right", 1, false, false, 0, true, false, 1, 0},
      {"turns at a ledge on its left", 0, false, false, 0, false, true, -1, 1},
      {"off a platform moving its new way: twice the shift", 1, true, true, -0.25, true, true, -1.5, 0},
      {"off a platform moving against it: once", 1, true, true, 0.25, true, true, -0.75, 0},
  };
  for (const Case& c : cases) {
    Rig rig({MoveCommand(kCmdMoveTurnBack, 10, Move(10, 0))});
    rig.actor.facingNow = c.facing;
    rig.actor.wallHit = c.wall;
    rig.actor.ridesChara = c.ridesChara;
    rig.actor.riddenShift = c.shift;
    rig.actor.solidLeft = c.solidLeft;
    rig.actor.solidRight = c.solidRight;
    rig.actor.flags[2] = 1;  // the turn-back turns even a character of fixed facing
    rig.Step();
    EXPECT_DOUBLE_EQ(rig.actor.speed[0], c.vx) << c.name;
    EXPECT_EQ(rig.actor.facingNow, c.facingAfter) << c.name;
    EXPECT_FALSE(rig.actor.wallHit) << c.name;
  }
  // Knocked back, it walks on whatever lies ahead; in flight it does nothing.
  Rig knocked({MoveCommand(kCmdMoveTurnBack, 10, Move(10, 0))});
  knocked.actor.knockBack[0] = 2;
  knocked.actor.solidRight = false;
  knocked.Step();
  EXPECT_EQ(knocked.actor.facingNow, 1);
  Rig flying({MoveCommand(kCmdMoveTurnBack, 10, Move(10, 0))});
  flying.actor.flying = true;
  flying.Step();
  EXPECT_EQ(flying.actor.speed[0], 0);
  EXPECT_EQ(flying.actor.movingShown, 0);
}

TEST(MoveCommandsTest, CircleMovementStepsItsPhasesFromTheStartAngle) {
  cEdMove move = Move(10, 0);
  move.nTimingMode = 1;  // speed from the sweep
  move.nAngle = 0;
  move.nDistance = 360;
  move.nRadius = 2;
  Rig rig({MoveCommand(kCmdMoveCircle, 10, move)});
  rig.actor.flying = true;
  rig.Step(2);
  ASSERT_EQ(rig.actor.waves.size(), 4u);
  EXPECT_EQ(rig.actor.waves[0].amplitude, 32);
  EXPECT_EQ(rig.actor.waves[0].start, 0);
  EXPECT_EQ(rig.actor.waves[1].start, 270);  // clockwise
  EXPECT_DOUBLE_EQ(rig.actor.waves[2].phase, rig.actor.waves[0].phase + rig.actor.waves[0].step);

  // Radius 0 does nothing; on the ground only x moves.
  move.nRadius = 0;
  Rig still({MoveCommand(kCmdMoveCircle, 10, move)});
  still.actor.flying = true;
  still.Step();
  EXPECT_TRUE(still.actor.waves.empty());
  EXPECT_EQ(still.actor.movingShown, 0);
  move.nRadius = 1;
  Rig ground({MoveCommand(kCmdMoveCircle, 10, move)});
  ground.Step();
  EXPECT_EQ(ground.actor.waves.size(), 1u);
  EXPECT_EQ(ground.actor.speed[1], 0);
}

TEST(MoveCommandsTest, ChargeAimsOnceAtItsTargetAndTurnsByItsAngle) {
  // Without a target it stands; with one it keeps the first aim however the target moves.
  Rig none({MoveCommand(kCmdMoveCharge, 10, Move(10, 0))});
  none.Step();
  EXPECT_EQ(none.actor.speed[0], 0);
  EXPECT_EQ(none.actor.movingShown, 0);

  FakeActor target;
  target.x = -50;
  Rig rig({MoveCommand(kCmdMoveCharge, 10, Move(10, 0))});
  rig.actor.target = &target;
  rig.Step();
  EXPECT_DOUBLE_EQ(rig.actor.speed[0], -1);
  target.x = 50;
  rig.Step();
  EXPECT_DOUBLE_EQ(rig.actor.speed[0], -2);

  // Flying, turned by 90 degrees: atan2(0, 1) + 180 + 90 = 270, straight down.
  cEdMove turned = Move(10, 0);
  turned.nAngle = 90;
  for (const int legacy : {0, 1}) {
    SystemData.bLegacy728 = legacy;
    Rig fly({MoveCommand(kCmdMoveCharge, 10, turned)});
    fly.actor.flying = true;
    fly.actor.target = &target;
    fly.Step();
    // The old rule measures from the other axis: atan2(1, 0) + 90 + 90 = 270 as well, but
    // its x keeps cos's sign.
    EXPECT_NEAR(fly.actor.speed[0], 0, 1e-12) << legacy;
    EXPECT_NEAR(fly.actor.speed[1], 1, 1e-12) << legacy;
  }
  SystemData.bLegacy728 = 0;
}

TEST(MoveCommandsTest, HomingHeadsForWhereTheTargetWasSlownessStepsAgo) {
  cEdMove move = Move(10, 0);
  move.nRadius = 2;  // re-aims every 2 sub-steps at b = 1
  FakeActor target;
  Rig rig({MoveCommand(kCmdMoveHoming, 100, move)});
  rig.actor.flying = true;
  rig.actor.target = &target;
  std::string aimed;
  for (int i = 0; i < 6; ++i) {
    target.x = 100 + i;
    rig.Step();
    aimed.clear();
    for (const auto& a : rig.actor.approaches) aimed += std::to_string(static_cast<int>(a.x)) + " ";
  }
  // Sub-step 0 aims at 100; at 2 at the point kept at 0, at 4 at the one kept at 2.
  EXPECT_EQ(aimed, "100 100 102 ");
  EXPECT_EQ(rig.actor.movingShown, 6);

  // A target that has vanished stops it without touching its flags.
  target.vanished = true;
  const int clears = rig.actor.stepMoveClears;
  rig.Step();
  EXPECT_EQ(rig.actor.stepMoveClears, clears);
}

TEST(MoveCommandsTest, OffScreenAvoidanceBringsACharacterBackFromTheSideItWants) {
  struct Case {
    const char* name;
    int direction;
    FlowScreenRect rect;
    double autoSpeed, position;
    double vx, vy;
  };
  const Case cases[] = {
      {"left, beyond the right edge", 2, {620, 0, 652, 32, 32, 32}, 0, 0, -1, 0},
      {"left, still on screen", 2, {600, 0, 632, 32, 32, 32}, 0, 0, 0, 0},
      {"right, before the left edge", 3, {-20, 0, 12, 32, 32, 32}, 0, 0, 1, 0},
      {"down-left in flight", 9, {620, -40, 652, -8, 32, 32}, 0, 0, -1, 1},
      // While the view scrolls the edge moves in by |s + 1|.
      {"scrolling: against the view", 2, {607, 0, 639, 32, 32, 32}, 0.5, 100, 0.5 - 1, 0},
      {"scrolling: not yet past the edge", 2, {606, 0, 638, 32, 32, 32}, 0.5, 100, 0, 0},
      {"scrolling: not at the stage's start", 2, {607, 0, 639, 32, 32, 32}, 0.5, 0, 0, 0},
      {"scrolling: not past its end", 2, {607, 0, 639, 32, 32, 32}, 0.5, 1360, 0, 0},
  };
  for (const Case& c : cases) {
    Rig rig({MoveCommand(kCmdMoveAvoidOffscreen, 10, Move(10, c.direction))});
    rig.actor.flying = true;
    rig.actor.rect = c.rect;
    rig.world.axes[0] = {c.autoSpeed, false, c.position, 10, 2000};
    rig.world.axes[1] = {0, false, 0, 10, 1000};
    rig.Step();
    EXPECT_DOUBLE_EQ(rig.actor.speed[0], c.vx) << c.name;
    EXPECT_DOUBLE_EQ(rig.actor.speed[1], c.vy) << c.name;
  }
}

TEST(MoveCommandsTest, MovementCancelStopsTheCharacterInTheSameSubStep) {
  Rig rig({MoveCommand(kCmdMoveStraight, 0, Move(10, 3)), Command(kCmdStopMoving, 10)});
  rig.actor.inertia[1] = 2;
  rig.actor.knockBack[0] = 3;
  rig.actor.turning[0] = false;
  rig.Step(2);
  EXPECT_EQ(rig.actor.speed[0], 0);
  EXPECT_EQ(rig.actor.inertia[1], 0);
  EXPECT_EQ(rig.actor.knockBack[0], 0);
  EXPECT_TRUE(rig.actor.heldStill);
  EXPECT_FALSE(rig.actor.turning[0]);
}

TEST(MoveCommandsTest, DirectionChangeActsOnlyOnAFixedFacingAndSoundsEveryTenth) {
  struct Case {
    const char* name;
    int mode;
    bool fixed, hasTarget;
    int wallSide;
    int facingAfter;
    std::size_t sounds;  // over 13 sub-steps at b = 2
  };
  const Case cases[] = {
      {"not fixed: nothing", 0, false, false, -1, 1, 0},
      {"face left", 0, true, false, -1, 0, 2},
      {"face the target on the left", 2, true, true, -1, 0, 2},
      {"face away from it", 3, true, true, -1, 1, 2},
      {"no target: waits silently", 2, true, false, -1, 1, 0},
      {"face the wall last hit", 4, true, false, 0, 0, 2},
      {"face away from it", 5, true, false, 0, 1, 2},
  };
  for (const Case& c : cases) {
    cEdCommand turn = Command(kCmdTurn, 100);
    turn.params = {c.mode};
    turn.nSound = 7;
    Rig rig({turn}, 2);
    FakeActor target;
    target.x = -10;
    if (c.hasTarget) rig.actor.target = &target;
    rig.actor.flags[2] = c.fixed ? 1 : 0;
    rig.actor.wallSide = c.wallSide;
    rig.Step(13);
    EXPECT_EQ(rig.actor.facingNow, c.facingAfter) << c.name;
    EXPECT_EQ(rig.world.sounds.size(), c.sounds) << c.name;
  }
}

TEST(MoveCommandsTest, ACommandWithoutItsRecordDoesNothing) {
  for (const int kind : {kCmdMoveStraight, kCmdMoveHoming, kCmdShot, kCmdSword}) {
    Rig rig({Command(kind, 10)});
    rig.actor.target = &rig.actor;
    rig.Step(3);
    EXPECT_EQ(rig.actor.movingShown, 0) << kind;
    EXPECT_TRUE(rig.actor.shots.empty()) << kind;
    EXPECT_TRUE(rig.actor.swords.empty()) << kind;
  }
}

}  // namespace
