// Characters against the block map on tiny stages.
#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace {

using worldtest::BlockFor;
using worldtest::WorldFixture;

std::vector<std::string> Open(int w, int h) {
  std::vector<std::string> rows(h, std::string(w, '.'));
  rows[0][0] = 'H';
  return rows;
}

// Places character c with its box at (x, y) and its extents and cells refreshed.
void Put(cCharaBase& c, double x, double y) {
  c.x = x;
  c.y = y;
  c.right = x + c.nWidth - 1;
  c.bottom = y + c.nHeight - 1;
  c.RecomputeCellsX();
  c.RecomputeCellsY();
}

class BlockCollisionTest : public testing::Test {
 protected:
  BlockCollisionTest() : world(Open(20, 14)) {
    world.rows[5][5] = 'e';
    world.Build();
    walker = world.Chara(1);
  }
  void Solid(int mapColumn, int mapRow, char kind = '#') {
    world.Scene().BlockMap.Put(world.Scene().CellIndex(mapColumn, mapRow), BlockFor(kind));
  }
  WorldFixture world;
  cChara* walker = nullptr;
};

TEST_F(BlockCollisionTest, LandingPutsTheBottomOnTheLastRowAboveTheFloor) {
  ASSERT_NE(walker, nullptr);
  for (const double bottom : {127.0, 96.0}) {
    Put(*walker, 400, bottom - walker->nHeight + 1);
    walker->Land();
    EXPECT_EQ(walker->bottom, 95.0) << bottom;
    EXPECT_EQ(walker->bContactD, 1);
  }
  EXPECT_GE(world.flows.Count(walker->nNumber, 15), 2);
}

TEST_F(BlockCollisionTest, WallsSnapToTheCellBoundary) {
  for (int row = 0; row < 4; ++row) Solid(2, row);
  for (const double rightEdge : {64.0, 94.0}) {
    Put(*walker, rightEdge - walker->nWidth + 1, 40);
    walker->vx = 1;
    EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
    EXPECT_EQ(walker->right, 63.0) << rightEdge;
    EXPECT_EQ(walker->bContactR, 1);
    EXPECT_EQ(walker->nWallSide, 1);
  }
  Put(*walker, 95.5, 40);
  walker->vx = -1;
  walker->ax = -0.5;
  EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
  EXPECT_EQ(walker->x, 96.5);
  EXPECT_EQ(walker->ax, 0);
  EXPECT_EQ(walker->vx, -1);  // the speed stays
  EXPECT_EQ(world.flows.Count(walker->nNumber, 11), 1);
}

TEST_F(BlockCollisionTest, KindTwoKillsThePlayerAndWallsTheComputer) {
  for (int row = 0; row < 4; ++row) Solid(2, row, 'X');
  Put(*walker, 64 - walker->nWidth + 1, 40);
  walker->vx = 1;
  EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
  EXPECT_EQ(walker->right, 63.0);
  cPlayer& hero = world.Hero();
  Put(hero, 64 - hero.nWidth + 1, 40);
  hero.vx = 1;
  EXPECT_EQ(world.Scene().CollideBlocksX(hero), 2);
}

TEST_F(BlockCollisionTest, KindsAboveTwoActAsSolid) {
  for (const int kind : {5, 200}) {
    for (int row = 0; row < 4; ++row) {
      cEdBlock block = BlockFor('#');
      block.nHitKind = static_cast<std::uint8_t>(kind);
      world.Scene().BlockMap.Put(world.Scene().CellIndex(2, row), block);
    }
    Put(*walker, 64 - walker->nWidth + 1, 40);
    walker->vx = 1;
    EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
    EXPECT_EQ(walker->right, 63.0) << kind;
    cPlayer& hero = world.Hero();
    Put(hero, 64 - hero.nWidth + 1, 40);
    hero.vx = 1;
    EXPECT_EQ(world.Scene().CollideBlocksX(hero), 0) << kind;  // not deadly for the player
  }
}

TEST_F(BlockCollisionTest, FlyerModes) {
  for (int row = 0; row < 4; ++row) Solid(2, row);
  walker->SetFlightKind(1);  // passes blocks
  Put(*walker, 70, 40);
  EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
  EXPECT_EQ(walker->x, 70);
  EXPECT_FALSE(world.Scene().IsBlocked(*walker));
  walker->SetFlightKind(3);  // dies on a solid cell
  EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 2);
  EXPECT_TRUE(world.Scene().IsBlocked(*walker));
  walker->SetFlightKind(2);  // collides, the right wall first whatever the speed
  Put(*walker, 64 - walker->nWidth + 1, 40);
  walker->vx = -1;
  EXPECT_EQ(world.Scene().CollideBlocksX(*walker), 0);
  EXPECT_EQ(walker->right, 63.0);
}

