// The play field's cells: eight bytes each, a block held once however often a change puts it
// in, the latch a cell's own, kept when a change is taken back and lost to a new block.
#include <gtest/gtest.h>

#include <cstdint>

#include "data/stage_data.h"
#include "world/block_map.h"

namespace {

cEdBlock Block(std::uint16_t picture) {
  cEdBlock block;
  block.nPicture = picture;
  block.nHitKind = 1;
  return block;
}

TEST(BlockMapCellsTest, CellsStartEmptyAndTheMapEndsAtItsSize) {
  cBlockMap map;
  ASSERT_TRUE(map.Reset(12));
  EXPECT_EQ(map.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(map.Block(i).nPicture, 0);
    EXPECT_EQ(map.Block(i).nHitKind, 0);
    EXPECT_EQ(map.Block(i).bProtected, 0);
  }
  EXPECT_EQ(map.Find(-1), nullptr);
  EXPECT_EQ(map.Find(12), nullptr);
  EXPECT_NE(map.Find(11), nullptr);
}

TEST(BlockMapCellsTest, TheLatchStaysWithAChangeTakenBackAndGoesWithANewBlock) {
  cBlockMap map;
  ASSERT_TRUE(map.Reset(4));
  map.Put(1, Block(7));
  map.Latch(1) = 1;
  const cBlockCell saved = map.Get(1);
  map.PutInterned(1, Block(9));
  EXPECT_EQ(map.Block(1).nPicture, 9);
  EXPECT_EQ(map.Latch(1), 0);
  map.Restore(1, saved);
  EXPECT_EQ(map.Block(1).nPicture, 7);
  EXPECT_EQ(map.Latch(1), 1);
  map.Clear(1);
  EXPECT_EQ(map.Block(1).nPicture, 0);
  EXPECT_EQ(map.Latch(1), 0);
}

// A switch that flips a block every frame must not grow the map: equal blocks are held once,
// and a block handed out stays where it is while others are added.
TEST(BlockMapCellsTest, ChangesBackAndForthHoldEachBlockOnce) {
  cBlockMap map;
  ASSERT_TRUE(map.Reset(2));
  const std::size_t before = map.DefinitionCount();
  const cEdBlock& first = [&]() -> const cEdBlock& {
    map.PutInterned(0, Block(5));
    return map.Block(0);
  }();
  for (int i = 0; i < 1000; ++i) {
    map.PutInterned(0, Block(i % 2 == 0 ? 6 : 5));
    map.PutInterned(1, Block(5));
  }
  EXPECT_EQ(map.DefinitionCount(), before + 2);
  EXPECT_EQ(first.nPicture, 5);
  EXPECT_EQ(&map.Block(1), &first);
  cEdBlock other = Block(5);
  other.nHitKind = 2;
  map.PutInterned(1, other);
  EXPECT_EQ(map.DefinitionCount(), before + 3);
  ASSERT_TRUE(map.Reset(2));  // a new stage starts from the empty block alone
  EXPECT_EQ(map.DefinitionCount(), 1u);
}

// The largest field a stage file may describe, with its rows widened to a power of two.
TEST(BlockMapCellsTest, TheLargestLegalFieldFitsInAFewTensOfMegabytes) {
  const std::size_t cells = 2 * static_cast<std::size_t>(kMaxStageCells);
  cBlockMap map;
  ASSERT_TRUE(map.Reset(cells));
  EXPECT_EQ(sizeof(cBlockCell), 8u);
  EXPECT_LE(cells * sizeof(cBlockCell), std::size_t{32} << 20);
}

}  // namespace
