// Flow instances and their run cycle: starting, stepping command by command within their
// budgets, stopping, halting, and a character's flows at every physics sub-step.
#include "flow/flow_run.h"

#include "core/report_log.h"
#include "data/ed_flow.h"
#include "flow/arrange.h"
#include "flow/command_exec.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"

namespace {

constexpr int kTriggerAlways = 0;
constexpr int kTriggerDeath = 3;
constexpr int kTriggerStageStart = 18;
constexpr int kFirstRunAtStageStart = 16;  // earlier kinds never run from a stage-start flow

int g_stageStartDepth = 0;

const cEdFlow& DefOf(cFlowActor& chara, const cFlow& flow) { return chara.FlowDefs()[flow.nDefIndex]; }

// A message shown until the advance key, not a close: it starts and ends message chains.
bool IsChainMessage(const cEdCommand& def) {
  return def.nKind == kCmdMessage && def.params.size() > 15 && def.params[6] == 0 && def.params[15] == 0;
}

int SwitchOf(const cEdFlow& def) { return def.nSwitch < kFlowIdCount ? def.nSwitch : 0; }

// No command runs on, and the flow's switch is raised as stopped, to free it at the end of the
// frame step.
void EndRun(cFlowActor& owner, cFlow& flow) {
  for (cFlowCmd& c : flow.vCmds) c.nLeft = 0;
  cFlowSet& set = owner.FlowState();
  if (const int id = SwitchOf(DefOf(owner, flow)); id != 0) {
    set.Stopped[id] = 1;
    set.bSwitchesChanged = 1;
  }
}

}  // namespace

void cFlow::Start() {
  cFlowActor* owner = CurrentFlow().chara;
  if (owner == nullptr) return;
  const cEdFlow& def = DefOf(*owner, *this);
  bRunning = 1;
  nCurrent = 0;
  nFramesRun = 0;
  bMessageChain = 0;
  for (cFlowCmd& c : vCmds) c.bDone = 0;
  bStartedThisFrame = 1;
  ++nRuns;
  cFlowSet& set = owner->FlowState();
  if (def.nTrigger == kTriggerAlways && SwitchOf(def) != 0) {
    set.Running[SwitchOf(def)] = 1;
    set.StartedNow[SwitchOf(def)] = 1;
  }
  if (vCmds.empty() || def.nTrigger != kTriggerStageStart) return;
  // A stage-start flow runs its quick commands once, in order, and is stopped at once.
  if (g_stageStartDepth >= kMaxNestedStageStarts) {
    Log("flow: stage-start flows start each other more than %d deep; flow %d stops unrun", kMaxNestedStageStarts,
        nDefIndex);
    Stop(*owner);
    return;
  }
  ++g_stageStartDepth;
  {
    const FlowCursorScope scope;
    CurrentFlow().flow = this;
    bAbort = 0;
    for (int i = 0; i < static_cast<int>(vCmds.size()); ++i) {
      const cEdCommand& command = CommandDef(*owner, *this, vCmds[i]);
      if (command.nKind < kFirstRunAtStageStart || command.bNoWait == 0) continue;
      vCmds[i].Reset();
      vCmds[i].Step();
      if (bAbort != 0) break;
      vCmds[i].bDone = 1;
    }
  }
  --g_stageStartDepth;
  Stop(*owner);
}

int cFlow::Step() {
  cFlowActor& owner = *CurrentFlow().chara;
  CurrentFlow().flow = this;
  bAbort = 0;
  const int runs = nRuns;
  const int last = static_cast<int>(vCmds.size()) - 1;
  for (int i = 0; i <= nCurrent && i <= last; ++i) {
    if (i < 0 || vCmds[i].bDone != 0) continue;
    cFlowCmd& command = vCmds[i];
    const cEdCommand& def = CommandDef(owner, *this, command);
    if (command.nLeft == 0) {
      command.Reset();
      if (!IsChainMessage(def) && def.bNoWait == 0) bMessageChain = 0;
    }
    const int finished = command.Step();
    // The command restarted its own flow: the new run's state stands as the start left it.
    if (nRuns != runs) return 0;
    if (def.bNoWait != 0) {
      if (finished != 0) {
        command.bDone = 1;
        if (i == last) return 1;
      }
      if (i == nCurrent) ++nCurrent;
      if (bAbort != 0) return 0;
      continue;
    }
    if (finished == 0) {
      if (bAbort != 0) return 0;
      continue;
    }
    command.bDone = 1;
    if (IsChainMessage(def)) bMessageChain = 1;
    if (i == last) return 1;
    ++nCurrent;
    break;
  }
  if (last >= 0 && vCmds[last].bDone != 0) return 1;
  ++nFramesRun;
  return 0;
}

