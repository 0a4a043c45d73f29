// A character as the flow engine's actor: its flows, statuses, target and animations.
#include "data/database.h"
#include "data/ed_flow.h"
#include "world/chara_base.h"
#include "world/motion_helpers.h"
#include "world/scene_play.h"

cVector<cEdFlow>& cCharaBase::FlowDefs() { return Def.flows; }

int cCharaBase::SubSteps() const { return PlaySceneGlobal != nullptr ? PlaySceneGlobal->Units.subSteps : 1; }

int cCharaBase::PlacedFacing() const { return Def.nFacing; }

void cCharaBase::StartLeadIn(const FlowLeadIn& leadIn, int key) {
  AnimeEntry& e = Animes.emplace_back();
  e.Player.m_Animes = AnimeStepTable{AnimeStepTables[leadIn.nAnime]};
  e.bPriority = 1;
  e.nFramesLeft = leadIn.nLength;
  e.nSecondCount = leadIn.nHold;
  e.nKey = key;
  e.Player.Set(0, 1);
  e.Player.m_nTick += leadIn.nOffset;
  // The pose the command holds lasts as long as the command.
  if (leadIn.nHold >= 2 && leadIn.bExtend != 0 && !e.Player.m_Animes.empty()) {
    for (AnimeStep& step : e.Player.m_Animes[0]) {
      if (step.hold != 0) {
        step.duration += leadIn.nHold - 1;
        break;
      }
    }
  }
}

FieldRef cCharaBase::StatusField(int index, int variable) {
  switch (index) {
    case kStatusVar:
      return variable >= 0 && variable < static_cast<int>(Vars.size()) ? FieldRef{&Vars[variable], 32} : FieldRef{};
    case kStatusHp: return {&nHp, 32};
    case kStatusSp: return {&nSp, 32};
    case kStatusMaxHp: return {&Def.nMaxHp, 32};
    case kStatusMaxSp: return {&Def.nMaxSp, 32};
    case kStatusCharaId: return {&Def.nCharaId, 8};
    case kStatusZ: return {&Def.nZ, 8};
    case kStatusMark: return {&Def.nOverlayTile, 16};
    case kStatusSight: return {&Def.nSight, 8};
    case kStatusPower: return {&Def.nPower, 32};
    case kStatusImpact: return {&Def.nImpact, 8};
    case kStatusDefence: return {&Def.nDefence, 32};
    case kStatusImpactResist: return {&Def.nImpactResist, 8};
    case kStatusStopEase: return {&Def.nStopEase, 16};
    case kStatusScoreValue: return {&Def.nScore, 32};
    default: return {};
  }
}

void cCharaBase::StatusChanged(int index) {
  if (index == kStatusStopEase) {
    const double b2 = PlaySceneGlobal != nullptr ? PlaySceneGlobal->Units.dSubStepsSquared : 1.0;
    dDecel = PercentToAccel(static_cast<std::int16_t>(Def.nStopEase), b2);
  } else if (index == kStatusSight) {
    nSightDots = HblToDot(static_cast<std::int8_t>(Def.nSight));
  }
}

cFlowActor* cCharaBase::Target() {
  return nTarget >= 0 && PlaySceneGlobal != nullptr ? PlaySceneGlobal->FindCharaByNumber(nTarget) : nullptr;
}

void cCharaBase::StartHpGauge(std::int64_t change) {
  HpGauge.Start(static_cast<std::int32_t>(change), nHp, Def.nMaxHp);
}

void cCharaBase::StartSpGauge(std::int64_t change) {
  SpGauge.Start(static_cast<std::int32_t>(change), nSp, Def.nMaxSp);
}

bool cCharaBase::CheckFlowConditions(cFlow& flow, const cEdFlow& def) {
  return PlaySceneGlobal == nullptr || PlaySceneGlobal->CheckFlowConditions(flow, def, *this);
}

std::int32_t cCharaBase::StatusFlag(int selector) const {
  switch (selector) {
    case 1: return Def.bTransparent;
    case 2: return static_cast<std::int8_t>(Def.bFixedFacing);
    case 3: return static_cast<std::int8_t>(Def.nFlight);
    case 4: return static_cast<std::int8_t>(Def.nInvincible);
    case 5: return static_cast<std::int8_t>(Def.nGiant);
    case 6: return Def.bFollowScroll;
    default: return 0;
  }
}

bool cCharaBase::SubjectInRange(cFlowActor& subject, bool vertical, int back, int front, bool wholeSpan) {
  const auto* other = dynamic_cast<const cCharaBase*>(&subject);
  if (other == nullptr) return false;
  RangeTest r;
  r.ownPos = vertical ? Rect.top : Rect.left;
  r.ownSize = vertical ? Rect.height : Rect.width;
  r.otherStart = vertical ? other->Rect.top : other->Rect.left;
  r.otherEnd = r.otherStart + (vertical ? other->Rect.height : other->Rect.width) - 1;
  r.back = back;
  r.front = front;
  r.wholeSpan = wholeSpan ? 1 : 0;
  r.useOtherHeight = vertical ? 1 : 0;
  r.other = other;
  return CheckRange(r, false);
}

void cCharaBase::BoxCentre(double& cx, double& cy) const {
  cx = x + nWidth / 2.0;
  cy = y + nHeight / 2.0;
}
