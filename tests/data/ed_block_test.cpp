#include "data/ed_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::BlockFields;
using datatest::ByteBuilder;

// A block at a version: the sample fields (some replaced by name), the name, the cell, the
// flags and one condition.
std::string BlockBytes(const std::vector<std::pair<std::string, std::int64_t>>& values = {},
                       const std::vector<std::uint8_t>& flags = std::vector<std::uint8_t>(11, 0)) {
  datatest::FieldTable<cEdBlock> table = BlockFields();
  for (auto& field : table) {
    for (const auto& [name, value] : values) {
      if (name == field.name) field.sample = value;
    }
  }
  ByteBuilder b;
  datatest::PutFields(b, table, 750);
  b.strings(1).str("石");
  b.i16(-3).i16(12).u32(static_cast<std::uint32_t>(flags.size()));
  for (const std::uint8_t f : flags) b.u8(f);
  b.list(1).fields(17).u8(2).i32(8).i32(0).i32(0).u8(0).u8(0).u8(0).u8(0).i16(1).u8(0).u8(0).u8(0).u8(0).i16(0);
  b.u8(4).u8(0).u8(0).strings(0);
  return b.bytes();
}

class BlockTest : public datatest::DataRecordTest {};

TEST_F(BlockTest, ANewBlockIsSolidAndPassesNoGroup) {
  const cEdBlock b;
  EXPECT_EQ(b.nHitKind, 1);
  EXPECT_EQ(b.nPassGroup, 255);
  EXPECT_EQ(b.nPicture, 0);
  EXPECT_EQ(b.inheritFlags, cVector<std::uint8_t>(11, 0));
  EXPECT_TRUE(b.conditions.empty());
  EXPECT_TRUE(b.strName.empty());
}

TEST_F(BlockTest, ReadsEveryPartOfACurrentBlockAndWritesTheSameBytes) {
  cEdBlock b;
  ASSERT_TRUE(ReadAt(b, BlockBytes(), 750));
  cEdBlock expected;
  datatest::SetSamples(expected, BlockFields());
  datatest::ExpectSameFields(b, expected, BlockFields());
  EXPECT_EQ(b.strName, "石");
  EXPECT_EQ(b.x, -3);
  EXPECT_EQ(b.y, 12);
  EXPECT_EQ(b.inheritFlags, cVector<std::uint8_t>(11, 0));
  ASSERT_EQ(b.conditions.size(), 1u);
  EXPECT_EQ(b.conditions[0].nKind, 2);
  EXPECT_EQ(b.conditions[0].nOp, 4);
  EXPECT_EQ(WriteOf(b), BlockBytes());
}

// Shot pictures were renumbered from 1 at 219, capped at 119.
TEST_F(BlockTest, ShotPicturesOfFilesBefore219AreRenumbered) {
  struct Row {
    std::int32_t version;
    std::int64_t kind;
    std::int64_t picture;
    int pictureOut;
  };
  for (const Row& row : {Row{218, 3, 40, 41}, Row{218, 3, 119, 119}, Row{218, 3, 200, 119}, Row{218, 2, 40, 40},
                         Row{219, 3, 40, 40}}) {
    cEdBlock b;
    ASSERT_TRUE(ReadAt(b, BlockBytes({{"nGraphicKind", row.kind}, {"nPicture", row.picture}}), row.version));
    EXPECT_EQ(b.nPicture, row.pictureOut) << row.version << " kind " << row.kind << " picture " << row.picture;
  }
}

// A reference past the stage palette loses its source (Inherit) and keeps its index (Validate
// leaves source 0 alone); written and read again it stays so.
TEST_F(BlockTest, AReferencePastThePaletteLosesItsSourceAndKeepsItsIndex) {
  cVector<cEdBlock> stage(3);
  Context().stagePalette.blocks = &stage;
  cEdBlock b;
  ASSERT_TRUE(ReadAt(b, BlockBytes({{"nPalSource", 2}, {"nPalIndex", 5}}), 750));
  EXPECT_EQ(b.nPalSource, 0);
  EXPECT_EQ(b.nPalIndex, 5);
  cEdBlock back;
  ASSERT_TRUE(ReadAt(back, WriteOf(b), 750));
  EXPECT_EQ(back.nPalSource, 0);
  EXPECT_EQ(back.nPalIndex, 5);
}

TEST_F(BlockTest, ValidationChecksTheReferenceAndEmptiesCellsWithoutPicture) {
  cVector<cEdBlock> common(4);
  Context().commonPalette.blocks = &common;
  struct Row {
    std::uint8_t source;
    std::int16_t index;
    int sourceOut;
    int indexOut;
  };
  for (const Row& row : {Row{1, 3, 1, 3}, Row{1, 4, 0, 0}, Row{1, -1, 0, 0}, Row{2, 1, 0, 0}, Row{3, 99, 3, 99}}) {
    cEdBlock b;
    b.nPicture = 5;
    b.nPalSource = row.source;
    b.nPalIndex = row.index;
    b.Validate(Context());
    EXPECT_EQ(b.nPalSource, row.sourceOut) << int(row.source) << "/" << row.index;
    EXPECT_EQ(b.nPalIndex, row.indexOut) << int(row.source) << "/" << row.index;
  }
  cEdBlock empty;
  empty.nHitKind = 1;
  empty.bProtected = 1;
  empty.Validate(Context());
  EXPECT_EQ(empty.nHitKind, 0);
  EXPECT_EQ(empty.bProtected, 0);

  // The item reference is checked only when asked, against the item lists.
  cEdBlock withItem;
  withItem.nPicture = 1;
  withItem.nItemSource = 1;
  withItem.nItemIndex = 2;
  withItem.Validate(Context());
  EXPECT_EQ(withItem.nItemSource, 1);
  withItem.ValidateItemRef(Context());
  EXPECT_EQ(withItem.nItemSource, 0);
  EXPECT_EQ(withItem.nItemIndex, 0);
}

TEST_F(BlockTest, TheFlagVectorTakesTheStoredCount) {
  for (const std::size_t count : {std::size_t{0}, std::size_t{3}, std::size_t{11}, std::size_t{14}}) {
    cEdBlock b;
    ASSERT_TRUE(ReadAt(b, BlockBytes({}, std::vector<std::uint8_t>(count, 0)), 750));
    EXPECT_EQ(b.inheritFlags.size(), count);
  }
}

}  // namespace
