// A stage's rankings: where a value goes in a table, the tables an old or short file gets, the
// file's path by play type, and the time text.
#include <gtest/gtest.h>

#include <string>

#include "core/record_file.h"
#include "core/record_version.h"
#include "data/rankings.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ByteBuilder;

cRankTable Table(bool higherBetter, std::initializer_list<std::int32_t> values) {
  cRankTable table;
  table.m_bHigherBetter = higherBetter ? 1 : 0;
  int row = 0;
  for (std::int32_t v : values) {
    table.m_Entries[row].m_bUsed = 1;
    table.m_Entries[row].m_strName = "abc";
    table.m_Entries[row].m_nValue = v;
    ++row;
  }
  return table;
}

TEST(RankingsTest, AValueGoesBelowItsEqualsAndTheTableKeepsItsLength) {
  struct Case {
    bool higherBetter;
    std::initializer_list<std::int32_t> rows;
    std::int32_t value;
    int place;
  };
  const Case cases[] = {
      {true, {900, 500, 500}, 500, 3},   // after both 500s
      {true, {900, 500, 500}, 1000, 0},
      {true, {}, 7, 0},                  // the first empty row
      {false, {2000, 3000}, 3000, 2},    // clear time: smaller first
      {false, {2000, 3000}, 2999, 1},
  };
  for (const Case& c : cases) {
    cRankTable table = Table(c.higherBetter, c.rows);
    EXPECT_EQ(table.FindSlot(c.value), c.place) << c.value;
    table.Insert("new", c.value);
    ASSERT_EQ(table.m_Entries.size(), 20u);
    EXPECT_EQ(table.m_Entries[c.place].m_strName, "new") << c.value;
    EXPECT_EQ(table.m_Entries[c.place].m_nValue, c.value) << c.value;
  }
  // A full table that the value does not beat stays as it was.
  cRankTable full = Table(true, {});
  for (cRankEntry& e : full.m_Entries) e.m_bUsed = 1, e.m_nValue = 100;
  EXPECT_EQ(full.FindSlot(100), -1);
  full.Insert("low", 100);
  EXPECT_EQ(full.m_Entries.back().m_strName, "");
  EXPECT_EQ(full.m_Entries.size(), 20u);
}

// A table record: its flag, then its rows.
ByteBuilder& AddTable(ByteBuilder& b, std::int32_t higherBetter, int rows) {
  b.fields(1).i32(higherBetter).strings(0).list(static_cast<std::uint32_t>(rows));
  for (int i = 0; i < rows; ++i) b.fields(2).i32(1).i32(10 * i).strings(1).str("xy");
  return b;
}

TEST(RankingsTest, OldAndShortFilesAreGivenEveryKindsTable) {
  CurrentVersion = kRecordVersion;
  // Version 180: three tables, the last two of the old files ranking lower values higher.
  ByteBuilder old;
  old.u32(180).fields(0).strings(0).list(3);
  for (int t = 0; t < 3; ++t) AddTable(old, t == 2 ? 0 : 1, 20);
  cRankSet set;
  ASSERT_TRUE(ReadRecordBytes(old.bytes(), set));
  ASSERT_EQ(set.m_Tables.size(), 5u);
  const std::int32_t flags[] = {1, 1, 0, 1, 1};
  for (int t = 0; t < 5; ++t) EXPECT_EQ(set.m_Tables[t].m_bHigherBetter, flags[t]) << t;
  // Version 181 with two tables of five rows: padded to five tables of twenty.
  ByteBuilder shortFile;
  shortFile.u32(181).fields(0).strings(0).list(2);
  for (int t = 0; t < 2; ++t) AddTable(shortFile, 1, 5);
  ASSERT_TRUE(ReadRecordBytes(shortFile.bytes(), set));
  ASSERT_EQ(set.m_Tables.size(), 5u);
  for (const cRankTable& table : set.m_Tables) EXPECT_EQ(table.m_Entries.size(), 20u);
  EXPECT_EQ(set.m_Tables[0].m_Entries[4].m_nValue, 40);
  EXPECT_EQ(set.m_Tables[2].m_bHigherBetter, 0);
  // Written, the set reads back to the same bytes.
  const std::string bytes = RecordFileBytes(set);
  cRankSet back;
  ASSERT_TRUE(ReadRecordBytes(bytes, back));
  EXPECT_EQ(RecordFileBytes(back), bytes);
}

// Only the five kinds' tables are padded: a file of many empty tables costs no rows beyond its
// own.
TEST(RankingsTest, TablesBeyondTheKindsAreKeptAsRead) {
  ByteBuilder many;
  many.u32(750).fields(0).strings(0).list(1000);
  for (int t = 0; t < 1000; ++t) AddTable(many, 1, 0);
  cRankSet set;
  ASSERT_TRUE(ReadRecordBytes(many.bytes(), set));
  ASSERT_EQ(set.m_Tables.size(), 1000u);
  EXPECT_EQ(set.m_Tables[4].m_Entries.size(), 20u);
  EXPECT_TRUE(set.m_Tables[5].m_Entries.empty());
  EXPECT_TRUE(set.m_Tables[999].m_Entries.empty());
}

TEST(RankingsTest, TheFileLiesInThePlayTypesFolderAndAMissingOneGivesAnEmptySet) {
  std::string path;
  EXPECT_TRUE(MakeRankingPath(path, 0, "data\\stg4\\c01."));
  EXPECT_EQ(path, "user_data\\story\\c01.rkg");
  EXPECT_TRUE(MakeRankingPath(path, 1, "c01."));
  EXPECT_EQ(path, "user_data\\challenge\\c01.rkg");
  EXPECT_TRUE(MakeRankingPath(path, 2, "data\\stg4\\ソ."));
  EXPECT_EQ(path, "user_data\\free\\ソ.rkg");
  EXPECT_FALSE(MakeRankingPath(path, 3, "c01."));

  testsupport::TempFolder folder;
  testsupport::ScopedCurrentFolder here(folder.path());
  CurrentVersion = kRecordVersion;
  cRankSet set;
  set.m_Tables[0].Insert("abc", 500);
  EXPECT_FALSE(LoadRankingFile(set, 2, "data\\stg4\\m."));
  EXPECT_EQ(set.m_Tables[0].m_Entries[0].m_bUsed, 0);
  set.m_Tables[0].Insert("abc", 500);
  folder.Write("user_data/free/.keep", "");
  ASSERT_TRUE(SaveRankingFile(set, 2, "data\\stg4\\m."));
  cRankSet loaded;
  ASSERT_TRUE(LoadRankingFile(loaded, 2, "data\\stg4\\m."));
  EXPECT_EQ(loaded.m_Tables[0].m_Entries[0].m_nValue, 500);
}

TEST(RankingsTest, TimesShowMinutesSecondsAndHundredths) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "00:00.00"}, {5, "00:00.05"}, {12345, "02:03.45"}, {600000, "100:00.00"}};
  for (const auto& [hundredths, text] : cases) {
    std::string out;
    FormatTime(out, hundredths);
    EXPECT_EQ(out, text) << hundredths;
  }
}

}  // namespace
