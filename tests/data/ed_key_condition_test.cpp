#include "data/ed_key_condition.h"

#include <gtest/gtest.h>

#include <vector>

#include "data_test_support.h"

namespace {

using datatest::ByteBuilder;

class KeyConditionTest : public datatest::DataRecordTest {
 protected:
  static std::string Bytes(const std::vector<std::uint8_t>& states) {
    ByteBuilder b;
    b.fields(5).u8(1).i16(-3).i16(300).u8(1).u8(2).strings(0).u32(static_cast<std::uint32_t>(states.size()));
    for (const std::uint8_t s : states) b.u8(s);
    return b.bytes();
  }
};

TEST_F(KeyConditionTest, ReadsFieldsAndStatesAndWritesTheSameBytes) {
  std::vector<std::uint8_t> states(19);
  for (int i = 0; i < 19; ++i) states[i] = static_cast<std::uint8_t>(i % 3);
  cEdKeyCondition k;
  ASSERT_TRUE(ReadAt(k, Bytes(states), 750));
  EXPECT_EQ(k.bMirror, 1);
  EXPECT_EQ(k.nMinHold, -3);
  EXPECT_EQ(k.nMaxHold, 300);
  EXPECT_EQ(k.bAnyHold, 1);
  EXPECT_EQ(k.nKeyRule, 2);
  EXPECT_EQ(std::vector<std::uint8_t>(k.keyStates.begin(), k.keyStates.end()), states);
  EXPECT_EQ(WriteOf(k), Bytes(states));
}

// The flow engine reads all 19 slots: a shorter list is padded with untested keys; a longer
// one is kept as stored.
TEST_F(KeyConditionTest, AShortStateListIsPaddedToNineteenAndALongOneKept) {
  struct Row {
    std::vector<std::uint8_t> stored;
    std::size_t size;
  };
  for (const Row& row : {Row{{}, 19}, Row{{1, 2, 1}, 19}, Row{std::vector<std::uint8_t>(21, 2), 21}}) {
    cEdKeyCondition k;
    k.keyStates.assign(25, 1);
    ASSERT_TRUE(ReadAt(k, Bytes(row.stored), 750));
    ASSERT_EQ(k.keyStates.size(), row.size);
    for (std::size_t i = 0; i < row.size; ++i) {
      EXPECT_EQ(k.keyStates[static_cast<int>(i)], i < row.stored.size() ? row.stored[i] : 0) << i;
    }
  }
}

TEST_F(KeyConditionTest, ANewOrClearedRecordHasNineteenUntestedKeys) {
  cEdKeyCondition k;
  EXPECT_EQ(k.keyStates, cVector<std::uint8_t>(19, 0));
  k.keyStates.assign(3, 2);
  k.nKeyRule = 2;
  k.Clear();
  EXPECT_EQ(k.keyStates, cVector<std::uint8_t>(19, 0));
  EXPECT_EQ(k.nKeyRule, 0);

  // The list reader fills new elements with such records.
  ByteBuilder b;
  b.list(1).fields(0).strings(0).u32(0);
  RecordReader in(b.bytes(), "list");
  in.SetVersion(750);
  cVector<cEdKeyCondition> list;
  ASSERT_TRUE(ReadKeyConditionList(list, in));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].keyStates, cVector<std::uint8_t>(19, 0));
}

TEST_F(KeyConditionTest, AStateCountBeyondTheFileFailsTheRead) {
  std::string bytes = Bytes({1, 1, 1});
  bytes[bytes.size() - 7] = 100;  // the count word: 3 becomes 100
  cEdKeyCondition k;
  EXPECT_FALSE(ReadAt(k, bytes, 750));
}

}  // namespace
