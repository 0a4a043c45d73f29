#include "world/player.h"

#include <algorithm>
#include <cmath>

#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "core/world_math.h"
#include "world/world_sound.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

// The camera follows the hero on an axis that does not scroll by itself.
void Follow(cScrollAxis& axis, double pos, int size) {
  if (axis.nAutoOn != 0) return;
  axis.dPos = pos - (axis.nView / 2 - size / 2);
  axis.dPos = std::max<double>(std::min<double>(axis.dPos, axis.nClampEnd - axis.nView), axis.nClampStart);
}

}  // namespace

void cPlayer::Init(int number, const cEdChara& def, double startX, double startY) {
  const cStageData& st = Scene().Stage;
  nNumber = number;
  ResetForStage(&def, startX, startY, 0);
  const int flying = def.nFlight != 0 ? 1 : 0;
  const int w = st.nHeroTerrainBox[flying * 2];
  const int h = st.nHeroTerrainBox[flying * 2 + 1];
  const int offX = (32 - w) >> 1;
  const int offY = st.bHeroTerrainAlign[flying] != 0 ? 32 - h : (32 - h) >> 1;
  Setup(number, def.nOperator, def.nPlayer, def.nGroup, def.nPicture, nullptr, 0, offX, offY, w, h, 32, 32,
        def.nFacing, def.nFlight, 0);
  x = startX - 16 + offX;
  y = startY - 16 + offY;
  right = x + nWidth - 1;
  bottom = y + nHeight - 1;
  const std::int32_t* body = flying != 0 ? st.nHeroBodyFly : st.nHeroBodyWalk;
  SetBodyBoxCentered(st.bHeroBodyAlign[flying] != 0, body[0], body[1]);
  Attack.SetBoth(16 - (st.nHeroShotBox[0] >> 1) - offX, 16 - (st.nHeroShotBox[1] >> 1) - offY, st.nHeroShotBox[0],
                 st.nHeroShotBox[1]);
  ItemBox.SetBoth(16 - (st.nHeroItemBox[0] >> 1) - offX, 16 - (st.nHeroItemBox[1] >> 1) - offY, st.nHeroItemBox[0],
                  st.nHeroItemBox[1]);
  TouchedItems.clear();
  QueuedFlowChanges.clear();
  ItemArrange.clear();
  nInput = def.nPlayer;
  nPrevFacing = nFacing;
  dFactorStep = 4.0 / Scene().Units.dSubSteps;
  bHeroFlag = 1;
  bJumpReady = 1;
  nJumpHold = 0;
  bJumpCut = 0;
  nBlockEffect = 0;
  nBlockEffectLeft = 0;
  nBlockEventCooldown = 0;
  RecomputeCellsX();
  RecomputeCellsY();
  BuildHitBoxList();
  FlowLink().InstallFlows(*this);
}

namespace {

void UpdateBox(HitBox& box, double pos, bool horizontal) {
  if (horizontal) {
    box.left = TruncToInt(pos) + box.offX;
    box.right = box.left + box.width - 1;
  } else {
    box.top = TruncToInt(pos) + box.offY;
    box.bottom = box.top + box.height - 1;
  }
}

}  // namespace

int cPlayer::OnMovedX() {
  Follow(Scene().ScrollX, x, nWidth);
  const int code = ClampX(Flies() ? 0 : 1);
  UpdateBox(Body, x, true);
  UpdateBox(Attack, x, true);
  UpdateBox(ItemBox, x, true);
  if (Slots.Any()) NotifyObjectMoved(*this);
  return code;
}

int cPlayer::OnMovedY() {
  Follow(Scene().ScrollY, y, nHeight);
  const int code = ClampY(Flies() ? 0 : 1);
  UpdateBox(Body, y, false);
  UpdateBox(Attack, y, false);
  UpdateBox(ItemBox, y, false);
  if (Slots.Any()) NotifyObjectMoved(*this);
  return code;
}

int cPlayer::StepX() {
  if (dImpX != 0) {
    vx = dImpX;
  } else if (ax != 0) {
    Decelerate(ax, bDecelAx);
    vx += ax;
  }
  const double limit = Scene().Units.dSpeedLimitPerStep;
  vx = std::clamp(vx, -limit, limit);
  x += vx;
  OnMovedX();
  return 0;
}

int cPlayer::StepY() {
  ApplyImpactY();
  if (dImpY == 0 && Flies()) {
    Decelerate(ay, bDecelAy);
    vy += ay;
  }
  const int r = MoveY(Flies() ? 0 : 2);
  OnMovedY();
  if (!Flies() && (r == 5 || r == 6)) return 7;
  return r;
}

