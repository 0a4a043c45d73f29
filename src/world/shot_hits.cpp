// Shots on the field: their pass of the sub-step, hits on characters, shots erasing each
// other, and their removal.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/palette_reference.h"
#include "world/chara_base.h"
#include "world/effect_obj.h"
#include "world/pass_grid.h"
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

namespace {

void LeaveTargetAndGroup(cScenePlay& s, cShotObj& shot) {
  if (shot.Rec.nTrajectory == 3 || shot.Rec.nTrajectory == 6) {
    if (cCharaBase* target = shot.nTarget >= 0 ? s.FindCharaByNumber(shot.nTarget) : nullptr) {
      target->HomingShots.RemoveValue(shot.nNumber);
    }
  }
  cList<cShotObj*>& group = s.ShotGroups[shot.Rec.nGroup];
  if (s.nGroupWalks > 0) {
    s.bWalkRemoved = true;
    std::replace(group.begin(), group.end(), &shot, static_cast<cShotObj*>(nullptr));
  } else {
    group.remove(&shot);
  }
}

}  // namespace

cList<cShotObj>::iterator cScenePlay::RemoveShot(cList<cShotObj>::iterator it) {
  LeaveTargetAndGroup(*this, *it);
  return ShotList.erase(it);
}

void cScenePlay::RemoveShot(const cShotObj* shot) {
  if (shot == nullptr) return;
  if (nGroupWalks > 0) {
    // A walk may still hold it: it leaves its lists now and its node when the walk ends.
    cShotObj& held = const_cast<cShotObj&>(*shot);
    if (held.bRemoved == 0) LeaveTargetAndGroup(*this, held);
    held.bRemoved = 1;
    return;
  }
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

namespace {

enum class HitStep { kGoOn, kShotGone, kEnd };

}  // namespace

int cScenePlay::CheckShotCharaHits() {
  const WalkGuard walk(*this);
  const int groups = static_cast<int>(ShotGroups.size());
  const int charaGroups = static_cast<int>(CharaGroups.size());
  // With the index, the attack boxes of every character group go into one grid keyed by group
  // and place, so a shot asks once for the characters of all groups in the naive walk's order.
  // It is rebuilt whenever a hit changed the field (a defeat may move, add or remove
  // characters); group lists only grow during the walk, so places stay put.
  cPassGrid<cCharaBase>& charaGrid = ShotPassCharaGrid;
  std::uint64_t built = ~std::uint64_t{0};
  std::vector<std::pair<std::uint64_t, cCharaBase*>> near;
  const auto grid = [&]() -> cPassGrid<cCharaBase>& {
    if (built != nFieldChanges) {
      built = nFieldChanges;
      charaGrid.Reset(ScrollX.nMapPixels, ScrollY.nMapPixels);
      for (int cg = 0; cg < charaGroups; ++cg) {
        std::uint64_t key = static_cast<std::uint64_t>(cg) << 32;
        for (cCharaBase* c : CharaGroups[cg]) {
          if (c != nullptr) charaGrid.Add(c, c->AttackBox(), key);
          ++key;
        }
      }
    }
    return charaGrid;
  };
  int result = 0;
  // One shot against one character; kShotGone once the shot is erased or gone.
  const auto hit = [&](cShotObj*& slot, cCharaBase& c, bool& erase) {
    cShotObj& f = *slot;
    if (!TakesPartInShotHits(*this, c)) return HitStep::kGoOn;
    if (!c.AttackBox().Overlaps(f.HitBoxOf())) return HitStep::kGoOn;
    if (f.HasHit(c.nNumber)) return HitStep::kGoOn;
    c.FireTrigger(7);
    if (slot == nullptr) return HitStep::kShotGone;
    const cEdItem* item = CarriedItem(f);
    if ((f.Rec.nPower == 0 && f.Rec.nImpact == 0 && item == nullptr) || c.IsInvincible()) return HitStep::kGoOn;
    const int number = c.nNumber;
    const bool blockChara = c.Def.bBlockChara != 0;
    if (c.TakeShotHit(f) == 1) {
      if (!c.IsPlayerOperated()) WorldSound().PlaySE(kSoundCharaDown);
      if (const int r = KillByDamage(c); r == 1 || r == 2) {
        result = r;
        return HitStep::kEnd;
      }
    } else {
      WorldSound().PlaySE(kSoundHurt);
      c.StartInvincibility();
    }
    if (slot == nullptr) return HitStep::kShotGone;
    cShotObj& shot = *slot;
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
      taken.nGraphic = item->nPicture;
      taken.bPresent = 1;
      if (const int r = TouchItem(taken); r != 0) {
        result = r;
        return HitStep::kEnd;
      }
    }
    return slot == nullptr ? HitStep::kShotGone : HitStep::kGoOn;
  };
  for (int sg = 0; sg < groups; ++sg) {
    for (auto fi = ShotGroups[sg].begin(); fi != ShotGroups[sg].end(); ++fi) {
      if (*fi == nullptr) continue;
      if (Stage.bOnScreenHitsOnly != 0 && (*fi)->bOnScreen == 0) continue;
      bool erase = false;
      HitStep step = HitStep::kGoOn;
      if (!bUseIndex) {
        for (int cg = 0; cg < charaGroups && step == HitStep::kGoOn; ++cg) {
          if (cg == sg) continue;
          for (auto ci = CharaGroups[cg].begin(); ci != CharaGroups[cg].end() && step == HitStep::kGoOn; ++ci) {
            if (*ci != nullptr) step = hit(*fi, **ci, erase);
          }
        }
      } else {
        // The same walk through the grid: the characters near the shot in list order, asked
        // again after any change of the field.
        std::uint64_t next = 0;
        bool again = true;
        while (again && step == HitStep::kGoOn) {
          again = false;
          grid().Query((*fi)->HitBoxOf(), near);
          const std::uint64_t generation = nFieldChanges;
          for (const auto& [key, c] : near) {
            if (key < next || static_cast<int>(key >> 32) == sg) continue;
            next = key + 1;
            step = hit(*fi, *c, erase);
            if (step != HitStep::kGoOn) break;
            if (nFieldChanges != generation) {
              again = true;
              break;
            }
          }
        }
      }
      if (step == HitStep::kEnd) return result;
      if (erase && *fi != nullptr) RemoveShot(*fi);
    }
  }
  return 0;
}

