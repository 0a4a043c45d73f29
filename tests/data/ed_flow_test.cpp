#include "data/ed_flow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data_test_support.h"

namespace {

using datatest::ByteBuilder;

struct FlowFields {
  std::uint8_t flowId = 0;
  std::uint8_t flowSwitch = 0;
  std::uint8_t testPlayOnly = 0;
  std::uint8_t rule = 0;
  std::uint8_t latch = 0;
  std::uint8_t trigger = 0;
  std::uint8_t keyGap = 3;
  std::uint8_t keyContinuous = 0;
};

// A command of the given kind with no records, flows or parameters beyond the given ones.
std::string CommandBytes(std::uint8_t kind, const std::string& flowList = "", std::uint8_t set = 0) {
  ByteBuilder b;
  b.fields(8).u8(set).u8(kind).i16(0).i16(0).u8(0).i16(0).u8(1).i16(0).strings(1).str("");
  b.u32(0).u32(0);
  if (flowList.empty()) b.list(0);
  b.raw(flowList);
  b.u32(set == 1 && kind == kItemCmdChangeFlows ? 2 : 0);
  if (set == 1 && kind == kItemCmdChangeFlows) b.i32(0).i32(0);
  return b.bytes();
}

// A flow at a version: the memo from 676 on, one condition, one key condition and commands.
std::string FlowBytes(std::int32_t version, const FlowFields& f, const std::vector<std::string>& commands,
                      bool withConditions = true, const char* memo = "メモ") {
  ByteBuilder b;
  b.fields(8).u8(f.flowId).u8(f.flowSwitch).u8(f.testPlayOnly).u8(f.rule).u8(f.latch).u8(f.trigger).u8(f.keyGap);
  b.u8(f.keyContinuous);
  if (version >= 676) {
    b.strings(1).str(memo);
  } else {
    b.strings(0);
  }
  if (withConditions) {
    b.list(1).fields(17).u8(1).i32(5).i32(0).i32(0).u8(0).u8(0).u8(0).u8(0).i16(2).u8(0).u8(0).u8(0).u8(0).i16(0);
    b.u8(0).u8(0).u8(0).strings(0);
    b.list(1).fields(5).u8(0).i16(1).i16(2).u8(0).u8(1).strings(0).u32(19);
    for (int i = 0; i < 19; ++i) b.u8(static_cast<std::uint8_t>(i == 2 ? 1 : 0));
  } else {
    b.list(0).list(0);
  }
  b.list(static_cast<std::uint32_t>(commands.size()));
  for (const std::string& c : commands) b.raw(c);
  return b.bytes();
}

std::string FlowList(std::int32_t version, const std::vector<std::pair<FlowFields, std::vector<std::string>>>& flows) {
  ByteBuilder b;
  b.list(static_cast<std::uint32_t>(flows.size()));
  for (const auto& [fields, commands] : flows) b.raw(FlowBytes(version, fields, commands));
  return b.bytes();
}

class FlowTest : public datatest::DataRecordTest {};

TEST_F(FlowTest, ReadsEveryPartOfACurrentFlowAndEmptiesTheMemo) {
  FlowFields f{7, 2, 0, 1, 1, 19, 5, 1};
  cEdFlow flow;
  flow.strMemo = "old";
  ASSERT_TRUE(ReadAt(flow, FlowBytes(750, f, {CommandBytes(kCmdWait), CommandBytes(kCmdJump)}), 750));
  EXPECT_EQ(flow.nFlowId, 7);
  EXPECT_EQ(flow.nSwitch, 2);
  EXPECT_EQ(flow.bTestPlayOnly, 0);
  EXPECT_EQ(flow.nRule, 1);
  EXPECT_EQ(flow.bLatch, 1);
  EXPECT_EQ(flow.nTrigger, 19);
  EXPECT_EQ(flow.nKeyGap, 5);
  EXPECT_EQ(flow.bKeyContinuous, 1);
  EXPECT_EQ(flow.strMemo, "");
  ASSERT_EQ(flow.conditions.size(), 1u);
  EXPECT_EQ(flow.conditions[0].nKind, 1);
  EXPECT_EQ(flow.conditions[0].nValue, 5);
  EXPECT_EQ(flow.conditions[0].nVarIndex, 2);
  ASSERT_EQ(flow.keyConditions.size(), 1u);
  EXPECT_EQ(flow.keyConditions[0].nMaxHold, 2);
  EXPECT_EQ(flow.keyConditions[0].keyStates[2], 1);
  ASSERT_EQ(flow.commands.size(), 2u);
  EXPECT_EQ(flow.commands[1].nKind, kCmdJump);
  EXPECT_EQ(flow.commands[1].params.size(), 5u);  // validated to its kind's count
}

TEST_F(FlowTest, ACurrentFlowWritesBackTheSameBytes) {
  const std::string bytes = FlowBytes(750, FlowFields{7, 2, 1, 1, 1, 19, 5, 1},
                                      {CommandBytes(kCmdWait), CommandBytes(kCmdStopMoving)}, true, "");
  cEdFlow flow;
  ASSERT_TRUE(ReadAt(flow, bytes, 750));
  EXPECT_EQ(WriteOf(flow), bytes);
}

TEST_F(FlowTest, AFlowWithoutMemoBefore676ReadsItsFieldsAll) {
  for (const std::int32_t version : {675, 676}) {
    cEdFlow flow;
    ASSERT_TRUE(ReadAt(flow, FlowBytes(version, FlowFields{3, 0, 0, 0, 0, 0, 4, 0}, {}), version)) << version;
    EXPECT_EQ(flow.nFlowId, 3);
    EXPECT_EQ(flow.nKeyGap, 4);
    EXPECT_EQ(flow.strMemo, "");
  }
}

TEST_F(FlowTest, TriggerMigrationsCompose) {
  struct Row {
    std::int32_t version;
    std::uint8_t trigger;
    std::uint8_t flowSwitch;
    int triggerOut;
    int switchOut;
  };
  const Row rows[] = {
      {131, 11, 0, 14, 0}, {131, 4, 0, 4, 0}, {131, 10, 0, 12, 0},   {132, 11, 0, 13, 0},
      {163, 5, 4, 7, 4},   {162, 3, 4, 3, 0}, {162, 0, 4, 0, 4},     {163, 3, 4, 3, 4},
      {164, 5, 4, 5, 4},   {131, 0, 9, 0, 9}, {750, 19, 26, 19, 26},
  };
  for (const Row& row : rows) {
    FlowFields f;
    f.trigger = row.trigger;
    f.flowSwitch = row.flowSwitch;
    cEdFlow flow;
    ASSERT_TRUE(ReadAt(flow, FlowBytes(row.version, f, {}), row.version));
    EXPECT_EQ(flow.nTrigger, row.triggerOut) << row.version << " trigger " << int(row.trigger);
    EXPECT_EQ(flow.nSwitch, row.switchOut) << row.version << " trigger " << int(row.trigger);
  }
}

// New list elements are default flows: what a short record part does not carry keeps the
// default, the key gap of 3.
TEST_F(FlowTest, TheListDefaultHasKeyGapThree) {
  const cEdFlow flow;
  EXPECT_EQ(flow.nKeyGap, 3);
  ByteBuilder b;
  b.list(2).fields(6).u8(1).u8(0).u8(0).u8(0).u8(0).u8(0).strings(1).str("").list(0).list(0).list(0);
  b.fields(0).strings(0).list(0).list(0).list(0);
  RecordReader in(b.bytes(), "list");
  in.SetVersion(750);
  cVector<cEdFlow> list;
  ASSERT_TRUE(ReadFlowList(list, in));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].nFlowId, 1);
  EXPECT_EQ(list[0].nKeyGap, 3);
  EXPECT_EQ(list[1].nKeyGap, 3);
  EXPECT_TRUE(in.AtEnd());
}

