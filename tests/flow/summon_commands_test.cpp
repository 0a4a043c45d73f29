// The summon commands' cadence and sound, and the flow operation over a character's flows.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/ed_shot.h"
#include "fake_actor.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FlowOf;
using flowtest::OneFlowRig;

TEST(SummonCommandsTest, ASummonComesAtTheFirstStepAndEveryTenthOfASecond) {
  struct Case {
    int kind, b;
    bool onScreen;
    std::string steps;
    std::size_t sounds;
  };
  const Case cases[] = {
      {kCmdSummonChara, 1, true, "1 7 13 19 25 ", 5},
      {kCmdSummonBlock, 2, true, "1 13 25 37 49 ", 5},
      {kCmdSummonItem, 1, false, "1 7 13 19 25 ", 0},  // off screen: silent
  };
  for (const Case& c : cases) {
    cEdCommand summon = Command(c.kind, 5);
    summon.pShot = boost::make_shared<cEdShot>();
    summon.pShot->nSummonIndex = 4;
    summon.nSound = 3;
    summon.bSoundInViewOnly = 1;
    OneFlowRig rig({summon}, c.b);
    rig.actor.onScreen = c.onScreen;
    std::string steps;
    for (int step = 1; step <= 70; ++step) {
      const std::size_t before = rig.actor.summons.size();
      rig.Step();
      if (rig.actor.summons.size() != before) steps += std::to_string(step) + " ";
    }
    EXPECT_EQ(steps, c.steps) << c.kind;
    EXPECT_EQ(rig.actor.summons.at(0).kind, c.kind);
    EXPECT_EQ(rig.actor.summons.at(0).index, 4);
    EXPECT_EQ(rig.world.sounds.size(), c.sounds) << c.kind;
  }
}

// Three flows started by hand: the first runs the operation and then counts in variable 1
// (no-wait, so it runs in the same step unless the operation ends it); the others wait,
// the second with flow ID 3 ("C"), the third without an ID.
class FlowOperationTest : public testing::Test {
 protected:
  void Run(int operation, int selection, int id) {
    cEdCommand op = Command(kCmdFlowOperation, 0, true);
    op.params = {operation, selection, id};
    cEdCommand count = Command(kCmdRunCode, 10);
    count.strText = "my.v1 = my.v1 + 1";
    actor.defs = {FlowOf(19, {op, count}), FlowOf(19, {Command(kCmdWait, 10)}, 0, 3),
                  FlowOf(19, {Command(kCmdWait, 10)})};
    InstallFlows(actor, actor.defs, 0, 0);
    for (int i = 0; i < 3; ++i) {
      const FlowCursorScope scope;
      CurrentFlow().chara = &actor;
      actor.FlowState().Flows[i].Start();
    }
    RunFlowFrameStep(actor, 0);
  }
  // Per flow: r running, p paused, h halted, - stopped; then the count.
  std::string States() {
    std::string s;
    for (const cFlow& f : actor.FlowState().Flows) {
      s += f.bHalted != 0 ? 'h' : f.bPaused != 0 ? 'p' : f.bRunning != 0 ? 'r' : '-';
    }
    return s + " " + std::to_string(actor.vars[1]);
  }

  flowtest::FakeWorld world;
  FakeActor actor;
};

TEST_F(FlowOperationTest, EachOperationActsOnTheFlowsItSelects) {
  struct Case {
    const char* name;
    int operation, selection, id;
    std::string states;
  };
  const Case cases[] = {
      {"start this flow: from its first command, the rest of the step not run", 0, 0, 0, "rrr 0"},
      {"stop every other flow", 1, 1, 0, "r-- 1"},
      {"pause the flows of ID C", 2, 2, 3, "rpr 1"},
      {"resume a flow that runs: only the mark", 3, 2, 3, "rrr 1"},
      {"halt this flow", 5, 0, 0, "hrr 0"},
      {"ID 0 selects nothing", 1, 2, 0, "rrr 1"},
      {"an operation outside the six: nothing", 6, 1, 0, "rrr 1"},
      {"a selection outside the three: nothing", 1, 3, 0, "rrr 1"},
  };
  for (const Case& c : cases) {
    actor = FakeActor();
    Run(c.operation, c.selection, c.id);
    EXPECT_EQ(States(), c.states) << c.name;
  }
}

TEST_F(FlowOperationTest, DeletedFlowsGoAtTheEndOfTheStepAndAnimationsFollowTheirFlow) {
  Run(4, 2, 3);
  ASSERT_EQ(actor.FlowState().Flows.size(), 2u);
  EXPECT_EQ(actor.defs.size(), 2u);
  EXPECT_EQ(actor.defs[1].nFlowId, 0);

  actor = FakeActor();
  Run(2, 1, 0);
  const int first = actor.FlowState().Flows[1].nAnimeKey;
  EXPECT_EQ(actor.pausedKeys, (std::vector<int>{first, actor.FlowState().Flows[2].nAnimeKey}));
}

}  // namespace
