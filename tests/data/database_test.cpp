#include "data/database.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/data_read_context.h"
#include "data/project_paths.h"
#include "database_files.h"
#include "platform/diagnostics.h"
#include "platform/files/path_resolver.h"
#include "project_file_fixture.h"
#include "support/temp_folder.h"

namespace {

using namespace dbfiles;

// The ten files in their loading order, each with a project of two records by default.
struct Project {
  std::map<std::string, std::string> files = {
      {"AnimeSet.dat", DatabaseFile(750, {AnimeSetRecord(750, 4, 8, 0, {})})},
      {"Anime.dat", DatabaseFile(750, {AnimeRecord(750, "a", {}), AnimeRecord(750, "b", {})})},
      {"Bmp_CharaExc.dat", DatabaseFile(750, {BmpCharaExcRecord(750, 0, 0, 2)})},
      {"SwordType.dat", DatabaseFile(750, {SwordTypeRecord(750, 0, 1)})},
      {"Effect.dat", DatabaseFile(750, {EffectRecord(750, 0, 32, {}), EffectRecord(750, 0, 32, {})})},
      {"CharaEffect.dat", DatabaseFile(750, {ParamEffectRecord(3, {}), ParamEffectRecord(4, {})})},
      {"ScrEffect.dat", DatabaseFile(750, {ParamEffectRecord(5, {}), ParamEffectRecord(6, {})})},
      {"Picture.dat", DatabaseFile(750, {MediaRecord(750, 0, "p0.bmp"), MediaRecord(750, 0, "p1.bmp")})},
      {"Sound.dat", DatabaseFile(750, {MediaRecord(750, 0, ""), MediaRecord(750, 0, "s1.wav")})},
      {"Bgm.dat", DatabaseFile(750, {MediaRecord(750, 0, ""), MediaRecord(750, 0, "m1.ogg")})},
  };
};

class DatabaseTest : public projecttest::ProjectFileTest {
 protected:
  void SetUp() override {
    ProjectFileTest::SetUp();
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::SetDiagnosticSink([this](std::string_view text) { messages_.emplace_back(text); });
  }
  void TearDown() override {
    platform::SetDiagnosticSink(nullptr);
    current_.reset();
    platform::GameFolder().Forget();
    ProjectFileTest::TearDown();
  }
  void Store(const Project& project) {
    for (const auto& [name, bytes] : project.files) folder_.Write("data/database/" + name, bytes);
    platform::GameFolder().Forget();
  }

  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  std::vector<std::string> messages_;
};

TEST_F(DatabaseTest, ANewDatabaseHoldsTheDefaults) {
  const cDatabase db;
  EXPECT_EQ(db.AnimeSets.size(), 1u);
  EXPECT_EQ(db.AnimeSets[0].Motions.size(), 4u);
  ASSERT_EQ(db.Animes.size(), 2u);
  EXPECT_EQ(db.Animes[0].strName, "なし");
  EXPECT_EQ(db.Animes[1].strName, "アクションA");
  EXPECT_EQ(db.Animes[1].Frames.size(), 1u);
  EXPECT_EQ(db.CharaBitmaps.size(), 2u);
  EXPECT_EQ(db.SwordTypes.size(), 1u);
  for (std::size_t count : {db.Effects.size(), db.CharaEffects.size(), db.ScrEffects.size(), db.Pictures.size(),
                            db.Sounds.size(), db.Bgms.size()}) {
    EXPECT_EQ(count, 2u);
  }
  EXPECT_TRUE(db.CharaEffectsBack.empty());
  EXPECT_EQ(Database.Bgms.size(), 2u);
}

TEST_F(DatabaseTest, LoadReadsTheTenFilesAndMakesEntryZeroNoEffect) {
  Project project;
  project.files["CharaEffect.dat"] =
      DatabaseFile(750, {ParamEffectRecord(7, {1, 2, 3, 4, 5}, "a\r\nb"), ParamEffectRecord(4, {})});
  project.files["ScrEffect.dat"] = DatabaseFile(750, {ParamEffectRecord(9, {}), ParamEffectRecord(6, {}), ParamEffectRecord(1, {})});
  Store(project);
  cDatabase db;
  ASSERT_EQ(db.Load(), 1);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(db.AnimeSets.size(), 1u);
  EXPECT_EQ(db.AnimeSets[0].strName, "set");
  EXPECT_EQ(db.Animes[1].strName, "b");
  EXPECT_EQ(db.Pictures[1].strFile, "p1.bmp");
  EXPECT_EQ(db.Bgms[1].strFile, "m1.ogg");
  ASSERT_EQ(db.CharaEffects.size(), 2u);
  EXPECT_EQ(db.CharaEffects[0].nKind, 0);
  EXPECT_EQ(db.CharaEffects[0].nParam[4], 5);
  EXPECT_EQ(db.CharaEffects[0].strName, "a\nb");
  EXPECT_EQ(db.CharaEffects[1].nKind, 4);
  ASSERT_EQ(db.ScrEffects.size(), 3u);
  EXPECT_EQ(db.ScrEffects[0].nKind, 0);
  EXPECT_EQ(db.ScrEffects[2].nKind, 1);

  db.CopyEffectsForBackwards();
  ASSERT_EQ(db.CharaEffectsBack.size(), 2u);
  EXPECT_EQ(db.CharaEffectsBack[1].nKind, 4);
  ASSERT_EQ(db.ScrEffectsBack.size(), 3u);
  EXPECT_EQ(db.ScrEffectsBack[0].nKind, 0);
}

TEST_F(DatabaseTest, AListWithoutRecordsKeepsOnePlaceholder) {
  Project project;
  project.files["CharaEffect.dat"] = DatabaseFile(750, {});
  project.files["ScrEffect.dat"] = DatabaseFile(750, {});
  project.files["Picture.dat"] = DatabaseFile(750, {});
  Store(project);
  cDatabase db;
  db.Pictures[0].strFile = "old0.bmp";
  db.Pictures[1].strFile = "old1.bmp";
  ASSERT_EQ(db.Load(), 1);
  ASSERT_EQ(db.CharaEffects.size(), 1u);
  EXPECT_EQ(db.CharaEffects[0].nKind, 0);
  ASSERT_EQ(db.ScrEffects.size(), 1u);
  EXPECT_EQ(db.ScrEffects[0].nKind, 0);
  ASSERT_EQ(db.Pictures.size(), 1u);  // the previous records are gone
  EXPECT_EQ(db.Pictures[0].strFile, "");
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(DatabaseTest, TheReadContextGetsTheCountsAndSwordParts) {
  cDatabase db;
  db.Sounds.resize(7);
  db.SwordTypes.resize(2);
  db.SwordTypes[1].Parts.resize(3);
  db.SwordTypes[1].Parts[2].nDuration = 9;
  DataReadContext context;
  db.FillReadContext(context);
  EXPECT_EQ(context.database.animeSets, 1);
  EXPECT_EQ(context.database.animes, 2);
  EXPECT_EQ(context.database.sounds, 7);
  EXPECT_EQ(context.database.bgms, 2);
  EXPECT_EQ(context.swordPartDurations, (std::vector<std::vector<std::int32_t>>{{1}, {1, 0, 9}}));
}

TEST_F(DatabaseTest, AMissingFileStopsTheLoadAndIsNamed) {
  Project project;
  project.files.erase("Picture.dat");
  Store(project);
  cDatabase db;
  db.Sounds[1].strFile = "kept.wav";
  EXPECT_EQ(db.Load(), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "[エラー] data\\database\\Picture.dat のロードに失敗！");
  EXPECT_EQ(db.Effects.size(), 2u);
  EXPECT_EQ(db.CharaEffects[0].nKind, 3);  // read, but the load did not finish
  EXPECT_EQ(db.Sounds[1].strFile, "kept.wav");
}

TEST_F(DatabaseTest, ABrokenFileFailsAndLeavesItsListAsItWas) {
  Project project;
  const std::string good = project.files["Sound.dat"];
  project.files["Sound.dat"] = good.substr(0, good.size() - 3);
  Store(project);
  cDatabase db;
  db.Sounds[1].strFile = "kept.wav";
  EXPECT_EQ(db.Load(), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("data\\database\\Sound.dat"), std::string::npos);
  ASSERT_EQ(db.Sounds.size(), 2u);
  EXPECT_EQ(db.Sounds[1].strFile, "kept.wav");
}

TEST_F(DatabaseTest, RecordsPresentBeforeTheLoadKeepWhatAnOldFileLacks) {
  Project project;
  project.files["AnimeSet.dat"] = DatabaseFile(118, {AnimeSetRecord(118, 1, 2, 0, {}), AnimeSetRecord(118, 3, 4, 0, {})});
  Store(project);
  cDatabase db;
  db.AnimeSets[0].nFlyingOffset = 6;
  ASSERT_EQ(db.Load(), 1);
  ASSERT_EQ(db.AnimeSets.size(), 2u);
  EXPECT_EQ(db.AnimeSets[0].nInvincibleOffset, 1);
  EXPECT_EQ(db.AnimeSets[0].nFlyingOffset, 6);
  EXPECT_EQ(db.AnimeSets[1].nFlyingOffset, 0);
  EXPECT_EQ(db.AnimeSets[1].Motions.size(), 4u);
}

TEST_F(DatabaseTest, AnimationStepTables) {
  cVector<cEdAnime> animes(5);
  animes[0].Frames = {};
  animes[0].Frames.push_back(cEdAnimeFrame::ListDefault());
  animes[0].Frames[0].nCell = 3;
  animes[0].Frames[0].nDuration = 9;
  auto frames = [](std::vector<Frame> list) {
    cVector<cEdAnimeFrame> result;
    for (const Frame& f : list) {
      cEdAnimeFrame frame;
      frame.nCell = f.cell;
      frame.nDuration = f.duration;
      frame.bHold = f.hold;
      result.push_back(frame);
    }
    return result;
  };
  animes[2].Frames = frames({{5, 1, 1}, {6, 1, 0}});
  animes[3].Frames = frames({{10, 1, 0}, {11, 2, 1}});
  animes[4].Frames = {};

  AnimeStepTable tables;
  BuildAnimeFrameTables(tables, animes);
  ASSERT_EQ(tables.size(), 5u);
  EXPECT_EQ(tables[0], (cVector<AnimeStep>{{3, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(tables[1], (cVector<AnimeStep>{{0, 6, 0}, {-4, 0, 0}}));
  EXPECT_EQ(tables[2], (cVector<AnimeStep>{{5, 6, 1}, {6, 6, 1}, {-4, 0, 0}}));  // held from the first held frame on
  EXPECT_EQ(tables[3], (cVector<AnimeStep>{{10, 6, 0}, {11, 12, 1}, {-4, 0, 0}}));
  EXPECT_EQ(tables[4], (cVector<AnimeStep>{{-4, 0, 0}}));
}

TEST_F(DatabaseTest, EffectStepTables) {
  cVector<cEdEffect> effects(3);
  cEdEffectFrame frame = cEdEffectFrame::ListDefault();
  frame.nCell = 2;
  effects[0].Frames = {frame, frame};
  frame.nDuration = 3;
  effects[1].Frames = {frame};
  AnimeStepTable tables;
  BuildEffectFrameTables(tables, effects);
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(tables[0], (cVector<AnimeStep>{{2, 0, 1}, {2, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(tables[1], (cVector<AnimeStep>{{2, 18, 0}, {-4, 0, 0}}));
  EXPECT_EQ(tables[2], (cVector<AnimeStep>{{-4, 0, 0}}));
}

}  // namespace
