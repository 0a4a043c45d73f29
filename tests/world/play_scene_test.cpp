// The play scene around its frame: the camera's clamp, the block map's geometry, the stage
// set-up's music and retry, block changes, the menus, the clear display, lives and what comes
// after a clear.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/program_state.h"
#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/common_palette.h"
#include "data/project_paths.h"
#include "data/rankings.h"
#include "data/option_data.h"
#include "data/save_data.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/input_source.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"
#include "support/box_capture.h"
#include "support/temp_folder.h"
#include "support/world_fixture.h"
#include "support/write_fault.h"

namespace {

using worldtest::WorldFixture;

const std::vector<std::string> kFlat = {
    "          ",
    "   H      ",
    "##########",
};

TEST(ScrollAxisTest, ClampKeepsTheViewInsideItsRangeAndCountsTheFarEndAsAnEdge) {
  struct Case {
    double position;
    int start, end;
    double expected;
    int atEdge;
  };
  const Case cases[] = {
      {100, 320, 2000, 320, 1},    // before the start: pulled in
      {320, 320, 2000, 320, 0},    // the start itself is inside
      {1000, 320, 2000, 1000, 0},  // well inside
      {1360, 320, 2000, 1360, 1},  // the far end is an edge
      {1900, 320, 2000, 1360, 1},  // beyond it: pulled back
      {500, 320, 600, 320, 1},     // narrower than the view: pinned at the start
  };
  for (const Case& c : cases) {
    cScrollAxis axis;
    axis.nView = 640;
    axis.dPos = c.position;
    axis.nClampStart = c.start;
    axis.nClampEnd = c.end;
    axis.Clamp();
    EXPECT_EQ(axis.dPos, c.expected) << c.position;
    EXPECT_EQ(axis.bAtEdge, c.atEdge) << c.position;
  }
}

TEST(ScrollAxisTest, SetRangeTakesTheLimitsInBlocksOrTheStage) {
  struct Case {
    int first, second, firstOn, secondOn;
    int start, end;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 320, 1600},      // no limits: the stage proper
      {5, 20, 1, 1, 480, 992},      // both limits
      {5, 20, 1, 0, 480, 1600},     // the first only
      {20, 5, 1, 1, 960, 960},      // second before first: raised to the start
  };
  for (const Case& c : cases) {
    cScrollAxis axis;
    axis.nAreaStart = 320;
    axis.nAreaEnd = 1600;
    axis.SetRange(c.first, c.second, c.firstOn, c.secondOn);
    EXPECT_EQ(axis.nClampStart, c.start) << c.first << " " << c.second;
    EXPECT_EQ(axis.nClampEnd, c.end) << c.first << " " << c.second;
  }
}

TEST(BlockMapTest, TheRowStrideIsAPowerOfTwoAboveTheWidthWithItsMargins) {
  const std::pair<int, int> cases[] = {{1, 32}, {12, 32}, {13, 64}, {44, 64}, {45, 128}};
  for (const auto& [width, stride] : cases) {
    cStageData stage;
    stage.Reset();
    stage.nWidth = width;
    stage.nHeight = 3;
    cScenePlay scene(stage);
    ASSERT_TRUE(scene.BuildBlockMap());
    EXPECT_EQ(scene.ScrollX.nStride, stride) << width;
    EXPECT_EQ(scene.BlockMap.size(), static_cast<std::size_t>(stride) * 23) << width;
    // A stored pixel size of 0 stands for the blocks' own.
    EXPECT_EQ(scene.ScrollX.nMapPixels, width * 32 + 640) << width;
  }
}

// The field's pixel size: the stored one when it lies within the blocks, else the blocks' own,
// so that a damaged file cannot ask for a field of any size.
TEST(BlockMapTest, AStoredPixelSizeBeyondTheBlocksIsTakenAsTheirs) {
  const std::pair<std::int32_t, int> cases[] = {
      {0, 320}, {-5, 320}, {200, 200}, {320, 320}, {321, 320}, {0x7FFFFFFF, 320}};
  for (const auto& [stored, pixels] : cases) {
    cStageData stage;
    stage.Reset();
    stage.nWidth = 10;
    stage.nHeight = 10;
    stage.nMapPixelWidth = stored;
    stage.nMapPixelHeight = stored;
    cScenePlay scene(stage);
    ASSERT_TRUE(scene.BuildBlockMap());
    EXPECT_EQ(scene.ScrollX.nMapPixels, pixels + 640) << stored;
    EXPECT_EQ(scene.ScrollY.nMapPixels, pixels + 640) << stored;
  }
}

