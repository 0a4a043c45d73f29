// An attempt at the sample game's first stage, recorded as it is played, saved as a replay file
// and played back from that file as the title's replay entry plays one: the same frames
// whatever is pressed meanwhile, again from the start once the recording is over, and another
// course with another seed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/scene_manager.h"
#include "data/data_read_context.h"
#include "data/play_stage_file.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/replay.h"
#include "sample_game_folder.h"
#include "support/loaded_project.h"
#include "support/play_frames.h"
#include "world/scene_play.h"

namespace {

using testsupport::AllKeys;
using testsupport::PlayFrames;

constexpr int kFrames = 900;
constexpr const char* kReplayPath = "user_data\\rpl4\\Meadow_00.rpl4_750";

class ReplayFilePlayTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { game_ = new apptest::SampleGameFolder; }
  static void TearDownTestSuite() {
    delete game_;
    game_ = nullptr;
  }

  ReplayFilePlayTest() : project_(game_->path()) {
    saved_ = {SceneMgr.TitleChoice, SceneMgr.PlayMode, SystemData.bRecordReplay};
    std::filesystem::create_directories(game_->path() / "user_data" / "rpl4");
  }
  ~ReplayFilePlayTest() override {
    SceneMgr.TitleChoice = saved_[0];
    SceneMgr.PlayMode = saved_[1];
    SystemData.bRecordReplay = saved_[2];
    Replay0.Clear();
    Replay1.Clear();
    StageFilePath.clear();
    PlayerInputs[0] = cInput();
  }

  // Free play of Meadow Run with replays recorded.
  void LoadMeadow() {
    ASSERT_TRUE(project_.ok());
    SystemData.bRecordReplay = 1;
    SceneMgr.TitleChoice = 3;
    SceneMgr.PlayMode = 2;
    ASSERT_EQ(PlayStageFile("data\\stg4\\Meadow.stg4_000", 0), 1);
  }

  static inline apptest::SampleGameFolder* game_ = nullptr;
  testsupport::LoadedProject project_;

 private:
  std::vector<std::int32_t> saved_;
};

// Right all along, jumping now and then, shooting every so often.
std::uint16_t Right(int) { return 2; }
std::uint16_t JumpAndShoot(int f) { return static_cast<std::uint16_t>((f % 45 < 15 ? 1 : 0) | (f % 30 == 0 ? 2 : 0)); }

TEST_F(ReplayFilePlayTest, TheSavedAttemptPlaysBackFrameForFrameAndAgainFromItsStart) {
  LoadMeadow();
  cScenePlay scene(StageCur);
  scene.SetStage(0, 1);
  const std::vector<std::uint64_t> recorded = PlayFrames(scene, kFrames, Right, JumpAndShoot);
  ASSERT_GT(recorded.size(), 300u);
  ASSERT_EQ(Replay0.WriteFile(kReplayPath, StageCur, StageStart, SaveDataRpl0), 1);
  const std::int32_t seed = Replay0.m_nSeed;

  // The title loads the file; what play changed meanwhile is all replaced by it.
  SaveDataCur.m_nLives = 1234;
  SaveDataCur.m_Vars[0] = 77;
  Replay0.Clear();
  SceneMgr.TitleChoice = kTitleChoiceReplay;
  SceneMgr.PlayMode = 3;
  StageFilePath = kReplayPath;
  scene.SetStage(1, 1);
  EXPECT_EQ(scene.nSeed, static_cast<std::uint32_t>(seed));
  EXPECT_EQ(SaveDataCur.m_Vars[0], 0);
  EXPECT_EQ(PlayFrames(scene, kFrames + 1, AllKeys, AllKeys), recorded);
  EXPECT_EQ(scene.m_nState, kPlayReady);  // the recording is over: the stage began again
  EXPECT_EQ(PlayFrames(scene, kFrames + 1, AllKeys, AllKeys), recorded);

  // The same words with the seed one off: the frog rolls other dice.
  cReplay other;
  cStageData stage;
  cStageData start;
  cSaveData progress;
  ASSERT_EQ(other.ReadFile(kReplayPath, stage, start, progress), 1);
  other.m_nSeed = seed + 1;
  ASSERT_EQ(other.WriteFile("user_data\\rpl4\\Meadow_01.rpl4_750", stage, start, progress), 1);
  StageFilePath = "user_data\\rpl4\\Meadow_01.rpl4_750";
  scene.SetStage(1, 1);
  EXPECT_NE(PlayFrames(scene, kFrames + 1, AllKeys, AllKeys), recorded);
}

}  // namespace
