#include "data/stage_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "data_test_support.h"
#include "field_tables.h"
#include "stage_fixture.h"

namespace {

using stagetest::ByteBuilder;
using stagetest::StageBody;
using stagetest::StageFields;
using stagetest::StageRecipe;
using stagetest::Values;

class StageDataTest : public datatest::DataRecordTest {
 protected:
  static bool ReadStage(cStageData& stage, const StageRecipe& recipe) {
    return ReadAt(stage, StageBody(recipe), recipe.version);
  }
};

std::int64_t FieldValue(const cStageData& stage, const std::string& name) {
  for (const auto& field : StageFields()) {
    if (name == field.name) return field.get(stage, 0);
  }
  ADD_FAILURE() << "no field " << name;
  return 0;
}

TEST_F(StageDataTest, ReadsEveryPartOfACurrentStageAndWritesTheSameBytes) {
  // Any word before a placement is accepted; it is written back as 0.
  cStageData stage;
  ASSERT_TRUE(ReadStage(stage, StageRecipe().Word(0xDEADBEEF)));
  cStageData expected;
  datatest::SetSamples(expected, StageFields());
  datatest::ExpectSameFields(stage, expected, StageFields());
  EXPECT_EQ(stage.strText, "ステージ");
  EXPECT_EQ(stage.RankFlags, (cVector<std::int32_t>{1, 0, 1, 0, 1}));
  const cStageParam& shots = stage.Ranges[kRangePlayerShots];
  EXPECT_EQ((std::vector<int>{shots.bLeft, shots.bRight, shots.bTop, shots.bBottom, shots.nMarginLeft,
                              shots.nMarginRight, shots.nMarginTop, shots.nMarginBottom}),
            (std::vector<int>{1, 1, 0, 1, 3, 4, 5, 6}));
  ASSERT_EQ(stage.PalBlocks.size(), 2u);
  EXPECT_EQ(stage.PalBlocks[1].strName, "壁");
  EXPECT_EQ(stage.PalCharas[1].strName, "敵");
  EXPECT_EQ(stage.PalItems[1].strName, "玉");
  ASSERT_EQ(stage.Blocks.size(), 1u);
  EXPECT_EQ(stage.Blocks[0].x, 3);
  EXPECT_EQ(stage.Blocks[0].y, 4);
  ASSERT_EQ(stage.Charas.size(), 1u);
  EXPECT_EQ(stage.Charas[0].strName, "主人公");
  EXPECT_EQ(stage.FindHero(), 0);
  ASSERT_EQ(stage.Items.size(), 1u);
  EXPECT_EQ(stage.Items[0].y, 7);
  ASSERT_EQ(stage.Backgrounds.size(), 1u);
  EXPECT_EQ(stage.Backgrounds[0].strPicture, "back.bmp");
  EXPECT_EQ(stage.Backgrounds[0].dScrollY, 0.5);
  ASSERT_EQ(stage.Strings.size(), 1u);
  EXPECT_EQ(stage.Strings[0].strText, "テキスト");

  const std::string written = WriteOf(stage);
  EXPECT_EQ(written, StageBody(StageRecipe()));
  EXPECT_EQ(written.substr(written.size() - 4), std::string("\x15\xCD\x5B\x07", 4));
}

// Each field an old file lacks reads with the value its fix-up gives; every other field is
// what the file holds. The hand-built files carry each version's own layout of every record,
// so a file that reads to its end also proves the layout of that version.
TEST_F(StageDataTest, OldFilesReadWithTheFixUpsOfTheirVersion) {
  const std::map<std::string, std::int64_t> fixedWhenMissing = {
      {"bBgmLoop", 1},
      {"bKeepBgm", 0},
      {"bShowStatus", 1},
      {"bNoClearDisplay", 0},
      {"bSecondBanner", 0},
      {"nHeroTerrainBox[0]", 16},
      {"nHeroTerrainBox[1]", 24},
      {"nHeroTerrainBox[2]", 16},
      {"nHeroTerrainBox[3]", 16},
      {"bHeroTerrainAlign[0]", 1},
      {"bHeroTerrainAlign[1]", 0},
      {"nHeroBoxShow[0]", 0},
      {"nHeroBoxColor[0]", 5},
      {"nCharaTerrainBox[0]", 16},
      {"nCharaTerrainBox[1]", 30},
      {"nCharaTerrainBox[2]", 16},
      {"nCharaTerrainBox[3]", 30},
      {"bCharaTerrainAlign[0]", 1},
      {"bCharaTerrainAlign[1]", 1},
      // Flying bodies take the walking boxes, centred.
      {"nHeroBodyFly[0]", 40},
      {"nHeroBodyFly[1]", 41},
      {"bHeroBodyAlign[0]", 0},
      {"bHeroBodyAlign[1]", 0},
      {"nCharaBodyFly[0]", 64},
      {"nCharaBodyFly[1]", 65},
      {"bCharaBodyAlign[0]", 0},
      {"bCharaBodyAlign[1]", 0},
  };
  for (const std::int32_t version :
       {60, 61, 124, 125, 154, 155, 165, 166, 172, 173, 180, 182, 183, 184, 198, 199, 200, 207, 208, 224, 225, 749}) {
    cStageData stage;
    ASSERT_TRUE(ReadStage(stage, StageRecipe().At(version))) << version;
    for (const auto& field : StageFields()) {
      std::int64_t want = field.sample;
      if (!datatest::Carried(field, version)) {
        ASSERT_TRUE(fixedWhenMissing.contains(field.name)) << field.name;
        want = fixedWhenMissing.at(field.name);
      }
      EXPECT_EQ(field.get(stage, 0), want) << field.name << " at " << version;
    }
    EXPECT_EQ(stage.Backgrounds[0].bFill, 1) << version;
    EXPECT_EQ(stage.Backgrounds[0].dScrollX, version >= 61 ? 0.25 : 0.1) << version;
    // Until 125 a range holds only its left switch; the others keep a new record's values.
    EXPECT_EQ(stage.Ranges[kRangeOtherShots].bRight, version >= 125 ? 0 : 1) << version;
    EXPECT_EQ(stage.Ranges[kRangeOtherShots].nMarginBottom, 7) << version;
  }
}

TEST_F(StageDataTest, RankingFlagsOfFilesUpTo180AreBroughtToFiveWithoutTheHpAndSpRankings) {
  struct Row {
    std::int32_t version;
    std::vector<std::int32_t> stored;
    cVector<std::int32_t> read;
  };
  const Row rows[] = {
      {180, {1, 1, 1}, {1, 1, 1, 0, 0}},
      {170, {0, 1, 1, 1, 1}, {0, 1, 1, 0, 0}},
      {180, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0}},
      {181, {1, 1, 1}, {1, 1, 1}},
      {750, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}},
  };
  for (const Row& row : rows) {
    cStageData stage;
    ASSERT_TRUE(ReadStage(stage, StageRecipe().At(row.version).Ranks(row.stored)));
    EXPECT_EQ(stage.RankFlags, row.read) << row.version;
  }
}

