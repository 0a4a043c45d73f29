// A character as the movement, jump, shot, sword and summon commands see it: its velocities and flags,
// the block map under its feet, and the world's aiming and actions.
#include <algorithm>

#include "core/trunc_to_int.h"
#include "data/ed_command.h"
#include "world/chara_base.h"
#include "world/motion_helpers.h"
#include "world/scene_play.h"
#include "world/shot_obj.h"
#include "world/volley.h"

namespace {

MoveCommandState MoveState(const cFlowCmd& command, bool stopOnArrival) {
  MoveCommandState s;
  s.speed = command.dSpeed;
  s.targetOffsetX = command.nTargetX;
  s.targetOffsetY = command.nTargetY;
  s.bStopAtTarget = stopOnArrival ? 1 : 0;
  s.vx = command.dVX;
  s.vy = command.dVY;
  s.direction = static_cast<std::int32_t>(command.nFacing);
  return s;
}

}  // namespace

void cCharaBase::ShowMoving() {
  bAnimeChosen = 1;
  Anime.Change(Flies() ? 3 : 1, 1);
}

bool cCharaBase::RiddenShift(double& shift) {
  if (bRiding == 0 || PlaySceneGlobal == nullptr) return false;
  const cCharaBase* ridden = nRidden >= 0 ? PlaySceneGlobal->FindCharaByNumber(nRidden) : nullptr;
  if (ridden == nullptr || ridden->bHeroFlag != 0) return false;
  shift = ridden->x - RiddenBox.left;
  return true;
}

void cCharaBase::SolidUnderFeet(bool& leftSolid, bool& rightSolid) {
  leftSolid = rightSolid = false;
  if (PlaySceneGlobal == nullptr) return;
  cScenePlay& s = *PlaySceneGlobal;
  const auto clampTo = [](int v, int blocks) { return std::clamp(v, 0, std::max(blocks - 1, 0)); };
  const int row = clampTo(TruncToInt(bottom + 1.1) >> 5, s.ScrollY.nMapBlocks);
  const int l = clampTo(TruncToInt(x) >> 5, s.ScrollX.nMapBlocks);
  const int r = clampTo(TruncToInt(right) >> 5, s.ScrollX.nMapBlocks);
  leftSolid = s.HitKind(s.CellIndex(l, row), nGroup) != 0;
  rightSolid = s.HitKind(s.CellIndex(r, row), nGroup) != 0;
}

FlowScreenRect cCharaBase::ScreenRect() {
  FlowScreenRect r;
  r.left = Rect.left;
  r.top = Rect.top;
  r.right = Rect.right;
  r.bottom = Rect.bottom;
  r.width = Rect.width;
  r.height = Rect.height;
  return r;
}

void cCharaBase::AimPoint(const cFlowCmd& command, double& px, double& py) {
  MoveTargetPoint(px, py, MoveState(command, false));
}

void cCharaBase::Approach(cFlowCmd& command, int axes, bool stopOnArrival, double px, double py) {
  MoveCommandState s = MoveState(command, stopOnArrival);
  if (axes == 3) {
    ApproachXY(s, nTarget, px, py);
  } else if (axes == 1) {
    ApproachX(s, nTarget, px);
  } else {
    ApproachY(s, nTarget, py);
  }
  command.dVX = s.vx;
  command.dVY = s.vy;
  command.nFacing = static_cast<std::uint32_t>(s.direction);
}

double cCharaBase::ApproachVX(const cFlowCmd& command, double px) {
  return SolveApproachX(MoveState(command, false), nTarget, px);
}

double cCharaBase::WaveStep(double amplitude, double& phase, double phaseStep, double startAngle) {
  return WaveVelocity(amplitude, 1, phase, phaseStep, startAngle, SubSteps());
}

void cCharaBase::StepJump(cFlowCmd& command, const cEdCommand& def) {
  JumpCommandState s;
  for (int i = 0; i < 5; ++i) s.nParam[i] = i < static_cast<int>(def.params.size()) ? def.params[i] : 0;
  s.nKind = s.nParam[0];
  s.nApexSteps = command.nBudget;
  s.bStarted = command.bStarted;
  s.nRunCount = command.nCounter;
  s.dJumpSpeed = command.dSpeed;
  s.nSound = def.nSound;
  JumpStep(s);
  command.bStarted = s.bStarted;
  command.dSpeed = s.dJumpSpeed;
  // The jump ended (it landed, or never left the ground): the command ends with this step.
  if (s.nFramesLeft == 0) command.nLeft = 1;
}

void cCharaBase::Fire(const cEdShot& record, int firstKey) {
  VolleyCommand command;
  command.kind = kMakeShot;
  command.firstKey = firstKey;
  FireShots(*this, command, record);
}

void cCharaBase::Summon(int kind, const cEdShot& record, int firstKey) {
  VolleyCommand command;
  command.kind = kind;
  command.firstKey = firstKey;
  switch (kind) {
    case kMakeBlock: SummonBlock(*this, command, record); break;
    case kMakeChara: SummonChara(*this, command, record); break;
    case kMakeItem: SummonItem(*this, command, record); break;
    default: break;
  }
}

void cCharaBase::MakeSword(const cEdShot& record, std::int32_t width, std::int32_t height) {
  if (PlaySceneGlobal == nullptr) return;
  cScenePlay& s = *PlaySceneGlobal;
  ShotSpawn spawn;
  spawn.w = width;
  spawn.h = height;
  cShotObj sword;
  sword.Init(s.nShotNumber, *this, kMakeSword, record, spawn);
  cShotObj& added = AddShotObj(s, sword);
  ++s.nShotNumber;
  added.nTarget = -1;
}
