#include "data/stage_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/format.h"
#include "data/stage_data.h"
#include "data_test_support.h"
#include "platform/diagnostics.h"
#include "platform/files/path_resolver.h"
#include "stage_fixture.h"
#include "support/temp_folder.h"

namespace {

using stagetest::StageFile;
using stagetest::StageRecipe;

constexpr const char* kStagePath = "data\\stg4\\s.stg4_001";

class StageLoaderTest : public datatest::DataRecordTest {
 protected:
  void SetUp() override {
    DataRecordTest::SetUp();
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::SetDiagnosticSink([this](std::string_view text) { boxes_.emplace_back(text); });
    StageCur = cStageData();
    StageStart = cStageData();
  }
  void TearDown() override {
    StageCur = cStageData();
    StageStart = cStageData();
    platform::SetDiagnosticSink(nullptr);
    current_.reset();
    platform::GameFolder().Forget();
    DataRecordTest::TearDown();
  }

  void Put(const std::string& name, const std::string& bytes) {
    folder_.Write("data/stg4/" + name, bytes);
    platform::GameFolder().Forget();
  }
  static std::string Box(const std::string& text) { return "[エラー] " + text; }

  // What play can see of a stage: its whole body as written.
  static std::string Contents(cStageData& stage) {
    RecordWriter out;
    stage.Write(out);
    return out.Bytes();
  }

  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  std::vector<std::string> boxes_;
};

TEST_F(StageLoaderTest, LoadsTheStageAndCopiesItsStartStateWithoutPalettesOrPlacements) {
  Put("s.stg4_001", StageFile(StageRecipe().Fields({{"nTimeLimit", 777}})));
  ASSERT_EQ(LoadStageThreaded(kStagePath, 0, &StageStart), 1);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(StageCur.nTimeLimit, 777);
  EXPECT_EQ(StageCur.strLoadPath, kStagePath);
  EXPECT_EQ(StageCur.bLoadDone, 1);
  EXPECT_EQ(StageCur.Charas.size(), 1u);
  EXPECT_EQ(Context().stagePalette.blocks, &StageCur.PalBlocks);

  EXPECT_EQ(StageStart.nTimeLimit, 777);
  EXPECT_EQ(StageStart.strText, "ステージ");
  EXPECT_EQ(StageStart.RankFlags, StageCur.RankFlags);
  EXPECT_EQ(StageStart.Ranges[kRangeOtherShots].nMarginTop, 6);
  ASSERT_EQ(StageStart.Backgrounds.size(), 1u);
  EXPECT_EQ(StageStart.Backgrounds[0].strPicture, "back.bmp");
  ASSERT_EQ(StageStart.Strings.size(), 1u);
  EXPECT_TRUE(StageStart.PalBlocks.empty() && StageStart.PalCharas.empty() && StageStart.PalItems.empty());
  EXPECT_TRUE(StageStart.Blocks.empty() && StageStart.Charas.empty() && StageStart.Items.empty());

  // Saved again, the stage is the file it came from: header 750, a 0 before each placement,
  // the trailer last.
  ASSERT_EQ(StageCur.Save("data\\stg4\\copy.stg4_001"), 1);
  EXPECT_EQ(testsupport::ReadFileBytes(folder_.path() / "data/stg4/copy.stg4_001"),
            StageFile(StageRecipe().Fields({{"nTimeLimit", 777}})));
}

// A broken file is refused before the loader runs when its trailer is wrong (from 174 on), and
// fails in the loader otherwise; either way the live stage and its start state stay as they were.
TEST_F(StageLoaderTest, BrokenStagesAreRefusedAndLeaveTheLiveStageAsItWas) {
  const std::string whole = StageFile(StageRecipe());
  const std::string cut = whole.substr(0, whole.size() / 2);
  const std::string trailer("\x15\xCD\x5B\x07", 4);
  const std::string damaged = "ステージファイル data\\stg4\\bad.stg4_001 が破損しています！";
  const std::string unread = "ステージファイル data\\stg4\\bad.stg4_001 の読み込みに失敗しました！";
  struct Row {
    const char* what;
    std::optional<std::string> bytes;
    int result;
    std::string box;
  };
  const Row rows[] = {
      {"750 with a wrong trailer", StageFile(StageRecipe().Trailer(0x075BCD14)), 0, damaged},
      {"174 with a wrong trailer", StageFile(StageRecipe().At(174).Trailer(0)), 0, damaged},
      {"750 cut short", cut, 0, damaged},
      {"750 cut short with a trailer", cut + trailer, 0, unread},
      {"750 of garbage with a trailer", std::string("\xEE\x02\x00\x00", 4) + std::string(300, '\xFF') + trailer, 0,
       unread},
      {"172 cut short", StageFile(StageRecipe().At(172)).substr(0, 400), 0, unread},
      {"shorter than its version", std::string("\xEE\x02", 2), 0, unread},
      {"missing", std::nullopt, 0, unread},
      {"173 with a wrong trailer", StageFile(StageRecipe().At(173).Trailer(0)), 1, ""},
      {"172 without a trailer", StageFile(StageRecipe().At(172)), 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Put("live.stg4_001", StageFile(StageRecipe().Fields({{"nTimeLimit", 777}})));
    ASSERT_EQ(LoadStageThreaded("data\\stg4\\live.stg4_001", 0, &StageStart), 1);
    const std::string live = Contents(StageCur);
    const std::string start = Contents(StageStart);

    std::filesystem::remove(folder_.path() / "data/stg4/bad.stg4_001");
    if (row.bytes) Put("bad.stg4_001", *row.bytes);
    platform::GameFolder().Forget();
    boxes_.clear();
    closeRequests_ = 0;
    EXPECT_EQ(LoadStageThreaded("data\\stg4\\bad.stg4_001", 0, &StageStart), row.result);
    if (row.result == 1) {
      EXPECT_TRUE(boxes_.empty());
      EXPECT_EQ(StageCur.nTimeLimit, 15);
      continue;
    }
    EXPECT_EQ(boxes_, std::vector<std::string>{Box(row.box)});
    EXPECT_EQ(closeRequests_, row.box == damaged ? 1 : 0);
    EXPECT_EQ(Contents(StageCur), live);
    EXPECT_EQ(Contents(StageStart), start);
  }
  closeRequests_ = 0;
}

TEST_F(StageLoaderTest, AStageWithoutAHeroIsRefusedButStaysLoaded) {
  Put("s.stg4_001", StageFile(StageRecipe().NoHero().Fields({{"nTimeLimit", 55}})));
  EXPECT_EQ(LoadStageThreaded(kStagePath, 0, &StageStart), 0);
  EXPECT_EQ(boxes_, std::vector<std::string>{Box("主人公が配置されていないのでプレイできません！")});
  expectedCloseRequests_ = 1;
  EXPECT_EQ(StageCur.nTimeLimit, 55);
  EXPECT_EQ(StageStart.nTimeLimit, 200);  // the start state of a new stage
}

TEST_F(StageLoaderTest, AskedForTheNewestItLoadsTheHighestNumber) {
  Put("s.stg4_003", StageFile(StageRecipe().Fields({{"nTimeLimit", 3}})));
  Put("s.stg4_010", StageFile(StageRecipe().Fields({{"nTimeLimit", 10}})));
  Put("other.stg4_020", StageFile(StageRecipe().Fields({{"nTimeLimit", 20}})));
  ASSERT_EQ(LoadStageThreaded("data\\stg4\\s.stg4_003", 1, &StageStart), 1);
  EXPECT_EQ(StageCur.nTimeLimit, 10);
  EXPECT_EQ(StageCur.strLoadPath, "data\\stg4\\s.stg4_010");
  EXPECT_EQ(StageCur.bFindNewest, 1);

  // Without any numbered file there is nothing to say.
  EXPECT_EQ(LoadStageThreaded("data\\stg4\\none.stg4", 1, &StageStart), 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(StageCur.nTimeLimit, 10);
}

// Reading does not clear a record: a range of a file before 125 keeps the switches the record
// held. Every load starts from a new stage, so they are a new stage's, never the last stage's.
TEST_F(StageLoaderTest, AnOldStageTakesNothingFromTheStageLoadedBefore) {
  Put("new.stg4_001", StageFile(StageRecipe()));
  Put("old.stg4_001", StageFile(StageRecipe().At(124)));
  ASSERT_EQ(LoadStageThreaded("data\\stg4\\new.stg4_001", 0, &StageStart), 1);
  ASSERT_EQ(StageCur.Ranges[kRangeEraseCharas].bBottom, 1);
  ASSERT_EQ(LoadStageThreaded("data\\stg4\\old.stg4_001", 0, &StageStart), 1);
  EXPECT_EQ(StageCur.Ranges[kRangeEraseCharas].bBottom, 0);
  EXPECT_EQ(StageStart.Ranges[kRangeEraseCharas].bBottom, 0);
  EXPECT_EQ(StageCur.Ranges[kRangeOtherShots].bBottom, 1);
}

}  // namespace
