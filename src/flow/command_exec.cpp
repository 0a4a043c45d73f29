#include "flow/command_exec.h"

#include "data/ed_flow.h"
#include "flow/flow_actor_seam.h"
#include "flow/expression.h"
#include "flow/flow_cursor.h"
#include "flow/move_commands.h"
#include "flow/status_ops.h"
#include "flow/summon_commands.h"

namespace {

void RunStatusOp(cFlowActor& chara, cFlowCmd&, cEdCommand& def) { CmdStatusOp(chara, def); }
void RunCode(cFlowActor& chara, cFlowCmd&, cEdCommand& def) { CmdExecCode(chara, def); }

}  // namespace

// Kinds whose executors are not built yet do nothing, as the wait and the loop do.
CommandExecutor CommandExecTable[kCharaCommandKinds] = {
    nullptr,         nullptr,         CmdMoveStraight, CmdMoveTurnBack, CmdMoveCircle,
    CmdMoveCharge,   CmdMoveHoming,   CmdMoveAvoidOffscreen, CmdStopMoving, CmdTurn,  // 0-9
    CmdJump, CmdShot, CmdSword, CmdSummonBlock, CmdSummonChara, CmdSummonItem, CmdFlowOperation,
    nullptr, nullptr, nullptr,  // 10-19
    nullptr, nullptr, RunStatusOp, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // 20-29
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, RunCode, nullptr, nullptr,      // 30-39
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
