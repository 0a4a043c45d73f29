#include "data/ed_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/ed_flow.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using Params = std::vector<std::int32_t>;

// A command in record form: the eight fields, the text, no movement or shot record unless
// given, no nested flows, the parameters.
struct CommandBytes {
  std::uint8_t set = 0;
  std::uint8_t kind = 0;
  std::string text;
  std::int16_t time = 0;
  std::int16_t timeStep = 0;
  std::uint8_t noWait = 0;
  std::int16_t sound = 0;
  std::uint8_t viewOnly = 1;
  std::int16_t anime = 0;
  std::string move;  // record bytes after the presence flag, empty for none
  std::string shot;
  std::string flows;  // the whole flow list (count and records); empty means a count of 0
  Params params;

  std::string Bytes() const {
    ByteBuilder b;
    b.fields(8).u8(set).u8(kind).i16(time).i16(timeStep).u8(noWait).i16(sound).u8(viewOnly).i16(anime);
    b.strings(1).str(text);
    b.u32(move.empty() ? 0 : 1).raw(move);
    b.u32(shot.empty() ? 0 : 1).raw(shot);
    if (flows.empty()) b.list(0);
    b.raw(flows);
    b.u32(static_cast<std::uint32_t>(params.size()));
    for (const std::int32_t p : params) b.i32(p);
    return b.bytes();
  }
};

template <typename T>
std::string SampleRecord(const datatest::FieldTable<T>& table, std::int32_t version, std::int64_t offset = 0) {
  ByteBuilder b;
  datatest::PutFields(b, table, version, offset);
  b.strings(0);
  return b.bytes();
}

// A flow with the given bytes fields, no conditions, and the given commands.
std::string FlowBytes(std::uint8_t testPlayOnly, std::uint8_t flowId, const std::vector<std::string>& commands) {
  ByteBuilder b;
  b.fields(8).u8(flowId).u8(0).u8(testPlayOnly).u8(0).u8(0).u8(0).u8(3).u8(0).strings(1).str("");
  b.list(0).list(0).list(static_cast<std::uint32_t>(commands.size()));
  for (const std::string& c : commands) b.raw(c);
  return b.bytes();
}

std::string FlowList(const std::vector<std::string>& flows) {
  ByteBuilder b;
  b.list(static_cast<std::uint32_t>(flows.size()));
  for (const std::string& f : flows) b.raw(f);
  return b.bytes();
}

class CommandTest : public datatest::DataRecordTest {
 protected:
  static cEdCommand ReadCommand(const CommandBytes& fixture, std::int32_t version) {
    cEdCommand c;
    EXPECT_TRUE(ReadAt(c, fixture.Bytes(), version)) << version;
    return c;
  }
};

TEST_F(CommandTest, ANewCommandHasItsDefaults) {
  const cEdCommand c;
  EXPECT_EQ(c.bSoundInViewOnly, 1);
  EXPECT_EQ(c.nSet, 0);
  EXPECT_EQ(c.nKind, 0);
  EXPECT_FALSE(c.pMove);
  EXPECT_FALSE(c.pShot);
  EXPECT_TRUE(c.flows.empty());
  EXPECT_TRUE(c.params.empty());
}

