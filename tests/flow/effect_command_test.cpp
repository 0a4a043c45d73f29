// Where the effect command puts an effect and how large.
#include <gtest/gtest.h>

#include "data/command_tables.h"
#include "data/database.h"
#include "fake_actor.h"
#include "flow/effect_command.h"

namespace {

class EffectCommandTest : public testing::Test {
 protected:
  EffectCommandTest() {
    cEdEffect burst;
    burst.nCellWidth = 40;
    burst.nCellHeight = 15;
    Database.Effects = {cEdEffect{}, burst};
    world.axes[0] = {0, false, 100, 10, 2000};
    world.axes[1] = {0, false, 50, 10, 1000};
    self.rect = {200, 100, 231, 131, 32, 32};
    hero.rect = {10, 20, 25, 51, 16, 32};
    world.hero = &hero;
  }
  ~EffectCommandTest() override { Database.Effects = saved_; }

  flowtest::FakeWorld world;
  flowtest::FakeActor self, hero;

 private:
  cVector<cEdEffect> saved_ = Database.Effects;
};

TEST_F(EffectCommandTest, ThePositionModesPlaceTheEffectsCorner) {
  struct Case {
    int mode, percent;
    double x, y;
    int width, height;
  };
  // 150 %: 60 × 23 (22.5 rounded away from zero); offsets (3, -4); cells (2, 1).
  const Case cases[] = {
      {0, 150, 100 + 320 - 30 + 3, 50 + 240 - 11 - 4, 60, 23},
      {1, 150, 200 + 16 + 100 - 30 + 3, 100 + 16 + 50 - 11 - 4, 60, 23},
      {2, 150, 10 + 8 + 100 - 30 + 3, 20 + 16 + 50 - 11 - 4, 60, 23},
      {3, 150, 100 + 64 + 3, 50 + 32 - 4, 60, 23},
      {4, 150, (2 + 10) * 32 + 3, (1 + 10) * 32 - 4, 60, 23},
      {0, 33, 100 + 320 - 6 + 3, 50 + 240 - 2 - 4, 13, 5},
  };
  for (const Case& c : cases) {
    world.effects.clear();
    cEdCommand command;
    command.nKind = kCmdRunEffect;
    command.params = {1, c.mode, 2, 1, 3, -4, c.percent, 0};
    CmdEffect(self, command);
    ASSERT_EQ(world.effects.size(), 1u) << c.mode;
    EXPECT_EQ(world.effects[0].x, c.x) << c.mode;
    EXPECT_EQ(world.effects[0].y, c.y) << c.mode;
    EXPECT_EQ(world.effects[0].width, c.width) << c.mode;
    EXPECT_EQ(world.effects[0].height, c.height) << c.mode;
  }
  cEdCommand stop;
  stop.nKind = kCmdRunEffect;
  stop.params = {0, 0, 0, 0, 0, 0, 100, 0};
  CmdEffect(self, stop);
  EXPECT_EQ(world.effectClears, 1);
}

}  // namespace
