// Characters of different groups touching and hurting each other.
#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace {

using worldtest::WorldFixture;

// The hero (number 0) and a walker (1) standing on a floor with overlapping bodies; a second
// walker of the walker's group (2) overlaps the first.
class CharaHitsTest : public testing::Test {
 protected:
  explicit CharaHitsTest(int hitLevel = 1) : world({"He.e......", "##########"}, hitLevel) {}
  void Build() {
    world.Build();
    Overlap(1, world.Hero().x + 6);
    Overlap(2, world.Hero().x + 8);
  }
  void Overlap(int number, double x) {
    if (cChara* c = world.Chara(number)) {
      c->x = x;
      c->OnMovedX();
    }
  }
  int Hp(int number) {
    if (number == 0) return world.Hero().nHp;
    return world.Chara(number) != nullptr ? world.Chara(number)->nHp : -1;
  }
  WorldFixture world;
};

TEST_F(CharaHitsTest, GroupsTouchOnlyOtherGroupsAndHurtOncePerMemoryWindow) {
  world.charas['H'].nPower = 1;
  world.charas['e'].nPower = 2;
  world.stage.nHeroSameAttackerTime = 30;
  world.stage.nCharaSameAttackerTime = 30;
  Build();
  world.Step(1);
  EXPECT_EQ(Hp(0), 10 - 2 - 2);  // both walkers hit the hero
  EXPECT_EQ(Hp(1), 9);
  EXPECT_EQ(Hp(2), 9);
  EXPECT_EQ(world.flows.Count(1, 4), 1);  // the two walkers of one group never touch
  EXPECT_EQ(world.flows.Count(0, 4), 2);
  EXPECT_EQ(world.sounds.Count(kSoundHurt), 2);
  world.Step(29);
  EXPECT_EQ(Hp(0), 6);
  EXPECT_EQ(Hp(1), 9);
  world.Step(1);  // the memory of frame 1 has run out
  EXPECT_EQ(Hp(0), 2);
  EXPECT_EQ(Hp(1), 8);
}

TEST_F(CharaHitsTest, PowerBelowDefenceHurtsNothingButStillCountsAsDamage) {
  world.charas['H'].nDefence = 50;
  world.charas['e'].nPower = 30;
  world.charas['e'].nImpact = 5;
  world.rows[0][3] = '.';
  Build();
  world.Step(1);
  EXPECT_EQ(Hp(0), 10);
  EXPECT_EQ(world.flows.Count(0, 1), 1);  // damaged
  EXPECT_EQ(world.flows.Count(0, 2), 1);  // impact
  EXPECT_EQ(world.Hero().bKnockBack, 1);
}

TEST_F(CharaHitsTest, NegativePowerHeals) {
  world.charas['e'].nPower = -10;
  world.rows[0][3] = '.';
  Build();
  world.Hero().nHp = 4;
  world.Step(1);
  EXPECT_EQ(Hp(0), 10);  // limited by the maximum
}

TEST_F(CharaHitsTest, ADefeatedWalkerLeavesItsTargetsAndLists) {
  world.charas['H'].nPower = 20;
  world.rows[0][3] = '.';
  Build();
  EXPECT_EQ(world.Chara(1)->nTarget, 0);
  EXPECT_TRUE(world.Hero().TargetedBy.Contains(1));
  world.Step(1);
  EXPECT_EQ(world.Chara(1)->bDead, 1);
  EXPECT_FALSE(world.Hero().TargetedBy.Contains(1));
  EXPECT_EQ(world.sounds.Count(kSoundCharaDown), 1);
  EXPECT_EQ(world.Scene().CheckHeroHp(), 0);
  EXPECT_EQ(world.Chara(1), nullptr);
  EXPECT_TRUE(world.Scene().CharaGroups[1].empty());
}

class HitTimesTest : public CharaHitsTest {
 protected:
  HitTimesTest() : CharaHitsTest(2) {}
};

TEST_F(HitTimesTest, PlayerAndComputerTimesFrameByFrameAtTwoSubSteps) {
  world.charas['H'].nPower = 1;
  world.charas['e'].nPower = 1;
  world.rows[0][3] = '.';
  world.stage.nHeroSameAttackerTime = 3;
  world.stage.nHeroInvincibleTime = 2;
  world.stage.nCharaSameAttackerTime = 4;
  world.stage.nCharaInvincibleTime = 1;
  Build();
  // Frame by frame: hero HP, walker HP, hero invincible, walker invincible (after the frame).
  struct Row {
    int heroHp, walkerHp, heroInv, walkerInv;
  };
  const Row rows[] = {
      {9, 9, 3, 1}, {9, 9, 1, 0}, {9, 9, 0, 0}, {8, 9, 3, 0}, {8, 8, 1, 1},
      {8, 8, 0, 0}, {7, 8, 3, 0}, {7, 8, 1, 0}, {7, 7, 0, 1}, {6, 7, 3, 0},
  };
  int frame = 0;
  for (const Row& r : rows) {
    ++frame;
    world.Step(1);
    EXPECT_EQ(Hp(0), r.heroHp) << "frame " << frame;
    EXPECT_EQ(Hp(1), r.walkerHp) << "frame " << frame;
    EXPECT_EQ(world.Hero().nInvincible, r.heroInv) << "frame " << frame;
    EXPECT_EQ(world.Chara(1)->nInvincible, r.walkerInv) << "frame " << frame;
  }
}

}  // namespace
