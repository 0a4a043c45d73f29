// The character's physics helpers: jumps, grid placement, gravity, landing, HP and SP,
// knock-back.
#include <algorithm>
#include <cmath>
#include <limits>

#include "world/chara_base.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

const HitLevelUnits& Units() { return PlaySceneGlobal->Units; }
constexpr double kTolerance = 1e-8;

bool Opposite(double a, double b) {
  return (a > kTolerance && b < -kTolerance) || (a < -kTolerance && b > kTolerance);
}

}  // namespace

double cCharaBase::JumpSpeed(int halfBlocks) const {
  return JumpSpeedFromDots(static_cast<std::int8_t>(halfBlocks) * 16);
}

double cCharaBase::JumpSpeedFromDots(double dots) const {
  double v = ::JumpSpeedFromDots(dots, Units().dGravityPerStep);
  if (IsPlayerOperated()) v *= 0.99 - 0.025 * PlaySceneGlobal->dGravitySetting;
  return v;
}

int cCharaBase::JumpApexTime(int halfBlocks) const {
  return ApexTenths(JumpSpeed(halfBlocks), Units().dGravityPerStep, Units().subSteps);
}

void cCharaBase::SetCellX(int column) {
  x = (column + 10) * 32 + Rect.baseOffX + 0.5;
  const int s = Scale();
  x -= static_cast<double>(s - 1) * (nBaseWidth >> 1);
  ClampX(2);
  OnMovedX();
}

void cCharaBase::SetCellY(int row) {
  y = (row + 10) * 32 + Rect.baseOffY;
  KeepFootOnScale(Scale(), 1);
  OnMovedY();
}

void cCharaBase::SetCell(int column, int row) {
  SetCellX(column);
  SetCellY(row);
}

void cCharaBase::ApplyGravity() {
  if (bNoGravity != 0 || bRiding != 0 || bHeldStill != 0 || dImpY < 0) return;
  vy += Units().dGravityPerStep;
}

void cCharaBase::SavePosition() { Saved = Box(); }

void cCharaBase::RestorePosition() {
  x = Saved.left;
  y = Saved.top;
  right = Saved.right;
  bottom = Saved.bottom;
  if (Slots.Any()) NotifyObjectMoved(*this);
}

void cCharaBase::Land() {
  vy = 0;
  ay = 0;
  bContactD = 1;
  nNoGround = 0;
  bFalling = 0;
  bInJump = 0;
  bAscending = 0;
  bKnockBack = 0;
  if (!IsPlayerOperated()) bJumpLock = 0;
  y -= (TruncToInt(bottom) & 31) + 1;
  OnMovedY();
  FireTrigger(9);
  FireTrigger(13);
  FireTrigger(15);
}

void cCharaBase::HitCeiling() {
  bAscending = 1;
  bInJump = 1;
  bContactU = 1;
  bJumpLock = 1;
  vy = 0;
  ay = 0;
  y += 32 - (TruncToInt(y) & 31);
  OnMovedY();
  FireTrigger(9);
  FireTrigger(13);
  FireTrigger(14);
}

void cCharaBase::LeaveRide(int noteLanding) {
  bRiding = 0;
  if (dImpY == 0) vy = 0;
  if (noteLanding != 0) bLandedOnBlock = 1;
}

bool cCharaBase::StandsOnSomething() const {
  if (bRiding != 0) return true;
  return nFootCell >= 0 && PlaySceneGlobal->HitKind(nFootCell, nGroup) != 0;
}

namespace {

// HP and SP stay within 32 bits whatever the amount: the sum is formed in 64.
std::int32_t AddClamped(std::int32_t value, std::int64_t amount, std::int32_t maximum) {
  std::int64_t v = static_cast<std::int64_t>(value) + amount;
  v = std::clamp<std::int64_t>(v, 0, std::max(maximum, 0));
  return static_cast<std::int32_t>(v);
}

std::int32_t ToChange(std::int64_t amount) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(amount, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

int cCharaBase::AddHp(std::int64_t amount, int force, int gauge) {
  if (force == 0 && amount <= 0 && Def.nInvincible != 0) return 0;
  if (amount > 0) amount = std::min<std::int64_t>(amount, static_cast<std::int64_t>(Def.nMaxHp) - nHp);
  nHp = AddClamped(nHp, amount, Def.nMaxHp);
  if (nHp <= 0) {
    nHp = 0;
    return 1;
  }
  if (gauge != 0) HpGauge.Start(ToChange(amount), nHp, Def.nMaxHp);
  return 0;
}

int cCharaBase::AddSp(std::int64_t amount, int gauge) {
  if (amount > 0) amount = std::min<std::int64_t>(amount, static_cast<std::int64_t>(Def.nMaxSp) - nSp);
  nSp = AddClamped(nSp, amount, Def.nMaxSp);
  if (gauge != 0) SpGauge.Start(ToChange(amount), nSp, Def.nMaxSp);
  return Def.nMaxSp <= 0 ? 1 : 0;
}

void cCharaBase::ApplyImpact(int strength, double dx, double dy) {
  const int s = static_cast<std::int8_t>(strength);
  if (s == 0) return;
  const int resist = Def.nImpactResist;
  int t = 0;
  if (s < 0) {
    t = std::clamp(s + resist, -20, 0);
  } else {
    t = std::clamp(s - resist, 0, 20);
  }
  ImpactVelocity(dImpX, dImpY, t, dx, dy, Units().dSubSteps);
  if (ax != 0 && Opposite(ax, dImpX)) ax = 0;
  if (ay != 0 && Opposite(ay, dImpY)) ay = 0;
  if (Opposite(vy, dImpY)) vy = 0;
  bKnockBack = 1;
}

void cCharaBase::ImpactFromChara(const cCharaBase& attacker) {
  double dy = attacker.vy;
  if (attacker.Def.nFlight == 0 && attacker.vy < Units().subSteps8 * Units().dGravityPerStep) dy = 0;
  ApplyImpact(attacker.Def.nImpact, attacker.vx, dy);
}

void cCharaBase::ApplyImpactY() {
  if (dImpY != 0) {
    if (Flies()) {
      vy += dImpY;
    } else if (dImpY > 0 && StandsOnSomething()) {
      dImpY = 0;
    } else {
      vy = dImpY + (vy - dPrevImpY);
    }
  }
  dPrevImpY = dImpY;
}

namespace {

void Decay(double& v, double step) {
  if (v > 0) {
    v -= step;
    if (v < 0) v = 0;
  } else if (v < 0) {
    v += step;
    if (v > 0) v = 0;
  }
}

}  // namespace

void cCharaBase::DecayImpactX() { Decay(dImpX, 1.0 / Units().dSubSteps); }

void cCharaBase::DecayImpactY() { Decay(dImpY, 1.0 / Units().dSubSteps); }
