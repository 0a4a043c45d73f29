// The world map's view with a drawing library: drawn into its surface only when the hero's step
// moves it, not on a frame without a step nor on a step a wall refuses.
#include <gtest/gtest.h>

#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "gfx/dd_surface.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "input/menu_cursor.h"
#include "menus/scene_world_map.h"
#include "small_world_map.h"

namespace {

class WorldMapViewTest : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(InitWithPalette(gfxtest::Mode{"DD32", 0, 32, 1}));
    ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[67], 640, 480, 0, 0, 0, 0, 0));
    savedMap_ = WorldMap;
    savedSystem_ = SystemData;
    SystemData.MenuMusic.assign(4, 0);
    menutest::UseSmallWorldMap(5, 3);
    SaveDataCur.Reset();
    SaveDataCur.m_nMapX = 4;
    SaveDataCur.m_nMapY = 3;
  }
  void TearDown() override {
    DDReleaseSurface(&SurfaceRecords[67]);
    WorldMap = savedMap_;
    SystemData = savedSystem_;
    MenuCursor.Reset();
    LibraryTest::TearDown();
  }

 private:
  cWorldMap savedMap_;
  cSystemData savedSystem_;
};

TEST_F(WorldMapViewTest, TheViewIsDrawnAgainOnlyWhenTheHeroMovesIt) {
  cSceneWorldMap map;
  long draws = MapViewDraws();
  map.Run();  // the start draws the view once
  EXPECT_EQ(MapViewDraws(), draws + 1);
  draws = MapViewDraws();
  map.MoveHero(0);  // no step
  EXPECT_EQ(MapViewDraws(), draws);
  map.MoveHero(2);  // into the wall at (5, 3)
  EXPECT_EQ(MapViewDraws(), draws);
  EXPECT_EQ(MenuCursor.m_pCur->column, 4);
  map.MoveHero(8);  // down: the view moves with the hero
  EXPECT_EQ(MapViewDraws(), draws + 1);
  map.MoveHero(8);
  map.MoveHero(4);
  EXPECT_EQ(MapViewDraws(), draws + 3);
  map.MoveHero(0);
  EXPECT_EQ(MapViewDraws(), draws + 3);
}

}  // namespace