TEST(BlockMapTest, APlacementBeyondTheMarginIsLeftOutNotWrappedIntoTheNextRow) {
  cStageData stage;
  stage.Reset();
  stage.nWidth = 12;  // rows of 32 cells, 31 of them the map's
  stage.nHeight = 3;
  cEdBlock inside;
  inside.nPicture = 1;
  inside.x = -10;  // the margin's first column
  inside.y = 0;
  cEdBlock beyond = inside;
  beyond.x = 22;  // column 32: the next row's first cell if it were wrapped
  beyond.nPicture = 2;
  stage.Blocks = {inside, beyond};
  cScenePlay scene(stage);
  ASSERT_TRUE(scene.BuildBlockMap());
  EXPECT_EQ(scene.BlockMap.Block(scene.CellIndex(0, 10)).nPicture, 1);
  EXPECT_EQ(scene.BlockMap.Block(scene.CellIndex(0, 11)).nPicture, 0);
  int pictures = 0;
  for (int i = 0; i < static_cast<int>(scene.BlockMap.size()); ++i) pictures += scene.BlockMap.Block(i).nPicture != 0 ? 1 : 0;
  EXPECT_EQ(pictures, 1);
}

// Takes the main window's requests on this thread, recording the music asked for.
class MusicRequests {
 public:
  MusicRequests() {
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    platform::MainQueue().SetHandler([this](const platform::Message& m) -> std::intptr_t {
      if (m.message == 1030 && m.wParam == 4) numbers.push_back(static_cast<int>(m.lParam));
      return 0;
    });
  }
  ~MusicRequests() { platform::MainQueue().SetHandler(nullptr); }
  std::vector<int> numbers;
};

TEST(StageSetUpTest, MusicIsAskedForByTheKeepRuleAndNotAgainOnARetryOfTheSameMusic) {
  struct Case {
    int fromStart;
    int keep;
    int playing;
    int stageMusic;
    bool asked;
  };
  const Case cases[] = {
      {1, 0, 3, 3, true},   // a fresh start asks again
      {1, 1, 3, 3, false},  // unless the stage keeps the music it finds playing
      {1, 1, 0, 0, true},   // silence is asked for again
      {1, 1, 2, 3, true},
      {0, 0, 3, 3, false},  // a retry with the same music playing asks nothing
      {0, 0, 2, 3, true},
  };
  for (const Case& c : cases) {
    WorldFixture world(kFlat);
    world.stage.bKeepBgm = c.keep;
    world.stage.nBgm = c.stageMusic;
    world.Build();
    StageStart.AssignStartState(world.stage);
    MusicRequests requests;
    SaveDataCur.m_nBgm = c.playing;
    world.Scene().SetStage(0, c.fromStart);
    EXPECT_EQ(requests.numbers, c.asked ? std::vector<int>{c.stageMusic} : std::vector<int>{})
        << c.fromStart << " " << c.keep << " " << c.playing << " " << c.stageMusic;
  }
}

TEST(StageSetUpTest, ARetryUndoesTheBlockChangesAndTheCountersStartAgain) {
  WorldFixture world(kFlat);
  world.stage.bTimeLimit = 1;
  world.stage.nTimeLimit = 120;
  world.Build();
  StageStart.AssignStartState(world.stage);
  MusicRequests requests;
  cScenePlay& s = world.Scene();
  EXPECT_EQ(s.nTimeLeft, 120);
  EXPECT_EQ(s.bNoTimeLimit, 0);
  const int cell = s.CellIndex(12, 12);  // stage block (2, 2): ground
  ASSERT_NE(s.BlockMap.Block(cell).nPicture, 0);
  cEdShot erase;
  erase.nBlockMode = 1;
  s.ChangeBlock(12 * 32, 12 * 32, 0, erase, cEdBlock{});
  EXPECT_EQ(s.BlockMap.Block(cell).nPicture, 0);
  s.nTimeLeft = 7;
  SaveDataCur.m_nScore = 40;
  s.SetStage(1, 0);
  EXPECT_NE(s.BlockMap.Block(cell).nPicture, 0);
  EXPECT_EQ(s.nTimeLeft, 120);
  EXPECT_EQ(SaveDataCur.m_nScore, 0);
}