// Test-play flows vanish from every level outside a test play, unless the project keeps them.
TEST_F(FlowTest, TestPlayFlowsAreDroppedFromNestedFlowsOutsideATestPlay) {
  FlowFields kept;
  kept.flowId = 1;
  FlowFields testOnly;
  testOnly.flowId = 2;
  testOnly.testPlayOnly = 1;
  FlowFields last;
  last.flowId = 3;
  const std::string nested = FlowList(750, {{kept, {}}, {testOnly, {}}, {last, {}}});
  const std::string bytes = FlowBytes(750, FlowFields{}, {CommandBytes(kItemCmdChangeFlows, nested, 1)});
  struct Row {
    std::int32_t fromEditor;
    std::int32_t keep;
    std::vector<int> ids;
  };
  for (const Row& row : {Row{0, 0, {1, 3}}, Row{1, 0, {1, 2, 3}}, Row{0, 1, {1, 2, 3}}, Row{1, 1, {1, 2, 3}}}) {
    Context().FromEditor = row.fromEditor;
    Context().bKeepTestFlows = row.keep;
    cEdFlow flow;
    ASSERT_TRUE(ReadAt(flow, bytes, 750));
    std::vector<int> ids;
    for (const cEdFlow& f : flow.commands[0].flows) ids.push_back(f.nFlowId);
    EXPECT_EQ(ids, row.ids) << row.fromEditor << " " << row.keep;
  }
}

TEST_F(FlowTest, DropTestPlayFlowsKeepsTheOrderOfTheRest) {
  cVector<cEdFlow> list(5);
  for (int i = 0; i < 5; ++i) {
    list[i].nFlowId = static_cast<std::uint8_t>(i + 1);
    list[i].bTestPlayOnly = static_cast<std::uint8_t>(i % 2 == 0 ? 1 : 0);
  }
  DropTestPlayFlows(list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].nFlowId, 2);
  EXPECT_EQ(list[1].nFlowId, 4);
}

TEST_F(FlowTest, ValidationReachesEveryCommandAndItsNestedFlows) {
  Context().database.sounds = 3;
  cEdFlow flow;
  flow.commands.resize(1);
  flow.commands[0].nSet = 1;
  flow.commands[0].nKind = kItemCmdChangeFlows;
  flow.commands[0].flows.resize(1);
  flow.commands[0].flows[0].commands.resize(1);
  cEdCommand& inner = flow.commands[0].flows[0].commands[0];
  inner.nKind = kCmdPlaySound;
  inner.nSound = 3;
  inner.params = {5};
  flow.Validate(Context());
  EXPECT_EQ(flow.commands[0].params.size(), 2u);
  EXPECT_EQ(inner.nSound, 0);
  EXPECT_EQ(inner.params, cVector<std::int32_t>{1});
}

}  // namespace
