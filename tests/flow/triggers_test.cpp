// The trigger dispatcher: which idle flows an event starts, with the per-frame limits, the
// switch IDs, the start and key conditions.
#include <gtest/gtest.h>

#include "data/system_data.h"
#include "fake_actor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"
#include "flow/triggers.h"
#include "input/input.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FlowOf;

class TriggersTest : public testing::Test {
 protected:
  ~TriggersTest() override {
    SystemData.bLegacy525 = 0;
    SystemData.bLegacy744 = 0;
  }
  cFlow& Flow(int i) { return actor.FlowState().Flows[i]; }
  FakeActor actor;
};

TEST_F(TriggersTest, AnIdleFlowOfTheKindStartsAtMostOncePerFrame) {
  actor.defs = {FlowOf(4, {Command(1, 0)}), FlowOf(5, {Command(1, 0)})};
  InstallFlows(actor, actor.defs, 0, 0);
  FireTrigger(actor, 4);
  EXPECT_EQ(Flow(0).bRunning, 1);
  EXPECT_EQ(Flow(1).bRunning, 0);  // another kind
  RunFlowFrameStep(actor, 0);      // it runs its one command and ends
  EXPECT_EQ(Flow(0).bRunning, 0);
  FireTrigger(actor, 4);  // the frame's try is spent
  EXPECT_EQ(Flow(0).bRunning, 0);
  ResetFlowFrameFlags(actor);
  FireTrigger(actor, 4);
  EXPECT_EQ(Flow(0).bRunning, 1);
  // Conditions that do not hold start nothing.
  RunFlowFrameStep(actor, 0);
  ResetFlowFrameFlags(actor);
  actor.conditionsHold = false;
  FireTrigger(actor, 4);
  EXPECT_EQ(Flow(0).bRunning, 0);
}

TEST_F(TriggersTest, TheLegacySwitchesDecideWhatCountsAgainstTheFramesTry) {
  struct Case {
    const char* name;
    int noLimit, earlyLimit;
    bool busyUsesTheTry;  // a trigger while the flow runs spends the frame's try
    bool secondStartInFrame;
  };
  const Case cases[] = {
      {"current", 0, 0, false, false},
      {"early limit", 0, 1, true, false},
      {"no limit", 1, 0, false, false},  // a start in the frame still blocks another
      {"no limit beats the early one", 1, 1, false, false},
  };
  for (const Case& c : cases) {
    SystemData.bLegacy525 = c.noLimit;
    SystemData.bLegacy744 = c.earlyLimit;
    actor.defs = {FlowOf(7, {Command(1, 0)})};
    InstallFlows(actor, actor.defs, 0, 0);
    Flow(0).bRunning = 1;  // busy
    FireTrigger(actor, 7);
    EXPECT_EQ(Flow(0).bTriggeredThisFrame, c.busyUsesTheTry ? 1 : 0) << c.name;
    Flow(0).bRunning = 0;
    FireTrigger(actor, 7);
    EXPECT_EQ(Flow(0).bRunning, c.busyUsesTheTry ? 0 : 1) << c.name;
    Flow(0).bRunning = 0;
    FireTrigger(actor, 7);
    EXPECT_EQ(Flow(0).bRunning, c.secondStartInFrame ? 1 : 0) << c.name;
    ResetFlowFrameFlags(actor);
  }
}

TEST_F(TriggersTest, TriggerZeroFlowsSharingASwitchIdRunOneAtATime) {
  actor.defs = {FlowOf(0, {Command(1, 0)}, 2), FlowOf(0, {Command(1, 0)}, 2), FlowOf(0, {Command(1, 0)}, 3)};
  InstallFlows(actor, actor.defs, 0, 0);
  FireTrigger(actor, 0);
  EXPECT_EQ(Flow(0).bRunning, 1);
  EXPECT_EQ(Flow(1).bRunning, 0);  // switch 2 taken
  EXPECT_EQ(Flow(2).bRunning, 1);
  RunFlowFrameStep(actor, 0);  // both end; switch 2 frees at the step's end
  FireTrigger(actor, 0);
  EXPECT_EQ(Flow(1).bRunning, 0);  // not in the frame switch 2 was started in
  ResetFlowFrameFlags(actor);
  FireTrigger(actor, 0);
  EXPECT_EQ(Flow(0).bRunning, 1);  // the first in list order again
  EXPECT_EQ(Flow(1).bRunning, 0);
}

TEST_F(TriggersTest, AStartingFlowRemembersTheFirstDirectionHeld) {
  actor.defs = {FlowOf(4, {Command(1, 10)})};
  InstallFlows(actor, actor.defs, 0, 0);
  cInput& hero = PlayerInputs[0];
  const cInput saved = hero;
  hero.m_wDir = 8;  // down
  hero.UpdateEvents();
  FireTrigger(actor, 4);
  EXPECT_EQ(Flow(0).nFirstKey, 4);
  hero = saved;
}

}  // namespace
