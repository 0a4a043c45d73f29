#include "core/record_base.h"
#include "core/record_file.h"

#include <optional>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/close_request.h"
#include "core/report_log.h"
#include "platform/files/path_resolver.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

namespace {

using testsupport::ByteBuilder;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;

class cTestItem : public cData {
 public:
  cTestItem() {
    RegisterFields(CurrentVersion);
    Clear();
    value = 7;  // the list default every read starts from
  }
  void RegisterFields(std::int32_t) override {
    ResetFieldLists();
    AddInt(&value);
    AddStrings(&name);
  }
  bool Read(RecordReader& in) override {
    ++reads;
    return cData::Read(in);
  }
  std::int32_t value = 0;
  std::string name;
  int reads = 0;
};

// Every field width, arrays, two strings, a member added at 720 with its fix-up, and a list.
class cTestRecord : public cData {
 public:
  cTestRecord() {
    RegisterFields(CurrentVersion);
    Clear();
    late = -5;
  }
  void RegisterFields(std::int32_t version) override {
    ResetFieldLists();
    AddByte(&b);
    AddShort(s, 2);
    AddInt(&i);
    AddDouble(d, 2);
    if (version >= 720) AddInt(&late);
    AddStrings(&first);
    AddStrings(&second);
  }
  bool Read(RecordReader& in) override {
    if (!cData::Read(in) || !ReadRecordList(items, in)) return false;
    fieldsSeenByFixUps = FieldCount();
    lateBeforeFixUps = late;
    if (FileVersion < 720) late = late * 10;
    return true;
  }
  void Write(RecordWriter& out) override {
    cData::Write(out);
    WriteRecordList(items, out);
  }

  std::int8_t b = 0;
  std::int16_t s[2] = {};
  std::int32_t i = 0;
  double d[2] = {};
  std::int32_t late = 0;
  std::string first;
  std::string second;
  cVector<cTestItem> items;
  std::size_t fieldsSeenByFixUps = 0;
  std::int32_t lateBeforeFixUps = 0;
};

class RecordTest : public testing::Test {
 protected:
  void SetUp() override {
    CurrentVersion = kRecordVersion;
    StripCRFlag = 1;
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    ASSERT_TRUE(LogInit("Report_Game.txt"));
    SetCloseRequestSink([this] { ++closeRequests_; });
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    LogInit("/dev/null");
    current_.reset();
  }
  std::string Stored(const char* name) const { return ReadFileBytes(folder_.path() / name); }
  void Store(const char* name, const std::string& bytes) const { folder_.Write(name, bytes); }

  static cTestRecord Sample() {
    cTestRecord r;
    r.b = -2;
    r.s[0] = 0x1234;
    r.s[1] = -1;
    r.i = 0x01020304;
    r.d[0] = 1.5;
    r.d[1] = -0.25;
    r.late = 42;
    r.first = "";
    r.second = "行1\r\n行2";
    r.items.resize(2);
    r.items[0].value = 10;
    r.items[0].name = "a";
    r.items[1].value = -1;
    r.items[1].name = "";
    return r;
  }

  // The bytes Sample() must save as, written by hand.
  static std::string SampleBytes(std::int32_t version = 750) {
    ByteBuilder f;
    f.i32(version).fields(5).u8(0xFE).i16(0x1234).i16(-1).i32(0x01020304).f64(1.5).f64(-0.25).i32(42);
    f.strings(2).str("").str("行1\r\n行2");
    f.list(2).fields(1).i32(10).strings(1).str("a").fields(1).i32(-1).strings(1).str("");
    return f.bytes();
  }

  TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  int closeRequests_ = 0;
};

TEST_F(RecordTest, SavesTheExactBytesAndReadsThemBack) {
  cTestRecord record = Sample();
  ASSERT_EQ(record.Save("rec.dat"), 1);
  EXPECT_EQ(Stored("rec.dat"), SampleBytes());

  cTestRecord back;
  ASSERT_EQ(back.Load("REC.DAT"), 1);
  EXPECT_EQ(back.b, -2);
  EXPECT_EQ(back.s[0], 0x1234);
  EXPECT_EQ(back.s[1], -1);
  EXPECT_EQ(back.i, 0x01020304);
  EXPECT_EQ(back.d[0], 1.5);
  EXPECT_EQ(back.d[1], -0.25);
  EXPECT_EQ(back.late, 42);
  EXPECT_EQ(back.first, "");
  EXPECT_EQ(back.second, "行1\n行2");  // CRs go while StripCRFlag is set
  ASSERT_EQ(back.items.size(), 2u);
  EXPECT_EQ(back.items[0].value, 10);
  EXPECT_EQ(back.items[0].name, "a");
  EXPECT_EQ(back.items[1].value, -1);
  EXPECT_EQ(closeRequests_, 0);

  StripCRFlag = 0;
  ASSERT_EQ(back.Load("rec.dat"), 1);
  EXPECT_EQ(back.second, "行1\r\n行2");
}

TEST_F(RecordTest, AStringIsCutAtItsFirstNulInTheFileAndInMemory) {
  cTestRecord record;
  record.first = std::string("ab\0cd", 5);
  ASSERT_EQ(record.Save("rec.dat"), 1);
  EXPECT_EQ(record.first, "ab");
  ByteBuilder expected;
  expected.i32(750).fields(5).u8(0).i16(0).i16(0).i32(0).f64(0).f64(0).i32(-5).strings(2).str("ab").str("").list(0);
  EXPECT_EQ(Stored("rec.dat"), expected.bytes());
}

TEST_F(RecordTest, AnOlderFileIsReadWithItsOwnLayoutThenTheCurrentTableIsBack) {
  ByteBuilder f;
  f.i32(700).fields(4).u8(1).i16(2).i16(3).i32(4).f64(5).f64(6).strings(2).str("x").str("y").list(0);
  Store("old.dat", f.bytes());
  cTestRecord record;
  record.late = 3;
  ASSERT_EQ(record.Load("old.dat"), 1);
  EXPECT_EQ(record.i, 4);
  EXPECT_EQ(record.d[1], 6.0);
  EXPECT_EQ(record.second, "y");
  EXPECT_EQ(record.lateBeforeFixUps, 3);  // a member the file lacks keeps its value...
  EXPECT_EQ(record.late, 30);             // ...until the fix-up gives it one
  EXPECT_EQ(record.fieldsSeenByFixUps, 5u);

  // A file newer than this program reads with the current layout and no fix-up.
  Store("new.dat", SampleBytes(800));
  ASSERT_EQ(record.Load("new.dat"), 1);
  EXPECT_EQ(record.late, 42);
  EXPECT_EQ(FileVersion, 800);
}

TEST_F(RecordTest, ShortCountsLeaveTheRestAsItWas) {
  ByteBuilder f;
  f.i32(750).fields(0).strings(1).str("only").list(0);
  Store("short.dat", f.bytes());
  cTestRecord record = Sample();
  ASSERT_EQ(record.Load("short.dat"), 1);
  EXPECT_EQ(record.i, 0x01020304);
  EXPECT_EQ(record.first, "only");
  EXPECT_EQ(record.second, "行1\n行2");  // not read, but every string loses its CRs
  EXPECT_TRUE(record.items.empty());
}

TEST_F(RecordTest, ASurplusFieldIsLoggedAndReadPastNeverIntoAMember) {
  ByteBuilder f;
  f.i32(750).fields(1).i32(5);
  Store("surplus.dat", f.strings(0).bytes());
  cTestItem item;
  // Two fields where the layout has one: the second block has the first field's width.
  ByteBuilder g;
  g.i32(750).fields(2).i32(5).i32(99).strings(1).str("n");
  Store("surplus.dat", g.bytes());
  ASSERT_EQ(item.Load("surplus.dat"), 1);
  EXPECT_EQ(item.value, 5);
  EXPECT_EQ(item.name, "n");
  EXPECT_EQ(closeRequests_, 1);
  EXPECT_NE(Stored("Report_Game.txt").find("err V[1] ( 1 , " + std::to_string(sizeof(FieldDesc)) + " )"), std::string::npos);
}

TEST_F(RecordTest, ACopyNeverWritesIntoItsSource) {
  cTestRecord source = Sample();
  cTestRecord copy(source);
  cTestRecord assigned;
  assigned = source;
  Store("rec.dat", SampleBytes());
  copy.i = 0;
  ASSERT_EQ(copy.Load("rec.dat"), 1);
  assigned.Clear();
  copy.Clear();
  EXPECT_EQ(source.i, 0x01020304);
  EXPECT_EQ(source.second, "行1\r\n行2");
  EXPECT_EQ(assigned.i, 0);

  cTestRecord other;
  other.Assign(source);
  EXPECT_EQ(other.i, 0x01020304);
  EXPECT_EQ(other.second, "行1\r\n行2");
}

TEST_F(RecordTest, ListReadsStartFromTheListDefaultAndKeepReadsOverExistingElements) {
  ByteBuilder f;
  f.i32(750).list(3).fields(0).strings(0).fields(1).i32(8).strings(0).fields(0).strings(0);
  Store("list.dat", f.bytes());

  cVector<cTestItem> list;
  auto in = DataFileOpenRead("list.dat");
  ASSERT_TRUE(in);
  ASSERT_TRUE(ReadRecordList(list, *in));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].value, 7);
  EXPECT_EQ(list[1].value, 8);

  cVector<cTestItem> kept(4);
  for (auto& item : kept) item.value = 100;
  in = DataFileOpenRead("list.dat");
  ASSERT_TRUE(ReadRecordListKeep(kept, *in));
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].value, 100);
  EXPECT_EQ(kept[1].value, 8);

  cVector<cTestItem> grown(1);
  in = DataFileOpenRead("list.dat");
  ASSERT_TRUE(ReadRecordListKeep(grown, *in));
  EXPECT_EQ(grown[2].value, 7);

  cVector<cTestItem> assigned(5);
  AssignRecordList(assigned, list);
  ASSERT_EQ(assigned.size(), 3u);
  EXPECT_EQ(assigned[1].value, 8);
}