int cPlayer::Act(int dyingOnly) {
  cScenePlay& s = Scene();
  s.pCurChara = this;
  s.nKillFlag = 0;
  const bool follows = SystemData.bLegacy214 != 0 ? Flies() : bFollowScroll != 0;
  vx = follows || SystemData.bLegacy214 != 0 ? s.ScrollX.CountedAutoSpeed() : 0;
  if (SystemData.bLegacy214 != 0 && !Flies()) vx = 0;
  if (Flies()) vy = follows ? s.ScrollY.CountedAutoSpeed() : 0;
  bHeldStill = 0;
  bDecelAx = bDecelAy = 1;
  nStepValue = 0;
  bAnimeChosen = 0;
  if (nSqueezeGrace > 0) --nSqueezeGrace;
  bJumpStepped = 0;
  if (FlowLink().RunFlowFrameStep(*this, dyingOnly) != 0) return 1;
  s.pCurChara = nullptr;
  s.pCurFlow = nullptr;
  s.pCurCommand = nullptr;
  ++nFrameCount;
  // The hero's own speeds are what its input gives it; carried speeds do not count.
  if (bAnimeChosen == 0 && ax == 0 && ay == 0) Anime.Change(Flies() ? 2 : 0, 1);
  if (bJumpStepped == 0) {
    nJumpHold = 0;
    bJumpReady = 1;
    bJumpLock = 0;
  }
  return nHp <= 0 ? 1 : 0;
}

void cPlayer::JumpStep(JumpCommandState& command) {
  if (Flies() || bJumpStepped != 0) return;
  cScenePlay& s = Scene();
  const int b = s.Units.subSteps;
  const int kind = command.nKind;
  const int keyState = FlowLink().CheckKeyState(*this, nInput);
  const bool hasKeys = keyState >= 0;
  const bool held = kind == 0 || keyState == 1;
  if (kind == 2) {
    const double u = 10.0 * b;
    const double v = std::fabs(ax);
    const int* p = command.nParam;
    int height = 0;
    if (v >= p[1] / u) {
      height = p[2];
    } else if (v <= p[3] / u) {
      height = p[4];
    } else {
      height = TruncToInt((p[2] - p[4]) * v / (p[1] / u) + p[4]);
    }
    command.dJumpSpeed = JumpSpeedFromDots(height * 16.0);
  }
  const auto rearm = [this] {
    nJumpHold = 0;
    bJumpReady = 1;
    bJumpLock = 0;
  };
  if ((kind != 0 && !held) || bJumpCut != 0) {
    if (nJumpHold > 0 && nJumpHold < command.nApexSteps && bAscending == 0 && bJumpLock == 0 && bJumpCut == 0 &&
        bKnockBack == 0) {
      bRiding = 0;
      if (vy < 0) vy *= 0.3;
      bAscending = 1;
    }
    rearm();
  } else {
    ++nJumpHold;
    const bool free = bAscending == 0 || bRiding != 0;
    if (nJumpHold >= command.nApexSteps && free && bJumpReady != 0 && bJumpLock == 0 && (vy < 0 || bRiding != 0)) {
      bAscending = 1;
      bJumpReady = 0;
    } else if (bFalling == 0 && nJumpHold <= b && free && bJumpReady != 0 && bJumpLock == 0 && bKnockBack == 0 &&
               command.bStarted == 0) {
      bInJump = 1;
      bool started = false;
      if (bRiding == 0) {
        vy = command.dJumpSpeed;
        started = true;
      } else if (s.nSubStep == b) {
        // Off a moving platform the jump starts once per frame, a little stronger.
        vy = command.dJumpSpeed * static_cast<double>(1.02f);
        bRiding = 0;
        started = true;
      }
      if (started) {
        command.bStarted = 1;
        WorldSound().PlayUserSE(command.nSound);
      }
    }
  }
  if (StandsOnSomething() && vy >= 0) {
    if (!hasKeys) {
      rearm();
      bKnockBack = 0;
      command.bStarted = 0;
      bJumpStepped = 1;
      return;
    }
    if (!held) {
      rearm();
      bKnockBack = 0;
      command.nFramesLeft = 0;
    }
  }
  bJumpStepped = 1;
}

void cPlayer::ShowTakenItem(int graphicKind, int picture, int pose) {
  MessageParams p;
  p.kind = 2;
  p.value1 = graphicKind;
  p.value2 = picture;
  p.value3 = pose;
  p.owner = nNumber;
  p.positionMode = 4;
  p.fixed = 1;
  p.durationKind = 2;
  p.time = 30;
  Scene().MessageList.emplace_back().Init(p);
}
