// Block characters as platforms and walls for a walking character.
#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace {

using worldtest::BlockFor;
using worldtest::WorldFixture;

void Put(cCharaBase& c, double x, double y) {
  c.x = x;
  c.y = y;
  c.OnMovedX();
  c.OnMovedY();
  c.SavePosition();
}

// The hero far away, a walker (number 1) and two block characters (2 and 3) placed by hand.
class PlatformTest : public testing::Test {
 protected:
  explicit PlatformTest(int hitLevel = 1)
      : world({"H.........", "..........", "..........", "..e.BB....", "..........", ".........."}, hitLevel) {
    world.Build();
    s = &world.Scene();
    walker = world.Chara(1);
    p1 = world.Chara(2);
    p2 = world.Chara(3);
  }
  WorldFixture world;
  cScenePlay* s = nullptr;
  cChara* walker = nullptr;
  cChara* p1 = nullptr;
  cChara* p2 = nullptr;
};

TEST_F(PlatformTest, AWalkerLandsOnAPlatformRidesAndIsCarried) {
  // A walker on the cell above platform 2, platform 3 out of the way.
  Put(*walker, p1->x + 8, p1->y - 40);
  Put(*p2, p1->x + 200, p1->y);
  world.Step(20);
  EXPECT_EQ(walker->bRiding, 1);
  EXPECT_EQ(walker->nRidden, 2);
  EXPECT_EQ(walker->bottom, p1->y - 1);
  EXPECT_GE(world.flows.Count(2, 17), 1);
  EXPECT_EQ(world.flows.Count(2, 16), 0);  // ridden by the hero only
  EXPECT_GE(world.flows.Count(1, 6), 1);
  // The platform moves right by 1 a frame; the rider follows.
  world.flows.scripts[2] = [](cCharaBase& c, int) {
    c.vx = 1;
    return 0;
  };
  const double before = walker->x;
  world.Step(10);
  EXPECT_NEAR(walker->x - before, 10, 1.0);
  EXPECT_EQ(walker->bRiding, 1);
}

TEST_F(PlatformTest, ARiderStaysWhileThePlatformIsWithinFivePixelsBelowItsFeet) {
  Put(*p2, p1->x + 200, p1->y);
  // The rider's bottom row is the platform's top less 1: a drop of 4 leaves the top on the
  // fifth row below, the last the band covers.
  for (const int drop : {4, 5}) {
    Put(*walker, p1->x + 8, p1->y - walker->nHeight);
    walker->bRiding = 1;
    walker->nRidden = p1->nNumber;
    Put(*p1, p1->x, p1->y + drop);
    walker->ClearContacts();
    EXPECT_EQ(s->ResolveTerrain(*walker), 0);
    EXPECT_EQ(walker->bRiding, drop <= 4 ? 1 : 0) << drop;
    Put(*p1, p1->x, p1->y - drop);
  }
}

TEST_F(PlatformTest, DeepLandingOnlyFasterThanTwoOverB) {
  Put(*p2, p1->x + 200, p1->y);
  p1->SavePosition();
  const double limit = 2 / s->Units.dSubSteps;
  for (const double speed : {limit + 0.01, limit}) {
    walker->bRiding = 0;
    // The upper half sunk into the platform, from above it at the start of the sub-step.
    Put(*walker, p1->x + 8, p1->y - 30);
    walker->vy = speed;
    walker->y = p1->y - walker->nHeight + 14;
    walker->OnMovedY();
    walker->ClearContacts();
    s->ResolveTerrain(*walker);
    if (speed > limit) {
      EXPECT_EQ(walker->bRiding, 1);
      EXPECT_EQ(walker->bottom, p1->y - 1);
    } else {
      EXPECT_EQ(walker->bRiding, 0);
    }
  }
}

TEST_F(PlatformTest, TheHigherOfTwoPlatformsWins) {
  Put(*p1, 500, 500);
  Put(*p2, 510, 497);
  Put(*walker, 505, 500 - walker->nHeight + 2);
  walker->vy = 0.5;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->bRiding, 1);
  EXPECT_EQ(walker->nRidden, 3);
  EXPECT_EQ(walker->bottom, 496);
}

