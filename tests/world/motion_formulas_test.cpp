// Exact values of the physics formulas on a one-block stage.
#include <gtest/gtest.h>

#include <climits>

#include "support/world_fixture.h"
#include "world/motion_helpers.h"

namespace {

using worldtest::WorldFixture;

class MotionFormulasTest : public testing::Test {
 protected:
  MotionFormulasTest() : world(Rows()) { world.Build(); }
  static std::vector<std::string> Rows() {
    std::vector<std::string> rows(20, std::string(30, '.'));
    rows[0][0] = 'H';
    rows[19] = std::string(30, '#');
    return rows;
  }
  WorldFixture world;
};

TEST_F(MotionFormulasTest, JumpSpeedAndApexAtGravityPoint4AndOneSubStep) {
  cPlayer& hero = world.Hero();
  hero.nOperator = 1;
  EXPECT_DOUBLE_EQ(hero.JumpSpeed(2), -5.263595560468866);
  EXPECT_EQ(hero.JumpApexTime(2), 3);
  hero.nOperator = 0;
  EXPECT_DOUBLE_EQ(hero.JumpSpeed(2), -5.158323649259488);
  // A negative height counts as 0: the speed of the smallest jump, -g times the factor.
  EXPECT_DOUBLE_EQ(hero.JumpSpeedFromDots(-5), -0.4 * 0.98);
  EXPECT_EQ(HblToDot(static_cast<std::int8_t>(0xFF)), -16);
}

TEST_F(MotionFormulasTest, NegativeGravityGivesAFiniteJump) {
  EXPECT_DOUBLE_EQ(JumpSpeedFromDots(64, -0.4), 0.2);
}

TEST_F(MotionFormulasTest, ApexTimeWithoutGravityDoesNotDivideByZero) {
  EXPECT_EQ(ApexTenths(-5.0, 0.0, 1), 1);
  EXPECT_EQ(ApexTenths(-5.0, 0.4, 0), 1);
}

TEST_F(MotionFormulasTest, ImpactSharesBySumOfComponents) {
  double vx = 0;
  double vy = 0;
  ImpactVelocity(vx, vy, 8, 3, -1, 1.0);
  EXPECT_DOUBLE_EQ(vx, 13.365424623862047);
  EXPECT_DOUBLE_EQ(vy, -7.515609770940699);
  // Strength 0 leaves the speeds; a zero direction clears them.
  ImpactVelocity(vx, vy, 0, 1, 1, 1.0);
  EXPECT_DOUBLE_EQ(vx, 13.365424623862047);
  ImpactVelocity(vx, vy, 5, 0, 0, 1.0);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vy, 0);
}

TEST_F(MotionFormulasTest, ImpactStrengthAgainstResistance) {
  struct Case {
    int strength, resist;
    double expectX;
  };
  cPlayer& hero = world.Hero();
  double speed20 = 0;
  double unused = 0;
  ImpactVelocity(speed20, unused, 20, 1, 0, 1.0);
  const Case cases[] = {{25, 3, speed20}, {-5, 10, 7.0}};
  for (const Case& c : cases) {
    hero.dImpX = 7.0;
    hero.dImpY = 0;
    hero.vy = 0;
    hero.Def.nImpactResist = static_cast<std::uint8_t>(c.resist);
    hero.ApplyImpact(c.strength, 1, 0);
    EXPECT_DOUBLE_EQ(hero.dImpX, c.expectX) << c.strength;
    EXPECT_EQ(hero.bKnockBack, 1);
  }
}

TEST_F(MotionFormulasTest, HpAndSpGainsAndLosses) {
  cPlayer& hero = world.Hero();
  hero.Def.nMaxHp = 10;
  hero.nHp = 8;
  EXPECT_EQ(hero.AddHp(5, 0, 1), 0);
  EXPECT_EQ(hero.nHp, 10);
  EXPECT_EQ(hero.HpGauge.nFrames, 120);
  EXPECT_DOUBLE_EQ(hero.HpGauge.dChange, 2 * 50.0 / 10);  // the limited gain
  hero.Def.nInvincible = 1;
  EXPECT_EQ(hero.AddHp(-5, 0, 1), 0);
  EXPECT_EQ(hero.nHp, 10);
  EXPECT_EQ(hero.AddHp(-5, 1, 1), 0);
  EXPECT_EQ(hero.nHp, 5);
  // Sums beyond 32 bits neither wrap nor crash.
  EXPECT_EQ(hero.AddHp(-static_cast<std::int64_t>(INT_MAX) * 4, 1, 1), 1);
  EXPECT_EQ(hero.nHp, 0);
  hero.Def.nMaxSp = 0;
  hero.SpGauge = GaugeAnim{};
  EXPECT_EQ(hero.AddSp(5, 1), 1);
  EXPECT_EQ(hero.SpGauge.nFrames, 0);  // no gauge without a maximum
}

TEST_F(MotionFormulasTest, ClampAtTheMapEdge) {
  cPlayer& hero = world.Hero();
  hero.x = -0.5;
  EXPECT_EQ(hero.ClampX(2), 3);
  EXPECT_EQ(hero.x, 0);
  hero.x = world.Scene().ScrollX.nMapPixels - hero.nWidth;  // right exactly at M - 1
  EXPECT_NE(hero.ClampX(2), 3);
}

TEST_F(MotionFormulasTest, SpeedLimitPerSubStep) {
  cPlayer& hero = world.Hero();
  const double limit = world.Scene().Units.dSpeedLimitPerStep;
  hero.vx = limit;
  hero.MoveX(2);
  EXPECT_EQ(hero.vx, limit);
  hero.vx = limit + 3;
  hero.MoveX(2);
  EXPECT_EQ(hero.vx, limit);
}

TEST_F(MotionFormulasTest, RescalingKeepsTheCentreAndTheFeet) {
  cPlayer& hero = world.Hero();
  hero.x = 500;
  hero.y = 500;
  hero.nBaseWidth = 16;
  hero.Rect.baseHeight = 32;
  hero.Rect.baseOffY = 16;
  hero.SetScale(2, 2);
  EXPECT_EQ(hero.x, 500);
  hero.SetScale(2, 1);
  EXPECT_EQ(hero.x, 492);
  EXPECT_EQ(hero.nWidth, 32);
  EXPECT_EQ(hero.y, 484);
}

}  // namespace
