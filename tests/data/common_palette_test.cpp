#include "data/common_palette.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data_test_support.h"
#include "field_tables.h"
#include "platform/files/path_resolver.h"
#include "stage_fixture.h"
#include "support/temp_folder.h"

namespace {

using stagetest::ByteBuilder;
using stagetest::Values;

// One list: a count, then each entry written by the function given.
std::string List(const std::vector<std::function<void(ByteBuilder&)>>& entries) {
  ByteBuilder b;
  b.list(static_cast<std::uint32_t>(entries.size()));
  for (const auto& put : entries) put(b);
  return b.bytes();
}

auto Block(std::int32_t v, const Values& values, bool samples, const std::string& name = "",
           const std::vector<std::uint8_t>& flags = std::vector<std::uint8_t>(11, 0)) {
  return [=](ByteBuilder& b) { stagetest::PutBlock(b, v, values, samples, name, 0, 0, flags); };
}
auto Chara(std::int32_t v, const Values& values, bool samples, const std::string& name = "",
           const std::vector<std::uint8_t>& flags = std::vector<std::uint8_t>(37, 0)) {
  return [=](ByteBuilder& b) { stagetest::PutChara(b, v, values, samples, name, 0, 0, flags); };
}
auto Item(std::int32_t v, const Values& values, bool samples, const std::string& name = "") {
  return [=](ByteBuilder& b) { stagetest::PutItem(b, v, values, samples, name); };
}
auto EmptyBlock(std::int32_t v) { return Block(v, stagetest::DefaultBlockValues(), false); }
auto EmptyChara(std::int32_t v) { return Chara(v, stagetest::DefaultCharaValues(), false); }
auto EmptyItem(std::int32_t v) { return Item(v, stagetest::DefaultItemValues(), false); }

// A palette file: header, no fields, no strings, then the three lists.
std::string PaletteFile(std::int32_t version, const std::string& blocks, const std::string& charas,
                        const std::string& items) {
  ByteBuilder b;
  b.i32(version).fields(0).strings(0);
  return b.bytes() + blocks + charas + items;
}

// The palette of an empty entry and a sample entry in each list.
std::string SampleFile(std::int32_t v) {
  return PaletteFile(v, List({EmptyBlock(v), Block(v, {}, true, "壁")}),
                     List({EmptyChara(v), Chara(v, {}, true, "敵")}), List({EmptyItem(v), Item(v, {}, true, "玉")}));
}

class CommonPaletteTest : public datatest::DataRecordTest {
 protected:
  static bool ReadFile(cCommonPalette& palette, const std::string& bytes) {
    RecordReader in(bytes, "fixture");
    std::int32_t version = 0;
    if (!in.ReadI32(version)) return false;
    in.SetVersion(version);
    FileVersion = version;
    return palette.Read(in) && in.AtEnd();
  }
  // Writes validate the entries' references against the project's palette: this one.
  static std::string WriteFile(cCommonPalette& palette) {
    Context().commonPalette = palette.PaletteView();
    RecordWriter out;
    out.WriteI32(CurrentVersion);
    palette.Write(out);
    Context().commonPalette = PaletteLists{};
    return out.Bytes();
  }
};

TEST_F(CommonPaletteTest, ReadsTheThreeListsAndWritesTheSameBytes) {
  const std::string file = SampleFile(kRecordVersion);
  cCommonPalette palette;
  ASSERT_TRUE(ReadFile(palette, file));
  EXPECT_EQ(palette.FieldCount(), 0u);
  EXPECT_EQ(palette.StringCount(), 0u);
  ASSERT_EQ(palette.Blocks.size(), 2u);
  EXPECT_EQ(palette.Blocks[1].strName, "壁");
  EXPECT_EQ(palette.Charas[1].strName, "敵");
  EXPECT_EQ(palette.Items[1].strName, "玉");
  EXPECT_EQ(WriteFile(palette), file);
}

TEST_F(CommonPaletteTest, EmptyListsReadAsTwoNewRecordsEach) {
  const std::int32_t v = kRecordVersion;
  cCommonPalette palette;
  ASSERT_TRUE(ReadFile(palette, PaletteFile(v, List({}), List({}), List({}))));
  EXPECT_EQ(WriteFile(palette), PaletteFile(v, List({EmptyBlock(v), EmptyBlock(v)}),
                                            List({EmptyChara(v), EmptyChara(v)}), List({EmptyItem(v), EmptyItem(v)})));
}

TEST_F(CommonPaletteTest, EntryZeroReadsAsANewRecordWhateverTheFileHolds) {
  const std::int32_t v = kRecordVersion;
  cCommonPalette palette;
  ASSERT_TRUE(ReadFile(palette, PaletteFile(v, List({Block(v, {}, true, "a")}), List({Chara(v, {}, true, "b")}),
                                            List({Item(v, {}, true, "c")}))));
  const cEdItem& empty = palette.Items[0];
  EXPECT_EQ(empty.nGraphicKind, 2);
  EXPECT_EQ(empty.nLayer, 6);
  EXPECT_EQ(empty.nScale, 1);
  EXPECT_EQ(empty.bPopUp, 1);
  EXPECT_EQ(empty.strName, "");
  EXPECT_EQ(palette.Blocks[0].nPassGroup, 255);
  EXPECT_EQ(palette.Charas[0].nMaxHp, 10);
  EXPECT_EQ(palette.Charas[0].strName, "");
}

// An entry keeps what it inherited while the palette was read and never inherits again: its
// flags read as 0.
TEST_F(CommonPaletteTest, EntriesKeepWhatTheyInheritedAndLoseTheirFlags) {
  const std::int32_t v = kRecordVersion;
  std::vector<std::uint8_t> flags(37, 0);
  flags[0] = 1;   // name
  flags[23] = 1;  // maximum HP
  cCommonPalette palette;
  ASSERT_TRUE(ReadFile(
      palette, PaletteFile(v, List({EmptyBlock(v)}),
                           List({EmptyChara(v), Chara(v, {}, true, "親"),
                                 Chara(v, {{"nPalSource", 1}, {"nPalIndex", 1}, {"nMaxHp", 5}}, true, "子", flags)}),
                           List({EmptyItem(v)}))));
  const cEdChara& child = palette.Charas[2];
  EXPECT_EQ(child.strName, "親");
  EXPECT_EQ(child.nMaxHp, 3900039);
  EXPECT_EQ(child.nPalSource, 1);
  EXPECT_EQ(child.inheritFlags, cVector<std::uint8_t>(37, 0));
}

// While the palette is read, an entry that names a later entry finds a new record there (as
// if the list stood whole before its entries were read); one that names an earlier entry finds
// that entry as read; one past the list's count loses its reference.
TEST_F(CommonPaletteTest, EntriesInheritFromEarlierAndLaterEntriesOfThePaletteBeingRead) {
  const std::int32_t v = kRecordVersion;
  std::vector<std::uint8_t> graphic(11, 0);
  graphic[2] = 1;
  const auto from = [&](std::int64_t index, std::int64_t picture) {
    return Block(v, {{"nPalSource", 1}, {"nPalIndex", index}, {"nPicture", picture}}, true, "", graphic);
  };
  cCommonPalette palette;
  ASSERT_TRUE(ReadFile(
      palette,
      PaletteFile(v, List({EmptyBlock(v), from(2, 50), Block(v, {{"nPicture", 60}}, true), from(2, 70), from(5, 80)}),
                  List({EmptyChara(v)}), List({EmptyItem(v)}))));
  struct Row {
    int entry;
    int source;
    int picture;
    int kind;
  };
  for (const Row& row : {Row{1, 1, 0, 0}, Row{3, 1, 60, 6}, Row{4, 0, 80, 6}}) {
    const cEdBlock& block = palette.Blocks[row.entry];
    EXPECT_EQ(block.nPalSource, row.source) << row.entry;
    EXPECT_EQ(block.nPicture, row.picture) << row.entry;
    EXPECT_EQ(block.nGraphicKind, row.kind) << row.entry;
  }
}

// Every entry is read with the layout and fix-ups of the file's version.
TEST_F(CommonPaletteTest, OldFilesReadWithTheLayoutOfTheirVersion) {
  struct Row {
    std::int32_t version;
    int picture;  // a shot picture (graphic kind 3) stored as 40
    int bodyBox;  // stored as 2 where the file carries it
  };
  for (const Row& row : {Row{150, 41, 0}, Row{205, 41, 3}, Row{218, 41, 2}, Row{219, 40, 2}, Row{750, 40, 2}}) {
    const std::int32_t v = row.version;
    cCommonPalette palette;
    ASSERT_TRUE(
        ReadFile(palette, PaletteFile(v, List({EmptyBlock(v), Block(v, {{"nGraphicKind", 3}, {"nPicture", 40}}, true)}),
                                      List({EmptyChara(v), Chara(v, {{"nBodyBox", 2}}, true)}), List({EmptyItem(v)}))))
        << v;
    EXPECT_EQ(palette.Blocks[1].nPicture, row.picture) << v;
    EXPECT_EQ(palette.Charas[1].nBodyBox, row.bodyBox) << v;
    EXPECT_EQ(palette.Charas[1].inheritFlags.size(), 37u) << v;
  }
}

TEST_F(CommonPaletteTest, TheStartUpLoadReplacesThePaletteOnlyWhenTheFileReadsWhole) {
  testsupport::TempFolder folder;
  std::optional<testsupport::ScopedCurrentFolder> current(folder.path());
  platform::GameFolder().Forget();
  const cCommonPalette saved = CommonPalette;

  EXPECT_EQ(LoadCommonPalette(), 0);  // no file
  const std::string file = SampleFile(kRecordVersion);
  folder.Write("data/CommonPalette.cplt4", file.substr(0, file.size() - 9));
  platform::GameFolder().Forget();
  EXPECT_EQ(LoadCommonPalette(), 0);
  EXPECT_EQ(CommonPalette.Blocks.size(), saved.Blocks.size());

  folder.Write("data/CommonPalette.cplt4", file);
  platform::GameFolder().Forget();
  ASSERT_EQ(LoadCommonPalette(), 1);
  EXPECT_EQ(CommonPalette.Blocks[1].strName, "壁");
  EXPECT_EQ(Context().commonPalette.charas, &CommonPalette.Charas);

  CommonPalette = saved;
  current.reset();
  platform::GameFolder().Forget();
}

}  // namespace
