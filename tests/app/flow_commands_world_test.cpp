// The movement, jump and shot commands driving real characters on a stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/make_shared.hpp>
#include <vector>

#include "app/flow_engine_link.h"
#include "data/command_tables.h"
#include "data/ed_background.h"
#include "data/ed_flow.h"
#include "data/ed_key_condition.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
#include "flow/command_workers.h"
#include "flow/warp_target_commands.h"
#include "flow/flow_world_seam.h"
#include "input/input.h"
#include "support/flow_commands.h"
#include "support/world_fixture.h"
#include "world/chara.h"
#include "world/player.h"
#include "world/flow_link.h"

namespace {

// One character of entry 1 of the stage's palette, summoned in front of the summoner.
cEdCommand SummonFirstOfStagePalette() {
  cEdCommand summon;
  summon.nKind = kCmdSummonChara;
  summon.pShot = boost::make_shared<cEdShot>();
  summon.pShot->nCount = 1;
  summon.pShot->nScale = 1;
  summon.pShot->nSummonPalette = 1;  // the stage's palette
  summon.pShot->nSummonIndex = 1;
  return summon;
}

cEdFlow Always(std::initializer_list<cEdCommand> commands) {
  cEdFlow flow;
  for (const cEdCommand& c : commands) flow.commands.push_back(c);
  return flow;
}

cEdCommand TurnBack(int tenthsPerFrame) {
  cEdCommand c;
  c.nKind = kCmdMoveTurnBack;
  c.pMove = boost::make_shared<cEdMove>();
  c.pMove->nSpeed = static_cast<std::int16_t>(tenthsPerFrame);
  return c;
}

// A stage of the given rows with the flow engine serving its characters.
struct EngineWorld {
  explicit EngineWorld(std::vector<std::string> rows) : world(std::move(rows)) {
    SetFlowLink(&FlowEngineLink());
    SetFlowWorld(&PlaySceneFlowWorld());
  }
  ~EngineWorld() { SetFlowWorld(nullptr); }
  worldtest::WorldFixture world;
};

TEST(FlowCommandsWorldTest, AWalkerTurnsAtAWallAndAtTheEdgeOfItsLedge) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"a wall", {"..........", "H...e..#..", "##########"}},
      {"a ledge", {"..........", "H...e.....", "#######..."}},
  };
  for (const Case& c : cases) {
    EngineWorld w(c.rows);
    cEdChara walker = worldtest::WalkerTemplate();
    walker.nFacing = 1;
    walker.flows.push_back(Always({TurnBack(20)}));
    w.world.charas['e'] = walker;
    w.world.Build();
    const cChara& e = *w.world.Chara(1);
    w.world.Step(2);  // lands first
    const double startY = e.y;
    double rightmost = e.x;
    bool turned = false;
    for (int frame = 0; frame < 120; ++frame) {
      w.world.Step(1);
      rightmost = std::max(rightmost, e.right);
      turned = turned || e.nFacing == 0;
    }
    EXPECT_TRUE(turned) << c.name;
    // At most a step over column 7: the wall stops it, the ledge's edge turns it.
    EXPECT_LT(rightmost, worldtest::WorldFixture::BlockX(7) + 4) << c.name;
    EXPECT_LT(e.y, startY + 4) << c.name;                                     // never fell
  }
}

TEST(FlowCommandsWorldTest, AHeldJumpGoesHigherThanATap) {
  const auto peak = [](int framesHeld) {
    EngineWorld w({"..........", "..........", "..........", "..........", "..........", "H.........",
                   "##########"});
    cEdCommand jump;
    jump.nKind = kCmdJump;
    jump.params = {1, 0, 6, 0, 0};  // held key extends it, up to 6 half blocks
    cEdFlow flow = Always({jump});
    cEdKeyCondition button1;
    button1.keyStates.assign(19, 0);
    button1.keyStates[11] = 1;
    button1.bAnyHold = 1;
    flow.keyConditions.push_back(button1);
    w.world.charas['H'] = worldtest::HeroTemplate();
    w.world.charas['H'].flows.push_back(flow);
    w.world.Build();
    cInput& input = PlayerInputs[0];
    const cInput saved = input;
    w.world.Step(5);  // lands first
    const double ground = w.world.Hero().y;
    double top = ground;
    for (int frame = 0; frame < 90; ++frame) {
      input.m_wButton = frame < framesHeld ? 1 : 0;
      input.UpdateEvents();
      w.world.Step(1);
      top = std::min(top, w.world.Hero().y);
    }
    input = saved;
    return ground - top;
  };
  const double tap = peak(1);
  const double held = peak(40);
  EXPECT_GT(tap, 0);
  EXPECT_GT(held, tap + 16);
}