TEST_F(StageDataTest, TheDerivedPhysicsValuesAreRecomputedWhateverTheFileHolds) {
  cStageData stage;
  ASSERT_TRUE(ReadStage(stage, StageRecipe().Fields({{"nHitLevel", 4},
                                                   {"nSubSteps", 77},
                                                   {"dSubSteps", 8},
                                                   {"dSpeedLimit", -8},
                                                   {"dGravityPerStep", 800},
                                                   {"nSubSteps8", 1}})));
  EXPECT_EQ(stage.nSubSteps, 4);
  EXPECT_EQ(stage.dSubSteps, 4.0);
  EXPECT_EQ(stage.dSubStepsSquared, 16.0);
  EXPECT_EQ(stage.dSpeedLimit, 24.0);
  EXPECT_EQ(stage.dGravityPerStep, 0.5 / 16.0);
  EXPECT_EQ(stage.dSpeedLimitPerStep, 6.0);
  EXPECT_EQ(stage.nSubSteps8, 32);
  EXPECT_EQ(stage.nSubSteps6, 24);
}

TEST_F(StageDataTest, NormalizingKeepsLimitsInsideTheMapAndTheMusicInTheList) {
  struct Row {
    Values stored;
    const char* field;
    std::int64_t read;
  };
  const Row rows[] = {
      {{{"nWidth", 100}, {"nLimitRight", 500}}, "nLimitRight", 99},
      {{{"nWidth", 100}, {"nLimitLeft", 90}}, "nLimitLeft", 80},
      {{{"nWidth", 100}, {"nLimitLeft", 80}}, "nLimitLeft", 80},
      {{{"nWidth", 10}, {"nLimitLeft", 0}}, "nLimitLeft", -10},
      {{{"nWidth", 100}, {"nLimitLeft", -3}}, "nLimitLeft", -3},
      {{{"nHeight", 40}, {"nLimitTop", 30}}, "nLimitTop", 25},
      {{{"nHeight", 40}, {"nLimitBottom", 40}}, "nLimitBottom", 39},
      {{{"nHeight", 40}, {"nLimitBottom", 39}}, "nLimitBottom", 39},
      // The project has 100 pieces of music; the index is compared without its sign.
      {{{"nBgm", 99}}, "nBgm", 99},
      {{{"nBgm", 100}}, "nBgm", 0},
      {{{"nBgm", -1}}, "nBgm", 0},
  };
  for (const Row& row : rows) {
    cStageData stage;
    ASSERT_TRUE(ReadStage(stage, StageRecipe().Fields(row.stored)));
    EXPECT_EQ(FieldValue(stage, row.field), row.read) << row.field << " stored " << row.stored.back().second;
  }
}

