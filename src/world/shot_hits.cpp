// Shots on the field: their pass of the sub-step, hits on characters, shots erasing each
// other, and their removal.
#include <algorithm>

#include "data/palette_reference.h"
#include "world/chara_base.h"
#include "world/effect_obj.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

// Keeps removals from cutting the group lists under a walk.
class WalkGuard {
 public:
  explicit WalkGuard(cScenePlay& s) : s_(s) { s_.BeginGroupWalk(); }
  ~WalkGuard() { s_.EndGroupWalk(); }
  WalkGuard(const WalkGuard&) = delete;
  WalkGuard& operator=(const WalkGuard&) = delete;

 private:
  cScenePlay& s_;
};

bool TakesPartInShotHits(const cScenePlay& s, const cCharaBase& c) {
  if (s.Stage.bOnScreenHitsOnly != 0 && c.bOnScreen == 0) return false;
  if (c.bPresent == 0 || c.bDead != 0 || c.Def.nInvincible == 2) return false;
  if (c.bHeroFlag == 0 && static_cast<const cChara&>(c).bTakesPart == 0) return false;
  return true;
}

const cEdItem* CarriedItem(const cShotObj& shot) {
  if (shot.Rec.nItemSource == 0 || shot.Rec.nItemIndex == 0) return nullptr;
  return GetPaletteItem(shot.Rec.nItemSource, shot.Rec.nItemIndex);
}

}  // namespace

void cCharaBase::ImpactFromShot(const cShotObj& shot) {
  if (shot.IsSword()) {
    ApplyImpact(shot.Rec.nImpact, shot.FacingSign(), 0);
  } else {
    ApplyImpact(shot.Rec.nImpact, shot.vx, shot.vy);
  }
}

int cCharaBase::TakeShotHit(const cShotObj& shot) {
  std::int64_t d = shot.Rec.nPower;
  if (d > 0) d = std::clamp<std::int64_t>(d - Def.nDefence, 0, 999999);
  const int r = AddHp(-d, 0, 1);
  if (shot.Rec.nEffect != 0) {
    cEffectObj& effect = Scene().EffectList.emplace_back();
    effect.InitAtOverlap(shot.Rec.nEffect, AttackBox(), shot.HitBoxOf(), shot.Rec.nScale);
  }
  ImpactFromShot(shot);
  if (shot.Rec.nPower != 0) FireTrigger(1);
  if (shot.Rec.nImpact != 0) FireTrigger(2);
  return r;
}

cList<cShotObj>::iterator cScenePlay::RemoveShot(cList<cShotObj>::iterator it) {
  cShotObj& shot = *it;
  if (shot.Rec.nTrajectory == 3 || shot.Rec.nTrajectory == 6) {
    if (cCharaBase* target = shot.nTarget >= 0 ? FindCharaByNumber(shot.nTarget) : nullptr) {
      target->HomingShots.RemoveValue(shot.nNumber);
    }
  }
  cList<cShotObj*>& group = ShotGroups[shot.Rec.nGroup];
  if (nGroupWalks > 0) {
    std::replace(group.begin(), group.end(), &shot, static_cast<cShotObj*>(nullptr));
  } else {
    group.remove(&shot);
  }
  return ShotList.erase(it);
}

void cScenePlay::RemoveShot(const cShotObj* shot) {
  for (auto it = ShotList.begin(); it != ShotList.end(); ++it) {
    if (&*it == shot) {
      RemoveShot(it);
      return;
    }
  }
}

void cScenePlay::StepShots(int subStep) {
  for (auto it = ShotList.begin(); it != ShotList.end();) {
    cShotObj& shot = *it;
    if (shot.Update() != 0) {
      it = RemoveShot(it);
      continue;
    }
    shot.ApplyObjGravity();
    shot.MoveY();
    shot.MoveX();
    if (subStep == 1) {
      const cStageParam& range = Stage.Ranges[shot.nOperator == 0 ? kRangePlayerShots : kRangeOtherShots];
      if (shot.IsOutOfRange(range) || shot.TouchesTerrain()) {
        it = RemoveShot(it);
        continue;
      }
    }
    ++it;
  }
}