TEST(FlowCommandsWorldTest, AShotCommandFiresEveryTenthOfASecondWhileItRuns) {
  EngineWorld w({"..........", "H...e.....", "##########"});
  cEdCommand shot;
  shot.nKind = kCmdShot;
  shot.nTime = 5;
  shot.nSound = 4;
  shot.pShot = boost::make_shared<cEdShot>();
  shot.pShot->nCount = 1;
  shot.pShot->nSpeed = 40;
  cEdCommand rest;
  rest.nKind = kCmdWait;
  rest.nTime = 100;
  cEdChara walker = worldtest::WalkerTemplate();
  walker.flows.push_back(Always({shot, rest}));
  w.world.charas['e'] = walker;
  w.world.Build();
  const int first = w.world.Scene().nShotNumber;
  std::vector<int> fired;
  for (int frame = 1; frame <= 60; ++frame) {
    const int before = w.world.Scene().nShotNumber;
    w.world.Step(1);
    if (w.world.Scene().nShotNumber != before) fired.push_back(frame);
  }
  EXPECT_EQ(fired, (std::vector<int>{1, 7, 13, 19, 25})) << first;
  EXPECT_EQ(std::count(w.world.sounds.userSounds.begin(), w.world.sounds.userSounds.end(), 4), 5);
}

}  // namespace

namespace {

cEdCommand Worker(int kind, std::vector<std::int32_t> params) {
  cEdCommand c;
  c.nKind = static_cast<std::uint8_t>(kind);
  for (std::int32_t p : params) c.params.push_back(p);
  return c;
}

TEST(FlowCommandsWorldTest, VanishTakesTheGroupsCharactersOnScreenAndBackgroundsToggle) {
  EngineWorld w({"..............................", "H...e....................e....", "##############################"});
  w.world.stage.Backgrounds.assign(2, cEdBackground());
  w.world.Build();
  cChara& near = *w.world.Chara(1);
  cChara& far = *w.world.Chara(2);
  ASSERT_TRUE(near.IsOnScreen());
  ASSERT_FALSE(far.IsOnScreen());
  near.bActive = far.bActive = 1;
  cEdCommand onScreen = Worker(kCmdVanish, {0, near.nGroup, 0});
  CmdVanish(w.world.Hero(), onScreen);
  EXPECT_EQ(near.bKillRequest, 1);
  EXPECT_EQ(far.bKillRequest, 0);
  EXPECT_EQ(w.world.Scene().nKillFlag, 1);
  cEdCommand everywhere = Worker(kCmdVanish, {0, far.nGroup, 1});
  CmdVanish(w.world.Hero(), everywhere);
  EXPECT_EQ(far.bKillRequest, 1);

  cEdCommand toggle = Worker(kCmdChangeBackground, {2, 2});
  const std::int32_t before = w.world.Scene().Stage.Backgrounds[1].bVisible;
  CmdBackground(w.world.Hero(), toggle);
  EXPECT_NE(w.world.Scene().Stage.Backgrounds[1].bVisible, before);
  CmdBackground(w.world.Hero(), toggle);
  EXPECT_EQ(w.world.Scene().Stage.Backgrounds[1].bVisible, before);
  cEdCommand none = Worker(kCmdChangeBackground, {0, 2});
  CmdBackground(w.world.Hero(), none);  // numbered from 1: nothing
  cEdCommand past = Worker(kCmdChangeBackground, {3, 2});
  CmdBackground(w.world.Hero(), past);
  EXPECT_EQ(w.world.Scene().Stage.Backgrounds[0].bVisible, before);
}

TEST(FlowCommandsWorldTest, AnItemTakenByCommandThatClearsTheStageEndsIt) {
  EngineWorld w({"..........", "H.........", "##########"});
  w.world.Build();
  cEdItem goal;
  cEdCommand clear;
  clear.nSet = kItemCommandSet;
  clear.nKind = 2;  // the item's stage clear
  clear.params.assign(9, 0);
  goal.commands.push_back(clear);
  w.world.Scene().Stage.PalItems.assign(1, cEdItem());
  w.world.Scene().Stage.PalItems.push_back(goal);
  cEdCommand take = Worker(kCmdTakeItem, {1, 1});
  EXPECT_EQ(CmdGetItem(w.world.Hero(), take), 1);
  EXPECT_EQ(w.world.Scene().nStageEnd, 1);
  EXPECT_EQ(w.world.Step(1), 1);  // the frame ends with the clear
}

}  // namespace

