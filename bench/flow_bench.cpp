// The flow engine's hot paths: a code text run from its text every time, and a frame of many
// characters' flows.

#include <benchmark/benchmark.h>

#include <vector>

#include "data/command_tables.h"
#include "fake_actor.h"
#include "flow/expression.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"
#include "flow/triggers.h"

namespace {

void ExecCodeText(benchmark::State& state) {
  flowtest::FakeWorld world;
  flowtest::FakeActor self;
  world.common[3] = 4;
  self.vars[2] = 10;
  for (auto _ : state) benchmark::DoNotOptimize(ExecCode("my.v1 = ( my.v2 + C3 ) * 2 - rand(1,6)", self));
}
BENCHMARK(ExecCodeText);

// 300 characters with four flows each at b = 2: two always running waits with switch IDs, a
// trigger-4 flow and a key flow, through the triggers and the frame step of every sub-step.
void FlowFrame(benchmark::State& state) {
  std::vector<flowtest::FakeActor> charas(300);
  for (flowtest::FakeActor& c : charas) {
    c.b = 2;
    c.defs = {flowtest::FlowOf(0, {flowtest::Command(kCmdWait, 3), flowtest::Command(kCmdWait, 2)}, 1),
              flowtest::FlowOf(0, {flowtest::Command(kCmdWait, 1, true), flowtest::Command(kCmdWait, 4)}, 2),
              flowtest::FlowOf(4, {flowtest::Command(kCmdWait, 5)}), flowtest::FlowOf(0, {flowtest::Command(kCmdWait, 1)}, 3)};
    cEdKeyCondition key;
    key.keyStates.assign(19, 0);
    key.keyStates[11] = 1;
    key.bAnyHold = 1;
    c.defs[3].keyConditions.push_back(key);
    InstallFlows(c, c.defs, 0, 0);
  }
  for (auto _ : state) {
    for (flowtest::FakeActor& c : charas) ResetFlowFrameFlags(c);
    for (int sub = 0; sub < 2; ++sub) {
      for (flowtest::FakeActor& c : charas) {
        FireTrigger(c, 0);
        FireTrigger(c, 4);
        RunFlowFrameStep(c, 0);
      }
    }
  }
}
BENCHMARK(FlowFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
