#include "world/chara_base.h"

#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

void cCharaBase::FireTrigger(int trigger) { FlowLink().FireTrigger(*this, trigger); }

void cCharaBase::ResetForStage(const cEdChara* def, double startX, double startY, int groupIndex) {
  cScenePlay* scene = PlaySceneGlobal;
  nGroupIndex = static_cast<std::int16_t>(groupIndex);
  TargetedBy.clear();
  HomingShots.clear();
  nTarget = -1;
  if (scene != nullptr && !scene->Player.empty()) {
    cPlayer& hero = scene->Hero();
    nTarget = hero.nNumber;
    if (&hero != this) hero.TargetedBy.AddUnique(nNumber);
  }
  Flows.ResetSwitches();
  dStartX = startX;
  dStartY = startY;
  dImpX = dImpY = 0;
  bKnockBack = 0;
  dPrevImpY = 0;
  bHeldStill = 0;
  nWallSide = -1;
  bWallHit = 0;
  bFalling = 1;
  bAscending = bInJump = 0;
  bJumpLock = 0;
  nNoGround = 0;
  nFootCell = nLandCell = nPrevLandCell = -1;
  nSqueezeGrace = 0;
  for (std::int32_t& v : nMoveBook) v = 0;
  bDead = 0;
  ClearContacts();
  bLandedOnBlock = 0;
  bRiding = 0;
  nRidden = -1;
  nHp = nSp = 0;
  HpGauge = GaugeAnim{};
  SpGauge = GaugeAnim{};
  Vars.assign(9, 0);
  if (def != nullptr) {
    Def = *def;
    nHp = Def.nMaxHp;
    nSp = Def.nMaxSp;
  }
  bFollowScroll = Def.bFollowScroll;
  bHeroFlag = 0;
  nStepValue = 0;
  nSightDots = HblToDot(static_cast<std::int8_t>(Def.nSight));
  const double b2 = scene != nullptr ? scene->Units.dSubStepsSquared : 1.0;
  dDecel = PercentToAccel(static_cast<std::int16_t>(Def.nStopEase), b2);
  Flows.nAnimeKey = 0;
  if (static_cast<std::int16_t>(Def.nStartEffect) != 0) {
    Effect.Start(Def.nStartEffect, Def.nStartEffectParam1, Def.nStartEffectParam2);
  }
  Attackers.clear();
  FlowLink().SetAnimeSet(*this, Def.nAnimeSet, 1);
  Animes.clear();
  bKillRequest = 0;
  nInvincible = 0;
  nDeathDisplay = 0;
  bCondLatch = 0;
}

void cCharaBase::KeepFootOnScale(int newScale, int oldScale) {
  if (newScale == oldScale) return;
  const double d = newScale - oldScale;
  if (SystemData.bLegacy261 != 0) {
    y -= d * nBaseHeight;
  } else {
    y -= d * (Rect.baseHeight - Rect.baseOffY);
  }
  OnMovedY();
}

void cCharaBase::SetBodyBoxCentered(bool bottomAligned, int w, int h) {
  const int ox = 16 - Rect.offX - (w >> 1);
  const int oy = bottomAligned ? 32 - Rect.offY - h : 16 - Rect.offY - (h >> 1);
  Body.SetBoth(ox, oy, w, h);
}

void cCharaBase::SetCenter(int cx, int cy) {
  SetCenterX(cx);
  SetCenterY(cy);
}

void cCharaBase::SnapToTarget(int cx, int cy, MoveCommandState& command) {
  SetCenter(cx, cy);
  command.vx = 0;
  command.vy = 0;
}

void cCharaBase::SetCenterX(int cx) {
  const int c = Rect.left + (Rect.width >> 1);
  x += cx - c;
  OnMovedX();
}

void cCharaBase::SnapToTargetX(int cx, MoveCommandState& command) {
  SetCenterX(cx);
  command.vx = 0;
  command.vy = 0;
}

void cCharaBase::SetCenterY(int cy) {
  const int c = Rect.top + (Rect.height >> 1);
  y += cy - c;
  OnMovedY();
}

void cCharaBase::SnapToTargetY(int cy, MoveCommandState& command) {
  SetCenterY(cy);
  command.vx = 0;
  command.vy = 0;
}
