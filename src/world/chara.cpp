#include "world/chara.h"

#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "core/world_math.h"
#include "world/world_sound.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

}  // namespace

void cChara::ScaleBoxes(int scale) {
  if (IsBlockChara()) {
    Body.offX = Body.offY = Attack.offX = Attack.offY = 0;
    Body.width = Attack.width = nWidth;
    Body.height = Attack.height = nHeight;
    return;
  }
  for (HitBox* box : {&Body, &Attack}) {
    box->offX = scale * box->baseOffX;
    box->offY = scale * box->baseOffY;
    box->width = scale * box->baseWidth;
    box->height = scale * box->baseHeight;
  }
}

void cChara::UpdateBoxX() {
  for (HitBox* box : {&Body, &Attack}) {
    box->left = TruncToInt(x) + box->offX;
    box->right = box->left + box->width - 1;
  }
}

void cChara::UpdateBoxY() {
  for (HitBox* box : {&Body, &Attack}) {
    box->top = TruncToInt(y) + box->offY;
    box->bottom = box->top + box->height - 1;
  }
}

void cChara::Init(int number, cEdChara& placement, const cItemObj* heldItem, double startX, double startY,
                  int groupIndex) {
  const cStageData& st = Scene().Stage;
  nNumber = number;
  if (placement.nGiant == 0) placement.nGiant = 1;
  ResetForStage(&placement, startX, startY, groupIndex);
  int w = 32;
  int h = 32;
  int offX = 0;
  int offY = 0;
  if (!IsBlockChara()) {
    const int flying = Def.nFlight != 0 ? 1 : 0;
    w = st.nCharaTerrainBox[flying * 2];
    h = st.nCharaTerrainBox[flying * 2 + 1];
    offX = (32 - w) >> 1;
    offY = st.bCharaTerrainAlign[flying] != 0 ? 32 - h : (32 - h) >> 1;
  }
  Setup(number, Def.nOperator, Def.nPlayer, Def.nGroup, Def.nPicture, nullptr, 0, offX, offY, w, h, 32, 32,
        Def.nFacing, Def.nFlight, groupIndex);
  x = startX;
  y = startY;
  if (IsBlockChara()) {
    Body.SetBoth(0, 0, 32, 32);
    Attack.SetBoth(0, 0, 32, 32);
  } else {
    const int flying = Def.nFlight != 0 ? 1 : 0;
    switch (Def.nBodyBox) {
      case 0: {
        const std::int32_t* box = flying != 0 ? st.nCharaBodyFly : st.nCharaBodyWalk;
        SetBodyBoxCentered(st.bCharaBodyAlign[flying] != 0, box[0], box[1]);
        break;
      }
      case 1: SetBodyBoxCentered(false, st.nCharaShotBox[0], st.nCharaShotBox[1]); break;
      case 2: SetBodyBoxCentered(false, st.nCharaShotHitBox[0], st.nCharaShotHitBox[1]); break;
      case 3: SetBodyBoxCentered(false, 32, 32); break;
      default: Body = HitBox{}; break;
    }
    const int aw = st.nCharaShotBox[0];
    const int ah = st.nCharaShotBox[1];
    Attack.SetBoth(16 - (aw >> 1) - Rect.offX, 16 - (ah >> 1) - Rect.offY, aw, ah);
  }
  right = x + nWidth - 1;
  bottom = y + nHeight - 1;
  SetScale(placement.nGiant, 1);
  nIconCounter = 0;
  if (heldItem != nullptr) {
    HeldItem = *heldItem;
  } else {
    HeldItem = cItemObj{};
    HeldItem.nGraphic = 0;
  }
  bIgnoreX = Def.nActivityRange == 2 || Def.nActivityRange == 3;
  bIgnoreY = Def.nActivityRange == 1 || Def.nActivityRange == 3;
  bActivated = 0;
  Anime.Set(Def.nFlight == 0 ? 1 : 0, 1);
  FlowLink().InstallFlows(*this);
}

