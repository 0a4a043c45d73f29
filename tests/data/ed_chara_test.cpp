#include "data/ed_chara.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::CharaFields;
using Flags = std::vector<std::uint8_t>;

struct FlowSpec {
  std::uint8_t flowId;
  std::uint8_t testPlayOnly;
  bool withCommand;
};

// A character at a version: the sample fields (some replaced by name), the name, the cell and
// held item, the flags, one condition and the flows.
std::string CharaBytes(std::int32_t version, const std::vector<std::pair<std::string, std::int64_t>>& values = {},
                       const Flags& flags = Flags(37, 0), const std::vector<FlowSpec>& flows = {{1, 0, true}}) {
  datatest::FieldTable<cEdChara> table = CharaFields();
  for (auto& field : table) {
    for (const auto& [name, value] : values) {
      if (name == field.name) field.sample = value;
    }
  }
  ByteBuilder b;
  datatest::PutFields(b, table, version);
  b.strings(1).str("勇者");
  b.i16(4).i16(-2).i32(-1).u32(static_cast<std::uint32_t>(flags.size()));
  for (const std::uint8_t f : flags) b.u8(f);
  b.list(1).fields(17).u8(3).i32(8).i32(0).i32(0).u8(0).u8(0).u8(0).u8(0).i16(1).u8(0).u8(0).u8(0).u8(0).i16(0);
  b.u8(1).u8(0).u8(0).strings(0);
  b.list(static_cast<std::uint32_t>(flows.size()));
  for (const FlowSpec& flow : flows) {
    b.fields(8).u8(flow.flowId).u8(0).u8(flow.testPlayOnly).u8(0).u8(0).u8(0).u8(3).u8(0);
    if (version >= 676) {
      b.strings(1).str("");  // the memo
    } else {
      b.strings(0);
    }
    b.list(0).list(0).list(flow.withCommand ? 1 : 0);
    if (flow.withCommand) {
      b.fields(8).u8(0).u8(kCmdWait).i16(0).i16(0).u8(0).i16(0).u8(1).i16(0).strings(1).str("");
      b.u32(0).u32(0).list(0).u32(0);
    }
  }
  return b.bytes();
}

Flags Sequence37() {
  Flags flags(37);
  for (int i = 0; i < 37; ++i) flags[i] = static_cast<std::uint8_t>(100 + i);
  return flags;
}

class CharaTest : public datatest::DataRecordTest {
 protected:
  static cEdChara Expected() {
    cEdChara expected;
    datatest::SetSamples(expected, CharaFields());
    return expected;
  }
};

TEST_F(CharaTest, ANewCharacterHasItsDefaults) {
  const cEdChara c;
  EXPECT_EQ(c.nMaxHp, 10);
  EXPECT_EQ(c.nStopEase, 10);
  EXPECT_EQ(c.nOperator, 1);
  EXPECT_EQ(c.nGroup, 1);
  EXPECT_EQ(c.nZ, 3);
  EXPECT_EQ(c.nStartEffectParam2, 1);
  EXPECT_EQ(c.nGraphicKind, 1);
  EXPECT_EQ(c.nGiant, 1);
  EXPECT_EQ(c.bFixedFacing, 1);
  EXPECT_EQ(c.nEditorSetting, 1);
  EXPECT_EQ(c.nPicture, 0);
  EXPECT_EQ(c.nDefence, 0);
  EXPECT_EQ(c.nHeldItem, 0);
  EXPECT_EQ(c.inheritFlags, cVector<std::uint8_t>(37, 0));
  EXPECT_TRUE(c.flows.empty());

  cEdChara changed = c;
  changed.nMaxHp = 1;
  changed.flows.resize(2);
  changed.inheritFlags.clear();
  changed.Clear();
  EXPECT_EQ(changed.nMaxHp, 10);
  EXPECT_TRUE(changed.flows.empty());
  EXPECT_EQ(changed.inheritFlags.size(), 37u);
}

