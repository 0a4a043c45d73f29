#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/hero_status.h"
#include "data/save_records.h"

class cMapEvent;
class cStageData;

// A player's progress: lives, scores and the running totals of a stage visit, the game
// variables, the cleared stages and the best result per stage, with the snapshot taken at
// the start of every stage attempt. The play scene and the flow engine read and write the
// live record every frame; the slot files, the challenge file and the hero status carried
// between stages are the menus' side of it.
class cSaveData : public cData {
 public:
  cSaveData();

  // The fields a file of that version holds, in their order.
  void RegisterFields(std::int32_t version) override;
  // The record, the save time and the lists. Fields and lists a file of an older version
  // lacks are set as that version's game had them (or keep what they held), short lists are
  // padded, and the record is normalised.
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // The map cell inside the world map, and one challenge entry per challenge stage with no
  // more open than there are.
  void Normalize();

  // A new game: every number 0, 1000 stage flags with only flag 0 set, 256 zero variables,
  // no clear records, one open challenge stage, no slot and the ranking name "aaa". The
  // attempt's snapshot is kept.
  void Reset();
  // The stage key of the stage file being played: the name up to its last '.', or, for a
  // part of a multi-part stage (a "-1" in its name), up to that '-' turned into a '.'.
  void SetStageName(const char* path);
  // The best total score of a stage key; the sum of the best values follows it.
  void RecordClear(const std::string& key, std::int32_t value);
  std::int32_t GetClearValue(const std::string& key) const;
  // The start of an attempt: variables, lives and total score.
  void TakeSnapshot();
  // `full` brings back the variables, the total score and the lives (a replay's restart);
  // otherwise the total score, and the variables where the situation's setting asks it.
  void RestoreSnapshot(int full);
  // The five running totals of the rankings to 0.
  void ClearCounters();
  // Moves the shown ranking kind `step` enabled kinds on (back when negative) among those the
  // play mode keeps; 0 only leaves a kind the mode does not keep. Nothing when it keeps none.
  void CycleSelection(int mode, int step);
  // The world map played through once more: the lap counts up and every stage flag clears.
  void NewLap(int startX, int startY);
  // The sum of the best values of the stages the world map still has.
  void RecalcTotal();

  // Stamps the time and writes the live record to a story slot; the slot's summary follows
  // only a save that succeeded. A failure is logged and shown, and the old file stays. A slot
  // outside 0-98 (a hand-edited file may name one) is logged and nothing is saved.
  int SaveSlot(int slot);
  // Reads a story slot whole, then the story's lives rule, and takes the slot as the one to
  // save to; 0 with the record untouched when the slot does not read.
  int LoadSlot(int slot);
  // Reads the challenge file, then the challenge mode's lives rule; 0 with the record
  // untouched when it cannot be read.
  int LoadChallenge();
  // Saves the record to the challenge file; a failure is logged and shown.
  int SaveChallenge();
  // Unlimited lives in a mode that has them; a record saved with unlimited lives starts a
  // mode that has them no more with the mode's first lives.
  void ApplyLivesRule(int mode);
  // A fresh start in a mode: unlimited lives when the mode (or `unlimited`) says so, else the
  // mode's first lives, the attempt about to begin taking one of them.
  void SetStartLives(int mode, bool unlimited = false);

  // The hero status kept from stage to stage, group by group as the project's carry switches
  // say: stored at a clear, given back to the hero's placement (and the stage's time limit and
  // music, and the lives) at the set-up of a stage that takes it over, HP and SP to the built
  // hero. A lost life forgets the groups the project names.
  void StoreHeroStatus(int player, const HeroStatusValues& values);
  void ApplyHeroStatus(int player, cEdChara& definition, cStageData& stage);
  void GetHeroValues(int player, std::int32_t* hp, std::int32_t* sp);
  void ClearFlagged(int ignored);

  std::int32_t m_nMapX = 0, m_nMapY = 0;
  // The world map's stage entry the stage was entered from; none in free play. Files hold a
  // 4-byte slot in its place, written as 0 and meaning nothing when read.
  const cMapEvent* m_pMapPoint = nullptr;
  std::int32_t m_nMapPointSlot = 0;
  cVector<std::int32_t> m_StageCleared;
  std::int32_t m_nLap = 0;
  cVector<std::int32_t> m_Vars;
  std::string m_strStageKey;
  std::string m_strReserved;  // kept and copied; nothing reads it
  std::int32_t m_nStage = 0;
  std::int32_t m_nPart = 0;
  std::int32_t m_nEntryLives = 0;
  std::int32_t m_nLives = 0;
  std::int32_t m_nScore = 0;
  std::int32_t m_nTotalScore = 0;
  std::int32_t m_nClearSum = 0;
  std::int32_t m_nTotalTime = 0;
  std::int32_t m_nTotalClearTime = 0;
  std::int32_t m_nTotalHp = 0;
  std::int32_t m_nTotalSp = 0;
  std::int32_t m_bMultiPart = 0;
  std::int32_t m_nBgm = 0;
  std::int32_t m_bBgmLoop = 0;
  std::int32_t m_nMapDir = 0;
  std::int32_t m_bMapStepBack = 0;
  std::int32_t m_nMapPrevX = 0, m_nMapPrevY = 0;
  cVector<cStageClearRec> m_ClearRecs;
  std::int32_t m_nChallengeOpen = 1;
  cVector<cData2Int> m_Challenge;  // per challenge stage: cleared, best total score
  cVector<std::int32_t> m_VarsBackup;
  std::int32_t m_nLivesBackup = 0;
  std::int32_t m_nTotalScoreBackup = 0;
  std::int32_t m_nSaveSlot = -1;
  std::int32_t m_bAutoSave = 0;
  SaveTime m_SaveTime;
  std::string m_strRankName = "aaa";
  std::int32_t m_bShowRanking = 0;
  std::int32_t m_nRankKind = 0;
  std::int32_t m_bNextStart = 0;
  std::int32_t m_nNextX = 0, m_nNextY = 0;
  std::int32_t m_nNextDir = 0;
  std::int32_t m_bHeroSaved = 0;
  cVector<std::int32_t> m_CarryFlags;  // group k stored
  cVector<cSaveChara> m_Heroes;        // by player
};

// The live progress, and the progress at the start of the current and the previous attempt
// (the replays keep them).
extern cSaveData SaveDataCur;
extern cSaveData SaveDataRpl0;
extern cSaveData SaveDataRpl1;

// The story slot files, Story01.dat to Story99.dat for slots 0 to 98 (the challenge file is the
// project path table's row).
inline constexpr int kSaveSlotCount = 99;
std::string SaveSlotFileName(int slot);

// Lives of 999999 are unlimited.
inline constexpr std::int32_t kUnlimitedLives = 999999;
