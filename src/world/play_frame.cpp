// The play frame: its input and clocks, and the sub-steps in the fixed order of the passes.
#include <algorithm>

#include "core/close_request.h"
#include "core/report_log.h"
#include "core/timing.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/replay.h"
#include "world/play_progress.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

enum : int { kGoOn = 0, kCleared = 1, kHeroDied = 2 };
// 99 minutes 59.99 seconds.
constexpr std::int32_t kMaxPlayTime = 599999;

// Registers a pass's iterator with the scene for the length of the pass.
class PassCursor {
 public:
  PassCursor(cScenePlay& scene, cList<cChara>::iterator& it) : scene_(scene) {
    scene_.pPassCursor = &it;
    scene_.bCursorRemoved = false;
  }
  ~PassCursor() {
    scene_.pPassCursor = nullptr;
    scene_.bCursorRemoved = false;
  }
  PassCursor(const PassCursor&) = delete;
  PassCursor& operator=(const PassCursor&) = delete;

 private:
  cScenePlay& scene_;
};

}  // namespace

namespace {

// A deadly contact, a fall or a defeat of one character in passes a and c. Returns true
// when the frame ends; it is set to the node after the character when that was removed.
bool Defeat(cScenePlay& s, cList<cChara>::iterator& it, int& result) {
  const int r = s.DefeatChara(*it);
  if (SystemData.bDefeatSound != 0) {
    if (r == 1) {
      it = s.RemoveChara(it);
      result = kCleared;
      return true;
    }
    WorldSound().PlaySE(kSoundCharaDown);
    ++it;
    if (r != 0) result = kCleared;
    return r != 0;
  }
  it = s.RemoveChara(it);
  if (r != 0) result = kCleared;
  return r != 0;
}

}  // namespace

