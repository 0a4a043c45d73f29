// The sample game's first stage played through its own flows: the hero walks, jumps and fires a
// spread after down and button 2, and a beetle falls to the fireballs; the feather and the star
// do what they promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/flow_engine_link.h"
#include "core/log_files.h"
#include "core/trunc_to_int.h"
#include "data/command_tables.h"
#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/stage_data.h"
#include "data/system_data.h"
#include "flow/arrange.h"
#include "flow/command_workers.h"
#include "flow/flow_world_seam.h"
#include "input/input.h"
#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/sample_definitions.h"
#include "make_sample_game/sample_game.h"
#include "platform/files/path_resolver.h"
#include "sample_game_folder.h"
#include "support/temp_folder.h"
#include "world/chara.h"
#include "world/flow_link.h"
#include "world/player.h"
#include "support/loaded_project.h"
#include "world/scene_play.h"
#include "world/world_digest.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ScopedCurrentFolder;
using testsupport::TempFolder;

// What a run shows: its digest every frame, the most shots in the air at once right after the
// spread, the score and the count of enemies defeated.
struct RunResult {
  std::vector<std::uint64_t> digests;
  int spreadShots = 0;
  std::int32_t score = 0;
  std::int32_t defeated = 0;
  double travelled = 0;
  double highest = 0;  // above where it stood
};

class SampleStageFlowsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { game_ = new apptest::SampleGameFolder; }
  static void TearDownTestSuite() {
    delete game_;
    game_ = nullptr;
  }

  // Frames of Meadow Run from the start, the hero's keys by frame.
  RunResult Play(std::uint32_t seed) {
    RunResult r;
    cInput& input = PlayerInputs[0];
    const cInput saved = input;
    input = cInput();
    WithMeadow(seed, [&](cScenePlay& scene) {
      const double startX = scene.Hero().x;
      double standY = scene.Hero().y;
      for (int frame = 0; frame < 420; ++frame) {
        // Right all along; a jump at 40; down at 90, button 2 two frames later; then button 2
        // every 20 frames.
        input.m_wDir = frame >= 10 ? 2 : 0;
        std::uint16_t buttons = 0;
        if (frame >= 40 && frame < 55) buttons |= 1;
        if (frame >= 90 && frame < 92) input.m_wDir = 8;
        if (frame == 92 || (frame > 120 && frame % 20 == 0)) buttons |= 2;
        input.m_wButton = buttons;
        input.UpdateEvents();
        if (scene.StepPlayFrame() != 0) break;
        if (frame == 39) standY = scene.Hero().y;
        if (frame >= 40 && frame < 90) r.highest = std::max(r.highest, standY - scene.Hero().y);
        r.digests.push_back(WorldDigest(scene));
        if (frame >= 92 && frame < 96) r.spreadShots = std::max(r.spreadShots, static_cast<int>(scene.ShotList.size()));
      }
      r.travelled = scene.Hero().x - startX;
      r.score = scene.nScore;
      r.defeated = scene.CommonVars[1];
    });
    input = saved;
    return r;
  }

  template <typename Play>
  void WithMeadow(std::uint32_t seed, Play&& play) {
    WithStage("Meadow.stg4_000", seed, play);
  }

  // Loads the project and a stage, and hands the set-up scene to `play`.
  template <typename Play>
  void WithStage(const std::string& file, std::uint32_t seed, Play&& play) {
    const testsupport::LoadedProject project(game_->path());
    ASSERT_TRUE(project.ok());
    cStageData stage;
    ASSERT_NE(stage.Load("data\\stg4\\" + file), 0);
    cScenePlay scene(stage);
    scene.SetupField(seed);
    play(scene);
  }

  static inline apptest::SampleGameFolder* game_ = nullptr;
};

TEST_F(SampleStageFlowsTest, TheHeroPlaysThroughItsFlowsAndTwoRunsAgree) {
  const RunResult first = Play(7);
  EXPECT_GT(first.travelled, 32 * 8);
  EXPECT_GT(first.highest, 32 * 3);  // a held jump of nine half blocks
  EXPECT_EQ(first.spreadShots, 3);
  EXPECT_GE(first.defeated, 1);
  EXPECT_GE(first.score, 100);  // a beetle's worth, coins aside
  const RunResult second = Play(7);
  EXPECT_EQ(first.digests, second.digests);
}

