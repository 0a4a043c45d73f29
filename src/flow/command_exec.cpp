#include "flow/command_exec.h"

#include "data/ed_flow.h"
#include "flow/command_workers.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"
#include "flow/move_commands.h"
#include "flow/stage_commands.h"
#include "flow/summon_commands.h"

namespace {

// The one-call commands: the executor hands the record to the kind's worker.
template <int kKind>
void RunWorker(cFlowActor& chara, cFlowCmd&, cEdCommand& def) {
  if (CommandWorker worker = WorkerOf(kKind)) worker(chara, def);
}

// The stage clear ends the stage through the play scene's leave request.
void RunStageClear(cFlowActor& chara, cFlowCmd&, cEdCommand& def) {
  const int result = CmdStageClear(chara, def);
  if (cFlowWorld* world = FlowWorld()) world->SetLeaveRequest(result);
}

}  // namespace

// The wait and the loop do nothing here.
CommandExecutor CommandExecTable[kCharaCommandKinds] = {
    nullptr,         nullptr,         CmdMoveStraight, CmdMoveTurnBack, CmdMoveCircle,
    CmdMoveCharge,   CmdMoveHoming,   CmdMoveAvoidOffscreen, CmdStopMoving, CmdTurn,  // 0-9
    CmdJump, CmdShot, CmdSword, CmdSummonBlock, CmdSummonChara, CmdSummonItem, CmdFlowOperation,
    RunStageClear, RunWorker<kCmdGameWait>, RunWorker<kCmdMessage>,  // 10-19
    RunWorker<kCmdWarp>, RunWorker<kCmdSetTarget>, RunWorker<kCmdStatusOp>, RunWorker<kCmdStatusOp2>, RunWorker<kCmdVanish>,
    RunWorker<kCmdTakeItem>, RunWorker<kCmdChangeGraphic>, RunWorker<kCmdChangeAnimeSet>, RunWorker<kCmdRunAnime>,
    RunWorker<kCmdRunEffect>,  // 20-29
    RunWorker<kCmdRunCharaEffect>, RunWorker<kCmdRunScrEffect>, RunWorker<kCmdShowPicture>, RunWorker<kCmdScreenColour>,
    RunWorker<kCmdChangeBackground>, RunWorker<kCmdPlaySound>,
    RunWorker<kCmdPlayBgm>, RunWorker<kCmdRunCode>, RunWorker<kCmdArrange>, nullptr,  // 30-39
};

cEdCommand& CommandDef(cFlowActor& chara, const cFlow& flow, const cFlowCmd& command) {
  return chara.FlowDefs()[flow.nDefIndex].commands[command.nIndex];
}

void ExecCommand(cFlowActor& chara, cFlowCmd& command) {
  const cFlow* flow = CurrentFlow().flow;
  if (flow == nullptr) return;
  cEdCommand& def = CommandDef(chara, *flow, command);
  const int kind = static_cast<std::int8_t>(def.nKind);
  if (kind < 0 || kind >= kCharaCommandKinds) return;
  // A command whose record did not load does nothing rather than read through it.
  if (kind >= kCmdMoveStraight && kind <= kCmdMoveAvoidOffscreen && def.pMove == nullptr) return;
  const bool usesShot = kind == kCmdShot || kind == kCmdSword || (kind >= kCmdSummonBlock && kind <= kCmdSummonItem);
  if (usesShot && def.pShot == nullptr) return;
  if (CommandExecutor run = CommandExecTable[kind]) run(chara, command, def);
}