int cScenePlay::StepPlayFrame() {
  ++nFrame;
  cPlayer& hero = Hero();
  // The HP check ends a frame by the hero's defeat or by a clear it started.
  const auto EndedByHpCheck = [this] { return m_nState == kPlayClear ? kCleared : kHeroDied; };
  const auto heroDies = [&](bool soundPlayed) {
    if (!soundPlayed) WorldSound().PlaySE(kSoundHeroDown);
    if (hero.OnDefeated() == 1) {
      OnStageClear();
      return kCleared;
    }
    return kHeroDied;
  };
  const auto clear = [&] {
    OnStageClear();
    return kCleared;
  };
  FlowLink().ResetFlowFrameFlags(hero);
  for (cChara& c : CharaList) {
    if (c.bDead == 0) FlowLink().ResetFlowFrameFlags(c);
  }
  // The two movement values the stop-moving command also clears start every frame at 0.
  for (cChara& c : CharaList) c.nMoveBook[0] = c.nMoveBook[1] = 0;
  hero.nMoveBook[0] = hero.nMoveBook[1] = 0;
  for (int i = 1; i <= Units.subSteps; ++i) {
    nSubStep = i;
    ++nSubStepTotal;
    UpdateActiveFlags();
    if (hero.bDead == 0) {
      for (auto it = CharaList.begin(); it != CharaList.end();) {
        if (it->bDead == 0 && it->nLifetime != kLifetimeUnlimited && --it->nLifetime < 0) {
          it = RemoveChara(it);
        } else {
          ++it;
        }
      }
      for (auto it = ItemList.begin(); it != ItemList.end();) {
        if (it->nLifetime != kLifetimeUnlimited && --it->nLifetime < 0) {
          it = ItemList.erase(it);
        } else {
          ++it;
        }
      }
    }
    for (cChara& c : CharaList) {
      c.TickHitState();
      c.ClearContacts();
      c.SavePosition();
    }
    hero.TickHitState();
    hero.ClearContacts();
    hero.SavePosition();
    hero.RememberRide();
    ScrollX.StepAuto();
    ScrollY.StepAuto();

    int result = kGoOn;
    // Pass a: block characters.
    if (hero.bDead == 0) {
      auto it = CharaList.begin();
      const PassCursor cursor(*this, it);
      while (it != CharaList.end()) {
        bCursorRemoved = false;
        cChara& c = *it;
        if (!c.IsBlockChara() || c.bDead != 0 || c.bPresent == 0 || c.bTakesPart == 0) {
          ++it;
          continue;
        }
        c.FireTrigger(0);
        const int acted = c.Act(0);
        if (bCursorRemoved) continue;
        if (acted != 0) {
          if (Defeat(*this, it, result)) return result;
          continue;
        }
        if (nKillFlag != 0 && CheckHeroHp() != 0) return EndedByHpCheck();
        if (bCursorRemoved) continue;
        int r = c.StepX();
        bool deadly = r != 4 && CollideBlocksX(c) == 2;
        bool leave = r == 4;
        if (!deadly && !leave) {
          c.ApplyGravity();
          r = c.StepY();
          leave = r == 8;
          deadly = r == 7 || (!leave && CollideBlocksY(c) == 2);
        }
        if (deadly) {
          WorldSound().PlaySE(kSoundCharaDown);
          if (Defeat(*this, it, result)) return result;
          continue;
        }
        if (leave) {
          it = RemoveChara(it);
          continue;
        }
        c.DecayImpactX();
        c.DecayImpactY();
        ++it;
      }
    }
    // Pass b: the hero.
    if (hero.bDead == 0) {
      hero.FireTrigger(0);
      if (hero.Act(0) != 0) return heroDies(false);
      if (nStageEnd == 1) return clear();
      if (nStageEnd == 2) return heroDies(false);
      if (nKillFlag != 0 && CheckHeroHp() != 0) return EndedByHpCheck();
      ApplyBlockEffect(hero);
      if (hero.bRiding != 0) CarryByRidden(hero);
      const auto dead = [&](const char* line) {
        ErrLogf("%s", line);
        return heroDies(false);
      };
      hero.StepX();
      ClampToScreenX(hero);
      if (CollideBlocksX(hero) == 2) return dead("Dead 1");
      ClampToScreenX(hero);
      hero.ApplyGravity();
      if (hero.StepY() == 7) return dead("Dead 2");
      if (ClampToScreenY(hero) == 2) return dead("Dead 3");
      if (CollideBlocksY(hero) == 2) return dead("Dead 4");
      if (ClampToScreenY(hero) == 2) return dead("Dead 5");
      const auto squeezed = [&] {
        return ((hero.bContactL != 0 && hero.bContactR != 0) || (hero.bContactU != 0 && hero.bContactD != 0)) &&
               hero.nSqueezeGrace == 0;
      };
      const auto squeezeDeath = [&](const char* line) {
        ErrLogf("Player[P1].LRUD = %d,%d,%d,%d", hero.bContactL, hero.bContactR, hero.bContactU, hero.bContactD);
        hero.RestorePosition();
        return dead(line);
      };
      if (squeezed()) return squeezeDeath("Dead SP");
      if (ResolveTerrain(hero) == 2 && hero.bDead == 0 && hero.nSqueezeGrace == 0) return dead("Dead 6");
      if ((hero.bContactL != 0 || hero.bContactR != 0) && CheckWalls(hero) == 2 && hero.bDead == 0 &&
          hero.nSqueezeGrace == 0) {
        return dead("Dead 7");
      }
      if ((hero.bContactU != 0 || hero.bContactD != 0) && CheckFloorThenCeiling(hero) == 2 && hero.bDead == 0 &&
          hero.nSqueezeGrace == 0) {
        return dead("Dead 8");
      }
      if (squeezed()) return squeezeDeath("Dead 9");
      hero.DecayImpactX();
      hero.DecayImpactY();
    }
    // Pass c: the other characters.
    if (hero.bDead == 0) {
      auto it = CharaList.begin();
      const PassCursor cursor(*this, it);
      while (it != CharaList.end()) {
        bCursorRemoved = false;
        cChara& c = *it;
        if (c.IsBlockChara() || c.bDead != 0 || c.bPresent == 0 || c.bTakesPart == 0) {
          ++it;
          continue;
        }
        c.FireTrigger(0);
        const int acted = c.Act(0);
        if (bCursorRemoved) continue;
        if (acted != 0) {
          if (c.bKillRequest != 0) {
            it = RemoveChara(it);
            continue;
          }
          if (Defeat(*this, it, result)) return result;
          continue;
        }
        if (nKillFlag != 0 && CheckHeroHp() != 0) return EndedByHpCheck();
        if (bCursorRemoved) continue;
        if (c.bRiding != 0) CarryByRidden(c);
        int r = c.StepX();
        bool leave = r == 4;
        bool deadly = !leave && CollideBlocksX(c) == 2;
        if (!leave && !deadly) {
          c.ApplyGravity();
          r = c.StepY();
          leave = r == 8;
          deadly = r == 7 || (!leave && CollideBlocksY(c) == 2);
          if (!leave && !deadly) {
            deadly = ResolveTerrain(c) == 2;
            CheckWalls(c);
            CheckFloorThenCeiling(c);
          }
        }
        const bool squeezed = (c.bContactL != 0 && c.bContactR != 0) || (c.bContactU != 0 && c.bContactD != 0);
        if (!leave && (deadly || squeezed)) {
          WorldSound().PlaySE(kSoundCharaDown);
          if (Defeat(*this, it, result)) return result;
          continue;
        }
        if (leave) {
          it = RemoveChara(it);
          continue;
        }
        c.DecayImpactX();
        c.DecayImpactY();
        ++it;
      }
    }
    // Pass d: shots and swords.
    StepShots(i);
    // Pass e: the erase rules, once per frame.
    if (i == 1 && hero.bDead == 0) {
      for (auto it = CharaList.begin(); it != CharaList.end();) {
        const bool block = it->IsBlockChara();
        const bool rule = block ? bEraseBlockCharas != 0 : bEraseCharas != 0;
        const cStageParam& range = Stage.Ranges[block ? kRangeEraseBlockCharas : kRangeEraseCharas];
        if (rule && it->bDead == 0 && it->bPresent != 0 && it->IsOutOfRange(range)) {
          it = RemoveChara(it);
        } else {
          ++it;
        }
      }
      if (bEraseItems != 0) {
        for (auto it = ItemList.begin(); it != ItemList.end();) {
          it = it->IsOutOfRange(Stage.Ranges[kRangeEraseItems]) ? ItemList.erase(it) : std::next(it);
        }
      }
    }
    // Pass f: the hero's interactions.
    if (hero.bDead == 0) {
      int r = RunBlockEvent(hero);
      if (r == 0) r = CheckGroupHits();
      if (r == 0 && hero.bDead == 0) r = PickUpItems(hero);
      if (r == 1) return clear();
      if (r == 2) return heroDies(false);
    }
  }
  return kGoOn;
}

