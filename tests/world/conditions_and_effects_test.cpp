// Appearance conditions and the block effects under the hero's feet.
#include <gtest/gtest.h>

#include <climits>

#include "data/ed_condition.h"
#include "support/world_fixture.h"

namespace {

using worldtest::BlockFor;
using worldtest::WorldFixture;

cEdCondition StageVarIs(int index, int op, int value) {
  cEdCondition c;
  c.nKind = kCondStageVar;
  c.nVarIndex = static_cast<std::int16_t>(index);
  c.nOp = static_cast<std::uint8_t>(op);
  c.nValue = value;
  return c;
}

class ConditionsTest : public testing::Test {
 protected:
  ConditionsTest() : world({"H.?.", "####"}) { world.Build(); }
  WorldFixture world;
};

TEST_F(ConditionsTest, AOnceOnlyBlockStaysAfterItsVariableChangesBack) {
  cScenePlay& s = world.Scene();
  const int gate = s.CellIndex(12, 10);
  EXPECT_EQ(s.HitKind(gate, 0), 1);  // stage variable 1 is 0
  s.StageVars[1] = 5;
  EXPECT_EQ(s.HitKind(gate, 0), 0);
  cEdBlock once = s.BlockMap.Block(gate);
  once.bCondOnce = 1;
  s.BlockMap.Put(gate, once);
  s.StageVars[1] = 0;
  EXPECT_EQ(s.HitKind(gate, 0), 1);
  s.StageVars[1] = 5;
  EXPECT_EQ(s.HitKind(gate, 0), 1);  // latched
  s.BlockMap.Put(gate, BlockFor('?'));  // a new definition starts unlatched
  EXPECT_EQ(s.HitKind(gate, 0), 0);
}

TEST_F(ConditionsTest, ListRulesAndEmptyLists) {
  cScenePlay& s = world.Scene();
  const cVector<cEdCondition> empty;
  EXPECT_TRUE(s.CheckConditionList(empty, 0, nullptr));
  EXPECT_FALSE(s.CheckConditionList(empty, 1, nullptr));
  EXPECT_FALSE(s.CheckConditionList(empty, 2, nullptr));
  // An owner with no condition is present whatever its rule.
  cChara c;
  c.Def.nCondRule = 1;
  EXPECT_TRUE(s.CheckCharaConditions(c));
  cVector<cEdCondition> list{StageVarIs(1, 0, 1), StageVarIs(2, 0, 0)};
  EXPECT_FALSE(s.CheckConditionList(list, 0, nullptr));
  EXPECT_TRUE(s.CheckConditionList(list, 1, nullptr));
}

TEST_F(ConditionsTest, OperatorsOnVariables) {
  cScenePlay& s = world.Scene();
  struct Case {
    int value, op, constant;
    bool expect;
  };
  const Case cases[] = {
      {-9, 6, 3, true},       {-9, 7, 3, false},     {5, 6, 0, true},       {5, 7, 0, false},
      {INT_MIN, 6, -1, true}, {INT_MIN, 7, 3, true}, {INT_MIN, 5, 0, true}, {4, 8, 4, false},
  };
  for (const Case& c : cases) {
    s.StageVars[3] = c.value;
    EXPECT_EQ(s.CheckCondition(StageVarIs(3, c.op, c.constant), nullptr), c.expect) << c.value << " op " << c.op;
  }
  // A character variable needs a character; status kinds go to the flow engine.
  cEdCondition own = StageVarIs(2, 0, 7);
  own.nKind = kCondCharaVar;
  EXPECT_FALSE(s.CheckCondition(own, nullptr));
  world.Hero().Vars[2] = 7;
  EXPECT_TRUE(s.CheckCondition(own, &world.Hero()));
  own.nKind = kCondStatus;
  world.flows.statusConditionResult = true;
  EXPECT_TRUE(s.CheckCondition(own, &world.Hero()));
}

// The hero standing on one cell of the given kind; b sub-steps per frame.
class BlockEffectTest : public testing::Test {
 protected:
  void Stand(char kind, int hitLevel = 1, int value = -1) {
    world = std::make_unique<WorldFixture>(std::vector<std::string>{"H...", std::string(1, kind) + "###"}, hitLevel);
    world->Build();
    cScenePlay& s = world->Scene();
    cell = s.CellIndex(10, 11);
    if (value >= 0) {
      cEdBlock block = s.BlockMap.Block(cell);
      block.nBlockEffectValue = value;
      s.BlockMap.Put(cell, block);
    }
    world->Hero().nFootCell = cell;
  }
  std::unique_ptr<WorldFixture> world;
  int cell = 0;
};

TEST_F(BlockEffectTest, SpringOfHeightZeroStillJumps) {
  Stand('S', 1, 0);
  cPlayer& hero = world->Hero();
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_DOUBLE_EQ(hero.vy, -0.392);
  EXPECT_EQ(hero.bInJump, 1);
  EXPECT_EQ(hero.bJumpReady, 0);
  EXPECT_EQ(world->sounds.Count(kSoundSpring), 1);
}

TEST_F(BlockEffectTest, ConveyorAddsOneOverBForBSubStepsThenLiftsByOne) {
  Stand('>', 2);
  cPlayer& hero = world->Hero();
  hero.vx = 0;
  hero.vy = 0;
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_DOUBLE_EQ(hero.vx, 0.5);
  EXPECT_EQ(hero.vy, 0);
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_DOUBLE_EQ(hero.vx, 1.0);
  EXPECT_EQ(hero.vy, 1);
  hero.ax = -1;
  world->Scene().ApplyBlockEffect(hero);  // restarts while the hero stays
  EXPECT_DOUBLE_EQ(hero.vx, 1.5);
  EXPECT_EQ(hero.ax, 0);
}

TEST_F(BlockEffectTest, SpeedChangeMultipliesForOneFrame) {
  Stand('F', 1);
  cPlayer& hero = world->Hero();
  hero.vx = 2;
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_DOUBLE_EQ(hero.vx, 3);
}

TEST_F(BlockEffectTest, NoJumpIsLiftedByANormalCell) {
  Stand('N');
  cPlayer& hero = world->Hero();
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_EQ(hero.bJumpCut, 1);
  hero.nFootCell = world->Scene().CellIndex(11, 11);
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_EQ(hero.bJumpCut, 0);
  // Not in the air, and not for a flyer.
  hero.nFootCell = world->Scene().CellIndex(10, 11);
  hero.SetFlightKind(2);
  world->Scene().ApplyBlockEffect(hero);
  EXPECT_EQ(hero.bJumpCut, 0);
}

TEST_F(BlockEffectTest, HeroWithoutHpIsDefeatedByTheCheck) {
  Stand('#');
  cPlayer& hero = world->Hero();
  hero.nHp = 0;
  EXPECT_EQ(world->Scene().CheckHeroHp(), 1);
  EXPECT_EQ(hero.bDead, 1);
  EXPECT_EQ(world->sounds.Count(kSoundHeroDown), 1);
  EXPECT_EQ(world->flows.Count(0, 3), 1);
}

}  // namespace
