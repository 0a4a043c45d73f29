#include "data/ed_shot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/shot_param_tables.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::ShotFields;

class ShotTest : public datatest::DataRecordTest {
 protected:
  // A shot at a version with the samples, some of them replaced by name.
  static std::string Bytes(std::int32_t version, const std::vector<std::pair<std::string, std::int64_t>>& values = {}) {
    datatest::FieldTable<cEdShot> table = ShotFields();
    for (auto& field : table) {
      for (const auto& [name, value] : values) {
        if (name == field.name) field.sample = value;
      }
    }
    ByteBuilder b;
    datatest::PutFields(b, table, version);
    b.strings(0);
    return b.bytes();
  }
};

TEST_F(ShotTest, ANewRecordHasItsDefaults) {
  const cEdShot s;
  EXPECT_EQ(s.bTakeGroup, 1);
  EXPECT_EQ(s.bMirrorAngle, 1);
  EXPECT_EQ(s.bVolleyMirrorX, 1);
  EXPECT_EQ(s.bVolleyMirrorY, 0);
  EXPECT_EQ(s.nScale, 1);
  EXPECT_EQ(s.nEffect, 0);
}

// Every gate on either side. The record read into holds other values first: reading does not
// clear, so a field a version lacks keeps them unless a fix-up sets it; every field here that a
// version lacks has a fix-up.
TEST_F(ShotTest, EachVersionReadsItsLayoutWithTheFixUps) {
  struct FixUp {
    const char* field;
    std::int32_t below;
    std::int64_t value;  // samples: trajectory 27 (not homing), pierce 43, undo on hero 54
  };
  const FixUp fixUps[] = {
      {"bMirrorAngle", 158, 0}, {"bUndoOnChara", 197, 54}, {"bFollowScroll", 212, 0},
      {"bAccelerate", 213, 0},  {"nAccel", 213, 0},        {"nAccelStep", 213, 0},
      {"bPierceBlockChara", 636, 43}, {"nFormTarget", 671, 0},
  };
  for (const std::int32_t version : {157, 158, 196, 197, 210, 211, 212, 213, 635, 636, 670, 671, 750}) {
    SCOPED_TRACE(version);
    cEdShot read;
    datatest::SetSamples(read, ShotFields(), 100);
    ASSERT_TRUE(ReadAt(read, Bytes(version), version));
    cEdShot expected;
    datatest::SetSamples(expected, ShotFields());
    for (const auto& field : ShotFields()) {
      for (const FixUp& fixUp : fixUps) {
        if (version < fixUp.below && std::string(fixUp.field) == field.name) field.set(expected, 0, fixUp.value);
      }
    }
    datatest::ExpectSameFields(read, expected, ShotFields());
  }
}

// Files before 212 follow the scroll exactly with the homing trajectories, whatever 211 stored.
TEST_F(ShotTest, FollowingTheScrollComesFromTheTrajectoryBefore212) {
  struct Row {
    std::int32_t version;
    std::int64_t trajectory;
    std::int64_t stored;
    int expected;
  };
  const Row rows[] = {
      {211, 5, 0, 1}, {211, 8, 1, 0}, {211, 4, 0, 1}, {211, 7, 0, 1},
      {211, 3, 1, 0}, {212, 5, 0, 0}, {212, 8, 1, 1}, {210, 6, 0, 1},
  };
  for (const Row& row : rows) {
    cEdShot s;
    ASSERT_TRUE(
        ReadAt(s, Bytes(row.version, {{"nTrajectory", row.trajectory}, {"bFollowScroll", row.stored}}), row.version));
    EXPECT_EQ(s.bFollowScroll, row.expected) << row.version << " trajectory " << row.trajectory;
  }
}

