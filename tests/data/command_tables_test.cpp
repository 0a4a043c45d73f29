#include "data/command_tables.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CommandTables, KindsHaveTheirParameterCounts) {
  struct Row {
    int set;
    int kind;
    std::int32_t count;
  };
  const Row rows[] = {
      {0, 0, 0},  {0, 9, 1},   {0, 10, 5},  {0, 16, 3},  {0, 17, 9},  {0, 19, 18}, {0, 21, 15}, {0, 22, 18},
      {0, 24, 3}, {0, 29, 8},  {0, 32, 15}, {0, 33, 8},  {0, 38, 5},  {0, 39, 2},  {1, 0, 0},   {1, 1, 2},
      {1, 4, 18}, {1, 5, 0},   {1, 24, 2},
  };
  for (const Row& row : rows) {
    const CommandKindRow* kind = CommandKind(row.set, row.kind);
    ASSERT_NE(kind, nullptr) << row.set << "/" << row.kind;
    EXPECT_EQ(kind->paramCount, row.count) << row.set << "/" << row.kind;
  }
  EXPECT_STREQ(CommandKind(0, 0)->name, "");
  EXPECT_STREQ(CommandKind(0, 39)->name, "ループ");
  EXPECT_STREQ(CommandKind(1, 1)->name, "フローの変更");
  for (const auto& [set, kind] : {std::pair{0, 40}, std::pair{1, 25}, std::pair{2, 0}, std::pair{0, -1}}) {
    EXPECT_EQ(CommandKind(set, kind), nullptr) << set << "/" << kind;
  }
}

// Item commands from kind 2 are their character twins 15 higher: same name, same count.
TEST(CommandTables, ItemKindsFromTwoMirrorTheirCharacterTwins) {
  for (int kind = 2; kind < kItemCommandKinds; ++kind) {
    const CommandKindRow& item = ItemCommandTable[kind];
    const CommandKindRow& chara = CharaCommandTable[kind + kItemKindOffset];
    EXPECT_STREQ(item.name, chara.name) << kind;
    EXPECT_EQ(item.paramCount, chara.paramCount) << kind;
  }
}

TEST(CommandTables, DirectionKeysBecomeDirectionCodes) {
  struct Row {
    int key;
    int facingRight;
    int code;
  };
  const Row rows[] = {{0, 0, 2}, {0, 1, 3}, {1, 1, 2}, {2, 0, 3}, {3, 0, 6}, {4, 0, 7},
                      {5, 0, 8}, {6, 1, 9}, {7, 0, 10}, {8, 1, 11}, {9, 0, 0}, {-1, 1, 0}};
  for (const Row& row : rows) EXPECT_EQ(DirCodeFromChoice(row.key, row.facingRight), row.code) << row.key;
}

}  // namespace
