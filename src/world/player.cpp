#include "world/player.h"

#include <algorithm>

#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "world/world_math.h"

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
  bHeroFlag = 1;
  bJumpReady = 1;
  nJumpHold = 0;
  bJumpCut = 0;
  nBlockEffect = 0;
  nBlockEffectLeft = 0;
  nBlockEventCooldown = 0;
  RecomputeCellsX();
  RecomputeCellsY();
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
  if (FlowLink().RunFlowFrameStep(*this, dyingOnly) != 0) return 1;
  s.pCurChara = nullptr;
  s.pCurFlow = nullptr;
  s.pCurCommand = nullptr;
  return nHp <= 0 ? 1 : 0;
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
