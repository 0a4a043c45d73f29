#include "data/save_data.h"

#include <algorithm>

#include "core/program_state.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "core/user_files.h"
#include "data/stage_data.h"
#include "data/sys_mode_entry.h"
#include "data/system_data.h"
#include "data/project_paths.h"
#include "data/save_slots.h"
#include "data/world_map.h"

cSaveData SaveDataCur;
cSaveData SaveDataRpl0;
cSaveData SaveDataRpl1;

namespace {

constexpr int kStageFlagCount = 1000;
constexpr int kVarCount = 256;

// The registered fields in file order, each with the first file version that holds it.
struct SavedField {
  std::int32_t cSaveData::*member;
  std::int32_t from;
};

constexpr SavedField kSavedFields[] = {
    {&cSaveData::m_bHeroSaved, 0},      {&cSaveData::m_nMapX, 0},
    {&cSaveData::m_nMapY, 0},           {&cSaveData::m_nMapPointSlot, 0},
    {&cSaveData::m_nLap, 0},            {&cSaveData::m_nStage, 0},
    {&cSaveData::m_nPart, 0},           {&cSaveData::m_nEntryLives, 0},
    {&cSaveData::m_nLives, 0},          {&cSaveData::m_nScore, 0},
    {&cSaveData::m_nTotalScore, 0},     {&cSaveData::m_nClearSum, 0},
    {&cSaveData::m_nTotalTime, 0},      {&cSaveData::m_nTotalClearTime, 0},
    {&cSaveData::m_nTotalHp, 182},      {&cSaveData::m_nTotalSp, 182},
    {&cSaveData::m_bMultiPart, 0},      {&cSaveData::m_nBgm, 0},
    {&cSaveData::m_bBgmLoop, 166},      {&cSaveData::m_nMapDir, 194},
    {&cSaveData::m_bMapStepBack, 190},  {&cSaveData::m_nMapPrevX, 191},
    {&cSaveData::m_nMapPrevY, 191},     {&cSaveData::m_nChallengeOpen, 0},
    {&cSaveData::m_nSaveSlot, 0},       {&cSaveData::m_bAutoSave, 169},
    {&cSaveData::m_bShowRanking, 0},    {&cSaveData::m_nRankKind, 0},
    {&cSaveData::m_bNextStart, 678},    {&cSaveData::m_nNextX, 678},
    {&cSaveData::m_nNextY, 678},        {&cSaveData::m_nNextDir, 679},
};

// What a file older than a field's version gets for it: the game of that version had it so.
// Fields missing here (the next start, the reserved string) keep what the record held.
struct MissingField {
  std::int32_t cSaveData::*member;
  std::int32_t before;
  std::int32_t value;
};

constexpr MissingField kMissingFields[] = {
    {&cSaveData::m_bBgmLoop, 166, 1},     {&cSaveData::m_bAutoSave, 169, 0},  {&cSaveData::m_nTotalHp, 182, 0},
    {&cSaveData::m_nTotalSp, 182, 0},     {&cSaveData::m_bMapStepBack, 190, 0}, {&cSaveData::m_nMapPrevX, 191, 0},
    {&cSaveData::m_nMapPrevY, 191, 0},    {&cSaveData::m_nMapDir, 194, 0},
};

constexpr std::int32_t kReservedFrom = 724;
constexpr std::int32_t kCarryFlagsFrom = 501;

template <typename T>
void PadTo(cVector<T>& list, std::size_t size, const T& value) {
  while (list.size() < size) list.push_back(value);
}

}  // namespace

cSaveData::cSaveData() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cSaveData::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  for (const SavedField& field : kSavedFields) {
    if (version >= field.from) AddInt(&(this->*field.member));
  }
  AddStrings(&m_strStageKey);
  if (version >= kReservedFrom) AddStrings(&m_strReserved);
  AddStrings(&m_strRankName);
}

bool cSaveData::Read(RecordReader& in) {
  const std::int32_t version = in.Version();
  if (!cData::Read(in) || !ReadSaveTime(m_SaveTime, in)) return false;
  if (version >= kCarryFlagsFrom && !ReadValueList(m_CarryFlags, in)) return false;
  if (!ReadRecordList(m_Heroes, in) || !ReadRecordList(m_ClearRecs, in) || !ReadRecordList(m_Challenge, in) ||
      !ReadValueList(m_StageCleared, in) || !ReadValueList(m_Vars, in)) {
    return false;
  }
  if (version < kRecordVersion) {
    for (const MissingField& field : kMissingFields) {
      if (version < field.before) this->*field.member = field.value;
    }
    if (version < kCarryFlagsFrom) m_CarryFlags.assign(kHeroStatusGroups, 1);
  }
  // Lists every later use indexes are padded, never cut: what a file holds beyond them stays.
  PadTo(m_CarryFlags, kHeroStatusGroups, 0);
  PadTo(m_Heroes, 1, cSaveChara{});
  PadTo(m_StageCleared, kStageFlagCount, 0);
  PadTo(m_Vars, kVarCount, 0);
  Normalize();
  return true;
}

