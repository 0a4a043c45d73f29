// Inheritance from palette entries: each property group is checked on its own, with a donor
// whose every field differs from the record's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace {

using datatest::ByteBuilder;
using datatest::FieldTable;

class InheritTest : public datatest::DataRecordTest {};

// A list member of a group: the record's and the donor's are told apart by their sizes.
template <typename T>
struct ListGroup {
  int group;
  std::size_t (*size)(const T&);
  void (*resize)(T&, std::size_t);
};

// For every group g: a record with only flag g set takes exactly group g's fields (and lists)
// from the donor, and keeps every other field, its reference and its flags.
template <typename T>
void CheckEveryGroup(const FieldTable<T>& fields, const std::vector<ListGroup<T>>& lists, int groups,
                     const cVector<T>* PaletteLists::*list, DataReadContext& context) {
  cVector<T> palette(2);
  T& donor = palette[1];
  datatest::SetSamples(donor, fields, 1);
  donor.strName = "donor";
  for (const ListGroup<T>& l : lists) l.resize(donor, 3);
  context.commonPalette.*list = &palette;
  T own;
  datatest::SetSamples(own, fields);

  for (int g = 0; g < groups; ++g) {
    SCOPED_TRACE(testing::Message() << "group " << g);
    T record = own;
    record.strName = "own";
    for (const ListGroup<T>& l : lists) l.resize(record, 1);
    record.nPalSource = 1;
    record.nPalIndex = 1;
    record.inheritFlags.assign(static_cast<std::size_t>(groups), 0);
    record.inheritFlags[g] = 1;
    record.Inherit(context);

    for (const auto& field : fields) {
      if (field.group < 0) continue;  // the reference is checked below
      const T& source = field.group == g ? donor : own;
      for (int e = 0; e < field.count; ++e) EXPECT_EQ(field.get(record, e), field.get(source, e)) << field.name;
    }
    EXPECT_EQ(record.strName, g == 0 ? "donor" : "own");
    for (const ListGroup<T>& l : lists) {
      EXPECT_EQ(l.size(record), l.group == g ? 3u : 1u) << "list of group " << l.group;
    }
    EXPECT_EQ(record.nPalSource, 1);
    EXPECT_EQ(record.nPalIndex, 1);
    EXPECT_EQ(record.inheritFlags.size(), static_cast<std::size_t>(groups));
  }
  context.commonPalette.*list = nullptr;
}

TEST_F(InheritTest, EachBlockGroupCopiesExactlyItsFields) {
  const std::vector<ListGroup<cEdBlock>> lists = {
      {1, [](const cEdBlock& r) { return r.conditions.size(); },
       [](cEdBlock& r, std::size_t n) { r.conditions.resize(n); }},
  };
  CheckEveryGroup(datatest::BlockFields(), lists, cEdBlock::kInheritGroups, &PaletteLists::blocks, Context());
}

TEST_F(InheritTest, EachCharacterGroupCopiesExactlyItsFields) {
  const std::vector<ListGroup<cEdChara>> lists = {
      {4, [](const cEdChara& r) { return r.conditions.size(); },
       [](cEdChara& r, std::size_t n) { r.conditions.resize(n); }},
      {36, [](const cEdChara& r) { return r.flows.size(); }, [](cEdChara& r, std::size_t n) { r.flows.resize(n); }},
  };
  CheckEveryGroup(datatest::CharaFields(), lists, cEdChara::kInheritGroups, &PaletteLists::charas, Context());
}

TEST_F(InheritTest, EachItemGroupCopiesExactlyItsFields) {
  const std::vector<ListGroup<cEdItem>> lists = {
      {1, [](const cEdItem& r) { return r.conditions.size(); },
       [](cEdItem& r, std::size_t n) { r.conditions.resize(n); }},
      {12, [](const cEdItem& r) { return r.commands.size(); }, [](cEdItem& r, std::size_t n) { r.commands.resize(n); }},
  };
  CheckEveryGroup(datatest::ItemFields(), lists, cEdItem::kInheritGroups, &PaletteLists::items, Context());
}

// A character whose every flag is set, with the given reference, after Inherit.
cEdChara InheritedChara(std::uint8_t source, std::int16_t index, const DataReadContext& context,
                        std::size_t flows = 0) {
  cEdChara c;
  c.nMaxHp = 77;
  c.flows.resize(flows);
  c.nPalSource = source;
  c.nPalIndex = index;
  c.inheritFlags.assign(37, 1);
  c.Inherit(context);
  return c;
}

