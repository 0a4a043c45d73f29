// The commands that stop or end the stage: the stage clear and where it leads, the game wait,
// the music, and the modal runs of effects and pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/database.h"
#include "data/save_data.h"
#include "data/world_map.h"
#include "fake_actor.h"
#include "flow/effect_command.h"
#include "flow/picture_command.h"
#include "flow/stage_commands.h"

namespace {

cEdCommand Command(int kind, std::vector<std::int32_t> params, std::string text = {}) {
  cEdCommand c;
  c.nKind = static_cast<std::uint8_t>(kind);
  c.params.assign(params.begin(), params.end());
  c.strText = std::move(text);
  return c;
}

class StageCommandsTest : public testing::Test {
 protected:
  StageCommandsTest() {
    SaveDataCur.Reset();
    SaveDataCur.m_nPart = 2;
    WorldMap.nWidth = 20;
    WorldMap.nHeight = 15;
  }
  ~StageCommandsTest() override { WorldMap = savedMap_; }

  flowtest::FakeWorld world;
  flowtest::FakeActor self;

 private:
  cWorldMap savedMap_ = WorldMap;
};

TEST_F(StageCommandsTest, TheStageClearNamesWhereItLeadsAndEndsTheStage) {
  struct Case {
    int mode, part;
    std::string text;
    int next;
    std::string file;
    std::string textAfter;
  };
  const Case cases[] = {
      {0, 9, "", 3, "", ""},                              // the next part
      {1, 9, "", 9, "", ""},                              // a part by number
      {3, 9, "", 0, "", ""},                              // the world's end
      {2, 9, "data\\stg4\\cave.stg4", 2, "data\\stg4\\cave.", "data\\stg4\\cave."},
      {2, 9, "data\\stg4\\cave.", 2, "data\\stg4\\cave.", "data\\stg4\\cave."},  // a second run agrees
  };
  for (const Case& c : cases) {
    cEdCommand clear = Command(kCmdStageClear, {c.mode, c.part, 0, 0, 0, 0, 0, 0, 0}, c.text);
    EXPECT_EQ(CmdStageClear(self, clear), 1) << c.mode;
    EXPECT_EQ(world.nextStage, c.next) << c.mode;
    EXPECT_EQ(world.nextFile, c.file) << c.mode;
    EXPECT_EQ(clear.strText, c.textAfter) << c.mode;
  }
}

TEST_F(StageCommandsTest, TheStageClearSetsTheMapCellAndTheNextStart) {
  self.facingNow = 1;
  cEdCommand clear = Command(kCmdStageClear, {0, 0, 1, 25, 4, 1, 7, 8, 2});
  SaveDataCur.m_nMapDir = 3;
  CmdStageClear(self, clear);
  EXPECT_EQ(SaveDataCur.m_nMapX, 19);  // no further than the map's last column
  EXPECT_EQ(SaveDataCur.m_nMapY, 4);
  EXPECT_EQ(SaveDataCur.m_nMapDir, 0);
  EXPECT_EQ(SaveDataCur.m_bNextStart, 1);
  EXPECT_EQ(SaveDataCur.m_nNextX, 7);
  EXPECT_EQ(SaveDataCur.m_nNextY, 8);
  EXPECT_EQ(SaveDataCur.m_nNextDir, 1);  // "as at the clear": the hero faced right
  cEdCommand plain = Command(kCmdStageClear, {0, 0, 0, 0, 0, 0, 0, 0, 0});
  CmdStageClear(self, plain);
  EXPECT_EQ(SaveDataCur.m_bNextStart, 0);
}

TEST_F(StageCommandsTest, TheGameWaitHoldsTheGameForItsTenthsAndTheMusicCommandAsks) {
  cEdCommand wait = Command(kCmdGameWait, {15});
  CmdGameWait(self, wait);
  EXPECT_EQ(world.modal, (std::vector<std::string>{"wait 90", "set 0 0 90 0", "run"}));
  world.quitting = true;
  CmdGameWait(self, wait);
  EXPECT_EQ(world.modal.size(), 3u) << "a closing program waits no more";
  cEdCommand music = Command(kCmdPlayBgm, {4, 1});
  CmdBgm(self, music);
  EXPECT_EQ(world.music, (std::vector<std::pair<int, int>>{{4, 1}}));
}

TEST_F(StageCommandsTest, AModalEffectHoldsTheGameForAllItsFrames) {
  const cVector<cEdEffect> saved = Database.Effects;
  cEdEffect burst;
  burst.nCellWidth = burst.nCellHeight = 32;
  burst.Frames.resize(3);
  burst.Frames[0].nDuration = 2;
  burst.Frames[1].nDuration = 3;
  burst.Frames[2].nDuration = 1;
  Database.Effects = {cEdEffect{}, burst};
  cEdCommand effect = Command(kCmdRunEffect, {1, 0, 0, 0, 0, 0, 100, 1});
  CmdEffect(self, effect);
  EXPECT_EQ(world.modal, (std::vector<std::string>{"set 2 0 36 0", "run"}));
  ASSERT_EQ(world.effects.size(), 1u) << "the effect stays to play out";
  Database.Effects = saved;
}

TEST_F(StageCommandsTest, AModalPictureHoldsTheGameByItsModeAndGoesAfterwards) {
  const cVector<cEdPicture> saved = Database.Pictures;
  cEdPicture sign;
  sign.strFile = "pic\\sign.bmp";
  Database.Pictures = {cEdPicture{}, sign};
  struct Case {
    int mode;
    std::vector<std::string> modal;
  };
  const Case cases[] = {
      {0, {"set 3 1 0 0", "run"}},   // until the advance key
      {2, {"set 3 0 12 0", "run"}},  // two tenths
      {1, {"run"}},                  // the state left as it was
  };
  for (const Case& c : cases) {
    world.modal.clear();
    world.pictures.clear();
    std::vector<std::int32_t> params(15, 0);
    params[0] = 1;
    params[7] = 100;
    params[8] = c.mode;
    params[9] = 2;
    params[10] = 1;
    cEdCommand picture = Command(kCmdShowPicture, params);
    CmdPicture(self, picture);
    EXPECT_EQ(world.modal, c.modal) << c.mode;
    EXPECT_TRUE(world.pictures.empty()) << c.mode;
  }
  Database.Pictures = saved;
}

}  // namespace