void cSaveData::Write(RecordWriter& out) {
  Normalize();
  m_nMapPointSlot = 0;
  cData::Write(out);
  WriteSaveTime(m_SaveTime, out);
  WriteValueList(m_CarryFlags, out);
  WriteRecordList(m_Heroes, out);
  WriteRecordList(m_ClearRecs, out);
  WriteRecordList(m_Challenge, out);
  WriteValueList(m_StageCleared, out);
  WriteValueList(m_Vars, out);
}

void cSaveData::Normalize() {
  if (m_nMapX >= WorldMap.nWidth) m_nMapX = WorldMap.nStartX;
  if (m_nMapY >= WorldMap.nHeight) m_nMapY = WorldMap.nStartY;
  // A project without challenge stages may say so with a negative count.
  const int stages = std::max(SystemData.nChallengeStages, 0);
  if (m_Challenge.size() > static_cast<std::size_t>(stages)) m_Challenge.resize(static_cast<std::size_t>(stages));
  PadTo(m_Challenge, static_cast<std::size_t>(stages), cData2Int{});
  if (m_nChallengeOpen > stages) m_nChallengeOpen = stages;
}

void cSaveData::Reset() {
  Clear();
  m_pMapPoint = nullptr;
  m_CarryFlags.assign(kHeroStatusGroups, 0);
  m_Heroes.assign(1, cSaveChara{});
  m_StageCleared.assign(kStageFlagCount, 0);
  m_StageCleared[0] = 1;
  m_Vars.assign(kVarCount, 0);
  m_ClearRecs.clear();
  m_Challenge.clear();
  m_nChallengeOpen = 1;
  m_nSaveSlot = -1;
  m_strRankName = "aaa";
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
  for (cStageClearRec& rec : m_ClearRecs) {
    if (rec.m_strName != key) continue;
    if (value > rec.m_nValue) {
      m_nClearSum += value - rec.m_nValue;
      rec.m_nValue = value;
    }
    return;
  }
  m_ClearRecs.push_back(cStageClearRec{key, value});
  m_nClearSum += value;
}

std::int32_t cSaveData::GetClearValue(const std::string& key) const {
  for (const cStageClearRec& rec : m_ClearRecs) {
    if (rec.m_strName == key) return rec.m_nValue;
  }
  return 0;
}

void cSaveData::RecalcTotal() {
  m_nClearSum = 0;
  for (const cStageClearRec& rec : m_ClearRecs) {
    if (WorldMap.HasStage(rec.m_strName)) m_nClearSum += rec.m_nValue;
  }
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

std::string SaveSlotFileName(int slot) {
  std::string number;
  NumberText(number, slot + 1, 2, 1, 0);
  return ProjectPaths[kPathStorySavePrefix] + number + ".dat";
}

void cSaveData::ApplyLivesRule(int mode) {
  const bool unlimited = mode >= 0 && mode < static_cast<int>(SystemData.InfiniteLives.size()) &&
                         SystemData.InfiniteLives[mode] != 0;
  if (unlimited) {
    m_nEntryLives = m_nLives = kUnlimitedLives;
  } else if (m_nLives == kUnlimitedLives) {
    m_nLives = SystemData.StartLives[mode];
  }
}

void cSaveData::SetStartLives(int mode, bool unlimited) {
  if (unlimited || SystemData.InfiniteLives[mode] != 0) {
    m_nEntryLives = m_nLives = kUnlimitedLives;
  } else {
    m_nEntryLives = SystemData.StartLives[mode];
    m_nLives = m_nEntryLives - 1;
  }
}

int cSaveData::SaveSlot(int slot) {
  if (slot < 0 || slot >= kSaveSlotCount) {
    ErrLogf("slot %d is not a story slot: nothing saved", slot);
    return 0;
  }
  m_SaveTime = platform::LocalTime();
  const std::string path = SaveSlotFileName(slot);
  if (SaveUserRecord(*this, path) == 0) {
    ReportSaveFailure(path);
    return 0;
  }
  SaveSlotInfos[slot].SetFrom(*this);
  return 1;
}

int cSaveData::LoadSlot(int slot) {
  // The live record is kept as it is when the slot does not read whole.
  if (LoadUserRecord(*this, SaveSlotFileName(slot)) == 0) return 0;
  ApplyLivesRule(0);
  // A slot file copied from another slot saves where it was loaded from.
  m_nSaveSlot = slot;
  return 1;
}

int cSaveData::LoadChallenge() {
  if (LoadUserRecord(*this, ProjectPaths[kPathChallengeSave]) == 0) return 0;
  ApplyLivesRule(1);
  return 1;
}

int cSaveData::SaveChallenge() {
  if (SaveUserRecord(*this, ProjectPaths[kPathChallengeSave]) != 0) return 1;
  ReportSaveFailure(ProjectPaths[kPathChallengeSave]);
  return 0;
}