TEST_F(InheritTest, WhatInheritsNothingAndWhatLosesItsSource) {
  cVector<cEdChara> common(3);
  common[1].nMaxHp = 5;
  common[2].nMaxHp = 6;
  cVector<cEdChara> stage(2);
  stage[1].nMaxHp = 8;
  Context().commonPalette.charas = &common;
  Context().stagePalette.charas = &stage;
  struct Row {
    std::uint8_t source;
    std::int16_t index;
    int sourceOut;
    int maxHp;
  };
  const Row rows[] = {
      {2, 0, 2, 77},                                 // index 0: the empty entry gives nothing
      {0, 1, 0, 77},                                 // no source
      {1, 2, 1, 6},  {2, 1, 2, 8},   {1, 3, 0, 77},  // past the list: the source goes, the index stays
      {2, 2, 0, 77}, {1, -1, 0, 77},
  };
  for (const Row& row : rows) {
    const cEdChara c = InheritedChara(row.source, row.index, Context());
    EXPECT_EQ(c.nPalSource, row.sourceOut) << int(row.source) << "/" << row.index;
    EXPECT_EQ(c.nPalIndex, row.index) << int(row.source) << "/" << row.index;
    EXPECT_EQ(c.nMaxHp, row.maxHp) << int(row.source) << "/" << row.index;
  }
}

// A source that names no palette makes the record its own donor: nothing changes, but the flow
// group still gives an empty flow list one default flow.
TEST_F(InheritTest, AnUnknownSourceIsItsOwnDonor) {
  const cEdChara withFlows = InheritedChara(3, 4, Context(), 2);
  EXPECT_EQ(withFlows.nMaxHp, 77);
  EXPECT_EQ(withFlows.flows.size(), 2u);
  EXPECT_EQ(withFlows.nPalSource, 3);
  const cEdChara without = InheritedChara(3, 4, Context(), 0);
  ASSERT_EQ(without.flows.size(), 1u);
  EXPECT_EQ(without.flows[0].nKeyGap, 3);
  EXPECT_TRUE(without.flows[0].IsEmpty());
}

TEST_F(InheritTest, AnEntryNamingItsOwnPositionIsLeftAsItIs) {
  cVector<cEdChara> common(3);
  Context().commonPalette.charas = &common;
  cEdChara& entry = common[2];
  entry.nPalSource = 1;
  entry.nPalIndex = 2;
  entry.nMaxHp = 4;
  entry.inheritFlags.assign(37, 1);
  entry.Inherit(Context());
  EXPECT_EQ(entry.nPalSource, 1);
  EXPECT_EQ(entry.nMaxHp, 4);
  EXPECT_TRUE(entry.flows.empty());
}

// The flags and the table go as far as the shorter of the two.
TEST_F(InheritTest, FlagsCopyOnlyTheGroupsBothTheFlagsAndTheTableHave) {
  cVector<cEdItem> common(2);
  common[1].nSound = 9;    // group 11
  common[1].nOffsetX = 5;  // group 2
  Context().commonPalette.items = &common;
  cEdItem shortFlags;
  shortFlags.nPalSource = 1;
  shortFlags.nPalIndex = 1;
  shortFlags.inheritFlags.assign(3, 1);
  shortFlags.Inherit(Context());
  EXPECT_EQ(shortFlags.nOffsetX, 5);
  EXPECT_EQ(shortFlags.nSound, 0);

  cEdItem longFlags = shortFlags;
  longFlags.inheritFlags.assign(20, 1);
  longFlags.Inherit(Context());
  EXPECT_EQ(longFlags.nSound, 9);
}

// Inherit gives an empty flow list a default flow; validation in the same read then removes
// that flow, which holds nothing. Each step is as its own rule says.
TEST_F(InheritTest, ReadingInheritsThenValidates) {
  cVector<cEdChara> common(2);
  common[1].nMaxHp = 55;
  Context().commonPalette.charas = &common;

  const cEdChara inherited = InheritedChara(1, 1, Context());
  EXPECT_EQ(inherited.nMaxHp, 55);
  EXPECT_EQ(inherited.flows.size(), 1u);

  cEdChara validated = inherited;
  validated.Validate(Context());
  EXPECT_TRUE(validated.flows.empty());

  ByteBuilder b;
  datatest::FieldTable<cEdChara> table = datatest::CharaFields();
  for (auto& field : table) {
    if (std::string(field.name) == "nPalSource") field.sample = 1;
    if (std::string(field.name) == "nPalIndex") field.sample = 1;
  }
  datatest::PutFields(b, table, 750);
  b.strings(1).str("").i16(0).i16(0).i32(0).u32(37);
  for (int i = 0; i < 37; ++i) b.u8(static_cast<std::uint8_t>(i == 23 || i == 36 ? 1 : 0));
  b.list(0).list(0);
  cEdChara read;
  ASSERT_TRUE(ReadAt(read, b.bytes(), 750));
  EXPECT_EQ(read.nMaxHp, 55);
  EXPECT_TRUE(read.flows.empty());
}

}  // namespace