int cScenePlay::CheckShotCharaHits() {
  const WalkGuard walk(*this);
  const int groups = static_cast<int>(ShotGroups.size());
  const int charaGroups = static_cast<int>(CharaGroups.size());
  for (int sg = 0; sg < groups; ++sg) {
    for (auto fi = ShotGroups[sg].begin(); fi != ShotGroups[sg].end(); ++fi) {
      if (*fi == nullptr) continue;
      if (Stage.bOnScreenHitsOnly != 0 && (*fi)->bOnScreen == 0) continue;
      bool erase = false;
      for (int cg = 0; cg < charaGroups && *fi != nullptr; ++cg) {
        if (cg == sg) continue;
        for (auto ci = CharaGroups[cg].begin(); ci != CharaGroups[cg].end() && *fi != nullptr; ++ci) {
          if (*ci == nullptr) continue;
          cShotObj& f = **fi;
          cCharaBase& c = **ci;
          if (!TakesPartInShotHits(*this, c)) continue;
          if (!c.AttackBox().Overlaps(f.HitBoxOf())) continue;
          if (f.HasHit(c.nNumber)) continue;
          c.FireTrigger(7);
          if (*fi == nullptr || *ci == nullptr) continue;
          const cEdItem* item = CarriedItem(f);
          if ((f.Rec.nPower == 0 && f.Rec.nImpact == 0 && item == nullptr) || c.IsInvincible()) continue;
          const int number = c.nNumber;
          const bool blockChara = c.Def.bBlockChara != 0;
          if (c.TakeShotHit(f) == 1) {
            if (!c.IsPlayerOperated()) WorldSound().PlaySE(kSoundCharaDown);
            if (const int r = KillByDamage(c); r == 1 || r == 2) return r;
          } else {
            WorldSound().PlaySE(kSoundHurt);
            c.StartInvincibility();
          }
          if (*fi == nullptr) break;
          cShotObj& shot = **fi;
          const bool pierces =
              shot.IsSword() || (blockChara ? shot.Rec.bPierceBlockChara == 1 : shot.Rec.bPierceChara == 1);
          if (pierces) {
            shot.HitList.push_back(number);
          } else {
            erase = true;
          }
          if (item != nullptr) {
            cItemObj taken;
            taken.Def = *item;
            taken.bPresent = 1;
            if (const int r = TouchItem(taken); r != 0) return r;
          }
        }
      }
      if (erase && *fi != nullptr) RemoveShot(*fi);
    }
  }
  return 0;
}

void cScenePlay::CheckShotPairs() {
  const WalkGuard walk(*this);
  const int groups = static_cast<int>(ShotGroups.size());
  for (int j = 0; j < groups; ++j) {
    for (int k = j + 1; k < groups; ++k) {
      if (ShotGroups[j].empty() || ShotGroups[k].empty()) continue;
      for (auto mi = ShotGroups[j].begin(); mi != ShotGroups[j].end(); ++mi) {
        if (*mi == nullptr) continue;
        cShotObj& m = **mi;
        bool eraseM = false;
        for (auto li = ShotGroups[k].begin(); li != ShotGroups[k].end(); ++li) {
          if (*li == nullptr) continue;
          cShotObj& l = **li;
          if (!m.CollisionBox().Overlaps(l.CollisionBox())) continue;
          const bool me = m.Rec.bErasable != 0;
          const bool le = l.Rec.bErasable != 0;
          if (!me && !le) continue;
          bool eraseL = false;
          if (me && le) {
            eraseM = eraseM || m.Rec.nEraseLevel <= l.Rec.nEraseLevel;
            eraseL = l.Rec.nEraseLevel <= m.Rec.nEraseLevel;
          } else if (me) {
            eraseM = true;
          } else {
            eraseL = true;
          }
          if (eraseL) RemoveShot(&l);
        }
        if (eraseM) RemoveShot(&m);
      }
    }
  }
}
