// The hero's jump, flight modes, box list and camera.
#include <gtest/gtest.h>

#include "data/system_data.h"
#include "support/world_fixture.h"
#include "world/player.h"

namespace {

using worldtest::WorldFixture;

class HeroTest : public testing::Test {
 protected:
  explicit HeroTest(int hitLevel = 2) : world({"..........", "..........", "..........", "H.........", "##########"},
                                              hitLevel) {
    world.stage.nHeroTerrainBox[0] = world.stage.nHeroTerrainBox[1] = 32;
    world.stage.nHeroTerrainBox[2] = world.stage.nHeroTerrainBox[3] = 32;
  }
  void Build() {
    world.Build();
    world.Step(5);  // settle on the floor
  }
  // A scripted jump command on the hero: the jump step runs in every sub-step of its flows.
  void Jump(JumpCommandState& jump) {
    world.flows.scripts[0] = [&jump](cCharaBase& hero, int) {
      hero.JumpStep(jump);
      return 0;
    };
  }
  JumpCommandState JumpOf(int kind, int halfBlocks) {
    JumpCommandState j;
    j.nKind = kind;
    j.dJumpSpeed = world.Hero().JumpSpeed(halfBlocks);
    j.nApexSteps = 40;
    return j;
  }
  double Rise(int frames) {
    const double start = world.Hero().y;
    double top = start;
    for (int i = 0; i < frames; ++i) {
      world.Step(1);
      top = std::min(top, world.Hero().y);
    }
    return start - top;
  }
  WorldFixture world;
};

TEST_F(HeroTest, FixedJumpsReachFullHeightAndAReleasedVariableJumpIsCut) {
  Build();
  JumpCommandState fixed = JumpOf(0, 4);
  Jump(fixed);
  world.flows.keyState = 0;  // released: kind 0 counts as held anyway
  const double full = Rise(40);
  EXPECT_NEAR(full, 64, 3);

  world.flows.scripts.clear();
  world.Step(60);
  JumpCommandState variable = JumpOf(1, 4);
  world.flows.keyState = 1;
  int steps = 0;
  world.flows.scripts[0] = [&](cCharaBase& hero, int) {
    if (++steps == 2) world.flows.keyState = 0;  // released one sub-step after the start
    hero.JumpStep(variable);
    return 0;
  };
  const double cut = Rise(40);
  EXPECT_LT(cut, full * 0.2);
  EXPECT_GT(cut, 0);
}

TEST_F(HeroTest, AKeyHeldPastBSubStepsStartsNothing) {
  Build();
  JumpCommandState jump = JumpOf(1, 4);
  cPlayer& hero = world.Hero();
  hero.nJumpHold = world.Scene().Units.subSteps;  // held through the first frame already
  world.flows.keyState = 1;
  Jump(jump);
  world.Step(1);
  EXPECT_EQ(jump.bStarted, 0);
  EXPECT_GE(hero.vy, 0);
}

TEST_F(HeroTest, ARidingJumpStartsOnlyInTheLastSubStepAndLandingReArms) {
  Build();
  cPlayer& hero = world.Hero();
  cScenePlay& s = world.Scene();
  const int b = s.Units.subSteps;
  JumpCommandState jump = JumpOf(0, 4);
  hero.bRiding = 1;
  hero.vy = 0;
  s.nSubStep = 1;
  hero.JumpStep(jump);
  EXPECT_EQ(jump.bStarted, 0);
  EXPECT_EQ(hero.vy, 0);
  hero.bJumpStepped = 0;
  s.nSubStep = b;
  hero.JumpStep(jump);
  EXPECT_EQ(jump.bStarted, 1);
  EXPECT_EQ(hero.vy, jump.dJumpSpeed * static_cast<double>(1.02f));
  EXPECT_EQ(hero.bRiding, 0);
  // On a platform again with no key conditions: the jump state is re-armed.
  hero.bJumpStepped = 0;
  hero.bRiding = 1;
  hero.bAscending = 1;
  hero.vy = 0;
  hero.bJumpReady = 0;
  hero.nJumpHold = 7;
  world.flows.keyState = -1;
  hero.JumpStep(jump);
  EXPECT_EQ(hero.bJumpReady, 1);
  EXPECT_EQ(hero.nJumpHold, 0);
  EXPECT_EQ(jump.bStarted, 0);
}

TEST_F(HeroTest, RunningSpeedPicksTheHeightAtItsExactBounds) {
  Build();
  cPlayer& hero = world.Hero();
  const double u = 10.0 * world.Scene().Units.subSteps;
  JumpCommandState jump = JumpOf(2, 0);
  jump.nParam[1] = 30;
  jump.nParam[2] = 5;
  jump.nParam[3] = 10;
  jump.nParam[4] = 2;
  const struct {
    double speed;
    int height;
  } cases[] = {{30 / u, 5}, {10 / u, 2}, {40 / u, 5}, {0, 2}, {20 / u, (5 - 2) * 20 / 30 + 2}};
  for (const auto& c : cases) {
    hero.ax = c.speed;
    hero.bJumpStepped = 0;
    jump.bStarted = 0;
    hero.JumpStep(jump);
    EXPECT_DOUBLE_EQ(jump.dJumpSpeed, hero.JumpSpeedFromDots(c.height * 16.0)) << c.speed;
  }
}

TEST_F(HeroTest, LeavingFlightZeroesSpeedsAndGivesSqueezeGrace) {
  Build();
  cPlayer& hero = world.Hero();
  hero.SetFlightMode(2, 0);
  EXPECT_EQ(hero.bNoGravity, 1);
  EXPECT_EQ(hero.nVControl, 1);
  EXPECT_EQ(hero.nSqueezeGrace, 2);
  hero.vx = hero.vy = hero.ax = hero.ay = 1.5;
  hero.nSqueezeGrace = 0;
  hero.SetFlightMode(3, 0);  // flight to flight: no change of gravity
  EXPECT_EQ(hero.nSqueezeGrace, 0);
  EXPECT_EQ(hero.vx, 1.5);
  hero.SetFlightMode(0, 0);
  EXPECT_EQ(hero.nSqueezeGrace, 2);
  EXPECT_EQ(hero.vx, 0);
  EXPECT_EQ(hero.vy, 0);
  EXPECT_EQ(hero.ax, 0);
  EXPECT_EQ(hero.ay, 0);
}

TEST_F(HeroTest, AtRestWithoutAChosenAnimationTheHeroTurnsIdle) {
  Build();
  cPlayer& hero = world.Hero();
  hero.Anime.m_Animes.assign(4, cVector<AnimeStep>{AnimeStep{1, 100, 0}, AnimeStep{kAnimeStay, 0, 0}});
  struct Case {
    const char* name;
    bool chosen;  // the command says it chose the animation
    double ownSpeed;
    int flight;
    int expected;
  };
  const Case cases[] = {
      {"chosen", true, 0, 0, 3},
      {"at rest", false, 0, 0, 0},
      {"running", false, 0.5, 0, 3},
      {"flying at rest", false, 0, 2, 2},
  };
  for (const Case& c : cases) {
    hero.SetFlightMode(c.flight, 0);
    world.flows.scripts[0] = [&c](cCharaBase& h, int) {
      h.Anime.Change(3, 1);
      h.bAnimeChosen = c.chosen ? 1 : 0;
      h.ax = c.ownSpeed;
      return 0;
    };
    world.Step(1);
    EXPECT_EQ(hero.Anime.m_nAnime, c.expected) << c.name;
  }
}

TEST_F(HeroTest, TheHeroRidesTheAutoScrollByItsOwnRuleAndByTheOldOne) {
  Build();
  cPlayer& hero = world.Hero();
  cScenePlay& s = world.Scene();
  for (cScrollAxis* axis : {&s.ScrollX, &s.ScrollY}) {
    axis->nAutoOn = 1;
    axis->bAtEdge = 0;
  }
  s.ScrollX.dAutoSpeed = 0.75;
  s.ScrollY.dAutoSpeed = -0.5;
  struct Case {
    int legacy, flight, follows;
    double vx, vy;  // vy 9 stands for "left as it was"
  };
  const Case cases[] = {
      {1, 2, 0, 0.75, -0.5}, {1, 0, 1, 0, 9},  {0, 2, 1, 0.75, -0.5},
      {0, 0, 1, 0.75, 9},    {0, 2, 0, 0, 0},  {0, 0, 0, 0, 9},
  };
  const int legacy = SystemData.bLegacy214;
  for (const Case& c : cases) {
    SystemData.bLegacy214 = c.legacy;
    hero.SetFlightMode(c.flight, 0);
    hero.bFollowScroll = c.follows;
    hero.vx = hero.vy = 9;
    hero.Act(0);
    EXPECT_EQ(hero.vx, c.vx) << c.legacy << c.flight << c.follows;
    EXPECT_EQ(hero.vy, c.vy) << c.legacy << c.flight << c.follows;
  }
  SystemData.bLegacy214 = legacy;
}

TEST_F(HeroTest, BoxesOfEqualAreaKeepTheirOrderLargestFirst) {
  world.stage.nHeroItemBox[0] = world.stage.nHeroItemBox[1] = 32;  // as large as the size box
  world.stage.nHeroBodyWalk[0] = world.stage.nHeroBodyWalk[1] = 16;
  world.stage.nHeroShotBox[0] = 40;
  world.stage.nHeroShotBox[1] = 40;
  Build();
  const cVector<HitBoxListEntry>& list = world.Hero().HitBoxes;
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].nKind, 3);  // attack 40 x 40
  EXPECT_EQ(list[1].nKind, 0);  // size 32 x 32, before the item box of equal area
  EXPECT_EQ(list[2].nKind, 2);
  EXPECT_EQ(list[3].nKind, 1);
}

TEST_F(HeroTest, ACameraRangeShorterThanTheViewPinsTheCameraAtItsMinimum) {
  Build();
  cScenePlay& s = world.Scene();
  s.ScrollX.nClampStart = 352;
  s.ScrollX.nClampEnd = 352 + 500;  // a range under 640
  cPlayer& hero = world.Hero();
  hero.x += 100;
  hero.OnMovedX();
  EXPECT_EQ(s.ScrollX.dPos, 352);
}

}  // namespace
