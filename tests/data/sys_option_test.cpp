#include "data/sys_option.h"

#include <gtest/gtest.h>

#include <string>

#include "support/byte_builder.h"

namespace {

using testsupport::ByteBuilder;

class SysOptionTest : public testing::Test {
 protected:
  void SetUp() override { CurrentVersion = kRecordVersion; }
};

TEST_F(SysOptionTest, SetAndSetTextChangeOnlyTheirOwnMembers) {
  cSysOption row;
  EXPECT_EQ(row.bText, 0);
  EXPECT_EQ(row.nValue, 0);
  EXPECT_EQ(row.strKey, "");
  EXPECT_EQ(row.strValue, "");

  row.SetText("FreeStage", "stage.stg4");
  row.nValue = 9;
  EXPECT_EQ(row.bText, 1);
  EXPECT_EQ(row.nValue, 9);  // a text row keeps its number
  EXPECT_EQ(row.strKey, "FreeStage");
  EXPECT_EQ(row.strValue, "stage.stg4");

  row.Set("Direct3D", 1);
  EXPECT_EQ(row.bText, 0);
  EXPECT_EQ(row.nValue, 1);
  EXPECT_EQ(row.strKey, "Direct3D");
  EXPECT_EQ(row.strValue, "stage.stg4");  // a number row keeps its text
}

// The rows as the system data stores them: a list of records of two ints and two strings.
TEST_F(SysOptionTest, AListOfRowsWritesTheExactBytesAndReadsThemBack) {
  cVector<cSysOption> rows(2);
  rows[0].Set("Direct3D", 2);
  rows[1].SetText("FreeStage", "");
  rows[1].nValue = -1;

  // A copy is written, so that a table still naming the source's members would show.
  cVector<cSysOption> copy;
  AssignRecordList(copy, rows);
  rows[0].Set("changed", 5);

  RecordWriter out;
  WriteRecordList(copy, out);
  ByteBuilder expected;
  expected.list(2);
  expected.fields(2).i32(0).i32(2).strings(2).str("Direct3D").str("");
  expected.fields(2).i32(1).i32(-1).strings(2).str("FreeStage").str("");
  EXPECT_EQ(out.Bytes(), expected.bytes());

  ByteBuilder file;
  file.list(3);
  file.fields(2).i32(0).i32(1).strings(2).str("DD_FontCache").str("");
  file.fields(2).i32(1).i32(0).strings(2).str("FreeStage").str("data\\stg4\\a.stg4");
  file.fields(2).i32(0).i32(-7).strings(2).str("English").str("x");
  RecordReader in(file.bytes(), "rows");
  in.SetVersion(kRecordVersion);
  cVector<cSysOption> back;
  ASSERT_TRUE(ReadRecordList(back, in));
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].strKey, "DD_FontCache");
  EXPECT_EQ(back[0].nValue, 1);
  EXPECT_EQ(back[1].bText, 1);
  EXPECT_EQ(back[1].strValue, "data\\stg4\\a.stg4");
  EXPECT_EQ(back[2].nValue, -7);
  EXPECT_EQ(back[2].strValue, "x");

  RecordWriter again;
  WriteRecordList(back, again);
  EXPECT_EQ(again.Bytes(), file.bytes());
}

}  // namespace