TEST_F(StageDataTest, AGravityThatIsNotANumberTakesTheDefault) {
  for (const double gravity : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    ByteBuilder gravityBytes;
    gravityBytes.f64(gravity);
    // A gravity no other double of the file holds marks its place.
    std::string bytes = StageBody(StageRecipe().Fields({{"dGravity", 1234}}));
    ByteBuilder marker;
    marker.f64(1234 / 8.0);
    bytes.replace(bytes.find(marker.bytes()), 8, gravityBytes.bytes());
    cStageData stage;
    ASSERT_TRUE(ReadAt(stage, bytes, kRecordVersion));
    EXPECT_EQ(stage.dGravity, 0.4);
    EXPECT_EQ(stage.dGravityPerStep, 0.4 / 4.0);
  }
}

TEST_F(StageDataTest, AStageOutsideTheSizeLimitsIsRefused) {
  struct Row {
    std::int64_t width;
    std::int64_t height;
    bool reads;
  };
  for (const Row& row : {Row{1, 1, true}, Row{0, 40, false}, Row{200, 0, false}, Row{-5, 40, false},
                         Row{kMaxStageSide, 40, true}, Row{kMaxStageSide + 1, 40, false}, Row{40, kMaxStageSide, true},
                         Row{2000, 2000, false}, Row{1428, 1428, true}}) {
    cStageData stage;
    EXPECT_EQ(ReadStage(stage, StageRecipe().Fields({{"nWidth", row.width}, {"nHeight", row.height}})), row.reads)
        << row.width << " x " << row.height;
  }
}

// A file cut anywhere fails to read, at the current version and at one without trailer.
TEST_F(StageDataTest, EveryTruncatedStageFailsToRead) {
  for (const std::int32_t version : {750, 172}) {
    const std::string whole = StageBody(StageRecipe().At(version));
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      cStageData stage;
      RecordReader in(whole.substr(0, cut), "cut");
      in.SetVersion(version);
      ASSERT_FALSE(stage.Read(in)) << version << " cut at " << cut << " of " << whole.size();
    }
  }
}

