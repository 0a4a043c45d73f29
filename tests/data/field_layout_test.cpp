// The field count is the first word of every record and must equal what the authoring tool
// wrote at each version: these are the counts and byte sizes of the record layouts.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_command.h"
#include "data/ed_condition.h"
#include "data/ed_flow.h"
#include "data/ed_item.h"
#include "data/ed_key_condition.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

struct Layout {
  std::size_t fields;
  std::size_t bytes;
  std::size_t strings;
};

template <typename T>
Layout LayoutAt(std::int32_t version) {
  T record;
  record.RegisterFields(version);
  return {record.FieldCount(), record.FieldBytes(), record.StringCount()};
}

struct LayoutRow {
  const char* record;
  Layout (*layoutAt)(std::int32_t);
  std::int32_t version;
  Layout expected;
};

const LayoutRow kLayouts[] = {
    {"cEdCondition", LayoutAt<cEdCondition>, 42, {6, 11, 0}},
    {"cEdCondition", LayoutAt<cEdCondition>, 43, {7, 12, 0}},
    {"cEdCondition", LayoutAt<cEdCondition>, 109, {7, 12, 0}},
    {"cEdCondition", LayoutAt<cEdCondition>, 110, {17, 28, 0}},
    {"cEdCondition", LayoutAt<cEdCondition>, 750, {17, 28, 0}},
    {"cEdKeyCondition", LayoutAt<cEdKeyCondition>, 750, {5, 7, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 157, {28, 48, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 158, {29, 49, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 159, {30, 50, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 161, {30, 50, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 162, {32, 52, 0}},
    {"cEdMove", LayoutAt<cEdMove>, 750, {32, 52, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 157, {52, 83, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 158, {53, 84, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 196, {53, 84, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 197, {54, 85, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 210, {54, 85, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 211, {55, 86, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 212, {55, 86, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 213, {58, 91, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 635, {58, 91, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 636, {59, 92, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 670, {59, 92, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 671, {60, 93, 0}},
    {"cEdShot", LayoutAt<cEdShot>, 750, {60, 93, 0}},
    {"cEdCommand", LayoutAt<cEdCommand>, 100, {8, 12, 1}},
    {"cEdCommand", LayoutAt<cEdCommand>, 750, {8, 12, 1}},
    {"cEdFlow", LayoutAt<cEdFlow>, 675, {8, 8, 0}},
    {"cEdFlow", LayoutAt<cEdFlow>, 676, {8, 8, 1}},
    {"cEdFlow", LayoutAt<cEdFlow>, 750, {8, 8, 1}},
    {"cEdBlock", LayoutAt<cEdBlock>, 100, {18, 26, 1}},
    {"cEdBlock", LayoutAt<cEdBlock>, 750, {18, 26, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 167, {47, 73, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 168, {48, 77, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 195, {48, 77, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 196, {50, 79, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 200, {50, 79, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 201, {51, 80, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 209, {51, 80, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 210, {52, 81, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 284, {52, 81, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 285, {53, 82, 1}},
    {"cEdChara", LayoutAt<cEdChara>, 750, {53, 82, 1}},
    {"cEdItem", LayoutAt<cEdItem>, 100, {17, 24, 1}},
    {"cEdItem", LayoutAt<cEdItem>, 750, {17, 24, 1}},
};

TEST(RecordLayout, FieldCountsAndSizesMatchEveryVersionOfEveryRecord) {
  CurrentVersion = kRecordVersion;
  for (const LayoutRow& row : kLayouts) {
    const Layout actual = row.layoutAt(row.version);
    EXPECT_EQ(actual.fields, row.expected.fields) << row.record << " at " << row.version;
    EXPECT_EQ(actual.bytes, row.expected.bytes) << row.record << " at " << row.version;
    EXPECT_EQ(actual.strings, row.expected.strings) << row.record << " at " << row.version;
  }
}

// The transcribed tables the fixtures are built from agree with the counts above, so a fixture
// written from them has the layout the authoring tool wrote.
TEST(RecordLayout, FixtureTablesHaveTheSameCounts) {
  EXPECT_EQ(datatest::CarriedCount(datatest::ConditionFields(), 750), 17);
  EXPECT_EQ(datatest::CarriedCount(datatest::MoveFields(), 157), 28);
  EXPECT_EQ(datatest::CarriedCount(datatest::MoveFields(), 750), 32);
  EXPECT_EQ(datatest::CarriedCount(datatest::ShotFields(), 157), 52);
  EXPECT_EQ(datatest::CarriedCount(datatest::ShotFields(), 750), 60);
  EXPECT_EQ(datatest::CarriedCount(datatest::BlockFields(), 750), 18);
  EXPECT_EQ(datatest::CarriedCount(datatest::CharaFields(), 167), 47);
  EXPECT_EQ(datatest::CarriedCount(datatest::CharaFields(), 750), 53);
  EXPECT_EQ(datatest::CarriedCount(datatest::ItemFields(), 750), 17);
}

}  // namespace
