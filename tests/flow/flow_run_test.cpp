// Flows started, stepped command by command within their budgets, stopped, halted and
// restarted, and a character's flows at each sub-step.
#include <gtest/gtest.h>

#include <string>

#include "data/command_tables.h"
#include "fake_actor.h"
#include "flow/command_exec.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FlowOf;

// Executors swapped in for the test and put back after it.
class FlowRunTest : public testing::Test {
 protected:
  FlowRunTest() { std::copy(std::begin(CommandExecTable), std::end(CommandExecTable), std::begin(saved_)); }
  ~FlowRunTest() override { std::copy(std::begin(saved_), std::end(saved_), std::begin(CommandExecTable)); }

  // Every command of these kinds writes its letter into the trace.
  static void Record(cFlowActor&, cFlowCmd& command, cEdCommand&) {
    trace += static_cast<char>('A' + command.nIndex);
    if (hook) hook(command);
  }
  void RecordKinds(std::initializer_list<int> kinds) {
    for (int kind : kinds) CommandExecTable[kind] = Record;
  }
  void Install() { InstallFlows(actor, actor.defs, 0, 0); }
  void StartFlow(int index) {
    const FlowCursorScope scope;
    CurrentFlow().chara = &actor;
    actor.FlowState().Flows[index].Start();
  }
  // `steps` sub-steps, each traced as the letters of the commands run, then "|".
  std::string Run(int steps) {
    trace.clear();
    for (int i = 0; i < steps; ++i) {
      RunFlowFrameStep(actor, 0);
      trace += '|';
    }
    return trace;
  }
  cFlow& Flow(int index) { return actor.FlowState().Flows[index]; }

  FakeActor actor;
  static inline std::string trace;
  static inline std::function<void(cFlowCmd&)> hook;

 private:
  CommandExecutor saved_[kCharaCommandKinds];
};

TEST_F(FlowRunTest, CommandsHoldTheFlowForTheirBudgetsAndNoWaitOnesRunAlongside) {
  RecordKinds({kCmdWait});
  struct Case {
    const char* name;
    std::vector<std::pair<int, bool>> commands;  // (budget, no-wait)
    std::string trace;
  };
  const Case cases[] = {
      {"one after the other", {{1, false}, {1, false}}, "A|B||||"},
      {"a budget of 0 runs once", {{0, false}, {1, false}}, "A|B||||"},
      {"held for its budget", {{2, false}, {1, false}}, "A|A|B|||"},
      {"all no-wait: over when the last is", {{3, true}, {1, true}}, "AB|||||"},
      {"a no-wait command beside a held one", {{2, true}, {2, false}}, "AB|AB||||"},
      {"a no-wait command starts with its predecessor's end", {{2, false}, {1, true}, {1, false}}, "A|A|BC|||"},
      {"a long no-wait command stops with the flow", {{5, true}, {2, false}}, "AB|AB||||"},
  };
  for (const Case& c : cases) {
    actor.defs.clear();
    cEdFlow flow = FlowOf(1, {});
    for (const auto& [budget, noWait] : c.commands) flow.commands.push_back(Command(kCmdWait, 0, noWait));
    actor.defs.push_back(flow);
    Install();
    for (std::size_t i = 0; i < c.commands.size(); ++i) Flow(0).vCmds[static_cast<int>(i)].nBudget = c.commands[i].first;
    StartFlow(0);
    EXPECT_EQ(Run(5), c.trace) << c.name;
    EXPECT_EQ(Flow(0).bRunning, 0) << c.name;
    for (const cFlowCmd& command : Flow(0).vCmds) EXPECT_EQ(command.nLeft, 0) << c.name;
  }
}

TEST_F(FlowRunTest, SwitchIdsBlockUntilTheEndOfTheFrameStepAfterTheStop) {
  RecordKinds({kCmdWait});
  actor.defs = {FlowOf(0, {Command(kCmdWait, 0)}, 3), FlowOf(0, {Command(kCmdWait, 0), Command(kCmdWait, 0)}, 4)};
  Install();
  cFlowSet& set = actor.FlowState();
  // Stopping a flow that does not run changes nothing.
  Flow(0).Stop(actor);
  EXPECT_EQ(set.Stopped[3], 0);
  EXPECT_EQ(set.bSwitchesChanged, 0);

  StartFlow(0);
  EXPECT_EQ(set.Running[3], 1);
  EXPECT_EQ(set.StartedNow[3], 1);
  ResetFlowFrameFlags(actor);
  EXPECT_EQ(set.StartedNow[3], 0);
  EXPECT_EQ(Flow(0).bStartedThisFrame, 0);
  EXPECT_EQ(Run(1), "A|");  // it ends and is stopped: the switch frees at the frame step's end
  EXPECT_EQ(set.Running[3], 0);
  EXPECT_EQ(set.Stopped[3], 0);

  // A halted flow stays "running" but is never stepped; its switch frees all the same.
  StartFlow(1);
  EXPECT_EQ(Run(1), "A|");
  Flow(1).Halt(actor);
  EXPECT_EQ(Flow(1).bRunning, 1);
  EXPECT_EQ(set.Running[4], 1);
  EXPECT_EQ(Run(2), "||");
  EXPECT_EQ(set.Running[4], 0);
  EXPECT_EQ(Flow(1).bHalted, 1);
}

