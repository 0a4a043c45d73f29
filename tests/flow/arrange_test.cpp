// The arrange command: entries filed by a flow change the next command of their kind for good,
// within the parameter's limits.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <vector>

#include "data/command_tables.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
#include "fake_actor.h"
#include "flow/arrange.h"
#include "flow/flow_cursor.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FakeWorld;

cEdCommand ArrangeCommand(std::vector<std::int32_t> entry) {
  cEdCommand c = Command(kCmdArrange, 0);
  for (std::int32_t v : entry) c.params.push_back(v);
  return c;
}

cEdCommand Straight(int tenths) {
  cEdCommand c = Command(kCmdMoveStraight, tenths);
  c.pMove = boost::make_shared<cEdMove>();
  c.pMove->nSpeed = 10;
  return c;
}

cEdCommand ShotWithPower(std::int32_t power) {
  cEdCommand c = Command(kCmdShot, 1);
  c.pShot = boost::make_shared<cEdShot>();
  c.pShot->nPower = power;
  return c;
}

cVector<std::int32_t> Entry(std::vector<std::int32_t> values) {
  cVector<std::int32_t> e;
  for (std::int32_t v : values) e.push_back(v);
  return e;
}

class ArrangeTest : public testing::Test {
 protected:
  ArrangeTest() { InitArrangeLimits(); }
  FakeWorld world;
  FakeActor self;
};

TEST_F(ArrangeTest, TheTableHoldsEachKindsParametersAndItsAccessors) {
  ASSERT_EQ(ArrangeLimits.size(), 40u);
  const std::pair<int, std::size_t> counts[] = {{2, 6},  {5, 6},  {6, 6},  {11, 29}, {12, 4}, {13, 6}, {14, 8},
                                                {15, 7}, {17, 5}, {19, 5}, {20, 6},  {21, 3}, {22, 2}, {24, 1},
                                                {26, 2}, {29, 5}, {32, 6}, {33, 4},  {34, 1}, {3, 0},  {0, 0}};
  for (const auto& [kind, rows] : counts) EXPECT_EQ(ArrangeLimits[kind].size(), rows) << kind;
  EXPECT_EQ(ArrangeLimits[11][27].label, "威力");
  EXPECT_EQ(ArrangeLimits[11][27].min, -999999);
  EXPECT_EQ(ArrangeLimits[20][1].max, 40);
  EXPECT_NE(ArrangeSetters[3], nullptr);  // present, changing nothing
  EXPECT_EQ(ArrangeSetters[1], nullptr);
  InitArrangeLimits();  // again: the same table
  EXPECT_EQ(ArrangeLimits[11].size(), 29u);
}

TEST_F(ArrangeTest, AnEntryChangesTheNextCommandOfItsKindForGood) {
  flowtest::OneFlowRig rig({ArrangeCommand({2, 0, 1, 3, 5}), Straight(0)});
  rig.Step(2);  // the arrange files its entry; the move starts with it
  cEdCommand& move = rig.actor.defs[0].commands[1];
  EXPECT_EQ(move.pMove->nTargetX, 5);
  {
    const FlowCursorScope scope;
    CurrentFlow().chara = &rig.actor;
    rig.Flow().Start();
  }
  rig.Step(2);  // both again
  EXPECT_EQ(move.pMove->nTargetX, 10);
  EXPECT_TRUE(rig.Flow().lArranges.empty());

  // An entry of another kind is spent by the next command without changing it.
  flowtest::OneFlowRig other({ArrangeCommand({11, 27, 0, 3, 9}), ArrangeCommand({2, 2, 0, 3, 4}), Straight(0),
                              ShotWithPower(1)});
  other.Step(4);
  EXPECT_EQ(other.actor.defs[0].commands[2].pMove->nTargetY, 4);
  EXPECT_EQ(other.actor.defs[0].commands[3].pShot->nPower, 1);
}

