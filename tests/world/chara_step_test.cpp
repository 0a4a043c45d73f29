// A stage character's sub-steps, side codes and screen activity.
#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace {

using worldtest::WorldFixture;

// A 40-block-wide stage: the view covers its first 20 columns.
class CharaStepTest : public testing::Test {
 protected:
  CharaStepTest() : world(Rows()) { world.Build(); }
  static std::vector<std::string> Rows() {
    std::vector<std::string> rows(6, std::string(40, '.'));
    rows[0][0] = 'H';
    rows[2][3] = 'e';
    rows[2][35] = 'e';
    rows[5] = std::string(40, '#');
    return rows;
  }
  cChara& Near() { return *world.Chara(1); }
  cChara& Far() { return *world.Chara(2); }
  WorldFixture world;
};

TEST_F(CharaStepTest, SideCodesOfTheSteps) {
  cChara& c = Near();
  c.x = 2;
  c.vx = -5;
  c.dImpX = 0;
  c.ax = 0;
  c.OnMovedX();
  EXPECT_EQ(c.StepX(), 4);  // walked off the map's left edge
  // A walker below the stage area falls out; a flyer there is only in the margin.
  c.y = world.Scene().ScrollY.nAreaEnd + 4;
  c.vy = 1;
  EXPECT_EQ(c.StepY(), 7);
  c.SetFlightKind(2);
  c.y = world.Scene().ScrollY.nAreaEnd + 4;
  c.vy = 1;
  c.ay = 0;
  EXPECT_EQ(c.StepY(), 5);
  c.y = world.Scene().ScrollY.nMapPixels - c.nHeight;
  EXPECT_EQ(c.StepY(), 8);  // a flyer at the map bottom leaves
}

TEST_F(CharaStepTest, OffScreenCharactersWaitUntilSeen) {
  world.flows.scripts[2] = [](cCharaBase& c, int) {
    c.vx = -1;
    return 0;
  };
  const double start = Far().x;
  world.Step(30);
  EXPECT_EQ(Far().x, start);
  EXPECT_EQ(Far().bActivated, 0);
  // Once seen it keeps acting while it falls, and with stay-active everywhere.
  Far().bActivated = 1;
  Far().bFalling = 1;
  world.Step(1);
  EXPECT_LT(Far().x, start);
  Far().bFalling = 0;
  const double x = Far().x;
  world.Step(3);
  EXPECT_EQ(Far().x, x);
  Far().Def.bStayActive = 1;
  Far().bInJump = 1;  // mid-jump: takes part although unseen
  world.Step(1);
  EXPECT_EQ(Far().bIgnoreX, 1);
  Far().bInJump = 0;
  world.Step(3);
  EXPECT_LT(Far().x, x - 3);
}

TEST_F(CharaStepTest, AnActivationSwitchWakesCharactersOffScreen) {
  // The near character, on screen, sets switch 5; the far one shares it and acts unseen.
  for (cChara* c : {&Near(), &Far()}) {
    c->Def.bActivation = 1;
    c->Def.nActivationSwitch = 5;
  }
  world.flows.scripts[2] = [](cCharaBase& c, int) {
    c.vx = -1;
    return 0;
  };
  const double start = Far().x;
  world.Step(3);
  EXPECT_EQ(world.Scene().ActiveFlags[5], 1);
  EXPECT_LT(Far().x, start);
  EXPECT_EQ(Far().bActive, 0);
  EXPECT_EQ(Far().bActivated, 1);
}

TEST_F(CharaStepTest, DyingOnlyStepAndTheKillRequest) {
  int dyingSteps = 0;
  world.flows.scripts[1] = [&dyingSteps](cCharaBase& c, int dyingOnly) {
    if (dyingOnly != 0) ++dyingSteps;
    return c.bKillRequest;
  };
  cChara& c = Near();
  c.nHp = 0;
  EXPECT_EQ(world.Scene().CheckHeroHp(), 0);
  EXPECT_EQ(dyingSteps, 1);
  EXPECT_EQ(world.flows.Count(1, 3), 1);
  EXPECT_EQ(world.Chara(1), nullptr);  // removed at once with the keep switch off
}

}  // namespace