TEST_F(CommandTest, ReadsEveryPartOfACurrentCommandAndWritesTheSameBytes) {
  CommandBytes f;
  f.kind = kCmdShot;
  f.text = "弾";
  f.time = 12;
  f.timeStep = -2;
  f.noWait = 1;
  f.sound = 7;
  f.viewOnly = 0;
  f.anime = 9;
  f.move = SampleRecord(datatest::MoveFields(), 750);
  f.shot = SampleRecord(datatest::ShotFields(), 750);
  CommandBytes nested;
  nested.kind = kCmdTurn;
  nested.params = {4};
  f.flows = FlowList({FlowBytes(0, 2, {nested.Bytes()})});
  cEdCommand c = ReadCommand(f, 750);

  EXPECT_EQ(c.nSet, 0);
  EXPECT_EQ(c.nKind, kCmdShot);
  EXPECT_EQ(c.strText, "弾");
  EXPECT_EQ(c.nTime, 12);
  EXPECT_EQ(c.nTimeStep, -2);
  EXPECT_EQ(c.bNoWait, 1);
  EXPECT_EQ(c.nSound, 7);
  EXPECT_EQ(c.bSoundInViewOnly, 0);
  EXPECT_EQ(c.nAnime, 9);
  ASSERT_TRUE(c.pMove);
  ASSERT_TRUE(c.pShot);
  cEdMove move;
  datatest::SetSamples(move, datatest::MoveFields());
  datatest::ExpectSameFields(*c.pMove, move, datatest::MoveFields());
  cEdShot shot;
  datatest::SetSamples(shot, datatest::ShotFields());
  datatest::ExpectSameFields(*c.pShot, shot, datatest::ShotFields());
  ASSERT_EQ(c.flows.size(), 1u);
  EXPECT_EQ(c.flows[0].nFlowId, 2);
  ASSERT_EQ(c.flows[0].commands.size(), 1u);
  EXPECT_EQ(c.flows[0].commands[0].params, cVector<std::int32_t>{4});
  EXPECT_TRUE(c.params.empty());

  EXPECT_EQ(WriteOf(c), f.Bytes());
}

// One row per migration line of the parameters, at N - 1 (the line and every later one apply)
// and at N (only the later ones). Kinds are the file's own; the result is after validation.
struct MigrationRow {
  std::int32_t version;
  std::uint8_t set;
  std::uint8_t kind;
  Params in;
  std::uint8_t kindOut;
  Params out;
};

Params Seq(std::int32_t first, int count) {
  Params p;
  for (int i = 0; i < count; ++i) p.push_back(first + i);
  return p;
}