TEST_F(ShotTest, ValidationKeepsTheScalePositiveAndTheEffectInTheDatabase) {
  struct Row {
    std::int64_t scale;
    std::int64_t effect;
    int scaleOut;
    int effectOut;
  };
  Context().database.effects = 10;
  for (const Row& row : {Row{0, 9, 1, 9}, Row{200, 10, 1, 0}, Row{127, -1, 127, 0}, Row{1, 0, 1, 0}}) {
    cEdShot s;
    ASSERT_TRUE(ReadAt(s, Bytes(750, {{"nScale", row.scale}, {"nEffect", row.effect}}), 750));
    EXPECT_EQ(s.nScale, row.scaleOut) << row.scale;
    EXPECT_EQ(s.nEffect, row.effectOut) << row.effect;
  }
  // Writing validates first: the bytes hold the corrected values.
  cEdShot s;
  s.nScale = 0;
  s.nEffect = 10;
  const std::string bytes = WriteOf(s);
  EXPECT_EQ(s.nScale, 1);
  cEdShot back;
  ASSERT_TRUE(ReadAt(back, bytes, 750));
  EXPECT_EQ(back.nEffect, 0);
}

TEST_F(ShotTest, ACurrentRecordWritesBackTheSameBytes) {
  cEdShot s;
  ASSERT_TRUE(ReadAt(s, Bytes(750), 750));
  EXPECT_EQ(WriteOf(s), Bytes(750));
}

TEST_F(ShotTest, VolleyOffsetsGrowPerVolleyAndMirrorForFacingOne) {
  cEdShot s;
  s.nVolleyX = 8;
  s.nVolleyXStep = 4;
  s.bVolleyMirrorX = 1;
  s.nVolleyY = -3;
  s.nVolleyYStep = 2;
  s.bVolleyMirrorY = 0;
  EXPECT_EQ(s.VolleyOffsetX(2, 1), -16.0);
  EXPECT_EQ(s.VolleyOffsetX(2, 0), 16.0);
  EXPECT_EQ(s.VolleyOffsetY(3, 1), 3.0);
  s.bVolleyMirrorY = 1;
  EXPECT_EQ(s.VolleyOffsetY(3, 1), -3.0);
}

// The rows the arrange command takes its limits from: parameter j of formation f at 3f + j.
TEST(ShotParamTables, RowsGiveTheLimitsOfEachFormationAndTrajectoryParameter) {
  struct Row {
    bool trajectory;
    int kind;
    int parameter;
    const char* name;
    int minimum;
    int maximum;
    int initial;
  };
  const Row rows[] = {
      {false, 0, 0, "間隔(hbl)", 0, 40, 0},
      {false, 1, 1, "", 0, 0, 0},
      {false, 2, 0, "角度", 0, 180, 30},
      {false, 3, 1, "列の数", 1, 50, 1},
      {false, 3, 2, "列の間隔(hbl)", 0, 40, 0},
      {false, 4, 0, "", 0, 0, 0},
      {false, 5, 0, "距離(hbl)", 0, 40, 6},
      {true, 0, 0, "", 0, 0, 0},
      {true, 2, 1, "対象勢力", 0, 7, 0},
      {true, 4, 1, "誘導終了(hbl)", 0, 999, 999},
      {true, 5, 2, "対象勢力", 0, 7, 0},
      {true, 6, 2, "", 0, 0, 0},
      {true, 7, 0, "誘導開始(hbl)", 0, 40, 0},
      {true, 8, 0, "波の最大(hbl)", 0, 100, 4},
      {true, 8, 1, "波の速度", 0, 100, 4},
      {true, 8, 2, "開始角度", 0, 359, 0},
      {true, 9, 0, "軌道変更(hbl)", 0, 40, 0},
      {true, 10, 0, "", 0, 0, 0},
      {false, 6, 0, "", 0, 0, 0},
      {false, 0, 3, "", 0, 0, 0},
  };
  for (const Row& row : rows) {
    const ShotParamRow& actual =
        row.trajectory ? TrajectoryParamRow(row.kind, row.parameter) : FormationParamRow(row.kind, row.parameter);
    SCOPED_TRACE(testing::Message() << (row.trajectory ? "trajectory " : "formation ") << row.kind << "/"
                                    << row.parameter);
    EXPECT_STREQ(actual.name, row.name);
    EXPECT_EQ(actual.minimum, row.minimum);
    EXPECT_EQ(actual.maximum, row.maximum);
    EXPECT_EQ(actual.initial, row.initial);
  }
  EXPECT_EQ(&FormationParamRow(3, 1), &ShotFormationParams[10]);
  EXPECT_EQ(&TrajectoryParamRow(8, 2), &ShotTrajectoryParams[26]);
}

}  // namespace