void cChara::SetCell(int column, int row) {
  x = (column + 10) * 32 + Rect.baseOffX + 0.5;
  y = (row + 10) * 32 + Rect.baseOffY;
  const int s = Scale();
  if (s != 1) {
    KeepCentreX(s, 1);
    KeepFootOnScale(s, 1);
  }
  OnMovedX();
  OnMovedY();
}

int cChara::UpdateActivity(cVector<std::uint8_t>& switches) {
  if (!IsOnScreenAxes(bIgnoreX != 0, bIgnoreY != 0)) {
    bActive = 0;
    return 0;
  }
  bActive = 1;
  if (Def.bActivation != 0 && Def.nActivationSwitch < switches.size()) switches[Def.nActivationSwitch] = 1;
  return 1;
}

int cChara::TakesPart(const cVector<std::uint8_t>& switches) {
  const bool switched =
      Def.bActivation != 0 && Def.nActivationSwitch < switches.size() && switches[Def.nActivationSwitch] != 0;
  if (bActive == 0 && !switched) {
    const bool moving = Def.nFlight == 0 && (bInJump != 0 || (bActivated != 0 && bFalling != 0));
    if (!moving) return 0;
  }
  bActivated = 1;
  if (Def.bStayActive == 1) bIgnoreX = bIgnoreY = 1;
  UpdateScreenRect();
  return 1;
}

int cChara::StepX() {
  if (dImpX != 0) {
    vx = dImpX;
  } else if (ax != 0) {
    Decelerate(ax, bDecelAx);
    vx += ax;
  }
  const int r = MoveX(2);
  OnMovedX();
  return r == 3 ? 4 : r;
}

int cChara::StepY() {
  ApplyImpactY();
  if (dImpY == 0 && Flies() && ay != 0) {
    Decelerate(ay, bDecelAy);
    vy += ay;
  }
  const int r = MoveY(2);
  OnMovedY();
  if (Flies() && (r == 3 || r == 6)) return 8;
  if (!Flies() && (r == 5 || r == 6)) return 7;
  return r;
}

int cChara::Act(int dyingOnly) {
  cScenePlay& s = Scene();
  s.pCurChara = this;
  s.nKillFlag = 0;
  if (SystemData.bLegacy214 == 0 && bFollowScroll != 0) {
    vx = s.ScrollX.CountedAutoSpeed();
    if (Flies()) vy = s.ScrollY.CountedAutoSpeed();
  } else {
    vx = 0;
    if (Flies()) vy = 0;
  }
  bHeldStill = 0;
  bDecelAx = bDecelAy = 1;
  nStepValue = 0;
  bAnimeChosen = 0;
  if (nSqueezeGrace > 0) --nSqueezeGrace;
  if (FlowLink().RunFlowFrameStep(*this, dyingOnly) != 0) return 1;
  s.pCurChara = nullptr;
  s.pCurFlow = nullptr;
  s.pCurCommand = nullptr;
  if (bAnimeChosen == 0 && vx == 0 && vy == 0) Anime.Change(Flies() ? 2 : 0, 1);
  return nHp <= 0 ? 1 : 0;
}

void cChara::JumpStep(JumpCommandState& command) {
  const bool again = SystemData.bLegacy749 != 0;
  const auto endTest = [this, &command] {
    if (StandsOnSomething()) {
      bJumpLock = 0;
      bKnockBack = 0;
      command.nFramesLeft = 0;
    }
  };
  if (!again && command.bStarted != 0) {
    endTest();
    return;
  }
  if (bFalling == 0 && bJumpLock == 0 && bKnockBack == 0 && nNoGround == 0) {
    command.bStarted = 1;
    WorldSound().PlayUserSE(command.nSound);
    vy = command.dJumpSpeed;
    bInJump = 1;
    bAscending = 1;
    bRiding = 0;
    return;
  }
  if (again) return;
  if (command.nRunCount >= 2 * Scene().Units.subSteps) {
    command.bStarted = 1;
    bJumpLock = 0;
    bKnockBack = 0;
    command.nFramesLeft = 0;
    return;
  }
  endTest();
}
