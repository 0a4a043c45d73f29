// The jump, shot and sword commands: when they hand their action to the world.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <string>

#include "data/command_tables.h"
#include "data/database.h"
#include "data/ed_shot.h"
#include "fake_actor.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FakeWorld;
using flowtest::FlowOf;

cEdCommand ShotCommand(int kind, int tenths, int record, int sound = 0) {
  cEdCommand c = Command(kind, tenths);
  c.pShot = boost::make_shared<cEdShot>();
  c.pShot->nTrajectory = static_cast<std::uint8_t>(record);
  c.nSound = static_cast<std::int16_t>(sound);
  return c;
}

using Rig = flowtest::OneFlowRig;

TEST(ActionCommandsTest, AShotFiresAtItsFirstSubStepAndEveryTenthOfASecond) {
  Rig rig({ShotCommand(kCmdShot, 5, 4, 9)}, 2);
  rig.actor.FlowState().Flows[0].nFirstKey = 3;
  std::string fired;
  for (int step = 1; step <= 70; ++step) {
    const std::size_t before = rig.actor.shots.size();
    RunFlowFrameStep(rig.actor, 0);
    if (rig.actor.shots.size() != before) fired += std::to_string(step) + " ";
  }
  EXPECT_EQ(fired, "1 13 25 37 49 ");
  EXPECT_EQ(rig.actor.shots.at(0).record, 4);
  EXPECT_EQ(rig.actor.shots.at(0).firstKey, 3);
  EXPECT_EQ(rig.world.sounds, std::vector<int>(5, 9));
}

TEST(ActionCommandsTest, ASoundForTheActiveOnlyIsSilentWhileTheCharacterIsNot) {
  cEdCommand shot = ShotCommand(kCmdShot, 1, 0, 9);
  shot.bSoundInViewOnly = 1;
  Rig rig({shot}, 1);
  rig.actor.active = false;
  RunFlowFrameStep(rig.actor, 0);
  EXPECT_EQ(rig.actor.shots.size(), 1u);
  EXPECT_TRUE(rig.world.sounds.empty());
}

TEST(ActionCommandsTest, ASwordCommandMakesOneSwordSizedByItsTypesFirstPart) {
  const cVector<cEdSwordType> saved = Database.SwordTypes;
  cEdSwordType type;
  cEdSwordPart part;
  part.nRectWidth = 40;
  part.nRectHeight = 12;
  type.Parts[0] = part;
  Database.SwordTypes = {cEdSwordType{}, type};
  Rig rig({ShotCommand(kCmdSword, 20, 1, 5)}, 2);
  for (int i = 0; i < 240; ++i) RunFlowFrameStep(rig.actor, 0);
  ASSERT_EQ(rig.actor.swords.size(), 1u);
  EXPECT_EQ(rig.actor.swords[0].width, 40);
  EXPECT_EQ(rig.actor.swords[0].height, 12);
  EXPECT_EQ(rig.world.sounds, std::vector<int>{5});
  Database.SwordTypes = saved;
}

TEST(ActionCommandsTest, AJumpStepsEverySubStepUntilTheWorldEndsIt) {
  cEdCommand jump = Command(kCmdJump, 0);
  jump.params = {1, 0, 4, 0, 0};
  Rig rig({jump, Command(kCmdWait, 100)}, 2);
  // Four half blocks: the fake's apex lies 5 tenths up, so the command holds 60 sub-steps.
  EXPECT_EQ(rig.actor.FlowState().Flows[0].vCmds[0].nBudget, 60);
  for (int i = 0; i < 3; ++i) RunFlowFrameStep(rig.actor, 0);
  rig.actor.landsAfterJump = true;
  RunFlowFrameStep(rig.actor, 0);
  ASSERT_EQ(rig.actor.jumps.size(), 4u);
  EXPECT_EQ(rig.actor.jumps[0].started, 0);
  EXPECT_EQ(rig.actor.jumps[3].counter, 3);
  EXPECT_EQ(rig.actor.jumps[3].started, 1);
  EXPECT_EQ(rig.actor.jumps[3].kind, 1);
  EXPECT_EQ(rig.actor.FlowState().Flows[0].nCurrent, 1);  // landed: the wait holds the flow
}

}  // namespace
