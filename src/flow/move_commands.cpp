// The movement and facing commands. Velocities are in dots per sub-step; a character that does
// not fly never gets a vertical velocity from them.
#include "flow/move_commands.h"

#include <climits>
#include <cmath>

#include "core/trunc_to_int.h"
#include "core/world_math.h"
#include "data/ed_command.h"
#include "data/ed_move.h"
#include "data/system_data.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_world_seam.h"
#include "flow/move_helpers.h"

namespace {

constexpr double kPi = 3.141592653589793;

void Store(cFlowCmd& command, const MoveVelocity& v) {
  command.dVX = v.vx;
  command.dVY = v.vy;
  if (v.requested) command.nFacing = v.request;
}

MoveVelocity Held(const cFlowCmd& command) {
  MoveVelocity v;
  v.vx = command.dVX;
  v.vy = command.dVY;
  v.request = command.nFacing;
  return v;
}

// The charge's aim turned by the command's angle, in whole degrees.
void RotateCharge(cFlowActor& chara, cFlowCmd& command) {
  const double degrees = 180.0 / kPi;
  double a = 0;
  if (SystemData.bLegacy728 != 0) {
    a = std::trunc(WorldAtan2(command.dVX, command.dVY) * degrees + 90) + command.nAngle;
    command.dVX = WorldCos(a / degrees) * command.dSpeed;
  } else {
    a = std::trunc(WorldAtan2(command.dVY, command.dVX) * degrees + 180) + command.nAngle;
    command.dVX = -WorldCos(a / degrees) * command.dSpeed;
  }
  if (chara.Flying()) command.dVY = -WorldSin(a / degrees) * command.dSpeed;
}

// The first step of a movement that aims once: its angle and, when it aims at a point, its
// target offset. False on later steps.
bool BeginAim(cFlowActor& chara, cFlowCmd& command, const cEdMove& move, bool withTarget) {
  if (command.bStarted != 0) return false;
  command.bStarted = 1;
  SetMoveAngle(chara, command, move);
  if (withTarget) SetMoveTarget(chara, command, move);
  return true;
}

int TenthOfSecond(const cFlowActor& chara) { return 6 * chara.SubSteps(); }

}  // namespace

void CountUp(cFlowCmd& command) {
  if (command.nCounter < INT32_MAX) ++command.nCounter;
}

void CmdMoveStraight(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  const cEdMove& move = *def.pMove;
  const bool flying = chara.Flying();
  if (BeginAim(chara, command, move, move.nSpecMode == 1)) {
    if (move.nSpecMode == 0) {
      Store(command, command.nAngle != 0 ? VelocityByAngle(chara, command.dSpeed, command.cMoveDir, command.nAngle)
                                         : VelocityByDir(chara, command.dSpeed, command.cMoveDir));
    } else if (move.nSpecMode == 1) {
      Store(command, VelocityToward(chara, command, move, command.dSpeed));
    }
    if (!flying) command.dVY = 0;
  } else {
    if (!flying) command.dVY = 0;
    if (move.bReverseOnTurn != 0 && chara.StatusFlag(2) != 0 && chara.Facing() != command.nLastFacing) {
      command.dVX = -command.dVX;
      command.dVY = -command.dVY;
    }
  }
  ApplyMove(chara, Held(command), command, move, false);
  command.nLastFacing = chara.Facing();
}

void CmdMoveTurnBack(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  if (chara.Flying()) return;
  if (chara.KnockBack(0) != 0 || chara.KnockBack(1) != 0) {
    command.dVX = (chara.Facing() == 1 ? 1 : -1) * command.dSpeed;
    command.dVY = 0;
    command.nFacing = kFaceAsIs;
  } else {
    Store(command, GroundTurnVelocity(chara, command));
  }
  ApplyMove(chara, Held(command), command, *def.pMove, true);
}

void CmdMoveCircle(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  if (command.nParam == 0) return;
  const cEdMove& move = *def.pMove;
  if (command.bStarted == 0) {
    command.bStarted = 1;
    command.dPhase1 = command.dPhase2 = command.nAngleFrom;
  }
  const bool right = chara.Facing() == 1;
  const int mode = command.cMoveDir;
  const bool clockwise = mode == 0 || (mode == 2 && !right) || (mode == 3 && right);
  command.dVX = 0;
  command.dVY = 0;
  const double step = chara.SubSteps() * command.dSpeed;
  if (move.bNoMoveX == 0) command.dVX -= chara.WaveStep(command.nParam, command.dPhase1, step, 0) * command.dSpeed;
  if (move.bNoMoveY == 0 && chara.Flying()) {
    command.dVY -= chara.WaveStep(command.nParam, command.dPhase2, step, clockwise ? 270 : 90) * command.dSpeed;
  }
  MoveVelocity v = Held(command);
  v.request = kFaceAsIs;
  ApplyMove(chara, v, command, move, false);
}

