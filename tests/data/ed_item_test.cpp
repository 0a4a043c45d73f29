#include "data/ed_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/palette_reference.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::ItemFields;

// An item: the sample fields (some replaced by name), the name, the cell, 13 flags, one
// condition and the commands (set, kind, parameters).
struct CommandSpec {
  std::uint8_t set;
  std::uint8_t kind;
  std::vector<std::int32_t> params;
};

std::string ItemBytes(const std::vector<std::pair<std::string, std::int64_t>>& values = {},
                      const std::vector<CommandSpec>& commands = {{1, 3, {5}}}) {
  datatest::FieldTable<cEdItem> table = ItemFields();
  for (auto& field : table) {
    for (const auto& [name, value] : values) {
      if (name == field.name) field.sample = value;
    }
  }
  ByteBuilder b;
  datatest::PutFields(b, table, 750);
  b.strings(1).str("鍵");
  b.i16(7).i16(8).u32(13);
  for (int i = 0; i < 13; ++i) b.u8(static_cast<std::uint8_t>(i == 4 ? 1 : 0));
  b.list(1).fields(17).u8(1).i32(2).i32(0).i32(0).u8(0).u8(0).u8(0).u8(0).i16(3).u8(0).u8(0).u8(0).u8(0).i16(0);
  b.u8(0).u8(0).u8(0).strings(0);
  b.list(static_cast<std::uint32_t>(commands.size()));
  for (const CommandSpec& c : commands) {
    b.fields(8).u8(c.set).u8(c.kind).i16(0).i16(0).u8(0).i16(0).u8(1).i16(0).strings(1).str("");
    b.u32(0).u32(0).list(0).u32(static_cast<std::uint32_t>(c.params.size()));
    for (const std::int32_t p : c.params) b.i32(p);
  }
  return b.bytes();
}

class ItemTest : public datatest::DataRecordTest {};

TEST_F(ItemTest, ANewItemHasItsDefaults) {
  const cEdItem item;
  EXPECT_EQ(item.nGraphicKind, 2);
  EXPECT_EQ(item.nPicture, 0);
  EXPECT_EQ(item.bPopUp, 1);
  EXPECT_EQ(item.nScale, 1);
  EXPECT_EQ(item.nLayer, 6);
  EXPECT_EQ(item.inheritFlags, cVector<std::uint8_t>(13, 0));
  EXPECT_TRUE(item.commands.empty());
}

TEST_F(ItemTest, ReadsEveryPartOfACurrentItemAndWritesTheSameBytes) {
  cEdItem item;
  ASSERT_TRUE(ReadAt(item, ItemBytes(), 750));
  cEdItem expected;
  datatest::SetSamples(expected, ItemFields());
  datatest::ExpectSameFields(item, expected, ItemFields());
  EXPECT_EQ(item.strName, "鍵");
  EXPECT_EQ(item.x, 7);
  EXPECT_EQ(item.y, 8);
  EXPECT_EQ(item.inheritFlags[4], 1);
  ASSERT_EQ(item.conditions.size(), 1u);
  EXPECT_EQ(item.conditions[0].nVarIndex, 3);
  ASSERT_EQ(item.commands.size(), 1u);
  EXPECT_EQ(item.commands[0].nSet, 1);
  EXPECT_EQ(item.commands[0].params, cVector<std::int32_t>{5});
  EXPECT_EQ(WriteOf(item), ItemBytes());
}

TEST_F(ItemTest, ShotPicturesBefore219ScaleAndSoundAreCorrected) {
  Context().database.sounds = 8;
  struct Row {
    std::int32_t version;
    std::vector<std::pair<std::string, std::int64_t>> stored;
    std::vector<std::pair<std::string, std::int64_t>> expected;
  };
  const Row rows[] = {
      {218, {{"nGraphicKind", 3}, {"nPicture", 5}}, {{"nPicture", 6}}},
      {218, {{"nGraphicKind", 3}, {"nPicture", 119}}, {{"nPicture", 119}}},
      {219, {{"nGraphicKind", 3}, {"nPicture", 5}}, {{"nPicture", 5}}},
      {750, {{"nScale", -3}}, {{"nScale", 1}}},
      {750, {{"nScale", 0}}, {{"nScale", 1}}},
      {750, {{"nScale", 4}}, {{"nScale", 4}}},
      {750, {{"nSound", 8}}, {{"nSound", 0}}},
      {750, {{"nSound", 7}}, {{"nSound", 7}}},
  };
  for (const Row& row : rows) {
    cEdItem item;
    ASSERT_TRUE(ReadAt(item, ItemBytes(row.stored), row.version));
    for (const auto& field : ItemFields()) {
      for (const auto& [name, value] : row.expected) {
        if (name == field.name) {
          EXPECT_EQ(field.get(item, 0), value) << row.version << " " << name << " from " << row.stored.back().second;
        }
      }
    }
  }
}

TEST_F(ItemTest, CommandsAreValidatedWithTheItem) {
  cEdItem item;
  ASSERT_TRUE(ReadAt(item, ItemBytes({}, {{1, 4, {1, 2, 3}}, {1, 5, {1}}}), 750));
  EXPECT_EQ(item.commands[0].params.size(), 18u);
  EXPECT_TRUE(item.commands[1].params.empty());
  EXPECT_TRUE(item.commands[1].pMove);  // the item warp has its movement record

  cVector<cEdItem> stage(2);
  Context().stagePalette.items = &stage;
  item.commands[0].nKind = kItemCmdTakeItem;
  item.commands[0].params = {1, 2};
  item.ValidateSummons(Context());
  EXPECT_EQ(item.commands[0].params, (cVector<std::int32_t>{1, 1}));
}

TEST_F(ItemTest, GetPaletteItemFindsOnlyEntriesThatExist) {
  cVector<cEdItem> common(3);
  cVector<cEdItem> stage(2);
  common[2].nSound = 9;
  stage[1].nSound = 4;
  Context().commonPalette.items = &common;
  Context().stagePalette.items = &stage;
  EXPECT_EQ(GetPaletteItem(1, 2), &common[2]);
  EXPECT_EQ(GetPaletteItem(2, 1), &stage[1]);
  for (const auto& [source, index] :
       {std::pair{0, 1}, std::pair{3, 1}, std::pair{1, 3}, std::pair{2, 2}, std::pair{1, -1}}) {
    EXPECT_EQ(GetPaletteItem(source, index), nullptr) << source << "/" << index;
  }
  DataReadContext none;
  EXPECT_EQ(GetPaletteItem(1, 0, none), nullptr);
}

}  // namespace
