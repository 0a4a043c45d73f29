// Flow installation: loops unrolled, budgets and speeds per kind and mode, lead-in schedules,
// flows added, removed and renumbered while the character runs.
#include <gtest/gtest.h>

#include <vector>

#include <boost/make_shared.hpp>

#include "data/command_tables.h"
#include "data/database.h"
#include "data/system_data.h"
#include "fake_actor.h"
#include "flow/flow_install.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FlowOf;
using flowtest::Loop;

// Commands labelled by their time, so that a list reads as its labels.
std::vector<int> Labels(const cVector<cEdCommand>& commands) {
  std::vector<int> labels;
  for (const cEdCommand& c : commands) labels.push_back(c.nTime);
  return labels;
}

cEdCommand L(int label) { return Command(kCmdWait, label); }

TEST(UnrollLoopsTest, BodiesRepeatOutermostFirstAndClipAtTheEnd) {
  cEdCommand itemLoop = Loop(2, 1);
  itemLoop.nSet = kItemCommandSet;
  itemLoop.nKind = 24;
  struct Case {
    const char* name;
    std::vector<cEdCommand> list;
    std::vector<int> labels;
  };
  const Case cases[] = {
      {"(A B) x 3, C", {Loop(3, 2), L(1), L(2), L(3)}, {1, 2, 1, 2, 1, 2, 3}},
      {"a body past the end is clipped", {L(1), Loop(3, 5), L(2), L(3)}, {1, 2, 3, 2, 3, 2, 3}},
      {"count 0 leaves the body once", {Loop(0, 2), L(1), L(2), L(3)}, {1, 2, 3}},
      {"count 1 likewise", {Loop(1, 2), L(1), L(2)}, {1, 2}},
      {"length 0 only goes", {Loop(3, 0), L(1)}, {1}},
      {"a negative length likewise", {Loop(3, -2), L(1)}, {1}},
      {"a loop in a body, per copy", {Loop(2, 3), L(1), Loop(2, 1), L(2)}, {1, 2, 2, 1, 2, 2}},
      {"the item set's loop", {itemLoop, L(1), L(2)}, {1, 1, 2}},
      // A loop whose body is a loop at the list's end copies itself without growing the list:
      // the copies run out and the loops go.
      {"self-copying loops end", {L(1), Loop(2, 1), Loop(2, 1)}, {1}},
  };
  for (const Case& c : cases) {
    cVector<cEdCommand> list(c.list);
    UnrollLoops(list);
    EXPECT_EQ(Labels(list), c.labels) << c.name;
  }
}

TEST(UnrollLoopsTest, TheListStopsGrowingAtTheCapAndDeepNestingStaysQuick) {
  cVector<cEdCommand> big(std::vector<cEdCommand>{Loop(100000, 1), L(1)});
  UnrollLoops(big);
  EXPECT_EQ(big.size(), static_cast<std::size_t>(kMaxUnrolledCommands));
  // Forty loops, each doubling everything after it: 2^40 commands if nothing held it back.
  std::vector<cEdCommand> nested(40, Loop(2, 41));
  nested.push_back(L(7));
  cVector<cEdCommand> list(nested);
  UnrollLoops(list);
  EXPECT_LE(list.size(), static_cast<std::size_t>(kMaxUnrolledCommands));
  for (const cEdCommand& c : list) EXPECT_EQ(c.nKind, kCmdWait);
}

cEdCommand Move(int kind, int mode, int speed, int distance, int unit = 0) {
  cEdCommand c = Command(kind, 1);
  auto move = boost::make_shared<cEdMove>();
  move->nTimingMode = static_cast<std::uint8_t>(mode);
  move->nSpeed = static_cast<std::int16_t>(speed);
  move->nDistance = static_cast<std::int16_t>(distance);
  move->nDistUnit = static_cast<std::uint8_t>(unit);
  c.pMove = move;
  return c;
}