TEST_F(SampleStageFlowsTest, TheFeatherWarpsTheHeroAndTheStarLastsEightSeconds) {
  WithMeadow(1, [](cScenePlay& scene) {
    scene.StepPlayFrame();
    cPlayer& hero = scene.Hero();
    cEdCommand take;
    take.nKind = kCmdTakeItem;
    take.params = {0, sample::itemdef::kFeather};
    CmdGetItem(hero, take);
    EXPECT_EQ(TruncToInt(hero.x) >> 5, 67 + 10);

    take.params = {0, sample::itemdef::kStar};
    CmdGetItem(hero, take);
    EXPECT_EQ(hero.Def.nInvincible, 1);
    const std::size_t flows = hero.FlowState().Flows.size();
    int frames = 0;
    while (hero.Def.nInvincible != 0 && frames < 600) {
      if (scene.StepPlayFrame() != 0) break;
      ++frames;
    }
    EXPECT_GE(frames, 470);
    EXPECT_LE(frames, 490);
    scene.StepPlayFrame();
    EXPECT_EQ(hero.FlowState().Flows.size(), flows - 1);  // the star's flow deleted itself
  });
}

TEST_F(SampleStageFlowsTest, TheChestBreaksIntoARingOfCoins) {
  WithMeadow(1, [](cScenePlay& scene) {
    cChara* chest = nullptr;
    for (cChara& c : scene.CharaList) {
      if (c.Def.nScore == 50) chest = &c;
    }
    ASSERT_NE(chest, nullptr);
    const std::size_t items = scene.ItemList.size();
    scene.DefeatChara(*chest);
    for (int frame = 0; frame < 3; ++frame) scene.StepPlayFrame();
    EXPECT_EQ(scene.ItemList.size(), items + 5);
  });
}

TEST_F(SampleStageFlowsTest, TheNestSendsThreeBeetlesWhileTheHeroIsNearAndGivesAHeart) {
  WithMeadow(1, [](cScenePlay& scene) {
    cChara* nest = nullptr;
    for (cChara& c : scene.CharaList) {
      if (c.Def.nPicture == sample::charapic::kHive) nest = &c;
    }
    ASSERT_NE(nest, nullptr);
    cPlayer& hero = scene.Hero();
    cEdCommand take;
    take.nKind = kCmdTakeItem;
    take.params = {0, sample::itemdef::kFeather};  // to the high ground beside the nest
    CmdGetItem(hero, take);
    const std::size_t charas = scene.CharaList.size();
    for (int frame = 0; frame < 1200; ++frame) {
      hero.nHp = hero.Def.nMaxHp;
      if (scene.StepPlayFrame() != 0) break;
    }
    EXPECT_EQ(nest->Vars[2], 3);  // twenty seconds near it: three, not four
    for (const cFlow& flow : nest->FlowState().Flows) {
      if (nest->Def.flows[flow.nDefIndex].nFlowId == 1) {
        EXPECT_EQ(flow.bHalted, 1);
      }
    }
    EXPECT_GE(scene.CharaList.size(), charas + 1);  // beetles out (some may have been stomped)
    hero.nHp = 1;
    scene.DefeatChara(*nest);
    for (int frame = 0; frame < 3; ++frame) scene.StepPlayFrame();
    EXPECT_EQ(hero.nHp, 2);
  });
}

TEST_F(SampleStageFlowsTest, TheCastlesVolleySentryFiresOneTwoAndThreeInTurn) {
  WithStage("c01-1.stg4_000", 1, [](cScenePlay& scene) {
    cChara* sentry = nullptr;
    for (cChara& c : scene.CharaList) {
      if (c.Def.nScore == 500) sentry = &c;
    }
    ASSERT_NE(sentry, nullptr);
    // Brought to where the hero starts, within twelve half blocks of it across.
    sentry->x = scene.Hero().x + 128;
    sentry->y = scene.Hero().y - 32;
    sentry->OnMovedX();
    sentry->OnMovedY();
    scene.Hero().nHp = scene.Hero().Def.nMaxHp = 99;  // it takes every orb
    std::vector<int> volleys;
    for (int frame = 0; frame < 900 && volleys.size() < 4; ++frame) {
      const int before = scene.nShotNumber;
      if (scene.StepPlayFrame() != 0) break;
      if (scene.nShotNumber != before) volleys.push_back(scene.nShotNumber - before);
    }
    EXPECT_EQ(volleys, (std::vector<int>{1, 2, 3, 1}));
  });
}

}  // namespace
