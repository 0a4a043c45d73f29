// The world map without a drawing library: which event of a point is in effect, what blocks the
// hero, the view's origin, the lives box, and when a stage opens by itself, waits for a question
// or lets the hero step back.
#include "menus/scene_world_map.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/stage_fixture.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"
#include "menu_frames.h"
#include "small_world_map.h"
#include "support/temp_folder.h"

namespace {

// One frame with the words down; nothing held after it.
constexpr auto& Frame = menutest::PressFrame;

enum : std::uint16_t { kLeft = 1, kRight = 2, kUp = 4, kDown = 8 };
enum : int { kStateMove = 1, kStateConfirm = 2, kStateExit = 3 };

cMapEvent Event(int kind, int stage) {
  cMapEvent event;
  event.nKind = kind;
  event.nStage = stage;
  event.strStageFile = "data\\stg4\\s1.stg4";
  event.strStageTitle = "One";
  return event;
}

class SceneWorldMapTest : public testing::Test {
 protected:
  SceneWorldMapTest() : system_(SystemData), map_(WorldMap) {
    here_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    CurrentVersion = kRecordVersion;
    saved_ = {SceneMgr.NextScene, SceneMgr.CurrentScene, SceneMgr.PreviousScene, SceneMgr.RankingEnabled};
    SceneMgr.RankingEnabled = 0;
    SystemData.MenuMusic.assign(4, 0);
    SystemData.ModeRanking.assign(4, cSysModeEntry{});
    SystemData.StartLives.assign(4, 3);
    SystemData.InfiniteLives.assign(4, 0);
    SystemData.bCarryLives = 0;
    menutest::UseSmallWorldMap(5, 5);
    SaveDataCur.Reset();
    PlayerInputs[0] = cInput();
  }
  ~SceneWorldMapTest() override {
    SystemData = system_;
    WorldMap = map_;
    SceneMgr.NextScene = saved_[0];
    SceneMgr.CurrentScene = saved_[1];
    SceneMgr.PreviousScene = saved_[2];
    SceneMgr.RankingEnabled = saved_[3];
    PlayerInputs[0] = cInput();
    MenuCursor.Reset();
    here_.reset();
    platform::GameFolder().Forget();
  }
  cMapPoint& AddPoint(int x, int y, std::vector<cMapEvent> events) {
    cMapPoint point;
    point.nX = x;
    point.nY = y;
    point.Events.assign(events.begin(), events.end());
    WorldMap.Points.push_back(point);
    return WorldMap.Points.back();
  }
  // The scene started with the hero at (x, y), after `previous`.
  void Start(cSceneWorldMap& scene, int x, int y, int previous) {
    SaveDataCur.m_nMapX = x;
    SaveDataCur.m_nMapY = y;
    SceneMgr.PreviousScene = previous;
    Frame(scene, 0, 0);  // the start and the fade-in, at once without a drawing library
  }

  testsupport::TempFolder folder_;