TEST_F(ArrangeTest, OperationsSourcesAndLimits) {
  struct Case {
    const char* name;
    std::int32_t power;
    std::vector<std::int32_t> entry;
    std::int32_t expected;
  };
  world.stage[3] = 0;
  world.common[2] = 7;
  self.vars[0] = 11;
  const Case cases[] = {
      {"* past the top", 50000, {11, 27, 3, 3, 50000}, 999999},
      {"* past the bottom", 50000, {11, 27, 3, 3, -50000}, -999999},
      {"50 % of 3", 3, {11, 27, 6, 3, 50}, 2},
      {"50 % of -3", -3, {11, 27, 6, 3, 50}, -2},
      {"33 % of 10", 10, {11, 27, 6, 3, 33}, 3},
      {"150 % of 7", 7, {11, 27, 6, 3, 150}, 11},
      {"/ by a variable holding 0", 40, {11, 27, 4, 1, 3}, 40},
      {"% by -1", 40, {11, 27, 5, 3, -1}, 0},
      {"a common variable", 40, {11, 27, 1, 0, 2}, 47},
      {"common variable 0: no change", 40, {11, 27, 0, 0, 0}, 40},
      {"character variable 0", 40, {11, 27, 0, 2, 0}, 11},
      {"an unknown operation", 40, {11, 27, 9, 3, 5}, 40},
      {"another kind", 40, {12, 2, 0, 3, 5}, 40},
  };
  for (const Case& c : cases) {
    cEdCommand shot = ShotWithPower(c.power);
    ApplyArrange(shot, Entry(c.entry), self);
    EXPECT_EQ(shot.pShot->nPower, c.expected) << c.name;
  }
  // "+" stops at the limit: a message ID of 998 plus 5000 is 999.
  cEdCommand message = Command(kCmdMessage, 0);
  message.params.assign(18, 0);
  message.params[13] = 998;
  ApplyArrange(message, Entry({19, 0, 1, 3, 5000}), self);
  EXPECT_EQ(message.params[13], 999);
}

TEST_F(ArrangeTest, ByteFieldsKeepTheirSignAndTypeLimitsFollowTheRecord) {
  cEdCommand shot = ShotWithPower(0);
  ApplyArrange(shot, Entry({11, 28, 0, 3, -20}), self);  // impact
  EXPECT_EQ(shot.pShot->nImpact, 236);
  std::int32_t read = 0;
  ArrangeGetters[11](read, 28, shot);
  EXPECT_EQ(read, -20);
  ApplyArrange(shot, Entry({11, 28, 2, 3, 5}), self);
  EXPECT_EQ(static_cast<std::int8_t>(shot.pShot->nImpact), -20);  // the limit

  // A formation parameter keeps within its formation's row, not 0 .. 0 or the whole range.
  shot.pShot->nFormation = 2;
  ApplyArrange(shot, Entry({11, 2, 0, 3, 100000}), self);
  EXPECT_GT(shot.pShot->nFormParam[0], 0);
  EXPECT_LT(shot.pShot->nFormParam[0], 100000);
  // A summon by an item has no shot record: nothing to change.
  cEdCommand summon = Command(kCmdSummonChara - kItemKindOffset, 0);
  summon.nSet = kItemCommandSet;
  ApplyArrange(summon, Entry({14, 5, 0, 3, 3}), self);
  EXPECT_FALSE(summon.pShot);
}

TEST_F(ArrangeTest, AnItemsEntryIsFiledWithTheHero) {
  struct Hero : FakeActor {
    cVector<cVector<std::int32_t>>* ItemArranges() override { return &entries; }
    cVector<cVector<std::int32_t>> entries;
  } withList;
  world.hero = &withList;
  cEdCommand item = ArrangeCommand({11, 27, 0, 3, 1});
  item.nSet = kItemCommandSet;
  item.nKind = kCmdArrange - kItemKindOffset;
  CmdArrange(self, item);
  ASSERT_EQ(withList.entries.size(), 1u);
  EXPECT_EQ(withList.entries[0][4], 1);
}

}  // namespace