TEST(ChangeBlockTest, ModesUndoFlagsAndProtection) {
  struct Case {
    const char* name;
    int mode;
    bool undoHero;
    bool protectedCell;
    int legacy637;
    bool heroInCell;
    int expectedPicture;  // 0 empty, 1 the old block, 5 the new one
  };
  const Case cases[] = {
      {"replace", 0, false, false, 0, false, 5},
      {"erase", 1, false, false, 0, false, 0},
      {"toggle a present block away", 2, false, false, 0, false, 0},
      {"protected and present", 0, false, true, 0, false, 1},
      {"protected, legacy", 0, false, true, 1, false, 1},
      {"replace over the hero stays", 0, false, false, 0, true, 5},
      {"replace over the hero taken back", 0, true, false, 0, true, 1},
      {"unknown mode", 7, false, false, 0, false, 1},
  };
  for (const Case& c : cases) {
    WorldFixture world({
        "      ",
        "  H   ",
        "######",
    });
    world.Build();
    SystemData.bLegacy637 = c.legacy637;
    cScenePlay& s = world.Scene();
    // The cell the hero stands in, or the ground block under it.
    const int column = 12;
    const int row = c.heroInCell ? 11 : 12;
    const int index = s.CellIndex(column, row);
    cEdBlock cell = c.heroInCell ? cEdBlock{} : s.BlockMap.Block(index);
    cell.nPicture = 1;
    if (c.heroInCell) cell.nHitKind = 0;
    cell.bProtected = c.protectedCell ? 1 : 0;
    s.BlockMap.Put(index, cell);
    cEdShot record;
    record.nBlockMode = static_cast<std::uint8_t>(c.mode);
    record.bUndoOnHero = c.undoHero ? 1 : 0;
    cEdBlock brick;
    brick.nPicture = 5;
    brick.nHitKind = 1;
    world.Hero().nSqueezeGrace = 0;
    s.ChangeBlock(column * 32, row * 32, 0, record, brick);
    EXPECT_EQ(s.BlockMap.Block(s.CellIndex(column, row)).nPicture, c.expectedPicture) << c.name;
    if (c.heroInCell) {
      EXPECT_EQ(world.Hero().nSqueezeGrace, 2) << c.name;
    }
  }
}

// The pause menu's rows, found by walking its cursor: up twice from "resume".
int PauseRows(cScenePlay& s) {
  cInput& input = PlayerInputs[0];
  s.m_nState = kPlayPause;
  s.m_nSubState = 0;
  input = cInput();
  input.m_wDir = 0;
  s.StatePause();  // opens on "resume"
  for (int i = 0; i < 2; ++i) {
    input.m_wDir = 4;
    s.StatePause();
    input.m_wDir = 0;
    s.StatePause();
  }
  // From row 1: up to 0, then to the last row.
  return MenuCursor.m_pCur->row + 1;
}

TEST(PlayMenusTest, ThePauseMenuOffersARetryByPlayModeAndProgress) {
  struct Case {
    int mode;
    int storyRetry, challengeRetry;
    bool cleared;
    int rows;
  };
  const Case cases[] = {
      {2, 0, 0, false, 3},  // free play always
      {0, 1, 0, true, 3},   // story: switch on and the stage cleared
      {0, 1, 0, false, 2},
      {0, 0, 0, true, 2},
      {1, 0, 1, true, 3},   // challenge: its own switch and record
      {1, 0, 1, false, 2},
      {3, 1, 1, true, 2},   // never in a replay
  };
  const int savedMode = SceneMgr.PlayMode;
  for (const Case& c : cases) {
    WorldFixture world(kFlat);
    world.Build();
    SceneMgr.PlayMode = c.mode;
    SystemData.bStoryPauseRetry = c.storyRetry;
    SystemData.bChallengePauseRetry = c.challengeRetry;
    SaveDataCur.Reset();
    SaveDataCur.m_nStage = 1;
    SaveDataCur.m_StageCleared[1] = c.cleared ? 1 : 0;
    SaveDataCur.m_Challenge.assign(1, cData2Int{c.cleared ? 1 : 0, 0});
    EXPECT_EQ(PauseRows(world.Scene()), c.rows) << c.mode << " " << c.cleared;
  }
  SceneMgr.PlayMode = savedMode;
  PlayerInputs[0] = cInput();
}

