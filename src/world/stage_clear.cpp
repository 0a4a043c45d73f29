// A defeat and what follows it, the clear with its totals and extra lives, and what comes
// after the clear.
#include <algorithm>
#include <string>

#include "core/close_request.h"
#include "core/path_helpers.h"
#include "core/game_requests.h"
#include "core/message_boxes.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/user_files.h"
#include "core/scene_manager.h"
#include "data/option_data.h"
#include "data/rankings.h"
#include "data/stage_loader.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "input/menu_cursor.h"
#include "input/replay.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

enum : int { kSoundClear = 14, kSoundExtraLife = 15, kSoundRankingEntry = 16 };
constexpr std::int32_t kMaxLives = 99;
constexpr int kExtraLifeFrames = 30;
constexpr int kFreePlay = 3;

// The name without its extension (from the last '.').
std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int cScenePlay::DefeatChara(cChara& chara) {
  const int r = KillByDamage(chara);
  if (r == 1) {
    OnStageClear();
  } else if (r == 2) {
    WorldSound().PlaySE(kSoundHeroDown);
    if (Hero().OnDefeated() == 1) OnStageClear();
  }
  return r;
}

void cScenePlay::OnStageClear() {
  WorldSound().PlaySE(kSoundClear);
  CheckExtraLife();
  bRankRegistered = 0;
  bRankQualified = 0;
  RankPlaces.assign(kRankKindCount, -1);
  m_nState = kPlayClear;
  FindRankPlaces();
}

void cScenePlay::FindRankPlaces() {
  if (DirectPlayFlag.load() == 0 && (SceneMgr.RankingEnabled == 0 || IsLastStage(nNextStageNumber) == 0)) return;
  const cSaveData& save = SaveDataCur;
  RankValues = {save.m_nTotalScore, save.m_nTotalTime, save.m_nTotalClearTime, save.m_nTotalHp, save.m_nTotalSp};
  // The authoring tool's test play ranks nothing.
  if (FromEditor.load() != 0) return;
  for (int kind = 0; kind < kRankKindCount; ++kind) {
    const bool stageKeeps = kind < static_cast<int>(Stage.RankFlags.size()) && Stage.RankFlags[kind] != 0;
    if (!SystemData.KeepsRankKind(SceneMgr.PlayMode, kind) || !stageKeeps) continue;
    RankPlaces[kind] = RankSet.m_Tables[kind].FindSlot(RankValues[kind]);
    if (RankPlaces[kind] != -1) bRankQualified = 1;
  }
}

void cScenePlay::EnterRanking() {
  if (SceneMgr.RankingEnabled == 0 || bRankQualified != 1 || bRankRegistered != 0) return;
  cSaveData& save = SaveDataCur;
  const int mode = OptionData.m_nRankMode;
  std::string name;
  if (mode == kRankModeKeyTyped || mode == kRankModeLeaveTyped) {
    // The dialog edits the last name entered, which the name typed then becomes.
    RequestNameDialog();
    name = save.m_strRankName;
  } else {
    name = OptionData.m_strFixedName;
  }
  WorldSound().PlaySE(kSoundRankingEntry);
  for (int kind = 0; kind < kRankKindCount; ++kind) {
    if (RankPlaces[kind] != -1) RankSet.m_Tables[kind].Insert(name, RankValues[kind]);
  }
  if (!SaveRankingFile(RankSet, SceneMgr.PlayMode, save.m_strStageKey)) {
    std::string path;
    MakeRankingPath(path, SceneMgr.PlayMode, save.m_strStageKey);
    ReportSaveFailure(path);
  }
  bRankRegistered = 1;
  RunRankingDisplay();
}

void cScenePlay::CheckExtraLife() {
  cSaveData& save = SaveDataCur;
  const std::int32_t old = save.m_nTotalScore;
  save.m_nTotalScore += save.m_nScore;
  if (bNoTimeLimit == 0) save.m_nTotalTime += nTimeLeft;
  save.m_nTotalClearTime += nPlayTime;
  if (!Player.empty()) {
    save.m_nTotalHp += Hero().nHp;
    save.m_nTotalSp += Hero().nSp;
  }
  if (save.m_nLives == kUnlimitedLives || SystemData.bExtraLife == 0 || SystemData.nExtraLifeScore == 0) return;
  const std::int32_t step = SystemData.nExtraLifeScore;
  const int lives = save.m_nTotalScore / step - old / step;
  // A score that jumps far gives many lives, but no more displays than the count can show.
  for (int i = 0; i < std::min(lives, static_cast<int>(kMaxLives)); ++i) {
    if (save.m_nLives < kMaxLives) ++save.m_nLives;
    WorldSound().PlaySE(kSoundExtraLife);
    // The sign rises over the hero while the game stands for its 30 frames.
    MessageParams sign;
    sign.kind = 3;
    sign.owner = Player.empty() ? -1 : Hero().nNumber;
    sign.positionMode = 4;
    sign.fixed = 1;
    sign.durationKind = 2;
    sign.time = kExtraLifeFrames;
    sign.countWhenPaused = 1;
    MessageList.emplace_back().Init(sign);
    Modal.Set(4, 0, kExtraLifeFrames, 0);
    RunModalDisplay();
    if (!MessageList.empty()) MessageList.pop_back();
    if (PlaySceneQuit.load() != 0) {
      PostCloseRequest();
      break;
    }
    WaitUntilActive();
  }
}

