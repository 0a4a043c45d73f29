// The flow engine joined to the game world: real characters on a stage run their flows.
#include <gtest/gtest.h>

#include "app/flow_engine_link.h"
#include "data/command_tables.h"
#include "data/ed_condition.h"
#include "data/ed_flow.h"
#include "data/ed_key_condition.h"
#include "flow/flow_world_seam.h"
#include "input/input.h"
#include "support/world_fixture.h"
#include "world/chara.h"
#include "world/flow_link.h"

namespace {

cEdCommand Code(const char* text) {
  cEdCommand c;
  c.nKind = kCmdRunCode;
  c.strText = text;
  c.bNoWait = 1;
  return c;
}

cEdCommand SetPower(int power) {
  cEdCommand c;
  c.nKind = kCmdStatusOp;
  c.bNoWait = 1;
  c.params.assign(18, 0);
  c.params[4] = 9;  // power
  c.params[7] = power;
  return c;
}

cEdFlow Always(std::initializer_list<cEdCommand> commands) {
  cEdFlow flow;
  flow.nTrigger = 0;
  for (const cEdCommand& c : commands) flow.commands.push_back(c);
  return flow;
}

class FlowEngineLinkTest : public testing::Test {
 protected:
  FlowEngineLinkTest() : world({"..........", "H...e.....", "##########"}) {
    SetFlowLink(&FlowEngineLink());
    SetFlowWorld(&PlaySceneFlowWorld());
  }
  ~FlowEngineLinkTest() override { SetFlowWorld(nullptr); }
  cChara& Walker() { return *world.Chara(1); }
  worldtest::WorldFixture world;
};

TEST_F(FlowEngineLinkTest, ACharactersAlwaysFlowRunsItsCommandsEveryFrame) {
  world.charas['e'].flows.push_back(Always({SetPower(5), Code("my.v1 = my.v1 + 1 S2 = 7")}));
  world.Build();
  world.Step(3);
  EXPECT_EQ(Walker().Def.nPower, 5);
  EXPECT_EQ(Walker().Vars[1], 3);  // started again in each frame
  EXPECT_EQ(world.Scene().StageVars[2], 7);
}

TEST_F(FlowEngineLinkTest, ADistanceConditionMeasuresFromTheRealBoxes) {
  // The walker stands four blocks from the hero: within 10 half blocks, not within 2.
  for (const auto& [halfBlocks, runs] : {std::pair{2, 0}, std::pair{10, 1}}) {
    worldtest::WorldFixture w({"..........", "H...e.....", "##########"});
    SetFlowLink(&FlowEngineLink());
    cEdFlow near = Always({Code("my.v3 = 1")});
    cEdCondition c;
    c.nKind = 7;
    c.nLeftTarget = 0;  // the hero
    c.nValue = halfBlocks;
    c.nShape = 0;       // either side
    near.conditions.push_back(c);
    w.charas['e'].flows.push_back(near);
    w.Build();
    w.Step(2);
    EXPECT_EQ(w.Chara(1)->Vars[3], runs) << halfBlocks;
  }
}

TEST_F(FlowEngineLinkTest, TheHerosKeyFlowStartsOncePerPress) {
  cEdFlow keyed = Always({Code("my.v2 = my.v2 + 1")});
  cEdKeyCondition button1;
  button1.keyStates.assign(19, 0);
  button1.keyStates[11] = 1;
  button1.bAnyHold = 1;
  keyed.keyConditions.push_back(button1);
  world.charas['H'].flows.push_back(keyed);
  world.Build();
  cInput& input = PlayerInputs[0];
  const cInput saved = input;
  const auto frames = [&](int count, std::uint16_t button) {
    for (int i = 0; i < count; ++i) {
      input.m_wButton = button;
      input.UpdateEvents();
      world.Step(1);
    }
  };
  frames(2, 0);
  frames(5, 1);
  EXPECT_EQ(world.Hero().Vars[2], 1);
  frames(2, 0);
  frames(1, 1);
  EXPECT_EQ(world.Hero().Vars[2], 2);
  input = saved;
}

}  // namespace