TEST(PlayMenusTest, ResumeReturnsToTheSavedStateAndLatchesTheButtons) {
  WorldFixture world(kFlat);
  world.Build();
  cScenePlay& s = world.Scene();
  cInput& input = PlayerInputs[0];
  input = cInput();
  s.nSavedState = kPlayRunning;
  s.m_nState = kPlayPause;
  s.m_nSubState = 0;
  s.StatePause();
  input.m_wButton = 1;
  s.StatePause();
  EXPECT_EQ(s.m_nState, kPlayRunning);
  EXPECT_EQ(s.bButtonLatch, 1);
  // The held button reaches no flow until it is let go.
  s.StatePlay();
  EXPECT_EQ(input.m_wButton, 0);
  input.m_wButton = 0;
  s.StatePlay();
  EXPECT_EQ(s.bButtonLatch, 0);
  input = cInput();
}

TEST(ClearDisplayTest, WithoutTheDisplayTheStateLeavesByItselfOnTheFirstFrameAt200) {
  struct Case {
    int banner;
    int leavingFrame;
  };
  const Case cases[] = {{1, 51}, {0, 2}};
  for (const Case& c : cases) {
    WorldFixture world(kFlat);
    world.stage.bNoClearDisplay = 1;
    world.stage.bClearBanner = c.banner;
    world.Build();
    cScenePlay& s = world.Scene();
    s.m_nState = kPlayClear;
    s.m_nSubState = 0;
    int frame = 0;
    while (s.m_nState == kPlayClear && frame < 500) {
      ++frame;
      s.StateClear();
    }
    EXPECT_EQ(frame, c.leavingFrame) << c.banner;
    EXPECT_EQ(s.m_nState, kPlayExit);
    EXPECT_EQ(world.sounds.Count(1), 0) << "no decide sound without the display";
  }
}

TEST(LivesTest, ThreeLivesGiveThreeAttemptsThenTheGameIsOver) {
  WorldFixture world(kFlat);
  world.Build();
  StageStart.AssignStartState(world.stage);
  MusicRequests requests;
  cScenePlay& s = world.Scene();
  const int savedMode = SceneMgr.PlayMode;
  const int savedChoice = SceneMgr.TitleChoice;
  SceneMgr.PlayMode = 2;
  SceneMgr.TitleChoice = 3;
  DirectPlayFlag.store(0);
  SaveDataCur.Reset();
  SaveDataCur.m_nEntryLives = 3;
  s.ResetRun();
  ASSERT_EQ(cScenePlay::UseLife(SaveDataCur), 1);  // the first attempt
  int attempts = 1;
  for (int death = 0; death < 5; ++death) {
    s.ResolveHeroDeath();
    if (s.m_nState == kPlayGameOver) break;
    EXPECT_EQ(s.m_nState, kPlayReady);
    ++attempts;
  }
  EXPECT_EQ(attempts, 3);
  EXPECT_EQ(s.m_nState, kPlayGameOver);
  EXPECT_EQ(SaveDataCur.m_nLives, 0);
  // Unlimited lives never run out; a stage named at start-up needs none.
  SaveDataCur.m_nLives = kUnlimitedLives;
  EXPECT_EQ(cScenePlay::UseLife(SaveDataCur), 1);
  EXPECT_EQ(SaveDataCur.m_nLives, kUnlimitedLives);
  SaveDataCur.m_nLives = 0;
  DirectPlayFlag.store(1);
  EXPECT_EQ(cScenePlay::UseLife(SaveDataCur), 1);
  DirectPlayFlag.store(0);
  SceneMgr.PlayMode = savedMode;
  SceneMgr.TitleChoice = savedChoice;
}

