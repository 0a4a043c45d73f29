// The flow engine's hot paths: a code text run from its text every time, and a frame of many
// characters' flows.

#include <benchmark/benchmark.h>

#include <vector>

#include <boost/make_shared.hpp>

#include "data/command_tables.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
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

cEdCommand WithMove(cEdCommand command, int speed, int direction) {
  command.pMove = boost::make_shared<cEdMove>();
  command.pMove->nSpeed = static_cast<std::int16_t>(speed);
  command.pMove->nDirection = static_cast<std::uint8_t>(direction);
  command.pMove->nRadius = 2;
  command.pMove->nDistance = 360;
  return command;
}

cEdCommand WithShot(cEdCommand command) {
  command.pShot = boost::make_shared<cEdShot>();
  return command;
}

// 300 characters with four flows each at b = 2, through the triggers and the frame step of
// every sub-step: a walk that turns at walls and a wait, sharing a switch ID with nothing; a
// straight movement beside a shot; on trigger 4 a target setting, a summon and a jump; a circle
// while a key is held.
void FlowFrame(benchmark::State& state) {
  using flowtest::Command;
  flowtest::FakeWorld world;
  std::vector<flowtest::FakeActor> charas(300);
  for (flowtest::FakeActor& c : charas) {
    c.b = 2;
    cEdCommand jump = Command(kCmdJump, 0);
    jump.params = {0, 0, 4, 0, 0};
    cEdCommand target = Command(kCmdSetTarget, 0, true);
    target.params.assign(15, 0);
    target.params[0] = 2;  // the nearest
    const cEdCommand summon = WithShot(Command(kCmdSummonChara, 0, true));
    c.defs = {flowtest::FlowOf(0, {WithMove(Command(kCmdMoveTurnBack, 3), 12, 0), Command(kCmdWait, 2)}, 1),
              flowtest::FlowOf(0, {WithMove(Command(kCmdMoveStraight, 1, true), 20, 3), WithShot(Command(kCmdShot, 4))}, 2),
              flowtest::FlowOf(4, {target, summon, jump}), flowtest::FlowOf(0, {WithMove(Command(kCmdMoveCircle, 10), 10, 0)}, 3)};
    cEdKeyCondition key;
    key.keyStates.assign(19, 0);
    key.keyStates[11] = 1;
    key.bAnyHold = 1;
    c.defs[3].keyConditions.push_back(key);
    InstallFlows(c, c.defs, 0, 0);
  }
  for (auto _ : state) {
    world.searches.clear();
    world.sounds.clear();
    for (flowtest::FakeActor& c : charas) {
      ResetFlowFrameFlags(c);
      c.shots.clear();
      c.jumps.clear();
      c.waves.clear();
      c.summons.clear();
    }
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
