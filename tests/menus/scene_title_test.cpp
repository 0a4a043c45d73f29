// The title scene without a drawing library: its rows from the enabled title entries, where its
// cursor starts, what each entry leads to, the continue list, the menu image's size and place,
// and a new game's progress.
#include "menus/scene_title.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "menu_frames.h"
#include "support/temp_folder.h"

namespace {

// One frame with the words down; nothing held after it.
constexpr auto& Frame = menutest::PressFrame;

const char* const kLabels[] = {"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"};

class SceneTitleTest : public testing::Test {
 protected:
  SceneTitleTest() : here_(folder_.path()), system_(SystemData), map_(WorldMap) {
    platform::GameFolder().Forget();
    saved_ = {SceneMgr.TitleChoice, SceneMgr.PlayMode, SceneMgr.NextScene, SceneMgr.CurrentScene};
    SystemData.TitleMenu.clear();
    for (const char* label : kLabels) SystemData.TitleMenu.push_back(cSysNamedEntry(1, label));
    SystemData.ModeRanking.assign(4, cSysModeEntry{});
    SystemData.StartLives.assign(4, 3);
    SystemData.InfiniteLives.assign(4, 0);
    SystemData.MenuMusic.assign(4, 0);
    SystemData.nChallengeStages = 2;
    SceneMgr.TitleChoice = 0;
    PlayerInputs[0] = cInput();
  }
  ~SceneTitleTest() override {
    SystemData = system_;
    WorldMap = map_;
    SceneMgr.TitleChoice = saved_[0];
    SceneMgr.PlayMode = saved_[1];
    SceneMgr.NextScene = saved_[2];
    SceneMgr.CurrentScene = saved_[3];
    PlayerInputs[0] = cInput();
    MenuCursor.Reset();
    platform::GameFolder().Forget();
  }
  // Every title entry on but those listed.
  static void Enable(const std::vector<int>& disabled) {
    for (cSysNamedEntry& entry : SystemData.TitleMenu) entry.bEnabled = 1;
    for (int entry : disabled) SystemData.TitleMenu[entry].bEnabled = 0;
  }

  testsupport::TempFolder folder_;

 private:
  testsupport::ScopedCurrentFolder here_;
  cSystemData system_;
  cWorldMap map_;
  std::vector<std::int32_t> saved_;
};

TEST_F(SceneTitleTest, TheRowsAreTheEnabledEntriesAndTheFirstRowActsByItsEntry) {
  struct Case {
    std::vector<int> disabled;
    std::vector<int> rows;
  };
  const Case cases[] = {{{}, {0, 1, 2, 3, 4, 5, 6}}, {{0, 1, 3}, {2, 4, 5, 6}}, {{0, 1, 2, 3, 4, 5, 6}, {0}}};
  for (const Case& c : cases) {
    Enable(c.disabled);
    cSceneTitle title;
    Frame(title, 0, 0);  // the start and the fade-in
    EXPECT_EQ(title.Rows(), c.rows);
    Enable({});
  }
  // With entries 0, 1 and 3 off, the first row opens the challenges, from scratch when there
  // is no challenge file.
  Enable({0, 1, 3});
  cSceneTitle title;
  Frame(title, 0, 0);
  SaveDataCur.m_nLives = 55;
  Frame(title, 0, 1);
  EXPECT_EQ(SceneMgr.TitleChoice, 2);
  EXPECT_EQ(SceneMgr.PlayMode, 1);
  EXPECT_EQ(SceneMgr.NextScene, kSceneStageSelect);
  EXPECT_EQ(SaveDataCur.m_Challenge.size(), 2u);
  EXPECT_EQ(SaveDataCur.m_nLives, 0);
  Frame(title, 0, 0);  // the fade-out, at once without a drawing library
  EXPECT_EQ(SceneMgr.CurrentScene, kSceneStageSelect);
}

TEST_F(SceneTitleTest, TheCursorStartsOnTheLastChoiceOrOnItsRowNumberWrapped) {
  struct Case {
    std::vector<int> disabled;
    int choice;
    int row;
  };
  const Case cases[] = {
      {{}, 5, 5},         // back from the options: on the options row
      {{1, 3}, 5, 3},     // its row is the fourth of five
      {{6}, 5, 5},        // the options are the last of six rows
      {{5, 6}, 5, 0},     // not shown, and past the last row: the first
      {{2}, 2, 2},        // not shown: row 2 as it stands, now "free"
  };
  for (const Case& c : cases) {
    Enable(c.disabled);
    SceneMgr.TitleChoice = c.choice;
    cSceneTitle title;
    Frame(title, 0, 0);
    Frame(title, 0, 0);
    EXPECT_EQ(MenuCursor.m_pCur->row, c.row) << c.choice;
    EXPECT_EQ(MenuCursor.m_pCur->y, 240 + 32 * c.row) << c.choice;
    Enable({});
  }
}

TEST_F(SceneTitleTest, ContinueRefusesEmptySlotsAndCancelGoesBackToItsRow) {
  cSceneTitle title;
  Frame(title, 0, 0);
  Frame(title, 8, 0);  // down to "continue"
  Frame(title, 0, 1);
  ASSERT_EQ(MenuCursor.m_Stack.size(), 2u);
  for (int frame = 0; frame < 3; ++frame) Frame(title, 0, frame == 1 ? 1 : 0);
  EXPECT_EQ(title.m_nState, 2);  // every slot empty: still in the list
  // Ninety-nine slots, ten shown: right jumps by nine rows.
  Frame(title, 2, 0);
  EXPECT_EQ(MenuCursor.m_pCur->row, 9);
  Frame(title, 0, 2);
  EXPECT_EQ(title.m_nState, 1);
  EXPECT_EQ(MenuCursor.m_pCur->row, 1);
  EXPECT_EQ(MenuCursor.m_Stack.size(), 1u);
}

TEST_F(SceneTitleTest, TheMenuImageIsCentredOrSizedToTheLongestLabel) {
  const std::vector<std::string> labels(std::begin(kLabels), std::end(kLabels));
  const TitleMenuLayout image = TitleMenuGeometry(true, 256, labels);
  EXPECT_EQ(image.x, 160);
  EXPECT_EQ(image.width, 288);
  EXPECT_EQ(image.height, 7 * 32 + 2);
  const TitleMenuLayout text = TitleMenuGeometry(false, 256, labels);
  EXPECT_EQ(text.x, 192);
  EXPECT_EQ(text.y, 240);
  EXPECT_EQ(text.width, 32 * 6 + 34);  // しゅうりょう: six characters
}

TEST_F(SceneTitleTest, ANewGameStandsOnTheStartCellWithTheStoryLives) {
  WorldMap.nStartX = 3;
  WorldMap.nStartY = 4;
  SaveDataCur.m_nLap = 5;
  SaveDataCur.m_Vars[2] = 9;
  NewGameReset();
  EXPECT_EQ(SaveDataCur.m_nMapX, 3);
  EXPECT_EQ(SaveDataCur.m_nMapY, 4);
  EXPECT_EQ(SaveDataCur.m_nLap, 0);
  EXPECT_EQ(SaveDataCur.m_Vars[2], 0);
  EXPECT_EQ(SaveDataCur.m_nEntryLives, 3);
  EXPECT_EQ(SaveDataCur.m_nLives, 2);
  SystemData.InfiniteLives[0] = 1;
  NewGameReset();
  EXPECT_EQ(SaveDataCur.m_nEntryLives, kUnlimitedLives);
  EXPECT_EQ(SaveDataCur.m_nLives, kUnlimitedLives);
}

}  // namespace