TEST_F(BlockCollisionTest, RisingThroughAFloorLandsOnlyUnderTheLegacySwitch) {
  for (int col = 10; col < 14; ++col) Solid(col, 3);
  Put(*walker, 330, 96 + 10 - walker->nHeight);
  walker->vy = -2;
  world.Scene().CollideBlocksY(*walker);
  EXPECT_EQ(walker->bContactD, 0);
  SystemData.bLegacy677 = 1;
  Put(*walker, 330, 96 + 10 - walker->nHeight);
  walker->vy = -2;
  world.Scene().CollideBlocksY(*walker);
  EXPECT_EQ(walker->bContactD, 1);
  EXPECT_EQ(walker->bottom, 95.0);
}

TEST_F(BlockCollisionTest, EdgeProbesOfAScaledCharacter) {
  // Scale 2: the left edge is probed at y, y + 31 and y + 62 (base height 32).
  walker->Def.nGiant = 2;
  walker->nBaseHeight = 32;
  Solid(2, 3);
  Put(*walker, 70, 40);
  walker->nHeight = 64;
  walker->bottom = walker->y + 63;
  EXPECT_EQ(world.Scene().PickEdgeCell(*walker, 70, 40, 70, 103), world.Scene().CellIndex(2, 3));
  // A horizontal edge of equal cells takes the one nearest the middle, the leftmost on a tie.
  EXPECT_EQ(world.Scene().PickEdgeCell(*walker, 0, 200, 62, 200), world.Scene().CellIndex(0, 6));
}

// Each frame sets the walker's speed, as a walking flow would.
void Walk(WorldFixture& world, int number, double perFrame) {
  world.flows.scripts[number] = [&world, perFrame](cCharaBase& c, int) {
    c.vx = perFrame / world.Scene().Units.dSubSteps;
    return 0;
  };
}

class LedgeTest : public testing::TestWithParam<int> {};

TEST_P(LedgeTest, AWalkerOffALedgeFallsAfterEightFramesAndDiesWhenItFallsOut) {
  WorldFixture world({"H.........", "e.........", "##........"}, GetParam());
  world.Build();
  const int b = world.Scene().Units.subSteps;
  ASSERT_EQ(b, GetParam() <= 10 ? GetParam() : GetParam() - 10);
  Walk(world, 1, 2);
  cChara* walker = world.Chara(1);
  ASSERT_NE(walker, nullptr);
  EXPECT_EQ(walker->bFalling, 1);  // set-up leaves it falling until it lands
  world.Step(3);
  EXPECT_EQ(walker->bFalling, 0);
  int frames = 0;
  while (walker->nNoGround == 0 && frames < 100) {
    world.Step(1);
    ++frames;
  }
  ASSERT_LT(frames, 100);
  // Walk sub-step by sub-step from here: falling exactly when 8 b sub-steps found no ground.
  while (walker->bFalling == 0) {
    ASSERT_LT(walker->nNoGround, 8 * b);
    world.Step(1);
  }
  EXPECT_GE(walker->nNoGround, 8 * b);
  EXPECT_LT(walker->nNoGround, 9 * b);
  EXPECT_EQ(world.sounds.Count(kSoundCharaDown), 0);
  world.Step(300);
  EXPECT_EQ(world.Chara(1), nullptr);
  EXPECT_EQ(world.sounds.Count(kSoundCharaDown), 1);
  EXPECT_EQ(world.flows.Count(1, 3), 1);  // it died
  EXPECT_TRUE(world.Scene().CharaGroups[1].empty());
}

INSTANTIATE_TEST_SUITE_P(SubSteps, LedgeTest, testing::Values(1, 10));

TEST(DefeatedCharaTest, WithTheKeepSwitchAFallenCharacterStaysUntilItAsksToGo) {
  WorldFixture world({"H.........", "e.........", "##........"});
  SystemData.bDefeatSound = 1;
  world.Build();
  Walk(world, 1, 2);
  world.Step(300);
  cChara* walker = world.Chara(1);
  ASSERT_NE(walker, nullptr);
  EXPECT_EQ(walker->bDead, 1);
  walker->bKillRequest = 1;
  EXPECT_EQ(world.Scene().CheckHeroHp(), 0);
  EXPECT_EQ(world.Chara(1), nullptr);
}

}  // namespace
