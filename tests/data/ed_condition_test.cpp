#include "data/ed_condition.h"

#include <gtest/gtest.h>

#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::ConditionFields;

class ConditionTest : public datatest::DataRecordTest {
 protected:
  // A condition in the layout of version 110 on.
  static std::string FullBytes(const cEdCondition& c) {
    ByteBuilder b;
    b.fields(17).u8(c.nKind).i32(c.nValue).i32(c.nRandMin).i32(c.nRandMax);
    b.u8(c.nLeftTarget).u8(c.nLeftStatus).u8(c.nLeftSource).u8(c.nLeftScope).i16(c.nVarIndex);
    b.u8(c.nRightSource).u8(c.nRightTarget).u8(c.nRightStatus).u8(c.nRightScope).i16(c.nRightIndex);
    b.u8(c.nOp).u8(c.nPercent).u8(c.nShape).strings(0);
    return b.bytes();
  }
};

TEST_F(ConditionTest, ReadsEveryFieldOfTheCurrentLayoutAndWritesTheSameBytes) {
  ByteBuilder b;
  datatest::PutFields(b, ConditionFields(), 750);
  b.strings(0);
  cEdCondition read;
  ASSERT_TRUE(ReadAt(read, b.bytes(), 750));
  cEdCondition expected;
  datatest::SetSamples(expected, ConditionFields());
  datatest::ExpectSameFields(read, expected, ConditionFields());
  EXPECT_EQ(WriteOf(read), b.bytes());
}

// Old layouts: the two 16-bit values after the value are read and dropped; the 42 layout has
// no percent flag. What the file does not carry keeps its previous value.
TEST_F(ConditionTest, ReadsTheOldLayoutsAndDropsTheDiscardedValues) {
  struct Row {
    std::int32_t version;
    bool percent;
  };
  for (const Row row : {Row{42, false}, Row{43, true}, Row{109, true}}) {
    ByteBuilder b;
    b.fields(row.percent ? 7 : 6).u8(3).i32(-44).i16(0x1111).i16(0x2222).u8(5);
    if (row.percent) b.u8(1);
    b.u8(6).strings(0);
    cEdCondition c;
    c.nRandMax = 9;
    ASSERT_TRUE(ReadAt(c, b.bytes(), row.version)) << row.version;
    EXPECT_EQ(c.nKind, 3) << row.version;
    EXPECT_EQ(c.nValue, -44);
    EXPECT_EQ(c.nOp, 5);
    EXPECT_EQ(c.nPercent, row.percent ? 1 : 0);
    EXPECT_EQ(c.nShape, 6);
    EXPECT_EQ(c.nRandMax, 9);
    EXPECT_EQ(c.nVarIndex, 0);
    EXPECT_EQ(c.nRightIndex, 0);
    // Written back in the current layout, nothing of the dropped values remains.
    EXPECT_EQ(WriteOf(c), FullBytes(c));
  }
}

struct MigrationRow {
  std::int32_t version;
  cEdCondition in;
  cEdCondition out;
};

cEdCondition Cond(std::uint8_t kind, std::uint8_t leftSource, std::uint8_t leftTarget, std::uint8_t leftStatus,
                  std::uint8_t rightSource, std::uint8_t rightTarget, std::uint8_t rightStatus, std::uint8_t op) {
  cEdCondition c;
  c.nKind = kind;
  c.nLeftSource = leftSource;
  c.nLeftTarget = leftTarget;
  c.nLeftStatus = leftStatus;
  c.nRightSource = rightSource;
  c.nRightTarget = rightTarget;
  c.nRightStatus = rightStatus;
  c.nOp = op;
  return c;
}