TEST(ExtraLifeTest, EveryStepOfTheTotalPassedGivesALifeUpTo99) {
  struct Case {
    int total, score, step, lives;
    int expectedLives, sounds;
  };
  const Case cases[] = {
      {400, 200, 500, 3, 4, 1},      // 600 passes 500
      {400, 700, 500, 3, 5, 2},      // 1100 passes 500 and 1000: a display each
      {0, 400, 500, 3, 3, 0},
      {0, 1000, 500, 99, 99, 2},     // the count stays at 99, the displays still come
      {0, 1000, 500, 999999, 999999, 0},  // unlimited lives take none
      {0, 1000, 0, 3, 3, 0},         // no step: nothing
  };
  // Each life's display runs on the display thread, which idles while the program is
  // inactive.
  ActiveFlag.store(1);
  const int savedRate = SceneMgr.FrameRate;
  SceneMgr.FrameRate = 0;  // unpaced
  for (const Case& c : cases) {
    WorldFixture world(kFlat);
    world.Build();
    SystemData.bExtraLife = 1;
    SystemData.nExtraLifeScore = c.step;
    SaveDataCur.Reset();
    SaveDataCur.m_nTotalScore = c.total;
    SaveDataCur.m_nScore = c.score;
    SaveDataCur.m_nLives = c.lives;
    world.Scene().CheckExtraLife();
    EXPECT_EQ(SaveDataCur.m_nLives, c.expectedLives) << c.total << "+" << c.score;
    EXPECT_EQ(world.sounds.Count(15), c.sounds) << c.total << "+" << c.score;
    EXPECT_EQ(SaveDataCur.m_nTotalScore, c.total + c.score);
    EXPECT_TRUE(world.Scene().MessageList.empty()) << "each sign goes with its display";
  }
  ActiveFlag.store(0);
  SceneMgr.FrameRate = savedRate;
}

TEST(NextStageTest, TheNextPartOfASeriesIsFoundByItsNumberAndTheLastHasNone) {
  testsupport::TempFolder folder;
  folder.Write("data/stg4/s-1.stg4_000", "x");
  folder.Write("data/stg4/s-2.stg4_000", "x");
  const testsupport::ScopedCurrentFolder here(folder.path());
  WorldFixture world(kFlat);
  world.Build();
  cScenePlay& s = world.Scene();
  SaveDataCur.Reset();
  SaveDataCur.SetStageName("data\\stg4\\s-1.stg4_000");
  ASSERT_EQ(SaveDataCur.m_bMultiPart, 1);
  std::string name;
  EXPECT_EQ(s.NextStageFileName(name, 2), 1);
  EXPECT_EQ(name, "data\\stg4\\s-2.stg4_000");
  EXPECT_EQ(s.IsLastStage(2), 0);
  EXPECT_EQ(s.IsLastStage(3), 1);
  EXPECT_EQ(s.IsLastStage(0), 1);
  // A single stage is never part of a series.
  SaveDataCur.SetStageName("data\\stg4\\free.stg4_000");
  EXPECT_EQ(s.NextStageFileName(name, 2), 0);
  EXPECT_TRUE(name.empty());
}