TEST_F(CharaTest, ReadsEveryPartOfACurrentCharacterAndWritesTheSameBytes) {
  const std::string bytes = CharaBytes(750, {}, Sequence37());
  cEdChara c;
  ASSERT_TRUE(ReadAt(c, bytes, 750));
  datatest::ExpectSameFields(c, Expected(), CharaFields());
  EXPECT_EQ(c.strName, "勇者");
  EXPECT_EQ(c.x, 4);
  EXPECT_EQ(c.y, -2);
  EXPECT_EQ(c.nHeldItem, -1);
  EXPECT_EQ(Flags(c.inheritFlags.begin(), c.inheritFlags.end()), Sequence37());
  ASSERT_EQ(c.conditions.size(), 1u);
  EXPECT_EQ(c.conditions[0].nKind, 3);
  ASSERT_EQ(c.flows.size(), 1u);
  ASSERT_EQ(c.flows[0].commands.size(), 1u);
  EXPECT_EQ(WriteOf(c), bytes);
}

// Each gate on either side: fields a version lacks get their fix-up values (the record read
// into holds other values first, and reading does not clear); a property group inserted at 168
// (27), 201 (24) and 210 (21) moves the later flags up, the last one lost.
TEST_F(CharaTest, EachVersionReadsItsLayoutWithTheFixUps) {
  struct FixUp {
    const char* field;
    std::int32_t below;
    std::int64_t value;
  };
  const FixUp fixUps[] = {
      {"nDefence", 168, 0},  {"nStartEffectParam1", 196, 0}, {"nDeathEffectParam", 196, 0},
      {"nBodyBox", 201, 0},  {"bFollowScroll", 210, 0},      {"nTint", 285, 1},
  };
  struct Insertion {
    std::int32_t below;
    int group;
  };
  const Insertion insertions[] = {{168, 27}, {201, 24}, {210, 21}};
  for (const std::int32_t version : {167, 168, 195, 196, 200, 201, 209, 210, 284, 285, 750}) {
    SCOPED_TRACE(version);
    cEdChara c;
    datatest::SetSamples(c, CharaFields(), 100);
    ASSERT_TRUE(ReadAt(c, CharaBytes(version, {{"nBodyBox", 1}}, Sequence37()), version));
    cEdChara expected = Expected();
    expected.nBodyBox = 1;
    for (const auto& field : CharaFields()) {
      for (const FixUp& fixUp : fixUps) {
        if (version < fixUp.below && std::string(fixUp.field) == field.name) field.set(expected, 0, fixUp.value);
      }
    }
    datatest::ExpectSameFields(c, expected, CharaFields());
    Flags flags = Sequence37();
    for (const Insertion& insertion : insertions) {
      if (version >= insertion.below) continue;
      flags.insert(flags.begin() + insertion.group, 1);
      flags.resize(37);
    }
    EXPECT_EQ(Flags(c.inheritFlags.begin(), c.inheritFlags.end()), flags);
  }
}

TEST_F(CharaTest, FlagInsertionsBringAnyStoredCountToThirtySeven) {
  // Version 209 with [f0..f36]: [f0..f20, 1, f21..f35].
  cEdChara c;
  ASSERT_TRUE(ReadAt(c, CharaBytes(209, {}, Sequence37()), 209));
  const Flags stored = Sequence37();
  Flags expected(stored.begin(), stored.begin() + 21);
  expected.push_back(1);
  for (int i = 21; i <= 35; ++i) expected.push_back(static_cast<std::uint8_t>(100 + i));
  EXPECT_EQ(Flags(c.inheritFlags.begin(), c.inheritFlags.end()), expected);

  // Fewer flags are padded before the insertion; more are cut.
  for (const std::size_t stored : {std::size_t{0}, std::size_t{5}, std::size_t{40}}) {
    cEdChara short_;
    ASSERT_TRUE(ReadAt(short_, CharaBytes(209, {}, Flags(stored, 7)), 209));
    ASSERT_EQ(short_.inheritFlags.size(), 37u) << stored;
    for (int i = 0; i < 37; ++i) {
      const int want = i == 21 ? 1 : ((i < 21 ? i : i - 1) < static_cast<int>(stored) ? 7 : 0);
      EXPECT_EQ(short_.inheritFlags[i], want) << stored << " flag " << i;
    }
  }
  // From 210 on the count is kept as stored.
  cEdChara current;
  ASSERT_TRUE(ReadAt(current, CharaBytes(210, {}, Flags(5, 7)), 210));
  EXPECT_EQ(current.inheritFlags.size(), 5u);
}

