// Characters of different groups touching and hurting each other, defeat by damage and the
// removal of defeated characters.
#include <vector>

#include "data/system_data.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

bool TakesPartInHits(const cScenePlay& s, const cCharaBase& c) {
  if (s.Stage.bOnScreenHitsOnly != 0 && c.bOnScreen == 0) return false;
  if (c.Def.bBlockChara != 0 || c.bPresent == 0 || c.bDead != 0) return false;
  if (c.bHeroFlag == 0 && static_cast<const cChara&>(c).bTakesPart == 0) return false;
  return true;
}

bool Hurts(const cCharaBase& c) { return c.Def.nPower != 0 || c.Def.nImpact != 0; }

}  // namespace

void cScenePlay::EndGroupWalk() {
  if (--nGroupWalks != 0 || !bWalkRemoved) return;
  bWalkRemoved = false;
  for (cList<cCharaBase*>& group : CharaGroups) group.remove(nullptr);
  for (cList<cShotObj*>& group : ShotGroups) group.remove(nullptr);
  ShotList.remove_if([](const cShotObj& shot) { return shot.bRemoved != 0; });
}

int cScenePlay::CheckGroupHits() {
  BeginGroupWalk();
  int r = 0;
  // The schedule leaves shots against characters out of some sub-steps.
  const bool shotsThisStep = Stage.nShotTestLevel == 0 || nSubStep < 1 || Schedule[nSubStep - 1] != 0;
  if (shotsThisStep) r = CheckShotCharaHits();
  if (r != 1 && r != 2) r = CheckCharaHits();
  if (r != 1 && r != 2) CheckShotPairs();
  EndGroupWalk();
  return r;
}

namespace {

// One touching pair: triggers, hits both ways, sounds and defeats. 1 or 2 ends the pass.
int HitPair(cScenePlay& s, cCharaBase& g, cCharaBase& other) {
  g.FireTrigger(4);
  other.FireTrigger(4);
  bool gHit = false;
  bool oHit = false;
  int gResult = 0;
  int oResult = 0;
  if (Hurts(other) && !g.WasHitBy(other)) {
    gHit = true;
    gResult = g.TakeBodyHit(other);
  }
  if (Hurts(g) && !other.WasHitBy(g)) {
    oHit = true;
    oResult = other.TakeBodyHit(g);
  }
  if (gHit || oHit) WorldSound().PlaySE(kSoundHurt);
  const auto settle = [&s](cCharaBase& hurt, cCharaBase& by, bool hit, int result) {
    if (!hit) return 0;
    if (result == 1) {
      if (!hurt.IsPlayerOperated()) WorldSound().PlaySE(kSoundCharaDown);
      return s.KillByDamage(hurt);
    }
    hurt.RememberAttacker(by);
    return 0;
  };
  if (const int r = settle(g, other, gHit, gResult); r == 1 || r == 2) return r;
  if (const int r = settle(other, g, oHit, oResult); r == 1 || r == 2) return r;
  return 0;
}

}  // namespace

int cScenePlay::CheckCharaHits() {
  const int groups = static_cast<int>(CharaGroups.size());
  std::vector<cCharaBase*> near;
  for (int i = 0; i < groups; ++i) {
    for (int j = i + 1; j < groups; ++j) {
      if (CharaGroups[i].empty() || CharaGroups[j].empty()) continue;
      // A defeat runs flows that may add, move or remove characters: the walks hold no
      // reference across one. Removed characters leave nulls until the pass ends.
      for (auto gi = CharaGroups[i].begin(); gi != CharaGroups[i].end(); ++gi) {
        if (*gi == nullptr || !TakesPartInHits(*this, **gi)) continue;
        if (!bUseIndex) {
          for (auto ii = CharaGroups[j].begin(); ii != CharaGroups[j].end(); ++ii) {
            if (*gi == nullptr) break;
            if (*ii == nullptr) continue;
            cCharaBase& g = **gi;
            cCharaBase& other = **ii;
            if (!TakesPartInHits(*this, g) || !TakesPartInHits(*this, other)) continue;
            if (!g.BodyBox().Overlaps(other.BodyBox())) continue;
            if (const int r = HitPair(*this, g, other); r != 0) return r;
          }
          continue;
        }
        // The same walk through the index: the characters of group j near G's body, in list
        // order, asked again whenever the field changed.
        std::uint64_t last = 0;
        bool again = true;
        while (again && *gi != nullptr) {
          again = false;
          cCharaBase& g = **gi;
          BodyIndex[j].Query(g.BodyBox(), near);
          const std::uint64_t generation = nFieldChanges;
          for (cCharaBase* other : near) {
            if (other->Slots.groupKey <= last) continue;
            last = other->Slots.groupKey;
            if (!TakesPartInHits(*this, g) || !TakesPartInHits(*this, *other)) continue;
            if (!g.BodyBox().Overlaps(other->BodyBox())) continue;
            if (const int r = HitPair(*this, g, *other); r != 0) return r;
            if (nFieldChanges != generation) {
              again = true;
              break;
            }
          }
        }
      }
    }
  }
  return 0;
}

int cScenePlay::KillByDamage(cCharaBase& c) {
  if (c.bHeroFlag != 0) return 2;
  if (c.bDead != 0) return 0;
  return c.OnDefeated();
}

int cScenePlay::CheckHeroHp() {
  cPlayer& hero = Hero();
  if (hero.nHp <= 0) {
    WorldSound().PlaySE(kSoundHeroDown);
    if (hero.OnDefeated() == 1) OnStageClear();
    return 1;
  }
  for (auto it = CharaList.begin(); it != CharaList.end();) {
    cChara& c = *it;
    if (c.bKillRequest != 0) {
      it = RemoveChara(it);
      continue;
    }
    if (c.nHp <= 0) {
      const int r = DefeatChara(c);
      if (SystemData.bDefeatSound != 0) {
        if (r == 1) {
          RemoveChara(it);
          return 1;
        }
        WorldSound().PlaySE(kSoundCharaDown);
        ++it;
      } else {
        it = RemoveChara(it);
      }
      if (r != 0) return 1;
      continue;
    }
    ++it;
  }
  return 0;
}