TEST_F(RecordTest, EveryTruncationOfAGoodFileFailsTheLoad) {
  const std::string good = SampleBytes();
  for (std::size_t length = 0; length < good.size(); ++length) {
    Store("cut.dat", good.substr(0, length));
    cTestRecord record;
    EXPECT_EQ(record.Load("cut.dat"), 0) << "length " << length;
  }
  Store("cut.dat", good);
  cTestRecord record;
  EXPECT_EQ(record.Load("cut.dat"), 1);
}

TEST_F(RecordTest, HostileCountsAndLengthsFailWithoutHugeWork) {
  const ByteBuilder head = ByteBuilder().i32(750);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"negative field count", ByteBuilder(head).u32(0x80000000u).bytes()},
      {"huge field count", ByteBuilder(head).u32(0x7FFFFFFFu).bytes()},
      {"huge string count",
       ByteBuilder(head).fields(0).u32(0x7FFFFFFFu).bytes()},
      {"string length past the end",
       ByteBuilder(head).fields(0).strings(1).u32(0xFFFFFFFFu).raw("abc").bytes()},
      {"string length 0", ByteBuilder(head).fields(0).strings(1).u32(0).bytes()},
      {"huge list count", ByteBuilder(head).fields(0).strings(0).u32(0x10000000u).raw(std::string(64, '\0')).bytes()},
      {"negative list count", ByteBuilder(head).fields(0).strings(0).u32(0xFFFFFFFFu).bytes()},
  };
  for (const Case& c : cases) {
    Store("bad.dat", c.bytes);
    cTestRecord record;
    EXPECT_EQ(record.Load("bad.dat"), 0) << c.what;
  }
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(RecordTest, DeepNestingIsRefused) {
  // A record holding a list of itself, nested far past any real file.
  struct cNest : cData {
    cNest() { RegisterFields(CurrentVersion); }
    void RegisterFields(std::int32_t) override { ResetFieldLists(); }
    bool Read(RecordReader& in) override { return cData::Read(in) && ReadRecordList(children, in); }
    cVector<cNest> children;
  };
  ByteBuilder f;
  f.i32(750);
  for (int level = 0; level < 200; ++level) f.fields(0).strings(0).list(1);
  f.fields(0).strings(0).list(0);
  Store("deep.dat", f.bytes());
  cNest nest;
  EXPECT_EQ(nest.Load("deep.dat"), 0);
}

TEST_F(RecordTest, AnInterruptedSaveLeavesTheOldFileByteForByte) {
  cTestRecord record = Sample();
  ASSERT_EQ(record.Save("rec.dat"), 1);
  const std::string before = Stored("rec.dat");
  record.i = 1;
  for (std::size_t failAfter : {0u, 1u, 10u, 40u}) {
    testsupport::ScopedWriteFault fault(failAfter);
    EXPECT_EQ(record.Save("rec.dat"), 0);
    EXPECT_EQ(Stored("rec.dat"), before);
  }
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 2u);  // rec.dat and the report log: no temporary left behind
  ASSERT_EQ(record.Save("rec.dat"), 1);
  EXPECT_NE(Stored("rec.dat"), before);
}

TEST_F(RecordTest, MissingFilesAndFoldersFailOpenAndSave) {
  cTestRecord record;
  EXPECT_EQ(record.Load("missing.dat"), 0);
  EXPECT_EQ(record.Load(""), 0);
  EXPECT_EQ(record.Save("no_such_folder\\rec.dat"), 0);
  EXPECT_EQ(record.Save(""), 0);
}

}  // namespace
