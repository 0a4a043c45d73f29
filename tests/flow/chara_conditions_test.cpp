// The flag, state and distance start conditions.
#include <gtest/gtest.h>

#include <functional>

#include "data/ed_condition.h"
#include "fake_actor.h"
#include "flow/chara_conditions.h"

namespace {

using flowtest::FakeActor;
using flowtest::FakeWorld;

cEdCondition Cond(int kind, int subject, int selector, int op, int constant = 0) {
  cEdCondition c;
  c.nKind = static_cast<std::uint8_t>(kind);
  c.nLeftTarget = static_cast<std::uint8_t>(subject);
  c.nLeftStatus = static_cast<std::uint8_t>(selector);
  c.nOp = static_cast<std::uint8_t>(op);
  c.nVarIndex = static_cast<std::int16_t>(constant);
  return c;
}

TEST(CharaConditionsTest, StatusFlagsAndAutoScrollSwitches) {
  FakeWorld world;
  FakeActor self;
  self.flags[3] = 2;  // flying mode 2
  world.scrollOnX = 1;
  EXPECT_TRUE(CheckStatusCondition2(self, Cond(5, 0, 3, 0, 2)));
  EXPECT_FALSE(CheckStatusCondition2(self, Cond(5, 0, 3, 1, 2)));
  EXPECT_FALSE(CheckStatusCondition2(self, Cond(5, 1, 3, 0, 2)));  // no target
  EXPECT_FALSE(CheckStatusCondition2(self, Cond(5, 0, 0, 0, 0)));  // "消滅" is no flag
  EXPECT_FALSE(CheckStatusCondition2(self, Cond(5, 0, 7, 0, 0)));
  EXPECT_TRUE(CheckStatusCondition2(self, Cond(5, 2, 0, 0, 1)));
  EXPECT_TRUE(CheckStatusCondition2(self, Cond(5, 2, 1, 0, 0)));
  EXPECT_FALSE(CheckStatusCondition2(self, Cond(5, 2, 2, 0, 0)));
}

TEST(CharaConditionsTest, FacingStandingAndOnScreenWithTheInvert) {
  FakeWorld world;
  struct Case {
    const char* name;
    std::function<void(FakeActor&)> set;
    int selector;
    bool expected;
  };
  const Case cases[] = {
      {"facing right", [](FakeActor& a) { a.facingNow = 1; }, 1, true},
      {"not facing left", [](FakeActor& a) { a.facingNow = 1; }, 0, false},
      {"standing", [](FakeActor&) {}, 2, true},
      {"jumping", [](FakeActor& a) { a.jumping = true; }, 2, false},
      {"falling", [](FakeActor& a) { a.falling = true; }, 2, false},
      {"riding while its jump flag is up", [](FakeActor& a) { a.riding = a.jumping = true; }, 2, true},
      {"flying never stands", [](FakeActor& a) { a.flying = a.riding = true; }, 2, false},
      {"off screen", [](FakeActor& a) { a.onScreen = false; }, 3, false},
      {"an unknown test", [](FakeActor&) {}, 4, false},
  };
  for (const Case& c : cases) {
    FakeActor self;
    c.set(self);
    EXPECT_EQ(CheckStatusCondition3(self, Cond(6, 0, c.selector, 0)), c.expected) << c.name;
    if (c.selector <= 3) {
      EXPECT_EQ(CheckStatusCondition3(self, Cond(6, 0, c.selector, 1)), !c.expected) << c.name;
    }
  }
  FakeActor alone;
  EXPECT_FALSE(CheckStatusCondition3(alone, Cond(6, 1, 0, 1)));  // inverted, without a target: false
}

TEST(CharaConditionsTest, DistanceRegionsBySideAndShape) {
  FakeWorld world;
  FakeActor self;
  FakeActor hero;
  world.hero = &hero;
  self.facingNow = 1;  // facing right
  const auto distance = [&](int shape, int halfBlocks, int dots, int op, double hx, double hy = 0) {
    hero.x = hx;
    hero.y = hy;
    cEdCondition c = Cond(7, 0, 0, op);
    c.nShape = static_cast<std::uint8_t>(shape);
    c.nValue = halfBlocks;
    c.nRightIndex = static_cast<std::int16_t>(dots);
    return CheckDistanceCondition(self, c);
  };
  EXPECT_TRUE(distance(0, 1, 0, 0, 40));    // "横" within a half block either side
  EXPECT_TRUE(distance(0, 1, 0, 0, -40));
  EXPECT_FALSE(distance(0, 1, 0, 0, 60));
  EXPECT_TRUE(distance(0, 1, 0, 1, 60));    // "外"
  EXPECT_TRUE(distance(0, 0, 20, 0, 50));   // dots add to half blocks
  EXPECT_TRUE(distance(1, 1, 0, 0, 40));    // "前": ahead of a character facing right
  EXPECT_FALSE(distance(1, 1, 0, 0, -40));
  EXPECT_TRUE(distance(2, 1, 0, 0, -40));   // "後": behind it
  EXPECT_FALSE(distance(2, 1, 0, 0, 40));
  EXPECT_TRUE(distance(6, 3, 2, 0, 30, 40));  // "円": 50 dots between centres
  EXPECT_FALSE(distance(6, 3, 2, 0, 30, 41));
  EXPECT_FALSE(distance(9, 3, 0, 0, 0));    // no such shape
  EXPECT_FALSE(distance(0, 1, 0, 2, 0));    // no such range byte
  EXPECT_GT(self.refreshes, 0);
  // The target as the subject: without one, neither inside nor outside.
  cEdCondition outside = Cond(7, 1, 0, 1);
  EXPECT_FALSE(CheckDistanceCondition(self, outside));
}

}  // namespace