class InstallTest : public testing::Test {
 protected:
  ~InstallTest() override {
    SystemData.bLegacy695 = 0;
    Database.Animes = savedAnimes_;
  }
  const cFlowCmd& Installed(const cEdCommand& command, int b) {
    actor.b = b;
    actor.defs = {FlowOf(1, {command})};
    InstallFlows(actor, actor.defs, 0, 0);
    return actor.FlowState().Flows[0].vCmds[0];
  }
  FakeActor actor;

 private:
  cVector<cEdAnime> savedAnimes_ = Database.Animes;
};

TEST_F(InstallTest, BudgetsAndSpeedsAreInSubStepsWithPerCloneIncrements) {
  for (const int b : {1, 2}) {
    actor.clone = 3;
    cEdCommand wait = Command(kCmdWait, 2);
    wait.nTimeStep = 1;
    EXPECT_EQ(Installed(wait, b).nBudget, (3 * 1 + 2) * 6 * b);
    cEdCommand straight = Move(kCmdMoveStraight, 0, 30, 0);
    straight.pMove->nSpeedStep = 10;
    straight.pMove->nDirection = 5;
    straight.pMove->bInertia = 1;
    straight.pMove->nMaxSpeed = 50;
    const cFlowCmd& c = Installed(straight, b);
    EXPECT_DOUBLE_EQ(c.dSpeed, (10 * 3 + 30) * 0.1 / b);
    EXPECT_DOUBLE_EQ(c.dSpeedMax, 50 * 0.1 / b);
    EXPECT_EQ(c.cMoveDir, 5);
    actor.clone = 0;
  }
}

TEST_F(InstallTest, MovementModesSolveTheBudgetOrTheSpeedFromTheDistance) {
  struct Case {
    const char* name;
    cEdCommand command;
    int legacy;
    int budget;     // at b = 2
    double speed;   // at b = 2
  };
  const Case cases[] = {
      {"time and speed", Move(kCmdMoveStraight, 0, 20, 4), 0, 12, 1.0},
      {"time and distance", Move(kCmdMoveCharge, 1, 20, 4), 0, 12, 64.0 / 12},
      {"speed and distance", Move(kCmdMoveTurnBack, 2, 20, 4), 0, 64, 1.0},
      {"speed and distance in dots", Move(kCmdMoveAvoidOffscreen, 2, 20, 10, 1), 0, 10, 1.0},
      {"no distance runs once", Move(kCmdMoveStraight, 2, 20, 0), 0, 0, 1.0},
      {"backwards is still a time", Move(kCmdMoveStraight, 2, 20, -4), 0, 64, 1.0},
      {"backwards under the old rule stays negative", Move(kCmdMoveStraight, 2, 20, -4), 1, -64, 1.0},
      {"no speed gives no time", Move(kCmdMoveStraight, 2, 0, 4), 0, 0, 0.0},
      {"homing likewise", Move(kCmdMoveHoming, 2, 20, 4), 0, 64, 1.0},
  };
  for (const Case& c : cases) {
    SystemData.bLegacy695 = c.legacy;
    const cFlowCmd& installed = Installed(c.command, 2);
    EXPECT_EQ(installed.nBudget, c.budget) << c.name;
    EXPECT_DOUBLE_EQ(installed.dSpeed, c.speed) << c.name;
  }
}