// References into the stage palette are resolved against the palette of the stage being
// read. While that palette is read, an entry that names a later entry finds a new record
// there, as if the list stood whole before its records were read; one past the declared
// count finds nothing.
TEST_F(StageDataTest, StagePaletteEntriesInheritFromThePaletteBeingRead) {
  const std::int32_t v = kRecordVersion;
  std::vector<std::uint8_t> graphicFlag(11, 0);
  graphicFlag[2] = 1;
  ByteBuilder palette;
  palette.list(4);
  stagetest::PutBlock(palette, v, stagetest::DefaultBlockValues(), false);
  stagetest::PutBlock(palette, v, {{"nPalSource", 2}, {"nPalIndex", 2}, {"nPicture", 50}}, true, "", 0, 0, graphicFlag);
  stagetest::PutBlock(palette, v, {{"nPicture", 60}}, true);
  stagetest::PutBlock(palette, v, {{"nPalSource", 2}, {"nPalIndex", 4}, {"nPicture", 70}}, true, "", 0, 0, graphicFlag);
  cStageData stage;
  ASSERT_TRUE(ReadStage(stage, StageRecipe().BlockPalette(palette.bytes())));
  ASSERT_EQ(stage.PalBlocks.size(), 4u);
  const cEdBlock& later = stage.PalBlocks[1];
  EXPECT_EQ(later.nPalSource, 2);
  EXPECT_EQ(later.nPalIndex, 2);
  EXPECT_EQ(later.nPicture, 0);
  EXPECT_EQ(later.nGraphicKind, 0);
  EXPECT_EQ(later.nHitKind, 0);  // a block without picture never blocks
  const cEdBlock& beyond = stage.PalBlocks[3];
  EXPECT_EQ(beyond.nPalSource, 0);
  EXPECT_EQ(beyond.nPicture, 70);
}

TEST_F(StageDataTest, APaletteListOfOneEntryIsPaddedToTwo) {
  ByteBuilder onlyEmpty;
  onlyEmpty.list(1);
  stagetest::PutBlock(onlyEmpty, kRecordVersion, {{"nPicture", 9}}, true);
  cStageData stage;
  ASSERT_TRUE(ReadStage(stage, StageRecipe().BlockPalette(onlyEmpty.bytes())));
  ASSERT_EQ(stage.PalBlocks.size(), 2u);
  EXPECT_EQ(stage.PalBlocks[0].nPicture, 0);  // entry 0 is always the empty entry
  EXPECT_EQ(stage.PalBlocks[1].nPicture, 0);
}

// The placed character names stage entry 1 ("敵") and takes its name (group 0) from it; an
// entry past the stage's palette loses the reference.
TEST_F(StageDataTest, PlacementsInheritFromTheStagesOwnPalette) {
  std::vector<std::uint8_t> nameFlag(37, 0);
  nameFlag[0] = 1;
  struct Row {
    std::int64_t index;
    int sourceOut;
    std::string name;
  };
  for (const Row& row : {Row{1, 2, "敵"}, Row{2, 0, "主人公"}}) {
    cStageData stage;
    ASSERT_TRUE(ReadStage(stage, StageRecipe().Placed({{"nPalSource", 2}, {"nPalIndex", row.index}}, nameFlag)));
    EXPECT_EQ(stage.Charas[0].nPalSource, row.sourceOut) << row.index;
    EXPECT_EQ(stage.Charas[0].strName, row.name) << row.index;
  }
}

TEST_F(StageDataTest, AnEntryZeroReadsAsANewRecordWhateverTheFileHolds) {
  const std::int32_t v = kRecordVersion;
  ByteBuilder palette;
  palette.list(2);
  stagetest::PutBlock(palette, v, {}, true, "ゼロ");
  stagetest::PutBlock(palette, v, {}, true);
  cStageData stage;
  ASSERT_TRUE(ReadStage(stage, StageRecipe().BlockPalette(palette.bytes())));
  cEdBlock empty;
  empty.Validate(Context());
  datatest::ExpectSameFields(stage.PalBlocks[0], empty, datatest::BlockFields());
  EXPECT_EQ(stage.PalBlocks[0].strName, "");
  EXPECT_EQ(stage.PalBlocks[0].nPassGroup, 255);
}