TEST_F(PlatformTest, PushedIntoAWallComesOutInTenthsAndIsCrushedWhenBothSidesAreSet) {
  // A wall whose left edge is one pixel short of the walker after the push.
  Put(*p2, 900, 900);
  // After the push the walker's right edge is half a pixel into the wall's column.
  Put(*p1, 544 - 47, 500);
  const double pushed = p1->right + 1.5;
  const int wallColumn = 544 >> 5;
  for (int row = 14; row < 18; ++row) s->BlockMap.Put(s->CellIndex(wallColumn, row), BlockFor('#'));
  Put(*walker, p1->right - 2, 505);
  walker->vx = 0;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->bContactL, 1);
  EXPECT_FALSE(walker->TouchesBlock());
  EXPECT_GE(walker->x, pushed - 1.5 - 1e-9);
  EXPECT_EQ(walker->bLandedOnBlock, 1);
  // The wall has set the other side.
  Put(*walker, p1->right - 2, 505);
  walker->ClearContacts();
  walker->bContactR = 1;
  EXPECT_EQ(s->ResolveTerrain(*walker), 2);
}

TEST_F(PlatformTest, PlatformsOnBothSidesAloneDoNotCrush) {
  Put(*p1, 500, 500);
  Put(*p2, 500 + 32 + walker->nWidth - 4, 500);
  // Its lower corners stand below the platforms: it is not squeezed.
  Put(*walker, p1->right - 1, 520);
  const double x = walker->x;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->x, x);
  EXPECT_EQ(walker->bContactL, 0);
  EXPECT_EQ(walker->bContactR, 0);
}

TEST_F(PlatformTest, FlyersArePushedOutOrDieByTheirContactMode) {
  Put(*p2, 900, 900);
  Put(*p1, 500, 500);
  walker->SetFlightKind(2);  // collides
  // Sunk 3 pixels into the platform's left side: a sideways contact.
  Put(*walker, p1->x - walker->nWidth + 3, 505);
  walker->vx = 1;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->right, p1->x - 1);
  EXPECT_EQ(walker->bContactR, 1);
  EXPECT_EQ(world.flows.Count(1, 5), 1);
  // The platform moving away while the flyer moves the other way: no push on that axis.
  world.flows.triggers.clear();
  Put(*walker, p1->x - walker->nWidth + 3, 505);
  p1->vx = 1;
  walker->vx = -1;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->bContactR, 0);
  walker->SetFlightKind(3);  // dies on contact
  Put(*walker, p1->x - walker->nWidth + 3, 505);
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 2);
  walker->SetFlightKind(1);  // passes through
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_FALSE(s->IsSqueezed(*walker, walker->Box()));
}

TEST_F(PlatformTest, SqueezedWhenPlatformsCoverAllFourCorners) {
  Put(*p1, 500, 500);
  Put(*p2, 500 + 32, 500);
  Put(*walker, 520, 504);  // spans both platforms, rows inside them
  EXPECT_TRUE(s->IsSqueezed(*walker, walker->Box()));
  Put(*walker, 520, 520);  // the lower corners below them
  EXPECT_FALSE(s->IsSqueezed(*walker, walker->Box()));
  // The box before the resolution counts too.
  EXPECT_TRUE(s->IsSqueezed(*walker, WorldBox{520, 504, 535, 527}));
}

TEST_F(PlatformTest, HeadContactUnderAPlatformAbove) {
  Put(*p2, 900, 900);
  Put(*p1, 500, 500);
  // Jumping up into the platform from below: the upper half sunk 3 pixels into its bottom.
  Put(*walker, 508, 540);
  walker->y = 532 - 3;
  walker->OnMovedY();
  walker->vy = -3;
  walker->ClearContacts();
  EXPECT_EQ(s->ResolveTerrain(*walker), 0);
  EXPECT_EQ(walker->y, 532);
  EXPECT_EQ(walker->bInJump, 1);
  EXPECT_EQ(walker->bJumpLock, 1);
  EXPECT_EQ(walker->vy, p1->vy);
}

}  // namespace
