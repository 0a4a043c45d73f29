// The progress record: its new-game state, its file layout and the layouts of older versions,
// the stage key, the best values per stage, the ranking kind chosen, the attempt's snapshot and
// the lives a loaded record starts with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/record_file.h"
#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "support/byte_builder.h"

namespace {

using testsupport::ByteBuilder;

constexpr int kChallengeStages = 3;

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

// The project settings a test changes, put back after it.
class SaveDataTest : public testing::Test {
 protected:
  SaveDataTest() : system_(SystemData), map_(WorldMap), playMode_(SceneMgr.PlayMode) {
    CurrentVersion = kRecordVersion;
    SystemData.nChallengeStages = kChallengeStages;
    SystemData.StartLives.assign(4, 3);
    SystemData.InfiniteLives.assign(4, 0);
    WorldMap.nWidth = WorldMap.nHeight = 200;
    WorldMap.nStartX = 4;
    WorldMap.nStartY = 5;
  }
  ~SaveDataTest() override {
    SystemData = system_;
    WorldMap = map_;
    SceneMgr.PlayMode = playMode_;
    DirectPlayFlag = 0;
  }

  cSystemData system_;
  cWorldMap map_;
  std::int32_t playMode_;
};

// The list part of a file of the version: the save time, the carry flags (from 501 on), no
// heroes, one clear record, no challenge entries, three stage flags and two variables.
void AddLists(ByteBuilder& b, int version) {
  for (int i = 0; i < 8; ++i) b.u16(static_cast<std::uint16_t>(2000 + i));
  if (version >= 501) b.list(3).i32(1).i32(0).i32(1);
  b.list(0);
  b.list(1).fields(1).i32(500).strings(1).str("data\\stg4\\c01.");
  b.list(0);
  b.list(3).i32(1).i32(1).i32(0);
  b.list(2).i32(5).i32(6);
}

// A file of the version with `fields` integers 100, 101, ... and the strings a file of it has.
std::string OldFile(int version, int fields) {
  ByteBuilder b;
  b.u32(static_cast<std::uint32_t>(version)).fields(static_cast<std::uint32_t>(fields));
  for (int i = 0; i < fields; ++i) b.i32(100 + i);
  if (version >= 724) {
    b.strings(3).str("key.").str("reserved").str("bob");
  } else {
    b.strings(2).str("key.").str("bob");
  }
  AddLists(b, version);
  return b.bytes();
}

TEST_F(SaveDataTest, ANewGameIsWrittenInTheLayoutOfVersion750) {
  cSaveData save;
  EXPECT_EQ(save.m_CarryFlags, cVector<std::int32_t>(25, 0));
  ASSERT_EQ(save.m_Heroes.size(), 1u);
  EXPECT_EQ(save.m_StageCleared.size(), 1000u);
  EXPECT_EQ(std::count(save.m_StageCleared.begin(), save.m_StageCleared.end(), 1), 1);
  EXPECT_EQ(save.m_StageCleared[0], 1);
  EXPECT_EQ(save.m_Vars, cVector<std::int32_t>(256, 0));
  EXPECT_EQ(save.m_nChallengeOpen, 1);
  EXPECT_EQ(save.m_nSaveSlot, -1);
  EXPECT_EQ(save.m_strRankName, "aaa");

  save.m_nMapPointSlot = 1234;  // whatever it held, the slot is written as 0
  const std::string bytes = RecordFileBytes(save);
  EXPECT_EQ(U32At(bytes, 0), 750u);
  EXPECT_EQ(U32At(bytes, 4), 32u);
  EXPECT_EQ(U32At(bytes, 8 + 3 * 4), 0u);
  EXPECT_EQ(U32At(bytes, 8 + 24 * 4), static_cast<std::uint32_t>(-1));  // the save slot
  EXPECT_EQ(U32At(bytes, 136), 3u);
  // "", "" and "aaa", then the save time.
  EXPECT_EQ(U32At(bytes, 140), 1u);
  EXPECT_EQ(U32At(bytes, 144), 1u);
  EXPECT_EQ(U32At(bytes, 148), 4u);
  EXPECT_EQ(bytes.substr(152, 4), std::string("aaa\0", 4));
  // The lists: 25 carry flags, one hero, no clear records, a challenge entry per challenge
  // stage, 1000 stage flags and 256 variables.
  std::size_t at = 156 + 16;
  EXPECT_EQ(U32At(bytes, at), 25u);
  at += 4 + 25 * 4;
  EXPECT_EQ(U32At(bytes, at), 1u);
  const std::size_t tail = bytes.size() - (4 + 256 * 4) - (4 + 1000 * 4) - (4 + kChallengeStages * 16) - 4;
  EXPECT_EQ(U32At(bytes, tail), 0u);
  EXPECT_EQ(U32At(bytes, tail + 4), static_cast<std::uint32_t>(kChallengeStages));
  EXPECT_EQ(U32At(bytes, tail + 8), 2u);  // each entry: two fields
  EXPECT_EQ(U32At(bytes, bytes.size() - 4 - 256 * 4 - 4 - 1000 * 4), 1000u);
  EXPECT_EQ(U32At(bytes, bytes.size() - 4 - 256 * 4), 256u);
}

TEST_F(SaveDataTest, AFullRecordRoundTripsByteForByte) {
  cSaveData save;
  save.m_nMapX = 7;
  save.m_nLives = 4;
  save.m_strStageKey = "data\\stg4\\c02.";
  save.m_strReserved = "kept";
  save.m_strRankName = "ソフト";
  save.m_CarryFlags[11] = 1;
  save.m_Heroes[0].m_nHp = 9;
  save.m_Heroes[0].m_Chara.nMaxHp = 40;
  save.RecordClear("data\\stg4\\c01.", 700);
  save.m_Vars[255] = -3;
  save.m_nNextDir = 1;
  save.m_SaveTime.year = 2026;
  const std::string bytes = RecordFileBytes(save);
  cSaveData read;
  ASSERT_TRUE(ReadRecordBytes(bytes, read));
  EXPECT_EQ(RecordFileBytes(read), bytes);
  EXPECT_EQ(read.m_strReserved, "kept");
  EXPECT_EQ(read.m_Heroes[0].m_Chara.nMaxHp, 40);
  EXPECT_EQ(read.GetClearValue("data\\stg4\\c01."), 700);
  EXPECT_EQ(read.m_Challenge.size(), static_cast<std::size_t>(kChallengeStages));
}

TEST_F(SaveDataTest, OlderFilesGetWhatTheirVersionLacked) {
  struct Case {
    int version;
    int fields;
    std::int32_t rankKind;  // the last field the version holds
    std::int32_t bgmLoop, autoSave, totalHp, mapDir, stepBack, prevX;
    std::int32_t carry0, carry1;
  };
  const Case cases[] = {
      // 165 lacks the loop flag and auto-save as well; up to 500 every carry flag is 1.
      {165, 20, 119, 1, 0, 0, 0, 0, 0, 1, 1},
      {181, 22, 121, 116, 119, 0, 0, 0, 0, 1, 1},
      {500, 28, 127, 118, 125, 114, 119, 120, 121, 1, 1},
      // 501 holds its own carry flags (1, 0, 1), padded with 0.
      {501, 28, 127, 118, 125, 114, 119, 120, 121, 1, 0},
  };
  for (const Case& c : cases) {
    cSaveData save;
    // Members the file predates keep what the record held.
    save.m_bNextStart = 1;
    save.m_nNextDir = 1;
    save.m_strReserved = "before";
    ASSERT_TRUE(ReadRecordBytes(OldFile(c.version, c.fields), save)) << c.version;
    EXPECT_EQ(save.m_bHeroSaved, 100) << c.version;
    EXPECT_EQ(save.m_nRankKind, c.rankKind) << c.version;
    EXPECT_EQ(save.m_bBgmLoop, c.bgmLoop) << c.version;
    EXPECT_EQ(save.m_bAutoSave, c.autoSave) << c.version;
    EXPECT_EQ(save.m_nTotalHp, c.totalHp) << c.version;
    EXPECT_EQ(save.m_nMapDir, c.mapDir) << c.version;
    EXPECT_EQ(save.m_bMapStepBack, c.stepBack) << c.version;
    EXPECT_EQ(save.m_nMapPrevX, c.prevX) << c.version;
    ASSERT_EQ(save.m_CarryFlags.size(), 25u) << c.version;
    EXPECT_EQ(save.m_CarryFlags[0], c.carry0) << c.version;
    EXPECT_EQ(save.m_CarryFlags[1], c.carry1) << c.version;
    EXPECT_EQ(save.m_CarryFlags[24], c.version <= 500 ? 1 : 0) << c.version;
    EXPECT_EQ(save.m_bNextStart, 1) << c.version;
    EXPECT_EQ(save.m_nNextDir, 1) << c.version;
    EXPECT_EQ(save.m_strReserved, "before") << c.version;
    EXPECT_EQ(save.m_strStageKey, "key.") << c.version;
    EXPECT_EQ(save.m_strRankName, "bob") << c.version;
    EXPECT_EQ(save.m_SaveTime.year, 2000) << c.version;
    EXPECT_EQ(save.m_SaveTime.milliseconds, 2007) << c.version;
    // Short lists padded, never cut; the challenge list made one entry per stage.
    EXPECT_EQ(save.m_Heroes.size(), 1u) << c.version;
    EXPECT_EQ(save.m_StageCleared.size(), 1000u) << c.version;
    EXPECT_EQ(save.m_StageCleared[1], 1) << c.version;
    EXPECT_EQ(save.m_Vars.size(), 256u) << c.version;
    EXPECT_EQ(save.m_Vars[1], 6) << c.version;
    EXPECT_EQ(save.m_Challenge.size(), static_cast<std::size_t>(kChallengeStages)) << c.version;
    EXPECT_EQ(save.GetClearValue("data\\stg4\\c01."), 500) << c.version;
  }
  // From 724 on the reserved string is the file's.
  cSaveData save;
  ASSERT_TRUE(ReadRecordBytes(OldFile(750, 32), save));
  EXPECT_EQ(save.m_strReserved, "reserved");
  EXPECT_EQ(save.m_nNextDir, 131);
}

TEST_F(SaveDataTest, ReadingKeepsTheMapCellAndTheChallengesInRange) {
  struct Case {
    std::int32_t challengeStages, open;
    std::int32_t wantEntries, wantOpen;
  };
  // A project may give a negative count of challenge stages: it counts as none.
  const Case cases[] = {{3, 2, 3, 2}, {3, 9, 3, 3}, {0, 1, 0, 0}, {-5, 1, 0, 0}};
  for (const Case& c : cases) {
    SystemData.nChallengeStages = c.challengeStages;
    cSaveData save;
    save.m_nMapX = 200;  // the map is 200 wide: one too far
    save.m_nMapY = 199;
    save.m_nChallengeOpen = c.open;
    save.m_Challenge.assign(7, cData2Int{1, 5});
    save.Normalize();
    EXPECT_EQ(save.m_nMapX, 4);
    EXPECT_EQ(save.m_nMapY, 199);
    EXPECT_EQ(save.m_Challenge.size(), static_cast<std::size_t>(c.wantEntries)) << c.challengeStages;
    EXPECT_EQ(save.m_nChallengeOpen, c.wantOpen) << c.challengeStages;
  }
}

TEST_F(SaveDataTest, BrokenFilesFailTheRead) {
  const std::string whole = OldFile(750, 32);
  // Cut anywhere, or with a list count beyond the file, a file does not read.
  for (std::size_t cut : {std::size_t{8}, std::size_t{140}, std::size_t{200}, whole.size() - 1}) {
    cSaveData save;
    EXPECT_FALSE(ReadRecordBytes(whole.substr(0, cut), save)) << cut;
  }
  ByteBuilder huge;
  huge.u32(750).fields(0).strings(0);
  for (int i = 0; i < 8; ++i) huge.u16(0);
  huge.list(0x7FFFFFFF);
  cSaveData save;
  EXPECT_FALSE(ReadRecordBytes(huge.bytes(), save));
}

TEST_F(SaveDataTest, StageKeysClearValuesAndTheirSum) {
  struct KeyCase {
    const char* path;
    const char* key;
    int multiPart;
  };
  const KeyCase keys[] = {
      {"data\\stg4\\c03-1.stg4_750", "data\\stg4\\c03.", 1},
      {"a.b.stg4_750", "a.b.", 0},
      {"s-10.stg4_750", "s.", 1},  // the search does not look past "-1"
      {"nodot", "", 0},
  };
  cSaveData save;
  for (const KeyCase& k : keys) {
    save.SetStageName(k.path);
    EXPECT_EQ(save.m_strStageKey, k.key) << k.path;
    EXPECT_EQ(save.m_bMultiPart, k.multiPart) << k.path;
  }
  save.SetStageName(nullptr);
  EXPECT_EQ(save.m_strStageKey, "");

  save.RecordClear("k.", 500);
  save.RecordClear("k.", 300);
  EXPECT_EQ(save.GetClearValue("k."), 500);
  EXPECT_EQ(save.m_nClearSum, 500);
  save.RecordClear("k.", 800);
  EXPECT_EQ(save.GetClearValue("k."), 800);
  EXPECT_EQ(save.m_nClearSum, 800);
  EXPECT_EQ(save.GetClearValue("other."), 0);

  // Only stages the world map still has count in the recalculated sum; a part file X-1 and a
  // single file X share the key X.
  save.RecordClear("data\\stg4\\gone.", 1000);
  save.RecordClear("data\\stg4\\c02.", 40);
  WorldMap.Points.assign(1, cMapPoint{});
  WorldMap.Points[0].Events.assign(2, cMapEvent{});
  WorldMap.Points[0].Events[0].strStageFile = "data\\stg4\\c02-1.stg4";
  WorldMap.Points[0].Events[1].strStageFile = "k.stg4";
  save.RecalcTotal();
  EXPECT_EQ(save.m_nClearSum, 840);
  WorldMap.Points[0].Events[1].nKind = 1;  // a road, not a stage
  save.RecalcTotal();
  EXPECT_EQ(save.m_nClearSum, 40);
}

TEST_F(SaveDataTest, TheRankingKindMovesAmongTheKindsTheModeKeeps) {
  struct Case {
    std::vector<int> kept;
    int from, step, want;
  };
  const Case cases[] = {
      {{0, 3}, 3, 1, 0},  {{0, 3}, 2, 0, 3},  {{0, 3}, 0, 0, 0},  {{0, 3}, 0, -1, 3},
      {{0, 3}, 0, 3, 3},  {{1}, 4, -2, 1},    {{}, 2, 1, 2},      {{}, 2, 0, 2},
  };
  for (const Case& c : cases) {
    SystemData.ModeRanking.assign(1, cSysModeEntry{});
    SystemData.ModeRanking[0].RankKinds.assign(5, 0);
    for (int k : c.kept) SystemData.ModeRanking[0].RankKinds[k] = 1;
    cSaveData save;
    save.m_nRankKind = c.from;
    save.CycleSelection(0, c.step);
    EXPECT_EQ(save.m_nRankKind, c.want) << "from " << c.from << " step " << c.step;
  }
}

TEST_F(SaveDataTest, TheSnapshotBringsBackWhatTheSituationAsks) {
  struct Case {
    int mode;
    int direct;
    int full;
    bool varsBack;
    bool livesBack;
  };
  SystemData.bRestoreStory = 0;
  SystemData.bRestoreChallenge = 1;
  SystemData.bRestoreFree = 0;
  SystemData.bRestoreDirect = 1;
  const Case cases[] = {
      {0, 0, 0, false, false}, {1, 0, 0, true, false}, {2, 0, 0, false, false},
      {2, 1, 0, true, false},  {3, 0, 0, true, false}, {0, 0, 1, true, true},
  };
  for (const Case& c : cases) {
    SceneMgr.PlayMode = c.mode;
    DirectPlayFlag = c.direct;
    cSaveData save;
    save.m_Vars[3] = 1;
    save.m_nLives = 5;
    save.m_nTotalScore = 100;
    save.TakeSnapshot();
    save.m_Vars[3] = 2;
    save.m_nLives = 4;
    save.m_nTotalScore = 350;
    save.RestoreSnapshot(c.full);
    EXPECT_EQ(save.m_Vars[3], c.varsBack ? 1 : 2) << c.mode << c.direct << c.full;
    EXPECT_EQ(save.m_nLives, c.livesBack ? 5 : 4) << c.mode << c.direct << c.full;
    EXPECT_EQ(save.m_nTotalScore, 100) << c.mode << c.direct << c.full;
  }
}

TEST_F(SaveDataTest, ALoadedRecordStartsWithTheLivesItsModeGives) {
  struct Case {
    int unlimited;
    std::int32_t lives, entry;
    std::int32_t wantLives, wantEntry;
  };
  const Case cases[] = {
      {1, 2, 2, kUnlimitedLives, kUnlimitedLives},  // the mode has unlimited lives now
      {0, kUnlimitedLives, 7, 3, 7},                 // saved unlimited: the mode's first lives
      {0, 2, 7, 2, 7},
  };
  for (int mode : {0, 1}) {
    for (const Case& c : cases) {
      SystemData.InfiniteLives[mode] = c.unlimited;
      cSaveData save;
      save.m_nLives = c.lives;
      save.m_nEntryLives = c.entry;
      save.ApplyLivesRule(mode);
      EXPECT_EQ(save.m_nLives, c.wantLives) << mode << " " << c.lives;
      EXPECT_EQ(save.m_nEntryLives, c.wantEntry) << mode << " " << c.lives;
      SystemData.InfiniteLives[mode] = 0;
    }
  }
}

}  // namespace