TEST_F(StageDataTest, TheSnapshotTakesSettingsFromTheStartStateAndThePlayFieldFromTheLiveStage) {
  cStageData live;
  ASSERT_TRUE(ReadStage(live, StageRecipe()));
  cStageData start;
  ASSERT_TRUE(ReadStage(start, StageRecipe().Fields({{"nTimeLimit", 321}}).Ranks({0, 0, 0, 0, 1})));
  start.Backgrounds[0].strPicture = "start.bmp";
  start.Strings[0].strText = "始め";
  start.Ranges[kRangeEraseItems].nMarginTop = 44;
  live.nTimeLimit = 5;
  live.Backgrounds[0].strPicture = "live.bmp";
  live.Ranges[kRangeEraseItems].nMarginTop = 55;
  live.Charas[0].x = 30;
  live.PalItems[1].strName = "今";

  RecordWriter out;
  live.WriteSnapshot(out, start);
  cStageData snapshot;
  ASSERT_TRUE(ReadAt(snapshot, out.Bytes(), kRecordVersion));
  EXPECT_EQ(snapshot.nTimeLimit, 321);
  EXPECT_EQ(snapshot.RankFlags, (cVector<std::int32_t>{0, 0, 0, 0, 1}));
  EXPECT_EQ(snapshot.Ranges[kRangeEraseItems].nMarginTop, 44);
  EXPECT_EQ(snapshot.Backgrounds[0].strPicture, "start.bmp");
  EXPECT_EQ(snapshot.Strings[0].strText, "始め");
  EXPECT_EQ(snapshot.Charas[0].x, 30);
  EXPECT_EQ(snapshot.PalItems[1].strName, "今");
}

TEST_F(StageDataTest, TheHeroIsTheFirstPlayerCharacterWithAPicture) {
  struct Chara {
    std::uint8_t op;
    std::uint16_t picture;
  };
  struct Row {
    std::vector<Chara> charas;
    int hero;
  };
  const Row rows[] = {
      {{}, -1},
      {{{1, 5}}, -1},
      {{{0, 0}}, -1},
      {{{1, 5}, {0, 0}, {0, 3}, {0, 4}}, 2},
  };
  for (const Row& row : rows) {
    cStageData stage;
    for (const Chara& c : row.charas) {
      cEdChara& placed = stage.Charas.emplace_back();
      placed.nOperator = c.op;
      placed.nPicture = c.picture;
    }
    EXPECT_EQ(stage.FindHero(), row.hero);
    EXPECT_EQ(stage.HasHero(), row.hero != -1);
  }
}

TEST_F(StageDataTest, ANewStageHasItsDefaults) {
  const cStageData stage;
  EXPECT_EQ(stage.nFrameRate, 60);
  EXPECT_EQ(stage.nTimeLimit, 200);
  EXPECT_EQ(stage.dGravity, 0.4);
  EXPECT_EQ(stage.nHitLevel, 10);
  EXPECT_EQ(stage.nSubSteps, 10);
  EXPECT_EQ(stage.bSecondBanner, 1);
  EXPECT_EQ(stage.nCharaShotBox[0], 30);
  EXPECT_EQ(stage.nUnusedBox2[2], 1);
  EXPECT_EQ(stage.nCharaSameAttackerTime, 30);
  EXPECT_EQ(stage.RankFlags, cVector<std::int32_t>(5, 1));
  EXPECT_EQ(stage.PalBlocks.size(), 1u);
  EXPECT_EQ(stage.PalCharas.size(), 1u);
  EXPECT_EQ(stage.PalItems.size(), 1u);
  EXPECT_TRUE(stage.Blocks.empty());
  ASSERT_EQ(stage.Backgrounds.size(), 1u);
  EXPECT_EQ(stage.Backgrounds[0].bFill, 1);
  EXPECT_EQ(stage.Backgrounds[0].nFillColor, 16);
  const std::int32_t ranges[kStageRangeCount][8] = {
      {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0},     {0, 0, 0, 0, 0, 0, 0, 0},
      {1, 1, 1, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 10, 10, 10, 10},
  };
  for (int i = 0; i < kStageRangeCount; ++i) {
    const cStageParam& r = stage.Ranges[i];
    const std::int32_t actual[8] = {r.bLeft,       r.bRight,       r.bTop,       r.bBottom,
                                    r.nMarginLeft, r.nMarginRight, r.nMarginTop, r.nMarginBottom};
    EXPECT_TRUE(std::equal(actual, actual + 8, ranges[i])) << "range " << i;
  }
}

}  // namespace
