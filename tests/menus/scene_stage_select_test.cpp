// The stage select without a drawing library: the challenge stages' file names, the rows that
// are open, the page jump, a stage that does not load, and the row kept for the way back.
#include "menus/scene_stage_select.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/stage_fixture.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"
#include "support/box_capture.h"
#include "menu_frames.h"
#include "support/temp_folder.h"

namespace {

// A frame with the words down, then one with all let go.
constexpr auto& Frame = menutest::PressAndRelease;

enum : std::uint16_t { kRight = 2, kDown = 8 };

class SceneStageSelectTest : public testing::Test {
 protected:
  SceneStageSelectTest() : system_(SystemData) {
    here_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    CurrentVersion = kRecordVersion;
    saved_ = {SceneMgr.StageSelRow, SceneMgr.StageSelTop, SceneMgr.NextScene, SceneMgr.RankingEnabled};
    SceneMgr.StageSelRow = SceneMgr.StageSelTop = 0;
    SceneMgr.RankingEnabled = 0;
    SystemData.MenuMusic.assign(4, 0);
    SystemData.ModeRanking.assign(4, cSysModeEntry{});
    SystemData.StartLives.assign(4, 3);
    SystemData.InfiniteLives.assign(4, 0);
    SystemData.nChallengeStages = 40;
    SystemData.bChallengeAllOpen = 0;
    SaveDataCur.Reset();
    SaveDataCur.m_Challenge.assign(40, cData2Int{});
    PlayerInputs[0] = cInput();
  }
  ~SceneStageSelectTest() override {
    SystemData = system_;
    SceneMgr.StageSelRow = saved_[0];
    SceneMgr.StageSelTop = saved_[1];
    SceneMgr.NextScene = saved_[2];
    SceneMgr.RankingEnabled = saved_[3];
    PlayerInputs[0] = cInput();
    MenuCursor.Reset();
    here_.reset();
    platform::GameFolder().Forget();
  }

  testsupport::TempFolder folder_;

 private:
  std::optional<testsupport::ScopedCurrentFolder> here_;
  cSystemData system_;
  std::vector<std::int32_t> saved_;
};

TEST_F(SceneStageSelectTest, ChallengeStagesAreNamedWithAtLeastTwoDigits) {
  EXPECT_EQ(ChallengeStageFile(7), "data\\stg4\\c07-1.stg4");
  EXPECT_EQ(ChallengeStageFile(12), "data\\stg4\\c12-1.stg4");
  EXPECT_EQ(ChallengeStageFile(100), "data\\stg4\\c100-1.stg4");
}

TEST_F(SceneStageSelectTest, TheOpenStagesAreTheRowsAndRightJumpsAPage) {
  SaveDataCur.m_nChallengeOpen = 3;
  {
    cSceneStageSelect scene;
    Frame(scene, 0, 0);
    EXPECT_EQ(scene.RowCount(), 3);
    for (int i = 0; i < 3; ++i) Frame(scene, kDown, 0);
    EXPECT_EQ(MenuCursor.m_pCur->row, 2);  // the last open stage
    EXPECT_EQ(SaveDataCur.m_strStageKey, "data\\stg4\\c03.");  // the stage under the cursor
  }
  SystemData.bChallengeAllOpen = 1;
  cSceneStageSelect scene;
  Frame(scene, 0, 0);
  EXPECT_EQ(scene.RowCount(), 40);
  Frame(scene, kRight, 0);
  EXPECT_EQ(MenuCursor.m_pCur->row, 9);
  EXPECT_EQ(scene.Top(), 9);
  EXPECT_EQ(MenuCursor.m_pCur->y, 160);
}

TEST_F(SceneStageSelectTest, ADecidedStageIsPlayedAndItsRowIsWhereTheListComesBack) {
  SystemData.bChallengeAllOpen = 1;
  folder_.Write("data/stg4/c12-1.stg4_003", stagetest::StageFile(stagetest::StageRecipe()));
  SceneMgr.StageSelRow = 10;
  SceneMgr.StageSelTop = 5;
  {
    testsupport::BoxCapture boxes;
    cSceneStageSelect scene;
    Frame(scene, 0, 0);
    EXPECT_EQ(MenuCursor.m_pCur->row, 10);
    Frame(scene, 0, 1);  // stage 11 has no file
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"ステージファイル data\\stg4\\c11-1.stg4 が読み込めません！"});
    EXPECT_EQ(scene.m_nState, 1);
    Frame(scene, kDown, 0);
    Frame(scene, 0, 1);
    EXPECT_EQ(SceneMgr.NextScene, kScenePlay);
    EXPECT_EQ(SaveDataCur.m_nStage, 12);
    EXPECT_EQ(SaveDataCur.m_nLives, 2);
    EXPECT_EQ(SaveDataCur.m_strStageKey, "data\\stg4\\c12.");
  }
  EXPECT_EQ(SceneMgr.StageSelRow, 11);
  EXPECT_EQ(SceneMgr.StageSelTop, 5);
  cSceneStageSelect back;
  Frame(back, 0, 0);
  EXPECT_EQ(MenuCursor.m_pCur->row, 11);
  EXPECT_EQ(back.Top(), 5);
  EXPECT_EQ(MenuCursor.m_pCur->y, 160 + 32 * 6);
}

}  // namespace