void CmdMoveCharge(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  const cEdMove& move = *def.pMove;
  const bool flying = chara.Flying();
  if (BeginAim(chara, command, move, true)) {
    cFlowActor* target = chara.Target();
    if (target == nullptr) {
      command.dVX = 0;
      command.dVY = 0;
      return;
    }
    if (target->Vanished()) return;
    double px = 0;
    double py = 0;
    target->AimPoint(command, px, py);
    if (flying) {
      ApproachPoint(chara, command, move, px, py);
    } else {
      command.dVX = move.bNoMoveX != 0 ? 0 : chara.ApproachVX(command, px);
    }
    if (command.nAngle != 0) RotateCharge(chara, command);
  } else if (!flying) {
    command.dVY = 0;
  }
  ApplyMove(chara, Held(command), command, move, false);
}

void CmdMoveHoming(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  cFlowActor* target = chara.Target();
  if (target == nullptr) return;
  const cEdMove& move = *def.pMove;
  if (command.bStarted == 0) {
    command.bStarted = 1;
    SetMoveTarget(chara, command, move);
  }
  if (target->Vanished()) return;
  chara.ClearStepMoves();
  const bool flying = chara.Flying();
  if (!flying && move.bNoMoveX != 0) return;
  FlowTrailPoint p;
  target->AimPoint(command, p.x, p.y);
  const bool stop = move.bStopAtTarget != 0;
  const auto approach = [&](const FlowTrailPoint& q) {
    if (flying) {
      ApproachPoint(chara, command, move, q.x, q.y);
    } else {
      chara.Approach(command, 1, stop, q.x, 0);
    }
  };
  if (!flying) command.dVY = 0;
  if (command.nParam == 0) {
    approach(p);
  } else if (command.nCounter == 0) {
    // Heads for where the target was nParam sub-steps ago, aiming again that often.
    command.lTrail.clear();
    command.lTrail.push_back(p);
    approach(p);
  } else if (command.nCounter % command.nParam == 0) {
    if (!command.lTrail.empty()) approach(command.lTrail.front());
    command.lTrail.push_back(p);
    command.lTrail.pop_front();
  }
  if (!flying) command.dVY = 0;
  ApplyMove(chara, Held(command), command, move, false);
  CountUp(command);
}

void CmdMoveAvoidOffscreen(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  const cEdMove& move = *def.pMove;
  Store(command, OffScreenVelocity(chara, command, move));
  if (!chara.Flying()) command.dVY = 0;
  ApplyMove(chara, Held(command), command, move, false);
  CountUp(command);
}

void CmdStopMoving(cFlowActor& chara, cFlowCmd&, cEdCommand&) {
  for (int axis = 0; axis < 2; ++axis) {
    chara.Speed(axis) = 0;
    chara.Inertia(axis) = 0;
    chara.KnockBack(axis) = 0;
  }
  chara.ClearStepMoves();
  chara.HoldStill();
}

void CmdTurn(cFlowActor& chara, cFlowCmd& command, cEdCommand& def) {
  chara.ClearStepMoves();
  if (chara.StatusFlag(2) == 0) return;
  const int mode = def.params.size() > 0 ? def.params[0] : 0;
  cFlowActor* target = chara.Target();
  // Without a target to face the command waits, silent, until one is set.
  if ((mode == 2 || mode == 3) && target == nullptr) return;
  if (command.nCounter == 0) {
    if (cFlowWorld* world = FlowWorld()) world->PlayUserSE(def.nSound);
  }
  switch (mode) {
    case 0: chara.Turn(0); break;
    case 1: chara.Turn(1); break;
    case 2:
    case 3: {
      double ownX = 0, ownY = 0, aimX = 0, aimY = 0;
      chara.BoxCentre(ownX, ownY);
      target->BoxCentre(aimX, aimY);
      const int towards = aimX > ownX ? 1 : 0;
      chara.Turn(mode == 2 ? towards : 1 - towards);
      break;
    }
    case 4:
    case 5: {
      const int side = chara.LastBlockSide();
      if (side == 0 || side == 1) chara.Turn(mode == 4 ? side : 1 - side);
      break;
    }
    default: break;
  }
  CountUp(command);
  if (command.nCounter >= TenthOfSecond(chara)) command.nCounter = 0;
}
