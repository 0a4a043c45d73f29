#include "flow/summon_commands.h"

#include "data/command_tables.h"
#include "data/ed_command.h"
#include "data/ed_flow.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"
#include "flow/move_commands.h"

namespace {

void Summon(cFlowActor& chara, cFlowCmd& command, const cEdCommand& def) {
  if (command.nCounter == 0) {
    if (def.bSoundInViewOnly == 0 || chara.OnScreen()) {
      if (cFlowWorld* world = FlowWorld()) world->PlayUserSE(def.nSound);
    }
    const cFlow* flow = CurrentFlow().flow;
    chara.Summon(def.nKind, *def.pShot, flow != nullptr ? flow->nFirstKey : 0);
  }
  CountUp(command);
  if (command.nCounter >= 6 * chara.SubSteps()) command.nCounter = 0;
}

enum FlowOperation : int { kOpStart, kOpStop, kOpPause, kOpResume, kOpDelete, kOpHalt };
enum FlowSelection : int { kThisFlow, kAllOthers, kById };

void Operate(cFlowActor& chara, cFlow& flow, int operation) {
  switch (operation) {
    case kOpStart:
      flow.Stop(chara);
      chara.RemoveAnimes(flow.nAnimeKey);
      flow.Start();
      break;
    case kOpStop:
      flow.Stop(chara);
      chara.RemoveAnimes(flow.nAnimeKey);
      break;
    case kOpPause:
      flow.Pause();
      chara.PauseAnimes(flow.nAnimeKey);
      break;
    case kOpResume:
      flow.Resume();
      chara.ResumeAnimes(flow.nAnimeKey);
      return;  // a resumed flow's step goes on
    case kOpDelete:
      flow.bDeletePending = 1;
      chara.FlowState().bDeletePending = 1;
      break;
    case kOpHalt:
      flow.Halt(chara);
      chara.RemoveAnimes(flow.nAnimeKey);
      break;
    default: return;
  }
  flow.bAbort = 1;
}

}  // namespace

void CmdSummonBlock(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) { Summon(chara, command, def); }
void CmdSummonChara(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) { Summon(chara, command, def); }
void CmdSummonItem(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) { Summon(chara, command, def); }

void CmdFlowOperation(cFlowActor& chara, cFlowCmd&, cEdCommand& def) {
  const auto param = [&def](int n) { return n < static_cast<int>(def.params.size()) ? def.params[n] : 0; };
  const int operation = param(0);
  const int selection = param(1);
  const int id = param(2);
  if (operation < kOpStart || operation > kOpHalt) return;
  cFlow* current = CurrentFlow().flow;
  cVector<cFlow>& flows = chara.FlowState().Flows;
  cVector<cEdFlow>& defs = chara.FlowDefs();
  switch (selection) {
    case kThisFlow:
      if (current != nullptr) Operate(chara, *current, operation);
      break;
    case kAllOthers:
      for (cFlow& flow : flows) {
        if (&flow != current) Operate(chara, flow, operation);
      }
      break;
    case kById:
      if (id == 0) return;
      for (cFlow& flow : flows) {
        if (defs[flow.nDefIndex].nFlowId == id) Operate(chara, flow, operation);
      }
      break;
    default: break;
  }
}
