#pragma once

#include <string>
#include <vector>

#include "data/ed_flow.h"
#include "flow/flow_actor_seam.h"

namespace flowtest {

// A character as the flow engine sees it, recording what the engine asks of it.
class FakeActor : public cFlowActor {
 public:
  FakeActor() { flows_.ResetSwitches(); }

  cFlowSet& FlowState() override { return flows_; }
  cVector<cEdFlow>& FlowDefs() override { return defs; }
  int SubSteps() const override { return b; }
  int Clone() const override { return clone; }
  int PlacedFacing() const override { return facing; }
  int Facing() const override { return facingNow; }
  int InputIndex() const override { return 0; }
  bool CheckFlowConditions(cFlow&, const cEdFlow&) override { return conditionsHold; }
  bool IsHero() const override { return hero; }
  bool Vanished() const override { return vanished; }
  std::int64_t Hp() const override { return hp; }
  double JumpSpeed(int halfBlocks) const override { return -0.5 * halfBlocks; }
  int JumpApexTime(int halfBlocks) const override { return halfBlocks + 1; }
  void RemoveAnimes(int key) override { removedKeys.push_back(key); }
  void ClearAnimes() override { animesCleared = true; }
  void StartLeadIn(const FlowLeadIn& leadIn, int key) override { leadIns.push_back({leadIn, key}); }
  void RunDeferredFlowChanges() override { ++deferredRuns; }

  cVector<cEdFlow> defs;
  int b = 1;
  int clone = 0;
  int facing = 0;
  int facingNow = 1;
  bool conditionsHold = true;
  bool hero = false;
  bool vanished = false;
  std::int64_t hp = 10;
  struct StartedLeadIn {
    FlowLeadIn leadIn;
    int key;
  };
  std::vector<StartedLeadIn> leadIns;
  std::vector<int> removedKeys;
  bool animesCleared = false;
  int deferredRuns = 0;

 private:
  cFlowSet flows_;
};

// A command of the character set: kind, time in tenths, no-wait.
cEdCommand Command(int kind, int tenths, bool noWait = false, int anime = 0);
// A flow of a trigger with commands.
cEdFlow FlowOf(int trigger, std::initializer_list<cEdCommand> commands, int switchId = 0, int flowId = 0);
// A loop command: repeat the next `length` commands `count` times.
cEdCommand Loop(int count, int length);

}  // namespace flowtest