TEST_F(ConditionTest, MigrationsOfOldVersionsApplyInOrder) {
  const MigrationRow rows[] = {
      // The old distance kind 5 becomes 7; kinds from 5 move up by two.
      {159, Cond(5, 0, 0, 0, 0, 0, 0, 0), Cond(7, 0, 0, 0, 1, 1, 0, 0)},
      {159, Cond(4, 0, 2, 3, 0, 2, 0, 0), Cond(4, 0, 2, 3, 0, 2, 0, 0)},
      {159, Cond(6, 0, 0, 0, 0, 0, 0, 0), Cond(8, 0, 0, 0, 0, 0, 0, 0)},
      {160, Cond(5, 0, 0, 0, 0, 0, 0, 0), Cond(5, 0, 0, 0, 0, 0, 0, 0)},
      // Property 2 of kind 6 had its sense reversed up to 160.
      {160, Cond(6, 0, 0, 2, 0, 0, 0, 0), Cond(6, 0, 0, 2, 0, 0, 0, 1)},
      {160, Cond(6, 0, 0, 2, 0, 0, 0, 1), Cond(6, 0, 0, 2, 0, 0, 0, 0)},
      {160, Cond(6, 0, 0, 1, 0, 0, 0, 0), Cond(6, 0, 0, 1, 0, 0, 0, 0)},
      {161, Cond(6, 0, 0, 2, 0, 0, 0, 0), Cond(6, 0, 0, 2, 0, 0, 0, 0)},
      // Status numbers: inserted at 10 (168) and at 5 (203), never for the system.
      {167, Cond(4, 0, 0, 12, 2, 1, 10, 0), Cond(4, 0, 0, 14, 2, 1, 12, 0)},
      {168, Cond(4, 0, 0, 12, 2, 1, 10, 0), Cond(4, 0, 0, 13, 2, 1, 11, 0)},
      {202, Cond(4, 0, 0, 12, 2, 1, 10, 0), Cond(4, 0, 0, 13, 2, 1, 11, 0)},
      {203, Cond(4, 0, 0, 12, 2, 1, 10, 0), Cond(4, 0, 0, 12, 2, 1, 10, 0)},
      {167, Cond(4, 0, 2, 12, 2, 2, 10, 0), Cond(4, 0, 2, 12, 2, 2, 10, 0)},
      {167, Cond(4, 1, 0, 12, 3, 1, 10, 0), Cond(4, 1, 0, 12, 3, 1, 10, 0)},
      {202, Cond(4, 0, 1, 4, 2, 0, 5, 0), Cond(4, 0, 1, 4, 2, 0, 6, 0)},
      // Status-2 items gained one at 6 (210).
      {209, Cond(5, 0, 0, 6, 0, 0, 0, 0), Cond(5, 0, 0, 7, 0, 0, 0, 0)},
      {209, Cond(5, 0, 0, 5, 0, 0, 0, 0), Cond(5, 0, 0, 5, 0, 0, 0, 0)},
      {209, Cond(5, 0, 2, 6, 0, 0, 0, 0), Cond(5, 0, 2, 6, 0, 0, 0, 0)},
      {210, Cond(5, 0, 0, 6, 0, 0, 0, 0), Cond(5, 0, 0, 6, 0, 0, 0, 0)},
      // Distances: to the hero up to 656, left source 0 below 745, right parts below 746.
      {656, Cond(7, 0, 1, 0, 1, 1, 0, 0), Cond(7, 0, 0, 0, 1, 1, 0, 0)},
      {657, Cond(7, 0, 1, 0, 1, 1, 0, 0), Cond(7, 0, 1, 0, 1, 1, 0, 0)},
      {744, Cond(7, 3, 1, 0, 1, 1, 0, 0), Cond(7, 0, 1, 0, 1, 1, 0, 0)},
      {745, Cond(7, 3, 1, 0, 0, 0, 0, 0), Cond(7, 3, 1, 0, 1, 1, 0, 0)},
      {746, Cond(7, 3, 1, 0, 0, 0, 0, 0), Cond(7, 3, 1, 0, 0, 0, 0, 0)},
  };
  for (const MigrationRow& row : rows) {
    cEdCondition read;
    ASSERT_TRUE(ReadAt(read, FullBytes(row.in), row.version)) << row.version;
    SCOPED_TRACE(testing::Message() << "version " << row.version << " kind " << int(row.in.nKind));
    datatest::ExpectSameFields(read, row.out, ConditionFields());
  }
}

}  // namespace