int cScenePlay::NextStageFileName(std::string& out, int next) {
  out.clear();
  const cSaveData& save = SaveDataCur;
  if (save.m_bMultiPart == 0 || next == 0) return 0;
  std::string name;
  if (!strNextStageFile.empty()) {
    name = WithoutExtension(strNextStageFile) + ".stg4";
  } else {
    name = WithoutExtension(save.m_strStageKey) + "-" + std::to_string(next) + ".stg4";
  }
  std::string found;
  if (FindLastNumberedFileStr(found, name, "stg4") == 1) {
    out = found;
    return 1;
  }
  return 0;
}

int cScenePlay::IsLastStage(int next) {
  std::string name;
  return NextStageFileName(name, next) == 0 ? 1 : 0;
}

bool cScenePlay::LoadNextPart() {
  cSaveData& save = SaveDataCur;
  if (save.m_bMultiPart == 0 || nNextStageNumber == 0) return false;
  save.m_nStage = nNextStageNumber;
  std::string name;
  if (NextStageFileName(name, nNextStageNumber) != 1 || LoadStageThreaded(name, 1, &StageStart) != 1) return false;
  // The replays are of the part that ended.
  Replay0.Clear();
  Replay1.Clear();
  return true;
}

int cScenePlay::NextStage() {
  cSaveData& save = SaveDataCur;
  if (Stage.bStoreStatus != 0) {
    const cPlayer& hero = Hero();
    save.StoreHeroStatus(0, HeroStatusValues{hero.Def, hero.nHp, hero.nSp,
                                             static_cast<std::uint16_t>(hero.Effect.entry.nIndex),
                                             hero.Effect.nPlayType, static_cast<std::uint8_t>(hero.Effect.nRepeat),
                                             nTimeLeft, save.m_nLives, save.m_nBgm});
  }
  const std::int32_t saved = save.m_nStage;
  switch (SceneMgr.TitleChoice) {
    case 0:
    case 1: {
      if (LoadNextPart()) return kScenePlay;
      if (save.m_nStage >= 0 && save.m_nStage < static_cast<int>(save.m_StageCleared.size())) {
        save.m_StageCleared[save.m_nStage] = 1;
      }
      save.RecordClear(save.m_strStageKey, save.m_nTotalScore);
      const int ending = save.m_pMapPoint != nullptr ? save.m_pMapPoint->nAfterClear : 0;
      if (ending == 2) {
        MenuCursor.m_pCur->row = SceneMgr.TitleChoice;
        return kSceneTitle;
      }
      if (ending == 1) save.NewLap(WorldMap.nStartX, WorldMap.nStartY);
      save.m_nStage = saved;
      return kSceneWorldMap;
    }
    case 2: {
      if (LoadNextPart()) return kScenePlay;
      const int index = save.m_nStage - 1;
      if (index >= 0 && index < static_cast<int>(save.m_Challenge.size())) {
        cData2Int& rec = save.m_Challenge[index];
        rec.m_nFirst = 1;
        if (save.m_nTotalScore > rec.m_nSecond) {
          save.m_nClearSum += save.m_nTotalScore - rec.m_nSecond;
          rec.m_nSecond = save.m_nTotalScore;
        }
      }
      if (save.m_nChallengeOpen <= save.m_nStage) {
        save.m_nChallengeOpen = std::min(save.m_nStage + 1, SystemData.nChallengeStages);
      }
      save.SaveChallenge();
      save.m_nStage = saved;
      return kSceneStageSelect;
    }
    case kFreePlay:
      if (save.m_bMultiPart != 0 && DirectPlayFlag.load() == 0) {
        if (LoadNextPart()) return kScenePlay;
        save.m_nStage = saved;
        return kSceneTitle;
      }
      save.m_bNextStart = 0;
      return kScenePlay;
    case 4:
      save.RestoreSnapshot(1);
      return kScenePlay;
    default:
      return kSceneStageSelect;
  }
}