// A stage that stores the hero's status at its clear and takes it over at its set-up: the next
// attempt's hero has the maximum HP and the HP it had at the clear; a lost life forgets the HP.
TEST(HeroCarryTest, AClearKeepsTheEnabledGroupsAndTheNextSetUpGivesThemBack) {
  WorldFixture world(kFlat);
  world.stage.bStoreStatus = 1;
  world.stage.bApplyHeroStatus = 1;
  world.Build();
  StageStart.AssignStartState(world.stage);
  MusicRequests requests;
  cScenePlay& s = world.Scene();
  const cVector<std::uint8_t> savedCarry = SystemData.CarryFlags;
  const cVector<std::uint8_t> savedForget = SystemData.ForgetFlags;
  const int savedChoice = SceneMgr.TitleChoice;
  const int savedMode = SceneMgr.PlayMode;
  SceneMgr.PlayMode = 2;
  SystemData.CarryFlags.assign(kHeroStatusGroups, 0);
  SystemData.CarryFlags[kCarryHp] = SystemData.CarryFlags[13] = 1;
  SystemData.ForgetFlags.assign(kHeroStatusGroups, 0);
  SystemData.ForgetFlags[kCarryHp] = 1;
  SceneMgr.TitleChoice = 3;
  DirectPlayFlag.store(1);
  SaveDataCur.Reset();
  SaveDataCur.m_nLives = SaveDataCur.m_nEntryLives = 5;
  s.Hero().Def.nMaxHp = 77;
  s.Hero().nHp = 7;
  EXPECT_EQ(s.NextStage(), 4);  // the same stage again
  s.SetStage(0, 1);
  EXPECT_EQ(s.Hero().Def.nMaxHp, 77);
  EXPECT_EQ(s.Hero().nHp, 7);
  s.ResolveHeroDeath();
  EXPECT_EQ(SaveDataCur.m_CarryFlags[kCarryHp], 0);
  EXPECT_EQ(s.Hero().Def.nMaxHp, 77);
  EXPECT_NE(s.Hero().nHp, 7);
  DirectPlayFlag.store(0);
  SceneMgr.TitleChoice = savedChoice;
  SceneMgr.PlayMode = savedMode;
  SystemData.CarryFlags = savedCarry;
  SystemData.ForgetFlags = savedForget;
}

// A challenge clear marks the stage cleared with its best total, opens the next one (never more
// than there are) and saves the challenge file; a save that fails is said and play goes on.
TEST(ChallengeClearTest, AClearOpensTheNextStageAndSavesTheChallengeFile) {
  WorldFixture world(kFlat);
  world.Build();
  cScenePlay& s = world.Scene();
  testsupport::TempFolder folder;
  folder.MakeFolder("user_data/challenge");
  const testsupport::ScopedCurrentFolder here(folder.path());
  platform::GameFolder().Forget();
  CurrentVersion = kRecordVersion;
  const int savedChoice = SceneMgr.TitleChoice;
  const std::int32_t savedStages = SystemData.nChallengeStages;
  SceneMgr.TitleChoice = 2;
  SystemData.nChallengeStages = 3;
  SaveDataCur.Reset();
  SaveDataCur.m_Challenge.assign(3, cData2Int{});
  struct Case {
    std::int32_t stage, total, open;
    std::int32_t wantOpen, wantBest, wantSum;
  };
  // Stage 1 for 400, again for 300 (the best stays), then the last stage.
  const Case cases[] = {{1, 400, 1, 2, 400, 400}, {1, 300, 2, 2, 400, 400}, {3, 50, 2, 3, 50, 450}};
  for (const Case& c : cases) {
    SaveDataCur.m_nStage = c.stage;
    SaveDataCur.m_nTotalScore = c.total;
    SaveDataCur.m_nChallengeOpen = c.open;
    EXPECT_EQ(s.NextStage(), kSceneStageSelect);
    EXPECT_EQ(SaveDataCur.m_Challenge[c.stage - 1].m_nFirst, 1);
    EXPECT_EQ(SaveDataCur.m_Challenge[c.stage - 1].m_nSecond, c.wantBest);
    EXPECT_EQ(SaveDataCur.m_nChallengeOpen, c.wantOpen);
    EXPECT_EQ(SaveDataCur.m_nClearSum, c.wantSum);
    cSaveData saved;
    ASSERT_EQ(saved.Load(ProjectPaths[kPathChallengeSave]), 1);
    EXPECT_EQ(saved.m_nChallengeOpen, c.wantOpen);
    EXPECT_EQ(saved.m_Challenge[c.stage - 1].m_nSecond, c.wantBest);
  }
  {
    testsupport::BoxCapture boxes;
    const testsupport::ScopedWriteFault failing(0);
    SaveDataCur.m_nStage = 2;
    EXPECT_EQ(s.NextStage(), kSceneStageSelect);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"user_data\\challenge\\Challenge.dat の保存に失敗！"});
  }
  cSaveData saved;
  ASSERT_EQ(saved.Load(ProjectPaths[kPathChallengeSave]), 1);
  EXPECT_EQ(saved.m_Challenge[1].m_nFirst, 0);  // the file as the last good save left it
  SceneMgr.TitleChoice = savedChoice;
  SystemData.nChallengeStages = savedStages;
  platform::GameFolder().Forget();
}

}  // namespace