const MigrationRow kMigrationRows[] = {
    // 145 stage clear: 9 parameters (722 then raises a mode of 2 or more).
    {144, 0, 17, {1, 2, 3, 4, 5}, 17, {1, 2, 3, 4, 5, 0, 0, 0, 0}},
    {144, 1, 2, {2, 2, 3, 4, 5}, 2, {3, 2, 3, 4, 5, 0, 0, 0, 0}},
    {145, 0, 17, {1, 2, 3, 4, 5}, 17, {1, 2, 3, 4, 5, 0, 0, 0, 0}},
    // 166 music: loop on for old files.
    {165, 0, 35, {7}, 36, {7, 1}},
    {165, 1, 20, {7, 0, 9}, 21, {7, 1}},
    {166, 0, 35, {7}, 36, {7, 0}},
    // 168 and 203 status operation: status numbers inserted at 10, then at 5.
    {167, 0, 22, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 10},
     22, {0, 0, 0, 0, 14, 0, 2, 0, 0, 0, 0, 0, 1, 12, 0, 0, 0, 0}},
    {167, 1, 7, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 10},
     7, {0, 0, 0, 0, 14, 0, 2, 0, 0, 0, 0, 0, 1, 12, 0, 0, 0, 0}},
    {167, 0, 22, {0, 0, 0, 2, 12, 0, 2, 0, 0, 0, 0, 0, 2, 10},
     22, {0, 0, 0, 2, 12, 0, 2, 0, 0, 0, 0, 0, 2, 10, 0, 0, 0, 0}},
    {167, 0, 22, {0, 0, 0, 0, 7}, 22, {0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {168, 0, 22, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 10},
     22, {0, 0, 0, 0, 13, 0, 2, 0, 0, 0, 0, 0, 1, 11, 0, 0, 0, 0}},
    {202, 0, 22, {1, 0, 0, 0, 12, 0, 3, 0, 0, 0, 0, 0, 1, 5},
     22, {1, 0, 0, 0, 12, 0, 3, 0, 0, 0, 0, 0, 1, 5, 0, 0, 0, 0}},
    {202, 1, 7, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 5},
     7, {0, 0, 0, 0, 13, 0, 2, 0, 0, 0, 0, 0, 1, 6, 0, 0, 0, 0}},
    {203, 0, 22, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 10},
     22, {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 1, 10, 0, 0, 0, 0}},
    // 189 target setting: 0 inserted at 2 (747 then sets 10, 11 and 14).
    {188, 0, 21, {5, 6, 7}, 21, {5, 6, 0, 7, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
    {188, 1, 6, Seq(1, 16), 6, {1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {189, 0, 21, {5, 6, 7}, 21, {5, 6, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
    // 194 picture: 1 inserted at 6 (545, 547 and 723 then clear 11 to 14).
    {193, 0, 31, Seq(2, 15), 32, {2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11, 0, 0, 0, 0}},
    {193, 1, 16, Seq(2, 15), 17, {2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11, 0, 0, 0, 0}},
    {194, 0, 31, Seq(2, 15), 32, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 0}},
    // 195 character and screen effects: 0 inserted at 1.
    {194, 0, 29, {3, 4}, 30, {3, 0, 4}},
    {194, 1, 15, {3, 4, 5}, 16, {3, 0, 4}},
    {194, 0, 30, {}, 31, {0, 0, 0}},
    {195, 0, 29, {3, 4}, 30, {3, 4, 0}},
    // 203 summons lose their parameters; flow operation keeps three.
    {202, 0, 14, {1, 2}, 14, {}},
    {202, 0, 15, {1}, 15, {}},
    {202, 0, 16, {1, 2, 3, 4}, 16, {1, 2, 3}},
    {203, 0, 16, {1, 2, 3, 4}, 16, {1, 2, 3}},
    // 210 status operation 2: item 6 inserted, not for the system.
    {209, 0, 23, {0, 6, 1}, 23, {0, 7, 1}},
    {209, 1, 8, {1, 7, 1}, 8, {1, 8, 1}},
    {209, 0, 23, {2, 6, 1}, 23, {2, 6, 1}},
    {209, 0, 23, {0, 5, 1}, 23, {0, 5, 1}},
    {210, 0, 23, {0, 6, 1}, 23, {0, 6, 1}},
    // 219 graphic change: shot pictures from 1, at most 119.
    {218, 0, 25, {3, 40, 0}, 26, {3, 41, 0}},
    {218, 1, 10, {3, 119, 0}, 11, {3, 119, 0}},
    {218, 0, 25, {2, 40, 0}, 26, {2, 40, 0}},
    {219, 0, 25, {3, 40, 0}, 26, {3, 40, 0}},
    // 545, 546, 547, 556 and 723 message.
    {544, 0, 19, {7}, 19, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0}},
    {544, 1, 4, {3}, 4, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}},
    {545, 0, 19, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}, 19, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0}},
    {546, 0, 19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9},
     19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 1, 0, 1, 0}},
    {547, 0, 19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9},
     19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 1, 0}},
    {556, 0, 19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9},
     19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 0}},
    {722, 1, 4, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9},
     4, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 0}},
    {723, 0, 19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9},
     19, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 9, 9, 9, 9, 9, 9, 9}},
    // 545, 547 and 723 picture.
    {544, 0, 31, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 32, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {544, 1, 16, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {546, 1, 16, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0}},
    {722, 1, 16, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 0}},
    {545, 1, 16, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0}},
    {547, 0, 31, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 32, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 0}},
    {723, 0, 31, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}, 32, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}},
    // 722 stage clear: mode 2 (by path) was inserted.
    {721, 0, 17, {2}, 17, {3, 0, 0, 0, 0, 0, 0, 0, 0}},
    {721, 1, 2, {1}, 2, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
    {722, 0, 17, {2}, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0}},
    // 726 and 727 arrange: the status operation is named 11, its parameters renumbered.
    {725, 0, 37, {}, 38, {11, 0, 0, 0, 0}},
    {725, 0, 37, {30, 2, 1, 1, 1}, 38, {11, 5, 1, 1, 1}},
    {725, 1, 22, {30, 2, 1, 1, 1}, 23, {11, 5, 1, 1, 1}},
    {726, 0, 37, {11, 1}, 38, {11, 1, 0, 0, 0}},
    {726, 0, 37, {11, 4}, 38, {11, 7, 0, 0, 0}},
    {726, 0, 37, {11, 13}, 38, {11, 20, 0, 0, 0}},
    {726, 1, 22, {11, 17}, 23, {11, 24, 0, 0, 0}},
    {726, 0, 37, {30, 4}, 38, {31, 4, 0, 0, 0}},
    {727, 0, 37, {11, 13}, 38, {11, 13, 0, 0, 0}},
    // 734: kind 24 was inserted in the character set, 9 in the item set.
    {733, 0, 23, {0, 1, 1}, 23, {0, 1, 1}},
    {733, 0, 24, {0, 5}, 25, {0, 5}},
    {733, 0, 37, {30, 1, 0, 0, 0}, 38, {31, 1, 0, 0, 0}},
    {733, 0, 37, {11, 1, 0, 0, 0}, 38, {11, 1, 0, 0, 0}},
    {733, 0, 38, {2, 3}, 39, {2, 3}},
    {733, 1, 8, {0, 1, 1}, 8, {0, 1, 1}},
    {733, 1, 9, {0, 5}, 10, {0, 5}},
    {733, 1, 22, {24, 1, 0, 0, 0}, 23, {25, 1, 0, 0, 0}},
    {734, 0, 24, {1, 2, 1}, 24, {1, 2, 1}},
    {734, 0, 38, {30, 1, 0, 0, 0}, 38, {30, 1, 0, 0, 0}},
    // 747 target setting.
    {746, 0, 21, Seq(1, 15), 21, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
    {746, 1, 6, Seq(1, 15), 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
    {747, 0, 21, Seq(1, 15), 21, Seq(1, 15)},
};

TEST_F(CommandTest, ParameterMigrationsOfEveryLine) {
  for (const MigrationRow& row : kMigrationRows) {
    CommandBytes f;
    f.set = row.set;
    f.kind = row.kind;
    f.params = row.in;
    const cEdCommand c = ReadCommand(f, row.version);
    SCOPED_TRACE(testing::Message() << "version " << row.version << " set " << int(row.set) << " kind "
                                    << int(row.kind));
    EXPECT_EQ(c.nSet, row.set);
    EXPECT_EQ(c.nKind, row.kindOut);
    EXPECT_EQ(Params(c.params.begin(), c.params.end()), row.out);
  }
}

// The two lines that change a command's records rather than its parameters.
TEST_F(CommandTest, MigrationsOfTheShotPictureAndTheChargeMove) {
  struct Row {
    std::int32_t version;
    std::uint8_t kind;
    std::int64_t picture;
    int pictureOut;
    bool moveReset;
  };
  const Row rows[] = {
      {219, kCmdShot, 40, 41, false},    {219, kCmdShot, 119, 119, false},   {220, kCmdShot, 40, 40, false},
      {513, kCmdMoveCharge, 0, 0, true}, {514, kCmdMoveCharge, 0, 0, false}, {513, kCmdMoveStraight, 0, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "version " << row.version << " kind " << int(row.kind));
    datatest::FieldTable<cEdShot> shot = datatest::ShotFields();
    for (auto& field : shot) {
      if (std::string(field.name) == "nPicture") field.sample = row.picture;
    }
    CommandBytes f;
    f.kind = row.kind;
    if (row.kind == kCmdShot)
      f.shot = SampleRecord(shot, row.version);
    else
      f.move = SampleRecord(datatest::MoveFields(), row.version);
    const cEdCommand c = ReadCommand(f, row.version);
    if (row.kind == kCmdShot) {
      ASSERT_TRUE(c.pShot);
      EXPECT_EQ(c.pShot->nPicture, row.pictureOut);
      continue;
    }
    ASSERT_TRUE(c.pMove);
    // Samples: angle 301, step -302, mirror 5 (0 before 158 by the record's own fix-up).
    EXPECT_EQ(c.pMove->nAngle, row.moveReset ? 0 : 301);
    EXPECT_EQ(c.pMove->nAngleStep, row.moveReset ? 0 : -302);
    EXPECT_EQ(c.pMove->bMirrorAngle, row.moveReset ? 1 : 5);
  }
}

// A kind the tables do not know runs as no command; kinds that need a movement or shot record
// get a default one; a migration past the end of the list grows it first.
TEST_F(CommandTest, CommandsTheAuthoringToolNeverWritesAreMadeSafe) {
  struct Row {
    std::int32_t version;
    std::uint8_t set;
    std::uint8_t kind;
    Params in;
    std::uint8_t setOut;
    std::uint8_t kindOut;
    bool move;
    bool shot;
  };
  const Row rows[] = {
      {750, 2, 3, {1, 2}, 0, 0, false, false},
      {750, 0, 40, {1}, 0, 0, false, false},
      {750, 1, 25, {1}, 0, 0, false, false},
      {733, 0, 39, {1, 2}, 0, 0, false, false},
      {750, 0, kCmdShot, {}, 0, kCmdShot, false, true},
      {750, 0, kCmdSummonItem, {}, 0, kCmdSummonItem, false, true},
      {750, 0, kCmdMoveStraight, {}, 0, kCmdMoveStraight, true, false},
      {750, 0, kCmdWarp, {}, 0, kCmdWarp, true, false},
      {750, 1, kItemCmdWarp, {}, 1, kItemCmdWarp, true, false},
      {750, 0, kCmdWait, {9}, 0, kCmdWait, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "set " << int(row.set) << " kind " << int(row.kind));
    CommandBytes f;
    f.set = row.set;
    f.kind = row.kind;
    f.params = row.in;
    const cEdCommand c = ReadCommand(f, row.version);
    EXPECT_EQ(c.nSet, row.setOut);
    EXPECT_EQ(c.nKind, row.kindOut);
    EXPECT_EQ(c.params.size(), static_cast<std::size_t>(CommandKind(c.nSet, c.nKind)->paramCount));
    EXPECT_EQ(static_cast<bool>(c.pMove), row.move);
    EXPECT_EQ(static_cast<bool>(c.pShot), row.shot);
    if (row.move) {
      EXPECT_EQ(c.pMove->nSpeed, 10);
    }
    if (row.shot) {
      EXPECT_EQ(c.pShot->nScale, 1);
    }
  }
}

TEST_F(CommandTest, ValidationClampsDatabaseReferences) {
  Context().database = DatabaseCounts{4, 5, 3, 6, 7, 8, 9, 10, 11};
  // nAnime and nSound against the animation and sound counts.
  for (const auto& [anime, sound, animeOut, soundOut] :
       {std::tuple{-1, 10, 0, 0}, std::tuple{5, -1, 0, 0}, std::tuple{4, 9, 4, 9}}) {
    CommandBytes f;
    f.kind = kCmdWait;
    f.anime = static_cast<std::int16_t>(anime);
    f.sound = static_cast<std::int16_t>(sound);
    const cEdCommand c = ReadCommand(f, 750);
    EXPECT_EQ(c.nAnime, animeOut) << anime;
    EXPECT_EQ(c.nSound, soundOut) << sound;
  }
  // The first parameter of the commands that name a record: count, -1 and count - 1.
  struct Row {
    std::uint8_t kind;
    std::int32_t count;
    std::int32_t replacement;
  };
  const Row rows[] = {{27, 4, 0}, {28, 5, 1}, {29, 6, 1}, {30, 7, 1}, {31, 8, 1}, {32, 9, 1}, {35, 10, 1}, {36, 11, 1}};
  for (const Row& row : rows) {
    for (const std::uint8_t set : {0, 1}) {
      CommandBytes f;
      f.set = set;
      f.kind = static_cast<std::uint8_t>(set == 0 ? row.kind : row.kind - kItemKindOffset);
      for (const auto& [p0, expected] : {std::pair{row.count, row.replacement}, std::pair{-1, row.replacement},
                                         std::pair{row.count - 1, row.count - 1}}) {
        f.params = {p0};
        const cEdCommand c = ReadCommand(f, 750);
        EXPECT_EQ(c.params[0], expected) << "set " << int(set) << " kind " << int(f.kind) << " p0 " << p0;
      }
    }
  }
}

TEST_F(CommandTest, ItemCommandsTakeTheParameterCountOfTheirKind) {
  CommandBytes f;
  f.set = 1;
  f.kind = 4;
  f.params = {1, 2, 3};
  EXPECT_EQ(ReadCommand(f, 750).params.size(), 18u);
  f.kind = 5;
  EXPECT_TRUE(ReadCommand(f, 750).params.empty());
}

// A sword's duration is the sum of its type's parts, capped at 9999 after every addition; a
// type the database does not have becomes type 0.
TEST_F(CommandTest, ASwordTakesItsDurationFromItsType) {
  Context().swordPartDurations = {{3, 4}, {5000, 6000}, {9000, 2000, -500}, {}};
  struct Row {
    std::int64_t type;
    int typeOut;
    int time;
  };
  for (const Row& row : {Row{0, 0, 7}, Row{1, 1, 9999}, Row{2, 2, 9499}, Row{3, 3, 0}, Row{4, 0, 7}, Row{255, 0, 7}}) {
    datatest::FieldTable<cEdShot> shot = datatest::ShotFields();
    for (auto& field : shot) {
      if (std::string(field.name) == "nTrajectory") field.sample = row.type;
    }
    CommandBytes f;
    f.kind = kCmdSword;
    f.time = 1;
    f.shot = SampleRecord(shot, 750);
    const cEdCommand c = ReadCommand(f, 750);
    EXPECT_EQ(c.pShot->nTrajectory, row.typeOut) << row.type;
    EXPECT_EQ(c.nTime, row.time) << row.type;
  }
}

TEST_F(CommandTest, SummonsAndItemReferencesStayInsideThePalettes) {
  cVector<cEdBlock> blocks(3);
  cVector<cEdChara> charas(4);
  cVector<cEdItem> commonItems(5);
  cVector<cEdItem> stageItems(2);
  Context().commonPalette = PaletteLists{&blocks, &charas, &commonItems};
  Context().stagePalette = PaletteLists{nullptr, nullptr, &stageItems};

  struct ShotRow {
    std::uint8_t kind;
    std::uint8_t itemSource;
    std::int16_t itemIndex;
    std::uint8_t summonPalette;
    std::int16_t summonIndex;
    int itemSourceOut;
    int itemIndexOut;
    int summonIndexOut;
  };
  const ShotRow rows[] = {
      {kCmdShot, 1, 4, 0, 0, 1, 4, 0},         {kCmdShot, 1, 5, 0, 0, 0, 0, 0},
      {kCmdSword, 2, 2, 0, 0, 0, 0, 0},        {kCmdSword, 2, -1, 0, 0, 0, 0, 0},
      {kCmdShot, 3, 99, 0, 0, 3, 99, 0},       {kCmdSummonBlock, 1, 99, 0, 3, 1, 99, 1},
      {kCmdSummonBlock, 0, 0, 0, 2, 0, 0, 2},  {kCmdSummonBlock, 0, 0, 1, 0, 0, 0, 1},
      {kCmdSummonChara, 0, 0, 0, 3, 0, 0, 3},  {kCmdSummonChara, 0, 0, 0, -4, 0, 0, 1},
      {kCmdSummonItem, 0, 0, 1, 2, 0, 0, 1},   {kCmdSummonItem, 0, 0, 0, 4, 0, 0, 4},
      {kCmdSummonItem, 0, 0, 2, 99, 0, 0, 99},
  };
  for (const ShotRow& row : rows) {
    cEdCommand c;
    c.nKind = row.kind;
    c.pShot.reset(new cEdShot());
    c.pShot->nItemSource = row.itemSource;
    c.pShot->nItemIndex = row.itemIndex;
    c.pShot->nSummonPalette = row.summonPalette;
    c.pShot->nSummonIndex = row.summonIndex;
    c.ValidateSummon(Context());
    SCOPED_TRACE(testing::Message() << "kind " << int(row.kind) << " item " << int(row.itemSource) << "/"
                                    << row.itemIndex << " summon " << int(row.summonPalette) << "/" << row.summonIndex);
    EXPECT_EQ(c.pShot->nItemSource, row.itemSourceOut);
    EXPECT_EQ(c.pShot->nItemIndex, row.itemIndexOut);
    EXPECT_EQ(c.pShot->nSummonIndex, row.summonIndexOut);
  }

  struct TakeRow {
    std::uint8_t set;
    Params in;
    Params out;
  };
  for (const TakeRow& row : {TakeRow{0, {0, 4}, {0, 4}}, TakeRow{0, {0, 5}, {0, 1}}, TakeRow{1, {1, 2}, {1, 1}},
                             TakeRow{1, {1, -1}, {1, 1}}, TakeRow{0, {2, 50}, {2, 50}}}) {
    cEdCommand c;
    c.nSet = row.set;
    c.nKind = static_cast<std::uint8_t>(row.set == 0 ? int{kCmdTakeItem} : int{kItemCmdTakeItem});
    c.params.assign(row.in.begin(), row.in.end());
    c.ValidateSummon(Context());
    EXPECT_EQ(Params(c.params.begin(), c.params.end()), row.out)
        << int(row.set) << " " << row.in[0] << "/" << row.in[1];
  }
}

// Copies never share their movement and shot records, nor their nested flows.
TEST_F(CommandTest, CopiesAndAssignmentsOwnTheirRecords) {
  cEdCommand original;
  original.nKind = kCmdShot;
  original.pMove.reset(new cEdMove());
  original.pShot.reset(new cEdShot());
  original.flows.resize(1);
  original.flows[0].commands.resize(1);
  original.params = {1, 2};

  cEdCommand copy(original);
  ASSERT_TRUE(copy.pMove && copy.pShot);
  EXPECT_NE(copy.pMove.get(), original.pMove.get());
  EXPECT_NE(copy.pShot.get(), original.pShot.get());
  copy.pMove->nSpeed = 99;
  copy.pShot->nPower = 5;
  copy.flows[0].commands[0].nKind = kCmdJump;
  EXPECT_EQ(original.pMove->nSpeed, 10);
  EXPECT_EQ(original.pShot->nPower, 0);
  EXPECT_EQ(original.flows[0].commands[0].nKind, kCmdNone);

  cEdCommand assigned;
  assigned = original;
  EXPECT_NE(assigned.pShot.get(), original.pShot.get());
  EXPECT_EQ(assigned.params, original.params);
  EXPECT_EQ(original.pShot.use_count(), 1);

  // Assigning from a command without records releases this one's.
  const boost::shared_ptr<cEdMove> held = assigned.pMove;
  assigned = cEdCommand();
  EXPECT_FALSE(assigned.pMove);
  EXPECT_FALSE(assigned.pShot);
  EXPECT_EQ(held.use_count(), 1);

  // The copy writes the same bytes as the command it was copied from.
  cEdCommand again(original);
  EXPECT_EQ(WriteOf(again), WriteOf(original));
}

TEST_F(CommandTest, NestedFlowsDeeperThanTheCapFailTheRead) {
  const auto nested = [](int depth) {
    CommandBytes inner;
    inner.kind = kCmdWait;
    std::string bytes = inner.Bytes();
    for (int i = 0; i < depth; ++i) {
      CommandBytes outer;
      outer.set = 1;
      outer.kind = kItemCmdChangeFlows;
      outer.params = {0, 0};
      outer.flows = FlowList({FlowBytes(0, 0, {bytes})});
      bytes = outer.Bytes();
    }
    return bytes;
  };
  cEdCommand c;
  EXPECT_TRUE(ReadAt(c, nested(cEdCommand::kMaxFlowNesting), 750));
  cEdCommand deeper;
  EXPECT_FALSE(ReadAt(deeper, nested(cEdCommand::kMaxFlowNesting + 1), 750));
  // A failed read leaves the depth count as it was: the next read of the same depth succeeds.
  cEdCommand after;
  EXPECT_TRUE(ReadAt(after, nested(cEdCommand::kMaxFlowNesting), 750));
}

TEST_F(CommandTest, EveryShorterPrefixOfACommandFailsToRead) {
  CommandBytes f;
  f.kind = kCmdShot;
  f.text = "abc";
  f.shot = SampleRecord(datatest::ShotFields(), 750);
  CommandBytes nested;
  nested.kind = kCmdJump;
  nested.params = {1, 2, 3, 4, 5};
  f.flows = FlowList({FlowBytes(0, 1, {nested.Bytes()})});
  f.params = {};
  const std::string bytes = f.Bytes();
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    cEdCommand c;
    EXPECT_FALSE(ReadAt(c, bytes.substr(0, n), 750)) << n;
  }
}

}  // namespace