TEST_F(FlowRunTest, AStageStartFlowRunsItsQuickLateKindsOnceAndStops) {
  RecordKinds({kCmdWait, kCmdStatusOp, kCmdPlaySound});
  actor.defs = {FlowOf(18, {Command(kCmdWait, 0, true), Command(kCmdStatusOp, 0, true), Command(kCmdPlaySound, 5),
                            Command(kCmdPlaySound, 5, true)})};
  Install();
  trace.clear();
  StartFlow(0);
  EXPECT_EQ(trace, "BD");
  EXPECT_EQ(Flow(0).bRunning, 0);
  EXPECT_EQ(Flow(0).vCmds[1].bDone, 1);
  EXPECT_EQ(Flow(0).vCmds[3].nLeft, 0);

  // Stage-start flows that start each other nest only so deep.
  actor.defs = {FlowOf(18, {Command(kCmdPlaySound, 0, true)})};
  Install();
  hook = [this](cFlowCmd&) { Flow(0).Start(); };
  trace.clear();
  StartFlow(0);
  hook = nullptr;
  EXPECT_EQ(trace, std::string(kMaxNestedStageStarts, 'A'));
  EXPECT_EQ(Flow(0).bRunning, 0);
}

TEST_F(FlowRunTest, AFlowRestartingItselfBeginsAgainFromItsFirstCommand) {
  RecordKinds({kCmdWait, kCmdFlowOperation});
  for (const bool last : {false, true}) {
    actor.defs = {FlowOf(1, {Command(kCmdWait, 0), Command(kCmdFlowOperation, 0)})};
    if (!last) actor.defs[0].commands.push_back(Command(kCmdWait, 0));
    Install();
    int restarts = 0;
    hook = [&](cFlowCmd& command) {
      if (command.nIndex == 1 && restarts++ == 0) CurrentFlow().flow->Start();
    };
    StartFlow(0);
    EXPECT_EQ(Run(6), last ? "A|B|A|B|||" : "A|B|A|B|C||") << last;
    hook = nullptr;
  }
}

TEST_F(FlowRunTest, ACharacterThatDiesOrVanishesStopsItsFrameStepThere) {
  RecordKinds({kCmdWait});
  actor.defs = {FlowOf(1, {Command(kCmdWait, 10)}), FlowOf(1, {Command(kCmdWait, 10)}), FlowOf(3, {Command(kCmdWait, 10)})};
  Install();
  StartFlow(0);
  StartFlow(1);
  StartFlow(2);
  EXPECT_EQ(Run(1), "AAA|");
  EXPECT_EQ(actor.deferredRuns, 1);
  hook = [this](cFlowCmd&) { actor.hp = 0; };
  trace.clear();
  EXPECT_EQ(RunFlowFrameStep(actor, 0), 1);
  EXPECT_EQ(trace, "A");  // the second flow waits
  EXPECT_EQ(actor.deferredRuns, 1);
  EXPECT_EQ(CurrentFlow().chara, nullptr);
  // Dying, only the death flow runs, and an HP of 0 does not stop it.
  trace.clear();
  EXPECT_EQ(RunFlowFrameStep(actor, 1), 0);
  EXPECT_EQ(trace, "A");
  hook = nullptr;
  actor.hp = 5;
  actor.vanished = true;
  trace.clear();
  EXPECT_EQ(RunFlowFrameStep(actor, 0), 1);
  EXPECT_EQ(trace, "A");
  actor.hero = true;  // the hero has no vanish flag
  trace.clear();
  EXPECT_EQ(RunFlowFrameStep(actor, 0), 0);
  EXPECT_EQ(trace, "AAA");
}

TEST_F(FlowRunTest, PendingDeletionsGoAtTheEndOfTheFrameStep) {
  RecordKinds({kCmdWait});
  actor.defs = {FlowOf(1, {Command(kCmdWait, 10)}), FlowOf(1, {Command(kCmdWait, 10)}), FlowOf(1, {Command(kCmdWait, 10)})};
  Install();
  for (int i = 0; i < 3; ++i) StartFlow(i);
  Flow(0).bDeletePending = 1;
  Flow(1).bDeletePending = 1;
  actor.FlowState().bDeletePending = 1;
  const int key = Flow(1).nAnimeKey;
  EXPECT_EQ(Run(1), "AAA|");
  ASSERT_EQ(actor.FlowState().Flows.size(), 1u);
  EXPECT_EQ(actor.defs.size(), 1u);
  EXPECT_EQ(Flow(0).nDefIndex, 0);
  EXPECT_EQ(actor.removedKeys, (std::vector<int>{0, key}));
  EXPECT_EQ(actor.FlowState().bDeletePending, 0);
}

TEST_F(FlowRunTest, LeadInsStartWhenTheFlowHasRunTheirSteps) {
  RecordKinds({kCmdWait});
  actor.defs = {FlowOf(1, {Command(kCmdWait, 10)})};
  Install();
  Flow(0).vLeadIns = {FlowLeadIn{0, 5, 0, 3, 0, 1}, FlowLeadIn{2, 6, 0, 3, 0, 1}};
  StartFlow(0);
  Run(1);
  ASSERT_EQ(actor.leadIns.size(), 1u);
  EXPECT_EQ(actor.leadIns[0].leadIn.nAnime, 5);
  EXPECT_EQ(actor.leadIns[0].key, Flow(0).nAnimeKey);
  Run(1);
  Flow(0).Pause();
  Run(1);  // a paused flow starts none
  EXPECT_EQ(actor.leadIns.size(), 1u);
  Flow(0).Resume();
  Run(1);
  ASSERT_EQ(actor.leadIns.size(), 2u);
  EXPECT_EQ(actor.leadIns[1].leadIn.nAnime, 6);
}

}  // namespace
