// The jump, shot and sword commands: when the world's action happens, and its sound.
#include "data/database.h"
#include "data/ed_command.h"
#include "data/ed_shot.h"
#include "data/ed_sword_type.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"
#include "flow/move_commands.h"

namespace {

void PlayCommandSound(cFlowActor& chara, const cEdCommand& def) {
  if (def.bSoundInViewOnly != 0 && !chara.Active()) return;
  if (cFlowWorld* world = FlowWorld()) world->PlayUserSE(def.nSound);
}

}  // namespace

void CmdJump(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  chara.StepJump(command, def);
  CountUp(command);
}

// Fires at its first sub-step and again every tenth of a second while it runs.
void CmdShot(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  if (command.nCounter == 0) {
    PlayCommandSound(chara, def);
    const cFlow* flow = CurrentFlow().flow;
    chara.Fire(*def.pShot, flow != nullptr ? flow->nFirstKey : 0);
  }
  CountUp(command);
  if (command.nCounter >= 6 * chara.SubSteps()) command.nCounter = 0;
}

// One sword a run, however long the command lasts.
void CmdSword(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  if (command.nCounter == 0) {
    PlayCommandSound(chara, def);
    const cEdShot& record = *def.pShot;
    const cEdSwordType& type = Database.SwordTypes[record.nTrajectory];
    const cEdSwordPart& part = type.Parts[0];
    chara.MakeSword(record, part.nRectWidth, part.nRectHeight);
  }
  CountUp(command);
}
