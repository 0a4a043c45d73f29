// What the warp and target commands hand the world: the direction and distances of a warp,
// and the target chosen.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <cmath>

#include "data/command_tables.h"
#include "data/ed_move.h"
#include "data/system_data.h"
#include "fake_actor.h"
#include "flow/warp_target_commands.h"
#include "input/input.h"
#include "support/flow_commands.h"

namespace {

using flowtest::FakeActor;
using flowtest::FakeWorld;

using testsupport::WarpCommand;

TEST(WarpTargetTest, AWarpResolvesItsDirectionAndDistance) {
  FakeWorld world;
  FakeActor self;
  cEdCommand upLeft = WarpCommand(0, 8, 4);
  CmdWarp(self, upLeft);
  ASSERT_EQ(self.warps.size(), 1u);
  EXPECT_EQ(self.warps[0].dirCode, 8);
  EXPECT_EQ(self.warps[0].straight, 64);
  EXPECT_NEAR(self.warps[0].diagonal, 45.254833995939045, 1e-12);

  // Forward from the target goes by the target's facing.
  FakeActor target;
  target.facingNow = 0;
  self.target = &target;
  cEdCommand ahead = WarpCommand(1, 0, 2);
  CmdWarp(self, ahead);
  EXPECT_EQ(self.warps[1].dirCode, 2);

  // To coordinates, mirrored for a character facing right: 1 block and 4 dots become -36.
  cEdCommand to = WarpCommand(2, 0, 0);
  to.pMove->nTargetX = 1;
  to.pMove->nTargetXDots = 4;
  to.pMove->bMirrorX = 1;
  self.facingNow = 1;
  CmdWarp(self, to);
  EXPECT_EQ(self.warps[2].dx, -36);
  EXPECT_EQ(self.warps[2].dotsX, 4);  // cell coordinates take the offset unmirrored
}

TEST(WarpTargetTest, TheKeyDirectionKeepsADiagonalOnTheGroundUnlessTheProjectIsOld) {
  FakeWorld world;
  cInput& input = PlayerInputs[0];
  const cInput saved = input;
  input = cInput();
  input.m_wDir = 4 | 2;  // up and right
  input.UpdateEvents();
  for (const int legacy : {0, 1}) {
    SystemData.bLegacy721 = legacy;
    FakeActor self;
    cEdCommand byKey = WarpCommand(0, 12, 2);
    CmdWarp(self, byKey);
    EXPECT_EQ(self.warps.at(0).dirCode, legacy != 0 ? 3 : 10) << legacy;
  }
  SystemData.bLegacy721 = 0;
  input = saved;
}

TEST(WarpTargetTest, TheTargetIsChosenAndKeptOrDroppedWhenNoneIsFound) {
  struct Case {
    const char* name;
    int whom, whenNone;
    bool worldFinds;
    const char* expected;  // "hero", "self", "found", "old", "none"
  };
  const Case cases[] = {
      {"the hero", 0, 0, false, "hero"},
      {"itself", 1, 0, false, "self"},
      {"the nearest found", 2, 0, true, "found"},
      {"none found: no target", 2, 0, false, "none"},
      {"none found: the old one stays", 3, 1, false, "old"},
      {"another whom finds nothing", 4, 0, false, "none"},
      {"another rule changes nothing", 2, 2, true, "old"},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    FakeActor self, hero, found, old;
    world.hero = &hero;
    world.found = c.worldFinds ? &found : nullptr;
    self.target = &old;
    cEdCommand command;
    command.nKind = kCmdSetTarget;
    command.params.assign(15, 0);
    command.params[0] = c.whom;
    command.params[14] = c.whenNone;
    CmdSetTarget(self, command);
    const cFlowActor* t = self.target;
    const std::string got = t == &hero ? "hero" : t == &self ? "self" : t == &found ? "found" : t == &old ? "old" : "none";
    EXPECT_EQ(got, c.expected) << c.name;
  }
  // The search carries the command's filters.
  FakeWorld world;
  FakeActor self;
  cEdCommand command;
  command.nKind = kCmdSetTarget;
  command.params = {3, 5, 1, 2, 1, 0, 1, 1, 1, 200, 1, 3, -7, 6, 0};
  CmdSetTarget(self, command);
  ASSERT_EQ(world.searches.size(), 1u);
  const FlowTargetSearch& s = world.searches[0];
  EXPECT_EQ(s.kind, 3);
  EXPECT_EQ(s.group, 5);
  EXPECT_TRUE(s.allGroups);
  EXPECT_EQ(s.range, 2);
  EXPECT_TRUE(s.skipSelf && !s.skipInvincible1 && s.skipInvincible2 && s.skipBlockCharas && s.byId && s.byVariable);
  EXPECT_EQ(s.charaId, -56);  // a signed byte
  EXPECT_EQ(s.variable, 3);
  EXPECT_EQ(s.value, -7);
  EXPECT_EQ(s.comparison, 6);
}

}  // namespace