void cScenePlay::CheckShotPairs() {
  const WalkGuard walk(*this);
  const int groups = static_cast<int>(ShotGroups.size());
  // Shots do not move during the pass and an erased one keeps its node until it ends, so each
  // group's grids hold for the whole pass. A pair does something only when one of its shots is
  // erasable, so a shot that is not asks only the grid of the other group's erasable shots.
  std::vector<cPassGrid<cShotObj>>& grids = ShotPassShotGrids;
  grids.resize(bUseIndex ? 2 * groups : 0);
  const auto allOf = [&](int k) -> cPassGrid<cShotObj>& { return grids[2 * k]; };
  const auto erasableOf = [&](int k) -> cPassGrid<cShotObj>& { return grids[2 * k + 1]; };
  for (int k = 0; k < static_cast<int>(grids.size()) / 2; ++k) {
    allOf(k).Reset(ScrollX.nMapPixels, ScrollY.nMapPixels);
    erasableOf(k).Reset(ScrollX.nMapPixels, ScrollY.nMapPixels);
    std::uint64_t key = 0;
    for (cShotObj* l : ShotGroups[k]) {
      if (l != nullptr) {
        allOf(k).Add(l, l->CollisionBox(), key);
        if (l->Rec.bErasable != 0) erasableOf(k).Add(l, l->CollisionBox(), key);
      }
      ++key;
    }
  }
  std::vector<std::pair<std::uint64_t, cShotObj*>> near;
  std::vector<cShotObj*> partners;
  for (int j = 0; j < groups; ++j) {
    for (int k = j + 1; k < groups; ++k) {
      if (ShotGroups[j].empty() || ShotGroups[k].empty()) continue;
      for (auto mi = ShotGroups[j].begin(); mi != ShotGroups[j].end(); ++mi) {
        if (*mi == nullptr) continue;
        cShotObj& m = **mi;
        partners.clear();
        if (bUseIndex) {
          (m.Rec.bErasable != 0 ? allOf(k) : erasableOf(k)).Query(m.CollisionBox(), near);
          for (const auto& entry : near) partners.push_back(entry.second);
        } else {
          partners.assign(ShotGroups[k].begin(), ShotGroups[k].end());
        }
        bool eraseM = false;
        for (cShotObj* lp : partners) {
          if (lp == nullptr || lp->bRemoved != 0) continue;
          cShotObj& l = *lp;
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