namespace {

constexpr auto WarpBy = testsupport::WarpCommand;

TEST(FlowCommandsWorldTest, AWarpMovesAtOnceAndIsUndoneInAWall) {
  EngineWorld w({"..........", "..........", "..........", "...H#.....", "##########"});
  w.world.Build();
  w.world.Step(3);
  cPlayer& hero = w.world.Hero();
  const double x = hero.x, y = hero.y, right = hero.right, bottom = hero.bottom;

  hero.vy = 1.5;
  cEdCommand intoWall = WarpBy(0, 3, 2);
  CmdWarp(hero, intoWall);
  EXPECT_EQ(hero.x, x);
  EXPECT_EQ(hero.right, right);
  EXPECT_EQ(hero.bottom, bottom);
  EXPECT_EQ(hero.vy, 1.5);

  cEdCommand up = WarpBy(0, 6, 2);
  CmdWarp(hero, up);
  EXPECT_EQ(hero.y, y - 32);
  EXPECT_EQ(hero.vy, 0);

  cEdCommand corner = WarpBy(2, 0, 0);
  corner.pMove->nCoordMode = 2;
  CmdWarp(hero, corner);
  EXPECT_EQ(hero.Rect.left, 0);
  EXPECT_EQ(hero.Rect.top, 0);
  EXPECT_EQ(hero.bPinX, 1);
  EXPECT_EQ(hero.nPinLeft, 0);
  cEdCommand down = WarpBy(0, 7, 1);
  CmdWarp(hero, down);
  EXPECT_EQ(hero.bPinX, 0);
  EXPECT_EQ(hero.bPinY, 0);
}

TEST(FlowCommandsWorldTest, TheTargetCommandKeepsWhoAimsAtWhomInStep) {
  EngineWorld w({"..............................", "H...e....................e....", "##############################"});
  w.world.Build();
  cChara& near = *w.world.Chara(1);
  cChara& far = *w.world.Chara(2);
  cEdCommand self;
  self.nKind = kCmdSetTarget;
  self.params.assign(15, 0);
  self.params[0] = 1;
  CmdSetTarget(near, self);
  CmdSetTarget(near, self);
  EXPECT_EQ(near.nTarget, near.nNumber);
  EXPECT_EQ(std::count(near.TargetedBy.begin(), near.TargetedBy.end(), near.nNumber), 1);
  EXPECT_FALSE(w.world.Hero().TargetedBy.Contains(near.nNumber));  // no longer aims at the hero

  // The nearest of its group on screen only: the other walker is off screen.
  cEdCommand nearest = self;
  nearest.params[0] = 2;
  nearest.params[1] = far.nGroup;
  nearest.params[3] = 2;
  nearest.params[4] = 1;  // not itself
  for (const int whenNone : {1, 0}) {
    nearest.params[14] = whenNone;
    CmdSetTarget(near, nearest);
    EXPECT_EQ(near.nTarget, whenNone == 1 ? near.nNumber : -1) << whenNone;
  }
  EXPECT_FALSE(near.TargetedBy.Contains(near.nNumber));
  nearest.params[3] = 1;  // anywhere
  CmdSetTarget(near, nearest);
  EXPECT_EQ(near.nTarget, far.nNumber);
  EXPECT_TRUE(far.TargetedBy.Contains(near.nNumber));
}

}  // namespace

namespace {

TEST(FlowCommandsWorldTest, ASummonedCharacterRunsItsFlowsAndARemovedOneLeavesItsTargetsList) {
  EngineWorld w({"..........", "H...e.....", "##########"});
  const cEdCommand summon = SummonFirstOfStagePalette();
  cEdCommand rest;
  rest.nKind = kCmdWait;
  rest.nTime = 1000;
  cEdChara caller = worldtest::WalkerTemplate();
  caller.flows.push_back(Always({summon, rest}));
  w.world.charas['e'] = caller;
  w.world.Build();
  cEdChara counter = worldtest::WalkerTemplate();
  cEdCommand count;
  count.nKind = kCmdRunCode;
  count.strText = "my.v4 = my.v4 + 1";
  counter.flows.push_back(Always({count}));
  w.world.Scene().Stage.PalCharas = {cEdChara(), counter};

  w.world.Step(1);
  ASSERT_EQ(w.world.Scene().CharaList.size(), 2u);
  cChara& summoned = w.world.Scene().CharaList.back();
  // Beside its summoner, the picture's corner at the formation's point: on the same ground.
  EXPECT_NEAR(summoned.y, w.world.Chara(1)->y, 1.0);
  EXPECT_LT(summoned.x, w.world.Chara(1)->x);
  w.world.Step(2);
  EXPECT_GE(summoned.Vars[4], 1);
  EXPECT_EQ(w.world.Scene().CharaList.size(), 2u);  // the caller waits: one summon

  // Every character aims at the hero at first; one that goes leaves the hero's list.
  cPlayer& hero = w.world.Hero();
  const int number = summoned.nNumber;
  EXPECT_TRUE(hero.TargetedBy.Contains(number));
  summoned.bKillRequest = 1;
  w.world.Step(1);
  EXPECT_EQ(w.world.Scene().CharaList.size(), 1u);
  EXPECT_FALSE(hero.TargetedBy.Contains(number));
}

}  // namespace

namespace {

TEST(FlowCommandsWorldTest, ACharacterSummonedIntoAWallIsTakenOutAgain) {
  EngineWorld w({"..........", "H..#e.....", "##########"});
  const cEdCommand summon = SummonFirstOfStagePalette();
  cEdChara caller = worldtest::WalkerTemplate();
  caller.flows.push_back(Always({summon}));
  w.world.charas['e'] = caller;
  w.world.Build();
  w.world.Scene().Stage.PalCharas = {cEdChara(), worldtest::WalkerTemplate()};
  const int numbers = w.world.Scene().nCharaNumber;
  w.world.Step(3);
  EXPECT_EQ(w.world.Scene().CharaList.size(), 1u);
  EXPECT_EQ(w.world.Scene().nCharaNumber, numbers);  // no number used
}

}  // namespace