TEST_F(InstallTest, CirclesClampTheirRadiusAndMirrorForACharacterPlacedFacingRight) {
  cEdCommand circle = Move(kCmdMoveCircle, 0, 0, 100);
  circle.pMove->nRadius = 25;
  circle.pMove->nAngle = 10;
  circle.pMove->nDirection = 0;
  circle.pMove->bMirrorX = 1;
  const cFlowCmd& left = Installed(circle, 2);
  EXPECT_EQ(left.nParam, 20 * 16 * 2);
  EXPECT_EQ(left.nAngleFrom, 10 * 2);
  EXPECT_EQ(left.nAngleTo, 100 * 2);
  EXPECT_DOUBLE_EQ(left.dSpeed, (100 - 10) * 2.0 / 12 / 2);
  EXPECT_EQ(left.cMoveDir, 0);
  actor.facing = 1;
  const cFlowCmd& right = Installed(circle, 2);
  EXPECT_EQ(right.cMoveDir, 1);
  EXPECT_EQ(right.nAngleFrom, (180 + 10) * 2);
  // Speed given: the time follows from the sweep.
  circle.pMove->nTimingMode = 1;
  circle.pMove->nSpeed = 30;
  EXPECT_EQ(Installed(circle, 2).nBudget, 60);  // 180 / 1.5 / 2
  cEdCommand homing = Move(kCmdMoveHoming, 0, 10, 0);
  homing.pMove->nRadius = 3;
  homing.pMove->nRadiusStep = 1;
  actor.clone = 2;
  EXPECT_EQ(Installed(homing, 2).nParam, 5 * 2);
}

TEST_F(InstallTest, AJumpTakesItsSpeedAndTimeFromItsHeight) {
  cEdCommand jump = Command(kCmdJump, 0);
  jump.params = {0, 0, 4, 0, 0};
  actor.b = 2;
  actor.defs = {FlowOf(1, {jump})};
  InstallFlows(actor, actor.defs, 0, 0);
  const cFlowCmd& c = actor.FlowState().Flows[0].vCmds[0];
  EXPECT_DOUBLE_EQ(c.dSpeed, -2.0);               // the fake's jump speed of 4 half blocks
  EXPECT_EQ(actor.defs[0].commands[0].nTime, 5);  // its apex time, written into the definition
  EXPECT_EQ(c.nBudget, 5 * 6 * 2);
}

TEST_F(InstallTest, LeadInsReachTheirHoldFrameAsTheirCommandStarts) {
  // An animation of 2 + 3 tenths before its held frame: 30 frames.
  cEdAnime anime;
  anime.Frames.clear();
  for (const auto& [tenths, hold] : {std::pair{2, 0}, std::pair{3, 0}, std::pair{4, 1}}) {
    cEdAnimeFrame frame;
    frame.nDuration = tenths;
    frame.bHold = hold;
    anime.Frames.push_back(frame);
  }
  Database.Animes = {cEdAnime{}, anime};
  struct Case {
    const char* name;
    std::vector<cEdCommand> commands;
    int b;
    FlowLeadIn expected;
  };
  const Case cases[] = {
      {"time enough before", {Command(kCmdWait, 10), Command(kCmdWait, 2, false, 1)}, 1, {30, 1, 0, 30, 12, 1}},
      {"twice the sub-steps", {Command(kCmdWait, 10), Command(kCmdWait, 2, false, 1)}, 2, {60, 1, 0, 30, 12, 1}},
      {"too little time: cut", {Command(kCmdWait, 2), Command(kCmdWait, 2, false, 1)}, 1, {0, 1, 18, 12, 12, 1}},
      {"no-wait commands do not count",
       {Command(kCmdWait, 10, true), Command(kCmdWait, 2), Command(kCmdWait, 2, false, 1)}, 1, {0, 1, 18, 12, 12, 1}},
      {"a sword's hold is not stretched", {Command(kCmdWait, 10), Command(kCmdSword, 2, false, 1)}, 1, {30, 1, 0, 30, 12, 0}},
  };
  for (const Case& c : cases) {
    actor.b = c.b;
    cEdFlow flow = FlowOf(1, {});
    for (const cEdCommand& command : c.commands) flow.commands.push_back(command);
    actor.defs = {flow};
    InstallFlows(actor, actor.defs, 0, 0);
    const cVector<FlowLeadIn>& leadIns = actor.FlowState().Flows[0].vLeadIns;
    ASSERT_EQ(leadIns.size(), 1u) << c.name;
    const FlowLeadIn& l = leadIns[0];
    EXPECT_EQ(l.nStart, c.expected.nStart) << c.name;
    EXPECT_EQ(l.nAnime, c.expected.nAnime) << c.name;
    EXPECT_EQ(l.nOffset, c.expected.nOffset) << c.name;
    EXPECT_EQ(l.nLength, c.expected.nLength) << c.name;
    EXPECT_EQ(l.nHold, c.expected.nHold) << c.name;
    EXPECT_EQ(l.bExtend, c.expected.bExtend) << c.name;
  }
}

