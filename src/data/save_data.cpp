#include "data/save_data.h"

#include <algorithm>

#include "core/program_state.h"
#include "core/scene_manager.h"
#include "data/stage_data.h"
#include "data/sys_mode_entry.h"
#include "data/system_data.h"

cSaveData SaveDataCur;
cSaveData SaveDataRpl0;
cSaveData SaveDataRpl1;

namespace {

constexpr int kStageFlagCount = 1000;
constexpr int kVarCount = 256;

}  // namespace

void cSaveData::Reset() {
  const cVector<std::int32_t> varsBackup = m_VarsBackup;
  const std::int32_t livesBackup = m_nLivesBackup;
  const std::int32_t totalBackup = m_nTotalScoreBackup;
  *this = cSaveData{Blank{}};
  m_StageCleared.assign(kStageFlagCount, 0);
  m_StageCleared[0] = 1;
  m_Vars.assign(kVarCount, 0);
  m_nChallengeOpen = 1;
  m_nSaveSlot = -1;
  m_strRankName = "aaa";
  m_CarryFlags.assign(kHeroStatusGroups, 0);
  m_Heroes.assign(1, cSaveChara{});
  m_VarsBackup = varsBackup;
  m_nLivesBackup = livesBackup;
  m_nTotalScoreBackup = totalBackup;
}

void cSaveData::SetStageName(const char* path) {
  m_strStageKey = path != nullptr ? path : "";
  m_bMultiPart = 0;
  const std::size_t dash = m_strStageKey.rfind("-1");
  if (dash != std::string::npos) {
    m_bMultiPart = 1;
    m_strStageKey[dash] = '.';
    m_strStageKey.resize(dash + 1);
    return;
  }
  const std::size_t dot = m_strStageKey.rfind('.');
  if (dot == std::string::npos) {
    m_strStageKey.clear();
  } else {
    m_strStageKey.resize(dot + 1);
  }
}

void cSaveData::RecordClear(const std::string& key, std::int32_t value) {
  for (ClearRec& rec : m_ClearRecs) {
    if (rec.name != key) continue;
    if (value > rec.value) {
      m_nClearSum += value - rec.value;
      rec.value = value;
    }
    return;
  }
  m_ClearRecs.push_back(ClearRec{key, value});
  m_nClearSum += value;
}

std::int32_t cSaveData::GetClearValue(const std::string& key) const {
  for (const ClearRec& rec : m_ClearRecs) {
    if (rec.name == key) return rec.value;
  }
  return 0;
}

void cSaveData::TakeSnapshot() {
  m_VarsBackup = m_Vars;
  m_nLivesBackup = m_nLives;
  m_nTotalScoreBackup = m_nTotalScore;
}

void cSaveData::RestoreSnapshot(int full) {
  bool vars = true;
  if (full == 0) {
    if (DirectPlayFlag.load() != 0) {
      vars = SystemData.bRestoreDirect != 0;
    } else {
      switch (SceneMgr.PlayMode) {
        case 0: vars = SystemData.bRestoreStory != 0; break;
        case 1: vars = SystemData.bRestoreChallenge != 0; break;
        case 2: vars = SystemData.bRestoreFree != 0; break;
        default: break;
      }
    }
  }
  if (vars) m_Vars = m_VarsBackup;
  m_nTotalScore = m_nTotalScoreBackup;
  if (full != 0) m_nLives = m_nLivesBackup;
}

void cSaveData::ClearCounters() {
  m_nTotalScore = m_nTotalTime = m_nTotalClearTime = m_nTotalHp = m_nTotalSp = 0;
}

void cSaveData::NewLap(int startX, int startY) {
  ++m_nLap;
  for (std::int32_t& flag : m_StageCleared) flag = 0;
  m_nMapX = startX;
  m_nMapY = startY;
}

namespace {

bool CarryEnabled(int group) {
  return group >= 0 && group < static_cast<int>(SystemData.CarryFlags.size()) && SystemData.CarryFlags[group] != 0;
}

}  // namespace

void cSaveData::StoreHeroStatus(int player, const HeroStatusValues& values) {
  m_bHeroSaved = 1;
  cSaveChara& kept = m_Heroes[player];
  for (int group = 0; group < kHeroStatusGroups; ++group) {
    if (!CarryEnabled(group)) continue;
    StoreHeroGroup(group, values, kept);
    m_CarryFlags[group] = 1;
  }
}

void cSaveData::ApplyHeroStatus(int player, cEdChara& definition, cStageData& stage) {
  if (m_bHeroSaved == 0) return;
  const cSaveChara& kept = m_Heroes[player];
  for (int group = 0; group < kHeroStatusGroups; ++group) {
    if (CarryEnabled(group) && m_CarryFlags[group] != 0) {
      ApplyHeroGroup(group, kept, definition, stage.nTimeLimit, stage.nBgm, m_nLives);
    }
  }
}

void cSaveData::GetHeroValues(int player, std::int32_t* hp, std::int32_t* sp) {
  if (m_bHeroSaved == 0) return;
  const cSaveChara& kept = m_Heroes[player];
  if (hp != nullptr && CarryEnabled(kCarryHp) && m_CarryFlags[kCarryHp] != 0) *hp = kept.m_nHp;
  if (sp != nullptr && CarryEnabled(kCarrySp) && m_CarryFlags[kCarrySp] != 0) *sp = kept.m_nSp;
}

void cSaveData::ClearFlagged(int /*ignored*/) {
  const int count = std::min(static_cast<int>(SystemData.ForgetFlags.size()), static_cast<int>(m_CarryFlags.size()));
  for (int i = 0; i < count; ++i) {
    if (SystemData.ForgetFlags[i] != 0) m_CarryFlags[i] = 0;
  }
}

void cSaveData::CycleSelection(int mode, int step) {
  const auto enabled = [mode](int kind) { return SystemData.KeepsRankKind(mode, kind); };
  bool any = false;
  for (int kind = 0; kind < kRankKindCount; ++kind) any = any || enabled(kind);
  if (!any) return;
  const auto advance = [&](int by) {
    do {
      m_nRankKind = ((m_nRankKind + by) % kRankKindCount + kRankKindCount) % kRankKindCount;
    } while (!enabled(m_nRankKind));
  };
  if (m_nRankKind < 0 || m_nRankKind >= kRankKindCount) m_nRankKind = 0;
  if (step == 0) {
    if (!enabled(m_nRankKind)) advance(1);
    return;
  }
  for (int i = 0; i < (step > 0 ? step : -step); ++i) advance(step > 0 ? 1 : -1);
}
