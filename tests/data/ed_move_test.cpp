#include "data/ed_move.h"

#include <gtest/gtest.h>

#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::MoveFields;

class MoveTest : public datatest::DataRecordTest {
 protected:
  static std::string Bytes(std::int32_t version) {
    ByteBuilder b;
    datatest::PutFields(b, MoveFields(), version);
    b.strings(0);
    return b.bytes();
  }
};

TEST_F(MoveTest, ANewRecordHasItsDefaults) {
  const cEdMove m;
  EXPECT_EQ(m.bMirrorAngle, 1);
  EXPECT_EQ(m.bAxisX, 1);
  EXPECT_EQ(m.bAxisY, 1);
  EXPECT_EQ(m.bTimeToTarget, 1);
  EXPECT_EQ(m.bMirrorX, 1);
  EXPECT_EQ(m.bMirrorY, 0);
  EXPECT_EQ(m.bReverseOnTurn, 1);
  EXPECT_EQ(m.nSpeed, 10);
  EXPECT_EQ(m.dTurnFactor, 1.0);
  EXPECT_EQ(m.nDistUnit, 0);
  EXPECT_EQ(m.bKeepMotion, 0);
}

// Each gated version on either side of its gate: fields the file lacks become 0, not the
// defaults of a new record; fields it carries keep their stored values.
TEST_F(MoveTest, OldVersionsReadTheirLayoutAndGetZeroInTheFieldsTheyLack) {
  struct Row {
    std::int32_t version;
    std::vector<std::string> zeroed;
  };
  const Row rows[] = {
      {157, {"bMirrorAngle", "nDistUnit", "bKeepFacing", "bKeepMotion"}},
      {158, {"nDistUnit", "bKeepFacing", "bKeepMotion"}},
      {159, {"bKeepFacing", "bKeepMotion"}},
      {161, {"bKeepFacing", "bKeepMotion"}},
      {162, {}},
      {750, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.version);
    cEdMove read;  // reading does not clear: what the fix-ups set is told from what was there
    read.nDistUnit = 9;
    read.bKeepFacing = 9;
    read.bKeepMotion = 9;
    ASSERT_TRUE(ReadAt(read, Bytes(row.version), row.version));
    cEdMove expected;
    datatest::SetSamples(expected, MoveFields());
    for (const auto& field : MoveFields()) {
      if (std::find(row.zeroed.begin(), row.zeroed.end(), field.name) != row.zeroed.end()) field.set(expected, 0, 0);
    }
    datatest::ExpectSameFields(read, expected, MoveFields());
  }
}

TEST_F(MoveTest, ACurrentRecordWritesBackTheSameBytes) {
  cEdMove m;
  ASSERT_TRUE(ReadAt(m, Bytes(750), 750));
  EXPECT_EQ(WriteOf(m), Bytes(750));
}

}  // namespace