TEST_F(CharaTest, BodyBoxBasisTwoWasInsertedAt206AndPicturesRenumberedAt219) {
  struct Row {
    std::int32_t version;
    std::vector<std::pair<std::string, std::int64_t>> stored;
    std::string field;
    int expected;
  };
  const Row rows[] = {
      {205, {{"nBodyBox", 2}}, "nBodyBox", 3},
      {205, {{"nBodyBox", 1}}, "nBodyBox", 1},
      {206, {{"nBodyBox", 2}}, "nBodyBox", 2},
      {218, {{"nGraphicKind", 3}, {"nPicture", 40}}, "nPicture", 41},
      {218, {{"nGraphicKind", 3}, {"nPicture", 119}}, "nPicture", 119},
      {219, {{"nGraphicKind", 3}, {"nPicture", 40}}, "nPicture", 40},
  };
  for (const Row& row : rows) {
    cEdChara c;
    ASSERT_TRUE(ReadAt(c, CharaBytes(row.version, row.stored), row.version));
    for (const auto& field : CharaFields()) {
      if (row.field == field.name) {
        EXPECT_EQ(field.get(c, 0), row.expected) << row.version;
      }
    }
  }
}

TEST_F(CharaTest, ValidationClampsReferencesAndSettings) {
  Context().database = DatabaseCounts{4, 5, 3, 6, 7, 8, 9, 10, 11};
  struct Row {
    std::vector<std::pair<std::string, std::int64_t>> stored;
    std::vector<std::pair<std::string, std::int64_t>> expected;
  };
  const Row rows[] = {
      {{{"nGiant", 0}}, {{"nGiant", 1}}},
      {{{"nGiant", 200}}, {{"nGiant", 1}}},
      {{{"nGiant", 10}}, {{"nGiant", 10}}},
      {{{"nGraphicKind", 4}, {"nPicture", 3}}, {{"nGraphicKind", 4}, {"nPicture", 1}}},
      {{{"nGraphicKind", 4}, {"nPicture", 2}}, {{"nGraphicKind", 4}, {"nPicture", 2}}},
      {{{"nGraphicKind", 2}, {"nPicture", 3}}, {{"nGraphicKind", 2}, {"nPicture", 3}}},
      {{{"nAnimeSet", 4}, {"nStartEffect", 7}, {"nDeathEffect", 7}, {"nHitEffect", 6}},
       {{"nAnimeSet", 0}, {"nStartEffect", 0}, {"nDeathEffect", 0}, {"nHitEffect", 0}}},
      {{{"nAnimeSet", 3}, {"nStartEffect", 6}, {"nDeathEffect", 6}, {"nHitEffect", 5}},
       {{"nAnimeSet", 3}, {"nStartEffect", 6}, {"nDeathEffect", 6}, {"nHitEffect", 5}}},
      {{{"nOperator", 0}, {"bBlockChara", 1}, {"nCopies", 4}}, {{"nOperator", 0}, {"bBlockChara", 0}, {"nCopies", 0}}},
      {{{"nOperator", 1}, {"bBlockChara", 1}, {"nCopies", 4}}, {{"nOperator", 1}, {"bBlockChara", 1}, {"nCopies", 4}}},
  };
  for (const Row& row : rows) {
    cEdChara c;
    ASSERT_TRUE(ReadAt(c, CharaBytes(750, row.stored), 750));
    for (const auto& field : CharaFields()) {
      for (const auto& [name, value] : row.expected) {
        if (name == field.name) {
          EXPECT_EQ(field.get(c, 0), value) << name << " from " << row.stored[0].second;
        }
      }
    }
  }
}