void cFlow::Stop(cFlowActor& owner) {
  if (bRunning == 0) return;
  bRunning = 0;
  lArranges.clear();
  EndRun(owner, *this);
}

void cFlow::Halt(cFlowActor& owner) {
  bHalted = 1;
  if (bRunning != 0) EndRun(owner, *this);
}

void cFlowCmd::Reset() {
  nLeft = nBudget;
  bDone = 0;
  nCounter = 0;
  bStarted = 0;
  dPhase1 = 0;
  dPhase2 = 0;
  // Arrange entries apply to the next command of another kind that starts after them, and are
  // spent by it whether or not they were meant for it.
  const FlowCursor& cursor = CurrentFlow();
  if (cursor.chara == nullptr || cursor.flow == nullptr) return;
  cEdCommand& def = CommandDef(*cursor.chara, *cursor.flow, *this);
  if (def.nKind == kCmdArrange) return;
  ApplyFlowArrangements(def, *cursor.chara, cursor.flow);
  cursor.flow->lArranges.clear();
}

int cFlowCmd::Step() {
  FlowCursor& cursor = CurrentFlow();
  cursor.command = this;
  if (cursor.chara != nullptr) ExecCommand(*cursor.chara, *this);
  --nLeft;
  if (nLeft > 0) return 0;
  nLeft = 0;
  return 1;
}

void ResetFlowFrameFlags(cFlowActor& chara) {
  cFlowSet& set = chara.FlowState();
  for (cFlow& flow : set.Flows) {
    flow.bTriggeredThisFrame = 0;
    flow.bStartedThisFrame = 0;
  }
  set.StartedNow.Fill(0);
}

void StartLeadInAnimes(cFlowActor& chara) {
  for (cFlow& flow : chara.FlowState().Flows) {
    if (flow.bRunning == 0 || flow.bPaused != 0) continue;
    for (const FlowLeadIn& leadIn : flow.vLeadIns) {
      if (leadIn.nStart == flow.nFramesRun) chara.StartLeadIn(leadIn, flow.nAnimeKey);
    }
  }
}

int RunFlowFrameStep(cFlowActor& chara, int deathOnly) {
  const FlowCursorScope scope;
  StartLeadInAnimes(chara);
  cFlowSet& set = chara.FlowState();
  CurrentFlow().chara = &chara;
  for (int i = 0; i < static_cast<int>(set.Flows.size()); ++i) {
    cFlow& flow = set.Flows[i];
    if (flow.bRunning == 0) continue;
    if (flow.vCmds.empty()) {
      flow.Stop(chara);
      continue;
    }
    if (flow.bPaused != 0 || flow.bHalted != 0) continue;
    const int trigger = DefOf(chara, flow).nTrigger;
    if (deathOnly != 0 && trigger != kTriggerDeath) continue;
    if (flow.Step() == 1) set.Flows[i].Stop(chara);
    if (!chara.IsHero() && chara.Vanished()) return 1;
    if (deathOnly == 0 && trigger != kTriggerDeath && chara.Hp() <= 0) return 1;
  }
  CurrentFlow() = FlowCursor{};
  chara.RunDeferredFlowChanges();
  if (set.bDeletePending != 0) {
    for (int i = 0; i < static_cast<int>(set.Flows.size()); ++i) {
      if (set.Flows[i].bDeletePending == 0) continue;
      RemoveFlow(chara, i);
      --i;
    }
    set.bDeletePending = 0;
  }
  if (set.bSwitchesChanged != 0) {
    for (int id = 0; id < static_cast<int>(set.Stopped.size()); ++id) {
      if (set.Stopped[id] == 0) continue;
      set.Running[id] = 0;
      set.Stopped[id] = 0;
    }
    set.bSwitchesChanged = 0;
  }
  return 0;
}
