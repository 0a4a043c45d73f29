// The object base: visibility, range tests, wave motions, deceleration, aims and the screen
// clamps of auto-scrolling stages.
#include <gtest/gtest.h>

#include "data/stage_param.h"
#include "support/world_fixture.h"
#include "world/motion_helpers.h"

namespace {

using worldtest::WorldFixture;

std::vector<std::string> Wide() {
  std::vector<std::string> rows(15, std::string(60, '.'));
  rows[13][2] = 'H';
  rows[13][30] = 'e';
  rows[14] = std::string(60, '#');
  return rows;
}

class GameObjTest : public testing::Test {
 protected:
  GameObjTest() : world(Wide()) { world.Build(); }
  cChara& Walker() { return *world.Chara(1); }
  WorldFixture world;
};

TEST_F(GameObjTest, OutOfRangeBySideAndAtTheMapEdge) {
  cChara& c = Walker();
  const double sx = world.Scene().ScrollX.dPos;
  cStageParam p;
  p.Set(1, 0, 0, 0, 2, 0, 0, 0);  // left side, two blocks of margin
  c.bOnScreen = 0;
  c.x = sx - 64 - c.nWidth;
  c.right = sx - 64;
  EXPECT_TRUE(c.IsOutOfRange(p));
  c.right = sx - 63;
  c.x = c.right - c.nWidth + 1;
  EXPECT_FALSE(c.IsOutOfRange(p));
  c.bOnScreen = 1;
  c.x = 0;
  EXPECT_FALSE(c.IsOutOfRange(p));  // on screen: never
  c.bOnScreen = 0;
  EXPECT_TRUE(c.IsOutOfRange(cStageParam{}));  // x <= 0 with no side set
}

TEST_F(GameObjTest, OnScreenAndInStage) {
  cChara& c = Walker();
  EXPECT_FALSE(c.IsOnScreen());
  EXPECT_TRUE(c.IsOnScreenAxes(true, false));
  EXPECT_TRUE(c.IsOnScreenAxes(true, true));
  EXPECT_TRUE(c.IsInStage(false));
  c.x = 100;
  c.right = 115;
  EXPECT_FALSE(c.IsInStage(false));
  EXPECT_TRUE(c.IsInStage(true));
}

TEST(WaveTest, HorizontalAndVerticalWavesAndThePhaseWrap) {
  double phase = 0;
  EXPECT_DOUBLE_EQ(WaveVelocity(10, 90, phase, 1, 0, 1.0), 15.707963267948966);
  EXPECT_EQ(phase, 1);
  EXPECT_DOUBLE_EQ(WaveVelocityY(10, 90, phase, 1, 0, 1.0), -24.674011002723397);
  phase = 359;
  WaveVelocity(10, 90, phase, 1, 0, 1.0);
  EXPECT_EQ(phase, 0);
}

TEST(RangeTest, FrontAndBackExtents) {
  RangeTest r;
  r.ownPos = 100;
  r.ownSize = 32;
  r.otherStart = 150;
  r.otherEnd = 181;
  r.front = 20;
  EXPECT_TRUE(CheckRange(r, false));
  r.front = 10;
  EXPECT_FALSE(CheckRange(r, false));
  r.front = 0;
  r.wholeSpan = 1;  // the own span only: 100 .. 132
  EXPECT_FALSE(CheckRange(r, false));
  r.otherStart = 130;
  EXPECT_TRUE(CheckRange(r, false));
  r.depth = 5;  // must reach 5 into the other
  EXPECT_FALSE(CheckRange(r, false));
}

TEST_F(GameObjTest, DecelerationStopsAtZero) {
  cChara& c = Walker();
  c.dDecel = 0.3;
  double v = 0.5;
  c.Decelerate(v, 1);
  EXPECT_DOUBLE_EQ(v, 0.2);
  c.Decelerate(v, 1);
  EXPECT_EQ(v, 0);
  v = -0.1;
  c.Decelerate(v, 0);
  EXPECT_EQ(v, -0.1);
  c.Decelerate(v, 1);
  EXPECT_EQ(v, 0);
}

TEST_F(GameObjTest, AnAimThatArrivesSnapsToTheTarget) {
  cPlayer& hero = world.Hero();
  hero.UpdateScreenRect();
  MoveCommandState move;
  move.speed = 50;
  move.bStopAtTarget = 1;
  const int cx = hero.Rect.left + (hero.Rect.width >> 1);
  const int cy = hero.Rect.top + (hero.Rect.height >> 1);
  const double x = hero.x;
  hero.ApproachXY(move, -1, cx + 10, cy);
  EXPECT_EQ(move.vx, 0);  // snapped: the command's velocity is spent
  EXPECT_EQ(hero.x, x + 10);
  move.bStopAtTarget = 0;
  hero.UpdateScreenRect();
  hero.ApproachXY(move, -1, cx + 1000, cy);
  EXPECT_DOUBLE_EQ(move.vx, 50);
  EXPECT_EQ(move.direction, 2);
}

TEST(ScreenClampTest, AutoScrollingViewPushesAndCrushes) {
  WorldFixture world(Wide());
  world.stage.nScrollModeX = 1;
  world.stage.nAutoScrollX = 10;
  world.stage.nScrollModeY = 1;
  world.Build();
  cScenePlay& s = world.Scene();
  cChara& c = *world.Chara(1);
  c.x = s.ScrollX.dPos - 40;
  c.OnMovedX();
  s.ClampToScreenX(c);
  EXPECT_EQ(c.x, s.ScrollX.dPos);
  EXPECT_EQ(c.bContactL, 1);
  c.y = s.ScrollY.dPos + 470;
  c.OnMovedY();
  EXPECT_EQ(s.ClampToScreenY(c), 2);  // a walker pushed up by the lower edge is crushed
  EXPECT_EQ(c.bContactD, 1);
  c.SetFlightKind(2);
  c.y = s.ScrollY.dPos + 470;
  c.OnMovedY();
  EXPECT_EQ(s.ClampToScreenY(c), 0);
}

}  // namespace
