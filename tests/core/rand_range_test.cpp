#include "core/rand_range.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/game_random.h"

namespace {

class RandRangeTest : public testing::Test {
 protected:
  void TearDown() override { SeedGameRandom(1); }
};

TEST_F(RandRangeTest, TakesTheDrawModuloTheSpanPlusTheLowBoundInEitherOrder) {
  // Seed 1 draws 41, 18467, 6334.
  SeedGameRandom(1);
  EXPECT_EQ(RandRange(10, 19), 41 % 10 + 10);
  EXPECT_EQ(RandRange(19, 10), 18467 % 10 + 10);
  EXPECT_EQ(RandRange(-5, -5), -5);
}

TEST_F(RandRangeTest, TheWholeIntRangeNeitherOverflowsNorLeavesIt) {
  // The span 2^32 does not fit in 32 bits; the draw itself is then the offset from INT_MIN.
  SeedGameRandom(1);
  EXPECT_EQ(RandRange(INT_MAX, INT_MIN), INT_MIN + 41);
  for (int i = 0; i < 1000; ++i) {
    const int v = RandRange(INT_MIN, INT_MIN + 2);
    ASSERT_GE(v, INT_MIN);
    ASSERT_LE(v, INT_MIN + 2);
  }
}

}  // namespace