TEST_F(InstallTest, FlowsJoinAtAPlaceAndLeaveByOperationId) {
  actor.defs = {FlowOf(1, {L(1)}, 0, 2), FlowOf(1, {L(2)}, 0, 0), FlowOf(1, {L(3)}, 0, 2)};
  InstallFlows(actor, actor.defs, 0, 0);
  cVector<cEdFlow> added = {FlowOf(1, {Loop(2, 1), L(4)}, 0, 3), FlowOf(1, {L(5)}, 0, 0)};
  added[1].bKeyContinuous = 1;
  EXPECT_EQ(InstallFlows(actor, added, 1, 1), 2);
  cFlowSet& set = actor.FlowState();
  ASSERT_EQ(set.Flows.size(), 5u);
  ASSERT_EQ(actor.defs.size(), 5u);
  std::vector<int> firstLabels;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(set.Flows[i].nDefIndex, i);
    EXPECT_EQ(set.Flows[i].vCmds.size(), actor.defs[i].commands.size());
    firstLabels.push_back(actor.defs[i].commands[0].nTime);
  }
  EXPECT_EQ(firstLabels, (std::vector<int>{1, 4, 5, 2, 3}));
  EXPECT_EQ(actor.defs[1].commands.size(), 2u);  // unrolled
  EXPECT_EQ(set.Flows[1].bKeyLatch, 1);           // a key held now does not start it
  EXPECT_EQ(set.Flows[2].bKeyLatch, 0);           // a continuous key flow is not latched
  EXPECT_EQ(set.Flows[1].nAnimeKey, 3);
  EXPECT_EQ(set.Flows[2].nAnimeKey, 4);
  // Outside the list: appended.
  cVector<cEdFlow> more = {FlowOf(1, {L(6)})};
  InstallFlows(actor, more, 1, 99);
  EXPECT_EQ(actor.defs[5].commands[0].nTime, 6);

  const int keyOfFirst = set.Flows[0].nAnimeKey;
  const int keyOfLast = set.Flows[4].nAnimeKey;
  EXPECT_EQ(RemoveFlowsById(actor, 9), -1);
  EXPECT_EQ(RemoveFlowsById(actor, 2), 0);
  EXPECT_EQ(actor.removedKeys, (std::vector<int>{keyOfFirst, keyOfLast}));
  ASSERT_EQ(set.Flows.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(set.Flows[i].nDefIndex, i);
  EXPECT_EQ(actor.defs[0].commands[0].nTime, 4);
  EXPECT_EQ(RemoveFlowsById(actor, 0), 0);
  EXPECT_TRUE(set.Flows.empty());
  EXPECT_TRUE(actor.defs.empty());
  EXPECT_TRUE(actor.animesCleared);
}

TEST_F(InstallTest, AnotherCharactersRunningFlowsAreTakenOverAndRenumbered) {
  FakeActor other;
  other.defs = {FlowOf(1, {L(1), L(2)}), FlowOf(1, {L(3)})};
  InstallFlows(other, other.defs, 0, 0);
  other.FlowState().Flows[1].bRunning = 1;
  other.FlowState().Flows[1].nDefIndex = 7;  // stale after some change
  actor.defs = other.defs;
  SetFlows(actor, other.FlowState().Flows);
  ASSERT_EQ(actor.FlowState().Flows.size(), 2u);
  EXPECT_EQ(actor.FlowState().Flows[1].nDefIndex, 1);
  EXPECT_EQ(actor.FlowState().Flows[1].bRunning, 1);
  EXPECT_EQ(actor.FlowState().Flows[0].vCmds[1].nIndex, 1);
}

}  // namespace