 private:
  std::optional<testsupport::ScopedCurrentFolder> here_;
  cSystemData system_;
  cWorldMap map_;
  std::vector<std::int32_t> saved_;
};

TEST_F(SceneWorldMapTest, TheFirstEventWhoseConditionsHoldIsInEffect) {
  cMapEvent needsStage3 = Event(0, 1);
  needsStage3.nNeedStage = 3;
  cMapEvent plain = Event(1, 2);
  cMapPoint& point = AddPoint(1, 1, {needsStage3, plain});
  EXPECT_EQ(SelectEvent(&point), &point.Events[1]);
  SaveDataCur.m_StageCleared[3] = 1;
  EXPECT_EQ(SelectEvent(&point), &point.Events[0]);
  EXPECT_EQ(SelectEvent(nullptr), nullptr);

  struct Case {
    int op;
    std::int32_t v, k;
    bool passes;
  };
  const Case cases[] = {
      {0, 4, 4, true},  {1, 4, 4, false}, {2, 4, 5, false}, {3, 4, 5, true}, {4, 5, 4, true},
      {5, 5, 4, false}, {6, 7, 0, true},  {6, -6, 3, true}, {6, 7, 3, false}, {7, 7, 0, false},
      {7, -6, 3, false}, {7, 7, 3, true}, {8, 0, 0, false},
  };
  for (const Case& c : cases) {
    cMapEvent event = Event(0, 1);
    event.nVarNo = 9;
    event.nVarOp = c.op;
    event.nVarValue = c.k;
    SaveDataCur.m_Vars[9] = c.v;
    cMapPoint one;
    one.Events.assign(1, event);
    EXPECT_EQ(SelectEvent(&one) != nullptr, c.passes) << c.op << " " << c.v << " " << c.k;
  }
  cMapEvent rich = Event(0, 1);
  rich.nNeedTotal = 100;
  cMapPoint one;
  one.Events.assign(1, rich);
  SaveDataCur.m_nClearSum = 99;
  EXPECT_EQ(SelectEvent(&one), nullptr);
  SaveDataCur.m_nClearSum = 100;
  EXPECT_NE(SelectEvent(&one), nullptr);
}

TEST_F(SceneWorldMapTest, WallsAndWallEventsBlockAndOtherEventsOpenAWall) {
  AddPoint(4, 2, {Event(2, 1)});  // a wall's event on open ground
  AddPoint(5, 5, {Event(1, 1)});  // a road over the wall tile
  cSceneWorldMap scene;
  Start(scene, 3, 2, kSceneTitle);
  EXPECT_EQ(scene.ViewX(), -6);
  EXPECT_EQ(scene.ViewY(), -5);
  struct Step {
    int fromX, fromY;
    std::uint16_t dir;
    int toX, toY, facing;
  };
  const Step steps[] = {
      {3, 2, kRight, 3, 2, 3},         // the wall's event
      {5, 4, kDown, 5, 5, 0},          // the road over the wall tile
      {6, 5, kLeft, 5, 5, 2},
      {0, 0, kLeft, 0, 0, 2},          // the map's left edge
      {9, 3, kRight, 9, 3, 3},         // its right edge
      {2, 2, kLeft | kUp, 1, 2, 2},    // left wins
  };
  for (const Step& s : steps) {
    MenuCursor.m_pCur->column = s.fromX;
    MenuCursor.m_pCur->row = s.fromY;
    scene.MoveHero(s.dir);
    EXPECT_EQ(MenuCursor.m_pCur->column, s.toX) << s.fromX << "," << s.fromY;
    EXPECT_EQ(MenuCursor.m_pCur->row, s.toY) << s.fromX << "," << s.fromY;
    EXPECT_EQ(scene.Facing(), s.facing) << s.fromX << "," << s.fromY;
    EXPECT_EQ(MenuCursor.m_pCur->x, 288);
    EXPECT_EQ(MenuCursor.m_pCur->y, 224);
  }
  // A wall tile with no event in effect blocks.
  WorldMap.Points.pop_back();
  MenuCursor.m_pCur->column = 5;
  MenuCursor.m_pCur->row = 4;
  scene.MoveHero(kDown);
  EXPECT_EQ(MenuCursor.m_pCur->row, 4);
}

TEST_F(SceneWorldMapTest, TheLivesBoxFitsTheDigits) {
  struct Case {
    std::int32_t lives;
    int x, width;
  };
  const Case cases[] = {{7, 589, 32}, {123, 557, 64}, {kUnlimitedLives, 589, 32}};
  for (const Case& c : cases) {
    const LivesBox box = LivesBoxOf(c.lives);
    EXPECT_EQ(box.x, c.x) << c.lives;
    EXPECT_EQ(box.width, c.width) << c.lives;
  }
}

TEST_F(SceneWorldMapTest, AStageOpensByItselfUnlessTheMenuOrAGiveUpCameBefore) {
  folder_.Write("data/stg4/s1.stg4_004", stagetest::StageFile(stagetest::StageRecipe()));
  const cMapPoint& point = AddPoint(3, 3, {Event(0, 7)});
  {
    cSceneWorldMap scene;
    Start(scene, 3, 3, kScenePlay);
    EXPECT_EQ(scene.m_nState, kStateExit);
    EXPECT_EQ(SceneMgr.NextScene, kScenePlay);
    EXPECT_EQ(SaveDataCur.m_nStage, 7);
    EXPECT_EQ(SaveDataCur.m_pMapPoint, &point.Events[0]);
    EXPECT_EQ(SaveDataCur.m_nEntryLives, 3);
    EXPECT_EQ(SaveDataCur.m_strStageKey, "data\\stg4\\s1.");
  }
  {
    // Back from the menu: no entry at once, but the question opens as soon as play moves on.
    cSceneWorldMap scene;
    Start(scene, 3, 3, kSceneWorldMenu);
    EXPECT_EQ(scene.m_nState, kStateMove);
    Frame(scene, 0, 0);
    EXPECT_EQ(scene.m_nState, kStateConfirm);
  }
  {
    // Given up in the stage: back on the cell the hero came from.
    SaveDataCur.m_bMapStepBack = 1;
    SaveDataCur.m_nMapPrevX = 2;
    SaveDataCur.m_nMapPrevY = 3;
    cSceneWorldMap scene;
    Start(scene, 3, 3, kScenePlay);
    EXPECT_EQ(scene.m_nState, kStateMove);
    EXPECT_EQ(SaveDataCur.m_bMapStepBack, 0);
    EXPECT_EQ(MenuCursor.m_pCur->column, 2);
    // Walking on: the question opens by itself, opening on "no"; No sends the hero back.
    Frame(scene, kRight, 0);
    EXPECT_EQ(scene.m_nState, kStateConfirm);
    Frame(scene, 0, 0);
    EXPECT_EQ(MenuCursor.m_pCur->row, 1);
    Frame(scene, 0, 1);
    EXPECT_EQ(scene.m_nState, kStateMove);
    EXPECT_EQ(MenuCursor.m_pCur->column, 2);
    EXPECT_EQ(MenuCursor.m_Stack.size(), 1u);
  }
  {
    // A cleared stage waits for the decide button and the hero stays on it after No.
    SaveDataCur.m_StageCleared[7] = 1;
    WorldMap.Points.back().Events[0].bReplayable = 1;
    cSceneWorldMap scene;
    Start(scene, 3, 3, kScenePlay);
    Frame(scene, 0, 0);
    EXPECT_EQ(scene.m_nState, kStateMove);
    Frame(scene, 0, 1);
    EXPECT_EQ(scene.m_nState, kStateConfirm);
    Frame(scene, 0, 0);  // the buttons let go: the question asks
    Frame(scene, 0, 2);
    EXPECT_EQ(scene.m_nState, kStateMove);
    EXPECT_EQ(MenuCursor.m_pCur->column, 3);
  }
}

}  // namespace
