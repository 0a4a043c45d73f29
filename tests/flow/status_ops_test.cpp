// The status operation and the status condition over a character, its target and the system.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/game_random.h"
#include "core/rand_range.h"
#include "data/command_tables.h"
#include "data/ed_condition.h"
#include "fake_actor.h"
#include "flow/status_ops.h"

namespace {

using flowtest::FakeActor;
using flowtest::FakeWorld;

// The 18 parameters of "ステータスの操作" by name.
struct Op {
  int targetKind = 0, scope = 0, index = 0, subject = 0, status = 0, operation = 0;
  int operandType = 0, constant = 0, randA = 0, randB = 0, operandScope = 0, operandIndex = 0;
  int operandSubject = 0, operandStatus = 0, percent = 0, base = 0, gauge = 0, notInvincible = 0;
  cEdCommand Command() const {
    cEdCommand c;
    c.nKind = kCmdStatusOp;
    c.params = {targetKind, scope,  index,        subject,        status,        operation,
                operandType, constant, randA,   randB,          operandScope,  operandIndex,
                operandSubject, operandStatus, percent, base, gauge, notInvincible};
    return c;
  }
};

// A play scene with a character and another that can be its target.
struct Scene {
  FakeWorld world;
  FakeActor self;
  FakeActor other;
};

TEST(StatusOpsTest, TheOperationChangesWhatItNamesWithinItsRange) {
  struct Case {
    const char* name;
    std::function<void(Scene&)> before;
    Op op;
    std::function<std::string(Scene&)> result;
    std::string expected;
  };
  const auto num = [](auto v) { return std::to_string(static_cast<long long>(v)); };
  const Case cases[] = {
      {"power * 10000 clamps", [](auto& t) { t.self.power = 500000; }, Op{.status = kStatusPower, .operation = 3, .constant = 10000},
       [&](auto& t) { return num(t.self.power); }, "999999"},
      {"negative power * 10000 clamps", [](auto& t) { t.self.power = -500000; },
       Op{.status = kStatusPower, .operation = 3, .constant = 10000}, [&](auto& t) { return num(t.self.power); }, "-999999"},
      {"a stage variable", [](auto& t) { t.world.stage[2] = 3; }, Op{.targetKind = 1, .scope = 1, .index = 2, .operation = 1, .constant = 5},
       [&](auto& t) { return num(t.world.stage[2]); }, "8"},
      {"a common variable by percent", [](auto& t) { t.world.common[1] = 80; },
       Op{.targetKind = 1, .index = 1, .operation = 0, .constant = 25, .percent = 1}, [&](auto& t) { return num(t.world.common[1]); }, "20"},
      {"Z takes the operand's low byte and its range", [](auto&) {}, Op{.status = kStatusZ, .constant = 258},
       [&](auto& t) { return num(t.self.z); }, "2"},
      {"Z clamped to 7", [](auto&) {}, Op{.status = kStatusZ, .constant = 9}, [&](auto& t) { return num(t.self.z); }, "7"},
      {"/ 0 leaves the defence", [](auto& t) { t.self.defence = 40; }, Op{.status = kStatusDefence, .operation = 4},
       [&](auto& t) { return num(t.self.defence); }, "40"},
      {"HP = 150 % of the maximum, through the HP change", [](auto& t) { t.self.hp = 4; },
       Op{.status = kStatusHp, .operation = 0, .constant = 150, .base = 1, .gauge = 1},
       [&](auto& t) { return num(t.self.hp) + " " + num(t.self.hpChanges.at(0).first) + " " + num(t.self.hpChanges.at(0).second); },
       "10 11 1"},
      {"another's HP to 0 asks for a defeat check", [](auto& t) { t.self.target = &t.other; },
       Op{.subject = 1, .status = kStatusHp, .operation = 2, .constant = 50}, [&](auto& t) { return num(t.other.hp) + " " + num(t.world.defeatChecks); },
       "0 1"},
      {"one's own HP to 0 does not", [](auto&) {}, Op{.status = kStatusHp, .operation = 2, .constant = 50},
       [&](auto& t) { return num(t.self.hp) + " " + num(t.world.defeatChecks); }, "0 0"},
      {"no target, nothing", [](auto& t) { t.self.power = 1; }, Op{.subject = 1, .status = kStatusPower, .constant = 9},
       [&](auto& t) { return num(t.self.power); }, "1"},
      {"not while invincible", [](auto& t) { t.self.invincible = true; }, Op{.status = kStatusPower, .constant = 9, .notInvincible = 1},
       [&](auto& t) { return num(t.self.power); }, "0"},
      {"sight only for a player", [](auto&) {}, Op{.status = kStatusSight, .constant = 9},
       [&](auto& t) { return num(t.self.sight) + " " + num(t.self.changed.size()); }, "0 0"},
      {"sight of a player, then its light", [](auto& t) { t.self.playerOperated = true; }, Op{.status = kStatusSight, .constant = 90},
       [&](auto& t) { return num(t.self.sight) + " " + num(t.self.changed.at(0)); }, "40 8"},
      {"a lower maximum lowers HP", [](auto& t) { t.self.hp = 10; }, Op{.status = kStatusMaxHp, .constant = 6},
       [&](auto& t) { return num(t.self.maxHp) + " " + num(t.self.hp); }, "6 6"},
      {"unlimited lives stay", [](auto& t) { t.world.lives = 999999; }, Op{.subject = 2, .status = 4, .operation = 1, .constant = 1},
       [&](auto& t) { return num(t.world.lives); }, "999999"},
      {"lives clamp to 99", [](auto& t) { t.world.lives = 98; }, Op{.subject = 2, .status = 4, .operation = 1, .constant = 5},
       [&](auto& t) { return num(t.world.lives); }, "99"},
      {"a scroll speed sets its axis again", [](auto&) {}, Op{.subject = 2, .status = 2, .constant = 999},
       [&](auto& t) { return num(t.world.scrollY) + " " + num(t.world.scrollChanges.at(0)); }, "480 1"},
      {"the time as an operand without a limit is 0", [](auto& t) { t.world.time = 50; t.world.timeLimit = false; },
       Op{.status = kStatusPower, .operandType = 2, .operandSubject = 2, .operandStatus = 0}, [&](auto& t) { return num(t.self.power); }, "0"},
      {"an operand from the target", [](auto& t) { t.self.target = &t.other; t.other.defence = 33; },
       Op{.status = kStatusPower, .operandType = 2, .operandSubject = 1, .operandStatus = kStatusDefence},
       [&](auto& t) { return num(t.self.power); }, "33"},
      {"a computer's sight as an operand stops the command", [](auto& t) { t.self.power = 5; },
       Op{.status = kStatusPower, .operandType = 2, .operandStatus = kStatusSight}, [&](auto& t) { return num(t.self.power); }, "5"},
  };
  for (const Case& c : cases) {
    Scene t;
    c.before(t);
    CmdStatusOp(t.self, c.op.Command());
    EXPECT_EQ(c.result(t), c.expected) << c.name;
  }
}

TEST(StatusOpsTest, RandomOperandsFallBetweenTheBoundsInEitherOrder) {
  SeedGameRandom(7);
  for (int i = 0; i < 200; ++i) {
    const int v = RandRange(5, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 5);
  }
}

cEdCondition Condition(int leftTarget, int leftStatus, int op, int value) {
  cEdCondition c;
  c.nKind = 4;
  c.nLeftTarget = static_cast<std::uint8_t>(leftTarget);
  c.nLeftStatus = static_cast<std::uint8_t>(leftStatus);
  c.nOp = static_cast<std::uint8_t>(op);
  c.nValue = value;
  return c;
}

TEST(StatusOpsTest, TheConditionReadsEachStatusAtItsWidth) {
  Scene t;
  FakeActor& self = t.self;
  FakeWorld& world = t.world;
  self.z = 2;
  EXPECT_TRUE(CheckStatusCondition(Condition(0, kStatusZ, 0, 258), self));
  self.mark = 2;
  EXPECT_FALSE(CheckStatusCondition(Condition(0, kStatusMark, 0, 258), self));
  // HP against a percentage of the maximum.
  self.hp = 5;
  cEdCondition half = Condition(0, kStatusHp, 2, 50);
  half.nPercent = 1;
  EXPECT_TRUE(CheckStatusCondition(half, self));
  self.hp = 4;
  EXPECT_FALSE(CheckStatusCondition(half, self));
  // The time on the left is the raw remaining time, even without a limit.
  world.time = 30;
  world.timeLimit = false;
  EXPECT_TRUE(CheckStatusCondition(Condition(2, 0, 0, 30), self));
  // Lives while unlimited: false whatever the test.
  world.lives = 999999;
  EXPECT_FALSE(CheckStatusCondition(Condition(2, 4, 1, 5), self));
  // No target: false.
  EXPECT_FALSE(CheckStatusCondition(Condition(1, kStatusPower, 0, 0), self));
  // A variable on the left against a stage variable on the right.
  cEdCondition vars = Condition(0, 0, 0, 0);
  vars.nLeftSource = 1;
  vars.nLeftScope = 1;
  vars.nVarIndex = 3;
  vars.nRightSource = 3;
  vars.nRightScope = 0;
  vars.nRightIndex = 2;
  world.stage[3] = 11;
  world.common[2] = 11;
  EXPECT_TRUE(CheckStatusCondition(vars, self));
}

}  // namespace
