// Hits, invincibility, attacker memory, defeat and the timed animations of a character.
#include <algorithm>
#include <limits>

#include "data/database.h"
#include "data/system_data.h"
#include "gfx/dd_state.h"
#include "world/chara_base.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

int HitTimeFrames(const cCharaBase& c, bool memory) {
  const cStageData& st = Scene().Stage;
  if (c.IsPlayerOperated()) return memory ? st.nHeroSameAttackerTime : st.nHeroInvincibleTime;
  return memory ? st.nCharaSameAttackerTime : st.nCharaInvincibleTime;
}

}  // namespace

void cCharaBase::StartInvincibility() { nInvincible = HitTimeFrames(*this, false) * Scene().Units.subSteps; }

void cCharaBase::RememberAttacker(const cCharaBase& attacker) {
  StartInvincibility();
  Attackers.push_back(AttackerMemo{attacker.nNumber, HitTimeFrames(*this, true) * Scene().Units.subSteps});
}

bool cCharaBase::WasHitBy(const cCharaBase& attacker) const {
  if (IsInvincible()) return true;
  return std::any_of(Attackers.begin(), Attackers.end(),
                     [&attacker](const AttackerMemo& m) { return m.nAttacker == attacker.nNumber; });
}

void cCharaBase::TickHitState() {
  if (nInvincible > 0) --nInvincible;
  for (auto it = Attackers.begin(); it != Attackers.end();) {
    if (--it->nLeft <= 0) {
      it = Attackers.erase(it);
    } else {
      ++it;
    }
  }
}

int cCharaBase::TakeBodyHit(const cCharaBase& attacker) {
  std::int64_t d = attacker.Def.nPower;
  if (d > 0) d = std::clamp<std::int64_t>(d - Def.nDefence, 0, 999999);
  const int r = AddHp(-d, 0, 1);
  if (attacker.Def.nHitEffect != 0) {
    cEffectObj& effect = Scene().EffectList.emplace_back();
    effect.InitAtOverlap(attacker.Def.nHitEffect, BodyBox(), attacker.BodyBox(), attacker.Def.nGiant);
  }
  ImpactFromChara(attacker);
  if (attacker.Def.nPower != 0) FireTrigger(1);
  if (attacker.Def.nImpact != 0) FireTrigger(2);
  return r;
}

int cCharaBase::OnDefeated() {
  cScenePlay& s = Scene();
  FireTrigger(3);
  {
    // The dying-only step runs inside another character's step: keep the scene's pointers.
    cCharaBase* chara = s.pCurChara;
    void* flow = s.pCurFlow;
    void* command = s.pCurCommand;
    Act(1);
    s.pCurChara = chara;
    s.pCurFlow = flow;
    s.pCurCommand = command;
  }
  s.nScore = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(s.nScore) + Def.nScore, 0, 999999));
  int itemResult = 0;
  if (cItemObj* item = GetHeldItem()) itemResult = s.TouchItem(*item);
  if (s.nClearRequest != 0 || itemResult == 1) return 1;
  for (std::int32_t number : TargetedBy) {
    if (cCharaBase* other = s.FindCharaByNumber(number); other != nullptr && other->nTarget == nNumber) {
      other->nTarget = -1;
    }
  }
  TargetedBy.clear();
  if (cCharaBase* target = nTarget >= 0 ? s.FindCharaByNumber(nTarget) : nullptr) {
    target->TargetedBy.RemoveValue(nNumber);
  }
  nTarget = -1;
  HomingShots.clear();
  bDead = 1;
  Effect.Start(Def.nDeathEffect, Def.nDeathEffectParam, 0);
  return 0;
}

void cCharaBase::RemoveAnimes(int key) {
  Animes.remove_if([key](const AnimeEntry& e) { return e.nKey == key; });
}

void cCharaBase::PauseAnimes(int key) {
  for (auto it = Animes.begin(); it != Animes.end();) {
    if (it->nKey == key && static_cast<std::int64_t>(it->nFramesLeft) + it->nSecondCount - 1 < 0) {
      it = Animes.erase(it);
      continue;
    }
    if (it->nKey == key) it->bPaused = 1;
    ++it;
  }
}

void cCharaBase::ResumeAnimes(int key) {
  for (AnimeEntry& e : Animes) {
    if (e.nKey == key) e.bPaused = 0;
  }
}

int cCharaBase::CurrentAnimeValue(bool doNotStep) {
  if (!doNotStep) {
    Anime.Step();
    for (auto it = Animes.begin(); it != Animes.end();) {
      if (it->bPaused != 0) {
        ++it;
      } else if (it->Player.Step() == kAnimeEnd) {
        it = Animes.erase(it);
      } else {
        --it->nFramesLeft;
        ++it;
      }
    }
  }
  AnimeEntry* chosen = nullptr;
  std::int32_t v = std::numeric_limits<std::int32_t>::max();
  bool settled = false;
  for (AnimeEntry& e : Animes) {
    if (e.bPaused != 0) continue;
    const std::int32_t f = e.nFramesLeft;
    if (!settled) {
      if (e.bPriority != 0) {
        if (f <= 0 && v <= 0) {
          chosen = &e;
          v = f;
          settled = true;
        } else if (f < v) {
          chosen = &e;
          v = f;
        }
      } else if (chosen == nullptr) {
        chosen = &e;
      }
    } else if (f <= 0 && f > v) {
      chosen = &e;
      v = f;
    }
  }
  return chosen != nullptr ? chosen->Player.GetValue() : Anime.GetValue();
}

int cCharaBase::PoseBase(int* tint) {
  if (tint != nullptr) *tint = -1;
  int base = Def.nBaseColumn;
  const cEdAnimeSet* set = Def.nAnimeSet < Database.AnimeSets.size() ? &Database.AnimeSets[Def.nAnimeSet] : nullptr;
  if (set != nullptr && Def.nFlight != 0) base += set->nFlyingOffset;
  if (set != nullptr && Def.bBlockChara != 0) base += set->nBlockOffset;
  if (Def.nInvincible == 0) return base;
  if (set != nullptr) base += set->nInvincibleOffset;
  // Tint n of 1 to 8 modulates by the palette's tint entries, four apart from 208.
  if (tint != nullptr && DDBackend == 1 && SystemData.bOption287 != 0 && Def.nTint >= 1 && Def.nTint <= 8) {
    *tint = 208 + 4 * (Def.nTint - 1);
  }
  return base;
}
