#include "make_sample_game/sample_stages.h"

#include <string>

#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/project_paths.h"
#include "data/stage_data.h"
#include "make_sample_game/bitmap_catalog.h"
#include "make_sample_game/sample_definitions.h"
#include "make_sample_game/sample_game.h"
#include "make_sample_game/sample_names.h"
#include "make_sample_game/stage_builder.h"
#include "make_sample_game/stage_plans.h"
#include "make_sample_game/tunes.h"

namespace sample {

namespace {

using namespace blockdef;
constexpr int kRows = 15;  // one screen high
constexpr int kFloor = 12;  // the ground's surface row on most of every stage

cEdBackground Picture(const char* file, double factor) {
  cEdBackground background;
  background.bFill = 0;
  background.strPicture = file;
  background.dScrollX = factor;
  background.dScrollY = 0.0;
  return background;
}

// Settings every stage shares: banners, the status bar, a time limit and its music.
void Settings(cStageData& stage, int music, int seconds, std::initializer_list<cEdBackground> backgrounds) {
  stage.nBgm = music;
  stage.bBgmLoop = 1;
  stage.bTimeLimit = 1;
  stage.nTimeLimit = seconds;
  stage.bStageBanner = 1;
  stage.bSecondBanner = 1;
  stage.bClearBanner = 1;
  stage.bGameOverBanner = 1;
  stage.bShowStatus = 1;
  // The hero may not be hurt by the same enemy again for a second, and blinks that long.
  stage.nHeroSameAttackerTime = 60;
  stage.nHeroInvincibleTime = 60;
  stage.Backgrounds.clear();
  for (const cEdBackground& b : backgrounds) stage.Backgrounds.push_back(b);
}

// Meadow Run: running and jumping over gaps, a few beetles (one carrying a heart), a frog, coins, a
// signpost that counts them, a star, a feather that carries the hero on, a heart fountain, a
// chest of coins and a goal orb.
void LayOutMeadow(StageBuilder& s) {
  s.Ground(0, 27, kFloor);
  s.Block(4, kFloor - 1, kSign);
  s.Item(6, kFloor - 1, itemdef::kSignpost);  // tells the coins taken so far
  s.Block(9, kFloor - 1, kBush);
  s.Items(7, 8, 5, itemdef::kCoin);
  s.Item(12, kFloor - 1, itemdef::kStar);  // in the way: the first run takes it
  s.Row(14, 18, 8, kBrick);
  s.Block(16, 8, kBonus);
  s.Item(18, 7, itemdef::kFeather);  // on the bricks' end
  s.Items(14, 6, 5, itemdef::kCoin);
  s.Chara(22, kFloor - 1, charadef::kBeetle);

  s.Ground(31, 52, kFloor);  // over a three-cell gap
  s.Block(33, kFloor - 1, kFlowers);
  s.Block(35, kFloor - 1, kBush);
  s.Chara(37, kFloor - 1, charadef::kFrog);
  for (int step = 0; step < 4; ++step) s.Column(40 + step, kFloor - 1 - step, kFloor - 1, kStone);
  s.Items(40, kFloor - 6, 4, itemdef::kCoin);
  s.CharaHolding(47, kFloor - 1, charadef::kBeetle, itemdef::kHeart);
  s.Item(50, kFloor - 1, itemdef::kGem);

  s.Row(55, 58, 9, kIsland);  // a floating step over the second gap
  s.Items(55, 7, 4, itemdef::kCoin);
  s.Ground(61, 82, kFloor);
  s.Item(63, kFloor - 1, itemdef::kHeartFountain);
  s.Ground(66, 72, 10);
  s.Chara(69, 9, charadef::kBeetle);
  s.Chara(71, 9, charadef::kHive);
  s.Block(76, kFloor - 1, kSpring);
  s.Items(75, 4, 3, itemdef::kCoin);
  s.Item(76, 2, itemdef::kGem);
  s.Chara(80, kFloor - 1, charadef::kBeetle);

  s.Row(84, 87, kFloor, kBridge);
  s.Pool(84, 87, kFloor + 1, kWater, kWaterDeep);
  s.Ground(88, 109, kFloor);
  s.Row(91, 93, 8, kBrick);
  s.Item(92, 7, itemdef::kHeart);
  s.Chara(95, kFloor - 1, charadef::kChest);
  s.Chara(97, kFloor - 1, charadef::kBeetle);
  s.Block(99, kFloor - 1, kFlowers);
  s.Block(104, 5, kGoalTop);
  s.Column(104, 6, kFloor - 1, kGoalPole);
  s.Item(102, kFloor - 1, itemdef::kGoalOrb);
  s.Chara(2, kFloor - 1, charadef::kHeroWithSign);
}

// Dusk Lifts: wide gaps crossed on moving lifts, sentries that shoot, bats, a wisp.
void LayOutDusk(StageBuilder& s) {
  s.Ground(0, 12, kFloor);
  s.Block(3, kFloor - 1, kBush);
  s.Chara(2, kFloor - 1, charadef::kHero);
  s.Chara(13, 10, charadef::kLiftAcross);  // carries the hero over the first gap
  s.Items(16, 7, 6, itemdef::kCoin);
  s.Chara(20, 3, charadef::kWisp);  // circles over the first gap
  s.Item(31, 6, itemdef::kStar);

  s.Ground(25, 40, kFloor);
  s.Row(25, 27, kFloor, kSpeedFloor);
  s.Chara(35, kFloor - 1, charadef::kCrate);
  s.Chara(35, kFloor - 2, charadef::kCrate);  // stacked: it rests on the one below
  s.Row(29, 33, 8, kCrate);
  s.Items(29, 6, 5, itemdef::kCoin);
  s.Chara(37, kFloor - 1, charadef::kSentry);
  s.Chara(31, 4, charadef::kBat);
  s.Row(41, 52, kFloor + 2, kSpikes);
  s.Chara(43, 10, charadef::kLiftUpDown);
  s.Chara(48, 8, charadef::kLiftUpDown);
  s.Item(48, 4, itemdef::kGem);

  for (int x = 53; x <= 60; ++x) s.Column(x, 9, kRows - 1, x == 53 || x == 60 ? kMetal : kStone);
  s.Chara(58, 8, charadef::kSentry);
  s.Item(55, 8, itemdef::kHeart);

  s.Ground(61, 99, kFloor);
  s.Row(66, 68, kFloor, kSpikes);
  s.Chara(64, 5, charadef::kBat);
  s.Row(70, 71, kFloor, kMud);
  s.Chara(73, kFloor - 1, charadef::kBeetle);
  s.Row(76, 80, 9, kBrick);
  s.Items(76, 7, 5, itemdef::kCoin);
  s.Chara(82, kFloor - 1, charadef::kBeetle);
  s.Chara(86, 4, charadef::kBat);
  s.Item(89, kFloor - 1, itemdef::kOneUp);
  s.Block(91, kFloor - 1, kGate);
  s.Block(96, 5, kGoalTop);
  s.Column(96, 6, kFloor - 1, kGoalPole);
  s.Item(94, kFloor - 1, itemdef::kGoalOrb);
}

// Night Castle: the challenge. Lava, spikers, sentries on the walls, lifts, conveyors and the
// wizard.
void LayOutCastle(StageBuilder& s) {
  auto wall = [&](int x0, int x1, int top) {
    for (int x = x0; x <= x1; ++x) s.Column(x, top, kRows - 1, kCastle);
    s.Row(x0, x1, top, kBattlement);
  };
  wall(0, 14, kFloor);
  s.Chara(2, kFloor - 1, charadef::kHero);
  s.Chara(10, kFloor - 1, charadef::kSpiker);
  s.Pool(15, 19, kFloor + 1, kLava, kLavaDeep);
  s.Row(16, 18, 9, kDarkBrick);
  s.Items(16, 7, 3, itemdef::kCoin);
  wall(20, 31, kFloor);
  s.Row(24, 28, kFloor, kConveyorRight);
  s.Chara(30, kFloor - 1, charadef::kSentry);
  s.Pool(32, 43, kFloor + 1, kLava, kLavaDeep);
  s.Chara(33, 10, charadef::kLiftAcross);
  s.Chara(38, 3, charadef::kBat);
  wall(44, 50, 9);
  s.Chara(47, 8, charadef::kVolleySentry);
  s.Item(45, 8, itemdef::kHeart);
  s.Pool(51, 56, kFloor + 1, kLava, kLavaDeep);
  s.Chara(53, 11, charadef::kLiftUpDown);
  wall(57, 79, kFloor);
  s.Chara(59, kFloor - 1, charadef::kWizard);
  s.Row(61, 63, kFloor, kConveyorLeft);
  s.Chara(66, kFloor - 1, charadef::kSpiker);
  s.Row(68, 70, kFloor - 1, kSpikes);
  s.Row(67, 71, 7, kDarkBrick);
  s.Items(67, 5, 5, itemdef::kCoin);
  s.Chara(74, kFloor - 1, charadef::kSpiker);
  s.Chara(72, 3, charadef::kBat);
  s.Item(70, 6, itemdef::kGem);
  s.Block(77, 5, kGoalTop);
  s.Column(77, 6, kFloor - 1, kGoalPole);
  s.Item(76, kFloor - 1, itemdef::kGoalOrb);
}

struct StagePlan {
  const char* file;  // the file name the world map and the stage list load, without revision
  int width;
  void (*layOut)(StageBuilder&);
  int music;
  int seconds;
  const char* title;
};

std::string DefaultStagePath(const char* dataPath) {
  // data\stg4\X.stg4 is shipped as default\stg4\X.stg4_000.
  return std::string(kDefaultFolder) + (std::string(dataPath).substr(5) + kStageRevision);
}

}  // namespace

std::vector<BuiltStage> BuildStages() {
  // Definitions check their common-palette references against the process-wide palette, and
  // stage-palette ones against the live stage.
  BuildCommonPalette(CommonPalette);
  ProjectDataContext().commonPalette = CommonPalette.PaletteView();
  ProjectDataContext().stagePalette = StageCur.PaletteView();

  const StagePlan plans[] = {
      {kStageMeadow, 110, LayOutMeadow, bgm::kMeadow, 300, "Meadow Run"},
      {kStageDusk, 100, LayOutDusk, bgm::kDusk, 300, "Dusk Lifts"},
      {kStageCastle, 80, LayOutCastle, bgm::kNight, 240, "Night Castle"},
      {kStageChallenge2, 100, LayOutDusk, bgm::kDusk, 200, "Dusk Dash"},
  };
  const cEdBackground backgrounds[][2] = {
      {Picture(kBackSky, 0.1), Picture(kBackHills, 0.4)},
      {Picture(kBackDusk, 0.1), Picture(kBackHills, 0.4)},
      {Picture(kBackNight, 0.1), Picture(kBackNight, 0.1)},
      {Picture(kBackDusk, 0.1), Picture(kBackHills, 0.4)},
  };
  std::vector<BuiltStage> stages(std::size(plans));
  for (std::size_t i = 0; i < std::size(plans); ++i) {
    const StagePlan& plan = plans[i];
    cStageData& stage = stages[i].stage;
    stages[i].path = DefaultStagePath(plan.file);
    StageBuilder builder(CommonPalette, plan.width, kRows);
    plan.layOut(builder);
    builder.Fill(stage);
    Settings(stage, plan.music, plan.seconds, {backgrounds[i][0], backgrounds[i][1]});
    if (i == 2) stage.Backgrounds.resize(1);
    // Meadow hands the hero's status on and Dusk takes it over.
    stage.bStoreStatus = i == 0 ? 1 : 0;
    stage.bApplyHeroStatus = i == 1 ? 1 : 0;
    stage.strText = plan.title;
  }
  return stages;
}

void WriteStages(GameFiles& files) {
  std::vector<BuiltStage> stages = BuildStages();
  files.SaveRecord(CommonPalette, ProjectPaths[kPathCommonPalette + 1]);
  for (BuiltStage& built : stages) files.SaveRecord(built.stage, built.path);
  // The first stage once more under a Japanese name, for the file chooser and the resolver.
  if (!stages.empty()) files.SaveRecord(stages[0].stage, std::string(kDefaultFolder) + "stg4\\草原.stg4_000");
}

}  // namespace sample