int cScenePlay::TickTimeLimit(int delta) {
  if (bNoTimeLimit != 0 || FrameCounter(1, 60) != 1) return 0;
  nTimeLeft += delta;
  if (nTimeLeft > 999) {
    nTimeLeft = 999;
    return 0;
  }
  if (nTimeLeft <= 0) {
    nTimeLeft = 0;
    return 1;
  }
  return 0;
}

void cScenePlay::TickPlayTime() {
  if (nPlayTime >= kMaxPlayTime) return;
  ++nPlayFrames;
  nPlayTime = std::min(static_cast<std::int32_t>(static_cast<std::int64_t>(nPlayFrames) * 100 / 60), kMaxPlayTime);
}

void cScenePlay::StatePlay() {
  if (PlaySceneQuit.load() != 0) {
    PostCloseRequest();
    return;
  }
  if (CheckPauseKey() == 1) {
    m_nSubState = 0;
    m_nState = kPlayPause;
    return;
  }
  if (ReplayHotKeys() != 0) return;
  if (!PlayerInputs.empty()) {
    cInput& input = PlayerInputs[0];
    if (SceneMgr.TitleChoice != kTitleChoiceReplay) {
      // After a menu left with a key, the buttons count only once every one was let go.
      if (input.m_wButton == 0) bButtonLatch = 0;
      if (bButtonLatch != 0) input.m_wButton = 0;
      input.PushHistory();
      input.UpdateEvents();
      if (SystemData.bRecordReplay != 0) Replay0.Record(input);
    } else {
      input.ClearDirections();
      input.ClearButtons();
      if (Replay0.Play(input) != 0) {
        // The recording is over: the replay begins again from the stage's start.
        SaveDataCur.RestoreSnapshot(1);
        SetStage(1, 1);
        m_nState = kPlayReady;
        return;
      }
      input.PushHistory();
      input.UpdateEvents();
    }
  }
  TickPlayTime();
  if (TickTimeLimit(-1) == 1 && Hero().bDead == 0) {
    WorldSound().PlaySE(kSoundHeroDown);
    if (Hero().OnDefeated() == 1) OnStageClear();
    return;
  }
  if (StepPlayFrame() != kGoOn) return;
  Draw(1, 0, 1, 1);
}