namespace {

// Button 1 held: the ranking display after an entry ends at its first frame.
class ButtonOneDown : public cInputSource {
 public:
  bool KeyDown(int key) override { return key == 'Z'; }
  int ReadJoystick(int, platform::JoyReading&) override { return 1; }
};

// A clear places the totals the mode and the stage keep; the entry, once, puts them in the
// tables under the fixed name, writes the stage's file and shows the ranking until button 1.
TEST(RankingEntryTest, AClearFindsItsPlacesAndTheEntryWritesThemOnce) {
  ButtonOneDown keys;
  SetInputSource(&keys);
  ActiveFlag.store(1);
  const int savedRate = SceneMgr.FrameRate;
  SceneMgr.FrameRate = 0;
  testsupport::TempFolder folder;
  folder.Write("user_data/free/.keep", "");
  const testsupport::ScopedCurrentFolder here(folder.path());
  WorldFixture world(kFlat);
  world.stage.RankFlags.assign(5, 1);
  world.Build();
  cScenePlay& s = world.Scene();
  const cVector<cSysModeEntry> savedModes = SystemData.ModeRanking;
  const cOptionData savedOptions = OptionData;
  const int savedMode = SceneMgr.PlayMode;
  const int savedEnabled = SceneMgr.RankingEnabled;
  SceneMgr.PlayMode = 2;
  SceneMgr.RankingEnabled = 1;
  SystemData.ModeRanking.assign(4, cSysModeEntry{});
  SystemData.ModeRanking[2].RankKinds = {1, 0, 1, 0, 0};  // score and clear time
  OptionData.m_nRankMode = kRankModeLeaveFixed;
  OptionData.m_strFixedName = "KES";
  DirectPlayFlag.store(1);
  SaveDataCur.Reset();
  SaveDataCur.m_strStageKey = "data\\stg4\\m.";
  SaveDataCur.m_nScore = 700;
  RankSet.Reset();
  RankSet.m_Tables[kRankScore].Insert("old", 900);
  RankSet.m_Tables[kRankClearTime].Insert("old", 100);
  s.OnStageClear();
  EXPECT_EQ(s.bRankQualified, 1);
  // 700 goes under 900; a clear time of 0 beats the old 100.
  EXPECT_EQ(s.RankPlaces, (cVector<std::int32_t>{1, -1, 0, -1, -1}));
  s.EnterRanking();
  s.EnterRanking();  // once a clear
  EXPECT_EQ(world.sounds.Count(16), 1);
  EXPECT_EQ(RankSet.m_Tables[kRankScore].m_Entries[1].m_strName, "KES");
  EXPECT_EQ(RankSet.m_Tables[kRankScore].m_Entries[1].m_nValue, 700);
  EXPECT_EQ(RankSet.m_Tables[kRankScore].m_Entries[2].m_bUsed, 0);
  cRankSet written;
  ASSERT_TRUE(LoadRankingFile(written, 2, "data\\stg4\\m."));
  EXPECT_EQ(written.m_Tables[kRankClearTime].m_Entries[0].m_strName, "KES");
  EXPECT_EQ(written.m_Tables[kRankClearTime].m_Entries[1].m_strName, "old");
  DirectPlayFlag.store(0);
  SystemData.ModeRanking = savedModes;
  OptionData = savedOptions;
  SceneMgr.PlayMode = savedMode;
  SceneMgr.RankingEnabled = savedEnabled;
  RankSet.Reset();
  EXPECT_EQ(world.sounds.Count(1), 1);  // the display left with button 1
  EXPECT_EQ(s.bButtonLatch, 1);
  SceneMgr.FrameRate = savedRate;
  ActiveFlag.store(0);
  SetInputSource(nullptr);
}

}  // namespace