// Flows with nothing in them go; the rest keep their order.
TEST_F(CharaTest, EmptyFlowsAreRemoved) {
  cEdChara c;
  ASSERT_TRUE(
      ReadAt(c, CharaBytes(750, {}, Flags(37, 0), {{1, 0, false}, {2, 0, true}, {3, 0, false}, {4, 0, true}}), 750));
  ASSERT_EQ(c.flows.size(), 2u);
  EXPECT_EQ(c.flows[0].nFlowId, 2);
  EXPECT_EQ(c.flows[1].nFlowId, 4);
}

TEST_F(CharaTest, TestPlayFlowsSurviveOnlyInATestPlayOrWhenKept) {
  const std::string bytes = CharaBytes(750, {}, Flags(37, 0), {{1, 1, true}, {2, 0, true}, {3, 1, true}});
  struct Row {
    std::int32_t fromEditor;
    std::int32_t keep;
    std::vector<int> ids;
  };
  for (const Row& row : {Row{0, 0, {2}}, Row{1, 0, {1, 2, 3}}, Row{0, 1, {1, 2, 3}}}) {
    Context().FromEditor = row.fromEditor;
    Context().bKeepTestFlows = row.keep;
    cEdChara c;
    ASSERT_TRUE(ReadAt(c, bytes, 750));
    std::vector<int> ids;
    for (const cEdFlow& flow : c.flows) ids.push_back(flow.nFlowId);
    EXPECT_EQ(ids, row.ids) << row.fromEditor << " " << row.keep;
  }
}

TEST_F(CharaTest, SummonReferencesOfEveryFlowAreChecked) {
  cVector<cEdChara> common(2);
  Context().commonPalette.charas = &common;
  cEdChara c;
  c.flows.resize(2);
  c.flows[1].commands.resize(1);
  cEdCommand& summon = c.flows[1].commands[0];
  summon.nKind = kCmdSummonChara;
  summon.pShot.reset(new cEdShot());
  summon.pShot->nSummonPalette = 0;
  summon.pShot->nSummonIndex = 2;
  c.ValidateSummons(Context());
  EXPECT_EQ(summon.pShot->nSummonIndex, 1);
}

TEST_F(CharaTest, CopyOffsetsGrowPerCopyAndMirrorForFacingOne) {
  cEdChara c;
  c.nCopyX = 10;
  c.nCopyXStep = 32;
  c.bCopyMirrorX = 1;
  c.nCopyY = -4;
  c.nCopyYStep = 8;
  EXPECT_EQ(c.CopyOffsetX(2, 0), 74);
  EXPECT_EQ(c.CopyOffsetX(2, 1), -74);
  EXPECT_EQ(c.CopyOffsetY(1, 1), 4);
  c.bCopyMirrorY = 1;
  EXPECT_EQ(c.CopyOffsetY(1, 1), -4);
}

TEST_F(CharaTest, CopiesAreDeep) {
  cEdChara c;
  c.flows.resize(1);
  c.flows[0].commands.resize(1);
  c.flows[0].commands[0].pShot.reset(new cEdShot());
  cEdChara copy = c;
  copy.flows[0].commands[0].pShot->nPower = 9;
  EXPECT_EQ(c.flows[0].commands[0].pShot->nPower, 0);
  cEdChara assigned;
  assigned = c;
  EXPECT_NE(assigned.flows[0].commands[0].pShot.get(), c.flows[0].commands[0].pShot.get());
}

TEST_F(CharaTest, EveryShorterPrefixOfACharacterFailsToRead) {
  const std::string bytes = CharaBytes(750);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    cEdChara c;
    EXPECT_FALSE(ReadAt(c, bytes.substr(0, n), 750)) << n;
  }
}

}  // namespace
